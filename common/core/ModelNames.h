#pragma once

#include <string_view>

#include "SensorModel.h"

// The model whose label ("QS-300") or key ("QS300") this is, or -1.
inline constexpr int ModelOfName(std::string_view name) {
    for (int m = 0; m < kModelCount; ++m) {
        const SensorModelInfo& info = kModels[static_cast<std::size_t>(m)];
        if (name == info.label || name == info.key) return m;
    }
    return -1;
}
