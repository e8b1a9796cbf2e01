#include "clocktimer.h"

namespace {
qint64 s_deliveringDue = -1;
} // namespace

qint64 ClockTimer::deliveringDue()
{
    return s_deliveringDue;
}

void ClockTimer::deliver(qint64 due)
{
    // A nested event loop may deliver another expiry inside this one.
    const qint64 outer = s_deliveringDue;
    s_deliveringDue = due;
    emit timeout();
    s_deliveringDue = outer;
}
