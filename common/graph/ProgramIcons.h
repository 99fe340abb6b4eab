#pragma once

#include <QIcon>

namespace rad {

// A toolbar picture of either program by its bundled name ("open", "graph", ...): the desktop's
// freedesktop icon theme where it has the matching icon (Adwaita where the desktop names no
// theme), else the picture bundled with the programs.
QIcon CommandIcon(const char* name);

}  // namespace rad
