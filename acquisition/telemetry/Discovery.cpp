#include "Discovery.h"

#include <cctype>

#include "JsonWriter.h"

namespace rad {
namespace {

constexpr const char* kDiscoveryPrefix = "homeassistant";
constexpr const char* kPositionTemplate = "{{ value_json.station | default({}) | tojson }}";

struct Entity {
    std::string object;  // id part
    std::string name;
    std::string valueTemplate;
    const char* unit;         // nullptr: none
    const char* deviceClass;  // nullptr: none
};

std::vector<Entity> Entities(const std::array<bool, kModelCount>& use) {
    std::vector<Entity> entities = {
        {"ppfd", "PPFD", "{{ value_json.quantities.ppfd }}", "\u00b5mol/m\u00b2/s", nullptr},
        {"par", "PAR", "{{ value_json.quantities.par }}", "W/m\u00b2", "irradiance"},
        {"illuminance", "Illuminance", "{{ value_json.quantities.illuminance }}", "lx",
         "illuminance"},
        {"uv_index", "UV index", "{{ value_json.quantities.uv_index }}", nullptr, nullptr},
        {"dli", "DLI", "{{ value_json.quantities.dli }}", "mol/m\u00b2/d", nullptr},
        {"clear_sky_ppfd", "Clear-sky PPFD", "{{ value_json.quantities.clear_sky_ppfd }}",
         "\u00b5mol/m\u00b2/s", nullptr},
        {"sun_zenith", "Sun zenith", "{{ value_json.quantities.sun_zenith }}", "\u00b0", nullptr},
    };
    for (int model = 0; model < kModelCount; ++model) {
        if (!use[static_cast<std::size_t>(model)]) continue;
        const std::string label = kModels[static_cast<std::size_t>(model)].label;
        const std::string key = kModels[static_cast<std::size_t>(model)].key;
        entities.push_back({key + "_status", label + " status",
                            "{% for s in value_json.sensors %}{% if s.model == '" + label +
                                "' %}{{ s.status }}{% endif %}{% endfor %}",
                            nullptr, nullptr});
    }
    return entities;
}

}  // namespace

std::string TopicSafe(const std::string& name) {
    std::string safe;
    for (const char c : name)
        safe += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
    return safe.empty() ? "station" : safe;
}

std::vector<MqttMessage> DiscoveryMessages(const std::string& prefix, const std::string& station,
                                           const std::array<bool, kModelCount>& use) {
    const std::string node = "radlog_" + TopicSafe(station);
    const std::string base = prefix + "/" + station + "/";
    std::vector<MqttMessage> messages;
    for (const Entity& entity : Entities(use)) {
        CJsonWriter json;
        json.BeginObject();
        json.Key("name").String(entity.name);
        json.Key("unique_id").String(node + "_" + entity.object);
        json.Key("state_topic").String(base + "record");
        json.Key("value_template").String(entity.valueTemplate);
        json.Key("availability_topic").String(base + "status");
        // The station's position as attributes: Home Assistant puts the entities on its map.
        json.Key("json_attributes_topic").String(base + "record");
        json.Key("json_attributes_template").String(kPositionTemplate);
        if (entity.unit) {
            json.Key("unit_of_measurement").String(entity.unit);
            json.Key("state_class").String("measurement");
        }
        if (entity.deviceClass) json.Key("device_class").String(entity.deviceClass);
        json.Key("device").BeginObject();
        json.Key("identifiers").BeginArray().String(node).EndArray();
        json.Key("name").String("Radlog " + station);
        json.Key("model").String("Radlog spectroradiometer station");
        json.EndObject();
        json.EndObject();
        messages.push_back(
            {std::string(kDiscoveryPrefix) + "/sensor/" + node + "/" + entity.object + "/config",
             json.Text(), 1, true});
    }
    return messages;
}

}  // namespace rad
