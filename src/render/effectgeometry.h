#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the entry and exit effects of pictures, office pages and text start and end, in the
// play window's coordinates (size W x H, frame width b, origin (b/2, b/2)). Plain functions,
// so the numbers can be checked without a window.
//
// Rectangles are inclusive (left, top, right, bottom); a curtain that has shrunk to a line
// is a QRect of width or height 0.
namespace EffectGeometry {

constexpr int EffectCount = 17;

struct Slide
{
    QPoint start;
    QPoint end;
};

struct Curtains
{
    QRect firstStart;
    QRect secondStart;
    QRect firstEnd;
    QRect secondEnd;
    bool twoCurtains = false;
};

// Effect 0 ("Random") becomes 1..17 from `random`; any other number is kept.
int resolve(int effect, quint32 random);
// Draws a random number for effect 0 from the global generator.
int resolveRandom(int effect);

bool isSlide(int effect);
bool isReveal(int effect);
// Speed in tenths of a second; an effect never runs backwards in time.
int durationMsecs(int speed);

QPoint origin(int frameWidth);
QRect mediaRect(const QSize &size, int frameWidth);

Slide entrySlide(int effect, const QSize &size, int frameWidth);
Slide exitSlide(int effect, const QSize &size, int frameWidth);
Curtains entryCurtains(int effect, const QSize &size, int frameWidth);
Curtains exitCurtains(int effect, const QSize &size, int frameWidth);

} // namespace EffectGeometry
