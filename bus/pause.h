#pragma once
// The fixed waits between exchanges (editor retries, loading dialog), injected so tests can
// record their order and length without sleeping. They run on the line worker's thread,
// inside the piece of work they pace.

#include <chrono>

namespace vx52 {

class Pause {
public:
    virtual ~Pause() = default;
    virtual void wait(std::chrono::milliseconds duration) = 0;
};

// Blocks the calling thread (the line worker's) for the whole wait.
class SleepingPause : public Pause {
public:
    void wait(std::chrono::milliseconds duration) override;
};

} // namespace vx52
