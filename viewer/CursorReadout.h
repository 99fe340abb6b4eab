#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

class CGraph;
class CResample;
class QPainter;

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

// The cross through the plot at cross and the read-out text below the plot's right end, on a
// drawing area of W x H.
void DrawCursorCross(QPainter& painter, const CGraph& graph, QSize area, QPoint cross,
                     const QString& text);
