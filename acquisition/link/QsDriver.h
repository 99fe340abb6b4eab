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
#include "QsLine.h"
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

// One sensor driver: identification, calibration download and measurement over its own line.
// The four models share this code; their differences come from their rows of kModels.
// Port operations return 1 for success and 0 for failure; a driver never throws or logs. The
// exchange itself (waits, replies, blocks, the cause of a failure) is its line's.
class CQSDriver {
  public:
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
    bool IsOpen() const { return m_line.Port().IsOpen(); }
    bool DeviceLost() const { return m_line.Port().DeviceLost(); }
    // Looks at the idle port now, so that a hang-up is seen before the next measurement.
    bool CheckLost() { return m_line.CheckLost(); }
    // The device path last opened or tried ("" when the port number has none), and why the
    // last open failed.
    const std::string& DevicePath() const { return m_path; }
    std::string OpenFailureText() const { return DescribeOpenError(m_line.Port().OpenError()); }
    // Asked between commands and inside every wait; true ends the operation at once (failed).
    // Set before the driver is used from another thread.
    void SetStopCheck(std::function<bool()> stopRequested) {
        m_line.SetStopCheck(std::move(stopRequested));
    }

    void SetPortMap(rad::PortMap ports) { m_ports = std::move(ports); }
    // Multiplies every reply time-out; 1.0 (the instruments' values) unless a test shortens them.
    void SetTimeScale(double scale) { m_line.SetTimeScale(scale); }
    CPort& Port() { return m_line.Port(); }

    // Exposure-table index of the last accepted exposure: where the next search starts.
    int m_nExpIndex = 0;

  private:
    int CloseShutter();
    int ReadIdentity(SensorCal& cal);
    int ReadCalibration(SensorCal& cal);
    int ReadMask();
    int IdentifyOnce(SensorCal& cal);
    int ReadPixels(std::int16_t* buffer, int block);
    int Expose(int exposureMs);
    int SearchExposure(std::int16_t* light, int& idx, std::int64_t& t);
    int ReadSerialAndStatus(SensorData& data);
    int MeasureOnce(SensorData& data);
    int MeasureAuto(SensorData& data);
    int MeasureFixed(SensorData& data);

    unsigned char m_byMask[kMaskSize]{};  // used by the masked model only; 0 = pixel unused
    const SensorModelInfo& m_info;
    CQsLine m_line;
    const ILinkClock& m_clock;
    std::string m_path;
    rad::PortMap m_ports;
};
