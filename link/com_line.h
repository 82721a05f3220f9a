#pragma once
// A serial line chosen by COM number that the windows open for a piece of work and close
// afterwards. SerialLine is the real one; tests use a loopback to the simulated regulator.
//
// OpenLine and ApplyLineSettings raise Failure with the operator's text ("Sériový port COM3
// nelze otevřít", ...). A failure leaves the line closed and com_number 0 ("žádný port");
// the onReset callback tells the owner (the port dialog) so it can select "žádný port".
// While a KeepLineChoice is alive (automatic reading retrying a lost line) a failure leaves
// the chosen line as it is.

#include "link/byte_line.h"
#include "link/translatable.h"

#include <functional>

namespace vx52 {

// The failure text of an open with no line chosen: line 0 is "žádný port", never "COM0".
inline constexpr const char* kNoPortChosenText = QT_TRANSLATE_NOOP(
    "SerialLine",
    "Není zvolen žádný sériový port. Port se volí v nabídce Nastavení, položka Komunikační port");

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
    bool keepsChoice() const { return keep_choice_; }
    void setKeepChoice(bool keep) { keep_choice_ = keep; }

protected:
    // After a failed open or re-initialisation: com_number 0 and the owner told.
    void resetToNoPort() {
        if (keep_choice_) return;
        com_number_ = 0;
        if (on_reset_) on_reset_();
    }

private:
    int com_number_ = 0;
    int baudrate_ = 9600;
    std::function<void()> on_reset_;
    bool keep_choice_ = false;
};

// Keeps the chosen line through failed opens for as long as it lives.
class KeepLineChoice {
public:
    explicit KeepLineChoice(ComLine& line) : line_(line), outer_(line.keepsChoice()) {
        line_.setKeepChoice(true);
    }
    ~KeepLineChoice() { line_.setKeepChoice(outer_); }
    KeepLineChoice(const KeepLineChoice&) = delete;
    KeepLineChoice& operator=(const KeepLineChoice&) = delete;

private:
    ComLine& line_;
    bool outer_;
};

} // namespace vx52
