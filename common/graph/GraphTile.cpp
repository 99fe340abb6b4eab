#include "GraphTile.h"

#include <QPainter>
#include <array>
#include <stdexcept>

#include "Graph.h"
#include "LocalTime.h"
#include "Resample.h"

namespace rad {

QSize CatalogTileSize(int catSize) {
    static constexpr std::array<QSize, 4> kSizes = {QSize(40, 30), QSize(80, 60), QSize(160, 120),
                                                    QSize(240, 180)};
    return catSize >= 0 && catSize < 4 ? kSizes[static_cast<std::size_t>(catSize)] : kSizes[1];
}

PlotRect TilePlotRect(QSize tile) {
    const int w = tile.width();
    const int h = tile.height();
    return PlotRect{3, 3, w - 3, h - 1 - (h / 10 + 2)};
}

void DrawCatalogTile(QPainter& painter, QSize tile, const CResample& spectrum,
                     const GraphSettings& settings, const std::string& timeText) {
    CGraph graph;
    graph.SetRect(TilePlotRect(tile));
    graph.xFrom = settings.left;
    graph.xTo = settings.right;
    graph.yBottom = settings.bottom;
    graph.yTop = settings.autoScale ? spectrum.m_dMax * 1.2 : settings.top;
    graph.CalcTickSteps();

    painter.save();
    painter.setBrush(Qt::white);
    graph.DrawFrame(painter, 1, settings.color1);
    if (!spectrum.IsEmpty()) {
        if (settings.grid) {
            graph.DrawXGrid(painter, settings.color1);
            graph.DrawYGrid(painter, settings.color1);
        }
        graph.DrawSpectrum(painter, spectrum, settings.color0);
    }
    DrawAlignedText(painter, MakeCharFont(tile.height() / 10), QPoint(graph.left, graph.bottom),
                    QString::fromStdString(timeText), HAlign::Left, VAlign::Top);
    painter.restore();
}

QImage RenderCatalogTile(QSize tile, const CResample& spectrum, const GraphSettings& settings,
                         int64_t time) {
    QImage image(tile, QImage::Format_RGB32);
    image.fill(Qt::white);
    std::string timeText;
    try {
        timeText = FormatLocalTime(time, "%Y/%m/%d %H:%M:%S");
    } catch (const std::invalid_argument&) {
        // A time the C library cannot convert leaves the tile without its caption.
    }
    QPainter painter(&image);
    DrawCatalogTile(painter, tile, spectrum, settings, timeText);
    return image;
}

}  // namespace rad
