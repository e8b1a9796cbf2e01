#pragma once

#include <QDateTime>
#include <QPropertyAnimation>

class Clock;
class ClockTimer;

// A property animation whose time is the clock service's time, not Qt's animation timer:
// its end falls due as a timer of the clock, so an effect counts in its item's time and the
// virtual clock of the simulation and the tests sees it exactly. In between, frames are
// set from the clock's time at a frame interval (0: no frames in between, only the start
// and the end positions).
//
// Use play() instead of start(); finished() is emitted when the duration has passed.
class EffectAnimation : public QPropertyAnimation
{
    Q_OBJECT

public:
    EffectAnimation(QObject *target, const QByteArray &property, QObject *parent = nullptr);

    // Frame interval of every effect created afterwards, in msec; 16 by default.
    static void setFrameInterval(int msec);
    static int frameInterval();

    // Runs from the start value to the end value in `msec` on the clock, counted from when
    // the timer expiry that starts it was due (see DueTime).
    void play(int msec);
    // Stops without finishing (no finished() signal), leaving the target where it is.
    void halt();
    bool isPlaying() const;
    // Holds the effect where it stands, with what is left of it counted from when the hold was
    // due (an insert's start); carryOn() plays that rest. Nothing happens to an effect that
    // is not playing.
    void hold();
    void carryOn();

private:
    void onFrame();
    void onEnd();

    Clock *m_clock;
    ClockTimer *m_frame;
    ClockTimer *m_end;
    QDateTime m_started;
    int m_msec = 0;
    qint64 m_endDue = 0;    // steady msecs
    qint64 m_heldLeft = -1; // what a held effect has left; -1 when not held
};
