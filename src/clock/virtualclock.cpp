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
    for (const QList<VirtualClockTimer *> *list : {&m_timers, &m_quietTimers}) {
        for (VirtualClockTimer *timer : *list) {
            timer->m_clock = nullptr;
            timer->m_active = false;
        }
    }
}

QDateTime VirtualClock::now() const
{
    const qint64 wall = m_wallBase + m_elapsed;
    return QDateTime(QDate::fromJulianDay(wall / msecPerDay),
                     QTime::fromMSecsSinceStartOfDay(int(wall % msecPerDay)));
}

qint64 VirtualClock::msecsSinceEpoch() const
{
    const qint64 wall = m_wallBase + m_elapsed;
    const qint64 minute = wall - wall % 60000;
    if (minute != m_offsetMinute) {
        const QDateTime start(QDate::fromJulianDay(minute / msecPerDay),
                              QTime::fromMSecsSinceStartOfDay(int(minute % msecPerDay)));
        m_offset = start.toMSecsSinceEpoch() - minute;
        m_offsetMinute = minute;
    }
    return wall + m_offset;
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
    for (const QList<VirtualClockTimer *> *list : {&m_timers, &m_quietTimers}) {
        for (const VirtualClockTimer *timer : *list)
            count += timer->m_active ? 1 : 0;
    }
    return count;
}

void VirtualClock::attach(VirtualClockTimer *timer)
{
    m_timers.append(timer);
    ++m_changes;
}

void VirtualClock::detach(VirtualClockTimer *timer)
{
    if (!m_quietTimers.removeOne(timer))
        m_timers.removeOne(timer);
    ++m_changes;
}

void VirtualClock::arm(VirtualClockTimer *timer)
{
    timer->m_due = m_elapsed + timer->m_interval;
    setPhase(timer);
    if (!timer->m_quiet)
        ++m_changes;
}

void VirtualClock::disarm(VirtualClockTimer *timer)
{
    if (!timer->m_quiet)
        ++m_changes;
}

void VirtualClock::setQuiet(VirtualClockTimer *timer, bool quiet)
{
    if (timer->m_quiet == quiet)
        return;
    timer->m_quiet = quiet;
    (quiet ? m_timers : m_quietTimers).removeOne(timer);
    (quiet ? m_quietTimers : m_timers).append(timer);
    ++m_changes;
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

VirtualClockTimer *VirtualClock::firstDue(const QList<VirtualClockTimer *> &timers, qint64 target) const
{
    VirtualClockTimer *next = nullptr;
    for (VirtualClockTimer *timer : timers) {
        if (!timer->m_active || timer->m_due + m_lateness > target)
            continue;
        if (!next || firesBefore(timer, next))
            next = timer;
    }
    return next;
}

void VirtualClock::runTo(qint64 target)
{
    // The first of the other timers stays the first while only quiet handlers run: they
    // touch no timer but their own.
    VirtualClockTimer *other = nullptr;
    quint64 otherAsOf = m_changes - 1;
    for (;;) {
        if (otherAsOf != m_changes) {
            other = firstDue(m_timers, target);
            otherAsOf = m_changes;
        }
        VirtualClockTimer *next = firstDue(m_quietTimers, target);
        if (!next || (other && firesBefore(other, next)))
            next = other;
        if (!next)
            break;
        if (!next->m_quiet)
            ++m_changes; // it moves on or stops, and what it runs may arm anything
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
        next->expire(due);
    }
    m_elapsed = qMax(m_elapsed, target);
}
