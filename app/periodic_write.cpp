#include "app/periodic_write.h"

#include <exception>

namespace vx52 {

PeriodicWrite::Result PeriodicWrite::secondPassed(int periodSeconds, const Write& write) {
    ++seconds_;
    if (seconds_ < periodSeconds || held_) return {};
    return writeNow(write);
}

PeriodicWrite::Result PeriodicWrite::writeNow(const Write& write) {
    seconds_ = 0;
    try {
        write();
        if (failures_ == 0) return {Outcome::Written, {}, 0};
        const int failed = failures_;
        failures_ = 0;
        return {Outcome::CaughtUp, {}, failed};
    } catch (const std::exception& error) {
        // A Failure names the file and the reason; anything else (memory) is said as it is.
        return {Outcome::Failed, QString::fromUtf8(error.what()), ++failures_};
    }
}

void PeriodicWrite::restart() {
    seconds_ = 0;
    failures_ = 0;
}

} // namespace vx52
