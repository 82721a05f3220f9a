// "Publikování MQTT" (menu Nastavení) and the publisher it sets up: the window's good readings
// and its link state go to the broker; the status bar panel pa_mqtt shows the broker's state
// and the readings that wait or were dropped. Publishing runs on its own thread: a broker that
// is slow or away never holds up a reading.

#include "app/Unit_hl.h"

#include "app/dialogs/mqtt_dialog.h"
#include "app/mqtt_choice.h"
#include "publish/mqtt_publisher.h"
#include "publish/station_publish.h"
#include "ui_Unit_hl.h"

#include <QCoreApplication>

namespace {

QString stateWords(vx52::MqttPublisher::State state) {
    using State = vx52::MqttPublisher::State;
    switch (state) {
    case State::Connecting:
        return QCoreApplication::translate("Tqdx01", "připojuje se");
    case State::Connected:
        return QCoreApplication::translate("Tqdx01", "spojeno");
    case State::Unreachable:
        return QCoreApplication::translate("Tqdx01", "broker nedostupný");
    case State::LoginRefused:
        return QCoreApplication::translate("Tqdx01", "broker odmítl jméno nebo heslo");
    case State::TlsFailed:
        return QCoreApplication::translate("Tqdx01", "šifrované spojení selhalo");
    }
    return {};
}

} // namespace

QString Tqdx01::mqttStateText(const vx52::MqttPublisher::Status& s) {
    QString text = QStringLiteral("MQTT: ") + stateWords(s.state);
    if (s.waiting > 0) text += tr(", čeká %1").arg(s.waiting);
    if (s.dropped > 0) text += tr(", zahozeno %1").arg(s.dropped);
    return text;
}

void Tqdx01::connectMqtt() {
    connect(ui->mn_mqtt, &QAction::triggered, this, guarded([this] { mn_mqttClick(); }));
}

void Tqdx01::mn_mqttClick() {
    if (mqtt_dialog == nullptr) return;
    if (mqtt_dialog->exec() != QDialog::Accepted) return;
    startPublishing();
}

void Tqdx01::startPublishing() {
    delete mqtt; // says "offline" to the old broker
    mqtt = nullptr;
    const vx52::MqttChoice choice = vx52::readMqttChoice(settings);
    ui->pa_mqtt->setVisible(choice.enabled);
    if (!choice.enabled) return;
    mqtt = new vx52::MqttPublisher(choice.settings, vx52::MqttPublisher::kDefaultCapacity, this);
    connect(mqtt, &vx52::MqttPublisher::statusChanged, this, &Tqdx01::showMqttState);
    showMqttState();
    publishLink();
}

void Tqdx01::showMqttState() {
    if (mqtt == nullptr) return;
    const vx52::MqttPublisher::Status s = mqtt->status();
    ui->pa_mqtt->setText(mqttStateText(s));
    QString tip = tr("Broker %1:%2, témata %3/…; doručeno %4")
                      .arg(mqtt->settings().host)
                      .arg(mqtt->settings().port)
                      .arg(mqtt->prefix())
                      .arg(s.delivered);
    if (!s.reason.isEmpty()) tip += tr("\nPoslední chyba: %1").arg(s.reason);
    ui->pa_mqtt->setToolTip(tip);
}

void Tqdx01::publishReading(const QDateTime& at, const vx52::ParamSet::Meas& meas) {
    if (mqtt == nullptr) return;
    // Bits 0..3 are the four relays; the rest of the byte means nothing to a subscriber.
    mqtt->publish(vx52::Reading::at(at, ctx.link.GetDeviceAddress(),
                                    {meas.OUT1, meas.OUT2, meas.OUT3, meas.OUT4},
                                    static_cast<std::uint8_t>(meas.RELAYS & 0x0F)));
}

void Tqdx01::publishLink() {
    if (mqtt == nullptr) return;
    using State = vx52::LinkWatch::State;
    switch (link_watch.state()) {
    case State::NotRead:
        return;
    case State::Connected:
        mqtt->publishLink(ctx.link.GetDeviceAddress(), vx52::StationLink::Connected);
        return;
    case State::Silent:
        mqtt->publishLink(ctx.link.GetDeviceAddress(), vx52::StationLink::Silent);
        return;
    case State::CannotOpen:
        mqtt->publishLink(ctx.link.GetDeviceAddress(), vx52::StationLink::CannotOpen);
        return;
    }
}

void Tqdx01::publishStation(const vx52::StationReading& reading) {
    if (mqtt != nullptr) vx52::publishStationReading(*mqtt, reading);
}
