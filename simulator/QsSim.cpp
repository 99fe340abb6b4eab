#include "QsSim.h"

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <stop_token>
#include <thread>

#include "PtyDevice.h"
#include "SensorModel.h"
#include "SimInstrument.h"

namespace {

using Clock = std::chrono::steady_clock;

// Sleeps, but wakes at once when the server is told to stop.
void SleepFor(std::stop_token stop, std::chrono::microseconds duration) {
    std::mutex m;
    std::condition_variable_any cv;
    std::unique_lock lock(m);
    cv.wait_for(lock, stop, duration, [] { return false; });
}

std::string MakeLinkDir() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qssim-XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

}  // namespace

struct CQsSim::Impl {
    struct Sensor {
        Sensor(int m, int unit, const std::string& link, std::uint32_t seed)
            : model(m), pty(link), instrument(m, unit, seed) {}
        int model;
        CPtyDevice pty;
        CSimInstrument instrument;  // used by the sensor's own thread only
        mutable std::mutex lock;    // guards the settings below
        QsSimFaults faults;
        std::string firmware;
        double brightness = 1.0;
        std::vector<std::string> commands;
        bool pluggedIn = true;
        mutable std::condition_variable plugChanged;
        std::jthread thread;
    };

    QsSimOptions options;
    std::string linkDir;
    std::vector<std::unique_ptr<Sensor>> sensors;
    Clock::time_point start;
    std::mutex transcriptLock;
    std::FILE* transcript = nullptr;

    void Serve(Sensor& s, std::stop_token stop);
    bool Handle(Sensor& s, const std::string& command, int& commandsSinceUp, std::stop_token stop);
    void Record(const Sensor& s, const std::string& command);
    // An unplug asked for from outside, done on the sensor's own thread.
    bool TakeUnplug(Sensor& s, std::stop_token stop);
    // The device is gone for ms, then back at its path.
    void Unplug(Sensor& s, int ms, std::stop_token stop);
};

void CQsSim::Impl::Record(const Sensor& s, const std::string& command) {
    if (!transcript) return;
    const auto now = std::chrono::system_clock::now();
    const std::time_t secs = std::chrono::system_clock::to_time_t(now);
    const long ms = static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000);
    std::tm tm{};
    localtime_r(&secs, &tm);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &tm);
    std::lock_guard guard(transcriptLock);
    std::fprintf(transcript, "%s.%03ld %s %s\n", stamp, ms,
                 kModels[static_cast<std::size_t>(s.model)].label, command.c_str());
    std::fflush(transcript);
}

// Answers one command; false when the device has just dropped out (pending input is then lost).
bool CQsSim::Impl::Handle(Sensor& s, const std::string& command, int& commandsSinceUp,
                          std::stop_token stop) {
    QsSimFaults faults;
    {
        std::lock_guard guard(s.lock);
        s.commands.push_back(command);
        faults = s.faults;
        if (!s.firmware.empty()) s.instrument.m_firmware = s.firmware;
        s.instrument.m_brightness = s.brightness;
    }
    Record(s, command);
    if (faults.dropAfter > 0 && ++commandsSinceUp > faults.dropAfter) {
        Unplug(s, faults.dropMs, stop);
        std::lock_guard guard(s.lock);
        s.faults.dropAfter = 0;  // one drop-out, then the cable stays in
        commandsSinceUp = 0;
        return false;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const SimReply reply = s.instrument.Respond(command, faults, seconds);
    if (reply.delayMs > 0) {
        SleepFor(stop, std::chrono::microseconds(
                           static_cast<long long>(reply.delayMs * 1000.0 * options.exposureScale)));
    }
    if (reply.lateMs > 0) SleepFor(stop, std::chrono::milliseconds(reply.lateMs));
    s.pty.Send(reply.bytes, options.pacing, stop);
    return true;
}

bool CQsSim::Impl::TakeUnplug(Sensor& s, std::stop_token stop) {
    int ms = 0;
    {
        std::lock_guard guard(s.lock);
        std::swap(ms, s.faults.unplugMs);
    }
    if (ms <= 0) return false;
    Unplug(s, ms, stop);
    return true;
}

void CQsSim::Impl::Unplug(Sensor& s, int ms, std::stop_token stop) {
    {
        std::lock_guard guard(s.lock);
        s.pluggedIn = false;
    }
    s.pty.Vanish();
    SleepFor(stop, std::chrono::milliseconds(ms));
    s.pty.Appear();
    {
        std::lock_guard guard(s.lock);
        s.pluggedIn = true;
    }
    s.plugChanged.notify_all();
}

void CQsSim::Impl::Serve(Sensor& s, std::stop_token stop) {
    std::string pending;
    int commandsSinceUp = 0;
    while (!stop.stop_requested()) {
        if (TakeUnplug(s, stop)) {
            pending.clear();
            commandsSinceUp = 0;
        }
        if (!s.pty.Receive(pending, 20)) continue;
        for (std::size_t cr = pending.find('\r'); cr != std::string::npos;
             cr = pending.find('\r')) {
            std::string command = pending.substr(0, cr);
            pending.erase(0, cr + 1);
            if (!command.empty() && command.front() == '\n') command.erase(0, 1);
            if (!Handle(s, command, commandsSinceUp, stop)) {
                pending.clear();
                break;
            }
        }
    }
}

CQsSim::CQsSim(QsSimOptions options) : m_impl(std::make_unique<Impl>()) {
    m_impl->options = std::move(options);
}

CQsSim::~CQsSim() { Stop(); }

std::vector<std::string> CQsSim::Start(const std::vector<int>& models) {
    Impl& d = *m_impl;
    if (!d.sensors.empty()) return {};
    d.linkDir = MakeLinkDir();
    if (d.linkDir.empty()) return {};
    if (!d.options.transcriptPath.empty())
        d.transcript = std::fopen(d.options.transcriptPath.c_str(), "a");
    d.start = Clock::now();
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < models.size(); ++i) {
        if (!IsValidModel(models[i])) {
            Stop();
            return {};
        }
        const std::string link = d.linkDir + "/" +
                                 kModels[static_cast<std::size_t>(models[i])].key + "_" +
                                 std::to_string(i);
        auto sensor = std::make_unique<Impl::Sensor>(
            models[i], static_cast<int>(i), link, d.options.seed + static_cast<std::uint32_t>(i));
        sensor->instrument.SetSky(d.options.sky);
        if (!sensor->pty.Appear()) {
            Stop();
            return {};
        }
        paths.push_back(link);
        d.sensors.push_back(std::move(sensor));
    }
    for (auto& s : d.sensors) {
        Impl::Sensor* raw = s.get();
        s->thread = std::jthread([&d, raw](std::stop_token stop) { d.Serve(*raw, stop); });
    }
    return paths;
}

void CQsSim::Stop() {
    Impl& d = *m_impl;
    for (auto& s : d.sensors) s->thread.request_stop();
    d.sensors.clear();  // joins each thread, then hangs up its pseudo-terminal
    if (!d.linkDir.empty()) rmdir(d.linkDir.c_str());
    d.linkDir.clear();
    if (d.transcript) std::fclose(d.transcript);
    d.transcript = nullptr;
}

int CQsSim::Count() const { return static_cast<int>(m_impl->sensors.size()); }

int CQsSim::Model(int sensor) const {
    return m_impl->sensors.at(static_cast<std::size_t>(sensor))->model;
}

const std::string& CQsSim::DevicePath(int sensor) const {
    return m_impl->sensors.at(static_cast<std::size_t>(sensor))->pty.Path();
}

void CQsSim::SetFaults(int sensor, const QsSimFaults& faults) {
    auto& s = *m_impl->sensors.at(static_cast<std::size_t>(sensor));
    std::lock_guard guard(s.lock);
    s.faults = faults;
}

QsSimFaults CQsSim::Faults(int sensor) const {
    auto& s = *m_impl->sensors.at(static_cast<std::size_t>(sensor));
    std::lock_guard guard(s.lock);
    return s.faults;
}

void CQsSim::SetFirmware(int sensor, const std::string& firmware) {
    auto& s = *m_impl->sensors.at(static_cast<std::size_t>(sensor));
    std::lock_guard guard(s.lock);
    s.firmware = firmware;
}

void CQsSim::SetBrightness(int sensor, double level) {
    auto& s = *m_impl->sensors.at(static_cast<std::size_t>(sensor));
    std::lock_guard guard(s.lock);
    s.brightness = level;
}

bool CQsSim::WaitPluggedIn(int sensor, int timeoutMs) const {
    auto& s = *m_impl->sensors.at(static_cast<std::size_t>(sensor));
    std::unique_lock guard(s.lock);
    return s.plugChanged.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                                  [&s] { return s.pluggedIn; });
}

std::vector<std::string> CQsSim::Commands(int sensor) const {
    auto& s = *m_impl->sensors.at(static_cast<std::size_t>(sensor));
    std::lock_guard guard(s.lock);
    return s.commands;
}
