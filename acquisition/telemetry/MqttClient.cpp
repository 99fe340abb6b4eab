#include "MqttClient.h"

#include <mosquitto.h>

#include <mutex>

namespace {

void InitLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

void KeepErrorLine(struct mosquitto*, void* owner, int level, const char* text) {
    if (owner && level == MOSQ_LOG_ERR && text)
        static_cast<MqttClientOwner*>(owner)->lastLibraryError = text;
}

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

namespace rad {

struct mosquitto* NewMqttClient(const std::string& clientId, const MqttLogin& login,
                                MqttClientOwner* owner, std::string& error) {
    InitLibrary();
    struct mosquitto* mosq = mosquitto_new(clientId.c_str(), true, owner);
    if (!mosq) {
        error = "cannot create the MQTT client";
        return nullptr;
    }
    mosquitto_log_callback_set(mosq, KeepErrorLine);
    if (!login.user.empty())
        mosquitto_username_pw_set(mosq, login.user.c_str(), OrNull(login.password));
    if (login.tls) {
        const int rc = mosquitto_tls_set(mosq, OrNull(login.caFile),
                                         login.caFile.empty() ? "/etc/ssl/certs" : nullptr,
                                         OrNull(login.certFile), OrNull(login.keyFile), nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            error = "TLS files refused (" + std::string(mosquitto_strerror(rc)) +
                    "): " + login.caFile + " " + login.certFile + " " + login.keyFile;
            mosquitto_destroy(mosq);
            return nullptr;
        }
    }
    return mosq;
}

std::string BrokerFailureLine(const MqttLogin& login, int connack, int loopError,
                              const std::string& libraryError) {
    const std::string address = login.Address();
    if (connack != 0)
        return "MQTT BROKER REFUSED " + address + ": " + mosquitto_connack_string(connack);
    switch (loopError) {
        case MOSQ_ERR_TLS:
        case MOSQ_ERR_TLS_HANDSHAKE:
            return "MQTT BROKER TLS FAILED " + address + ": " +
                   (libraryError.empty() ? mosquitto_strerror(loopError) : libraryError);
        case MOSQ_ERR_CONN_LOST:
        case MOSQ_ERR_PROTOCOL:
            // Plain MQTT against a TLS port ends like this, and so does a TLS link without the
            // client certificate the broker requires.
            return "MQTT BROKER CLOSED " + address +
                   ": the connection ended before the broker answered" +
                   (login.tls ? " (does it require a client certificate? CERTFILE, KEYFILE)"
                              : " (a TLS port needs TLS=1)");
        default:
            return {};
    }
}

}  // namespace rad
