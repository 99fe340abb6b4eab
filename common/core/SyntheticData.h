#pragma once

#include <cstdint>
#include <initializer_list>

#include "RsdData.h"
#include "SensorBlocks.h"

// Realistic made-up sensor data for tests, benchmarks, the fuzzer's seeds and demo files.
// Everything is deterministic: the same arguments give the same bytes on every machine.
namespace rad {

// A calibration as an instrument of that model would report it: identity texts, coefficient
// texts giving about 300..1100 nm (QS-100, QS-200) or 900..1700 nm (QS-300, QS-400), WL
// computed from them and positive CAL factors.
SensorCal MakeSyntheticCal(int model);

// One measurement: sunlight seen through the sensor's response (brightest at local noon),
// a dark level with noise, plausible exposure and status values. MT is time.
SensorData MakeSyntheticData(int model, int64_t time, uint32_t seed);

// Fills set with a site header, the calibrations of models and records at firstTime,
// firstTime + stepSeconds, ..., each holding one block per model and the memo "ARVEN SOLIS".
// Records are added after those already in the set.
void MakeSyntheticDay(CRsdData& set, int records, std::initializer_list<int> models,
                      int64_t firstTime, int stepSeconds);

}  // namespace rad
