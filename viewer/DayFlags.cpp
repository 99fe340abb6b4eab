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
                       const std::vector<double>& values, int penWidth) {
    const int radius = std::max(3, 3 * penWidth);
    painter.save();
    painter.setPen(QPen(kFlagColor, penWidth));
    painter.setBrush(Qt::NoBrush);
    for (std::size_t r = 0; r < series.rows.size() && r < values.size(); ++r) {
        if ((series.rows[r].qc & kQcFaults) == 0) continue;
        const auto x = graph.MapX(series.hours[r]);
        const auto y = graph.MapY(values[r]);
        if (x && y) painter.drawEllipse(QPoint(*x, *y), radius, radius);
    }
    painter.restore();
}

}  // namespace rad
