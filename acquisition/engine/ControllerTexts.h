#pragma once

#include <cstdint>
#include <string>

#include "SensorPhase.h"

// The controller's own string-table texts; driver status texts come from DriverStatusText.
enum ControllerTextId {
    kTextConfirmStop = 61447,  // asked before an interval acquisition is stopped
    kTextGettingInfo = 61449,  // port opened, identification begins
    kTextMeasuring = 61450,
    kTextMeasureOk = 61451,
    kTextMeasureFailed = 61452,  // third attempt failed
    kTextRetrying = 61453,       // an attempt failed
    kTextTitleInterval = 61461,  // progress dialog title
    kTextTitleManual = 61462,
};

namespace rad {

// UTF-8 text of an id in English or Japanese; "" for an unknown id.
const char* ControllerText(ControllerTextId id, bool japanese);
// A sensor's status as the progress dialog shows it.
std::string PhaseText(const SensorPhase& phase, bool japanese);
// The dialog's lower label: "QS-100 READY\n" for each enabled sensor.
std::string ProgressText(const SensorSnapshot& sensors, bool japanese);
// The dialog's upper label, "%Y/%m/%d  %H:%M:%S" of the local time.
std::string ProgressClockText(int64_t now);

}  // namespace rad
