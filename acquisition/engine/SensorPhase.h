#pragma once

#include <array>

#include "DriverStatus.h"
#include "SensorModel.h"

// What the progress dialog says of a sensor: a step of the controller, or after an
// identification attempt the driver's status. The host turns it into text in its language.
enum class SensorStep { Status, GettingInfo, Measuring, MeasureOk, MeasureFailed, Retrying };

struct SensorPhase {
    SensorStep step = SensorStep::Status;
    int status = kStatusNone;  // of SensorStep::Status: a driver status code

    static SensorPhase Of(int status) { return {SensorStep::Status, status}; }
    static SensorPhase At(SensorStep step) { return {step, kStatusNone}; }
    friend bool operator==(const SensorPhase&, const SensorPhase&) = default;
};

// The sensors of an acquisition as the progress dialog shows them.
struct SensorSnapshot {
    std::array<bool, kModelCount> enabled{};
    std::array<SensorPhase, kModelCount> phase{};
};
