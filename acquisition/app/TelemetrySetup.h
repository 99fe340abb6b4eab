#pragma once

#include <functional>
#include <memory>
#include <string>

#include "StationObserver.h"

class CIniFile;
struct RadlogSettings;

// The station's MQTT telemetry when the profile's [MQTT] section names a broker; null when it
// does not, or when this build has no MQTT. Warnings (a readable password, an unreadable
// password file) go to warn. output receives the telemetry's lines from any thread.
std::unique_ptr<IStationObserver> StartTelemetry(
    const CIniFile& profile, const std::string& profilePath, const std::string& passwordFile,
    const RadlogSettings& settings, std::function<void(const std::string&)> output,
    const std::function<void(const std::string&)>& warn);
