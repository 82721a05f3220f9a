#include "app/mqtt_choice.h"

namespace vx52 {

namespace {
const QString kSection = QStringLiteral("MQTT");
}

MqttChoice readMqttChoice(SettingsStore& store) {
    MqttChoice c;
    MqttSettings& s = c.settings;
    c.enabled = store.readInteger(kSection, QStringLiteral("ZAPNUTO"), 0) != 0;
    s.host = store.readString(kSection, QStringLiteral("BROKER"), {});
    s.tls = store.readInteger(kSection, QStringLiteral("TLS"), 0) != 0;
    s.port = store.readInteger(kSection, QStringLiteral("PORT"),
                               s.tls ? MqttSettings::kTlsPort : MqttSettings::kPlainPort);
    s.clientId = store.readString(kSection, QStringLiteral("KLIENT"), {});
    s.prefix = store.readString(kSection, QStringLiteral("PREDPONA"), {});
    s.user = store.readString(kSection, QStringLiteral("JMENO"), {});
    s.password = store.readString(kSection, QStringLiteral("HESLO"), {});
    s.caFile = store.readString(kSection, QStringLiteral("CA"), {});
    return c;
}

void writeMqttChoice(SettingsStore& store, const MqttChoice& c) {
    const MqttSettings& s = c.settings;
    store.writeInteger(kSection, QStringLiteral("ZAPNUTO"), c.enabled ? 1 : 0);
    store.writeString(kSection, QStringLiteral("BROKER"), s.host);
    store.writeInteger(kSection, QStringLiteral("PORT"), s.port);
    store.writeString(kSection, QStringLiteral("KLIENT"), s.clientId);
    store.writeString(kSection, QStringLiteral("PREDPONA"), s.prefix);
    store.writeString(kSection, QStringLiteral("JMENO"), s.user);
    store.writeString(kSection, QStringLiteral("HESLO"), s.password);
    store.writeInteger(kSection, QStringLiteral("TLS"), s.tls ? 1 : 0);
    store.writeString(kSection, QStringLiteral("CA"), s.caFile);
}

} // namespace vx52
