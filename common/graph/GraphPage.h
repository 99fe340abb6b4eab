#pragma once

#include <QSize>
#include <string>
#include <vector>

#include "Graph.h"
#include "GraphTypes.h"
#include "SettingsBlocks.h"

class CResample;
class CRsdData;
class QPainter;

// Everything one graph page shows. Radlog passes its current spectrum and the last record
// of the day; Radview the shown spectra and the shown record indices.
struct GraphPage {
    GraphProgram program = GraphProgram::Radlog;
    QSize area;  // W x H in logical units (see DrawingArea.h)
    GraphSettings settings;
    int disp = 1;  // [MODE] DISP: 0 also draws the measured pixel values
    std::vector<const CResample*> spectra;
    const CRsdData* data = nullptr;  // source of the pixel data
    std::vector<int> pixelRecords;   // records whose pixel data are drawn when disp is 0
    std::string title;
    std::string dateText;
    std::string integralText;
    std::string statusText;
    std::vector<int> lineColors;  // Radview's line colour table, COLORREF
};

namespace rad {

// Plot rectangle of a page of W x H.
PlotRect PagePlotRect(QSize area);
// yTop of the page: 1.2 x the largest value of the spectra with auto scale, else TOP.
double PageTopValue(const GraphPage& page);
// The box at the right of the plot for the status report or the legend.
PlotRect PageRightBox(const GraphPage& page);

// Composes the whole page into the painter; graph keeps the rectangle, ranges and steps
// for the caller's cursor read-out.
void DrawGraphPage(QPainter& painter, CGraph& graph, const GraphPage& page);

}  // namespace rad
