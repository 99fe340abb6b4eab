#include "DayExport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "AtomicFile.h"
#include "NativePath.h"

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

// The picture's bytes in the format of suffix; empty when it cannot be made.
QByteArray DayPicture(const QString& suffix, QSize size, const rad::PageDrawer& draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (suffix == QLatin1String("png")) {
        QImage image(size, QImage::Format_RGB32);
        if (image.isNull() || !Paint(image, size, draw) || !image.save(&buffer, "PNG")) return {};
    } else if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        if (!Paint(svg, size, draw)) return {};
    } else if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPointsPerInch);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        if (!Paint(pdf, size, draw)) return {};
    }
    return buffer.data();
}

}  // namespace

bool SaveDayPicture(const QString& path, QSize size, const rad::PageDrawer& draw) {
    if (size.isEmpty()) return false;
    const QByteArray bytes = DayPicture(QFileInfo(path).suffix().toLower(), size, draw);
    // Through the atomic writer: an old picture stays whole, and no FIFO is written to.
    return !bytes.isEmpty() &&
           rad::WriteFileAtomic(
               PathBytes(path),
               std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))) == 0;
}
