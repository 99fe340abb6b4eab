#include "Discovery.h"

#include <cctype>

#include "HealthMonitor.h"
#include "JsonWriter.h"
#include "RadVersion.h"

namespace rad {
namespace {

constexpr const char* kMissing = "MISSING";  // a used sensor absent from the last record
constexpr const char* kPositionTemplate = "{{ value_json.station | default({}) | tojson }}";

struct Entity {
    const char* component;  // "sensor" or "binary_sensor"
    std::string object;     // id part
    std::string name;
    std::string stateLeaf;  // the station topic it reads
    std::string valueTemplate;
    const char* unit = nullptr;         // nullptr: none
    const char* deviceClass = nullptr;  // nullptr: none
    const char* stateClass = nullptr;   // nullptr: none
    bool expires = false;               // a measured value, unknown when records stop
};

Entity Quantity(const char* key, const char* name, const char* unit, const char* deviceClass,
                const char* stateClass) {
    return {"sensor",
            key,
            name,
            "record",
            std::string("{{ value_json.quantities.") + key + " }}",
            unit,
            deviceClass,
            stateClass,
            true};
}

std::vector<Entity> Entities(const std::array<bool, kModelCount>& use) {
    std::vector<Entity> entities = {
        Quantity("ppfd", "PPFD", "\u00b5mol/m\u00b2/s", nullptr, "measurement"),
        Quantity("par", "PAR", "W/m\u00b2", "irradiance", "measurement"),
        Quantity("illuminance", "Illuminance", "lx", "illuminance", "measurement"),
        Quantity("uv_index", "UV index", "UV index", nullptr, "measurement"),
        // The integral of the day so far: it only grows, and its fall at the day's start is
        // a reset.
        Quantity("dli", "DLI", "mol/m\u00b2/d", nullptr, "total_increasing"),
        Quantity("clear_sky_ppfd", "Clear-sky PPFD", "\u00b5mol/m\u00b2/s", nullptr, "measurement"),
        Quantity("sun_zenith", "Sun zenith", "\u00b0", nullptr, "measurement"),
    };
    for (int model = 0; model < kModelCount; ++model) {
        if (!use[static_cast<std::size_t>(model)]) continue;
        const std::string label = kModels[static_cast<std::size_t>(model)].label;
        const std::string key = kModels[static_cast<std::size_t>(model)].key;
        entities.push_back({"sensor", key + "_status", label + " status", "record",
                            "{% set s = value_json.sensors | selectattr('model', 'eq', '" + label +
                                "') | list %}{{ s[0].status if s else '" + kMissing + "' }}"});
    }
    for (const HealthAlert::Kind kind : ProblemKinds()) {
        const std::string name = AlertKindName(kind);
        entities.push_back({"binary_sensor", "alert_" + name, "Alert " + name, "problems",
                            "{{ 'ON' if value_json." + name + " else 'OFF' }}", nullptr,
                            "problem"});
    }
    return entities;
}

std::string Node(const DiscoveryDevice& device) { return "radlog_" + TopicSafe(device.station); }

std::string ConfigTopic(const DiscoveryDevice& device, const Entity& entity) {
    return device.prefix + "/" + entity.component + "/" + Node(device) + "/" + entity.object +
           "/config";
}

std::string Config(const DiscoveryDevice& device, const Entity& entity) {
    const std::string node = Node(device);
    const std::string base = device.topic + "/" + device.station + "/";
    CJsonWriter json;
    json.BeginObject();
    json.Key("name").String(entity.name);
    json.Key("unique_id").String(node + "_" + entity.object);
    json.Key("state_topic").String(base + entity.stateLeaf);
    json.Key("value_template").String(entity.valueTemplate);
    json.Key("availability_topic").String(base + "status");
    if (entity.unit) json.Key("unit_of_measurement").String(entity.unit);
    if (entity.stateClass) json.Key("state_class").String(entity.stateClass);
    if (entity.deviceClass) json.Key("device_class").String(entity.deviceClass);
    if (entity.expires && device.expireAfterSeconds > 0)
        json.Key("expire_after").Integer(device.expireAfterSeconds);
    // The station's position as attributes: Home Assistant puts the entities on its map.
    json.Key("json_attributes_topic").String(base + "record");
    json.Key("json_attributes_template").String(kPositionTemplate);
    json.Key("device").BeginObject();
    json.Key("identifiers").BeginArray().String(node).EndArray();
    json.Key("name").String("Radlog " + device.station);
    json.Key("manufacturer").String("Radlog");
    json.Key("model").String("Radlog spectroradiometer station");
    json.Key("sw_version").String(RAD_VERSION);
    json.EndObject();
    json.Key("origin").BeginObject();
    json.Key("name").String("radlog");
    json.Key("sw_version").String(RAD_VERSION);
    json.EndObject();
    json.EndObject();
    return json.Text();
}

}  // namespace

std::string TopicSafe(const std::string& name) {
    std::string safe;
    for (const char c : name)
        safe += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
    return safe.empty() ? "station" : safe;
}

std::vector<MqttMessage> DiscoveryMessages(const DiscoveryDevice& device) {
    std::vector<MqttMessage> messages;
    for (const Entity& entity : Entities(device.use))
        messages.push_back({ConfigTopic(device, entity), Config(device, entity), 1, true});
    return messages;
}

std::vector<MqttMessage> DiscoveryRemovals(const DiscoveryDevice& device) {
    std::vector<MqttMessage> messages;
    for (const Entity& entity : Entities(kAllModels))
        messages.push_back({ConfigTopic(device, entity), "", 1, true});
    return messages;
}

}  // namespace rad
