#pragma once

#include <QString>

// When a video or stream on show has stopped moving, and when to load it again.
//
// The play window samples the player's position about once a second, on the clock service's
// steady time, while the item should play. A position that has not changed for StallMsecs is
// a stall (OpeningMsecs before the first position: opening a stream may take a while). A stall
// is reported once; it is loaded again at once the first time, then after 5, 10, 20, 40 and at
// most 60 s while the reloads do not bring it back, so that a dead stream is not asked again
// and again; HealthyMsecs of steady progress clear that back-off.
class VideoStallWatch
{
public:
    static constexpr qint64 StallMsecs = 4000;
    static constexpr qint64 OpeningMsecs = 10000;
    static constexpr qint64 HealthyMsecs = 30000;
    static constexpr qint64 LongestWaitMsecs = 60000;

    struct Step
    {
        bool stalled = false; // a stall begins: report it
        bool reload = false;  // load the item again now
        bool resumed = false; // it moves again after a reported stall
        // The stall comes after a reload that did not bring the item back.
        bool afterReload = false;
    };

    // A new item (or the same one again) starts: the back-off carries over only for the same
    // address.
    void begin(qint64 now, const QString &address);
    // `position` < 0: the player has none (still opening). `active`: the item should be moving
    // (real play, not paused, the player not idle at the end of its file).
    Step sample(qint64 now, double position, bool active);
    // The item was loaded again at `now`.
    void reloaded(qint64 now);

    qint64 stuckMsecs(qint64 now) const { return now - m_stuckSince; }
    double lastPosition() const { return m_position; }
    // No position yet since the item was opened or loaded again.
    bool opening() const { return m_position < 0 || m_opening; }
    // How long a reload waits from `now`; 0 when it may go at once.
    qint64 reloadWaitMsecs(qint64 now) const { return qMax<qint64>(0, m_nextReloadAt - now); }
    int failedReloads() const { return m_failures; }

    // The wait after `failures` reloads in a row that did not bring the item back.
    static qint64 backoffMsecs(int failures);

private:
    QString m_address;
    double m_position = -1;
    qint64 m_stuckSince = 0;
    qint64 m_movingSince = -1; // steady progress since; -1 while stuck
    qint64 m_nextReloadAt = 0;
    int m_failures = 0;
    bool m_reported = false;      // this stall has been reported
    bool m_dark = false;          // a stall was reported and nothing moved since
    bool m_reloadPending = false; // reported, and its reload waits for the back-off
    bool m_opening = false;       // loaded again and not moving yet
    int m_reloadsSinceMoving = 0;
};
