#pragma once

#include <array>
#include <cstddef>

// The four sensor models of the family, always walked in this order.
enum SensorModelIndex { kQS100 = 0, kQS200 = 1, kQS300 = 2, kQS400 = 3 };

inline constexpr int kModelCount = 4;
inline constexpr int kMaxPixels = 2048;
inline constexpr int kMaxStatusInts = 4;
inline constexpr int kMaxStatusFloats = 7;
// Fixed text fields of the sensor blocks: at most 31 characters plus NUL.
inline constexpr int kTextFieldSize = 32;

struct SensorModelInfo {
    const char* label;  // "QS-100": shown to users, CSV "Sensor" cells, ST replies
    const char* key;    // "QS100": settings keys, file tags, log lines
    int pixels;         // N, the length of every per-pixel array
    int statusInts;     // integers on the SS line
    int statusFloats;   // floats on the SS line
    bool shortWave;     // models 0 and 1 are visible sensors, 2 and 3 near-infrared
};

inline constexpr std::array<SensorModelInfo, kModelCount> kModels = {{
    {"QS-100", "QS100", 1024, 1, 4, true},
    {"QS-200", "QS200", 2048, 1, 4, true},
    {"QS-300", "QS300", 512, 4, 6, false},
    {"QS-400", "QS400", 256, 4, 7, false},
}};

inline constexpr bool IsValidModel(int model) { return model >= 0 && model < kModelCount; }
inline constexpr int PixelCount(int model) {
    return kModels[static_cast<std::size_t>(model)].pixels;
}
