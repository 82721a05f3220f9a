#pragma once
// The state of the link to the regulator as the reads find it, for the status bar and for
// telling an outage from a single lost reply.
//
// An outage begins when the line cannot be opened, or when the regulator has not answered
// kSilentAfter reads in a row (from then on the value panels show "0"). It ends with the next
// good reading. An outage is one event: only its beginning is reported, however long it lasts
// and whichever way the failure changes meanwhile (unplugged, then plugged in but silent).

#include <QDateTime>
#include <QString>

#include <cstdint>

namespace vx52 {

class LinkWatch {
public:
    enum class State { NotRead, Connected, Silent, CannotOpen };
    static constexpr int kSilentAfter = 7;

    // Each takes the moment of the read and returns true when an outage begins with it.
    bool openFailed(const QDateTime& at);
    bool readDone(bool good, const QDateTime& at);

    // The counts start again with a new recording; the state goes on.
    void restartCounts();

    State state() const { return state_; }
    // The last read gave no good reading.
    bool failing() const { return in_row_ > 0; }
    bool inOutage() const { return state_ == State::Silent || state_ == State::CannotOpen; }
    // The first read of the current run without a good reading.
    QDateTime failingSince() const { return failing_since_; }
    QDateTime lastGood() const { return last_good_; }
    std::int64_t goodReads() const { return good_; }
    std::int64_t failedReads() const { return failed_; }

    // "spojeno", "bez odezvy od 12:03:45" or "port nelze otevřít"; "čeká na odezvu" while no
    // read has been good yet and no outage has begun.
    QString stateText() const;
    // The state, the counts since the recording began and the last good reading's time; empty
    // before the first read.
    QString panelText() const;

private:
    bool failed(const QDateTime& at, State outage);

    State state_ = State::NotRead;
    int in_row_ = 0;
    QDateTime failing_since_;
    QDateTime last_good_;
    std::int64_t good_ = 0;
    std::int64_t failed_ = 0;
};

} // namespace vx52
