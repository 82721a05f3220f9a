#pragma once
// Whether and where readings are published, as kept in the settings store's section MQTT.
// The password lives there too and nowhere else; the store is kept readable by its user alone.

#include "publish/mqtt_settings.h"
#include "ui/settings_store.h"

namespace vx52 {

struct MqttChoice {
    bool enabled = false; // off until the operator turns it on
    MqttSettings settings;
};

MqttChoice readMqttChoice(SettingsStore& store);
void writeMqttChoice(SettingsStore& store, const MqttChoice& choice);

} // namespace vx52
