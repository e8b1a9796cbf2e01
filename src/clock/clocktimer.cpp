#include "clocktimer.h"

namespace {
qint64 s_deliveringDue = -1;
} // namespace

qint64 ClockTimer::deliveringDue()
{
    return s_deliveringDue;
}

void ClockTimer::setQuietExpiry(std::function<bool()> handler)
{
    m_quietExpiry = std::move(handler);
}

void ClockTimer::expire(qint64 due)
{
    if (m_quietExpiry) {
        const qint64 outer = s_deliveringDue;
        s_deliveringDue = due;
        const bool taken = m_quietExpiry();
        s_deliveringDue = outer;
        if (taken)
            return;
    }
    deliver(due);
}

void ClockTimer::deliver(qint64 due)
{
    // A nested event loop may deliver another expiry inside this one.
    const qint64 outer = s_deliveringDue;
    s_deliveringDue = due;
    emit timeout();
    s_deliveringDue = outer;
}
