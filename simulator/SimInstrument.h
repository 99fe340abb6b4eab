#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "QsSim.h"
#include "SimOptics.h"
#include "SimSky.h"

// What the instrument does with one command.
struct SimReply {
    int delayMs = 0;    // time the instrument works before it answers (an exposure)
    std::string bytes;  // empty: no answer at all
    int lateMs = 0;     // held back after the work (a slow or stalled instrument)
};

// The instrument's side of the protocol for one sensor, free of any device: commands in,
// reply bytes out. Written apart from the drivers so a driver fault cannot hide behind it.
class CSimInstrument {
  public:
    CSimInstrument(int model, int unit, std::uint32_t seed);

    // command is one received line without its CR; seconds is the time since the start.
    SimReply Respond(const std::string& command, const QsSimFaults& faults, double seconds);

    // The light it sees from now on (at first: ReferenceSky()).
    void SetSky(SimSky sky);

    // The PXSB block of the masked model (a 0 byte marks an unused pixel), shortBy bytes cut.
    std::string Mask(int shortBy) const;

    std::string m_firmware;
    double m_brightness = 1.0;

  private:
    SimReply Answer(const std::string& command, const QsSimFaults& faults, double seconds);
    std::string TextReply(const std::string& value, const QsSimFaults& faults) const;
    std::string BlockReply(std::string block, int shortBy) const;
    std::string Status(double seconds) const;
    SimReply Exposure(const std::vector<std::string>& args, const QsSimFaults& faults,
                      double seconds);
    std::string Pixels(int shortBy) const;
    std::string Calibration(int shortBy) const;

    int m_model;
    int m_unit;
    CSimOptics m_optics;
    CSkyLight m_light;
    bool m_shutterOpen = false;
    std::size_t m_lightCount = 0;        // light exposures taken, to walk the scripted peaks
    std::vector<std::uint16_t> m_frame;  // the last exposure, read out by RB
};
