#include "Graph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "GraphPage.h"
#include "GraphTestSupport.h"

namespace {

CGraph MakeGraph(double xFrom, double xTo, double yBottom, double yTop) {
    return ::MakeGraph(rad::PlotRect{100, 50, 500, 350}, xFrom, xTo, yBottom, yTop);
}

}  // namespace

TEST(TickRule, FirstStepWithFiveIntervals) {
    const std::pair<double, double> cases[] = {{1500, 200},    {100, 20},  {50, 10},     {20, 2},
                                               {5, 1},         {1, 0.2},   {99.96, 10},  {4.9, 0.5},
                                               {0.004, 0.001}, {0, 0.001}, {-50, 0.001}, {1e9, 1e6},
                                               {0.01, 0.002}};
    for (const auto& [span, step] : cases) EXPECT_DOUBLE_EQ(rad::TickStep(span), step) << span;
}

TEST(Ticks, DefaultRangesAndAutoScale) {
    const CGraph standard = MakeGraph(300, 1800, 0, 100);
    EXPECT_EQ(standard.XTicks(),
              (std::vector<double>{400, 600, 800, 1000, 1200, 1400, 1600, 1800}));
    EXPECT_EQ(standard.YTicks(), (std::vector<double>{0, 20, 40, 60, 80, 100}));

    GraphPage page;
    page.program = GraphProgram::Radview;
    const CResample spectrum = FlatSpectrum(300, 1800, 83.3);
    page.spectra = {&spectrum};
    const CGraph scaled = MakeGraph(300, 1800, 0, rad::PageTopValue(page));
    EXPECT_EQ(scaled.YTicks().size(), 10u);  // 0.0 .. 90.0 in steps of 10
    EXPECT_NEAR(scaled.YTicks().back(), 90, 1e-9);

    const CGraph narrow = MakeGraph(300, 1800, 10.000, 10.004);
    EXPECT_LE(narrow.YTicks().size(), 5u);  // a step of 0.001: at most four intervals

    // Auto scale follows the spectrum shown (Radlog) or the largest of all shown (Radview).
    const CResample low = FlatSpectrum(400, 500, 10);
    const CResample high = FlatSpectrum(400, 500, 50);
    page.spectra = {&low, &high};
    page.program = GraphProgram::Radlog;
    EXPECT_DOUBLE_EQ(rad::PageTopValue(page), 12);
    page.program = GraphProgram::Radview;
    EXPECT_DOUBLE_EQ(rad::PageTopValue(page), 60);
    page.settings.autoScale = false;
    page.settings.top = 7;
    EXPECT_DOUBLE_EQ(rad::PageTopValue(page), 7);
}

TEST(Mapping, TruncatesAndClampsToSixteenBits) {
    const CGraph graph = MakeGraph(300, 1800, 0, 100);
    using Case = std::pair<double, int>;  // value, coordinate
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // 400 units for 1500 nm: 0.27 units per nm, truncated towards zero on both sides.
    const Case xCases[] = {{300, 100},   {1800, 500},    {301, 100},    {299, 100},
                           {1e9, 32767}, {-1e9, -32768}, {1e300, 32767}};
    for (const auto& [value, coord] : xCases) EXPECT_EQ(graph.MapX(value), coord) << value;
    // 300 units for 100 W/m2/um, y growing downwards.
    const Case yCases[] = {{0, 350},    {100, 50},     {0.5, 349},
                           {-0.5, 351}, {1e9, -32768}, {-1e9, 32767}};
    for (const auto& [value, coord] : yCases) EXPECT_EQ(graph.MapY(value), coord) << value;
    EXPECT_EQ(graph.MapX(nan), std::nullopt);
    // An infinite pixel has no place on the page either: the curve breaks there.
    EXPECT_EQ(graph.MapY(std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(Mapping, DegenerateAndReversedRanges) {
    const CGraph flat = MakeGraph(500, 500, 0, 0);
    EXPECT_EQ(flat.MapX(500), std::nullopt);
    EXPECT_EQ(flat.MapY(0), std::nullopt);
    EXPECT_TRUE(flat.XTicks().empty());
    EXPECT_TRUE(flat.YTicks().empty());

    const CGraph reversed = MakeGraph(1800, 300, 100, 0);
    EXPECT_EQ(reversed.MapX(1800), 100);  // mirrored, as the formula gives
    EXPECT_EQ(reversed.MapX(300), 500);
    EXPECT_TRUE(reversed.XTicks().empty());
    EXPECT_TRUE(reversed.YTicks().empty());

    const CGraph huge = MakeGraph(-1e308, 1e308, 0, 100);
    EXPECT_FALSE(huge.HasXRange());  // the span overflows
    const CGraph wide = MakeGraph(0, 1e12, 0, 100);
    EXPECT_TRUE(wide.XTicks().empty());  // a million ticks would be no axis at all
}

TEST(Curves, DegenerateRangeDrawsFrameOnly) {
    GraphPage page;
    page.area = QSize(400, 300);
    page.settings.bottom = 0;
    const CResample zero = FlatSpectrum(300, 1800, 0);  // auto scale gives yTop = 0
    page.spectra = {&zero};
    page.statusText = "status";
    CGraph graph;
    const QImage image = Paint(page.area, [&](QPainter& p) { rad::DrawGraphPage(p, graph, page); });
    const QRgb frame = rad::ToQColor(page.settings.color1).rgb();
    EXPECT_EQ(image.pixel(graph.left, (graph.top + graph.bottom) / 2), frame);
    // The X axis still has its grid; no curve colour anywhere.
    EXPECT_TRUE(HasColor(image, frame, QRect(*graph.MapX(1000), graph.top + 5, 1, 5)));
    EXPECT_FALSE(HasColor(image, rad::ToQColor(page.settings.color0).rgb(), image.rect()));
}
