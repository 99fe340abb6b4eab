#pragma once

#include <cstddef>
#include <vector>

class CGraph;
class QPainter;
struct DaySeries;

namespace rad {

// A ring around each point of the curve whose record carries a quality flag that says
// something is wrong (night aside), for the rows first to last (excluded) that the plot shows;
// values are the curve's, one per row of the series.
void DrawFlaggedPoints(QPainter& painter, const CGraph& graph, const DaySeries& series,
                       const std::vector<double>& values, std::size_t first, std::size_t last,
                       int penWidth);

}  // namespace rad
