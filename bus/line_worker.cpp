#include "bus/line_worker.h"

#include "link/failure.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <exception>
#include <vector>

namespace vx52 {

// Sees the link's telegrams on the worker's thread and hands copies to the GUI thread.
class LineWorker::Relay : public TelegramObserver {
public:
    explicit Relay(LineWorker& worker) : worker_(worker) {}

    void sent(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when) override {
        forward(bytes, ok, when, true);
    }
    void received(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when) override {
        forward(bytes, ok, when, false);
    }

    TelegramObserver* target = nullptr; // used on the GUI thread only

private:
    void forward(std::span<const std::uint8_t> bytes, bool ok, Clock::time_point when, bool sent) {
        worker_.post(
            [this, copy = std::vector<std::uint8_t>(bytes.begin(), bytes.end()), ok, when, sent] {
                if (!target) return;
                if (sent)
                    target->sent(copy, ok, when);
                else
                    target->received(copy, ok, when);
            });
    }

    LineWorker& worker_;
};

LineWorker::LineWorker(Link& link, ComLine& line, Pause& pause, HandOver handOver, QObject* parent)
    : QObject(parent), link_(link), line_(line), pause_(pause), hand_over_(std::move(handOver)),
      relay_(std::make_unique<Relay>(*this)) {
    thread_.setObjectName(QStringLiteral("line worker"));
    worker_side_ = new QObject;
    worker_side_->moveToThread(&thread_);
    if (hand_over_) hand_over_(&thread_);
    thread_.start();
}

LineWorker::~LineWorker() {
    queue_.clear();
    if (running_) running_->cancel->store(true);
    // The line is closed where it was used, and what belongs to a thread comes back to this one.
    QThread* home = QThread::currentThread();
    QMetaObject::invokeMethod(
        worker_side_,
        [this, home] {
            line_.CloseLine();
            if (hand_over_) hand_over_(home);
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    delete worker_side_;
    link_.setObserver(nullptr);
    link_.setNotifier({});
}

void LineWorker::post(std::function<void()> f) {
    QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection);
}

void LineWorker::setObserver(TelegramObserver* observer) {
    relay_->target = observer;
    link_.setObserver(observer ? relay_.get() : nullptr);
}

void LineWorker::setNotifier(Link::Notifier notifier) {
    if (!notifier) {
        link_.setNotifier({});
        return;
    }
    link_.setNotifier([this, notifier](const std::string& text, const std::string& caption) {
        post([notifier, text, caption] { notifier(text, caption); });
    });
}

void LineWorker::setOnLineReset(std::function<void()> callback) {
    if (!callback) {
        line_.setOnReset({});
        return;
    }
    line_.setOnReset([this, callback] { post(callback); });
}

LineWorker::Id LineWorker::submit(Piece piece) {
    const Id id = next_id_++;
    queue_.push_back({id, std::move(piece)});
    setBusy();
    dispatch();
    return id;
}

LineWorker::Id LineWorker::offer(Piece piece) {
    if (busy()) {
        ++skipped_;
        emit skippedTick(skipped_);
        return 0;
    }
    return submit(std::move(piece));
}

void LineWorker::cancel(Id id) {
    if (running_ && running_->id == id) {
        running_->cancel->store(true);
        return;
    }
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (it->id != id) continue;
        Entry entry = std::move(*it);
        queue_.erase(it);
        // Told later, as any end is: the caller is still inside its own handler.
        post([this, entry = std::move(entry)] {
            if (entry.piece.finished)
                entry.piece.finished(PieceEnd{PieceEnd::Outcome::Cancelled, {}});
            emit finished(entry.id, entry.piece.name, false);
            setBusy();
        });
        return;
    }
}

void LineWorker::cancelAll() {
    std::vector<Id> waiting;
    for (const auto& entry : queue_)
        waiting.push_back(entry.id);
    for (Id id : waiting)
        cancel(id);
    if (running_) running_->cancel->store(true);
}

void LineWorker::setBusy() {
    const bool now = busy();
    if (now == was_busy_) return;
    was_busy_ = now;
    emit busyChanged(now);
}

void LineWorker::dispatch() {
    if (running_ || queue_.empty()) return;
    Entry entry = std::move(queue_.front());
    queue_.pop_front();
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    running_ = Running{entry.id, std::move(entry.piece), cancel};
    emit started(running_->id, running_->piece.name);
    // The worker's thread gets its own copy of what it runs; finished() stays here.
    Piece work;
    work.name = running_->piece.name;
    work.com = running_->piece.com;
    work.keepLineChoice = running_->piece.keepLineChoice;
    work.run = running_->piece.run;
    const Id id = running_->id;
    QMetaObject::invokeMethod(
        worker_side_, [this, id, work = std::move(work), cancel] { runOnThread(id, work, cancel); },
        Qt::QueuedConnection);
}

// On the worker's thread: open, run, close; the end goes back behind everything reported.
void LineWorker::runOnThread(Id id, const Piece& piece, std::shared_ptr<std::atomic<bool>> cancel) {
    Session session(link_, line_, pause_, *cancel,
                    [this](std::function<void()> f) { post(std::move(f)); });
    PieceEnd end;
    bool opened = false;
    try {
        session.checkpoint();
        if (piece.com != Piece::kLineAsItIs) {
            std::optional<KeepLineChoice> keep;
            if (piece.keepLineChoice) keep.emplace(line_);
            opened = true;
            line_.OpenLine(piece.com);
        }
        if (piece.run) piece.run(session);
    } catch (const Cancelled&) {
        end.outcome = PieceEnd::Outcome::Cancelled;
    } catch (const Failure& failure) {
        end = {PieceEnd::Outcome::Failed, QString::fromStdString(failure.text())};
    } catch (const std::exception& error) {
        end = {PieceEnd::Outcome::Failed, QString::fromUtf8(error.what())};
    } catch (...) {
        end = {PieceEnd::Outcome::Failed,
               QCoreApplication::translate("LineWorker", "Neočekávaná chyba")};
    }
    if (opened) line_.CloseLine();
    // A pass that stopped by itself on the cancel still ends as cancelled.
    if (end.done() && cancel->load()) end.outcome = PieceEnd::Outcome::Cancelled;
    post([this, id, end] { ended(id, end); });
}

void LineWorker::ended(Id id, const PieceEnd& end) {
    if (!running_ || running_->id != id) return;
    Running done = std::move(*running_);
    running_.reset();
    // The next piece starts once this one's end has been taken, even if taking it failed.
    struct Next {
        LineWorker* worker;
        ~Next() {
            worker->dispatch();
            worker->setBusy();
        }
    } next{this};
    if (done.piece.finished) done.piece.finished(end);
    emit finished(done.id, done.piece.name, end.done());
}

} // namespace vx52
