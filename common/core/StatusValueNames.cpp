#include "StatusValueNames.h"

#include <array>

namespace rad {
namespace {

// A status value of the layout and its names.
struct NamedValue {
    int StatusLayout::*index;
    StatusValueName name;
};

constexpr NamedValue kIntValues[] = {
    {&StatusLayout::statusWord, {"status_word", "1", "first word of the instrument status reply"}},
    {&StatusLayout::coolingStopped,
     {"cooling_stopped", "1", "sensor cooling (0 active, other stopped)"}},
    {&StatusLayout::finOverheat, {"fin_overheat", "1", "heat-sink fin (0 normal, other overheat)"}},
    {&StatusLayout::peltierState,
     {"peltier_state", "1", "Peltier drive state (1 heating, -1 cooling, other stopped)"}},
};
constexpr NamedValue kFloatValues[] = {
    {&StatusLayout::sensorTemp, {"sensor_temperature", "degC", "sensor temperature"}},
    {&StatusLayout::finTemp, {"fin_temperature", "degC", "heat-sink fin temperature"}},
    {&StatusLayout::internalTemp, {"internal_temperature", "degC", "internal temperature"}},
    {&StatusLayout::internalTemp2,
     {"internal_temperature_2", "degC", "second internal temperature"}},
    {&StatusLayout::supplyVolt, {"supply_voltage", "V", "supply voltage"}},
    {&StatusLayout::peltierCurr, {"peltier_current", "A", "Peltier current"}},
    {&StatusLayout::peltierVolt, {"peltier_voltage", "V", "Peltier voltage"}},
};

// Each model's names in block order, placed by its layout.
template <std::size_t Size, std::size_t Count>
constexpr auto NamesInBlockOrder(const NamedValue (&values)[Count]) {
    std::array<std::array<StatusValueName, Size>, kModelCount> names{};
    for (const SensorModelInfo& info : kModels) {
        for (const NamedValue& value : values) {
            const int index = info.status.*value.index;
            if (index != kNoValue)
                names[static_cast<std::size_t>(info.model)][static_cast<std::size_t>(index)] =
                    value.name;
        }
    }
    return names;
}

constexpr auto kIntNames = NamesInBlockOrder<kMaxStatusInts>(kIntValues);
constexpr auto kFloatNames = NamesInBlockOrder<kMaxStatusFloats>(kFloatValues);

}  // namespace

std::span<const StatusValueName> StatusIntNames(int model) {
    if (!IsValidModel(model)) return {};
    return std::span<const StatusValueName>(kIntNames[static_cast<std::size_t>(model)])
        .first(static_cast<std::size_t>(ModelInfo(model).statusInts));
}

std::span<const StatusValueName> StatusFloatNames(int model) {
    if (!IsValidModel(model)) return {};
    return std::span<const StatusValueName>(kFloatNames[static_cast<std::size_t>(model)])
        .first(static_cast<std::size_t>(ModelInfo(model).statusFloats));
}

}  // namespace rad
