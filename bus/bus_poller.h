#pragma once
// Polls the stations of the bus through the line worker: one round at a time, each round one
// piece of work, started every period or, with period 0, as soon as the last one ended. A tick
// that finds the last round still running is skipped, never queued. Every station's reading
// comes back on the GUI thread as the signal reading(): the overview shows it, records it,
// and whoever else wants the bus's readings connects to it.

#include "bus/poll_schedule.h"
#include "bus/station_reading.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <vector>

class QTimer;

namespace vx52 {

class LineWorker;

class BusPoller : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kDefaultPeriod{1000};

    // com: the line the pieces open (the port dialog's choice), asked at each round.
    BusPoller(LineWorker& worker, std::function<int()> com, QObject* parent = nullptr);

    void setStations(const std::vector<std::uint8_t>& stations);
    std::vector<std::uint8_t> stations() const { return schedule_.stations(); }
    // 0: as fast as the line allows.
    void setPeriod(std::chrono::milliseconds period);
    std::chrono::milliseconds period() const { return period_; }
    // Which stations still have to tell their type text (asked on the GUI thread per round).
    void setWantsType(std::function<bool(std::uint8_t)> wantsType) {
        wantsType_ = std::move(wantsType);
    }

    void start();
    // Ends polling; a round that runs stops before its next exchange.
    void stop();
    bool running() const { return running_; }
    bool roundRunning() const { return inFlight_ != 0; }

    // The schedule as the last finished round left it.
    const PollSchedule& schedule() const { return schedule_; }
    long long rounds() const { return schedule_.round(); }
    int skippedTicks() const { return skipped_; }

signals:
    void reading(const vx52::StationReading& reading);
    void roundFinished(long long round, std::chrono::milliseconds took);
    // The line could not be opened for a round; polling goes on trying.
    void lineFailed(const QString& text);
    void runningChanged(bool running);

private:
    void tick();
    void submitRound();

    LineWorker& worker_;
    std::function<int()> com_;
    std::function<bool(std::uint8_t)> wantsType_;
    QTimer* timer_;
    PollSchedule schedule_;
    std::chrono::milliseconds period_ = kDefaultPeriod;
    bool running_ = false;
    std::uint64_t inFlight_ = 0; // the worker's id of the running round
    int skipped_ = 0;
};

} // namespace vx52
