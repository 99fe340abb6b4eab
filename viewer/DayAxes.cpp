#include "DayAxes.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "DaySeries.h"
#include "Graph.h"
#include "LocalTime.h"

namespace {

constexpr const char* kDayFamily = "Noto Sans CJK JP";
constexpr double kSecondsPerHour = 3600;
constexpr double kLabelGap = 1.5;  // label widths per tick at the least

QPen Pen(int color) { return QPen(rad::ToQColor(color), 0); }

}  // namespace

rad::GraphFont DayFont(int cellHeight, int escapement) {
    return rad::MakeCellFontOf(QString::fromLatin1(kDayFamily), QFont::SansSerif, cellHeight,
                               escapement);
}

rad::GraphFont FitFont(QPainter& painter, const rad::GraphFont& font, QSize box,
                       const QStringList& lines) {
    const auto fits = [&](const rad::GraphFont& f) {
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, rad::TextWidth(painter, f, line));
        return widest <= box.width() &&
               1.2 * rad::TextHeight(painter, f) * static_cast<double>(lines.size()) <=
                   box.height();
    };
    rad::GraphFont fitted = font;
    // Cell sizes are whole units and text metrics round: step down until it fits.
    while (fitted.height > 1 && !fits(fitted)) fitted = DayFont(fitted.height - 1, font.escapement);
    return fitted;
}

TimeTicks MakeTimeTicks(HourRange window, int plotWidth, int labelWidth) {
    static constexpr std::array<double, 16> kSteps = {
        1.0 / 60, 2.0 / 60, 5.0 / 60, 10.0 / 60, 15.0 / 60, 0.5, 1,   2,
        3,        6,        12,       24,        48,        96,  168, 336};
    TimeTicks ticks;
    ticks.dated = window.Span() > 24 + 1e-9;
    const double fit = plotWidth / std::max(1.0, kLabelGap * labelWidth);
    ticks.step = kSteps.back();
    for (double step : kSteps) {
        if (window.Span() / step <= fit) {
            ticks.step = step;
            break;
        }
    }
    if (!(window.Span() > 0)) return ticks;
    // Multiples of the step from the first day's midnight: whole clock times.
    for (double k = std::ceil(window.from / ticks.step - 1e-9); k * ticks.step <= window.to + 1e-9;
         k += 1)
        ticks.hours.push_back(k * ticks.step);
    return ticks;
}

QString TimeTickText(const DaySeries& series, const TimeTicks& ticks, double hour) {
    const auto t =
        series.origin +
        static_cast<int64_t>(std::llround((hour - series.dayStartHour) * kSecondsPerHour));
    const char* format = ticks.step >= 24 ? "%m/%d" : ticks.dated ? "%m/%d %H:%M" : "%H:%M";
    try {
        return QString::fromStdString(rad::FormatLocalTime(t, format));
    } catch (const std::invalid_argument&) {
        return QStringLiteral("-");
    }
}

void DrawTimeAxis(QPainter& painter, const CGraph& graph, const DaySeries& series,
                  const rad::GraphFont& font, int color, bool grid) {
    const HourRange window{graph.xFrom, graph.xTo};
    const bool dated = window.Span() > 24 + 1e-9;
    const QString widest = dated ? QStringLiteral("00/00 00:00") : QStringLiteral("00:00");
    const TimeTicks ticks =
        MakeTimeTicks(window, graph.Width(), rad::TextWidth(painter, font, widest));
    painter.save();
    painter.setPen(Pen(color));
    const int h = font.height;
    for (double hour : ticks.hours) {
        const std::optional<int> x = graph.MapX(hour);
        if (!x) continue;
        painter.drawLine(*x, graph.bottom, *x, graph.bottom + h / 2);
        if (grid) painter.drawLine(*x, graph.bottom, *x, graph.top);
        rad::DrawAlignedText(painter, font, QPoint(*x, graph.bottom + h / 2),
                             TimeTickText(series, ticks, hour), rad::HAlign::Center,
                             rad::VAlign::Top);
    }
    painter.restore();
}

int StepDecimals(double step) {
    if (!(step > 0) || step >= 1) return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 6);
}

void DrawValueAxis(QPainter& painter, const CGraph& graph, const rad::GraphFont& font, int color,
                   bool grid) {
    const int decimals = StepDecimals(graph.yStep);
    painter.save();
    painter.setPen(Pen(color));
    const int h = font.height;
    for (double v : graph.YTicks()) {
        const std::optional<int> y = graph.MapY(v);
        if (!y) continue;
        painter.drawLine(graph.left - h / 2, *y, graph.left, *y);
        if (grid) painter.drawLine(graph.left, *y, graph.right, *y);
        rad::DrawAlignedText(painter, font, QPoint(graph.left - h / 2 - 2, *y + h / 3),
                             QString::number(v, 'f', decimals), rad::HAlign::Right,
                             rad::VAlign::Baseline);
    }
    painter.restore();
}
