#pragma once

#include <QPolygon>
#include <QRect>

// Where the parts of an analog clock go in its 200 x 200 logical square centred on 0,0
// (y downwards). Widget-free.
class AnalogDial
{
public:
    static constexpr int Side = 200;
    static constexpr int NumberSize = 14; // p

    static QPolygon hourHand();
    static QPolygon minuteHand();
    static QPolygon secondHand();
    // Degrees clockwise from 12 o'clock.
    static qreal hourAngle(int hour, int minute);
    static qreal minuteAngle(int minute, int second);
    static qreal secondAngle(int second);
    // A mark of width w and height h on the ring at 90, before its rotation.
    static QRect markRect(int w, int h);
    // Number 3 + i (1..12) and its rectangle, i = 0..11.
    static int number(int i);
    static QRectF numberRect(int i);
    // Text boxes (Qt inclusive-corner rectangles).
    static QRect freeTextRect();
    static QRect dateRect(bool bothShown);
    static QRect weekdayRect(bool bothShown);
};
