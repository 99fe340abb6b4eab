#include "NetcdfStation.h"

#include <cstdio>

#include "NetcdfArchive.h"
#include "NetcdfDay.h"
#include "SiteLocation.h"

namespace {

// An archive without a site name calls its station this.
constexpr const char* kUnnamedStation = "station";

std::string PositionText(const std::optional<float>& degrees) {
    if (!degrees) return "none";
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(*degrees));
    return text;
}

}  // namespace

ArchiveStation StationOf(const ArchiveDay& day) {
    // Read as the archive stores it, so a day compares equal to the days it wrote.
    const auto site = rad::ParseSite(day.latitude, day.longitude, day.altitude);
    return StoredStation(day.site.empty() ? kUnnamedStation : day.site,
                         site ? static_cast<float>(site->latitudeDeg) : kArchiveFloatFill,
                         site ? static_cast<float>(site->longitudeDeg) : kArchiveFloatFill);
}

ArchiveStation StoredStation(std::string name, float latitude, float longitude) {
    ArchiveStation station{std::move(name), latitude, longitude};
    const bool unset = latitude == 0 && longitude == 0;
    if (unset || latitude == kArchiveFloatFill) station.latitude.reset();
    if (unset || longitude == kArchiveFloatFill) station.longitude.reset();
    return station;
}

std::vector<std::string> StationDifferences(const ArchiveStation& day,
                                            const ArchiveStation& archive) {
    std::vector<std::string> differences;
    if (day.name != archive.name)
        differences.push_back("site name \"" + day.name + "\" instead of \"" + archive.name + "\"");
    if (day.latitude != archive.latitude)
        differences.push_back("latitude " + PositionText(day.latitude) + " instead of " +
                              PositionText(archive.latitude));
    if (day.longitude != archive.longitude)
        differences.push_back("longitude " + PositionText(day.longitude) + " instead of " +
                              PositionText(archive.longitude));
    return differences;
}

void RequireSameStation(std::optional<ArchiveStation>& station, const ArchiveDay& day,
                        bool appending) {
    const ArchiveStation own = StationOf(day);
    if (!station) {
        station = own;
        return;
    }
    std::string differences;
    for (const std::string& difference : StationDifferences(own, *station))
        differences += (differences.empty() ? "" : ", ") + difference;
    if (!differences.empty())
        throw ArchiveError(day.source + ": another station than the " +
                           (appending ? "archive's" : "first file's") + " (" + differences + ")");
}
