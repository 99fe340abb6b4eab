#include "StationIdentity.h"

#include "TextEncoding.h"

namespace rad {
namespace {
constexpr int kExpiryIntervals = 3;  // records missed before Home Assistant says "unknown"
}  // namespace

MqttLogin LoginOf(const MqttSettings& mqtt, const std::string& password) {
    return {mqtt.host,     mqtt.port,    mqtt.tls,  mqtt.caFile,
            mqtt.certFile, mqtt.keyFile, mqtt.user, password};
}

DiscoveryDevice DeviceOf(const MqttSettings& mqtt, const RadlogSettings& settings) {
    DiscoveryDevice device;
    device.topic = ToUtf8(mqtt.topic);
    device.station = ToUtf8(mqtt.StationName());
    device.prefix = ToUtf8(mqtt.discoveryPrefix);
    device.use = settings.use;
    if (settings.measType == MeasType::Interval)
        device.expireAfterSeconds = kExpiryIntervals * settings.interval;
    return device;
}

}  // namespace rad
