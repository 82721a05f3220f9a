#pragma once
// The serial ports the system has, as the adapter list shows them, and the name under which
// one is kept for a COM number. On Linux that is the stable /dev/serial/by-id/ name where
// there is one, so the choice survives plugging the adapter into another socket; elsewhere it
// is the port's own name (/dev/ttyS0, COM12).

#include <QString>

#include <vector>

namespace vx52 {

struct SerialDevice {
    QString location{};   // how the system names it now: /dev/ttyUSB0, COM12
    QString stableName{}; // a name that keeps pointing at it, or empty
    QString description{};
    QString manufacturer{};
    QString serialNumber{};
    int vendorId = -1; // USB vendor and product; -1 when the system gives none
    int productId = -1;

    QString storedName() const { return stableName.isEmpty() ? location : stableName; }
    // "0403:6001", or empty.
    QString usbId() const;
    // Whether a COM entry's device (as stored, or a link to it) names this port.
    bool isNamedBy(const QString& device) const;
};

inline const QString kStableNamesDir = QStringLiteral("/dev/serial/by-id");

// The entry of dir that is a link to location; empty when there is none.
QString stableNameOf(const QString& location, const QString& dir = kStableNamesDir);

// The ports the system has now, in the order of their names (ttyUSB2 before ttyUSB10).
std::vector<SerialDevice> systemSerialDevices(const QString& stableDir = kStableNamesDir);

} // namespace vx52
