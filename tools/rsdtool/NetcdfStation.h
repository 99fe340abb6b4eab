#pragma once

#include <optional>
#include <string>
#include <vector>

struct ArchiveDay;

// The station an archive holds, as it compares one day file with another and with an archive
// being appended to: its name and position as the archive stores them (float degrees).
struct ArchiveStation {
    std::string name;
    std::optional<float> latitude;  // none for a file without a site (0/0) or a fill value
    std::optional<float> longitude;
};

ArchiveStation StationOf(const ArchiveDay& day);
// An archive's stored values; a fill value or 0/0 counts as no position.
ArchiveStation StoredStation(std::string name, float latitude, float longitude);

// What differs, as "site name \"B\" instead of \"A\"", "latitude 36.5 instead of 35.6581";
// empty for the same station.
std::vector<std::string> StationDifferences(const ArchiveStation& day,
                                            const ArchiveStation& archive);

// The first day's station into station, or else a throw of ArchiveError naming what differs
// from station (of the archive appended to, or of the first file): one archive is one
// station's time series, as CF's featureType says.
void RequireSameStation(std::optional<ArchiveStation>& station, const ArchiveDay& day,
                        bool appending);
