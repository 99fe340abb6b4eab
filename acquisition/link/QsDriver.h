#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "DriverStatus.h"
#include "LinkClock.h"
#include "LinkFailure.h"
#include "Port.h"
#include "PortMapping.h"
#include "ProtocolConstants.h"
#include "SensorBlocks.h"

// What one identification hands back: the driver status code (kStatusNoReply .. kStatusReady)
// and the identity and calibration read. When it failed, cal holds what was read before the
// failure (ST names the model that answered) and failure says why.
struct SensorInfoResult {
    explicit SensorInfoResult(int model) : cal(model) {}
    bool Ready() const { return status == kStatusReady; }

    int status = kStatusNone;
    SensorCal cal;
    LinkFailure failure;
};

// What one measurement hands back. data is a complete light and dark reading only when valid;
// otherwise failure says why the (last) attempt failed.
struct MeasureResult {
    explicit MeasureResult(int model) : data(model) {}

    bool valid = false;
    SensorData data;
    LinkFailure failure;
};

// One sensor driver: identification, calibration download and measurement over its own port.
// The four models share this code; their differences come from their rows of kModels.
// Port operations return 1 for success and 0 for failure; a driver never throws or logs. The
// reply line, its fields and the pixel mask are the driver's own working state.
// Every exchange starts on an empty input queue, and a failed one lets the line fall silent
// before the next command, so a late or stray byte is never read as the answer to another.
class CQSDriver {
  public:
    static constexpr int kReplySize = 256;
    static constexpr int kMaxFields = 16;

    explicit CQSDriver(int model);
    // Tests hand in their own transport and clock.
    CQSDriver(int model, std::unique_ptr<CPort> port,
              const ILinkClock& clock = CSystemLinkClock::Instance());
    virtual ~CQSDriver();
    CQSDriver(const CQSDriver&) = delete;
    CQSDriver& operator=(const CQSDriver&) = delete;

    // COM number -> device path through the port map, then OpenDevice.
    int OpenPort(int portNumber, int baud);
    int OpenDevice(const std::string& path, int baud);
    int ClosePort();
    SensorInfoResult GetSensorInfo();
    MeasureResult Measure();
    // Up to `attempts` measurements until one succeeds; onFailed(attempt, why) after each
    // failed one (attempt counts from 1). A lost device or a stop ends the attempts early.
    using FailedAttempt = std::function<void(int attempt, const LinkFailure& failure)>;
    MeasureResult MeasureWithRetries(int attempts, const FailedAttempt& onFailed);
    bool IsOpen() const;
    bool DeviceLost() const;
    // Looks at the idle port now, so that a hang-up is seen before the next measurement.
    bool CheckLost();
    // The device path last opened or tried ("" when the port number has none), and why the
    // last open failed.
    const std::string& DevicePath() const { return m_path; }
    std::string OpenFailureText() const { return DescribeOpenError(m_pPort->OpenError()); }
    // Asked between commands and inside every wait; true ends the operation at once (failed).
    // Set before the driver is used from another thread.
    void SetStopCheck(std::function<bool()> stopRequested) { m_stop = std::move(stopRequested); }

    void SetPortMap(rad::PortMap ports) { m_ports = std::move(ports); }
    // Multiplies every reply time-out; 1.0 (the instruments' values) unless a test shortens them.
    void SetTimeScale(double scale) { m_timeScale = scale; }
    int Model() const { return m_info.model; }
    CPort& Port() { return *m_pPort; }

    // Exposure-table index of the last accepted exposure: where the next search starts.
    int m_nExpIndex = 0;

  private:
    int SendCommand(const char* format, ...) __attribute__((format(printf, 2, 3)));
    int ReadLine(char* buffer, int timeoutMs);
    int ReadBlock(unsigned char* buffer, int length, int timeoutMs);
    int ReadBlockReply(unsigned char* buffer, int length, int timeoutMs);
    int ReadReply(int timeoutMs);
    int Query(const char* command);
    // OP and CL: a reply line must come, but what it says is not examined.
    int Acknowledge(const char* command);
    int CloseShutter();
    int ReadIdentity(SensorCal& cal);
    int ReadCalibration(SensorCal& cal);
    int ReadMask();
    int IdentifyOnce(SensorCal& cal);
    int ReadPixels(std::int16_t* buffer, int block);
    int Expose(int exposureMs);
    int SearchExposure(std::int16_t* light, int& idx, std::int64_t& t);
    void StoreSignals(SensorData& data, const std::int16_t* light, const std::int16_t* dark,
                      int exposureMs, bool saturate) const;
    int ReadSerialAndStatus(SensorData& data);
    int ReadSecondTemperature(SensorData& data);
    int MeasureOnce(SensorData& data);
    int MeasureAuto(SensorData& data);
    int MeasureFixed(SensorData& data);
    std::int64_t DeadlineAfter(int timeoutMs) const;
    bool StopRequested() const { return m_stop && m_stop(); }
    // Waits a little for input; kNone, or why no more will come before the deadline.
    LinkFailure::Cause AwaitInput(std::int64_t deadline);
    void Drain();
    void AwaitQuiet();
    int Fail(LinkFailure::Cause cause, int timeoutMs = 0);
    int FieldCount() const;

    char m_szReply[kReplySize]{};
    const char* m_pField[kMaxFields]{};
    unsigned char m_byMask[kMaskSize]{};  // used by the masked model only; 0 = pixel unused
    const SensorModelInfo& m_info;
    std::unique_ptr<CPort> m_pPort;
    const ILinkClock& m_clock;
    std::function<bool()> m_stop;
    LinkFailure m_failure;
    std::string m_command;  // name of the last command sent
    std::string m_path;
    rad::PortMap m_ports;
    double m_timeScale = 1.0;
};
