#include "DayExport.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

constexpr int kPointsPerInch = 72;

// The whole device is the page: unlike the graph pages, the day page needs no 4:3 corner.
bool Paint(QPaintDevice& device, QSize size, const rad::PageDrawer& draw) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    draw(painter, size);
    return painter.end();
}

}  // namespace

bool SaveDayPicture(const QString& path, QSize size, const rad::PageDrawer& draw) {
    if (size.isEmpty()) return false;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        QImage image(size, QImage::Format_RGB32);
        return !image.isNull() && Paint(image, size, draw) && image.save(path, "PNG");
    }
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        return Paint(svg, size, draw) && QFileInfo::exists(path);
    }
    if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(path);
        pdf.setResolution(kPointsPerInch);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        return Paint(pdf, size, draw) && QFileInfo(path).size() > 0;
    }
    return false;
}
