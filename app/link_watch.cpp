#include "app/link_watch.h"

#include "ui/regional.h"

#include <QCoreApplication>

namespace vx52 {

bool LinkWatch::openFailed(const QDateTime& at) { return failed(at, State::CannotOpen); }

bool LinkWatch::readDone(bool good, const QDateTime& at) {
    if (!good) return failed(at, State::Silent);
    ++good_;
    in_row_ = 0;
    last_good_ = at;
    state_ = State::Connected;
    return false;
}

bool LinkWatch::failed(const QDateTime& at, State outage) {
    ++failed_;
    if (in_row_++ == 0) failing_since_ = at;
    if (inOutage()) {
        state_ = outage; // the same outage, another way
        return false;
    }
    if (outage == State::Silent && in_row_ < kSilentAfter) return false;
    state_ = outage;
    return true;
}

void LinkWatch::restartCounts() {
    good_ = 0;
    failed_ = 0;
}

QString LinkWatch::stateText() const {
    switch (state_) {
    case State::NotRead:
        return QCoreApplication::translate("LinkWatch", "čeká na odezvu");
    case State::Connected:
        return QCoreApplication::translate("LinkWatch", "spojeno");
    case State::Silent:
        return QCoreApplication::translate("LinkWatch", "bez odezvy od %1")
            .arg(longTimeText(failing_since_.time()));
    case State::CannotOpen:
        return QCoreApplication::translate("LinkWatch", "port nelze otevřít");
    }
    return {};
}

QString LinkWatch::panelText() const {
    if (state_ == State::NotRead && failed_ == 0) return {};
    QString text = QCoreApplication::translate("LinkWatch", "%1 | dobrá %2, chybná %3")
                       .arg(stateText())
                       .arg(good_)
                       .arg(failed_);
    if (last_good_.isValid())
        text += QCoreApplication::translate("LinkWatch", " | poslední %1")
                    .arg(longTimeText(last_good_.time()));
    return text;
}

} // namespace vx52
