#include "SunNotes.h"

#include "RecordZone.h"

bool ApplyZoneOption(const ParsedArgs& parsed, const char* command, bool& given) {
    const std::string* zone = parsed.Option("--tz");
    given = zone != nullptr;
    if (!given) return true;
    std::string error;
    if (rad::UseZoneOption(*zone, error)) return true;
    UsageError(command, error);
    return false;
}

void SunNotes::Tell(const std::string& file, const std::string& zoneNotice, bool hasSite) {
    if (!zoneNotice.empty() && m_told.insert(zoneNotice).second) FileError(file, zoneNotice);
    if (!hasSite && !m_toldNoSite) {
        m_toldNoSite = true;
        FileError(file, "no site (LAT and LON in the header): the sun's values are not available");
    }
}
