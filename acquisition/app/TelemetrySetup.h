#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "StationCheck.h"
#include "StationObserver.h"

class CIniFile;
struct RadlogSettings;

using WarnFunction = std::function<void(const std::string&)>;

// Why the profile's [MQTT] section cannot publish (a STATION with '#', '+' or '/'), or empty:
// such a station is refused at the start rather than left silent.
std::string TelemetryProfileError(const CIniFile& profile);

// The station's MQTT telemetry when the profile's [MQTT] section names a broker; null when it
// does not, or when this build has no MQTT. Warnings (a readable password, an unreadable
// password file) go to warn. output receives the telemetry's lines from any thread.
std::unique_ptr<IStationObserver> StartTelemetry(const CIniFile& profile,
                                                 const std::string& profilePath,
                                                 const std::string& passwordFile,
                                                 const RadlogSettings& settings,
                                                 std::function<void(const std::string&)> output,
                                                 const WarnFunction& warn);

// The broker's part of --check: the [MQTT] settings and a login that publishes nothing.
std::vector<CheckFinding> CheckTelemetry(const CIniFile& profile, const std::string& passwordFile,
                                         const RadlogSettings& settings, const WarnFunction& warn);

// --remove-discovery: removes every Home Assistant configuration of this station from the
// broker. Returns the exit code.
int RemoveDiscovery(const CIniFile& profile, const std::string& passwordFile,
                    const RadlogSettings& settings, const WarnFunction& warn);
