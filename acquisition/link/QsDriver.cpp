#include "QsDriver.h"

#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "LocalTime.h"
#include "Serial.h"
#include "Wire.h"

namespace {

// Every wait looks at the input queue at least this often; arriving bytes end a wait early.
constexpr int kPollIntervalMs = 10;
constexpr int kLineSeconds = 1;
constexpr int kReplySeconds = 2;
constexpr int kCalSeconds = 5;
constexpr int kPixelSeconds = 10;

std::int64_t MonotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int16_t Peak(const std::vector<std::int16_t>& values)
{
    std::int16_t peak = INT16_MIN;
    for (std::int16_t v : values) peak = v > peak ? v : peak;
    return peak;
}

}  // namespace

CQSDriver::CQSDriver(int model) : CQSDriver(model, std::make_unique<CSerial>()) {}

CQSDriver::CQSDriver(int model, std::unique_ptr<CPort> port)
    : m_cal(model), m_data(model), m_traits(kModelTraits[static_cast<std::size_t>(model)]),
      m_pPort(std::move(port))
{
}

CQSDriver::~CQSDriver()
{
    m_pPort->Close();
}

int CQSDriver::OpenPort(int portNumber, int baud)
{
    const std::string path = rad::ComPortDevice(m_ports, portNumber);
    if (path.empty()) {
        m_nStatus = kStatusPortFailed;
        return 0;
    }
    return OpenDevice(path, baud);
}

int CQSDriver::OpenDevice(const std::string& path, int baud)
{
    if (!m_pPort->Open(path, baud)) {
        m_nStatus = kStatusPortFailed;
        return 0;
    }
    return 1;
}

int CQSDriver::ClosePort()
{
    if (m_pPort->IsOpen()) m_pPort->Close();
    m_nStatus = kStatusNone;
    return 1;
}

bool CQSDriver::IsOpen() const
{
    return m_pPort->IsOpen();
}

bool CQSDriver::DeviceLost() const
{
    return m_pPort->DeviceLost();
}

std::int64_t CQSDriver::DeadlineAfter(int seconds) const
{
    return MonotonicMs() + std::llround(seconds * 1000.0 * m_timeScale);
}

int CQSDriver::SendCommand(const char* format, ...)
{
    char command[kReplySize];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(command, sizeof command, format, args);
    va_end(args);
    const int length = n < 0 ? 0 : (n < kReplySize ? n : kReplySize - 1);
    m_pPort->Write(command, static_cast<std::size_t>(length));
    return length;
}

int CQSDriver::ReadLine(char* buffer, int seconds)
{
    const std::int64_t deadline = DeadlineAfter(seconds);
    buffer[0] = '\0';
    rad::LineBuffer line(buffer, kReplySize);
    while (MonotonicMs() < deadline) {
        char byte;
        while (m_pPort->GetInQueue() > 0 && m_pPort->Read(&byte, 1) == 1) {
            const rad::LineBuffer::State state = line.Put(byte);
            if (state == rad::LineBuffer::kComplete) return line.Length();
            if (state == rad::LineBuffer::kOverlong) return 0;
        }
        if (!m_pPort->IsOpen()) return -1;  // the device is gone: nothing more will come
        m_pPort->WaitForInput(kPollIntervalMs);
    }
    return -1;
}

int CQSDriver::ReadBlock(unsigned char* buffer, int length, int seconds)
{
    const std::int64_t deadline = DeadlineAfter(seconds);
    int count = 0;
    while (MonotonicMs() < deadline) {
        while (count < length && m_pPort->GetInQueue() > 0 && m_pPort->Read(buffer + count, 1) == 1) ++count;
        if (count == length) return length;
        if (!m_pPort->IsOpen()) return -1;
        m_pPort->WaitForInput(kPollIntervalMs);
    }
    return -1;
}

int CQSDriver::ReadReply(int seconds)
{
    std::memset(m_szReply, 0, sizeof m_szReply);
    m_pField[0] = nullptr;
    if (ReadLine(m_szReply, seconds) < 1) return 0;
    const int count = rad::SplitFields(m_szReply, m_pField, kMaxFields);
    return rad::ReplyAccepted(m_pField, count) ? 1 : 0;
}

int CQSDriver::FieldCount() const
{
    int count = 0;
    while (count < kMaxFields && m_pField[count] != nullptr) ++count;
    return count;
}

int CQSDriver::Query(const char* command)
{
    SendCommand("%s\r", command);
    return ReadReply(kReplySeconds);
}

int CQSDriver::ReadIdentity(SensorCal& cal)
{
    struct TextQuery {
        const char* command;
        TextField& field;
    };
    const TextQuery queries[] = {{"ID", cal.ID}, {"ST", cal.ST}, {"SER", cal.SN}, {"FV", cal.FV}};
    for (const TextQuery& q : queries) {
        if (!Query(q.command)) return 0;
        SetTextField(q.field, m_pField[0]);
    }
    if (!Query("FT")) return 0;
    SetTextField(cal.FT, rad::JoinDateTime(m_pField, FieldCount()));
    for (int k = 0; k < 6; ++k) {
        SendCommand("C%d\r", k);
        if (!ReadReply(kReplySeconds)) return 0;
        SetTextField(cal.C[k], m_pField[0]);
    }
    cal.ComputeWavelengths();
    return 1;
}

int CQSDriver::ReadCalibration()
{
    const int n = PixelCount(m_traits.model);
    std::vector<unsigned char> block(static_cast<std::size_t>(4 * n));
    SendCommand("CALB\r");
    if (ReadBlock(block.data(), 4 * n, kCalSeconds) != 4 * n) return 0;
    ReadLine(m_szReply, kLineSeconds);
    for (int k = 0; k < n; ++k) m_cal.CAL[static_cast<std::size_t>(k)] = rad::FloatAt(block.data(), k);
    return 1;
}

int CQSDriver::ReadMask()
{
    unsigned char mask[kMaskSize];
    SendCommand("PXSB\r");
    if (ReadBlock(mask, kMaskSize, kCalSeconds) != kMaskSize) return 0;
    ReadLine(m_szReply, kLineSeconds);
    std::memcpy(m_byMask, mask, sizeof mask);
    return 1;
}

int CQSDriver::GetSensorInfo()
{
    m_pPort->Purge();
    SendCommand("\r");
    if (ReadLine(m_szReply, kLineSeconds) < 1) {
        m_nStatus = kStatusNoReply;
        return 0;
    }
    if (!ReadIdentity(m_cal)) {
        m_nStatus = kStatusIdentityFailed;
        return 0;
    }
    if (std::strcmp(m_cal.ST, kModels[static_cast<std::size_t>(m_traits.model)].label) != 0) {
        m_nStatus = kStatusWrongModel;
        return 0;
    }
    if (!ReadCalibration() || (m_traits.pixelMask && !ReadMask())) {
        m_nStatus = kStatusCalFailed;
        return 0;
    }
    m_nStatus = kStatusReady;
    return 1;
}

int CQSDriver::ReadPixels(std::int16_t* buffer, int block)
{
    const int n = PixelCount(m_traits.model);
    std::vector<unsigned char> raw(static_cast<std::size_t>(2 * n));
    SendCommand("RB,%d\r", block);
    if (ReadBlock(raw.data(), 2 * n, kPixelSeconds) != 2 * n) return 0;
    ReadLine(m_szReply, kLineSeconds);
    for (int k = 0; k < n; ++k) {
        const bool unused = m_traits.pixelMask && k < kMaskSize && m_byMask[k] == 0;
        buffer[k] = unused ? 0 : rad::PixelAt(raw.data(), k);
    }
    return 1;
}

int CQSDriver::Expose(int exposureMs)
{
    SendCommand("GM,%d,%d,%d\r", exposureMs, 0, 1);
    return ReadReply(exposureMs / 1000 + kReplySeconds);
}

int CQSDriver::SearchExposure(std::int16_t* light, int& idx, std::int64_t& t)
{
    constexpr int kMaxPasses = 15;
    const int n = PixelCount(m_traits.model);
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        t = rad::Now();
        if (!Expose(kExposureTable[static_cast<std::size_t>(idx)]) || !ReadPixels(light, 0)) return 0;
        const std::int16_t peak = Peak(std::vector<std::int16_t>(light, light + n));
        if (peak > m_traits.low) {
            if (peak < m_traits.high || idx == 0) return 1;
            --idx;
        } else {
            if (kExposureTable[static_cast<std::size_t>(idx + 1)] == 0) return 1;
            ++idx;
        }
    }
    // The last pass moved the exposure: take the light again there so light, dark and ET agree.
    t = rad::Now();
    return Expose(kExposureTable[static_cast<std::size_t>(idx)]) && ReadPixels(light, 0);
}

void CQSDriver::StoreSignals(const std::int16_t* light, const std::int16_t* dark, int exposureMs, bool saturate)
{
    const double seconds = exposureMs / 1000.0;
    for (std::size_t k = 0; k < m_data.MD.size(); ++k) {
        const bool saturated = saturate && light[k] > m_traits.high;
        m_data.MD[k] = saturated ? 0.0f : static_cast<float>(light[k] / seconds);
        m_data.DD[k] = saturated ? 0.0f : static_cast<float>(dark[k] / seconds);
    }
}

int CQSDriver::ReadSerialAndStatus()
{
    if (!Query("SER")) return 0;
    SetTextField(m_data.SN, m_pField[0]);
    if (!Query("SS")) return 0;
    const SensorModelInfo& info = kModels[static_cast<std::size_t>(m_traits.model)];
    // The second temperature of the masked model comes from T2, not from SS.
    const int floats = m_traits.secondTemperature ? info.statusFloats - 1 : info.statusFloats;
    rad::ParseStatusValues(m_pField, FieldCount(), m_data.statusInt, info.statusInts, m_data.statusFloat, floats);
    return 1;
}

int CQSDriver::ReadSecondTemperature()
{
    const SensorModelInfo& info = kModels[static_cast<std::size_t>(m_traits.model)];
    float& temperature = m_data.statusFloat[info.statusFloats - 1];
    temperature = kNoTemperature;
    if (!Query("FV")) return 0;
    if (std::strcmp(m_pField[0], kT2Firmware) != 0) return 1;
    if (!Query("T2")) return 0;
    temperature = static_cast<float>(LeadingNumber(m_pField[0]));
    return 1;
}

int CQSDriver::Measure()
{
    m_bValid = 0;
    m_pPort->Purge();
    SendCommand("\r");
    if (ReadLine(m_szReply, kLineSeconds) < 1) return 0;
    Query("OP");
    const int ok = m_traits.autoExposure ? MeasureAuto() : MeasureFixed();
    m_bValid = ok;
    return ok;
}

int CQSDriver::MeasureAuto()
{
    const std::size_t n = static_cast<std::size_t>(PixelCount(m_traits.model));
    std::vector<std::int16_t> light(n), dark(n);
    int idx = m_nExpIndex;
    std::int64_t t = 0;
    const int found = SearchExposure(light.data(), idx, t);
    Query("CL");  // the shutter closes whether the search succeeded or not
    if (!found) return 0;
    const int exposure = kExposureTable[static_cast<std::size_t>(idx)];
    if (!Expose(exposure) || !ReadPixels(dark.data(), 0)) return 0;
    m_nExpIndex = idx;
    m_data.ET = exposure;
    m_data.MT = t;
    StoreSignals(light.data(), dark.data(), exposure, true);
    return ReadSerialAndStatus();
}

int CQSDriver::MeasureFixed()
{
    const std::size_t n = static_cast<std::size_t>(PixelCount(m_traits.model));
    std::vector<std::int16_t> light(n), dark(n);
    const int exposure = m_traits.fixedExposure;
    const std::int64_t t = rad::Now();
    if (!Expose(exposure) || !ReadPixels(light.data(), 0)) return 0;
    Query("CL");
    if (!Expose(exposure) || !ReadPixels(dark.data(), 0)) return 0;
    m_data.ET = exposure;
    m_data.MT = t;
    StoreSignals(light.data(), dark.data(), exposure, false);
    return ReadSerialAndStatus() && ReadSecondTemperature();
}
