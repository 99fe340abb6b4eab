#include "DayGraph.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "CursorReadout.h"
#include "DayAxes.h"
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
std::pair<double, double> ValueRange(std::span<const double> values) {
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

QString Tr(const char* text) { return QCoreApplication::translate("DayGraph", text); }

QStringList DayLines(const rad::DaySummary& day) {
    QStringList lines;
    lines
        << Tr("Records: %1").arg(day.count)
        << Tr("Max PPFD: %1 at %2").arg(Number(day.maxPpfd, 1), LocalText(day.maxPpfdTime, "%H:%M"))
        << Tr("Mean R:FR: %1").arg(Number(day.meanRedFarRed, 3))
        << Tr("Max UV index: %1").arg(Number(day.maxUvIndex, 2));
    if (std::isfinite(day.photoperiodHours))
        lines << Tr("Photoperiod: %1 h").arg(Number(day.photoperiodHours, 2))
              << Tr("Clear-sky DLI: %1 mol/m2/d").arg(Number(day.clearSkyDli, 2))
              << Tr("DLI / clear sky: %1").arg(Number(day.clearSkyRatio, 3));
    return lines;
}

// The days together: how many, their records, the mean DLI and the highest PPFD.
QStringList AllDaysLines(const DaySeries& series) {
    int records = 0;
    const rad::DaySummary* brightest = nullptr;
    for (const rad::DaySummary& day : series.days) {
        records += day.count;
        if (std::isfinite(day.maxPpfd) && (!brightest || day.maxPpfd > brightest->maxPpfd))
            brightest = &day;
    }
    QStringList lines;
    lines << Tr("Days: %1").arg(series.days.size()) << Tr("Records: %1").arg(records);
    if (brightest)
        lines << Tr("Max PPFD: %1 at %2")
                     .arg(Number(brightest->maxPpfd, 1),
                          LocalText(brightest->maxPpfdTime, "%Y/%m/%d %H:%M"));
    return lines;
}

double MeanDli(const DaySeries& series) {
    double sum = 0;
    int n = 0;
    for (const rad::DaySummary& day : series.days) {
        if (!std::isfinite(day.dli)) continue;
        sum += day.dli;
        ++n;
    }
    return n > 0 ? sum / n : rad::kNotAvailable;
}

const rad::DaySummary* ShownDay(const DaySeries& series, int day) {
    return day >= 0 && static_cast<std::size_t>(day) < series.days.size()
               ? &series.days[static_cast<std::size_t>(day)]
               : nullptr;
}

// The sizes of a page's texts: from the drawing area, never below the page's minimum.
struct DayFonts {
    rad::GraphFont title, label, yTitle;
};
DayFonts FontsOf(const DayPage& page) {
    const int h = page.area.height();
    const int label = std::max(h / 50, page.minFont);
    const int title = std::max(h / 30, label * 3 / 2);
    return {DayFont(title), DayFont(label), DayFont(label, 900)};
}

// The plot inside the page's proportions, with room for texts of the page's sizes: the
// title and the DLI line above, the value labels and the rotated title at the left, and
// below the time labels, the axis title and the read-out, each on its own line.
rad::PlotRect DayPlotRect(QPainter& painter, const DayPage& page, const DayFonts& fonts,
                          const CGraph& ranges) {
    const int w = page.area.width();
    const int h = page.area.height();
    const int f = fonts.label.height;
    rad::PlotRect rect = rad::PagePlotRect(page.area);
    int widest = 0;
    const int decimals = StepDecimals(ranges.yStep);
    for (double v : ranges.YTicks())
        widest = std::max(widest,
                          rad::TextWidth(painter, fonts.label, QString::number(v, 'f', decimals)));
    rect.left = std::min(w / 2, std::max(rect.left, 2 * f + widest + f));
    rect.top = std::min(h / 3, std::max(rect.top, fonts.title.height + 2 * f));
    rect.bottom = std::max(2 * h / 3, std::min(rect.bottom, h - 4 * f - f / 2));
    return rect;
}

void DrawTitles(QPainter& painter, const DayPage& page, const DayFonts& fonts, const CGraph& graph,
                const QString& yTitle) {
    const int w = page.area.width();
    const int f = fonts.label.height;
    rad::DrawAlignedText(painter, fonts.title, QPoint(w / 2, 0),
                         rad::DayDateText(*page.series, page.day), rad::HAlign::Center,
                         rad::VAlign::Top);
    const bool dated = page.window.Span() > 24 + 1e-9;
    rad::DrawAlignedText(painter, fonts.label,
                         QPoint((graph.left + graph.right) / 2, graph.bottom + 2 * f + f / 2),
                         dated ? Tr("Date and time") : Tr("Time of day"), rad::HAlign::Center,
                         rad::VAlign::Baseline);
    rad::DrawAlignedText(painter, fonts.yTitle, QPoint(f, (graph.top + graph.bottom) / 2), yTitle,
                         rad::HAlign::Center, rad::VAlign::Top);
}

// Text lines in the box: smaller type where they would not fit, so none is cut.
void DrawFittedBox(QPainter& painter, const CGraph& graph, const rad::GraphFont& font,
                   const rad::PlotRect& box, const QStringList& lines) {
    if (lines.isEmpty() || box.Width() <= 0 || box.Height() <= 0) return;
    graph.DrawTextBox(painter, FitFont(painter, font, QSize(box.Width(), box.Height()), lines), box,
                      lines.join(QLatin1Char('\n')).toStdString());
}

// Each point of the rows drawn as a small square: few or far apart, or standing alone.
void DrawMarkers(QPainter& painter, const CGraph& graph, const DayPage& page,
                 std::span<const double> values, std::size_t first, std::size_t last, int size) {
    const DaySeries& s = *page.series;
    const bool all = WantsMarkers(s, page.window, graph.Width());
    painter.save();
    painter.setClipRect(QRect(graph.left, graph.top, graph.Width(), graph.Height()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(rad::ToQColor(page.settings.color0));
    for (std::size_t row = first; row < last; ++row) {
        if (!all && !IsolatedRow(s, row)) continue;
        const std::optional<int> x = graph.MapX(s.hours[row]);
        const std::optional<int> y = graph.MapY(values[row]);
        if (x && y && std::isfinite(values[row]))
            painter.drawRect(QRect(*x - size / 2, *y - size / 2, size, size));
    }
    painter.restore();
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
    const int left = graph.right + w / 33;
    const int right = left + w / 33;
    painter.save();
    for (int y = graph.top; y < graph.bottom; ++y) {
        const double fraction = static_cast<double>(graph.bottom - 1 - y) / (graph.Height() - 1);
        painter.setPen(QColor(MapColor(fraction)));
        painter.drawLine(left, y, right - 1, y);
    }
    painter.setPen(rad::ToQColor(page.settings.color1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(left, graph.top, right - left - 1, graph.Height() - 1));
    // Ticks at round irradiances from 0 to the top colour's.
    const double top = page.map->maxValue;
    const double step = rad::TickStep(top);
    const int decimals = StepDecimals(step);
    const int gap = font.height / 2;
    for (double v = 0; v <= top * (1 + 1e-9) && step > 0; v += step) {
        const int y =
            graph.bottom - 1 - static_cast<int>(std::lround(v / top * (graph.Height() - 1)));
        painter.drawLine(right, y, right + gap, y);
        rad::DrawAlignedText(painter, font, QPoint(right + gap + 2, y + font.height / 3),
                             QString::number(v, 'f', decimals), rad::HAlign::Left,
                             rad::VAlign::Baseline);
    }
    rad::DrawAlignedText(painter, font, QPoint(left, graph.top - gap), Tr("Irradiance(W/m2/um)"),
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
        const int part = series.parts.empty() ? 0 : series.parts[i];
        spectrum.Resample(part == 0 ? set : *series.sets[static_cast<std::size_t>(part)],
                          series.rows[i].record);
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

QString DayDateText(const DaySeries& series, int day) {
    if (series.days.empty()) return {};
    if (const DaySummary* shown = ShownDay(series, day)) return LocalText(shown->start, "%Y/%m/%d");
    const QString first = LocalText(series.days.front().start, "%Y/%m/%d");
    if (series.days.size() == 1) return first;
    return first + QStringLiteral(" - ") + LocalText(series.days.back().start, "%Y/%m/%d");
}

QString DayDliText(const DaySeries& series, int day, HourRange window) {
    const QString coverage =
        Tr("coverage of the shown time %1 %").arg(Number(100 * WindowCoverage(series, window), 1));
    const DaySummary* shown = ShownDay(series, day);
    if (!shown && series.days.size() == 1) shown = &series.days.front();
    const double dli = shown ? shown->dli : MeanDli(series);
    const QString integral =
        !std::isfinite(dli) ? Tr("DLI not available")
        : shown
            ? Tr("DLI %1 mol/m2/d").arg(Number(dli, 2))
            : Tr("Mean DLI %1 mol/m2/d over %2 days").arg(Number(dli, 2)).arg(series.days.size());
    return integral + QStringLiteral("; ") + coverage;
}

QString DaySummaryText(const DaySeries& series, int day) {
    const DaySummary* shown = ShownDay(series, day);
    if (!shown && series.days.size() == 1) shown = &series.days.front();
    return (shown ? DayLines(*shown) : AllDaysLines(series)).join(QLatin1Char('\n'));
}

void DrawDayPage(QPainter& painter, CGraph& graph, const DayPage& page) {
    const DaySeries& series = *page.series;
    const HourRange window = page.window.Span() > 0 ? page.window : DayHours(series, page.day);
    const auto [first, last] = RowsIn(series, window);
    // The neighbours just outside carry the curve to the plot's edges.
    const std::size_t from = first > 0 ? first - 1 : 0;
    const std::size_t to = std::min(series.rows.size(), last + 1);
    const std::vector<double> values =
        page.map ? std::vector<double>{} : series.Values(page.quantity);
    // Under a PPFD curve, the clear sky's as a dashed one (the axis holds both).
    const std::vector<double> clearSky = !page.map && page.quantity == rad::Quantity::Ppfd
                                             ? series.ClearSkyPpfd()
                                             : std::vector<double>{};
    graph.xFrom = window.from;
    graph.xTo = window.to;
    if (page.map) {
        graph.yBottom = page.map->firstNm;
        graph.yTop = page.map->lastNm;
    } else {
        std::vector<double> shown(values.begin() + static_cast<std::ptrdiff_t>(first),
                                  values.begin() + static_cast<std::ptrdiff_t>(last));
        if (!clearSky.empty())
            shown.insert(shown.end(), clearSky.begin() + static_cast<std::ptrdiff_t>(first),
                         clearSky.begin() + static_cast<std::ptrdiff_t>(last));
        std::tie(graph.yBottom, graph.yTop) = ValueRange(shown);
    }
    graph.CalcTickSteps();
    const DayFonts fonts = FontsOf(page);
    graph.SetRect(DayPlotRect(painter, page, fonts, graph));
    const int penWidth = std::max(1, page.area.height() / 500);
    const int color1 = page.settings.color1;

    painter.save();
    painter.setBrush(Qt::white);
    DrawTitles(painter, page, fonts, graph,
               page.map ? Tr("Wavelength (nm)") : QuantityName(page.quantity));
    graph.DrawFrame(painter, penWidth, color1);
    const QString dli = QFontMetrics(fonts.label.font, painter.device())
                            .elidedText(DayDliText(series, page.day, window), Qt::ElideRight,
                                        page.area.width() - graph.left);
    DrawAlignedText(painter, fonts.label, QPoint(graph.left, graph.top - penWidth), dli,
                    HAlign::Left, VAlign::Bottom);
    if (!series.Empty()) {
        if (page.map) DrawMap(painter, graph, *page.map, series);
        DrawTimeAxis(painter, graph, series, fonts.label, color1, page.settings.grid);
        DrawValueAxis(painter, graph, fonts.label, color1, page.settings.grid);
        if (page.map) {
            DrawColourBar(painter, page, graph, fonts.label);
        } else {
            const auto slice = [from, to](const std::vector<double>& v) {
                return std::span<const double>(v).subspan(from, to - from);
            };
            const std::span<const double> hours = slice(series.hours);
            if (!clearSky.empty())
                graph.DrawSeries(painter, hours, slice(clearSky), page.settings.color0, true);
            graph.DrawSeries(painter, hours, slice(values), page.settings.color0);
            DrawMarkers(painter, graph, page, values, from, to,
                        std::max(3, fonts.label.height / 3));
            DrawFlaggedPoints(painter, graph, series, values, from, to, penWidth);
            const int w = page.area.width();
            const PlotRect box{graph.right + w / 50, graph.top,
                               page.screen ? static_cast<int>(1.2 * w) : w, graph.bottom};
            DrawFittedBox(painter, graph, fonts.label, box,
                          DaySummaryText(series, page.day).split(QLatin1Char('\n')));
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
    const double hour = series.hours[readout.row];
    // A curve's point outside the time shown is not read; a map column may start before it.
    if (!page.map && (hour < graph.xFrom || hour > graph.xTo)) return std::nullopt;
    const std::optional<int> x = graph.MapX(hour);
    if (!x) return std::nullopt;
    readout.cross = QPoint(std::clamp(*x, graph.left, graph.right - 1), point.y());
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
    const bool dated = page.window.Span() > 24 + 1e-9;
    const QString time =
        LocalText(page.series->rows[readout.row].time, dated ? "%m/%d %H:%M:%S" : "%H:%M:%S");
    if (page.map)
        return Tr("Time = %1 WL = %2 nm Irr = %3 W/m2/um")
            .arg(time)
            .arg(readout.wavelength)
            .arg(Number(readout.value, 1));
    return Tr("Time = %1 %2 = %3")
        .arg(time, QuantityName(page.quantity),
             Number(readout.value, InfoOf(page.quantity).decimals));
}

void DrawDayCursor(QPainter& painter, const CGraph& graph, const DayPage& page, QPoint cross,
                   const QString& text) {
    constexpr int kCursorColor = 0xFF0000;  // COLORREF blue, as in the single-record view
    const DayFonts fonts = FontsOf(page);
    painter.save();
    painter.setClipRect(QRect(graph.left, graph.top, graph.Width(), graph.Height()));
    for (const QPen& pen : {QPen(Qt::white, 3), QPen(rad::ToQColor(kCursorColor), 1)}) {
        painter.setPen(pen);
        painter.drawLine(cross.x(), graph.bottom, cross.x(), graph.top);
        painter.drawLine(graph.left, cross.y(), graph.right, cross.y());
    }
    painter.setClipping(false);
    const int f = fonts.label.height;
    DrawAlignedText(painter, fonts.label, QPoint(graph.right, graph.bottom + 4 * f), text,
                    HAlign::Right, VAlign::Baseline);
    painter.restore();
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
    // A record of another part of the day belongs to that file's own window.
    if (!page.series->parts.empty() && page.series->parts[readout->row] != 0) return std::nullopt;
    return page.series->rows[readout->row].record;
}

}  // namespace rad
