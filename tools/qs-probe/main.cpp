// qs-probe: the field technician's first check of a sensor and its cable.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "IniFile.h"
#include "ModelNames.h"
#include "PortMapping.h"
#include "QsDriver.h"
#include "Rad.h"
#include "RsdData.h"
#include "VersionOption.h"

namespace {

struct Args {
    int model = -1;  // not given: the sensor's ST reply says
    int measurements = 0;
    std::string rsdPath;
    std::string iniPath;
    std::string port;
};

void Usage() {
    std::fprintf(stderr,
                 "usage: qs-probe [--model QS-100|QS-200|QS-300|QS-400] [--measure N] [--rsd OUT]\n"
                 "                [--ini PROFILE] PORT-OR-DEVICE\n"
                 "PORT is a COM number (mapped through [PORTS] of PROFILE); DEVICE is a path.\n");
}

bool Parse(int argc, char** argv, Args& a) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--model" && hasValue) {
            a.model = ModelOfName(argv[++i]);
            if (a.model < 0) return false;
        } else if (arg == "--measure" && hasValue) {
            a.measurements = std::atoi(argv[++i]);
        } else if (arg == "--rsd" && hasValue) {
            a.rsdPath = argv[++i];
        } else if (arg == "--ini" && hasValue) {
            a.iniPath = argv[++i];
        } else if (a.port.empty() && !arg.empty() && arg[0] != '-') {
            a.port = arg;
        } else {
            return false;
        }
    }
    return !a.port.empty() && a.measurements >= 0;
}

bool IsNumber(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Open(CQSDriver& driver, const Args& a) {
    if (!IsNumber(a.port)) return driver.OpenDevice(a.port, kBaudRate);
    if (!a.iniPath.empty()) {
        CIniFile ini;
        if (ini.Load(a.iniPath)) driver.SetPortMap(rad::LoadPortMap(ini));
    }
    return driver.OpenPort(std::atoi(a.port.c_str()), kBaudRate);
}

void PrintIdentity(const SensorCal& cal) {
    std::printf("ID %s\nST %s\nSN %s\nFV %s\nFT %s\n", cal.ID, cal.ST, cal.SN, cal.FV, cal.FT);
    if (!cal.WL.empty()) std::printf("WL %.2f .. %.2f nm\n", cal.WL.front(), cal.WL.back());
}

void PrintMeasurement(int n, const SensorData& d) {
    const SensorModelInfo& info = kModels[static_cast<std::size_t>(d.m_nModel)];
    // Counts per second back to counts, so the peak reads as the sensor's own number.
    const float peak =
        *std::max_element(d.MD.begin(), d.MD.end()) * static_cast<float>(d.ET) / 1000.0f;
    std::printf("measurement %d: ET %d ms, peak %.0f counts, status", n, d.ET, peak);
    for (int i = 0; i < info.statusInts; ++i) std::printf(" %d", d.statusInt[i]);
    for (int i = 0; i < info.statusFloats; ++i) std::printf(" %.3f", d.statusFloat[i]);
    std::printf("\n");
}

struct Probe {
    std::unique_ptr<CQSDriver> driver;
    SensorInfoResult info;
};

// One identification with the driver of a.model; a port that does not open gives code 1.
Probe IdentifyAs(const Args& a) {
    Probe probe{std::make_unique<CQSDriver>(a.model), SensorInfoResult(a.model)};
    probe.info.status = kStatusPortFailed;
    if (Open(*probe.driver, a)) probe.info = probe.driver->GetSensorInfo();
    return probe;
}

// Identifies the sensor. Without --model the first try speaks as a QS-100; a sensor that names
// another model of the family in its ST reply is then identified with that model's driver.
Probe Identify(Args& a) {
    const bool named = a.model >= 0;
    if (!named) a.model = kQS100;
    Probe probe = IdentifyAs(a);
    const int reported = ModelOfName(probe.info.cal.ST);
    if (named || probe.info.status != kStatusWrongModel || reported < 0) return probe;
    a.model = reported;
    probe.driver.reset();  // the port is held exclusively: closed before it is opened again
    return IdentifyAs(a);
}

}  // namespace

int main(int argc, char** argv) {
    if (rad::PrintVersionIfAsked(argc, argv, "qs-probe")) return 0;
    Args a;
    if (!Parse(argc, argv, a)) {
        Usage();
        return 2;
    }
    const Probe probe = Identify(a);
    CQSDriver& driver = *probe.driver;
    std::printf("%s\n", DriverStatusText(probe.info.status, false));
    if (probe.info.status > kStatusPortFailed) PrintIdentity(probe.info.cal);
    if (!probe.info.Ready()) return 1;
    CRsdData rsd;
    rsd.SetCal(a.model, probe.info.cal);
    bool allMeasured = true;
    for (int n = 1; n <= a.measurements; ++n) {
        const MeasureResult measured = driver.Measure();
        if (!measured.valid) {
            std::printf("measurement %d: failed\n", n);
            allMeasured = false;
            continue;
        }
        PrintMeasurement(n, measured.data);
        CRad rad;
        rad.m_time = measured.data.MT;
        rad.SetBlock(a.model, measured.data);
        rsd.AddRecord(rad);
    }
    driver.ClosePort();
    if (!a.rsdPath.empty() && !rsd.Save(a.rsdPath)) {
        std::fprintf(stderr, "qs-probe: cannot write %s\n", a.rsdPath.c_str());
        return 1;
    }
    return allMeasured ? 0 : 1;
}
