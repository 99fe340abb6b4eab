#pragma once

#include <vector>

class CGraph;
class QPainter;
struct DaySeries;

namespace rad {

// A ring around each point of the curve whose record carries a quality flag that says
// something is wrong (night aside); values are the curve's, one per row of the series.
void DrawFlaggedPoints(QPainter& painter, const CGraph& graph, const DaySeries& series,
                       const std::vector<double>& values, int penWidth);

}  // namespace rad
