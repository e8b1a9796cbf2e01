#pragma once

#include <QObject>

#include <functional>

// A timer armed on the clock it was created from (Clock::createTimer). The API is the
// subset of QTimer the scheduler and the play windows use, so code written against it
// runs unchanged on the wall clock and on the virtual clock of the tests.
//
// A repeating timer that fires late (a busy GUI thread) fires once, then keeps its period
// from that late moment, as a precise QTimer does. remainingTime() is -1 when inactive.
//
// While a timeout is being delivered, deliveringDue() tells when that expiry was due (on the
// clock's steadyMsecs()), so that what the expiry starts can count its time from there and
// not from whenever the event loop got round to it.
class ClockTimer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // (Re)arms the timer with its current interval, from now.
    virtual void start() = 0;
    void start(int msec)
    {
        setInterval(msec);
        start();
    }
    virtual void stop() = 0;
    virtual void setInterval(int msec) = 0;
    virtual int interval() const = 0;
    virtual void setSingleShot(bool singleShot) = 0;
    virtual bool isSingleShot() const = 0;
    virtual bool isActive() const = 0;
    virtual int remainingTime() const = 0;

    // The due moment of the expiry whose timeout() is being delivered, or -1 outside one.
    static qint64 deliveringDue();

    // For a timer whose expiries mostly only show something where nobody looks (a headless
    // run): each expiry goes to `handler` first, and timeout() is emitted only when it
    // returns false. The handler may do nothing to any other timer, nor anything else that
    // decides what happens next, so a clock may run it ahead of everything else that is not
    // due yet without looking at its other timers; what does must be left to timeout().
    // The wall clock ignores it: in real play someone looks. An empty handler unsets it.
    virtual void setQuietExpiry(std::function<bool()> handler);

signals:
    void timeout();

protected:
    // Emits timeout() with deliveringDue() reporting `due` for its length.
    void deliver(qint64 due);
    // Hands the expiry due at `due` to the quiet handler, then, unless it took it, to
    // timeout().
    void expire(qint64 due);

    std::function<bool()> m_quietExpiry;
};
