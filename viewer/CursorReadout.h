#pragma once

#include <QPoint>
#include <optional>

class CGraph;
class CResample;

// The value read at a press in the single-record view: a whole wavelength and the curve's
// value there, with the cross snapped onto the curve.
struct CursorReadout {
    int wavelength = 0;
    double value = 0;
    QPoint cross;
};

// Whether a point lies in the plot (left and top edges in, right and bottom out).
bool InPlot(const CGraph& graph, QPoint point);
// Read-out at a point; nullopt when the axes cannot be mapped.
std::optional<CursorReadout> ReadCursor(const CGraph& graph, const CResample& spectrum,
                                        QPoint point);
