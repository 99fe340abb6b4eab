#pragma once

#include <string>

#include "Discovery.h"
#include "MqttClient.h"
#include "MqttSettings.h"
#include "RadlogSettings.h"

namespace rad {

// The broker login of [MQTT] with the password found for it.
MqttLogin LoginOf(const MqttSettings& mqtt, const std::string& password);

// The station as a Home Assistant device: topics and names as UTF-8, values that expire after
// a few missed intervals (never for a manual acquisition).
DiscoveryDevice DeviceOf(const MqttSettings& mqtt, const RadlogSettings& settings);

}  // namespace rad
