#include "DayGraph.h"

#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "CursorReadout.h"
#include "DayFlags.h"
#include "GraphPage.h"
#include "LocalTime.h"
#include "QuantityNames.h"

namespace {

constexpr double kAutoScaleFactor = 1.2;

QString LocalText(int64_t t, const char* format) {
    try {
        return QString::fromStdString(rad::FormatLocalTime(t, format));
    } catch (const std::invalid_argument&) {
        return QStringLiteral("-");
    }
}

QString Number(double value, int decimals) {
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("\u2014");
}

// yBottom..yTop of the shown quantity: from 0 (or the lowest value) to 1.2 x the largest.
std::pair<double, double> ValueRange(const std::vector<double>& values) {
    double low = 0;
    double high = 0;
    for (double v : values) {
        if (!std::isfinite(v)) continue;
        low = std::min(low, v);
        high = std::max(high, v);
    }
    high *= kAutoScaleFactor;
    if (high <= low) high = low + 1;
    return {low, high};
}

QString SummaryText(const DaySeries& series) {
    QStringList lines;
    for (const rad::DaySummary& day : series.days) {
        lines << LocalText(day.start, "%Y/%m/%d")
              << QCoreApplication::translate("DayGraph", "Records: %1").arg(day.count)
              << QCoreApplication::translate("DayGraph", "Max PPFD: %1 at %2")
                     .arg(Number(day.maxPpfd, 1), LocalText(day.maxPpfdTime, "%H:%M"))
              << QCoreApplication::translate("DayGraph", "Mean R:FR: %1")
                     .arg(Number(day.meanRedFarRed, 3))
              << QCoreApplication::translate("DayGraph", "Max UV index: %1")
                     .arg(Number(day.maxUvIndex, 2));
        if (std::isfinite(day.photoperiodHours))
            lines << QCoreApplication::translate("DayGraph", "Photoperiod: %1 h")
                         .arg(Number(day.photoperiodHours, 2))
                  << QCoreApplication::translate("DayGraph", "Clear-sky DLI: %1 mol/m2/d")
                         .arg(Number(day.clearSkyDli, 2))
                  << QCoreApplication::translate("DayGraph", "DLI / clear sky: %1")
                         .arg(Number(day.clearSkyRatio, 3));
        lines << QString();
    }
    return lines.join(QLatin1Char('\n')).trimmed();
}

void DrawTitles(QPainter& painter, const DayPage& page, const QString& yTitle) {
    const int w = page.area.width();
    const int h = page.area.height();
    const rad::GraphFont titleFont = rad::MakeCellFont(h / 30);
    const rad::GraphFont labelFont = rad::MakeCellFont(h / 50);
    const rad::GraphFont yTitleFont = rad::MakeCellFont(h / 50, 900);
    rad::DrawAlignedText(painter, titleFont, QPoint(w / 2, static_cast<int>(0.05 * h)),
                         rad::DayDateText(*page.series), rad::HAlign::Center,
                         rad::VAlign::Baseline);
    rad::DrawAlignedText(painter, labelFont, QPoint(w / 2, static_cast<int>(0.95 * h)),
                         QCoreApplication::translate("DayGraph", "Time of day (h)"),
                         rad::HAlign::Center, rad::VAlign::Baseline);
    rad::DrawAlignedText(painter, yTitleFont, QPoint(static_cast<int>(0.05 * w), h / 2), yTitle,
                         rad::HAlign::Center, rad::VAlign::Baseline);
}

void DrawMap(QPainter& painter, const CGraph& graph, const DayMap& map, const DaySeries& series) {
    const QRect plot(graph.left, graph.top, graph.Width(), graph.Height());
    // One sample per pixel of the device the painter draws on (screen, page or picture).
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QSize pixels = (painter.transform().mapRect(QRectF(plot)).size() * ratio).toSize();
    const std::array<double, 4> ranges{graph.xFrom, graph.xTo, graph.yBottom, graph.yTop};
    DayMap::Picture& cached = map.picture;
    if (cached.image.size() != pixels || cached.ranges != ranges) {
        cached.image = QImage();  // the old picture goes before the new one is made
        cached.image =
            RenderDayMap(map, series, pixels, graph.xFrom, graph.xTo, graph.yBottom, graph.yTop);
        cached.ranges = ranges;
    }
    painter.save();
    painter.setClipRect(
        QRect(graph.left + 1, graph.top + 1, graph.Width() - 2, graph.Height() - 2));
    painter.drawImage(QRectF(plot), cached.image);
    painter.restore();
}

void DrawColourBar(QPainter& painter, const DayPage& page, const CGraph& graph,
                   const rad::GraphFont& font) {
    const int w = page.area.width();
    const int left = static_cast<int>(0.83 * w);
    const int right = static_cast<int>(0.86 * w);
    painter.save();
    for (int y = graph.top; y < graph.bottom; ++y) {
        const double fraction = static_cast<double>(graph.bottom - 1 - y) / (graph.Height() - 1);
        painter.setPen(QColor(MapColor(fraction)));
        painter.drawLine(left, y, right - 1, y);
    }
    painter.setPen(rad::ToQColor(page.settings.color1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(left, graph.top, right - left - 1, graph.Height() - 1));
    const int gap = font.height / 2;
    rad::DrawAlignedText(painter, font, QPoint(right + gap, graph.top),
                         Number(page.map->maxValue, 1), rad::HAlign::Left, rad::VAlign::Top);
    rad::DrawAlignedText(painter, font, QPoint(right + gap, graph.bottom), QStringLiteral("0"),
                         rad::HAlign::Left, rad::VAlign::Bottom);
    rad::DrawAlignedText(painter, font, QPoint(left, graph.top - gap),
                         QCoreApplication::translate("DayGraph", "Irradiance(W/m2/um)"),
                         rad::HAlign::Left, rad::VAlign::Bottom);
    painter.restore();
}

double XOf(const CGraph& graph, int x) {
    return graph.xFrom + (x - graph.left) * (graph.xTo - graph.xFrom) / graph.Width();
}

// The record whose map column is drawn at x (the middle of the pixel), else the nearest.
std::size_t CoveringRow(const CGraph& graph, const DaySeries& s, int x, std::size_t nearest) {
    return s.CoveringRow((XOf(graph, x) + XOf(graph, x + 1)) / 2).value_or(nearest);
}

// Records may lie closer than a pixel apart: among those drawn within a few units of the
// point's column, the one drawn nearest to the point; nearest (in time) when none has a value.
std::size_t PickRow(const CGraph& graph, const DayPage& page, QPoint point, std::size_t nearest) {
    constexpr int kSearch = 4;
    const DaySeries& s = *page.series;
    const auto first =
        std::lower_bound(s.hours.begin(), s.hours.end(), XOf(graph, point.x() - kSearch));
    const auto last = std::upper_bound(first, s.hours.end(), XOf(graph, point.x() + kSearch));
    std::size_t best = nearest;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (auto it = first; it != last; ++it) {
        const auto row = static_cast<std::size_t>(it - s.hours.begin());
        const std::optional<int> x = graph.MapX(*it);
        const std::optional<int> y = graph.MapY(s.rows[row].quantities[page.quantity].value);
        if (!x || !y) continue;
        const double dx = *x - point.x();
        const double dy = *y - point.y();
        if (dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = row;
        }
    }
    return best;
}

}  // namespace

QRgb MapColor(double fraction) {
    struct Stop {
        double at;
        int r, g, b;
    };
    static constexpr std::array<Stop, 6> kStops = {{{0.0, 0, 0, 143},
                                                    {0.125, 0, 0, 255},
                                                    {0.375, 0, 255, 255},
                                                    {0.625, 255, 255, 0},
                                                    {0.875, 255, 0, 0},
                                                    {1.0, 128, 0, 0}}};
    const double f = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
    std::size_t i = 1;
    while (i + 1 < kStops.size() && f > kStops[i].at) ++i;
    const Stop& a = kStops[i - 1];
    const Stop& b = kStops[i];
    const double t = (f - a.at) / (b.at - a.at);
    auto mix = [t](int from, int to) {
        return static_cast<int>(std::lround(from + t * (to - from)));
    };
    return qRgb(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

DayMap BuildDayMap(const CRsdData& set, const DaySeries& series) {
    DayMap map;
    map.spectra.resize(series.rows.size());
    double largest = 0;
    bool any = false;
    for (std::size_t i = 0; i < series.rows.size(); ++i) {
        CResample& spectrum = map.spectra[i];
        spectrum.Resample(set, series.rows[i].record);
        if (spectrum.IsEmpty()) continue;
        map.firstNm = any ? std::min(map.firstNm, spectrum.m_nFirst) : spectrum.m_nFirst;
        map.lastNm = any ? std::max(map.lastNm, spectrum.m_nLast) : spectrum.m_nLast;
        any = true;
        for (const double value : spectrum.m_pValue)
            if (std::isfinite(value)) largest = std::max(largest, value);
    }
    if (!any || map.lastNm <= map.firstNm) {
        const GraphSettings defaults;
        map.firstNm = static_cast<int>(defaults.left);
        map.lastNm = static_cast<int>(defaults.right);
    }
    map.maxValue = largest > 0 ? largest : 1;
    return map;
}

QImage RenderDayMap(const DayMap& map, const DaySeries& series, QSize pixels, double hourFrom,
                    double hourTo, double nmBottom, double nmTop) {
    if (pixels.isEmpty()) return {};
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);  // no record: nothing measured
    const double hoursPerPixel = (hourTo - hourFrom) / pixels.width();
    const double nmPerPixel = (nmTop - nmBottom) / pixels.height();
    // The wavelength of every pixel row, once for all columns.
    std::vector<int> rowNm(static_cast<std::size_t>(pixels.height()));
    for (int y = 0; y < pixels.height(); ++y)
        rowNm[static_cast<std::size_t>(y)] =
            static_cast<int>(std::lround(nmTop - (y + 0.5) * nmPerPixel));
    for (int x = 0; x < pixels.width(); ++x) {
        const std::optional<std::size_t> row =
            series.CoveringRow(hourFrom + (x + 0.5) * hoursPerPixel);
        if (!row || *row >= map.spectra.size()) continue;
        const CResample& spectrum = map.spectra[*row];
        for (int y = 0; y < pixels.height(); ++y) {
            const int nm = rowNm[static_cast<std::size_t>(y)];
            if (spectrum.InRange(nm))
                reinterpret_cast<QRgb*>(image.scanLine(y))[x] =
                    MapColor(spectrum.GetValue(nm) / map.maxValue);
        }
    }
    return image;
}

namespace rad {

QString DayDateText(const DaySeries& series) {
    if (series.days.empty()) return {};
    const QString first = LocalText(series.days.front().start, "%Y/%m/%d");
    if (series.days.size() == 1) return first;
    return first + QStringLiteral(" - ") + LocalText(series.days.back().start, "%Y/%m/%d");
}

QString DayDliText(const DaySeries& series) {
    QStringList parts;
    for (const DaySummary& day : series.days) {
        parts << (std::isfinite(day.dli)
                      ? QCoreApplication::translate("DayGraph", "DLI %1 mol/m2/d, coverage %2 %")
                            .arg(Number(day.dli, 2), Number(100 * day.coverage, 1))
                      : QCoreApplication::translate("DayGraph", "DLI not available"));
    }
    return parts.join(QStringLiteral("; "));
}

void DrawDayPage(QPainter& painter, CGraph& graph, const DayPage& page) {
    const int h = page.area.height();
    const DaySeries& series = *page.series;
    const std::vector<double> values =
        page.map ? std::vector<double>{} : series.Values(page.quantity);
    // Under a PPFD curve, the clear sky's as a dashed one (the axis holds both).
    const std::vector<double> clearSky = !page.map && page.quantity == rad::Quantity::Ppfd
                                             ? series.ClearSkyPpfd()
                                             : std::vector<double>{};
    graph.SetRect(PagePlotRect(page.area));
    graph.xFrom = series.FirstHour();
    graph.xTo = series.Empty() ? series.FirstHour() + 24 : series.LastHour();
    if (page.map) {
        graph.yBottom = page.map->firstNm;
        graph.yTop = page.map->lastNm;
    } else {
        std::vector<double> shown = values;
        shown.insert(shown.end(), clearSky.begin(), clearSky.end());
        std::tie(graph.yBottom, graph.yTop) = ValueRange(shown);
    }
    const GraphFont labelFont = MakeCellFont(h / 50);
    const int penWidth = std::max(1, h / 500);
    const int color1 = page.settings.color1;

    painter.save();
    painter.setBrush(Qt::white);
    DrawTitles(painter, page,
               page.map ? QCoreApplication::translate("DayGraph", "Wavelength (nm)")
                        : QuantityName(page.quantity));
    graph.CalcTickSteps();
    graph.DrawFrame(painter, penWidth, color1);
    DrawAlignedText(painter, labelFont, QPoint(graph.left, graph.top - penWidth),
                    DayDliText(series), HAlign::Left, VAlign::Bottom);
    if (!series.Empty()) {
        if (page.map) DrawMap(painter, graph, *page.map, series);
        graph.DrawXLabels(painter, labelFont, color1);
        graph.DrawYLabels(painter, labelFont, color1);
        if (page.settings.grid) {
            graph.DrawXGrid(painter, color1);
            graph.DrawYGrid(painter, color1);
        }
        if (page.map) {
            DrawColourBar(painter, page, graph, labelFont);
        } else {
            if (!clearSky.empty())
                graph.DrawSeries(painter, series.hours, clearSky, page.settings.color0, true);
            graph.DrawSeries(painter, series.hours, values, page.settings.color0);
            DrawFlaggedPoints(painter, graph, series, values, penWidth);
            GraphPage box;  // the status box of the spectrum page, inside the drawing area
            box.area = page.area;
            graph.DrawTextBox(painter, labelFont, PageRightBox(box),
                              SummaryText(series).toStdString());
        }
    }
    painter.restore();
}

std::optional<DayReadout> ReadDayCursor(const CGraph& graph, const DayPage& page, QPoint point) {
    const DaySeries& series = *page.series;
    if (graph.Width() == 0 || !graph.HasXRange() || !graph.HasYRange()) return std::nullopt;
    const std::optional<std::size_t> nearest = series.NearestRow(XOf(graph, point.x()));
    if (!nearest) return std::nullopt;
    DayReadout readout;
    readout.row = page.map ? CoveringRow(graph, series, point.x(), *nearest)
                           : PickRow(graph, page, point, *nearest);
    const std::optional<int> x = graph.MapX(series.hours[readout.row]);
    if (!x) return std::nullopt;
    readout.cross = QPoint(*x, point.y());
    if (page.map) {
        const double nm = graph.yBottom + (graph.bottom - point.y()) *
                                              (graph.yTop - graph.yBottom) / graph.Height();
        readout.wavelength = static_cast<int>(std::lround(nm));
        const CResample& spectrum = page.map->spectra[readout.row];
        if (spectrum.InRange(readout.wavelength))
            readout.value = spectrum.GetValue(readout.wavelength);
        return readout;
    }
    readout.value = series.rows[readout.row].quantities[page.quantity].value;
    if (const std::optional<int> y = graph.MapY(readout.value)) readout.cross.setY(*y);
    return readout;
}

QString DayReadoutText(const DayPage& page, const DayReadout& readout) {
    const QString time = LocalText(page.series->rows[readout.row].time, "%H:%M:%S");
    if (page.map)
        return QCoreApplication::translate("DayGraph", "Time = %1 WL = %2 Irr = %3")
            .arg(time)
            .arg(readout.wavelength)
            .arg(Number(readout.value, 1));
    return QCoreApplication::translate("DayGraph", "Time = %1 %2 = %3")
        .arg(time, QuantityName(page.quantity),
             Number(readout.value, InfoOf(page.quantity).decimals));
}

std::optional<int> DayRecordAt(const CGraph& graph, const DayPage& page, QPoint point,
                               int tolerance) {
    const std::optional<DayReadout> readout = ReadDayCursor(graph, page, point);
    if (!readout) return std::nullopt;
    const QPoint d = readout->cross - point;
    // On the map every height of a column belongs to its record.
    if (std::abs(d.x()) > tolerance || (!page.map && std::abs(d.y()) > tolerance))
        return std::nullopt;
    if (!page.map && !std::isfinite(readout->value)) return std::nullopt;
    return page.series->rows[readout->row].record;
}

}  // namespace rad
