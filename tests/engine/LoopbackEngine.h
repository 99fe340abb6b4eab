#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "EngineFixture.h"
#include "LoopbackPort.h"

// A loopback port whose line can be held once: at the first wait for input after a command
// that starts with a given text, the driver's thread stays until the test releases it. A test
// can so stop an acquisition in the middle of that wait, wherever the fake clock stands.
class CHeldLoopPort final : public CPort {
  public:
    CHeldLoopPort(int model, CFakeLinkClock& clock) : m_port(model, clock), m_clock(clock) {}

    // Before the driver's thread uses the port.
    void HoldAt(std::string commandStart, std::function<bool()> released) {
        m_holdAt = std::move(commandStart);
        m_released = std::move(released);
    }
    // The driver's thread waits in the hold; any thread.
    bool Held() const { return m_held.load(); }
    // When the hold began, on the link clock; valid once Held().
    std::int64_t HeldAtMs() const { return m_heldAtMs; }
    CLoopbackPort& Loop() { return m_port; }

    int Open(const std::string& path, int baud) override { return m_port.Open(path, baud); }
    void Close() override { m_port.Close(); }
    bool IsOpen() const override { return m_port.IsOpen(); }
    int Write(const void* data, std::size_t length) override {
        m_lastWrite.assign(static_cast<const char*>(data), length);
        return m_port.Write(data, length);
    }
    std::uint32_t GetInQueue() override { return m_port.GetInQueue(); }
    std::uint32_t Read(void* buffer, std::uint32_t maxLength) override {
        return m_port.Read(buffer, maxLength);
    }
    void WaitForInput(int maxMs) override {
        if (!m_holdAt.empty() && !m_held.load() && m_lastWrite.starts_with(m_holdAt)) {
            m_heldAtMs = m_clock.MonotonicMs();
            m_held = true;
            // The test's stop lowers the controller's flag from its own thread. The wait ends
            // with the hold, as a wait may end early: the driver looks at the stop first.
            while (!m_released()) std::this_thread::yield();
            return;
        }
        m_port.WaitForInput(maxMs);
    }
    void Purge() override { m_port.Purge(); }
    bool DeviceLost() const override { return m_port.DeviceLost(); }
    int OpenError() const override { return m_port.OpenError(); }

  private:
    CLoopbackPort m_port;
    CFakeLinkClock& m_clock;
    std::string m_holdAt;
    std::function<bool()> m_released;
    std::string m_lastWrite;
    std::atomic<bool> m_held{false};
    std::int64_t m_heldAtMs = 0;
};

// The controller with drivers on held loopback ports, each model on a fake link clock of its
// own: identification and measurements take no wall time, and a stop can be placed exactly.
class LoopbackEngineTest : public EngineTest {
  protected:
    // The model's sensor on COM1; the other models' ports are never opened.
    void MakeLoopbackDoc(int model) {
        m_settings.use[model] = true;
        m_settings.comPort[model] = 1;
        m_settings.ports[1] = "loopback";
        MakeDoc([this](int each) {
            auto port = std::make_unique<CHeldLoopPort>(each, m_linkClock[each]);
            m_port[each] = port.get();
            return std::make_unique<CQSDriver>(each, std::move(port), m_linkClock[each]);
        });
    }
    // Holds the model's line at the command; released by the stop.
    void HoldAtStop(int model, const std::string& commandStart) {
        m_port[model]->HoldAt(commandStart, [this] { return !m_doc->IsRunning(); });
    }

    std::array<CFakeLinkClock, kModelCount> m_linkClock;
    std::array<CHeldLoopPort*, kModelCount> m_port{};
};
