#include "wallclocktimer.h"

#include <QElapsedTimer>

WallClockTimer::WallClockTimer(QObject *parent)
    : ClockTimer(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &WallClockTimer::expired);
}

qint64 WallClockTimer::steadyNow()
{
    // QElapsedTimer reads the same monotonic clock as the event loop's timers.
    static QElapsedTimer origin;
    if (!origin.isValid())
        origin.start();
    return origin.elapsed();
}

void WallClockTimer::start()
{
    m_due = steadyNow() + m_timer.interval();
    m_timer.start();
}

void WallClockTimer::expired()
{
    const qint64 due = m_due;
    if (!m_timer.isSingleShot()) {
        // As the event loop does: the next expiry keeps the phase unless this one came more
        // than a period late.
        const qint64 now = steadyNow();
        m_due += qMax(1, m_timer.interval());
        if (m_due < now)
            m_due = now + m_timer.interval();
    }
    deliver(due);
}

void WallClockTimer::stop()
{
    m_timer.stop();
}

void WallClockTimer::setInterval(int msec)
{
    m_timer.setInterval(msec);
    // QTimer restarts an active timer when its interval changes.
    if (m_timer.isActive())
        m_due = steadyNow() + msec;
}

int WallClockTimer::interval() const
{
    return m_timer.interval();
}

void WallClockTimer::setSingleShot(bool singleShot)
{
    m_timer.setSingleShot(singleShot);
}

bool WallClockTimer::isSingleShot() const
{
    return m_timer.isSingleShot();
}

bool WallClockTimer::isActive() const
{
    return m_timer.isActive();
}

int WallClockTimer::remainingTime() const
{
    return m_timer.remainingTime();
}
