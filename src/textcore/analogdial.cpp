#include "analogdial.h"

#include <QtMath>

QPolygon AnalogDial::hourHand()
{
    return QPolygon({QPoint(3, 4), QPoint(0, 6), QPoint(-3, 4), QPoint(0, -30)});
}

QPolygon AnalogDial::minuteHand()
{
    return QPolygon({QPoint(2, 3), QPoint(0, 5), QPoint(-2, 3), QPoint(0, -50)});
}

QPolygon AnalogDial::secondHand()
{
    return QPolygon({QPoint(1, 2), QPoint(0, 3), QPoint(-1, 2), QPoint(0, -80)});
}

qreal AnalogDial::hourAngle(int hour, int minute)
{
    return (hour + minute / 60.0) * 30.0;
}

qreal AnalogDial::minuteAngle(int minute, int second)
{
    return (minute + second / 60.0) * 6.0;
}

qreal AnalogDial::secondAngle(int second)
{
    return second * 6.0;
}

QRect AnalogDial::markRect(int w, int h)
{
    // From -(w/2) to -(w/2)+w-1 across and from 90-h/2 to 89-h/2+h down.
    return QRect(QPoint(-(w / 2), 90 - h / 2), QPoint(-(w / 2) + w - 1, 89 - h / 2 + h));
}

int AnalogDial::number(int i)
{
    const int n = 3 + i;
    return n > 12 ? n - 12 : n;
}

QRectF AnalogDial::numberRect(int i)
{
    const qreal a = qDegreesToRadians(30.0 * i);
    const qreal p = NumberSize;
    return QRectF(76 * qCos(a) - 2 * p, 76 * qSin(a) - p / 2, 4 * p, p);
}

QRect AnalogDial::freeTextRect()
{
    return QRect(QPoint(-40, -40), QPoint(39, -21));
}

QRect AnalogDial::dateRect(bool bothShown)
{
    return bothShown ? QRect(QPoint(-40, 20), QPoint(39, 39)) : QRect(QPoint(-40, 30), QPoint(39, 49));
}

QRect AnalogDial::weekdayRect(bool bothShown)
{
    return bothShown ? QRect(QPoint(-40, 40), QPoint(39, 59)) : QRect(QPoint(-40, 30), QPoint(39, 49));
}
