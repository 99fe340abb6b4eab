#pragma once

#include <memory>

#include "DrawingArea.h"
#include "GraphPictures.h"
#include "GraphTypes.h"

class QMimeData;
class QWidget;

namespace rad {

inline constexpr const char* kSvgMime = "image/svg+xml";

// The page as a vector picture (image/svg+xml) and as image/png in one QMimeData, on a picture
// of size; null when either picture cannot be made.
std::unique_ptr<QMimeData> MakeGraphMimeData(const PageDrawer& draw, QSize size = kClipboardArea);

// The Copy command: puts the page on the clipboard, or shows the program's message that the
// copy failed (string 61446). Returns whether the clipboard got the picture.
bool CopyGraphToClipboard(QWidget* parent, GraphProgram program, const PageDrawer& draw,
                          QSize size = kClipboardArea);

}  // namespace rad
