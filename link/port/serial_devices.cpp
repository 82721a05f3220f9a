#include "link/port/serial_devices.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace vx52 {

namespace {

QString realPath(const QString& path) {
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
}

} // namespace

QString SerialDevice::usbId() const {
    if (vendorId < 0 || productId < 0) return {};
    return QStringLiteral("%1:%2")
        .arg(vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId, 4, 16, QLatin1Char('0'));
}

bool SerialDevice::isNamedBy(const QString& device) const {
    if (device.isEmpty()) return false;
    if (device == location || device == stableName) return true;
#ifdef Q_OS_WIN
    return device.compare(location, Qt::CaseInsensitive) == 0;
#else
    return realPath(device) == realPath(location);
#endif
}

QString stableNameOf(const QString& location, const QString& dir) {
#ifdef Q_OS_WIN
    Q_UNUSED(location);
    Q_UNUSED(dir);
    return {};
#else
    const QString target = realPath(location);
    const QDir names(dir);
    for (const QFileInfo& entry : names.entryInfoList(QDir::System | QDir::Files, QDir::Name))
        if (entry.isSymLink() && realPath(entry.filePath()) == target) return entry.filePath();
    return {};
#endif
}

std::vector<SerialDevice> systemSerialDevices(const QString& stableDir) {
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice d;
#ifdef Q_OS_WIN
        d.location = info.portName(); // QSerialPort opens COM12 by this name
#else
        d.location = info.systemLocation();
        d.stableName = stableNameOf(d.location, stableDir);
#endif
        d.description = info.description();
        d.manufacturer = info.manufacturer();
        d.serialNumber = info.serialNumber();
        if (info.hasVendorIdentifier()) d.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier()) d.productId = info.productIdentifier();
        devices.push_back(d);
    }
    QCollator order;
    order.setNumericMode(true);
    std::sort(devices.begin(), devices.end(), [&order](const SerialDevice& a, const SerialDevice& b) {
        return order.compare(a.location, b.location) < 0;
    });
    return devices;
}

} // namespace vx52
