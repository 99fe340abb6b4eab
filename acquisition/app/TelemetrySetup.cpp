#include "TelemetrySetup.h"

#include <cstdlib>

#include "AnalysisSettings.h"
#include "IniFile.h"
#include "MqttSettings.h"
#include "RadlogSettings.h"
#include "StationTelemetry.h"

std::unique_ptr<IStationObserver> StartTelemetry(
    const CIniFile& profile, const std::string& profilePath, const std::string& passwordFile,
    const RadlogSettings& settings, std::function<void(const std::string&)> output,
    const std::function<void(const std::string&)>& warn) {
    MqttSettings mqtt;
    mqtt.Load(profile);
    if (!mqtt.Enabled()) return nullptr;
    if (const std::string warning = rad::ProfilePasswordWarning(mqtt, profilePath);
        !warning.empty())
        warn(warning);
    const std::optional<std::string> password =
        rad::ResolveMqttPassword(mqtt, passwordFile, std::getenv(rad::kMqttPasswordVariable));
    if (!password) {
        warn("MQTT WARNING: cannot read the password file " + passwordFile);
        return nullptr;
    }
    AnalysisSettings analysis;
    analysis.Load(profile);
    return std::make_unique<CStationTelemetry>(mqtt, *password, settings, analysis.DayStartHour(),
                                               std::move(output));
}
