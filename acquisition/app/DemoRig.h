#pragma once

#include <memory>
#include <string>

#include "QsSim.h"
#include "RadlogSettings.h"
#include "SimulatedSky.h"

// The demo: a simulated QS-100 and QS-300 on pseudo-terminals, mapped to COM1 and COM2 and
// enabled in memory only, measuring all day into a fresh demo folder.
class CDemoRig {
  public:
    static constexpr int kDefaultIntervalSeconds = 10;

    // The demo's sky of that kind. With a profile of its own (--profile) the demo keeps its
    // [SITE] and [SUN]; otherwise, or when [SITE] has no position, the sky stands over the
    // machine's demo site at now, which then heads the day files, and [SUN] is off.
    static rad::SkyScene PlaceSky(RadlogSettings& settings, rad::SkyKind kind, bool ownProfile,
                                  int64_t now);
    // False (with a reason in Error()) when the sensors or the folder cannot be made.
    bool Start(const rad::SkyScene& scene);
    // Points the in-memory settings at the simulated sensors and the demo folder; the
    // profile on disk is never written in demo mode.
    void Apply(RadlogSettings& settings, int intervalSeconds) const;
    // "Demo: QS-100 on COM1 (/dev/pts/3), QS-300 on COM2 (/dev/pts/4), files in /tmp/..."
    // and on a second line "Demo sky: clear at latitude 35.0000, longitude 135.0000".
    std::string Describe() const;
    const std::string& Folder() const { return m_folder; }
    const std::string& Error() const { return m_error; }

  private:
    std::unique_ptr<CQsSim> m_sim;
    rad::SkyScene m_scene;
    std::string m_paths[2];
    std::string m_folder;
    std::string m_error;
};
