#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "GraphText.h"
#include "GraphTypes.h"

class CResample;
class CRsdData;
class QPainter;

namespace rad {

// Distance between ticks for a span: the first of the 1-2-5 series from 1000000 down that
// gives at least five whole intervals, else 0.001 (also for a span of zero or less).
double TickStep(double span);

// Upper bound of tick marks on one axis; only absurd ranges reach it, and then the axis
// is left unlabelled rather than drawing millions of lines.
inline constexpr double kMaxTicks = 10000;

}  // namespace rad

// The plot rectangle, the axis ranges and the tick steps, and the drawing primitives of the
// graph page. Every primitive restores what it changes on the painter.
//
// A range of zero width (xFrom == xTo, yTop == yBottom) cannot be mapped: everything that
// needs that axis (its ticks, grid lines, curves, pixel data) is skipped and the frame is
// still drawn. A reversed range maps mirrored, as the formula gives, and has no ticks.
class CGraph : public rad::PlotRect {
  public:
    virtual ~CGraph() = default;

    double xFrom = 0;
    double xTo = 0;
    double yTop = 0;
    double yBottom = 0;
    double xStep = 0;
    double yStep = 0;

    void SetRect(const rad::PlotRect& rect) { static_cast<rad::PlotRect&>(*this) = rect; }
    bool HasXRange() const;
    bool HasYRange() const;
    // Logical coordinate of a wavelength / an irradiance, truncated and clamped to 16 bits;
    // nullopt when the axis has no range or the value is not a number.
    std::optional<int> MapX(double wavelength) const;
    std::optional<int> MapY(double value) const;

    void CalcTickSteps();
    // Tick values xFrom..xTo / yBottom..yTop at the steps; empty for an axis without range.
    std::vector<double> XTicks() const;
    std::vector<double> YTicks() const;
    void DrawFrame(QPainter& painter, int penWidth, int color) const;
    void DrawXLabels(QPainter& painter, const rad::GraphFont& font, int color) const;
    void DrawYLabels(QPainter& painter, const rad::GraphFont& font, int color) const;
    void DrawXGrid(QPainter& painter, int color) const;
    void DrawYGrid(QPainter& painter, int color) const;
    void DrawSpectrum(QPainter& painter, const CResample& spectrum, int color) const;
    void DrawPixelData(QPainter& painter, const CRsdData& data, int index, int color) const;
    // A line through (xs[i], ys[i]); a value that is not a number breaks it. dashed: a
    // reference curve beside the measured ones.
    void DrawSeries(QPainter& painter, std::span<const double> xs, std::span<const double> ys,
                    int color, bool dashed = false) const;
    void DrawTextBox(QPainter& painter, const rad::GraphFont& font, const rad::PlotRect& box,
                     const std::string& text) const;
    void DrawLegend(QPainter& painter, const rad::GraphFont& font, const rad::PlotRect& box,
                    const std::vector<const CResample*>& spectra,
                    const std::vector<int>& colors) const;

  private:
    // Pen of width 1 in the colour, clipped one unit inside the plot; skipped when the ranges
    // cannot be mapped.
    void DrawCurves(QPainter& painter, int color, const std::function<void(QPainter&)>& draw,
                    bool dashed = false) const;
};
