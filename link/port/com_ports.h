#pragma once
// Which device "COM n" is. On Windows it is COMn itself. Elsewhere each of COM 1..8 names a
// device path kept in the settings store (section PORT, entries DEVICE1..DEVICE8), by
// default /dev/ttyS0../dev/ttyS7. Line 0 ("žádný port") never names a device.

#include <QString>

#include <functional>

namespace vx52 {

class ComPorts {
public:
    // Reads a string entry of section PORT ("DEVICE3"), giving fallback when it is missing.
    using Lookup = std::function<QString(const QString& key, const QString& fallback)>;

    static constexpr int kFirst = 1;
    static constexpr int kLast = 8;

    explicit ComPorts(Lookup lookup = {}) : lookup_(std::move(lookup)) {}

    // The device to open for COM n; empty when there is none.
    QString devicePath(int com) const;

    static QString comName(int com) { return QStringLiteral("COM%1").arg(com); }
    static QString deviceKey(int com) { return QStringLiteral("DEVICE%1").arg(com); }
    static QString defaultDevice(int com);

private:
    Lookup lookup_;
};

} // namespace vx52
