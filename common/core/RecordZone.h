#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "LocalTime.h"

// The zone in which the local record times of a file are read. Files hold local times
// without a zone; the machine's rules turn them into seconds since 1970. Where the file comes
// from another zone, its TZ header's offset gives the true instant instead.
namespace rad {

class RecordZone {
  public:
    // The C library's zone (TZ): the record times are true instants as read.
    static RecordZone Machine() { return RecordZone(std::nullopt); }
    // A fixed offset east of UTC in seconds.
    static RecordZone Fixed(int offsetSeconds) { return RecordZone(offsetSeconds); }

    bool IsMachine() const { return !m_offset; }
    // "+09:00"; "" for the machine's zone.
    std::string Text() const;
    // The true instant of a record time read with the machine's rules: the same local
    // calendar time taken at this zone's offset. times (may be null) spares conversions.
    int64_t InstantOf(int64_t machineTime, LocalTimeCache* times = nullptr) const;

  private:
    explicit RecordZone(std::optional<int> offset) : m_offset(offset) {}
    std::optional<int> m_offset;
};

// "+09:00", "-0330", "+9", "-3.5", "UTC", "Z" as seconds east of UTC; nullopt for anything
// else or beyond 18 hours.
std::optional<int> ParseUtcOffset(std::string_view text);

// The zone of a file's records when no zone is asked for: the machine's while its standard
// offset (whole hours as Radlog writes them) equals the file's TZ header or the file has no
// readable TZ, else the header's offset; then notice says so.
struct ZoneChoice {
    RecordZone zone = RecordZone::Machine();
    std::string notice;  // "" when the machine's zone is used
};
ZoneChoice ChooseRecordZone(std::string_view headerTz, int machineStandardOffsetSeconds);
// The machine's standard (non-DST) offset east of UTC in seconds.
int MachineStandardOffsetSeconds();

// How a command reads the record times of its files: zoneGiven when --tz made the process's
// zone the one to use, else each file's TZ header is compared with the machine's standard
// offset (ChooseRecordZone).
struct ZoneRule {
    bool zoneGiven = false;
    int machineStandardOffset = 0;  // seconds east of UTC

    ZoneChoice ChooseFor(std::string_view headerTz) const {
        return zoneGiven ? ZoneChoice{} : ChooseRecordZone(headerTz, machineStandardOffset);
    }
};

// --tz ZONE: an IANA name (a zone file of the system's time zone database) or a fixed offset
// becomes the process's zone: every local time of the command is then read and written in it.
// Call before any thread starts. False with the reason in error for an unknown zone.
bool UseZoneOption(std::string_view zone, std::string& error);

}  // namespace rad
