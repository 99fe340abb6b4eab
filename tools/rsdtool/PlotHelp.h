#pragma once

// Help of the plot command, shown by rsdtool and by the drawing program it starts.
inline constexpr const char* kPlotHelp =
    "usage: rsdtool plot [--profile INI] [--size WxH] FILE INDEX... -o OUT.png|OUT.svg|OUT.pdf\n"
    "Draws the graph page of the records INDEX (0-based) as Radview's detailed view does: one\n"
    "record with its header texts and status report, several in the line colours with a\n"
    "legend. [GRAPH], [MODE] and [COLOR_TABLE] come from a Radview profile (defaults without\n"
    "one). PNG and SVG are WxH (default 1024x768), PDF one A4 landscape page.\n";
