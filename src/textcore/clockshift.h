#pragma once

#include <QDateTime>

// A clock shown ahead of or behind the local time. Shifting past midnight marks the next
// or the previous day, which moves the shown date and weekday by one day.
struct ClockShift
{
    QTime time; // the shown time of day
    QDate date; // the shown date (today, or one day off with a day mark)
    bool nextDay = false;
    bool previousDay = false;

    // `mode` 0 ahead, 1 behind; `difference` read as hours:minutes:seconds.
    static ClockShift shift(const QDateTime &now, int mode, const QTime &difference);
};
