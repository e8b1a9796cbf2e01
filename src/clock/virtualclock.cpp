#include "virtualclock.h"

#include "virtualclocktimer.h"

#include <QtGlobal>

namespace {
constexpr qint64 msecPerDay = 86400000;
} // namespace

VirtualClock::VirtualClock(const QDateTime &start)
    : m_wallBase(start.date().toJulianDay() * msecPerDay + start.time().msecsSinceStartOfDay())
{}

VirtualClock::~VirtualClock()
{
    for (VirtualClockTimer *timer : qAsConst(m_timers)) {
        timer->m_clock = nullptr;
        timer->m_active = false;
    }
}

QDateTime VirtualClock::now() const
{
    const qint64 wall = m_wallBase + m_elapsed;
    return QDateTime(QDate::fromJulianDay(wall / msecPerDay),
                     QTime::fromMSecsSinceStartOfDay(int(wall % msecPerDay)));
}

ClockTimer *VirtualClock::createTimer(QObject *parent)
{
    return new VirtualClockTimer(this, parent);
}

void VirtualClock::advance(qint64 msec)
{
    runTo(m_elapsed + qMax<qint64>(0, msec));
}

void VirtualClock::runUntil(const QDateTime &until)
{
    const qint64 wall = until.date().toJulianDay() * msecPerDay + until.time().msecsSinceStartOfDay();
    runTo(qMax(m_elapsed, wall - m_wallBase));
}

void VirtualClock::stall(qint64 msec)
{
    m_elapsed += qMax<qint64>(0, msec);
}

void VirtualClock::jumpWallClock(qint64 msec)
{
    m_wallBase += msec;
}

int VirtualClock::activeTimerCount() const
{
    int count = 0;
    for (const VirtualClockTimer *timer : m_timers)
        count += timer->m_active ? 1 : 0;
    return count;
}

void VirtualClock::attach(VirtualClockTimer *timer)
{
    m_timers.append(timer);
}

void VirtualClock::detach(VirtualClockTimer *timer)
{
    m_timers.removeOne(timer);
}

void VirtualClock::arm(VirtualClockTimer *timer)
{
    timer->m_due = m_elapsed + timer->m_interval;
    setPhase(timer);
}

// On a real event loop a timer's expiries keep the microseconds of its start: of the timers
// started in the same millisecond, the first started fires first at every later expiry they
// share; of those started at different moments, the one started earlier in its own burst of
// work. The virtual timer keeps that place as (order within its start millisecond, start).
void VirtualClock::setPhase(VirtualClockTimer *timer)
{
    if (m_phaseMillisecond != m_elapsed) {
        m_phaseMillisecond = m_elapsed;
        m_startsInMillisecond = 0;
    }
    timer->m_phase = ++m_startsInMillisecond;
    timer->m_sequence = ++m_sequence;
}

bool VirtualClock::firesBefore(const VirtualClockTimer *a, const VirtualClockTimer *b)
{
    if (a->m_due != b->m_due)
        return a->m_due < b->m_due;
    if (a->m_phase != b->m_phase)
        return a->m_phase < b->m_phase;
    return a->m_sequence < b->m_sequence;
}

void VirtualClock::runTo(qint64 target)
{
    for (;;) {
        VirtualClockTimer *next = nullptr;
        for (VirtualClockTimer *timer : qAsConst(m_timers)) {
            if (!timer->m_active || timer->m_due + m_lateness > target)
                continue;
            if (!next || firesBefore(timer, next))
                next = timer;
        }
        if (!next)
            break;
        // A timer that fell due during a stall fires now, late.
        const qint64 due = next->m_due;
        m_elapsed = qMax(m_elapsed, due + m_lateness);
        if (next->m_singleShot) {
            next->m_active = false;
        } else {
            // A zero period would never let time move on; a real event loop does not spin
            // on one timer either.
            // A repeating timer keeps its phase; one that fired late starts a new one from now.
            const qint64 period = qMax(1, next->m_interval);
            next->m_due += period;
            if (next->m_due <= m_elapsed) {
                next->m_due = m_elapsed + period;
                setPhase(next);
            }
        }
        ++m_fired;
        next->deliver(due);
    }
    m_elapsed = qMax(m_elapsed, target);
}
