#pragma once

#include <set>
#include <string>

#include "ToolSupport.h"

// --tz of the analysis commands, and the lines on stderr about the zone and the site.

// Makes --tz ZONE (when given) the process's zone; call before any thread starts. False after
// the usage error. given tells whether the option was there.
bool ApplyZoneOption(const ParsedArgs& parsed, const char* command, bool& given);

// Says on stderr, once per command, why a file's times are not read in the machine's zone
// (once per distinct reason) and that files without a site have no sun values.
class SunNotes {
  public:
    void Tell(const std::string& file, const std::string& zoneNotice, bool hasSite);

  private:
    std::set<std::string> m_told;
    bool m_toldNoSite = false;
};
