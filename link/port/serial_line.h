#pragma once
// The serial line to the regulator on QSerialPort: 8 data bits, even parity, one stop bit,
// opened exclusively for one piece of work at a time. Reads follow the time-out rule of
// ByteLine with one deadline per read; a write returns once its bytes have left the driver.
//
// A line whose device vanished (adapter pulled out, far end of a pseudo-terminal closed)
// fails its read or write at once and closes. Until CloseLine, the next write opens the same
// device again, so a window holding the line open (the editor, the identification) goes on
// once the adapter is plugged back in; while it stays away every exchange fails at once.

#include "link/com_line.h"
#include "link/port/com_ports.h"

#include <QSerialPort>

namespace vx52 {

class SerialLine : public ComLine {
public:
    explicit SerialLine(ComPorts ports = ComPorts());
    ~SerialLine() override;
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    void OpenLine(int com) override;
    void CloseLine() override;
    void ApplyLineSettings() override;
    bool isOpen() const override { return port_.isOpen(); }

    bool write(std::span<const std::uint8_t> bytes) override;
    bool writeKeepingReceived(std::span<const std::uint8_t> bytes) override;
    ReadResult read(std::span<std::uint8_t> buffer) override;
    ReadResult readPrompt(std::span<std::uint8_t> buffer) override;
    void purgeReceive() override;
    void purgeTransmit() override;

    // The port belongs to the thread that reads and writes it: the line worker's.
    void moveToThread(QThread* thread) { port_.moveToThread(thread); }

    const ComPorts& ports() const { return ports_; }
    void setPorts(ComPorts ports) { ports_ = std::move(ports); }

private:
    [[noreturn]] void failOpen(const QString& text);
    bool deviceGone() const;
    bool configure();
    bool reopenLost();
    void closeDeadLine();
    bool drain();
    bool send(std::span<const std::uint8_t> bytes);

    ComPorts ports_;
    QSerialPort port_;
    bool pseudoTerminal_ = false;
    unsigned generation_ = 0; // counts opens, so a late error report cannot close a newer line
    int open_com_ = 0;        // the line OpenLine opened
    bool lost_ = false;       // its device vanished while it was meant to be open
};

} // namespace vx52
