#include "link/port/serial_line.h"

#include "link/failure.h"
#include "link/port/line_format.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <termios.h>
#endif

namespace vx52 {

namespace {

// Bytes leave the driver at the line speed; beyond that a write waits a second at most.
int writeTimeoutMs(std::size_t bytes, int baud) {
    return static_cast<int>(bytes * 11000 / static_cast<std::size_t>(std::max(baud, 1))) + 1000;
}

bool isPseudoTerminal(const QString& path) {
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.startsWith(QLatin1String("/dev/pts/")) || real == QLatin1String("/dev/ptmx");
}

} // namespace

SerialLine::SerialLine(ComPorts ports) : ports_(std::move(ports)) {
    // While the line sits open between exchanges the event loop may see the device vanish;
    // close it then, once, instead of letting every later call rediscover the error.
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) {
                         if (error != QSerialPort::ResourceError &&
                             error != QSerialPort::ReadError && error != QSerialPort::WriteError)
                             return;
                         const unsigned generation = generation_;
                         QMetaObject::invokeMethod(
                             &port_,
                             [this, generation] {
                                 if (generation == generation_ && port_.isOpen()) closeDeadLine();
                             },
                             Qt::QueuedConnection);
                     });
}

SerialLine::~SerialLine() {
    port_.close();
}

void SerialLine::failOpen(const QString& text) {
    if (port_.isOpen()) port_.close();
    port_.clearError();
    resetToNoPort();
    throw Failure(text.toStdString());
}

void SerialLine::OpenLine(int com) {
    if (port_.isOpen()) CloseLine(); // a second open must not leave the first one dangling
    ++generation_;
    const QString name = ComPorts::comName(com);
    const QString path = ports_.devicePath(com);
    if (com < ComPorts::kFirst)
        failOpen(QCoreApplication::translate("SerialLine", kNoPortChosenText));
    if (path.isEmpty())
        failOpen(
            QCoreApplication::translate("SerialLine", "Sériový port %1 nelze otevřít").arg(name));

    port_.clearError();
    port_.setPortName(path);
    if (!port_.open(QIODevice::ReadWrite)) {
        // The device opened but would not give its line configuration: not a serial line.
        if (port_.error() == QSerialPort::UnsupportedOperationError)
            failOpen(QCoreApplication::translate("SerialLine",
                                                 "Nelze získat konfiguraci na sériovém portu %1")
                         .arg(name));
        failOpen(
            QCoreApplication::translate("SerialLine", "Sériový port %1 nelze otevřít").arg(name));
    }
    pseudoTerminal_ = isPseudoTerminal(path);
    // Queue sizes: the driver's own; a 256-byte cap on Qt's buffer would only stall reads.
    ApplyLineSettings();
    purgeTransmit();
    purgeReceive();
    open_com_ = com;
    lost_ = false;
}

void SerialLine::CloseLine() {
    if (port_.isOpen()) port_.close();
    port_.clearError();
    ++generation_;
    lost_ = false;
}

bool SerialLine::reopenLost() {
    if (!lost_) return false;
    const QString path = ports_.devicePath(open_com_);
    // While the device is away (no node, or a link to a vanished pseudo-terminal) the write
    // fails at once, without a full open attempt.
    if (path.isEmpty() || !QFileInfo::exists(path)) return false;
    port_.clearError();
    port_.setPortName(path);
    if (!port_.open(QIODevice::ReadWrite)) {
        port_.clearError();
        return false;
    }
    ++generation_;
    pseudoTerminal_ = isPseudoTerminal(path);
    if (!configure()) {
        port_.close();
        port_.clearError();
        return false;
    }
    lost_ = false;
    return true;
}

void SerialLine::ApplyLineSettings() {
    const int com = comNumber();
    const QString text =
        com < ComPorts::kFirst
            ? QCoreApplication::translate("SerialLine", kNoPortChosenText)
            : QCoreApplication::translate("SerialLine", "Nepodařila se reinicializace portu %1")
                  .arg(ComPorts::comName(com));
    if (!port_.isOpen() || !configure()) failOpen(text);
}

bool SerialLine::configure() {
    port_.clearError();
    const bool ok = applyLineFormat(port_, baudRate(), pseudoTerminal_);
    port_.clearError();
    return ok;
}

bool SerialLine::deviceGone() const {
    const auto e = port_.error();
    return e != QSerialPort::NoError && e != QSerialPort::TimeoutError;
}

void SerialLine::closeDeadLine() {
    port_.close();
    port_.clearError();
    ++generation_;
    lost_ = true; // the next write opens it again: the adapter may be back by then
}

bool SerialLine::drain() {
#ifdef Q_OS_WIN
    return FlushFileBuffers(port_.handle()) != 0;
#else
    int rc;
    do {
        rc = ::tcdrain(port_.handle());
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
#endif
}

bool SerialLine::write(std::span<const std::uint8_t> bytes) {
    if (!port_.isOpen() && !reopenLost()) return false;
    purgeReceive();
    purgeTransmit();
    return send(bytes);
}

bool SerialLine::writeKeepingReceived(std::span<const std::uint8_t> bytes) {
    if (!port_.isOpen() && !reopenLost()) return false;
    purgeTransmit();
    return send(bytes);
}

bool SerialLine::send(std::span<const std::uint8_t> bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        closeDeadLine();
        return false;
    }
    // Hand everything to the driver, then wait until it has left: a purge right after
    // (the next request) must not cut a frame still queued in the kernel.
    QDeadlineTimer deadline(writeTimeoutMs(bytes.size(), baudRate()), Qt::PreciseTimer);
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(
                static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0))) ||
            deadline.hasExpired()) {
            if (port_.bytesToWrite() == 0) break;
            closeDeadLine();
            return false;
        }
    }
    if (!drain()) {
        closeDeadLine();
        return false;
    }
    return true;
}

ReadResult SerialLine::read(std::span<std::uint8_t> buffer) {
    if (!port_.isOpen()) return {false, 0};
    const std::size_t n = buffer.size();
    const QDeadlineTimer total(totalReadTimeout(n, baudRate()), Qt::PreciseTimer);
    QDeadlineTimer gap(QDeadlineTimer::Forever, Qt::PreciseTimer);
    std::size_t count = 0;
    port_.clearError();
    while (count < n) {
        const qint64 got = port_.read(reinterpret_cast<char*>(buffer.data() + count),
                                      static_cast<qint64>(n - count));
        if (got < 0) {
            closeDeadLine();
            return {false, count};
        }
        if (got > 0) {
            count += static_cast<std::size_t>(got);
            gap.setRemainingTime(gapTimeout(baudRate()), Qt::PreciseTimer);
            continue;
        }
        const qint64 wait =
            std::min(total.remainingTime(),
                     gap.remainingTime() < 0 ? total.remainingTime() : gap.remainingTime());
        if (wait <= 0) break;
        if (!port_.waitForReadyRead(static_cast<int>(wait)) && deviceGone()) {
            closeDeadLine();
            return {false, count};
        }
    }
    return {true, count};
}

ReadResult SerialLine::readPrompt(std::span<std::uint8_t> buffer) {
    if (!port_.isOpen()) return {false, 0};
    // write() has waited until the request left, so the reply's deadline starts now.
    const QDeadlineTimer first(promptReplyTimeout(baudRate()), Qt::PreciseTimer);
    port_.clearError();
    while (port_.bytesAvailable() == 0) {
        const qint64 wait = first.remainingTime();
        if (wait <= 0) return {true, 0};
        if (!port_.waitForReadyRead(static_cast<int>(wait)) && deviceGone()) {
            closeDeadLine();
            return {false, 0};
        }
    }
    return read(buffer);
}

void SerialLine::purgeReceive() {
    if (port_.isOpen()) port_.clear(QSerialPort::Input);
}

void SerialLine::purgeTransmit() {
    if (port_.isOpen()) port_.clear(QSerialPort::Output);
}

} // namespace vx52
