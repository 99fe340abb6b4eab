#include "CursorReadout.h"

#include <QPainter>

#include "Graph.h"
#include "GraphText.h"
#include "Resample.h"

bool InPlot(const CGraph& graph, QPoint point) {
    return point.x() >= graph.left && point.x() < graph.right && point.y() >= graph.top &&
           point.y() < graph.bottom;
}

std::optional<CursorReadout> ReadCursor(const CGraph& graph, const CResample& spectrum,
                                        QPoint point) {
    if (graph.Width() == 0 || !graph.HasXRange()) return std::nullopt;
    CursorReadout readout;
    readout.wavelength = static_cast<int>(
        (point.x() - graph.left) * (graph.xTo - graph.xFrom) / graph.Width() + graph.xFrom);
    readout.value =
        spectrum.InRange(readout.wavelength) ? spectrum.GetValue(readout.wavelength) : 0.0;
    const std::optional<int> x = graph.MapX(readout.wavelength);
    const std::optional<int> y = graph.MapY(readout.value);
    if (!x || !y) return std::nullopt;
    readout.cross = QPoint(*x, *y);
    return readout;
}

void DrawCursorCross(QPainter& painter, const CGraph& graph, QSize area, QPoint cross,
                     const QString& text) {
    constexpr int kCursorColor = 0xFF0000;  // COLORREF blue
    painter.save();
    painter.setPen(QPen(rad::ToQColor(kCursorColor), 1));
    painter.drawLine(cross.x(), graph.bottom, cross.x(), graph.top);
    painter.drawLine(graph.left, cross.y(), graph.right, cross.y());
    const rad::GraphFont font = rad::MakeCharFont(graph.Width() / 50);
    rad::DrawAlignedText(painter, font, QPoint(graph.right, static_cast<int>(0.95 * area.height())),
                         text, rad::HAlign::Right, rad::VAlign::Baseline);
    painter.restore();
}
