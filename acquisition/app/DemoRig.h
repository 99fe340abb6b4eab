#pragma once

#include <memory>
#include <string>

#include "QsSim.h"
#include "RadlogSettings.h"

// The demo: a simulated QS-100 and QS-300 on pseudo-terminals, mapped to COM1 and COM2 and
// enabled in memory only, measuring all day into a fresh demo folder.
class CDemoRig {
  public:
    static constexpr int kDefaultIntervalSeconds = 10;

    // False (with a reason in Error()) when the sensors or the folder cannot be made.
    bool Start();
    // Points the in-memory settings at the simulated sensors and the demo folder; the
    // profile on disk is never written in demo mode.
    void Apply(RadlogSettings& settings, int intervalSeconds) const;
    // "Demo: QS-100 on COM1 (/dev/pts/3), QS-300 on COM2 (/dev/pts/4), files in /tmp/..."
    std::string Describe() const;
    const std::string& Folder() const { return m_folder; }
    const std::string& Error() const { return m_error; }

  private:
    std::unique_ptr<CQsSim> m_sim;
    std::string m_paths[2];
    std::string m_folder;
    std::string m_error;
};
