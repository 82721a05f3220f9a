#pragma once
// Which device "COM n" is. Each of COM 1..8 names the device kept in the settings store
// (section PORT, entries DEVICE1..DEVICE8), chosen in the adapter list; without an entry it is
// COMn on Windows and /dev/ttyS0../dev/ttyS7 elsewhere. On Windows an entry lets COM 1..8
// stand for any port the system has (adapters often get COM9 and above). Line 0
// ("žádný port") never names a device.

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
