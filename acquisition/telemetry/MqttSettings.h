#pragma once

#include <optional>
#include <string>

class CIniFile;

// [MQTT] of Radlog's profile: where the station publishes its records, status and alerts.
// The section is read and written only when present, so a profile that never used it stays
// as it was.
struct MqttSettings {
    static constexpr int kDefaultPort = 1883;
    static constexpr int kDefaultDarkLimit = 2000;    // counts/s: a dark range above it is an alert
    static constexpr int kDefaultOfflineAlert = 300;  // s without the broker before it is reported
    static constexpr const char* kDefaultDiscoveryPrefix = "homeassistant";

    bool present = false;  // the profile has an [MQTT] section
    std::string host;      // HOST; empty: telemetry off
    int port = kDefaultPort;
    bool tls = false;
    std::string caFile;    // CAFILE, for TLS
    std::string certFile;  // CERTFILE, KEYFILE: a client certificate for a broker that asks
    std::string keyFile;
    std::string user;
    std::string password;  // PASSWORD; better from a file or the environment
    std::string station;   // STATION; empty: the host name
    std::string topic = "radlog";
    bool spectrum = false;   // SPECTRUM: the 1 nm spectrum in every record message
    bool discovery = false;  // DISCOVERY: Home Assistant configuration messages
    std::string discoveryPrefix = kDefaultDiscoveryPrefix;  // DISCOVERYPREFIX
    int darkLimit = kDefaultDarkLimit;                      // DARKLIMIT
    int offlineAlert = kDefaultOfflineAlert;                // OFFLINEALERT

    bool Enabled() const { return present && !host.empty(); }
    void Load(const CIniFile& ini);
    void Save(CIniFile& ini) const;
    // STATION, or this machine's host name.
    std::string StationName() const;
};

namespace rad {

// Environment variable that supplies the broker password.
inline constexpr const char* kMqttPasswordVariable = "RADLOG_MQTT_PASSWORD";

// Why these settings cannot publish (a STATION that is not one topic level, a TOPIC or
// DISCOVERYPREFIX with a wildcard), or empty.
std::string MqttSettingsError(const MqttSettings& settings);

// The password to use: the first line of passwordFile when given, else the environment's,
// else the profile's. Empty optional: passwordFile could not be read.
std::optional<std::string> ResolveMqttPassword(const MqttSettings& settings,
                                               const std::string& passwordFile,
                                               const char* environmentValue);

// A warning when the profile holds a password and others than its owner may read the file;
// empty otherwise.
std::string ProfilePasswordWarning(const MqttSettings& settings, const std::string& profilePath);

}  // namespace rad
