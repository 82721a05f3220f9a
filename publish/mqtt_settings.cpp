#include "publish/mqtt_settings.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <QUrl>

namespace vx52 {

QString defaultMqttPrefix() { return QStringLiteral("vx52/") + QSysInfo::machineHostName(); }

QString effectivePrefix(const MqttSettings& s) {
    return s.prefix.isEmpty() ? defaultMqttPrefix() : s.prefix;
}

QString effectiveClientId(const MqttSettings& s) {
    if (!s.clientId.isEmpty()) return s.clientId;
    // Two programs on one PC must not push each other off the broker.
    return QStringLiteral("vx52-%1-%2")
        .arg(QSysInfo::machineHostName())
        .arg(QCoreApplication::applicationPid());
}

QString prefixProblem(const QString& prefix) {
    if (prefix.contains(QLatin1Char('+')) || prefix.contains(QLatin1Char('#')))
        return QStringLiteral("prefix must not contain + or #");
    if (prefix.startsWith(QLatin1Char('/')) || prefix.endsWith(QLatin1Char('/')) ||
        prefix.contains(QStringLiteral("//")))
        return QStringLiteral("prefix must not have empty levels (a leading, trailing or double /)");
    if (prefix.contains(QChar(0))) return QStringLiteral("prefix must not contain a NUL");
    return {};
}

std::optional<MqttSettings> parseMqttUrl(const QString& url, QString& error) {
    const QUrl u(url, QUrl::StrictMode);
    const QString scheme = u.scheme();
    if (!u.isValid() || (scheme != QLatin1String("mqtt") && scheme != QLatin1String("mqtts"))) {
        error = QStringLiteral("MQTT URL must be mqtt://[user[:password]@]host[:port] or mqtts://...: ") + url;
        return std::nullopt;
    }
    if (u.host().isEmpty()) {
        error = QStringLiteral("MQTT URL names no broker host: ") + url;
        return std::nullopt;
    }
    if (!(u.path().isEmpty() || u.path() == QLatin1String("/")) || u.hasQuery() ||
        u.hasFragment()) {
        error = QStringLiteral("MQTT URL takes no path, query or fragment: ") + url;
        return std::nullopt;
    }
    MqttSettings s;
    s.tls = scheme == QLatin1String("mqtts");
    s.host = u.host();
    s.port = u.port(s.tls ? MqttSettings::kTlsPort : MqttSettings::kPlainPort);
    if (s.port < 1) {
        error = QStringLiteral("MQTT URL has a bad port: ") + url;
        return std::nullopt;
    }
    s.user = u.userName(QUrl::FullyDecoded);
    s.password = u.password(QUrl::FullyDecoded);
    return s;
}

} // namespace vx52
