#include "DayFlags.h"

#include <QPainter>
#include <algorithm>

#include "DaySeries.h"
#include "Graph.h"
#include "QcFlags.h"

namespace rad {

namespace {
const QColor kFlagColor(0xd0, 0x30, 0x20);  // the catalog's marker colour
}  // namespace

void DrawFlaggedPoints(QPainter& painter, const CGraph& graph, const DaySeries& series,
                       const std::vector<double>& values, std::size_t first, std::size_t last,
                       int penWidth) {
    const int radius = std::max(3, 3 * penWidth);
    painter.save();
    painter.setClipRect(QRect(graph.left, graph.top, graph.Width(), graph.Height()));
    painter.setPen(QPen(kFlagColor, penWidth));
    painter.setBrush(Qt::NoBrush);
    last = std::min({last, series.rows.size(), values.size()});
    for (std::size_t r = first; r < last; ++r) {
        if ((series.rows[r].qc & kQcFaults) == 0) continue;
        const auto x = graph.MapX(series.hours[r]);
        const auto y = graph.MapY(values[r]);
        if (x && y) painter.drawEllipse(QPoint(*x, *y), radius, radius);
    }
    painter.restore();
}

}  // namespace rad
