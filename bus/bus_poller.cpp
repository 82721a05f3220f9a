#include "bus/bus_poller.h"

#include "bus/line_worker.h"
#include "bus/poll_round.h"

#include <QElapsedTimer>
#include <QTimer>

#include <memory>
#include <set>

namespace vx52 {

BusPoller::BusPoller(LineWorker& worker, std::function<int()> com, QObject* parent)
    : QObject(parent), worker_(worker), com_(std::move(com)), timer_(new QTimer(this)) {
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &BusPoller::tick);
}

void BusPoller::setStations(const std::vector<std::uint8_t>& stations) {
    schedule_.setStations(stations);
}

void BusPoller::setPeriod(std::chrono::milliseconds period) {
    period_ = period;
    if (!running_) return;
    if (period_.count() > 0)
        timer_->start(period_);
    else
        timer_->stop();
}

void BusPoller::start() {
    if (running_) return;
    running_ = true;
    emit runningChanged(true);
    if (period_.count() > 0) timer_->start(period_);
    tick();
}

void BusPoller::stop() {
    if (!running_) return;
    running_ = false;
    timer_->stop();
    if (inFlight_ != 0) worker_.cancel(inFlight_);
    emit runningChanged(false);
}

void BusPoller::tick() {
    if (!running_) return;
    if (inFlight_ != 0) {
        ++skipped_;
        return;
    }
    submitRound();
}

void BusPoller::submitRound() {
    if (schedule_.stations().empty()) return;
    // The round works on its own copy of the schedule on the worker's thread; the copy comes
    // back when it ends, and only one round is ever out.
    auto schedule = std::make_shared<PollSchedule>(schedule_);
    std::set<std::uint8_t> wanted;
    if (wantsType_)
        for (const auto s : schedule_.stations())
            if (wantsType_(s)) wanted.insert(s);
    auto took = std::make_shared<std::chrono::milliseconds>(0);

    Piece piece;
    piece.name = QStringLiteral("polling round");
    piece.com = com_ ? com_() : Piece::kLineAsItIs;
    piece.keepLineChoice = true;
    piece.run = [this, schedule, wanted, took](Session& s) {
        QElapsedTimer clock;
        clock.start();
        PollRoundHooks hooks;
        hooks.now = [] { return QDateTime::currentDateTime(); };
        hooks.reading = [this, &s](const StationReading& r) {
            s.report([this, r] { emit reading(r); });
        };
        hooks.stop = [&s] {
            s.checkpoint(); // a cancelled round ends here, before its next exchange
            return false;
        };
        hooks.wantsType = [&wanted](std::uint8_t station) { return wanted.contains(station); };
        pollRound(s.link(), *schedule, hooks);
        *took = std::chrono::milliseconds(clock.elapsed());
    };
    piece.finished = [this, schedule, took](const PieceEnd& end) {
        inFlight_ = 0;
        // What the round learned, for the stations still listed (the list may have changed
        // meanwhile); a cancelled round counts what it asked.
        PollSchedule back = *schedule;
        back.setStations(schedule_.stations());
        schedule_ = std::move(back);
        if (end.failed()) emit lineFailed(end.failure);
        if (end.done()) emit roundFinished(schedule_.round(), *took);
        if (running_ && period_.count() == 0) {
            // As fast as the line allows: the next round right away, behind other work; after
            // a line that would not open, a pause first.
            QTimer::singleShot(end.failed() ? kDefaultPeriod : std::chrono::milliseconds(0), this,
                               &BusPoller::tick);
        }
    };
    inFlight_ = worker_.submit(std::move(piece));
}

} // namespace vx52
