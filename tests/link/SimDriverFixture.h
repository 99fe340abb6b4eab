#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "QsDriver.h"
#include "QsSim.h"

// One driver talking to one simulated sensor over a real pseudo-terminal. Exposures and
// time-outs are shortened by the same kind of factor so the tests stay quick.
class SimDriver : public ::testing::Test {
protected:
    static constexpr double kTimeScale = 0.25;
    static constexpr double kExposureScale = 0.02;

    void Start(int model, const QsSimFaults& faults = {}, double timeScale = kTimeScale)
    {
        QsSimOptions options;
        options.exposureScale = kExposureScale;
        options.seed = 7;
        m_sim = std::make_unique<CQsSim>(options);
        const std::vector<std::string> paths = m_sim->Start({model});
        ASSERT_EQ(paths.size(), 1u);
        m_path = paths[0];
        m_sim->SetFaults(0, faults);
        m_driver = std::make_unique<CQSDriver>(model);
        m_driver->SetTimeScale(timeScale);
        ASSERT_EQ(m_driver->OpenDevice(m_path, 38400), 1);
    }
    void StartReady(int model, const QsSimFaults& faults = {})
    {
        Start(model);
        ASSERT_EQ(m_driver->GetSensorInfo(), 1);
        m_sim->SetFaults(0, faults);
    }
    std::vector<std::string> Sent() const { return m_sim->Commands(0); }
    // Exposures of the light readings of the last measurement: the GM commands from OP to CL.
    std::vector<int> LightExposures() const
    {
        std::vector<int> ms, last;
        for (const std::string& c : Sent()) {
            if (c == "OP") ms.clear();
            if (c.rfind("GM,", 0) == 0) ms.push_back(std::stoi(c.substr(3)));
            if (c == "CL") last = ms;
        }
        return last;
    }
    bool WasSent(const std::string& command) const
    {
        for (const std::string& c : Sent()) {
            if (c == command) return true;
        }
        return false;
    }

    std::unique_ptr<CQsSim> m_sim;
    std::unique_ptr<CQSDriver> m_driver;
    std::string m_path;
};
