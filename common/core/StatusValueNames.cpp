#include "StatusValueNames.h"

#include <array>

namespace rad {
namespace {

// Models 0 and 1: Peltier state; temperature, supply, Peltier current and voltage.
constexpr std::array<StatusValueName, 1> kVisibleInts = {{
    {"peltier_state", "1", "Peltier drive state (1 heating, -1 cooling, other stopped)"},
}};
constexpr std::array<StatusValueName, 4> kVisibleFloats = {{
    {"sensor_temperature", "degC", "sensor temperature"},
    {"supply_voltage", "V", "supply voltage"},
    {"peltier_current", "A", "Peltier current"},
    {"peltier_voltage", "V", "Peltier voltage"},
}};
// Models 2 and 3.
constexpr std::array<StatusValueName, 4> kInfraredInts = {{
    {"status_word", "1", "first word of the instrument status reply"},
    {"cooling_stopped", "1", "sensor cooling (0 active, other stopped)"},
    {"fin_overheat", "1", "heat-sink fin (0 normal, other overheat)"},
    {"peltier_state", "1", "Peltier drive state (1 heating, -1 cooling, other stopped)"},
}};
constexpr std::array<StatusValueName, 7> kInfraredFloats = {{
    {"sensor_temperature", "degC", "sensor temperature"},
    {"fin_temperature", "degC", "heat-sink fin temperature"},
    {"internal_temperature", "degC", "internal temperature"},
    {"supply_voltage", "V", "supply voltage"},
    {"peltier_current", "A", "Peltier current"},
    {"peltier_voltage", "V", "Peltier voltage"},
    {"internal_temperature_2", "degC", "second internal temperature"},
}};

}  // namespace

std::span<const StatusValueName> StatusIntNames(int model) {
    if (!IsValidModel(model)) return {};
    const auto count =
        static_cast<std::size_t>(kModels[static_cast<std::size_t>(model)].statusInts);
    return kModels[static_cast<std::size_t>(model)].shortWave
               ? std::span<const StatusValueName>(kVisibleInts).first(count)
               : std::span<const StatusValueName>(kInfraredInts).first(count);
}

std::span<const StatusValueName> StatusFloatNames(int model) {
    if (!IsValidModel(model)) return {};
    const auto count =
        static_cast<std::size_t>(kModels[static_cast<std::size_t>(model)].statusFloats);
    return kModels[static_cast<std::size_t>(model)].shortWave
               ? std::span<const StatusValueName>(kVisibleFloats).first(count)
               : std::span<const StatusValueName>(kInfraredFloats).first(count);
}

}  // namespace rad
