#pragma once

#include "clocktimer.h"

#include <QTimer>

// A ClockTimer on a precise QTimer.
class WallClockTimer : public ClockTimer
{
    Q_OBJECT

public:
    explicit WallClockTimer(QObject *parent = nullptr);

    using ClockTimer::start;
    void start() override;
    void stop() override;
    void setInterval(int msec) override;
    int interval() const override;
    void setSingleShot(bool singleShot) override;
    bool isSingleShot() const override;
    bool isActive() const override;
    int remainingTime() const override;

    // The monotonic clock QTimer runs on, in msec.
    static qint64 steadyNow();

private:
    void expired();

    QTimer m_timer;
    qint64 m_due = 0;
};
