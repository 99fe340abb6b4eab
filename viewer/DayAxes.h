#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

#include "DayRange.h"
#include "GraphText.h"

class CGraph;
class QPainter;
struct DaySeries;

// The day view's texts: one family for Latin and Japanese alike, so that neither script
// stands larger than the other, in a cell of cellHeight logical units.
rad::GraphFont DayFont(int cellHeight, int escapement = 0);

// font, or a smaller one of the same family, in which every line fits a box of size with a
// line pitch of 1.2 text heights; a box too small for any gives the smallest cell, 1 unit.
rad::GraphFont FitFont(QPainter& painter, const rad::GraphFont& font, QSize box,
                       const QStringList& lines);

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
