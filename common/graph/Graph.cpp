#include "Graph.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>

#include "Resample.h"
#include "RsdData.h"
#include "SpectralMath.h"

namespace rad {

double TickStep(double span) {
    static constexpr std::array<double, 27> kCandidates = {
        1000000, 500000, 200000, 100000, 50000, 20000, 10000, 5000,  2000,
        1000,    500,    200,    100,    50,    20,    10,    5,     2,
        1,       0.5,    0.2,    0.1,    0.05,  0.02,  0.01,  0.005, 0.002};
    for (double c : kCandidates) {
        if (std::trunc(span / c) >= 5) return c;
    }
    return 0.001;
}

}  // namespace rad

namespace {

constexpr double kCoordMin = -32768;
constexpr double kCoordMax = 32767;

std::optional<int> MapAxis(int origin, int extent, double value, double from, double span) {
    const double offset = std::trunc(extent * (value - from) / span);
    const double coord = origin + offset;
    // A non-finite value (a NaN or infinite pixel) has no place: the curve breaks there.
    if (!std::isfinite(coord)) return std::nullopt;
    return static_cast<int>(std::clamp(coord, kCoordMin, kCoordMax));
}

bool IsMappable(double from, double to) {
    const double span = to - from;
    return std::isfinite(span) && span != 0;
}

// Every multiple of step inside [from, to].
std::vector<double> TickValues(double from, double to, double step) {
    std::vector<double> ticks;
    const double first = std::ceil(from / step);
    const double last = std::floor(to / step);
    if (!std::isfinite(first) || !std::isfinite(last) || last - first > rad::kMaxTicks)
        return ticks;
    for (double k = first; k <= last; ++k) ticks.push_back(k * step + 0.0);  // -0 becomes 0
    return ticks;
}

QPen SolidPen(int color, int width) {
    QPen pen(rad::ToQColor(color));
    pen.setWidth(width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Clip to the rectangle shrunk by one unit on each side, so curves never touch the frame.
void ClipInside(QPainter& painter, const rad::PlotRect& rect) {
    painter.setClipRect(QRect(rect.left + 1, rect.top + 1, rect.Width() - 2, rect.Height() - 2));
}

// Adds a point unless it repeats the last one; a gap (nullopt) ends the current run.
class PolylineBuilder {
  public:
    explicit PolylineBuilder(QPainter& painter) : m_painter(painter) {}
    ~PolylineBuilder() { Flush(); }

    void Add(std::optional<int> x, std::optional<int> y) {
        if (!x || !y) {
            Flush();
            return;
        }
        const QPoint p(*x, *y);
        if (m_points.isEmpty() || m_points.last() != p) m_points.append(p);
    }
    void Flush() {
        if (m_points.size() > 1) m_painter.drawPolyline(m_points);
        m_points.clear();
    }

  private:
    QPainter& m_painter;
    QPolygon m_points;
};

}  // namespace

bool CGraph::HasXRange() const { return IsMappable(xFrom, xTo); }

bool CGraph::HasYRange() const { return IsMappable(yBottom, yTop); }

std::optional<int> CGraph::MapX(double wavelength) const {
    if (!HasXRange()) return std::nullopt;
    return MapAxis(left, Width(), wavelength, xFrom, xTo - xFrom);
}

std::optional<int> CGraph::MapY(double value) const {
    if (!HasYRange()) return std::nullopt;
    return MapAxis(bottom, -Height(), value, yBottom, yTop - yBottom);
}

std::vector<double> CGraph::XTicks() const {
    return HasXRange() ? TickValues(xFrom, xTo, xStep) : std::vector<double>{};
}

std::vector<double> CGraph::YTicks() const {
    return HasYRange() ? TickValues(yBottom, yTop, yStep) : std::vector<double>{};
}

void CGraph::CalcTickSteps() {
    xStep = rad::TickStep(xTo - xFrom);
    yStep = rad::TickStep(yTop - yBottom);
}

void CGraph::DrawFrame(QPainter& painter, int penWidth, int color) const {
    painter.save();
    painter.setPen(SolidPen(color, penWidth));
    // The outline runs on the first and last pixel inside left..right-1, top..bottom-1.
    painter.drawRect(QRect(left, top, Width() - 1, Height() - 1));
    painter.restore();
}

void CGraph::DrawXLabels(QPainter& painter, const rad::GraphFont& font, int color) const {
    painter.save();
    painter.setPen(SolidPen(color, 1));
    const int h = font.height;
    for (double w : XTicks()) {
        const int x = *MapX(w);
        rad::DrawAlignedText(painter, font, QPoint(x, bottom + h), QString::asprintf("%.0f", w),
                             rad::HAlign::Center, rad::VAlign::Top);
        painter.drawLine(x, bottom, x, bottom + h);
    }
    painter.restore();
}

void CGraph::DrawYLabels(QPainter& painter, const rad::GraphFont& font, int color) const {
    painter.save();
    painter.setPen(SolidPen(color, 1));
    const int h = font.height;
    for (double v : YTicks()) {
        const int y = *MapY(v);
        rad::DrawAlignedText(painter, font, QPoint(left - h, y), QString::asprintf("%.1f", v),
                             rad::HAlign::Right, rad::VAlign::Baseline);
        painter.drawLine(left, y, left - h, y);
    }
    painter.restore();
}

void CGraph::DrawXGrid(QPainter& painter, int color) const {
    painter.save();
    painter.setPen(SolidPen(color, 1));
    for (double w : XTicks()) painter.drawLine(*MapX(w), bottom, *MapX(w), top);
    painter.restore();
}

void CGraph::DrawYGrid(QPainter& painter, int color) const {
    painter.save();
    painter.setPen(SolidPen(color, 1));
    for (double v : YTicks()) painter.drawLine(left, *MapY(v), right, *MapY(v));
    painter.restore();
}

void CGraph::DrawSpectrum(QPainter& painter, const CResample& spectrum, int color) const {
    if (spectrum.IsEmpty()) return;
    DrawCurves(painter, color, [&](QPainter& p) {
        PolylineBuilder line(p);
        for (int w = spectrum.m_nFirst; w <= spectrum.m_nLast; ++w)
            line.Add(MapX(w), MapY(spectrum.GetValue(w)));
    });
}

void CGraph::DrawPixelData(QPainter& painter, const CRsdData& data, int index, int color) const {
    DrawCurves(painter, color, [&](QPainter& p) {
        for (int model = 0; model < kModelCount; ++model) {
            // One calibration check per block, not one per pixel.
            const auto spectrum = rad::GetSensorSpectrum(data, model, index);
            if (!spectrum) continue;
            PolylineBuilder line(p);
            for (int pixel = 0; pixel < spectrum->n; ++pixel)
                line.Add(MapX(spectrum->wl[pixel]), MapY(spectrum->Pixel(pixel)));
        }
    });
}

void CGraph::DrawSeries(QPainter& painter, std::span<const double> xs, std::span<const double> ys,
                        int color, bool dashed) const {
    DrawCurves(
        painter, color,
        [&](QPainter& p) {
            PolylineBuilder line(p);
            for (std::size_t i = 0; i < std::min(xs.size(), ys.size()); ++i)
                line.Add(MapX(xs[i]), MapY(ys[i]));
        },
        dashed);
}

void CGraph::DrawCurves(QPainter& painter, int color, const std::function<void(QPainter&)>& draw,
                        bool dashed) const {
    if (!HasXRange() || !HasYRange()) return;
    painter.save();
    QPen pen = SolidPen(color, 1);
    if (dashed) pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    ClipInside(painter, *this);
    draw(painter);
    painter.restore();
}

void CGraph::DrawTextBox(QPainter& painter, const rad::GraphFont& font, const rad::PlotRect& box,
                         const std::string& text) const {
    painter.save();
    ClipInside(painter, box);
    const int advance = TextHeight(painter, font) * 12 / 10;
    const QString all = QString::fromStdString(text);
    int y = box.top;
    qsizetype start = 0;
    for (qsizetype feed; (feed = all.indexOf(QLatin1Char('\n'), start)) >= 0; start = feed + 1) {
        rad::DrawAlignedText(painter, font, QPoint(box.left, y), all.mid(start, feed - start),
                             rad::HAlign::Left, rad::VAlign::Top);
        y += advance;
    }
    rad::DrawAlignedText(painter, font, QPoint(box.left, y), all.mid(start), rad::HAlign::Left,
                         rad::VAlign::Top);
    painter.restore();
}

void CGraph::DrawLegend(QPainter& painter, const rad::GraphFont& font, const rad::PlotRect& box,
                        const std::vector<const CResample*>& spectra,
                        const std::vector<int>& colors) const {
    if (colors.empty()) return;
    painter.save();
    ClipInside(painter, box);
    const int lineHeight = static_cast<int>(TextHeight(painter, font) * 12 / 10.0 + 0.5);
    int y = box.top;
    for (std::size_t j = 0; j < spectra.size(); ++j) {
        painter.setPen(SolidPen(colors[j % colors.size()], 2));
        painter.drawLine(box.left + 10, y + lineHeight / 2, box.left + 30, y + lineHeight / 2);
        rad::DrawAlignedText(painter, font, QPoint(box.left + 40, y),
                             QString::fromStdString(spectra[j]->m_strLabel), rad::HAlign::Left,
                             rad::VAlign::Top);
        y += lineHeight;
    }
    painter.restore();
}
