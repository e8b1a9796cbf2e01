#include "secondtracker.h"

namespace {
constexpr qint64 secondsPerDay = 86400;
} // namespace

bool SecondTracker::Range::containsMidnight() const
{
    // Julian day numbers of our era are positive, so integer division floors.
    return !isEmpty() && last / secondsPerDay != (first - 1) / secondsPerDay;
}

qint64 SecondTracker::localSecond(const QDateTime &moment)
{
    return moment.date().toJulianDay() * secondsPerDay + moment.time().msecsSinceStartOfDay() / 1000;
}

QDate SecondTracker::dateOf(qint64 second)
{
    return QDate::fromJulianDay(second / secondsPerDay);
}

int SecondTracker::secondOfDay(qint64 second)
{
    return int(second % secondsPerDay);
}

SecondTracker::Range SecondTracker::advance(const QDateTime &now)
{
    const qint64 current = localSecond(now);
    Range range;
    if (!m_started || current - m_last > jumpLimitSeconds || m_last - current > jumpLimitSeconds) {
        range.first = current;
        range.last = current;
        m_last = current;
        m_started = true;
        return range;
    }
    if (current > m_last) {
        range.first = m_last + 1;
        range.last = current;
        m_last = current;
    }
    return range;
}

void SecondTracker::reset()
{
    m_started = false;
    m_last = 0;
}

void SecondTracker::rewindTo(qint64 second)
{
    if (m_started && m_last > second)
        m_last = second;
}
