#pragma once

#include <array>
#include <cstddef>
#include <iterator>

// The four sensor models of the family, always walked in this order.
enum SensorModelIndex { kQS100 = 0, kQS200 = 1, kQS300 = 2, kQS400 = 3 };

inline constexpr int kModelCount = 4;
// Every model talks at this line speed, 8 data bits, no parity, one stop bit.
inline constexpr int kBaudRate = 38400;
inline constexpr int kMaxPixels = 2048;
inline constexpr int kMaxStatusInts = 4;
inline constexpr int kMaxStatusFloats = 7;
// Fixed text fields of the sensor blocks: at most 31 characters plus NUL.
inline constexpr int kTextFieldSize = 32;

// A status value the model does not report.
inline constexpr int kNoValue = -1;

// Where a model's status values sit in its block: indexes into statusInt and statusFloat, or
// kNoValue. Every report, export and reader of status values finds them here.
struct StatusLayout {
    // statusInt
    int statusWord = kNoValue;      // first word of the status reply; shown nowhere
    int coolingStopped = kNoValue;  // sensor cooling: 0 active, other stopped
    int finOverheat = kNoValue;     // heat-sink fin: 0 normal, other overheat
    int peltierState = kNoValue;    // 1 heating, -1 cooling, other stopped
    // statusFloat
    int sensorTemp = kNoValue;     // deg C
    int finTemp = kNoValue;        // deg C
    int internalTemp = kNoValue;   // deg C
    int internalTemp2 = kNoValue;  // deg C, asked with its own command, not in the status reply
    int supplyVolt = kNoValue;     // V
    int peltierCurr = kNoValue;    // A
    int peltierVolt = kNoValue;    // V
    // The temperature of the spectral CSV's "Sensor Temp.(deg)" row: the long-wave models put
    // their internal temperature there, not the sensor temperature.
    int csvTemp = kNoValue;
};

// Every fact of one model, one row per model.
struct SensorModelInfo {
    int model = 0;
    const char* label = "";  // "QS-100": shown to users, CSV "Sensor" cells, ST replies
    const char* key = "";    // "QS100": settings keys, file tags, log lines
    int pixels = 0;          // N, the length of every per-pixel array
    int statusInts = 0;      // status integers in the block
    int statusFloats = 0;    // status floats in the block (the status reply's, then T2's)
    bool shortWave = false;  // visible sensor; the others are near-infrared
    // The other model of the same band: a station uses one of the two, never both.
    int partner = 0;
    StatusLayout status;
    // Automatic exposure: a peak at or below lowCounts lengthens the exposure, one at or above
    // highCounts shortens it, and pixels above highCounts are stored as 0.
    int lowCounts = 0;
    int highCounts = 0;
    int fixedExposureMs = 0;         // not 0: no search, this exposure, no pixel zeroed
    bool pixelMask = false;          // a mask of unused pixels is downloaded and applied
    bool secondTemperature = false;  // T2 read for the firmware that has it
};

inline constexpr StatusLayout kVisibleLayout = {
    .peltierState = 0,
    .sensorTemp = 0,
    .supplyVolt = 1,
    .peltierCurr = 2,
    .peltierVolt = 3,
    .csvTemp = 0,
};

inline constexpr StatusLayout kInfraredLayout = {
    .statusWord = 0,
    .coolingStopped = 1,
    .finOverheat = 2,
    .peltierState = 3,
    .sensorTemp = 0,
    .finTemp = 1,
    .internalTemp = 2,
    .supplyVolt = 3,
    .peltierCurr = 4,
    .peltierVolt = 5,
    .csvTemp = 2,
};

inline constexpr StatusLayout WithSecondTemperature(StatusLayout layout, int index) {
    layout.internalTemp2 = index;
    return layout;
}

// One driver class, the simulator and every view read these rows; a new model is a row here
// plus its synthetic optics and the merge pairs of its band, and the model row tests walk it.
inline constexpr std::array<SensorModelInfo, kModelCount> kModels = {{
    {.model = kQS100,
     .label = "QS-100",
     .key = "QS100",
     .pixels = 1024,
     .statusInts = 1,
     .statusFloats = 4,
     .shortWave = true,
     .partner = kQS200,
     .status = kVisibleLayout,
     .lowCounts = 10000,
     .highCounts = 25000},
    {.model = kQS200,
     .label = "QS-200",
     .key = "QS200",
     .pixels = 2048,
     .statusInts = 1,
     .statusFloats = 4,
     .shortWave = true,
     .partner = kQS100,
     .status = kVisibleLayout,
     .lowCounts = 7000,
     .highCounts = 17700},
    {.model = kQS300,
     .label = "QS-300",
     .key = "QS300",
     .pixels = 512,
     .statusInts = 4,
     .statusFloats = 6,
     .shortWave = false,
     .partner = kQS400,
     .status = kInfraredLayout,
     .lowCounts = 10000,
     .highCounts = 30000},
    // Fixed exposure, a pixel mask and a second internal temperature after the six of SS.
    {.model = kQS400,
     .label = "QS-400",
     .key = "QS400",
     .pixels = 256,
     .statusInts = 4,
     .statusFloats = 7,
     .shortWave = false,
     .partner = kQS300,
     .status = WithSecondTemperature(kInfraredLayout, 6),
     .fixedExposureMs = 30,
     .pixelMask = true,
     .secondTemperature = true},
}};

static_assert(std::size(kModels) == kModelCount);

// A selection of every model.
inline constexpr std::array<bool, kModelCount> kAllModels = [] {
    std::array<bool, kModelCount> all{};
    all.fill(true);
    return all;
}();

inline constexpr bool IsValidModel(int model) { return model >= 0 && model < kModelCount; }
inline constexpr const SensorModelInfo& ModelInfo(int model) {
    return kModels[static_cast<std::size_t>(model)];
}
inline constexpr int PixelCount(int model) { return ModelInfo(model).pixels; }
// The status floats the status reply carries: all of the block's but a second temperature.
inline constexpr int StatusReplyFloats(const SensorModelInfo& info) {
    return info.secondTemperature ? info.statusFloats - 1 : info.statusFloats;
}
// True when the selection holds a visible and a near-infrared model, the two halves of a
// merged spectrum.
inline constexpr bool HasBothBands(const std::array<bool, kModelCount>& use) {
    bool visible = false, infrared = false;
    for (const SensorModelInfo& info : kModels) {
        if (!use[static_cast<std::size_t>(info.model)]) continue;
        (info.shortWave ? visible : infrared) = true;
    }
    return visible && infrared;
}
