#include "Commands.h"

#include <QtGlobal>

namespace {

constexpr CommandText kCommands[] = {
    {ID_FILE_OPEN, QT_TRANSLATE_NOOP("CMainFrame", "&Open...\tCtrl+O"), QT_TRANSLATE_NOOP("CMainFrame", "Open Data File"), QT_TRANSLATE_NOOP("CMainFrame", "Open")},
    {ID_FILE_CLOSE, QT_TRANSLATE_NOOP("CMainFrame", "&Close"), QT_TRANSLATE_NOOP("CMainFrame", "Close Current Data"), ""},
    {ID_FILE_SAVE, QT_TRANSLATE_NOOP("CMainFrame", "&Save\tCtrl+S"), QT_TRANSLATE_NOOP("CMainFrame", "Save Current Data"), QT_TRANSLATE_NOOP("CMainFrame", "Save")},
    {ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("CMainFrame", "Save &As..."), QT_TRANSLATE_NOOP("CMainFrame", "Save Current Data with New Name"), ""},
    {ID_SAVE_SPECTRAL_CSV, QT_TRANSLATE_NOOP("CMainFrame", "Save as CSV(Spectral Data)"), QT_TRANSLATE_NOOP("CMainFrame", "Save Data as CSV Format"),
     QT_TRANSLATE_NOOP("CMainFrame", "Save as CSV")},
    {ID_SAVE_CALC_CSV, QT_TRANSLATE_NOOP("CMainFrame", "Save as CSV(Calculated Data)"), QT_TRANSLATE_NOOP("CMainFrame", "Save Calcurated Data as CSV Format"), ""},
    {ID_CSV_SETTINGS, QT_TRANSLATE_NOOP("CMainFrame", "CSV Settings"), QT_TRANSLATE_NOOP("CMainFrame", "Data settings for displaying data"), QT_TRANSLATE_NOOP("CMainFrame", "Data Settings")},
    {ID_FILE_PRINT_PREVIEW, QT_TRANSLATE_NOOP("CMainFrame", "Print Pre&view"), QT_TRANSLATE_NOOP("CMainFrame", "Print Preview"), ""},
    {ID_FILE_PRINT, QT_TRANSLATE_NOOP("CMainFrame", "&Print...\tCtrl+P"), QT_TRANSLATE_NOOP("CMainFrame", "Print Current Data"), QT_TRANSLATE_NOOP("CMainFrame", "Print")},
    {ID_FILE_PRINT_SETUP, QT_TRANSLATE_NOOP("CMainFrame", "P&rinter Settings..."), QT_TRANSLATE_NOOP("CMainFrame", "Change Printer Setup"), ""},
    {ID_APP_EXIT, QT_TRANSLATE_NOOP("CMainFrame", "E&xit"), QT_TRANSLATE_NOOP("CMainFrame", "Quit the application"), ""},
    {ID_EDIT_SELECT_ALL, QT_TRANSLATE_NOOP("CMainFrame", "Se&lect All"), QT_TRANSLATE_NOOP("CMainFrame", "Select All Data"), ""},
    {ID_EDIT_COPY, QT_TRANSLATE_NOOP("CMainFrame", "&Copy\tCtrl+C"), QT_TRANSLATE_NOOP("CMainFrame", "Copy Selected Data to Clipboard"), QT_TRANSLATE_NOOP("CMainFrame", "Copy")},
    {ID_EDIT_PASTE, QT_TRANSLATE_NOOP("CMainFrame", "&Paste\tCtrl+V"), QT_TRANSLATE_NOOP("CMainFrame", "Insert Clipboard contents"), QT_TRANSLATE_NOOP("CMainFrame", "Paste")},
    {ID_DELETE, QT_TRANSLATE_NOOP("CMainFrame", "&Delete"), QT_TRANSLATE_NOOP("CMainFrame", "Delete Selected Data"), ""},
    {ID_VIEW_TOOLBAR, QT_TRANSLATE_NOOP("CMainFrame", "&Tool Bar"), QT_TRANSLATE_NOOP("CMainFrame", "Show or hide the toolbar"), ""},
    {ID_VIEW_STATUS_BAR, QT_TRANSLATE_NOOP("CMainFrame", "&Status Bar"), QT_TRANSLATE_NOOP("CMainFrame", "Show or hide the status bar"), ""},
    {ID_TILED_DATA, QT_TRANSLATE_NOOP("CMainFrame", "Ti&led Data"), QT_TRANSLATE_NOOP("CMainFrame", "Back to tiled data view"), QT_TRANSLATE_NOOP("CMainFrame", "Tiled Data")},
    {ID_SELECTED_DATA, QT_TRANSLATE_NOOP("CMainFrame", "S&elected Data"), QT_TRANSLATE_NOOP("CMainFrame", "Show Selected Data"), QT_TRANSLATE_NOOP("CMainFrame", "Selected Data")},
    {ID_GRAPH_SETTINGS, QT_TRANSLATE_NOOP("CMainFrame", "&Graph Settings"), QT_TRANSLATE_NOOP("CMainFrame", "Graph Setting"), QT_TRANSLATE_NOOP("CMainFrame", "Graph")},
    {ID_TILE_SIZE, QT_TRANSLATE_NOOP("CMainFrame", "Tile Si&ze"), QT_TRANSLATE_NOOP("CMainFrame", "Change Tiled Data Size"), ""},
    {ID_NEXT_DATA, QT_TRANSLATE_NOOP("CMainFrame", "&Next Data"), QT_TRANSLATE_NOOP("CMainFrame", "Go to Next Data"), QT_TRANSLATE_NOOP("CMainFrame", "Next Data")},
    {ID_PREV_DATA, QT_TRANSLATE_NOOP("CMainFrame", "&Previous Data"), QT_TRANSLATE_NOOP("CMainFrame", "Go to Previous Data"), QT_TRANSLATE_NOOP("CMainFrame", "Previous Data")},
    {ID_WINDOW_CASCADE, QT_TRANSLATE_NOOP("CMainFrame", "&Cascade"), QT_TRANSLATE_NOOP("CMainFrame", "Arrange Window as Cascade"), ""},
    {ID_WINDOW_TILE_HORZ, QT_TRANSLATE_NOOP("CMainFrame", "&Tile"), QT_TRANSLATE_NOOP("CMainFrame", "Arrange Windows as Tiled"), ""},
    {ID_APP_ABOUT, QT_TRANSLATE_NOOP("CMainFrame", "&About Radview..."), QT_TRANSLATE_NOOP("CMainFrame", "Display program information, version number and copyright"),
     QT_TRANSLATE_NOOP("CMainFrame", "About")},
};

}  // namespace

std::span<const CommandText> CommandTexts() { return kCommands; }
