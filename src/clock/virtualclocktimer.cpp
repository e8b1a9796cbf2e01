#include "virtualclocktimer.h"

#include "virtualclock.h"

#include <QtGlobal>

VirtualClockTimer::VirtualClockTimer(VirtualClock *clock, QObject *parent)
    : ClockTimer(parent)
    , m_clock(clock)
{
    m_clock->attach(this);
}

VirtualClockTimer::~VirtualClockTimer()
{
    if (m_clock)
        m_clock->detach(this);
}

void VirtualClockTimer::start()
{
    if (!m_clock)
        return;
    m_active = true;
    m_clock->arm(this);
}

void VirtualClockTimer::stop()
{
    m_active = false;
    if (m_clock)
        m_clock->disarm(this);
}

void VirtualClockTimer::setQuietExpiry(std::function<bool()> handler)
{
    const bool quiet = bool(handler);
    ClockTimer::setQuietExpiry(std::move(handler));
    if (m_clock)
        m_clock->setQuiet(this, quiet);
}

void VirtualClockTimer::setInterval(int msec)
{
    m_interval = qMax(0, msec);
    // QTimer restarts an active timer when its interval changes.
    if (m_active)
        start();
}

int VirtualClockTimer::remainingTime() const
{
    if (!m_active || !m_clock)
        return -1;
    return int(qMax<qint64>(0, m_due - m_clock->elapsed()));
}
