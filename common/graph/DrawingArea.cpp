#include "DrawingArea.h"

#include <QPaintDevice>
#include <QPainter>

namespace rad {

QSize ScreenDrawingArea(QSize client) {
    const int width = client.width();
    const int height = client.height();
    if (width * 0.75 > height) return QSize(static_cast<int>(height / 0.75), height);
    return QSize(width, static_cast<int>(width * 0.75));
}

PrintArea PrinterDrawingArea(int horzRes, int vertRes, int dpiX, int dpiY) {
    if (dpiX <= 0 || dpiY <= 0) return PrintArea{};
    int h0 = static_cast<int>(dpiY * (horzRes * 0.75) / dpiX);
    int w0 = horzRes;
    if (h0 > vertRes) {
        w0 = static_cast<int>(static_cast<long long>(vertRes) * horzRes / h0);
        h0 = vertRes;
    }
    return PrintArea{QPoint(w0 / 20, h0 / 20), QSize(w0 - w0 / 20, h0 - h0 / 20)};
}

PrintArea PrinterDrawingArea(const QPaintDevice& printer) {
    return PrinterDrawingArea(printer.width(), printer.height(), printer.logicalDpiX(),
                              printer.logicalDpiY());
}

QSize BeginPrintPage(QPainter& painter, const QPaintDevice& printer) {
    const PrintArea area = PrinterDrawingArea(printer);
    painter.translate(area.origin);
    return area.size;
}

}  // namespace rad
