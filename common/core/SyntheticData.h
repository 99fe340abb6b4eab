#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>

#include "RsdData.h"
#include "SensorBlocks.h"
#include "SimulatedSky.h"

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

// The wavelengths the simulated sky is taken at for MakeSkyDay: every model's range.
inline constexpr int kSkyFirstNm = 290;
inline constexpr int kSkyLastNm = 1710;

// One measurement under the light sky1nm (W/m2/um on whole nm, element k at firstNm + k): the
// calibration of MakeSyntheticCal turns its counts back into that light.
SensorData MakeSkyData(int model, int64_t time, uint32_t seed, std::span<const double> sky1nm,
                       int firstNm);

// Fills set with a site header, the calibrations of models and records at firstTime,
// firstTime + stepSeconds, ..., each holding one block per model and the memo "ARVEN SOLIS".
// Records are added after those already in the set.
void MakeSyntheticDay(CRsdData& set, int records, std::initializer_list<int> models,
                      int64_t firstTime, int stepSeconds);
// The same under the simulated sky of scene, with the scene's site in the header.
void MakeSkyDay(CRsdData& set, int records, std::initializer_list<int> models, int64_t firstTime,
                int stepSeconds, const SkyScene& scene);

}  // namespace rad
