#pragma once
// Where and how readings are published: the broker, the client's name and credentials, the
// topic prefix. The same settings come from the dialog "Publikování MQTT" or from a URL
// given to vx52-cli.

#include <QString>

#include <optional>

namespace vx52 {

struct MqttSettings {
    QString host;
    int port = 1883;
    QString clientId; // empty: "vx52-<host name>-<process id>"
    QString prefix;   // empty: defaultMqttPrefix()
    QString user;     // empty: no login
    QString password;
    bool tls = false;
    QString caFile; // with tls; empty: the system's certificates

    static constexpr int kPlainPort = 1883;
    static constexpr int kTlsPort = 8883;
};

// "vx52/<host name>".
QString defaultMqttPrefix();
QString effectivePrefix(const MqttSettings& s);
QString effectiveClientId(const MqttSettings& s);

// Why a prefix cannot name topics, or empty when it can: MQTT wildcards and empty levels
// would publish where no subscriber expects it.
QString prefixProblem(const QString& prefix);

// mqtt://[user[:password]@]host[:port] or mqtts://...; nothing with a reason in error.
std::optional<MqttSettings> parseMqttUrl(const QString& url, QString& error);

} // namespace vx52
