#pragma once

#include <QString>
#include <vector>

#include "DayRange.h"
#include "GraphText.h"

class CGraph;
class QPainter;
struct DaySeries;

// The day view's texts: one family for Latin and Japanese alike, so that neither script
// stands larger than the other, in a cell of cellHeight logical units.
rad::GraphFont DayFont(int cellHeight, int escapement = 0);

// Ticks of the time axis at whole local clock steps (a minute up to several days), as many as
// fit labels of the given width on the plot.
struct TimeTicks {
    double step = 1;            // hours between ticks
    std::vector<double> hours;  // in window
    bool dated = false;         // labels carry the date: the window spans more than a day
};
TimeTicks MakeTimeTicks(HourRange window, int plotWidth, int labelWidth);
// The label of a tick: "13:00", "06/02 13:00" or "06/02".
QString TimeTickText(const DaySeries& series, const TimeTicks& ticks, double hour);
// Draws the ticks and labels under the plot, and the grid when asked.
void DrawTimeAxis(QPainter& painter, const CGraph& graph, const DaySeries& series,
                  const rad::GraphFont& font, int color, bool grid);
// Decimals a value axis needs at its tick step: none for whole steps ("1800", not "1800.0").
int StepDecimals(double step);
// The value ticks and labels left of the plot, and the grid when asked.
void DrawValueAxis(QPainter& painter, const CGraph& graph, const rad::GraphFont& font, int color,
                   bool grid);
