#pragma once

#include <QDateTime>

// Which wall-clock seconds have been reached since the previous check.
//
// A check that runs late (a busy GUI thread, a slow machine) still covers every second
// passed since the one before, so a time point or midnight is seen exactly once; a check
// in the same second as the previous one, or after the clock was set back a little, covers
// nothing, so nothing is seen twice. When the clock jumps by more than a minute either way
// the tracker resynchronises: only the current second is covered, no stale burst.
//
// Seconds are counted as local wall time: Julian day × 86400 + second of the day.
class SecondTracker
{
public:
    static constexpr qint64 jumpLimitSeconds = 60;

    struct Range
    {
        qint64 first = 1;
        qint64 last = 0;
        bool isEmpty() const { return first > last; }
        qint64 size() const { return isEmpty() ? 0 : last - first + 1; }
        bool containsMidnight() const;
    };

    static qint64 localSecond(const QDateTime &moment);
    static QDate dateOf(qint64 second);
    static int secondOfDay(qint64 second);

    // The seconds reached since the previous check, up to and including the one of `now`.
    Range advance(const QDateTime &now);
    // Forgets the history: the next check covers only its own second.
    void reset();
    // Makes the seconds after `second` count as not yet seen.
    void rewindTo(qint64 second);
    bool hasHistory() const { return m_started; }

private:
    bool m_started = false;
    qint64 m_last = 0;
};
