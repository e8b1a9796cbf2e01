#pragma once

#include "clock.h"

// The real time: QDateTime::currentDateTime() and precise QTimers.
class WallClock : public Clock
{
public:
    QDateTime now() const override;
    ClockTimer *createTimer(QObject *parent) override;
};
