#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "DriverStatus.h"
#include "LinkClock.h"
#include "LinkFailure.h"
#include "ModelTraits.h"
#include "Port.h"
#include "PortMapping.h"
#include "SensorBlocks.h"

// One sensor driver: identification, calibration download and measurement over its own port.
// The four models share this code; their differences come from kModelTraits.
// Operations return 1 for success and 0 for failure; a driver never throws or logs.
// Every exchange starts on an empty input queue, and a failed one lets the line fall silent
// before the next command, so a late or stray byte is never read as the answer to another.
class CQSDriver {
  public:
    static constexpr int kReplySize = 256;
    static constexpr int kMaxFields = 16;
    static constexpr int kMaskSize = 256;

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
    int GetSensorInfo();
    int Measure();
    // Up to `attempts` measurements until one succeeds; onFailed(attempt) after each failed
    // one (1-based). A lost device or a stop ends the attempts early.
    int MeasureWithRetries(int attempts, const std::function<void(int attempt)>& onFailed);
    bool IsOpen() const;
    bool DeviceLost() const;
    // Looks at the idle port now, so that a hang-up is seen before the next measurement.
    bool CheckLost();
    const LinkFailure& LastFailure() const { return m_failure; }
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
    int Model() const { return m_traits.model; }
    CPort& Port() { return *m_pPort; }

    char m_szReply[kReplySize]{};
    const char* m_pField[kMaxFields]{};
    int m_nExpIndex = 0;  // exposure-table index of the last accepted exposure
    SensorCal m_cal;
    SensorData m_data;
    int m_nStatus = kStatusNone;
    int m_bValid = 0;
    unsigned char m_byMask[kMaskSize]{};  // used by the masked model only; 0 = pixel unused

  protected:
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
    int ReadCalibration();
    int ReadMask();
    int ReadPixels(std::int16_t* buffer, int block);
    int Expose(int exposureMs);
    int SearchExposure(std::int16_t* light, int& idx, std::int64_t& t);
    void StoreSignals(const std::int16_t* light, const std::int16_t* dark, int exposureMs,
                      bool saturate);
    int ReadSerialAndStatus();
    int ReadSecondTemperature();
    int MeasureAuto();
    int MeasureFixed();

  private:
    std::int64_t DeadlineAfter(int timeoutMs) const;
    bool StopRequested() const { return m_stop && m_stop(); }
    // Waits a little for input; kNone, or why no more will come before the deadline.
    LinkFailure::Cause AwaitInput(std::int64_t deadline);
    void Drain();
    void AwaitQuiet();
    int Fail(LinkFailure::Cause cause, int timeoutMs = 0);
    int FieldCount() const;

    const ModelTraits& m_traits;
    std::unique_ptr<CPort> m_pPort;
    const ILinkClock& m_clock;
    std::function<bool()> m_stop;
    LinkFailure m_failure;
    std::string m_command;  // name of the last command sent
    std::string m_path;
    rad::PortMap m_ports;
    double m_timeScale = 1.0;
};

class CQS100 : public CQSDriver {
  public:
    CQS100() : CQSDriver(kQS100) {}
};
class CQS200 : public CQSDriver {
  public:
    CQS200() : CQSDriver(kQS200) {}
};
class CQS300 : public CQSDriver {
  public:
    CQS300() : CQSDriver(kQS300) {}
};
class CQS400 : public CQSDriver {
  public:
    CQS400() : CQSDriver(kQS400) {}
};
