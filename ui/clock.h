#pragma once
// The local date and time, injected so tests can step seconds.

#include <QDateTime>

namespace vx52 {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace vx52
