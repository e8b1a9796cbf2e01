#pragma once

#include <QtGlobal>

class Clock;

// Where the time of whatever a timer expiry starts is counted from: the moment that expiry was
// due, not the moment the event loop got round to it, so that a few milliseconds of lateness
// at every item do not add up over a day. Lateness up to absorbedMsecs is absorbed that way;
// after a longer stall the count starts again from now, so that the items that were due in
// the meantime are not rushed through one after the other.
class DueTime
{
public:
    static constexpr qint64 absorbedMsecs = 1000;

    struct Begin
    {
        qint64 at = 0;          // on Clock::steadyMsecs()
        qint64 lateness = 0;    // how late the expiry being delivered came, in msec
        bool restarted = false; // it came too late (or the clock went back): counted from now
    };

    // Outside a timer expiry: now, not late.
    static Begin begin(const Clock &clock);
    // The interval to arm a timer with so that it falls due `msec` after begin(clock).
    static int intervalAfterBegin(const Clock &clock, int msec);
};
