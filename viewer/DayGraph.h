#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>
#include <limits>
#include <optional>
#include <vector>

#include "DayRange.h"
#include "DaySeries.h"
#include "Graph.h"
#include "Resample.h"
#include "SettingsBlocks.h"

class CRsdData;
class QPainter;

// The irradiance of every record over the day, over the wavelengths the records hold. It is
// drawn at one sample per device pixel, so its memory and time follow the picture's size.
struct DayMap {
    int firstNm = 0;
    int lastNm = 0;
    double maxValue = 1;             // irradiance of the top colour, W/m2/um
    std::vector<CResample> spectra;  // per row of the series
    // The picture last drawn, kept while size and ranges stay (the cursor repaints often).
    struct Picture {
        QImage image;
        std::array<double, 4> ranges{};  // hours and wavelengths it covers
    };
    mutable Picture picture;
};
// The map of the series' records; without any spectrum it spans the default graph range.
DayMap BuildDayMap(const CRsdData& set, const DaySeries& series);
// The picture of pixels.width() x pixels.height() for hours hourFrom..hourTo (left to right)
// and wavelengths nmBottom..nmTop (bottom to top): each pixel column shows the record whose
// span holds its middle, white where none does; each pixel row the whole nanometre at its
// middle, white outside the record's spectrum.
QImage RenderDayMap(const DayMap& map, const DaySeries& series, QSize pixels, double hourFrom,
                    double hourTo, double nmBottom, double nmTop);
// Colour of a value as a fraction of the map's maximum, from dark blue through cyan and
// yellow to dark red; fractions outside 0..1 take the end colours.
QRgb MapColor(double fraction);

// The smallest text a day page draws, in logical units: readable on a screen at any size.
inline constexpr int kMinDayFont = 11;

// Everything a day page shows.
struct DayPage {
    QSize area;  // W x H in logical units (see DrawingArea.h)
    GraphSettings settings;
    const DaySeries* series = nullptr;
    rad::Quantity quantity = rad::Quantity::Ppfd;
    const DayMap* map = nullptr;  // drawn instead of the curve when set
    int day = -1;                 // index into series->days; below 0 every day
    HourRange window;             // the hours shown, within the day's (or all days')
    int minFont = kMinDayFont;    // texts never get smaller than this many logical units
    bool screen = false;          // the summary may run past the drawing area into the window
};

// The value read at a press: the record nearest in time and its value (the irradiance at
// the wavelength under the cursor on the map); NaN when not available.
struct DayReadout {
    std::size_t row = 0;
    int wavelength = 0;
    double value = std::numeric_limits<double>::quiet_NaN();
    QPoint cross;
};

namespace rad {

// "2024/06/01" of the shown day, or the first and last dates of all days.
QString DayDateText(const DaySeries& series, int day = -1);
// The shown day's light integral (the mean of all days') and the share of the shown window
// the records cover.
QString DayDliText(const DaySeries& series, int day, HourRange window);
// The summary of the shown day, or of all days together.
QString DaySummaryText(const DaySeries& series, int day);
// Composes the page; graph keeps the rectangle and ranges for the cursor read-out.
void DrawDayPage(QPainter& painter, CGraph& graph, const DayPage& page);
// Read-out at a point of the plot; nullopt without records or axes.
std::optional<DayReadout> ReadDayCursor(const CGraph& graph, const DayPage& page, QPoint point);
QString DayReadoutText(const DayPage& page, const DayReadout& readout);
// The record index of the point drawn within tolerance of point (on the map: the column).
std::optional<int> DayRecordAt(const CGraph& graph, const DayPage& page, QPoint point,
                               int tolerance);
// The cross through the plot, in a contrasting outline that shows on the map's blue as on
// white, and the read-out on its own line under the axis title.
void DrawDayCursor(QPainter& painter, const CGraph& graph, const DayPage& page, QPoint cross,
                   const QString& text);

}  // namespace rad
