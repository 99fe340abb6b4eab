#pragma once

#include <array>
#include <string>
#include <vector>

#include "PublishQueue.h"
#include "SensorModel.h"

namespace rad {

// Home Assistant's retained configuration messages for one station: PPFD, PAR, illuminance,
// UV index, DLI, clear-sky PPFD and sun zenith, and the status of each used sensor, as
// entities of one device, each with the station's position as attributes.
std::vector<MqttMessage> DiscoveryMessages(const std::string& prefix, const std::string& station,
                                           const std::array<bool, kModelCount>& use);

// The station name as it may stand in a topic level or an entity id.
std::string TopicSafe(const std::string& name);

}  // namespace rad
