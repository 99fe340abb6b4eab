#include "StationCheck.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "PortMapping.h"
#include "RadlogSettings.h"
#include "SensorModel.h"
#include "Serial.h"

std::vector<CheckFinding> CheckStation(const std::string& profilePath, bool profileRead,
                                       const RadlogSettings& settings) {
    std::vector<CheckFinding> findings;
    findings.push_back({profileRead, "profile " + profilePath +
                                         (profileRead ? "" : ": cannot be read, defaults used")});
    if (settings.rsdFolder.empty()) {
        findings.push_back({false, "data folder: not set ([DIR] RSD)"});
    } else {
        const bool writable = ::access(settings.rsdFolder.c_str(), W_OK | X_OK) == 0;
        findings.push_back(
            {writable, "data folder " + settings.rsdFolder +
                           (writable ? "" : ": " + std::string(std::strerror(errno)))});
    }
    bool anySensor = false;
    for (int model = 0; model < kModelCount; ++model) {
        const auto m = static_cast<std::size_t>(model);
        if (!settings.use[m]) continue;
        anySensor = true;
        const std::string device = rad::ComPortDevice(settings.ports, settings.comPort[m]);
        const std::string what = std::string(kModels[m].label) + " on COM" +
                                 std::to_string(settings.comPort[m]) + " (" + device + ")";
        CSerial port;
        if (device.empty() || !port.Open(device, kBaudRate)) {
            findings.push_back(
                {false,
                 what + ": " + (device.empty() ? "no port" : std::strerror(port.OpenError()))});
            continue;
        }
        port.Close();
        findings.push_back({true, what + ": opens"});
    }
    if (!anySensor) findings.push_back({false, "no sensor in use ([USE])"});
    return findings;
}

int ReportFindings(const std::vector<CheckFinding>& findings) {
    int failed = 0;
    for (const CheckFinding& finding : findings) {
        std::printf("%s %s\n", finding.ok ? "OK  " : "FAIL", finding.text.c_str());
        if (!finding.ok) ++failed;
    }
    std::printf(failed ? "%d problem(s)\n" : "everything works\n", failed);
    return failed ? 1 : 0;
}
