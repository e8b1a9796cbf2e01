#include "digitaltimerwin.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "headless.h"
#include "model/lumoramediaobject.h"

DigitalTimerWin::DigitalTimerWin(QWidget *parent)
    : QLCDNumber(parent)
{
    setDigitCount(Digits);
    setSmallDecimalPoint(true);
    setSegmentStyle(QLCDNumber::Flat);
    setFrameShape(QFrame::NoFrame);
    value.reset(length, direction);
    display(value.text());
    tickTimer = Clock::current().createTimer(this);
    connect(tickTimer, &ClockTimer::timeout, this, &DigitalTimerWin::slotTimeout);
    // The value still counts; restyling and redrawing the digits is what nobody sees.
    if (Headless::active()) {
        tickTimer->setQuietExpiry([this] {
            value.tick();
            return true;
        });
    }
    tickTimer->start(TickMs);
}

DigitalTimerWin::~DigitalTimerWin() = default;

void DigitalTimerWin::setupItem(const CountTimerProperties &item)
{
    numberColor = item.numberColor;
    length = item.length;
    direction = item.countUp;
    value.reset(length, direction);
    display(value.text());
    tickTimer->start(TickMs);
}

void DigitalTimerWin::startTick()
{
    tickTimer->start(TickMs);
}

void DigitalTimerWin::stopTick()
{
    tickTimer->stop();
}

void DigitalTimerWin::slotTimeout()
{
    setStyleSheet(QStringLiteral("color:rgb(%1,%2,%3);")
                      .arg(numberColor.red())
                      .arg(numberColor.green())
                      .arg(numberColor.blue()));
    value.tick();
    display(value.text());
}
