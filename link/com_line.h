#pragma once
// A serial line chosen by COM number that the windows open for a piece of work and close
// afterwards. SerialLine is the real one; tests use a loopback to the simulated regulator.
//
// OpenLine and ApplyLineSettings raise Failure with the operator's text ("Sériový port COM3
// nelze otevřít", ...). A failure leaves the line closed and com_number 0 ("žádný port");
// the onReset callback tells the owner (the port dialog) so it can select "žádný port".

#include "link/byte_line.h"

#include <functional>

namespace vx52 {

class ComLine : public ByteLine {
public:
    virtual void OpenLine(int com) = 0;
    virtual void CloseLine() = 0;
    virtual void ApplyLineSettings() = 0;
    virtual bool isOpen() const = 0;

    int comNumber() const { return com_number_; }
    void setComNumber(int com) { com_number_ = com; }
    int baudRate() const { return baudrate_; }
    void setBaudRate(int baud) { baudrate_ = baud; }

    void setOnReset(std::function<void()> callback) { on_reset_ = std::move(callback); }

protected:
    // After a failed open or re-initialisation: com_number 0 and the owner told.
    void resetToNoPort() {
        com_number_ = 0;
        if (on_reset_) on_reset_();
    }

private:
    int com_number_ = 0;
    int baudrate_ = 9600;
    std::function<void()> on_reset_;
};

} // namespace vx52
