#include "PortProbe.h"

#include "SensorModel.h"
#include "Serial.h"

std::vector<PortEntry> ProbePorts(const rad::PortMap& ports) {
    std::vector<PortEntry> found;
    for (int n = 1; n <= kProbeLastPort; ++n) {
        const std::string device = rad::ComPortDevice(ports, n);
        CSerial port;
        if (!port.Open(device, kBaudRate)) continue;
        port.Close();
        found.push_back({n, QString::fromStdString(device)});
    }
    return found;
}
