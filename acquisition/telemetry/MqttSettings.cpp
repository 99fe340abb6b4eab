#include "MqttSettings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <fstream>

#include "IniFile.h"
#include "SettingsBlocksIo.h"

namespace {
constexpr const char* kSection = "MQTT";
}  // namespace

void MqttSettings::Load(const CIniFile& ini) {
    *this = MqttSettings{};
    present = ini.HasSection(kSection);
    if (!present) return;
    host = ini.GetString(kSection, "HOST", "");
    port = ini.GetInt(kSection, "PORT", kDefaultPort);
    tls = rad::LoadBool(ini, kSection, "TLS", false);
    caFile = ini.GetString(kSection, "CAFILE", "");
    certFile = ini.GetString(kSection, "CERTFILE", "");
    keyFile = ini.GetString(kSection, "KEYFILE", "");
    user = ini.GetString(kSection, "USER", "");
    password = ini.GetString(kSection, "PASSWORD", "");
    station = ini.GetString(kSection, "STATION", "");
    topic = ini.GetString(kSection, "TOPIC", "radlog");
    spectrum = rad::LoadBool(ini, kSection, "SPECTRUM", false);
    discovery = rad::LoadBool(ini, kSection, "DISCOVERY", false);
    discoveryPrefix = ini.GetString(kSection, "DISCOVERYPREFIX", kDefaultDiscoveryPrefix);
    darkLimit = ini.GetInt(kSection, "DARKLIMIT", kDefaultDarkLimit);
    offlineAlert = ini.GetInt(kSection, "OFFLINEALERT", kDefaultOfflineAlert);
}

void MqttSettings::Save(CIniFile& ini) const {
    if (!present) return;
    ini.SetString(kSection, "HOST", host);
    ini.SetInt(kSection, "PORT", port);
    rad::SaveBool(ini, kSection, "TLS", tls);
    ini.SetString(kSection, "CAFILE", caFile);
    // Later keys are written only where they were given, so older profiles stay as they were.
    const auto setIfUsed = [&](const char* key, const std::string& value, const char* unset) {
        if (ini.HasKey(kSection, key) || value != unset) ini.SetString(kSection, key, value);
    };
    setIfUsed("CERTFILE", certFile, "");
    setIfUsed("KEYFILE", keyFile, "");
    ini.SetString(kSection, "USER", user);
    // A password given elsewhere is never copied into the profile.
    if (ini.HasKey(kSection, "PASSWORD")) ini.SetString(kSection, "PASSWORD", password);
    ini.SetString(kSection, "STATION", station);
    ini.SetString(kSection, "TOPIC", topic);
    rad::SaveBool(ini, kSection, "SPECTRUM", spectrum);
    rad::SaveBool(ini, kSection, "DISCOVERY", discovery);
    setIfUsed("DISCOVERYPREFIX", discoveryPrefix, kDefaultDiscoveryPrefix);
    ini.SetInt(kSection, "DARKLIMIT", darkLimit);
    ini.SetInt(kSection, "OFFLINEALERT", offlineAlert);
}

std::string MqttSettings::StationName() const {
    if (!station.empty()) return station;
    std::array<char, 256> name{};
    if (::gethostname(name.data(), name.size() - 1) != 0 || name[0] == 0) return "radlog";
    return name.data();
}

namespace rad {

std::string MqttSettingsError(const MqttSettings& settings) {
    const auto hasAny = [](const std::string& text, const char* characters) {
        return text.find_first_of(characters) != std::string::npos;
    };
    const std::string station = settings.StationName();
    if (hasAny(station, "#+/"))
        return "STATION \"" + station +
               "\" cannot stand in a topic: it must not hold '#', '+' or '/'";
    if (settings.topic.empty() || hasAny(settings.topic, "#+"))
        return "TOPIC \"" + settings.topic + "\" must be a topic without '#' or '+'";
    if (settings.discovery &&
        (settings.discoveryPrefix.empty() || hasAny(settings.discoveryPrefix, "#+")))
        return "DISCOVERYPREFIX \"" + settings.discoveryPrefix +
               "\" must be a topic without '#' or '+'";
    return {};
}

std::optional<std::string> ResolveMqttPassword(const MqttSettings& settings,
                                               const std::string& passwordFile,
                                               const char* environmentValue) {
    if (!passwordFile.empty()) {
        std::ifstream in(passwordFile);
        std::string line;
        if (!in || !std::getline(in, line)) return std::nullopt;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
    }
    if (environmentValue && *environmentValue) return std::string(environmentValue);
    return settings.password;
}

std::string ProfilePasswordWarning(const MqttSettings& settings, const std::string& profilePath) {
    if (settings.password.empty()) return {};
    struct stat info {};
    if (::stat(profilePath.c_str(), &info) != 0) return {};
    if ((info.st_mode & (S_IRGRP | S_IROTH)) == 0) return {};
    return "MQTT WARNING: " + profilePath +
           " holds the broker password and others can read it (chmod 600, or use "
           "--mqtt-password-file or " +
           kMqttPasswordVariable + ")";
}

}  // namespace rad
