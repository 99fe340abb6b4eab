#include "PortMapping.h"

#include <cctype>

namespace rad {
namespace {

constexpr const char* kSection = "PORTS";
// COM numbers beyond this are not ports anyone has; it also keeps the digits within int.
constexpr int kMaxComNumber = 256;

// n of a key "COMn", or 0 when the key has another form.
int ComNumberOfKey(const std::string& key) {
    // "COM03" would not be the key SavePortMap writes back, so only the plain form counts.
    if (key.size() < 4 || key.size() > 6 || key[3] == '0') return 0;
    for (int i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(key[static_cast<std::size_t>(i)])) !=
            "COM"[i]) {
            return 0;
        }
    }
    int n = 0;
    for (std::size_t i = 3; i < key.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(key[i]))) return 0;
        n = n * 10 + (key[i] - '0');
    }
    return n <= kMaxComNumber ? n : 0;
}

}  // namespace

PortMap LoadPortMap(const CIniFile& ini) {
    PortMap ports;
    for (const std::string& key : ini.GetKeys(kSection)) {
        const int n = ComNumberOfKey(key);
        std::string device = ini.GetString(kSection, key, "");
        if (n > 0 && !device.empty()) ports.emplace(n, std::move(device));
    }
    return ports;
}

void SavePortMap(CIniFile& ini, const PortMap& ports) {
    for (const auto& [n, device] : ports) {
        ini.SetString(kSection, "COM" + std::to_string(n), device);
    }
}

std::string ComPortDevice(const PortMap& ports, int n) {
    if (n < 1) return {};
    const auto it = ports.find(n);
    if (it != ports.end()) return it->second;
    return "/dev/ttyUSB" + std::to_string(n - 1);
}

}  // namespace rad
