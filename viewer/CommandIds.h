#pragma once

#include <span>

// Command identifiers of the menus and toolbar; the numbers are the resource ids the
// texts belong to.
enum CommandId {
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_APP_EXIT = 57665,
    ID_EDIT_COPY = 57634,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_SELECT_ALL = 57642,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_APP_ABOUT = 57664,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_CSV_SETTINGS = 32771,
    ID_TILED_DATA = 32774,
    ID_SELECTED_DATA = 32775,
    ID_SAVE_CALC_CSV = 32776,
    ID_TILE_SIZE = 32777,
    ID_DELETE = 32781,
    ID_SAVE_SPECTRAL_CSV = 32783,
    ID_GRAPH_SETTINGS = 32784,
    ID_NEXT_DATA = 32786,
    ID_PREV_DATA = 32788,
    ID_DAY_VIEW = 32790,
    ID_SAVE_DAY_CSV = 32791,
    ID_VIEW_QUANTITIES = 32792,
    ID_NEXT_DAY = 32793,
    ID_PREV_DAY = 32794,
    ID_ALL_DAYS = 32795,
    ID_SAVE_DAY_PICTURE = 32796,
};

// Texts of one command; translated in the context "CMainFrame".
struct CommandText {
    CommandId id;
    const char* text;    // menu text, a tab before the shortcut's name
    const char* prompt;  // status-bar prompt
    const char* tip;     // tool tip, empty for commands without a button
};

std::span<const CommandText> CommandTexts();
