#pragma once
// "Zařízení": the serial ports the system has (device, description, maker, serial number,
// USB vendor and product), refreshed every second while shown so that a plugged adapter
// appears by itself, and the device the COM number opens now. The port dialog shows it for
// one COM number and, on OK, keeps the chosen port's stored name (chosenDevice()) for that COM
// number: a listed port, or a path typed in "Jiná cesta" for what the system does not list
// (a pseudo-terminal, a /dev/serial/by-id/ link to an adapter not plugged in).

#include "link/port/serial_devices.h"

#include <QDialog>

#include <functional>
#include <vector>

class QTimer;

namespace Ui {
class Tzarizeni;
}

class Tzarizeni : public QDialog {
    Q_OBJECT

public:
    using DeviceList = std::function<std::vector<vx52::SerialDevice>()>;

    explicit Tzarizeni(QWidget* parent = nullptr);
    ~Tzarizeni() override;

    // Where the ports come from: the system's by default, a fixed list in tests.
    void setDeviceList(DeviceList list) { list_ = std::move(list); }

    // Prepares a showing for COM com, whose entry now names device.
    void prepare(int com, const QString& device);
    // The typed path, else the stored name of the selected port; empty when neither is
    // there or the typed path is not a whole one.
    QString chosenDevice() const;
    const std::vector<vx52::SerialDevice>& devices() const { return devices_; }

    void Timer1Timer();
    void str_zarizeniSelect();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refresh();
    void selectDevice(const QString& device);
    QString selectedDevice() const;
    QString typedDevice() const;
    void ed_cestaEdited();

    Ui::Tzarizeni* ui;
    QTimer* Timer1;
    DeviceList list_;
    std::vector<vx52::SerialDevice> devices_;
    QString current_; // the COM entry's device when the list was prepared
};
