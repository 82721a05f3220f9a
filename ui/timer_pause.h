#pragma once
// The timer pause around the dialogs that use the serial line: the timer is stopped for the
// pause's lifetime and then set back to the state it had, also when the work failed.

#include <QTimer>

namespace vx52 {

class TimerPause {
public:
    explicit TimerPause(QTimer& timer) : timer_(timer), was_active_(timer.isActive()) {
        timer_.stop();
    }
    ~TimerPause() {
        if (was_active_) timer_.start();
        else timer_.stop();
    }
    TimerPause(const TimerPause&) = delete;
    TimerPause& operator=(const TimerPause&) = delete;

private:
    QTimer& timer_;
    bool was_active_;
};

} // namespace vx52
