#pragma once
// The one line format the regulator speaks: 8 data bits, even parity, one stop bit, no flow
// control, at the chosen speed. Asked for after every open and every change of speed.
//
// A pseudo-terminal carries no parity and refuses it; it still carries the bytes, so there
// (and only there) the line runs without. A real device that refuses any part fails.

#include <QSerialPort>

namespace vx52 {

// Port: QSerialPort, or in tests anything with the same five setters.
template <class Port>
bool applyLineFormat(Port& port, int baud, bool pseudoTerminal) {
    const bool ok = port.setBaudRate(baud) && port.setDataBits(QSerialPort::Data8) &&
                    port.setStopBits(QSerialPort::OneStop) &&
                    port.setFlowControl(QSerialPort::NoFlowControl);
    const bool parity = port.setParity(QSerialPort::EvenParity);
    return ok && (parity || pseudoTerminal);
}

} // namespace vx52
