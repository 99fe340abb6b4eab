#pragma once

#include <string>

struct mosquitto;

// How a station logs in to its broker.
struct MqttLogin {
    std::string host;
    int port = 1883;
    bool tls = false;
    std::string caFile;    // empty: the system's certificates
    std::string certFile;  // client certificate, for a broker that asks for one
    std::string keyFile;
    std::string user;
    std::string password;

    std::string Address() const { return host + ":" + std::to_string(port); }
};

// The user data of a client: the library's callbacks receive it. Keeps the library's last
// error line, the only place the reason of a failed TLS handshake is told.
struct MqttClientOwner {
    std::string lastLibraryError;
};

namespace rad {

// A client handle for login with its credentials and TLS set, owner as its user data. Null
// with error set when the TLS files are refused.
struct mosquitto* NewMqttClient(const std::string& clientId, const MqttLogin& login,
                                MqttClientOwner* owner, std::string& error);

// The output line for a connection to address that failed before the broker accepted it
// ("MQTT BROKER REFUSED host:port: ..."), or empty when the broker is only out of reach,
// which is told after OFFLINEALERT. connack: the broker's refusal code (0: none came);
// loopError: what the library returned (0: nothing); libraryError: its last error line.
std::string BrokerFailureLine(const MqttLogin& login, int connack, int loopError,
                              const std::string& libraryError);

}  // namespace rad
