#pragma once

#include "clock.h"

// The real time: QDateTime::currentDateTime() and precise QTimers, which run on the
// monotonic clock that steadyMsecs() reads.
class WallClock : public Clock
{
public:
    QDateTime now() const override;
    qint64 steadyMsecs() const override;
    ClockTimer *createTimer(QObject *parent) override;
};
