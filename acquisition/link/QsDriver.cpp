#include "QsDriver.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "Serial.h"
#include "Wire.h"

namespace {

// Every wait looks at the input queue at least this often; arriving bytes end a wait early.
constexpr int kPollIntervalMs = 10;
constexpr int kLineMs = 1000;
constexpr int kReplyMs = 2000;
constexpr int kCalMs = 5000;
constexpr int kPixelMs = 10000;
// After a failed exchange the line must stay silent this long before the next command: a late
// reply then ends in the bin instead of being read as the answer to the next command.
constexpr int kQuietMs = 500;
// A line that never falls silent is left after this long; the drain before the next command
// and the check of the line after every block still keep its bytes out of a frame.
constexpr int kQuietLimitMs = 5000;
// The line after every binary block: anything else means the block was cut or shifted.
constexpr const char* kBlockTrailer = "OK\r";

std::int16_t Peak(const std::vector<std::int16_t>& values) {
    std::int16_t peak = INT16_MIN;
    for (std::int16_t v : values) peak = v > peak ? v : peak;
    return peak;
}

// The command's name as the failure reports it: "GM,100,0,1\r" -> "GM".
std::string CommandName(const char* command) {
    return std::string(command, std::strcspn(command, ",\r"));
}

}  // namespace

CQSDriver::CQSDriver(int model) : CQSDriver(model, std::make_unique<CSerial>()) {}

CQSDriver::CQSDriver(int model, std::unique_ptr<CPort> port, const ILinkClock& clock)
    : m_info(ModelInfo(model)), m_pPort(std::move(port)), m_clock(clock) {}

CQSDriver::~CQSDriver() { m_pPort->Close(); }

int CQSDriver::OpenPort(int portNumber, int baud) {
    const std::string path = rad::ComPortDevice(m_ports, portNumber);
    m_path = path;
    if (path.empty()) return 0;
    return OpenDevice(path, baud);
}

int CQSDriver::OpenDevice(const std::string& path, int baud) {
    m_path = path;
    return m_pPort->Open(path, baud) ? 1 : 0;
}

int CQSDriver::ClosePort() {
    if (m_pPort->IsOpen()) m_pPort->Close();
    return 1;
}

bool CQSDriver::IsOpen() const { return m_pPort->IsOpen(); }

bool CQSDriver::DeviceLost() const { return m_pPort->DeviceLost(); }

bool CQSDriver::CheckLost() {
    if (m_pPort->IsOpen()) Drain();  // nothing is due between measurements
    return m_pPort->DeviceLost();
}

std::int64_t CQSDriver::DeadlineAfter(int timeoutMs) const {
    return m_clock.MonotonicMs() + std::llround(timeoutMs * m_timeScale);
}

int CQSDriver::Fail(LinkFailure::Cause cause, int timeoutMs) {
    // The first failure of an operation is its cause; what follows (the shutter closing, the
    // quiet wait) does not overwrite it.
    if (m_failure.cause == LinkFailure::kNone) m_failure = {cause, m_command, timeoutMs};
    return 0;
}

LinkFailure::Cause CQSDriver::AwaitInput(std::int64_t deadline) {
    if (!m_pPort->IsOpen()) return LinkFailure::kLost;
    if (StopRequested()) return LinkFailure::kStopped;
    const std::int64_t left = deadline - m_clock.MonotonicMs();
    if (left <= 0) return LinkFailure::kNoReply;
    m_pPort->WaitForInput(static_cast<int>(left < kPollIntervalMs ? left : kPollIntervalMs));
    return LinkFailure::kNone;
}

void CQSDriver::Drain() {
    unsigned char bin[64];
    while (m_pPort->GetInQueue() > 0 && m_pPort->Read(bin, sizeof bin) > 0) {
    }
}

void CQSDriver::AwaitQuiet() {
    const std::int64_t limit = DeadlineAfter(kQuietLimitMs);
    std::int64_t quietUntil = DeadlineAfter(kQuietMs);
    for (;;) {
        unsigned char bin[64];
        bool heard = false;
        while (m_pPort->GetInQueue() > 0 && m_pPort->Read(bin, sizeof bin) > 0) heard = true;
        if (heard) quietUntil = std::min(DeadlineAfter(kQuietMs), limit);
        const std::int64_t left = quietUntil - m_clock.MonotonicMs();
        if (left <= 0 || !m_pPort->IsOpen() || StopRequested()) return;
        m_pPort->WaitForInput(static_cast<int>(left < kPollIntervalMs ? left : kPollIntervalMs));
    }
}

int CQSDriver::SendCommand(const char* format, ...) {
    char command[kReplySize];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(command, sizeof command, format, args);
    va_end(args);
    const int length = n < 0 ? 0 : (n < kReplySize ? n : kReplySize - 1);
    m_command = CommandName(command);
    Drain();
    m_pPort->Write(command, static_cast<std::size_t>(length));
    return length;
}

int CQSDriver::ReadLine(char* buffer, int timeoutMs) {
    const std::int64_t deadline = DeadlineAfter(timeoutMs);
    buffer[0] = '\0';
    rad::LineBuffer line(buffer, kReplySize);
    for (;;) {
        char byte;
        while (m_pPort->GetInQueue() > 0 && m_pPort->Read(&byte, 1) == 1) {
            const rad::LineBuffer::State state = line.Put(byte);
            if (state == rad::LineBuffer::kComplete) return line.Length();
            if (state == rad::LineBuffer::kOverlong) return Fail(LinkFailure::kOverlong);
        }
        const LinkFailure::Cause cause = AwaitInput(deadline);
        if (cause != LinkFailure::kNone) {
            Fail(cause, timeoutMs);
            return -1;
        }
    }
}

int CQSDriver::ReadBlock(unsigned char* buffer, int length, int timeoutMs) {
    const std::int64_t deadline = DeadlineAfter(timeoutMs);
    int count = 0;
    for (;;) {
        while (count < length && m_pPort->GetInQueue() > 0) {
            const std::uint32_t got =
                m_pPort->Read(buffer + count, static_cast<std::uint32_t>(length - count));
            if (got == 0) break;
            count += static_cast<int>(got);
        }
        if (count == length) return length;
        const LinkFailure::Cause cause = AwaitInput(deadline);
        if (cause != LinkFailure::kNone) {
            Fail(cause == LinkFailure::kNoReply && count > 0 ? LinkFailure::kShortBlock : cause,
                 timeoutMs);
            return -1;
        }
    }
}

int CQSDriver::ReadBlockReply(unsigned char* buffer, int length, int timeoutMs) {
    if (ReadBlock(buffer, length, timeoutMs) != length) {
        AwaitQuiet();
        return 0;
    }
    if (ReadLine(m_szReply, kLineMs) < 1 || std::strcmp(m_szReply, kBlockTrailer) != 0) {
        // A lost device or a stop says so; a missing or wrong line says the block is not sound.
        const LinkFailure::Cause cause = m_failure.cause;
        if (cause == LinkFailure::kNone || cause == LinkFailure::kNoReply ||
            cause == LinkFailure::kOverlong)
            m_failure = {LinkFailure::kNoTrailer, m_command, kLineMs};
        AwaitQuiet();
        return 0;
    }
    return 1;
}

int CQSDriver::ReadReply(int timeoutMs) {
    std::memset(m_szReply, 0, sizeof m_szReply);
    m_pField[0] = nullptr;
    const int length = ReadLine(m_szReply, timeoutMs);
    if (length >= 1) {
        const int count = rad::SplitFields(m_szReply, m_pField, kMaxFields);
        if (rad::ReplyAccepted(m_pField, count)) return 1;
        Fail(LinkFailure::kRefused);
    }
    AwaitQuiet();
    return 0;
}

int CQSDriver::FieldCount() const {
    int count = 0;
    while (count < kMaxFields && m_pField[count] != nullptr) ++count;
    return count;
}

int CQSDriver::Query(const char* command) {
    SendCommand("%s\r", command);
    return ReadReply(kReplyMs);
}

int CQSDriver::Acknowledge(const char* command) {
    SendCommand("%s\r", command);
    if (ReadLine(m_szReply, kReplyMs) >= 1) return 1;  // the content is not examined
    AwaitQuiet();
    return 0;
}

int CQSDriver::CloseShutter() {
    // Stopping: the sensor may still be exposing, so the reply is not waited for.
    if (StopRequested()) {
        m_pPort->Write("CL\r", 3);
        return Fail(LinkFailure::kStopped);
    }
    return Acknowledge("CL");
}

int CQSDriver::ReadIdentity(SensorCal& cal) {
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
        if (!ReadReply(kReplyMs)) return 0;
        SetTextField(cal.C[k], m_pField[0]);
    }
    cal.ComputeWavelengths();
    return 1;
}

int CQSDriver::ReadCalibration(SensorCal& cal) {
    const int n = m_info.pixels;
    std::vector<unsigned char> block(static_cast<std::size_t>(4 * n));
    SendCommand("CALB\r");
    if (!ReadBlockReply(block.data(), 4 * n, kCalMs)) return 0;
    for (int k = 0; k < n; ++k)
        cal.CAL[static_cast<std::size_t>(k)] = rad::FloatAt(block.data(), k);
    return 1;
}

int CQSDriver::ReadMask() {
    unsigned char mask[kMaskSize];
    SendCommand("PXSB\r");
    if (!ReadBlockReply(mask, kMaskSize, kCalMs)) return 0;
    std::memcpy(m_byMask, mask, sizeof mask);
    return 1;
}

SensorInfoResult CQSDriver::GetSensorInfo() {
    SensorInfoResult result(m_info.model);
    m_failure = {};
    result.status = IdentifyOnce(result.cal);
    result.failure = m_failure;
    return result;
}

// The status code the identification ends with.
int CQSDriver::IdentifyOnce(SensorCal& cal) {
    m_pPort->Purge();
    SendCommand("\r");
    if (ReadLine(m_szReply, kLineMs) < 1) {
        AwaitQuiet();
        return kStatusNoReply;
    }
    if (!ReadIdentity(cal)) return kStatusIdentityFailed;
    if (std::strcmp(cal.ST, m_info.label) != 0) return kStatusWrongModel;
    if (!ReadCalibration(cal) || (m_info.pixelMask && !ReadMask())) return kStatusCalFailed;
    return kStatusReady;
}

int CQSDriver::ReadPixels(std::int16_t* buffer, int block) {
    const int n = m_info.pixels;
    std::vector<unsigned char> raw(static_cast<std::size_t>(2 * n));
    SendCommand("RB,%d\r", block);
    if (!ReadBlockReply(raw.data(), 2 * n, kPixelMs)) return 0;
    for (int k = 0; k < n; ++k) {
        const bool unused = m_info.pixelMask && k < kMaskSize && m_byMask[k] == 0;
        buffer[k] = unused ? 0 : rad::PixelAt(raw.data(), k);
    }
    return 1;
}

int CQSDriver::Expose(int exposureMs) {
    if (StopRequested()) return Fail(LinkFailure::kStopped);
    SendCommand("GM,%d,%d,%d\r", exposureMs, 0, 1);
    return ReadReply(exposureMs / 1000 * 1000 + kReplyMs);
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

void CQSDriver::StoreSignals(SensorData& data, const std::int16_t* light, const std::int16_t* dark,
                             int exposureMs, bool saturate) const {
    const double seconds = exposureMs / 1000.0;
    for (std::size_t k = 0; k < data.MD.size(); ++k) {
        const bool saturated = saturate && light[k] > m_info.highCounts;
        data.MD[k] = saturated ? 0.0f : static_cast<float>(light[k] / seconds);
        data.DD[k] = saturated ? 0.0f : static_cast<float>(dark[k] / seconds);
    }
}

int CQSDriver::ReadSerialAndStatus(SensorData& data) {
    if (!Query("SER")) return 0;
    SetTextField(data.SN, m_pField[0]);
    if (!Query("SS")) return 0;
    rad::ParseStatusValues(m_pField, FieldCount(), data.statusInt, m_info.statusInts,
                           data.statusFloat, StatusReplyFloats(m_info));
    return !m_info.secondTemperature || ReadSecondTemperature(data);
}

int CQSDriver::ReadSecondTemperature(SensorData& data) {
    float& temperature = data.statusFloat[m_info.status.internalTemp2];
    temperature = kNoTemperature;
    if (!Query("FV")) return 0;
    if (std::strcmp(m_pField[0], kT2Firmware) != 0) return 1;
    if (!Query("T2")) return 0;
    temperature = static_cast<float>(LeadingNumber(m_pField[0]));
    return 1;
}

MeasureResult CQSDriver::Measure() {
    MeasureResult result(m_info.model);
    m_failure = {};
    result.valid = MeasureOnce(result.data) == 1;
    result.failure = m_failure;
    return result;
}

int CQSDriver::MeasureOnce(SensorData& data) {
    m_pPort->Purge();
    SendCommand("\r");
    if (ReadLine(m_szReply, kLineMs) < 1) {
        AwaitQuiet();
        return 0;
    }
    // The content of the OP reply is not examined, but an OP without one leaves the shutter in
    // doubt and the line unsure: the attempt fails after closing the shutter.
    if (!Acknowledge("OP")) {
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
        if (DeviceLost() || StopRequested()) break;
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
    StoreSignals(data, light.data(), dark.data(), exposure, true);
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
    StoreSignals(data, light.data(), dark.data(), exposure, false);
    return ReadSerialAndStatus(data);
}
