#include "QsDriver.h"

#include <cstring>
#include <vector>

#include "Serial.h"
#include "Wire.h"

namespace {

constexpr int kCalMs = 5000;
constexpr int kPixelMs = 10000;

std::int16_t Peak(const std::vector<std::int16_t>& values) {
    std::int16_t peak = INT16_MIN;
    for (std::int16_t v : values) peak = v > peak ? v : peak;
    return peak;
}

// Light and dark counts per second; a saturated pixel of an auto-exposed model is 0.
void StoreSignals(const SensorModelInfo& info, SensorData& data, const std::int16_t* light,
                  const std::int16_t* dark, int exposureMs, bool saturate) {
    const double seconds = exposureMs / 1000.0;
    for (std::size_t k = 0; k < data.MD.size(); ++k) {
        const bool saturated = saturate && light[k] > info.highCounts;
        data.MD[k] = saturated ? 0.0f : static_cast<float>(light[k] / seconds);
        data.DD[k] = saturated ? 0.0f : static_cast<float>(dark[k] / seconds);
    }
}

// The second internal temperature, read with T2 from the firmware that has it.
int ReadSecondTemperature(CQsLine& line, const SensorModelInfo& info, SensorData& data) {
    float& temperature = data.statusFloat[info.status.internalTemp2];
    temperature = kNoTemperature;
    if (!line.Query("FV")) return 0;
    if (std::strcmp(line.Fields()[0], kT2Firmware) != 0) return 1;
    if (!line.Query("T2")) return 0;
    temperature = static_cast<float>(LeadingNumber(line.Fields()[0]));
    return 1;
}

}  // namespace

CQSDriver::CQSDriver(int model) : CQSDriver(model, std::make_unique<CSerial>()) {}

CQSDriver::CQSDriver(int model, std::unique_ptr<CPort> port, const ILinkClock& clock)
    : m_info(ModelInfo(model)), m_line(std::move(port), clock), m_clock(clock) {}

CQSDriver::~CQSDriver() = default;

int CQSDriver::OpenPort(int portNumber, int baud) {
    const std::string path = rad::ComPortDevice(m_ports, portNumber);
    m_path = path;
    if (path.empty()) return 0;
    return OpenDevice(path, baud);
}

int CQSDriver::OpenDevice(const std::string& path, int baud) {
    m_path = path;
    return m_line.Port().Open(path, baud) ? 1 : 0;
}

int CQSDriver::ClosePort() {
    if (IsOpen()) m_line.Port().Close();
    return 1;
}

int CQSDriver::CloseShutter() {
    // Stopping: the sensor may still be exposing, so the reply is not waited for.
    if (m_line.StopRequested()) {
        m_line.Port().Write("CL\r", 3);
        return m_line.Fail(LinkFailure::kStopped);
    }
    return m_line.Acknowledge("CL");
}

int CQSDriver::ReadIdentity(SensorCal& cal) {
    struct TextQuery {
        const char* command;
        TextField& field;
    };
    const TextQuery queries[] = {{"ID", cal.ID}, {"ST", cal.ST}, {"SER", cal.SN}, {"FV", cal.FV}};
    for (const TextQuery& q : queries) {
        if (!m_line.Query(q.command)) return 0;
        SetTextField(q.field, m_line.Fields()[0]);
    }
    if (!m_line.Query("FT")) return 0;
    SetTextField(cal.FT, rad::JoinDateTime(m_line.Fields(), m_line.FieldCount()));
    for (int k = 0; k < 6; ++k) {
        m_line.Send("C%d\r", k);
        if (!m_line.ReadReply(CQsLine::kReplyMs)) return 0;
        SetTextField(cal.C[k], m_line.Fields()[0]);
    }
    cal.ComputeWavelengths();
    return 1;
}

int CQSDriver::ReadCalibration(SensorCal& cal) {
    const int n = m_info.pixels;
    std::vector<unsigned char> block(static_cast<std::size_t>(4 * n));
    m_line.Send("CALB\r");
    if (!m_line.ReadBlockReply(block.data(), 4 * n, kCalMs)) return 0;
    for (int k = 0; k < n; ++k)
        cal.CAL[static_cast<std::size_t>(k)] = rad::FloatAt(block.data(), k);
    return 1;
}

int CQSDriver::ReadMask() {
    unsigned char mask[kMaskSize];
    m_line.Send("PXSB\r");
    if (!m_line.ReadBlockReply(mask, kMaskSize, kCalMs)) return 0;
    std::memcpy(m_byMask, mask, sizeof mask);
    return 1;
}

SensorInfoResult CQSDriver::GetSensorInfo() {
    SensorInfoResult result(m_info.model);
    m_line.BeginOperation();
    result.status = IdentifyOnce(result.cal);
    result.failure = m_line.Failure();
    return result;
}

// The status code the identification ends with.
int CQSDriver::IdentifyOnce(SensorCal& cal) {
    if (!m_line.Wake()) return kStatusNoReply;
    if (!ReadIdentity(cal)) return kStatusIdentityFailed;
    if (std::strcmp(cal.ST, m_info.label) != 0) return kStatusWrongModel;
    if (!ReadCalibration(cal) || (m_info.pixelMask && !ReadMask())) return kStatusCalFailed;
    return kStatusReady;
}

int CQSDriver::ReadPixels(std::int16_t* buffer, int block) {
    const int n = m_info.pixels;
    std::vector<unsigned char> raw(static_cast<std::size_t>(2 * n));
    m_line.Send("RB,%d\r", block);
    if (!m_line.ReadBlockReply(raw.data(), 2 * n, kPixelMs)) return 0;
    for (int k = 0; k < n; ++k) {
        const bool unused = m_info.pixelMask && k < kMaskSize && m_byMask[k] == 0;
        buffer[k] = unused ? 0 : rad::PixelAt(raw.data(), k);
    }
    return 1;
}

int CQSDriver::Expose(int exposureMs) {
    if (m_line.StopRequested()) return m_line.Fail(LinkFailure::kStopped);
    m_line.Send("GM,%d,%d,%d\r", exposureMs, 0, 1);
    return m_line.ReadReply(exposureMs / 1000 * 1000 + CQsLine::kReplyMs);
}

int CQSDriver::SearchExposure(std::int16_t* light, int& idx, std::int64_t& t) {
    constexpr int kMaxPasses = 15;
    const int n = m_info.pixels;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        t = m_clock.Now();
        if (!Expose(kExposureTable[static_cast<std::size_t>(idx)]) || !ReadPixels(light, 0))
            return 0;
        const std::int16_t peak = Peak(std::vector<std::int16_t>(light, light + n));
        if (peak > m_info.lowCounts) {
            if (peak < m_info.highCounts || idx == 0) return 1;
            --idx;
        } else {
            if (kExposureTable[static_cast<std::size_t>(idx + 1)] == 0) return 1;
            ++idx;
        }
    }
    // The last pass moved the exposure: take the light again there so light, dark and ET agree.
    t = m_clock.Now();
    return Expose(kExposureTable[static_cast<std::size_t>(idx)]) && ReadPixels(light, 0);
}

int CQSDriver::ReadSerialAndStatus(SensorData& data) {
    if (!m_line.Query("SER")) return 0;
    SetTextField(data.SN, m_line.Fields()[0]);
    if (!m_line.Query("SS")) return 0;
    rad::ParseStatusValues(m_line.Fields(), m_line.FieldCount(), data.statusInt, m_info.statusInts,
                           data.statusFloat, StatusReplyFloats(m_info));
    return !m_info.secondTemperature || ReadSecondTemperature(m_line, m_info, data);
}

MeasureResult CQSDriver::Measure() {
    MeasureResult result(m_info.model);
    m_line.BeginOperation();
    result.valid = MeasureOnce(result.data) == 1;
    result.failure = m_line.Failure();
    return result;
}

int CQSDriver::MeasureOnce(SensorData& data) {
    if (!m_line.Wake()) return 0;
    // The content of the OP reply is not examined, but an OP without one leaves the shutter in
    // doubt and the line unsure: the attempt fails after closing the shutter.
    if (!m_line.Acknowledge("OP")) {
        CloseShutter();
        return 0;
    }
    return AutoExposure(m_info) ? MeasureAuto(data) : MeasureFixed(data);
}

MeasureResult CQSDriver::MeasureWithRetries(int attempts, const FailedAttempt& onFailed) {
    MeasureResult result(m_info.model);
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        result = Measure();
        if (result.valid) break;
        if (onFailed) onFailed(attempt, result.failure);
        if (DeviceLost() || m_line.StopRequested()) break;
    }
    return result;
}

int CQSDriver::MeasureAuto(SensorData& data) {
    const std::size_t n = static_cast<std::size_t>(m_info.pixels);
    std::vector<std::int16_t> light(n), dark(n);
    int idx = m_nExpIndex;
    std::int64_t t = 0;
    const int found = SearchExposure(light.data(), idx, t);
    // The shutter closes whether the search succeeded or not.
    if (!CloseShutter() || !found) return 0;
    const int exposure = kExposureTable[static_cast<std::size_t>(idx)];
    if (!Expose(exposure) || !ReadPixels(dark.data(), 0)) return 0;
    m_nExpIndex = idx;
    data.ET = exposure;
    data.MT = t;
    StoreSignals(m_info, data, light.data(), dark.data(), exposure, true);
    return ReadSerialAndStatus(data);
}

int CQSDriver::MeasureFixed(SensorData& data) {
    const std::size_t n = static_cast<std::size_t>(m_info.pixels);
    std::vector<std::int16_t> light(n), dark(n);
    const int exposure = m_info.fixedExposureMs;
    const std::int64_t t = m_clock.Now();
    if (!Expose(exposure) || !ReadPixels(light.data(), 0)) return 0;
    if (!CloseShutter()) return 0;
    if (!Expose(exposure) || !ReadPixels(dark.data(), 0)) return 0;
    data.ET = exposure;
    data.MT = t;
    StoreSignals(m_info, data, light.data(), dark.data(), exposure, false);
    return ReadSerialAndStatus(data);
}
