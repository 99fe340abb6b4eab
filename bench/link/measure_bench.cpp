// Wall time of one Measure against a simulated sensor that paces its bytes at 38400 baud,
// next to the floor set by the wire and the exposures.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "QsDriver.h"
#include "QsSim.h"
#include "Serial.h"

namespace {

// The real port, counting the bytes that cross it.
class CCountingPort : public CSerial {
  public:
    int Write(const void* data, std::size_t length) override {
        m_written += length;
        return CSerial::Write(data, length);
    }
    std::uint32_t Read(void* buffer, std::uint32_t maxLength) override {
        const std::uint32_t n = CSerial::Read(buffer, maxLength);
        m_read += n;
        return n;
    }
    std::size_t m_written = 0;
    std::size_t m_read = 0;
};

int ExposureMs(const std::vector<std::string>& commands, std::size_t from) {
    int ms = 0;
    for (std::size_t i = from; i < commands.size(); ++i) {
        if (commands[i].rfind("GM,", 0) == 0) ms += std::stoi(commands[i].substr(3));
    }
    return ms;
}

void BM_Measure(benchmark::State& state) {
    const int model = static_cast<int>(state.range(0));
    QsSimOptions options;
    options.pacing = true;
    CQsSim sim(options);
    const std::string path = sim.Start({model}).at(0);
    auto port = std::make_unique<CCountingPort>();
    CCountingPort& counter = *port;
    CQSDriver driver(model, std::move(port));
    if (!driver.OpenDevice(path, 38400) || !driver.GetSensorInfo().Ready() ||
        !driver.Measure().valid) {
        state.SkipWithError("the simulated sensor did not measure");
        return;
    }
    double wall = 0, floor = 0, commands = 0;
    for (auto _ : state) {
        const std::size_t sent = sim.Commands(0).size();
        counter.m_read = counter.m_written = 0;
        const auto start = std::chrono::steady_clock::now();
        if (!driver.Measure().valid) state.SkipWithError("Measure failed");
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const std::vector<std::string> all = sim.Commands(0);
        // 10 bits per byte at 38400 baud plus the exposures. Only the sensor's replies are paced:
        // the pseudo-terminal carries the commands at once, so they are left out of the floor.
        floor += counter.m_read * 10.0 / 38400.0 + ExposureMs(all, sent) / 1000.0;
        commands += static_cast<double>(all.size() - sent);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = 1000.0 * floor / n;
    state.counters["wall_ms"] = 1000.0 * wall / n;
    state.counters["commands"] = commands / n;
    state.counters["excess_per_command_ms"] = 1000.0 * (wall - floor) / commands;
    state.SetLabel(kModels[static_cast<std::size_t>(model)].label);
}

BENCHMARK(BM_Measure)
    ->DenseRange(0, kModelCount - 1)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
