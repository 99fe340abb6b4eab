#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>

class QPainter;

namespace rad {

// Draws one page of W x H logical units into a painter whose target is already white.
using PageDrawer = std::function<void(QPainter&, QSize)>;

// The page on a picture of the given size, in the largest 4:3 area as on screen; empty
// when the picture cannot be made.
QByteArray SvgPicture(QSize size, const PageDrawer& draw);
QByteArray PngPicture(QSize size, const PageDrawer& draw);
// One printed page (A4 landscape, 5 % margins) as a PDF; empty when it cannot be made.
QByteArray PdfPage(const PageDrawer& draw);

}  // namespace rad
