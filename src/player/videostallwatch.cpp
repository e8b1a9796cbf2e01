#include "videostallwatch.h"

void VideoStallWatch::begin(qint64 now, const QString &address)
{
    if (address != m_address) {
        m_address = address;
        m_failures = 0;
        m_nextReloadAt = 0;
    }
    m_position = -1;
    m_stuckSince = now;
    m_movingSince = -1;
    m_reported = false;
    m_dark = false;
    m_reloadPending = false;
    m_opening = false;
    m_reloadsSinceMoving = 0;
}

qint64 VideoStallWatch::backoffMsecs(int failures)
{
    if (failures <= 0)
        return 0;
    qint64 wait = 5000;
    for (int i = 1; i < failures && wait < LongestWaitMsecs; ++i)
        wait *= 2;
    return qMin(wait, LongestWaitMsecs);
}

VideoStallWatch::Step VideoStallWatch::sample(qint64 now, double position, bool active)
{
    Step step;
    if (!active) {
        // Time paused under an insert, or at the end of the file, is no time stuck.
        m_stuckSince = now;
        m_movingSince = -1;
        return step;
    }
    if (position >= 0 && position != m_position) {
        step.resumed = m_dark;
        m_dark = false;
        m_reported = false;
        m_reloadPending = false;
        m_opening = false;
        m_reloadsSinceMoving = 0;
        m_position = position;
        m_stuckSince = now;
        if (m_movingSince < 0)
            m_movingSince = now;
        else if (now - m_movingSince >= HealthyMsecs)
            m_failures = 0;
        if (m_failures == 0)
            m_nextReloadAt = 0;
        return step;
    }
    m_movingSince = -1;
    if (!m_reported) {
        if (now - m_stuckSince < (m_position < 0 || m_opening ? OpeningMsecs : StallMsecs))
            return step;
        m_reported = true;
        m_dark = true;
        m_reloadPending = true;
        step.stalled = true;
        step.afterReload = m_reloadsSinceMoving > 0;
    }
    if (m_reloadPending && now >= m_nextReloadAt) {
        m_reloadPending = false;
        step.reload = true;
    }
    return step;
}

void VideoStallWatch::reloaded(qint64 now)
{
    ++m_failures;
    ++m_reloadsSinceMoving;
    m_nextReloadAt = now + backoffMsecs(m_failures);
    // The reloaded item opens afresh and a stall after it is reported again. The position it
    // stalled at stays: the player may still report it until the new load begins.
    m_opening = true;
    m_stuckSince = now;
    m_reported = false;
}
