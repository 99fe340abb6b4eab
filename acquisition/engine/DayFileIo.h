#pragma once

#include <array>
#include <string>
#include <vector>

#include "LogSink.h"
#include "RadlogSettings.h"
#include "RsdData.h"

class IStoreListener;

// The calibration to join into a day file per model (null: none).
using DayCalSources = std::array<const SensorCal*, kModelCount>;

// The day files of the store step: read with a cut end set aside, created with the site
// header, written whole or appended to. Failures are logged and told to the listener.
class CDayFileIo {
  public:
    struct State {
        bool readable = true;  // absent, or loaded without error
        bool rewrite = false;  // the whole file must be written
        bool blocked = false;  // its cut end could not be set aside: nothing may be appended
    };

    CDayFileIo(RadlogSettings& settings, ILogSink& log, IStoreListener& listener)
        : m_settings(settings), m_log(log), m_listener(listener) {}

    // The day file into set; a file that does not exist yet gets the site header.
    State Open(CRsdData& set, const std::string& path);
    // The site header of a new day file, with the machine's standard offset.
    void FillSiteHeader(CRsdData& set);
    // Calibrations the file does not hold yet join it; a readable file is then rewritten.
    static void JoinCalibrations(CRsdData& set, const DayCalSources& cals, State& state);
    // Writes records (the last ones of set) to path as state asks; returns those not written.
    std::vector<CRad> Write(const CRsdData& set, const std::string& path, const State& state,
                            std::vector<CRad> records);
    // Day files read so far.
    int Loads() const { return m_nLoads; }
    // The output's words for errno after a failed write.
    static std::string CauseText(int error);

  private:
    bool Repair(const std::string& path, std::string& content);

    RadlogSettings& m_settings;
    ILogSink& m_log;
    IStoreListener& m_listener;
    int m_nLoads = 0;
};
