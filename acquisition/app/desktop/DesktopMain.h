#pragma once

#include <functional>

#include "Clock.h"
#include "RadlogSettings.h"
#include "StationObserver.h"

// Radlog's window mode on an existing QApplication: runs until the main window closes (or a
// close request from outside stops the acquisition and closes it). Returns the exit code.
// save writes the profile; it runs after OK in Measurement Settings and at exit. observer, when
// given, follows every acquisition. A day's light is counted from dayStartHour.
int RunDesktop(RadlogSettings& settings, std::function<void()> save, const IClock& clock,
               IStationObserver* observer = nullptr, int dayStartHour = 0);
