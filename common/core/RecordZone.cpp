#include "RecordZone.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "SiteLocation.h"

namespace rad {
namespace {

constexpr int kSecondsPerHour = 3600;
constexpr int kLargestOffset = 18 * kSecondsPerHour;

std::string HoursMinutes(int offsetSeconds, const char* separator) {
    const int minutes = std::abs(offsetSeconds) / 60;
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d%s%02d", offsetSeconds < 0 ? '-' : '+', minutes / 60,
                  separator, minutes % 60);
    return text;
}

// The zone database's folder: TZDIR as the C library reads it, else the Debian default.
std::string ZoneFolder() {
    const char* dir = std::getenv("TZDIR");
    return dir && *dir ? dir : "/usr/share/zoneinfo";
}

// A name the database holds: letters, digits and "_+-/" in parts that do not climb out of
// the folder, naming a file that starts like a compiled zone ("TZif").
bool IsZoneName(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.find("..") != std::string_view::npos)
        return false;
    for (const char c : name) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '+' || c == '-' || c == '/';
        if (!plain) return false;
    }
    std::ifstream file(ZoneFolder() + "/" + std::string(name), std::ios::binary);
    char magic[4] = {};
    return file.read(magic, sizeof magic) && std::string_view(magic, 4) == "TZif";
}

}  // namespace

std::string RecordZone::Text() const { return m_offset ? HoursMinutes(*m_offset, ":") : ""; }

int64_t RecordZone::InstantOf(int64_t machineTime, LocalTimeCache* times) const {
    if (!m_offset) return machineTime;
    const std::tm tm = times ? times->Get(machineTime) : LocalTmOrThrow(machineTime);
    // The machine's offset at that time turns it back into local calendar seconds.
    return machineTime + tm.tm_gmtoff - *m_offset;
}

std::optional<int> ParseUtcOffset(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    if (text == "UTC" || text == "Z" || text == "GMT") return 0;
    int sign = 1;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    const auto digits = [](std::string_view s, std::size_t most) {
        if (s.empty() || s.size() > most ||
            s.find_first_not_of("0123456789") != std::string_view::npos)
            return -1;
        return std::stoi(std::string(s));
    };
    int seconds = 0;
    if (const auto colon = text.find(':'); colon != std::string_view::npos) {
        const int hours = digits(text.substr(0, colon), 2);
        const int minutes = text.size() - colon == 3 ? digits(text.substr(colon + 1), 2) : -1;
        if (hours < 0 || minutes < 0 || minutes > 59) return std::nullopt;
        seconds = hours * kSecondsPerHour + minutes * 60;
    } else if (text.size() == 4 && digits(text, 4) >= 0) {
        const int minutes = digits(text.substr(2), 2);
        if (minutes > 59) return std::nullopt;
        seconds = digits(text.substr(0, 2), 2) * kSecondsPerHour + minutes * 60;
    } else {
        // Hours, as the site header has them ("+9", "-3.5").
        const auto hours = text.find_first_of("+- ") == std::string_view::npos
                               ? ParsePlainDecimal(text)
                               : std::nullopt;
        if (!hours || *hours > kLargestOffset / kSecondsPerHour) return std::nullopt;
        seconds = static_cast<int>(std::lround(*hours * kSecondsPerHour));
    }
    if (seconds > kLargestOffset) return std::nullopt;
    return sign * seconds;
}

int MachineStandardOffsetSeconds() {
    tzset();
    return static_cast<int>(-timezone);
}

ZoneChoice ChooseRecordZone(std::string_view headerTz, int machineStandardOffsetSeconds) {
    const auto header = ParseUtcOffset(headerTz);
    if (!header) return {};
    // Radlog writes whole hours, truncated toward zero ("+5" in India).
    const bool wholeHours = *header % kSecondsPerHour == 0;
    const int machine = wholeHours
                            ? machineStandardOffsetSeconds / kSecondsPerHour * kSecondsPerHour
                            : machineStandardOffsetSeconds;
    if (machine == *header) return {};
    const RecordZone zone = RecordZone::Fixed(*header);
    return {zone, "record times read at UTC" + zone.Text() + " as the file's TZ " +
                      std::string(headerTz) +
                      " says; this machine's zone differs (--tz sets the zone)"};
}

bool UseZoneOption(std::string_view zone, std::string& error) {
    std::string rule;
    if (const auto offset = ParseUtcOffset(zone)) {
        // POSIX counts offsets west of UTC.
        const std::string name = HoursMinutes(*offset, "");
        rule = "<" + name + ">" + HoursMinutes(-*offset, ":");
    } else if (IsZoneName(zone)) {
        rule = std::string(zone);
    } else {
        error = "unknown time zone \"" + std::string(zone) +
                "\" (an IANA name such as Asia/Tokyo, or an offset such as +09:00)";
        return false;
    }
    setenv("TZ", rule.c_str(), 1);
    InitTimeZone();
    return true;
}

}  // namespace rad
