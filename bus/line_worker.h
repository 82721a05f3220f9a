#pragma once
// The line worker: one thread that owns the serial line and the link and runs pieces of work
// (bus/piece.h) strictly one after another. A window hands it a piece and returns at once;
// the piece's reports, its end and every telegram the link saw come back on the GUI thread
// as queued calls, in the order they happened.
//
// One piece at a time: the next one is handed to the thread only after the previous one's
// finished() has run, so exchanges never overlap, and the GUI may touch the link (its
// addresses, its ParamSet, its texts) whenever the worker is idle and inside finished().
// While a piece runs, its reports may read what the piece has finished with.
//
// The measurement timer offers its reads with offer(): a tick that finds the worker busy is
// skipped and counted, never queued up behind the running piece.

#include "bus/piece.h"
#include "link/telegram_observer.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace vx52 {

class LineWorker : public QObject {
    Q_OBJECT

public:
    using Id = std::uint64_t;
    // Called with the worker's thread when it starts (on the GUI thread), and with the GUI
    // thread when it stops (on the worker's thread): what the line keeps that belongs to a
    // thread (the serial port) moves there.
    using HandOver = std::function<void(QThread* to)>;

    LineWorker(Link& link, ComLine& line, Pause& pause, HandOver handOver = {},
               QObject* parent = nullptr);
    ~LineWorker() override;
    LineWorker(const LineWorker&) = delete;
    LineWorker& operator=(const LineWorker&) = delete;

    // Queues the piece behind those handed over before; returns its number.
    Id submit(Piece piece);
    // Hands the piece over only when nothing runs or waits; otherwise counts it as skipped
    // and returns 0.
    Id offer(Piece piece);
    // The piece stops before its next exchange or pause; one still waiting never starts.
    // Its finished() runs with the outcome Cancelled (unless it had already ended otherwise).
    void cancel(Id id);
    // Cancels the running piece and every waiting one.
    void cancelAll();

    bool busy() const { return running_.has_value() || !queue_.empty(); }
    Id running() const { return running_ ? running_->id : 0; }
    int skipped() const { return skipped_; }

    // Telegrams and the link's refusal messages, delivered on the GUI thread in order.
    void setObserver(TelegramObserver* observer);
    void setNotifier(Link::Notifier notifier);
    // A failed open that sets the chosen line back to "žádný port" is told on the GUI thread.
    void setOnLineReset(std::function<void()> callback);

    QThread* workerThread() { return &thread_; }

signals:
    void started(vx52::LineWorker::Id id, const QString& name);
    void finished(vx52::LineWorker::Id id, const QString& name, bool done);
    void busyChanged(bool busy);
    void skippedTick(int skipped);

private:
    struct Entry {
        Id id = 0;
        Piece piece;
    };
    class Relay;

    void dispatch();
    void runOnThread(Id id, const Piece& piece, std::shared_ptr<std::atomic<bool>> cancel);
    void ended(Id id, const PieceEnd& end);
    void post(std::function<void()> f);
    void setBusy();

    Link& link_;
    ComLine& line_;
    Pause& pause_;
    HandOver hand_over_;
    QThread thread_;
    QObject* worker_side_ = nullptr; // lives on thread_: the target of the queued runs
    std::unique_ptr<Relay> relay_;

    std::deque<Entry> queue_;
    struct Running {
        Id id = 0;
        Piece piece;
        std::shared_ptr<std::atomic<bool>> cancel;
    };
    std::optional<Running> running_;
    Id next_id_ = 1;
    int skipped_ = 0;
    bool was_busy_ = false;
};

} // namespace vx52
