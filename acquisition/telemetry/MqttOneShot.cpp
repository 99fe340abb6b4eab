#include "MqttOneShot.h"

#include <mosquitto.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "LinkClock.h"

namespace rad {
namespace {

constexpr int kLoopMs = 100;
constexpr int kKeepAliveSeconds = 30;

struct Session : MqttClientOwner {
    int connack = -1;  // -1: no answer yet
    std::set<int> unacknowledged;
};

Session& Of(void* self) { return *static_cast<Session*>(static_cast<MqttClientOwner*>(self)); }

int64_t SteadyMs() { return CSystemLinkClock::Instance().MonotonicMs(); }

}  // namespace

std::string PublishOnce(const MqttLogin& login, const std::string& clientId,
                        const std::vector<MqttMessage>& messages, int timeoutMs) {
    Session session;
    std::string error;
    struct mosquitto* mosq = NewMqttClient(clientId, login, &session, error);
    if (!mosq) return "MQTT " + error;
    mosquitto_connect_callback_set(
        mosq, [](struct mosquitto*, void* self, int rc) { Of(self).connack = rc; });
    mosquitto_publish_callback_set(
        mosq, [](struct mosquitto*, void* self, int mid) { Of(self).unacknowledged.erase(mid); });
    const int64_t until = SteadyMs() + timeoutMs;
    int rc = mosquitto_connect_async(mosq, login.host.c_str(), login.port, kKeepAliveSeconds);
    while (rc == MOSQ_ERR_SUCCESS && session.connack < 0 && SteadyMs() < until)
        rc = mosquitto_loop(mosq, kLoopMs, 1);
    std::string failure;
    if (session.connack != 0) {
        failure =
            BrokerFailureLine(login, std::max(session.connack, 0), rc, session.lastLibraryError);
        if (failure.empty())
            failure = "MQTT BROKER UNREACHABLE " + login.Address() +
                      (rc == MOSQ_ERR_SUCCESS ? ": no answer in time"
                                              : ": " + std::string(mosquitto_strerror(rc)));
    } else {
        for (const MqttMessage& message : messages) {
            int mid = 0;
            if (mosquitto_publish(mosq, &mid, message.topic.c_str(),
                                  static_cast<int>(message.payload.size()), message.payload.data(),
                                  1, message.retain) == MOSQ_ERR_SUCCESS)
                session.unacknowledged.insert(mid);
            else
                failure = "MQTT PUBLISH FAILED " + message.topic;
        }
        while (rc == MOSQ_ERR_SUCCESS && !session.unacknowledged.empty() && SteadyMs() < until)
            rc = mosquitto_loop(mosq, kLoopMs, 1);
        if (!session.unacknowledged.empty() && failure.empty())
            failure = "MQTT BROKER " + login.Address() + " did not acknowledge " +
                      std::to_string(session.unacknowledged.size()) + " messages";
        mosquitto_disconnect(mosq);
        mosquitto_loop(mosq, kLoopMs, 1);
    }
    mosquitto_destroy(mosq);
    return failure;
}

}  // namespace rad
