#pragma once
// The periodic write of a recording that is kept whole in memory: once a period the caller's
// write puts every line to the file. A write that fails loses nothing (the lines stay in
// memory), is tried again at every later period, and the first one that succeeds reports
// that the file has caught up. No window code: any recording that keeps its lines in memory
// (the main window's, a CSV of the bus overview) can use it.

#include <QString>

#include <functional>

namespace vx52 {

class PeriodicWrite {
public:
    enum class Outcome {
        NotDue,   // the period goes on
        Written,  // the file holds every line, as it did after the last write
        Failed,   // the file lacks lines; the text says why
        CaughtUp, // the file holds every line again after failed writes
    };
    struct Result {
        Outcome outcome = Outcome::NotDue;
        QString reason;    // Failed: why the file could not be written
        int failures = 0;  // Failed, CaughtUp: failed writes in a row (this one included)
    };
    // Writes the whole recording; raises Failure (or any std::exception) when it cannot.
    using Write = std::function<void()>;

    // One second of the period. At its end the write runs, unless writes are held (a file is
    // being chosen): then it runs at the first second after they are let go.
    Result secondPassed(int periodSeconds, const Write& write);
    // A write out of turn (the operator saved); the period starts again.
    Result writeNow(const Write& write);

    // A new recording: the period from its start, no failure pending.
    void restart();
    void hold(bool held) { held_ = held; }
    bool held() const { return held_; }
    // The last write failed: the file lacks lines that memory holds.
    bool behind() const { return failures_ > 0; }
    int failures() const { return failures_; }

private:
    int seconds_ = 0;
    int failures_ = 0;
    bool held_ = false;
};

} // namespace vx52
