#include "analogclockwidget.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "headless.h"
#include "model/lumoramediaobject.h"
#include "textcore/analogdial.h"
#include "textcore/clockshift.h"
#include "textcore/digitalclocktext.h"

#include <QApplication>
#include <QPainter>

AnalogClockWidget::AnalogClockWidget(QWidget *parent)
    : QLabel(parent)
{
    tickTimer = Clock::current().createTimer(this);
    tickTimer->setInterval(TickMs);
    connect(tickTimer, &ClockTimer::timeout, this, &AnalogClockWidget::slotTimeout);
    // Its ticks only redraw the hands or the digits.
    if (Headless::active())
        tickTimer->setQuietExpiry([] { return true; });
}

AnalogClockWidget::~AnalogClockWidget() = default;

void AnalogClockWidget::setupItem(const AnalogClockProperties &item)
{
    hourMarkColor = item.hourMarkColor;
    hourMarkWidth = item.hourMarkWidth;
    hourMarkHeight = item.hourMarkHeight;
    hourMarkShape = item.hourMarkShape;
    minuteMarkColor = item.minuteMarkColor;
    minuteMarkWidth = item.minuteMarkWidth;
    minuteMarkHeight = item.minuteMarkHeight;
    minuteMarkShape = item.minuteMarkShape;
    freeText = item.text;
    hourHandColor = item.hourHandColor;
    minuteHandColor = item.minuteHandColor;
    secondHandColor = item.secondHandColor;
    showDate = item.showDate;
    showWeekday = item.showWeek;
    textColor = item.textColor;
    dateColor = item.dateColor;
    weekdayColor = item.weekColor;
    timeDiffMode = item.timeDiffMode;
    timeDiff = item.timeDiff;
    dateStyle = item.dateStyle;
    slotTimeout();
}

void AnalogClockWidget::startTick()
{
    slotTimeout();
    tickTimer->start(TickMs);
}

void AnalogClockWidget::stopTick()
{
    tickTimer->stop();
}

void AnalogClockWidget::slotTimeout()
{
    const ClockShift shifted = ClockShift::shift(Clock::current().now(), timeDiffMode, timeDiff);
    displayedTime = shifted.time;
    weekdayText = DigitalClockText::weekdayName(shifted.date.dayOfWeek());
    dateText = shifted.date.toString(dateStyle == 1 ? QStringLiteral("dd/MM") : QStringLiteral("MM/dd"));
    update();
}

void AnalogClockWidget::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    const int side = qMin(width(), height());
    if (side <= 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(width() / 2.0, height() / 2.0);
    p.scale(side / qreal(AnalogDial::Side), side / qreal(AnalogDial::Side));
    QFont f = QApplication::font();
    f.setPointSize(10);
    p.setFont(f);

    if (!freeText.isEmpty()) {
        p.setPen(textColor);
        p.drawText(AnalogDial::freeTextRect(), Qt::AlignHCenter | Qt::AlignTop, freeText);
    }
    const bool both = showDate && showWeekday;
    if (showDate) {
        p.setPen(dateColor);
        p.drawText(AnalogDial::dateRect(both), Qt::AlignCenter, dateText);
    }
    if (showWeekday) {
        p.setPen(weekdayColor);
        p.drawText(AnalogDial::weekdayRect(both), Qt::AlignCenter, weekdayText);
    }

    const QTime t = displayedTime;
    p.setPen(Qt::NoPen);
    p.setBrush(hourHandColor);
    p.save();
    p.rotate(AnalogDial::hourAngle(t.hour(), t.minute()));
    p.drawConvexPolygon(AnalogDial::hourHand());
    p.restore();

    auto drawMark = [&p](int w, int h, int shape) {
        const QRect r = AnalogDial::markRect(w, h);
        if (shape == 0)
            p.drawRect(r);
        else
            p.drawEllipse(r);
    };
    p.setPen(hourMarkColor);
    p.setBrush(hourMarkColor);
    for (int i = 0; i < 12; ++i) {
        drawMark(hourMarkWidth, hourMarkHeight, hourMarkShape);
        p.rotate(30.0);
    }

    p.setPen(hourMarkColor);
    for (int i = 0; i < 12; ++i)
        p.drawText(AnalogDial::numberRect(i), Qt::AlignCenter, QString::number(AnalogDial::number(i)));

    p.setPen(Qt::NoPen);
    p.setBrush(minuteHandColor);
    p.save();
    p.rotate(AnalogDial::minuteAngle(t.minute(), t.second()));
    p.drawConvexPolygon(AnalogDial::minuteHand());
    p.restore();

    p.setPen(minuteMarkColor);
    p.setBrush(minuteMarkColor);
    for (int j = 0; j < 60; ++j) {
        if (j % 5 != 0)
            drawMark(minuteMarkWidth, minuteMarkHeight, minuteMarkShape);
        p.rotate(6.0);
    }

    p.setPen(Qt::NoPen);
    p.setBrush(secondHandColor);
    p.save();
    p.rotate(AnalogDial::secondAngle(t.second()));
    p.drawConvexPolygon(AnalogDial::secondHand());
    p.restore();
}
