// fuzz_qs_reply_seeds DIR: the replies of the simulated instrument of every model to one
// identification and one measurement, in the reply fuzzer's stream form, as its first inputs.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "LoopbackPort.h"
#include "QsDriver.h"
#include "ReplyStream.h"
#include "SensorModel.h"

namespace {

// The loopback instrument, with everything the driver reads written down, a separator before
// each command's reply.
class CRecordingPort final : public CPort {
  public:
    CRecordingPort(int model, CFakeLinkClock& clock, std::string& record)
        : m_port(model, clock), m_record(record) {}
    int Open(const std::string& path, int baud) override { return m_port.Open(path, baud); }
    void Close() override { m_port.Close(); }
    bool IsOpen() const override { return m_port.IsOpen(); }
    int Write(const void* data, std::size_t length) override {
        if (m_commands++ > 0) m_record += fuzz::kReplySeparator;
        return m_port.Write(data, length);
    }
    std::uint32_t GetInQueue() override { return m_port.GetInQueue(); }
    std::uint32_t Read(void* buffer, std::uint32_t maxLength) override {
        const std::uint32_t n = m_port.Read(buffer, maxLength);
        m_record.append(static_cast<const char*>(buffer), n);
        return n;
    }
    void WaitForInput(int maxMs) override { m_port.WaitForInput(maxMs); }
    void Purge() override { m_port.Purge(); }
    bool DeviceLost() const override { return m_port.DeviceLost(); }

  private:
    CLoopbackPort m_port;
    std::string& m_record;
    int m_commands = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_qs_reply_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (int model = 0; model < kModelCount; ++model) {
        std::string record(1, static_cast<char>(model));
        CFakeLinkClock clock;
        CQSDriver driver(model, std::make_unique<CRecordingPort>(model, clock, record), clock);
        driver.OpenDevice("/dev/loop", 38400);
        if (driver.GetSensorInfo().Ready()) driver.Measure();
        std::ofstream(dir / ("model" + std::to_string(model)), std::ios::binary) << record;
    }
    return 0;
}
