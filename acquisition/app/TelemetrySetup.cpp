#include "TelemetrySetup.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "AnalysisSettings.h"
#include "Discovery.h"
#include "IniFile.h"
#include "MqttOneShot.h"
#include "MqttSettings.h"
#include "QcSettings.h"
#include "RadlogSettings.h"
#include "StationIdentity.h"
#include "StationTelemetry.h"

namespace {

constexpr int kCommandTimeoutMs = 10000;  // --check and --remove-discovery

struct Mqtt {
    MqttSettings settings;
    std::string password;
};

// [MQTT] with its password, when it names a broker and the password can be read.
std::optional<Mqtt> LoadMqtt(const CIniFile& profile, const std::string& profilePath,
                             const std::string& passwordFile, const WarnFunction& warn) {
    Mqtt mqtt;
    mqtt.settings.Load(profile);
    if (!mqtt.settings.Enabled()) return std::nullopt;
    if (const std::string warning = rad::ProfilePasswordWarning(mqtt.settings, profilePath);
        !warning.empty())
        warn(warning);
    const std::optional<std::string> password = rad::ResolveMqttPassword(
        mqtt.settings, passwordFile, std::getenv(rad::kMqttPasswordVariable));
    if (!password) {
        warn("MQTT WARNING: cannot read the password file " + passwordFile);
        return std::nullopt;
    }
    mqtt.password = *password;
    return mqtt;
}

std::string CommandClientId(const MqttSettings& mqtt, const char* what) {
    return "radlog-" + rad::TopicSafe(mqtt.StationName()) + "-" + what + "-" +
           std::to_string(::getpid());
}

}  // namespace

std::string TelemetryProfileError(const CIniFile& profile) {
    MqttSettings mqtt;
    mqtt.Load(profile);
    return mqtt.Enabled() ? rad::MqttSettingsError(mqtt) : std::string();
}

std::unique_ptr<IStationObserver> StartTelemetry(const CIniFile& profile,
                                                 const std::string& profilePath,
                                                 const std::string& passwordFile,
                                                 const RadlogSettings& settings,
                                                 std::function<void(const std::string&)> output,
                                                 const WarnFunction& warn) {
    const std::optional<Mqtt> mqtt = LoadMqtt(profile, profilePath, passwordFile, warn);
    if (!mqtt) return nullptr;
    AnalysisSettings analysis;
    analysis.Load(profile);
    auto telemetry = std::make_unique<CStationTelemetry>(
        mqtt->settings, mqtt->password, settings, analysis.DayStartHour(), std::move(output));
    telemetry->SetQcThresholds(rad::LoadQcThresholds(profile));
    return telemetry;
}

std::vector<CheckFinding> CheckTelemetry(const CIniFile& profile, const std::string& passwordFile,
                                         const RadlogSettings& settings, const WarnFunction& warn) {
    MqttSettings plain;
    plain.Load(profile);
    if (!plain.Enabled()) return {{true, "MQTT: off (no [MQTT] HOST)"}};
    if (const std::string error = rad::MqttSettingsError(plain); !error.empty())
        return {{false, "MQTT: " + error}};
    const std::optional<Mqtt> mqtt = LoadMqtt(profile, "", passwordFile, warn);
    if (!mqtt) return {{false, "MQTT: the password file cannot be read"}};
    const MqttLogin login = rad::LoginOf(mqtt->settings, mqtt->password);
    const std::string failure =
        rad::PublishOnce(login, CommandClientId(mqtt->settings, "check"), {}, kCommandTimeoutMs);
    const rad::DiscoveryDevice device = rad::DeviceOf(mqtt->settings, settings);
    if (!failure.empty()) return {{false, failure}};
    return {{true, "MQTT broker " + login.Address() + (login.tls ? " (TLS)" : "") +
                       ": logged in; publishing to " + device.topic + "/" + device.station + "/#"}};
}

int RemoveDiscovery(const CIniFile& profile, const std::string& passwordFile,
                    const RadlogSettings& settings, const WarnFunction& warn) {
    const std::optional<Mqtt> mqtt = LoadMqtt(profile, "", passwordFile, warn);
    if (!mqtt) {
        warn("no broker in the profile's [MQTT] section");
        return 1;
    }
    const std::vector<MqttMessage> removals =
        rad::DiscoveryRemovals(rad::DeviceOf(mqtt->settings, settings));
    const std::string failure =
        rad::PublishOnce(rad::LoginOf(mqtt->settings, mqtt->password),
                         CommandClientId(mqtt->settings, "remove"), removals, kCommandTimeoutMs);
    if (!failure.empty()) {
        warn(failure);
        return 1;
    }
    std::printf("removed %zu discovery configurations of %s\n", removals.size(),
                rad::DeviceOf(mqtt->settings, settings).station.c_str());
    return 0;
}
