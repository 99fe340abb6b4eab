#pragma once

#include <QPoint>
#include <QSize>

class QPaintDevice;
class QPainter;

namespace rad {

// The clipboard picture is always 640 x 480.
inline constexpr QSize kClipboardArea{640, 480};

// Largest 4:3 area in the top-left corner of a window's client area.
QSize ScreenDrawingArea(QSize client);

// A printed page: 4:3 in physical proportions (the printer's pixels may not be square), with
// a 5 % margin at the top and left given by the logical origin.
struct PrintArea {
    QPoint origin;  // device position of logical (0, 0)
    QSize size;     // W x H in device units
};
PrintArea PrinterDrawingArea(int horzRes, int vertRes, int dpiX, int dpiY);
PrintArea PrinterDrawingArea(const QPaintDevice& printer);
// Moves the painter's origin to the page's margin and returns W x H.
QSize BeginPrintPage(QPainter& painter, const QPaintDevice& printer);

}  // namespace rad
