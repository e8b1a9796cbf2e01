#include "effectanimation.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "clock/duetime.h"

#include <QEasingCurve>

namespace {
int s_frameInterval = 16;
}

EffectAnimation::EffectAnimation(QObject *target, const QByteArray &property, QObject *parent)
    : QPropertyAnimation(target, property, parent)
    , m_clock(&Clock::current())
    , m_frame(m_clock->createTimer(this))
    , m_end(m_clock->createTimer(this))
{
    setEasingCurve(QEasingCurve::OutQuad);
    m_end->setSingleShot(true);
    connect(m_frame, &ClockTimer::timeout, this, &EffectAnimation::onFrame);
    connect(m_end, &ClockTimer::timeout, this, &EffectAnimation::onEnd);
}

void EffectAnimation::setFrameInterval(int msec)
{
    s_frameInterval = qMax(0, msec);
}

int EffectAnimation::frameInterval()
{
    return s_frameInterval;
}

void EffectAnimation::play(int msec)
{
    halt();
    // An effect started late by the event loop ends when it was due to: its item's time is
    // counted from when the item was due.
    m_msec = DueTime::intervalAfterBegin(*m_clock, msec);
    // A zero duration would make Qt finish inside start(), before the caller has set up
    // what the end of the effect relies on; the end comes from the clock instead.
    setDuration(qMax(1, m_msec));
    // Running but paused: Qt's animation timer never advances it, setCurrentTime() does.
    start();
    pause();
    setCurrentTime(0);
    m_started = m_clock->now();
    m_endDue = m_clock->steadyMsecs() + m_msec;
    if (s_frameInterval > 0 && m_msec > s_frameInterval)
        m_frame->start(s_frameInterval);
    m_end->start(m_msec);
}

void EffectAnimation::hold()
{
    if (!m_end->isActive())
        return;
    m_heldLeft = qMax<qint64>(0, m_endDue - DueTime::begin(*m_clock).at);
    m_frame->stop();
    m_end->stop();
}

void EffectAnimation::carryOn()
{
    if (m_heldLeft < 0)
        return;
    const qint64 left = qMin<qint64>(m_heldLeft, duration());
    m_heldLeft = -1;
    const int msec = DueTime::intervalAfterBegin(*m_clock, int(left));
    m_endDue = m_clock->steadyMsecs() + msec;
    // The frames go on from where the effect stood, not from where the time would have put it.
    m_started = m_clock->now().addMSecs(-(duration() - left));
    if (s_frameInterval > 0 && msec > s_frameInterval)
        m_frame->start(s_frameInterval);
    m_end->start(msec);
}

void EffectAnimation::halt()
{
    m_heldLeft = -1;
    m_frame->stop();
    m_end->stop();
    if (state() != QAbstractAnimation::Stopped)
        stop();
}

bool EffectAnimation::isPlaying() const
{
    return m_end->isActive();
}

void EffectAnimation::onFrame()
{
    const qint64 elapsed = m_started.msecsTo(m_clock->now());
    setCurrentTime(int(qBound<qint64>(0, elapsed, qMax(0, duration() - 1))));
}

void EffectAnimation::onEnd()
{
    m_frame->stop();
    // Reaching the end stops the animation, which emits finished().
    setCurrentTime(duration());
}
