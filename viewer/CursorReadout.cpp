#include "CursorReadout.h"

#include "Graph.h"
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
