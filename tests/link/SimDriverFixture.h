#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "QsDriver.h"
#include "QsSim.h"

// One driver talking to one simulated sensor over a real pseudo-terminal: the smoke tests of
// the termios port. Exposures and time-outs are shortened so the tests stay quick.
class SimDriver : public ::testing::Test {
  protected:
    static constexpr double kTimeScale = 0.25;
    static constexpr double kExposureScale = 0.02;

    void Start(int model, const QsSimFaults& faults = {}, double timeScale = kTimeScale) {
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
    std::unique_ptr<CQsSim> m_sim;
    std::unique_ptr<CQSDriver> m_driver;
    std::string m_path;
};
