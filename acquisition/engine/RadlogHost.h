#pragma once

#include <cstdint>
#include <string>

#include "RadlogSettings.h"
#include "SensorPhase.h"

// What the controller asks of the program around it: the progress dialog, the views, the
// stop confirmation and the bell. The controller reports states; the host words them in its
// own language (ControllerTexts.h). Every call but Wake comes on the user-interface thread.
class IRadlogHost {
  public:
    virtual ~IRadlogHost() = default;

    // An event was queued by a worker: arrange for CRadlogDoc::ProcessEvents on the
    // user-interface thread soon. Called on the worker's thread.
    virtual void Wake() {}
    // The progress dialog: shown at a start, titled by the kind of acquisition, hidden at the
    // stop.
    virtual void ShowProgress(MeasType type) { (void)type; }
    virtual void HideProgress() {}
    // Upper label: the clock, every tick of an interval acquisition.
    virtual void ClockTick(int64_t now) { (void)now; }
    // Lower label: one line per enabled sensor.
    virtual void SensorsChanged(const SensorSnapshot& sensors) { (void)sensors; }
    // Asked before an interval acquisition is stopped; false keeps it going.
    virtual bool ConfirmStop() { return true; }
    // An acquisition was opened or closed (menus, the window's Close item, timer 1).
    virtual void AcquisitionChanged(bool running) { (void)running; }
    // A cycle was stored: redraw the views.
    virtual void CycleStored() {}
    // A log event, whether or not the log file could be written.
    virtual void LogWritten(const std::string& line) { (void)line; }
    // The error beep (MB_ICONHAND): the desktop bell, BEL on a terminal, or nothing.
    virtual void Beep() {}
    // What an unattended station's output adds to the status texts: the device and the cause
    // of each error, each attempt, a sensor lost and back, when the next cycle is due.
    virtual void Note(const std::string& line) { (void)line; }
    // Why the interval acquisition measures no cycle now and when it will, "" once it measures
    // again. Without a status line of its own a host hears it as a note.
    virtual void SetWaitText(const std::string& text) {
        if (!text.empty()) Note(text);
    }
};
