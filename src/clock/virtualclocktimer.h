#pragma once

#include "clocktimer.h"

class VirtualClock;

// A ClockTimer driven by a VirtualClock.
class VirtualClockTimer : public ClockTimer
{
    Q_OBJECT

public:
    VirtualClockTimer(VirtualClock *clock, QObject *parent);
    ~VirtualClockTimer() override;

    using ClockTimer::start;
    void start() override;
    void stop() override;
    void setInterval(int msec) override;
    int interval() const override { return m_interval; }
    void setSingleShot(bool singleShot) override { m_singleShot = singleShot; }
    bool isSingleShot() const override { return m_singleShot; }
    bool isActive() const override { return m_active; }
    int remainingTime() const override;
    void setQuietExpiry(std::function<bool()> handler) override;

private:
    friend class VirtualClock;
    using ClockTimer::deliver;
    using ClockTimer::expire;
    VirtualClock *m_clock;
    int m_interval = 0;
    bool m_singleShot = false;
    bool m_active = false;
    bool m_quiet = false;
    qint64 m_due = 0;
    int m_phase = 0;        // order of its start within the millisecond it was started in
    quint64 m_sequence = 0; // order of its start overall
};
