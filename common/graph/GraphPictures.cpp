#include "GraphPictures.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "DrawingArea.h"

namespace rad {
namespace {

constexpr int kPdfResolution = 1200;  // dots per inch, as QPrinter::HighResolution gives a PDF

bool PaintPage(QPaintDevice& device, QSize size, const PageDrawer& draw) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    draw(painter, ScreenDrawingArea(size));
    return painter.end();
}

}  // namespace

QByteArray SvgPicture(QSize size, const PageDrawer& draw) {
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    if (!PaintPage(svg, size, draw)) return {};
    return buffer.data();
}

QByteArray PngPicture(QSize size, const PageDrawer& draw) {
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull() || !PaintPage(image, size, draw)) return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return buffer.data();
}

QByteArray PdfPage(const PageDrawer& draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        // A printer's high resolution, on a device whose bytes the caller writes where and
        // how it wants.
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPdfResolution);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&pdf)) return {};
        const QSize area = BeginPrintPage(painter, pdf);
        draw(painter, area);
        if (!painter.end()) return {};
    }
    return buffer.data();
}

}  // namespace rad
