#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "SimSky.h"

// Faults one simulated sensor can show; switched at any time from any thread.
struct QsSimFaults {
    bool silent = false;         // answers nothing at all
    std::string wrongModel;      // non-empty: ST answers this label
    std::string ngCommand;       // command name (e.g. "SER") answered with "NG"
    int shortCalb = 0;           // bytes left off the end of the CALB block
    int shortRb = 0;             // bytes left off the end of every RB block
    int shortPxsb = 0;           // bytes left off the end of the PXSB block
    bool noGmReply = false;      // GM exposes but never says "OK"
    std::string garbage;         // sent before every reply
    bool longLine = false;       // every text reply padded to a 300-character line
    double brightnessDrift = 0;  // relative change of the light per second
    int dropAfter = 0;           // >0: the device vanishes after this many commands...
    int dropMs = 0;              // ...and comes back at the same path after this long
    int unplugMs = 0;            // >0: the device vanishes now, for this long (once)
    std::string lateCommand;     // command name whose replies come late...
    int lateMs = 0;              // ...by this long (wall time, not scaled with the exposures)
    std::vector<int> peaks;      // peak counts of the next light exposures, in order
    std::vector<std::pair<int, std::uint16_t>>
        rawPixels;  // pixel, raw value forced into light blocks
};

struct QsSimOptions {
    bool pacing = false;         // bytes leave at the pace of the line speed
    double exposureScale = 1.0;  // GM takes exposure x this long (1.0: honest)
    std::string transcriptPath;  // every command received, with a time stamp
    std::uint32_t seed = 1;
    SimSky sky = ReferenceSky();  // the light every sensor sees
};

// Simulated sensors, one per pseudo-terminal, each served by its own thread.
class CQsSim {
  public:
    explicit CQsSim(QsSimOptions options = {});
    ~CQsSim();
    CQsSim(const CQsSim&) = delete;
    CQsSim& operator=(const CQsSim&) = delete;

    // Starts one sensor per model index given; returns their device paths in the same order,
    // or an empty list when a pseudo-terminal cannot be made. Call once.
    std::vector<std::string> Start(const std::vector<int>& models);
    void Stop();

    int Count() const;
    int Model(int sensor) const;
    const std::string& DevicePath(int sensor) const;

    void SetFaults(int sensor, const QsSimFaults& faults);
    QsSimFaults Faults(int sensor) const;
    void SetFirmware(int sensor, const std::string& firmware);
    // Light level relative to the model's nominal daylight (1.0).
    void SetBrightness(int sensor, double level);
    // Waits up to timeoutMs until the sensor's device is at its path again after a drop-out
    // or an unplug; true when it is.
    bool WaitPluggedIn(int sensor, int timeoutMs) const;
    // Commands received so far, oldest first ("GM,100,0,1"); the CR is not kept.
    std::vector<std::string> Commands(int sensor) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
