#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "PublishQueue.h"
#include "SensorModel.h"

namespace rad {

// One station as a Home Assistant device.
struct DiscoveryDevice {
    std::string topic;                     // first level of the station's own topics ([MQTT] TOPIC)
    std::string station;                   // its name, the second level
    std::string prefix = "homeassistant";  // Home Assistant's discovery prefix
    std::array<bool, kModelCount> use{};   // sensors in use
    int64_t expireAfterSeconds = 0;        // values older than this are unknown; 0: never
};

// Home Assistant's retained configuration messages for one station: PPFD, PAR, illuminance,
// UV index, DLI, clear-sky PPFD and sun zenith, the status of each used sensor, and a problem
// sensor per alert kind, as entities of one device, each with the station's position as
// attributes.
std::vector<MqttMessage> DiscoveryMessages(const DiscoveryDevice& device);

// Empty retained configuration messages for every entity such a station may have announced,
// whatever its sensors: Home Assistant then removes the retired station.
std::vector<MqttMessage> DiscoveryRemovals(const DiscoveryDevice& device);

// The station name as it may stand in a topic level or an entity id.
std::string TopicSafe(const std::string& name);

}  // namespace rad
