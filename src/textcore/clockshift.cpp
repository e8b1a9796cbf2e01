#include "clockshift.h"

ClockShift ClockShift::shift(const QDateTime &now, int mode, const QTime &difference)
{
    ClockShift out;
    const QTime local = now.time();
    const QTime whole(local.hour(), local.minute(), local.second());
    out.time = whole;
    out.date = now.date();
    const int d =
        difference.isValid() ? difference.hour() * 3600 + difference.minute() * 60 + difference.second() : 0;
    if (d == 0)
        return out;
    const int second = whole.msecsSinceStartOfDay() / 1000;
    if (mode == 0) {
        out.time = whole.addSecs(d);
        // Exactly midnight is already the next day.
        out.nextDay = second + d >= 86400;
    } else {
        out.time = whole.addSecs(-d);
        out.previousDay = second - d < 0;
    }
    if (out.nextDay)
        out.date = out.date.addDays(1);
    if (out.previousDay)
        out.date = out.date.addDays(-1);
    return out;
}
