#pragma once

#include "clock.h"

#include <QList>

class VirtualClockTimer;

// A clock for tests and simulations: time stands still until the owner moves it, and then
// jumps from one due timer to the next, firing them in due order. Timers due in the same
// millisecond fire in the order a real event loop fires them: by the microseconds of their
// start, which a repeating timer keeps (see setPhase()). A day of schedule runs in well
// under a second, the same way every time.
//
// Its time is the local wall time with milliseconds; two kinds of movement are offered:
// - advance()/runUntil(): time passes and every timer that falls due fires;
// - stall(): time passes while the GUI thread is busy, so due timers fire late, at the next
//   advance(); jumpWallClock(): the wall clock is set forward or back, timers are not moved
//   (they run on a monotonic clock in the real program too).
class VirtualClock : public Clock
{
public:
    explicit VirtualClock(const QDateTime &start);
    ~VirtualClock() override;

    QDateTime now() const override;
    qint64 steadyMsecs() const override { return m_elapsed; }
    qint64 msecsSinceEpoch() const override;
    ClockTimer *createTimer(QObject *parent) override;

    void advance(qint64 msec);
    void runUntil(const QDateTime &until);
    void stall(qint64 msec);
    void jumpWallClock(qint64 msec);
    // Every expiry from now on fires `msec` after it fell due, as on an event loop that is
    // always that much behind (0: on time).
    void setDeliveryLateness(qint64 msec)
    {
        m_lateness = qMax<qint64>(0, msec);
        ++m_changes;
    }

    // Number of timer expiries delivered so far.
    qint64 firedCount() const { return m_fired; }
    int activeTimerCount() const;

private:
    friend class VirtualClockTimer;
    void attach(VirtualClockTimer *timer);
    void detach(VirtualClockTimer *timer);
    void arm(VirtualClockTimer *timer);
    void disarm(VirtualClockTimer *timer);
    void setQuiet(VirtualClockTimer *timer, bool quiet);
    // The timer of `timers` that fires first among those due by `target`, or nullptr.
    VirtualClockTimer *firstDue(const QList<VirtualClockTimer *> &timers, qint64 target) const;
    void setPhase(VirtualClockTimer *timer);
    static bool firesBefore(const VirtualClockTimer *a, const VirtualClockTimer *b);
    qint64 elapsed() const { return m_elapsed; }
    void runTo(qint64 target);

    qint64 m_wallBase = 0; // local wall time at elapsed 0, msec since the Julian day epoch
    qint64 m_elapsed = 0;  // monotonic msec since construction
    quint64 m_sequence = 0;
    qint64 m_phaseMillisecond = -1;
    int m_startsInMillisecond = 0;
    qint64 m_fired = 0;
    qint64 m_lateness = 0;
    QList<VirtualClockTimer *> m_timers;
    // Timers with a quiet handler, kept apart: a run of their expiries (a frame every 17 ms)
    // before the next other timer falls due is found without looking through all the others
    // each time.
    QList<VirtualClockTimer *> m_quietTimers;
    // Moves whenever a timer other than a quiet one is armed, stopped, added or removed.
    quint64 m_changes = 0;
    // The UTC offset of the local minute last converted (time zones change on whole minutes).
    mutable qint64 m_offsetMinute = -1;
    mutable qint64 m_offset = 0;
};
