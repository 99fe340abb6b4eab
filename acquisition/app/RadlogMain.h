#pragma once

#include <functional>

#include "Clock.h"
#include "RadlogSettings.h"
#include "StationObserver.h"

// Radlog's window, which only the desktop program has.
class IRadlogWindow {
  public:
    virtual ~IRadlogWindow() = default;
    // Once the command line is accepted and before the profile is read: the toolkit starts.
    virtual void Open() = 0;
    // Runs the window until it closes; returns the exit code.
    virtual int Run(RadlogSettings& settings, std::function<void()> save, const IClock& clock,
                    IStationObserver* observer, int dayStartHour) = 0;
};

// The whole program from its command line: the station program (window null) and the desktop
// program share it, so `radlog --headless` and `radlog-station` are one piece of code.
int RadlogMain(int argc, char** argv, IRadlogWindow* window);
