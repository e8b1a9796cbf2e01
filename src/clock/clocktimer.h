#pragma once

#include <QObject>

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

signals:
    void timeout();

protected:
    // Emits timeout() with deliveringDue() reporting `due` for its length.
    void deliver(qint64 due);
};
