#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "LoopbackPort.h"
#include "QsDriver.h"

// One driver talking to the simulator's instrument model through the loopback port: honest
// exposures and time-outs on a fake clock, no pseudo-terminal, no thread, no wall time.
class LoopDriver : public ::testing::Test {
  protected:
    void Start(int model, const QsSimFaults& faults = {}) {
        auto port = std::make_unique<CLoopbackPort>(model, m_clock);
        m_port = port.get();
        m_port->faults = faults;
        m_driver = std::make_unique<CQSDriver>(model, std::move(port), m_clock);
        ASSERT_EQ(m_driver->OpenDevice("loop", kBaudRate), 1);
    }
    // chunkBytes > 0: every reply, identification included, arrives in pieces of that size.
    void StartReady(int model, const QsSimFaults& faults = {}, int chunkBytes = 0) {
        Start(model);
        m_port->chunkBytes = chunkBytes;
        m_info = std::make_unique<SensorInfoResult>(m_driver->GetSensorInfo());
        ASSERT_TRUE(m_info->Ready());
        m_port->faults = faults;
        m_port->RestartCount();
    }
    const std::vector<std::string>& Sent() const { return m_port->Commands(); }
    // Exposures of the light readings of the last measurement: the GM commands from OP to CL.
    std::vector<int> LightExposures() const {
        std::vector<int> ms, last;
        for (const std::string& c : Sent()) {
            if (c == "OP") ms.clear();
            if (c.rfind("GM,", 0) == 0) ms.push_back(std::stoi(c.substr(3)));
            if (c == "CL") last = ms;
        }
        return last;
    }
    bool WasSent(const std::string& command) const {
        return std::find(Sent().begin(), Sent().end(), command) != Sent().end();
    }

    CFakeLinkClock m_clock;
    CLoopbackPort* m_port = nullptr;
    std::unique_ptr<CQSDriver> m_driver;
    std::unique_ptr<SensorInfoResult> m_info;  // of StartReady
};
