#pragma once

#include <QDateTime>

class ClockTimer;
class QObject;

// The source of "now" and of timers for everything that schedules by the time of day.
//
// now() is the local date and time of day, with milliseconds; read date() and time() from it
// (the virtual clock has no time zone and no daylight-saving change).
// createTimer() returns a repeating timer of the precise kind, owned by `parent`; the timer
// belongs to this clock and must not outlive it.
//
// The program runs on the wall clock. Tests and the simulation install a VirtualClock with
// Clock::setCurrent() before they create the objects that take their timers from it.
class Clock
{
public:
    virtual ~Clock();

    virtual QDateTime now() const = 0;
    // Milliseconds on a clock that never jumps (the timers' own time base); only differences
    // between two readings mean anything.
    virtual qint64 steadyMsecs() const = 0;
    // now() as milliseconds since the epoch (UTC), the same value now().toMSecsSinceEpoch()
    // gives; a clock may have a cheaper way to it than a time zone look-up each time.
    virtual qint64 msecsSinceEpoch() const;
    virtual ClockTimer *createTimer(QObject *parent) = 0;

    // The clock in use in this process: the installed one, or the wall clock.
    static Clock &current();
    // Installs `clock` (not owned); nullptr goes back to the wall clock.
    static void setCurrent(Clock *clock);
};
