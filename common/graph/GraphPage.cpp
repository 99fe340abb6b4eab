#include "GraphPage.h"

#include <QPainter>
#include <algorithm>

#include "Resample.h"
#include "RsdData.h"

namespace rad {
namespace {

// Measured pixel values lie under the curves in light grey.
constexpr int kPixelDataColor = 200 | (200 << 8) | (200 << 16);
// Radview starts its search for the largest shown value here.
constexpr double kNoMaximum = -999999;
constexpr double kAutoScaleFactor = 1.2;

bool HasValues(const GraphPage& page) {
    return !page.spectra.empty() && !page.spectra.front()->IsEmpty();
}

void DrawTitles(QPainter& painter, const GraphPage& page, const GraphFont& titleFont,
                const GraphFont& labelFont, const GraphFont& yTitleFont) {
    const int w = page.area.width();
    const int h = page.area.height();
    DrawAlignedText(painter, titleFont, QPoint(w / 2, static_cast<int>(0.05 * h)),
                    QString::fromStdString(page.title), HAlign::Center, VAlign::Baseline);
    DrawAlignedText(painter, labelFont, QPoint(w / 2, static_cast<int>(0.95 * h)),
                    QStringLiteral("Wavelength (nm)"), HAlign::Center, VAlign::Baseline);
    DrawAlignedText(painter, yTitleFont, QPoint(static_cast<int>(0.05 * w), h / 2),
                    QStringLiteral("Irradiance(W/m2/um)"), HAlign::Center, VAlign::Baseline);
}

void DrawHeaderTexts(QPainter& painter, const CGraph& graph, const GraphPage& page,
                     const GraphFont& font, int penWidth) {
    if (page.program == GraphProgram::Radview && page.spectra.size() != 1) return;
    const int y = graph.top - penWidth;
    DrawAlignedText(painter, font, QPoint(graph.left, y), QString::fromStdString(page.dateText),
                    HAlign::Left, VAlign::Bottom);
    const QString integral = QString::fromStdString(page.integralText);
    DrawAlignedText(painter, font, QPoint(graph.right - TextWidth(painter, font, integral), y),
                    integral, HAlign::Left, VAlign::Bottom);
}

void DrawData(QPainter& painter, const CGraph& graph, const GraphPage& page,
              const GraphFont& labelFont) {
    const GraphSettings& s = page.settings;
    graph.DrawXLabels(painter, labelFont, s.color1);
    graph.DrawYLabels(painter, labelFont, s.color1);
    if (s.grid) {
        graph.DrawXGrid(painter, s.color1);
        graph.DrawYGrid(painter, s.color1);
    }
    if (page.disp == 0 && page.data) {
        for (int index : page.pixelRecords)
            graph.DrawPixelData(painter, *page.data, index, kPixelDataColor);
    }
    const bool several = page.spectra.size() > 1 && !page.lineColors.empty();
    for (std::size_t j = 0; j < page.spectra.size(); ++j) {
        const int color = several ? page.lineColors[j % page.lineColors.size()] : s.color0;
        graph.DrawSpectrum(painter, *page.spectra[j], color);
    }
    const PlotRect box = PageRightBox(page);
    if (page.spectra.size() > 1)
        graph.DrawLegend(painter, labelFont, box, page.spectra, page.lineColors);
    else
        graph.DrawTextBox(painter, labelFont, box, page.statusText);
}

}  // namespace

PlotRect PagePlotRect(QSize area) {
    const int w = area.width();
    const int h = area.height();
    return PlotRect{static_cast<int>(0.14 * w), static_cast<int>(0.125 * h),
                    static_cast<int>(0.8 * w), static_cast<int>(0.85 * h)};
}

double PageTopValue(const GraphPage& page) {
    if (!page.settings.autoScale) return page.settings.top;
    if (page.program == GraphProgram::Radlog)
        return kAutoScaleFactor * (page.spectra.empty() ? 0.0 : page.spectra.front()->m_dMax);
    double largest = kNoMaximum;
    for (const CResample* spectrum : page.spectra) largest = std::max(largest, spectrum->m_dMax);
    return kAutoScaleFactor * largest;
}

PlotRect PageRightBox(const GraphPage& page) {
    const int w = page.area.width();
    const PlotRect plot = PagePlotRect(page.area);
    // Radview lets status lines run past the drawing area into the rest of the window.
    const int right = page.program == GraphProgram::Radview ? static_cast<int>(1.2 * w) : w;
    return PlotRect{static_cast<int>(0.82 * w), plot.top, right, plot.bottom};
}

void DrawGraphPage(QPainter& painter, CGraph& graph, const GraphPage& page) {
    const int h = page.area.height();
    graph.SetRect(PagePlotRect(page.area));
    graph.xFrom = page.settings.left;
    graph.xTo = page.settings.right;
    graph.yBottom = page.settings.bottom;
    graph.yTop = PageTopValue(page);

    const GraphFont titleFont = MakeCellFont(h / 30);
    const GraphFont labelFont = MakeCellFont(h / 50);
    const GraphFont yTitleFont = MakeCellFont(h / 50, 900);
    const int penWidth = std::max(1, h / 500);

    painter.save();
    painter.setBrush(Qt::white);  // the frame's interior, as a fresh device context paints it
    DrawTitles(painter, page, titleFont, labelFont, yTitleFont);
    graph.CalcTickSteps();
    graph.DrawFrame(painter, penWidth, page.settings.color1);
    DrawHeaderTexts(painter, graph, page, labelFont, penWidth);
    if (HasValues(page)) DrawData(painter, graph, page, labelFont);
    painter.restore();
}

}  // namespace rad
