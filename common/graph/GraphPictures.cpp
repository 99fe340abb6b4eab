#include "GraphPictures.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>

#include "DrawingArea.h"

namespace rad {
namespace {

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

bool WritePdfPage(const QString& path, const PageDrawer& draw) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QSize area = BeginPrintPage(painter, printer);
    draw(painter, area);
    return painter.end();
}

}  // namespace rad
