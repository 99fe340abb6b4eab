#pragma once

#include <string>
#include <vector>

#include "MqttClient.h"
#include "PublishQueue.h"

namespace rad {

// One short session for the command line (--check, --remove-discovery): connects, publishes
// messages and disconnects, all within timeoutMs. Returns empty when the broker took every
// message, else the line that says why not ("MQTT BROKER REFUSED host:port: ...").
std::string PublishOnce(const MqttLogin& login, const std::string& clientId,
                        const std::vector<MqttMessage>& messages, int timeoutMs);

}  // namespace rad
