#include "bus/pause.h"

#include <thread>

namespace vx52 {

void SleepingPause::wait(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

} // namespace vx52
