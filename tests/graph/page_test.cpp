#include <gtest/gtest.h>

#include "Graph.h"
#include "GraphPage.h"
#include "GraphTestSupport.h"
#include "GraphTile.h"
#include "LocalTime.h"
#include "SyntheticData.h"

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
constexpr int kRed = 255;
constexpr int kBlue = 255 << 16;

QRgb Rgb(int colorref) { return rad::ToQColor(colorref).rgb(); }

// First row of every band of rows that hold anything but white inside the columns.
std::vector<int> InkBandTops(const QImage& image, int left, int right) {
    std::vector<int> tops;
    bool previous = false;
    for (int y = 0; y < image.height(); ++y) {
        const bool ink = HasInk(image, QRect(left, y, right - left, 1));
        if (ink && !previous) tops.push_back(y);
        previous = ink;
    }
    return tops;
}

CGraph PlotGraph() { return MakeGraph(rad::PlotRect{20, 20, 220, 170}, 300, 1800, 0, 100); }

}  // namespace

TEST(Curve, LeavingTheRangeIsCutOneUnitInsideTheFrame) {
    const CGraph graph = PlotGraph();
    CResample spectrum = FlatSpectrum(300, 1800, 50);
    for (int w = 1000; w <= 1800; ++w) spectrum.m_pValue[w - 300] = 150;  // far above yTop
    const QImage image = Paint(QSize(240, 190), [&](QPainter& p) {
        graph.DrawFrame(p, 1, 0);
        graph.DrawSpectrum(p, spectrum, kRed);
    });
    const int x = *graph.MapX(1000);
    EXPECT_TRUE(HasColor(image, Rgb(kRed), QRect(x - 1, graph.top + 1, 3, 1)));
    EXPECT_FALSE(HasColor(image, Rgb(kRed), QRect(0, 0, 240, graph.top + 1)));
    EXPECT_EQ(image.pixel(x, graph.top), Rgb(0));  // the frame stays whole
    // A flat line on the bottom value lies on the frame and is cut away entirely.
    const QImage floor = Paint(QSize(240, 190), [&](QPainter& p) {
        graph.DrawSpectrum(p, FlatSpectrum(300, 1800, 0), kRed);
    });
    EXPECT_FALSE(HasColor(floor, Rgb(kRed), floor.rect()));
}

TEST(Curve, PixelDataOnlyWithDispZeroAndUnderTheCurve) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 1, {kQS200, kQS300}, *rad::LocalFieldsToTime(2024, 5, 1, 12, 0, 0),
                          600);
    CResample spectrum;
    spectrum.Resample(set, 0);
    ASSERT_FALSE(spectrum.IsEmpty());
    GraphPage page;
    page.area = QSize(640, 480);
    page.spectra = {&spectrum};
    page.data = &set;
    page.pixelRecords = {0};
    auto draw = [&](int disp) {
        page.disp = disp;
        CGraph graph;
        return Paint(page.area, [&](QPainter& p) { rad::DrawGraphPage(p, graph, page); });
    };
    const QImage withPixels = draw(0);
    const QImage without = draw(1);
    const QRgb grey = qRgb(200, 200, 200);
    const rad::PlotRect plot = rad::PagePlotRect(page.area);
    const QRect inside(plot.left + 1, plot.top + 1, plot.Width() - 2, plot.Height() - 2);
    EXPECT_TRUE(HasColor(withPixels, grey, inside));
    EXPECT_FALSE(HasColor(without, grey, inside));
    const QRgb red = Rgb(page.settings.color0);
    int curvePixels = 0;
    for (int y = 0; y < without.height(); ++y)
        for (int x = 0; x < without.width(); ++x)
            if (without.pixel(x, y) == red) {
                ++curvePixels;
                EXPECT_EQ(withPixels.pixel(x, y), red) << x << "," << y;
            }
    EXPECT_GT(curvePixels, 100);
}

TEST(TextBox, LineAdvanceAndEmptyLastLine) {
    const CGraph graph = PlotGraph();
    const rad::GraphFont font = rad::MakeCellFont(16);
    const rad::PlotRect box{10, 10, 200, 190};
    auto draw = [&](const std::string& text) {
        return Paint(QSize(210, 200), [&](QPainter& p) { graph.DrawTextBox(p, font, box, text); });
    };
    const QImage four = draw("A\nA\nA\nA");
    const int advance = [&] {
        QImage probe(1, 1, QImage::Format_RGB32);
        QPainter p(&probe);
        return rad::TextHeight(p, font) * 12 / 10;
    }();
    const std::vector<int> tops = InkBandTops(four, box.left, box.right);
    ASSERT_EQ(tops.size(), 4u);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(tops[i] - tops[0], i * advance);
    EXPECT_EQ(draw("A\nA\nA\n"), draw("A\nA\nA"));  // the empty fourth line draws nothing
    // Lines past the box bottom are clipped away.
    const QImage clipped = Paint(QSize(210, 200), [&](QPainter& p) {
        graph.DrawTextBox(p, font, rad::PlotRect{10, 10, 200, 10 + advance}, "A\nA\nA");
    });
    EXPECT_EQ(InkBandTops(clipped, 10, 200).size(), 1u);
}

TEST(Legend, OneLineSampleAndLabelPerSpectrumInTableColours) {
    const CGraph graph = PlotGraph();
    const rad::GraphFont font = rad::MakeCellFont(16);
    const rad::PlotRect box{10, 10, 200, 190};
    std::vector<CResample> spectra(3, FlatSpectrum(400, 500, 1));
    spectra[0].m_strLabel = "2024/05/01  12:00:00";
    std::vector<const CResample*> shown;
    for (const CResample& s : spectra) shown.push_back(&s);
    const QImage image = Paint(QSize(210, 200), [&](QPainter& p) {
        graph.DrawLegend(p, font, box, shown, {kRed, kBlue});
    });
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter p(&probe);
    const int lineHeight = static_cast<int>(rad::TextHeight(p, font) * 1.2 + 0.5);
    const int colors[] = {kRed, kBlue, kRed};
    for (int j = 0; j < 3; ++j) {
        const int y = box.top + j * lineHeight + lineHeight / 2;
        EXPECT_EQ(image.pixel(box.left + 20, y), Rgb(colors[j])) << j;
        EXPECT_EQ(image.pixel(box.left + 5, y), kWhite);
    }
    EXPECT_TRUE(HasInk(image, QRect(box.left + 40, box.top, 100, lineHeight)));
    EXPECT_FALSE(HasInk(image, QRect(box.left + 40, box.top + lineHeight, 100, 2 * lineHeight)));
}

TEST(Page, RightBoxAndHeaderTextsPerProgram) {
    GraphPage page;
    page.area = QSize(1000, 750);
    EXPECT_EQ(rad::PageRightBox(page).right, 1000);
    page.program = GraphProgram::Radview;
    EXPECT_EQ(rad::PageRightBox(page).left, 820);
    EXPECT_EQ(rad::PageRightBox(page).right, 1200);
    EXPECT_EQ(rad::PagePlotRect(page.area).top, rad::PageRightBox(page).top);

    const CResample a = FlatSpectrum(300, 1800, 50);
    const CResample b = FlatSpectrum(300, 1800, 40);
    page.dateText = "2024/05/01  12:00:00";
    page.lineColors = {kRed, kBlue};
    auto headerInk = [&](std::vector<const CResample*> spectra) {
        page.spectra = std::move(spectra);
        CGraph graph;
        const QImage image =
            Paint(page.area, [&](QPainter& p) { rad::DrawGraphPage(p, graph, page); });
        return HasInk(image, QRect(graph.left, graph.top - 20, 100, 18));
    };
    EXPECT_TRUE(headerInk({&a}));
    EXPECT_FALSE(headerInk({&a, &b}));  // several: legend instead of header texts
    page.program = GraphProgram::Radlog;
    EXPECT_TRUE(headerInk({}));  // Radlog always draws them
}

TEST(Tile, GeometryAndPicture) {
    EXPECT_EQ(rad::CatalogTileSize(7), QSize(80, 60));  // an unknown size: the default
    // The frame on the plot 3..77 x 3..51, the time below it.
    GraphSettings settings;
    settings.grid = false;  // grid lines may lie outside the frame's last column
    const QImage tile =
        rad::RenderCatalogTile(QSize(80, 60), FlatSpectrum(300, 1800, 10), settings, 1700000000);
    ASSERT_EQ(tile.size(), QSize(80, 60));
    EXPECT_EQ(tile.pixel(3, 25), Rgb(settings.color1));
    EXPECT_EQ(tile.pixel(76, 25), Rgb(settings.color1));
    EXPECT_EQ(tile.pixel(77, 25), kWhite);
    EXPECT_TRUE(HasColor(tile, Rgb(settings.color0), QRect(4, 4, 72, 46)));
    EXPECT_TRUE(HasInk(tile, QRect(3, 51, 74, 8)));  // the time below
}
