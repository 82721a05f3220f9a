#pragma once
// The fixed waits between exchanges (editor retries, loading dialog), injected so tests can
// record their order and length without sleeping.

#include <chrono>

namespace vx52 {

class Pause {
public:
    virtual ~Pause() = default;
    virtual void wait(std::chrono::milliseconds duration) = 0;
};

// Blocks the calling (GUI) thread like the regulator's fixed waits do; no events are handled.
class SleepingPause : public Pause {
public:
    void wait(std::chrono::milliseconds duration) override;
};

} // namespace vx52
