#include "effectgeometry.h"

#include <QRandomGenerator>
#include <QtGlobal>

namespace EffectGeometry {

namespace {

// The slide point of each effect 1..8 for entry start and exit end.
QPoint entryPoint(int effect, int w, int h, int o)
{
    switch (effect) {
    case 1:
        return {w - o, o};
    case 2:
        return {o - w, o};
    case 3:
        return {o, o - h};
    case 4:
        return {o, h - o};
    case 5:
        return {w - o, h - o};
    case 6:
        return {o - w, h - o};
    case 7:
        return {o - w, o - h};
    case 8:
        return {w - o, o - h};
    default:
        return {o, o};
    }
}

QPoint exitPoint(int effect, int w, int h, int o)
{
    switch (effect) {
    case 1:
        return {-w, o};
    case 2:
        return {w, o};
    case 3:
        return {o, h};
    case 4:
        return {o, -h};
    case 5:
        return {-w, -h};
    case 6:
        return {w, -h};
    case 7:
        return {w, h};
    case 8:
        return {-w, h};
    default:
        return {o, o};
    }
}

QRect span(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

struct Frame
{
    int w, h, o;
    QRect m;
    // Vertical line at x over M's height, horizontal line at y over M's width.
    QRect vline(int x) const { return span(x, m.top(), x - 1, m.bottom()); }
    QRect hline(int y) const { return span(m.left(), y, m.right(), y - 1); }
    QRect leftHalf() const { return span(o, m.top(), w / 2 - 1 + o, m.bottom()); }
    QRect rightHalf() const { return span(w / 2, m.top(), w / 2 + w / 2 - 1, m.bottom()); }
    QRect topHalf() const { return span(m.left(), o, m.right(), h / 2 - 1 + o); }
    QRect bottomHalf() const { return span(m.left(), h / 2, m.right(), h / 2 + h / 2 - 1); }
    QRect centre() const { return span(w / 2, h / 2, w / 2 - 1, h / 2 - 1); }
};

Frame frameOf(const QSize &size, int b)
{
    const int o = b / 2;
    return {size.width(), size.height(), o, mediaRect(size, b)};
}

Curtains one(const QRect &start, const QRect &end)
{
    Curtains c;
    c.firstStart = start;
    c.firstEnd = end;
    return c;
}

Curtains two(const QRect &firstStart, const QRect &firstEnd, const QRect &secondStart, const QRect &secondEnd)
{
    Curtains c;
    c.firstStart = firstStart;
    c.firstEnd = firstEnd;
    c.secondStart = secondStart;
    c.secondEnd = secondEnd;
    c.twoCurtains = true;
    return c;
}

} // namespace

int resolve(int effect, quint32 random)
{
    if (effect != 0)
        return effect;
    const int r = int(random % EffectCount);
    return r == 0 ? EffectCount : r;
}

int resolveRandom(int effect)
{
    return resolve(effect, QRandomGenerator::global()->generate());
}

bool isSlide(int effect)
{
    return effect >= 1 && effect <= 8;
}

bool isReveal(int effect)
{
    return effect >= 9 && effect <= EffectCount;
}

int durationMsecs(int speed)
{
    return qMax(0, speed) * 100;
}

QPoint origin(int frameWidth)
{
    return {frameWidth / 2, frameWidth / 2};
}

QRect mediaRect(const QSize &size, int frameWidth)
{
    const int o = frameWidth / 2;
    return span(o, o, o + size.width() - frameWidth - 1, o + size.height() - frameWidth - 1);
}

Slide entrySlide(int effect, const QSize &size, int frameWidth)
{
    const int o = frameWidth / 2;
    return {entryPoint(effect, size.width(), size.height(), o), origin(frameWidth)};
}

Slide exitSlide(int effect, const QSize &size, int frameWidth)
{
    const int o = frameWidth / 2;
    return {origin(frameWidth), exitPoint(effect, size.width(), size.height(), o)};
}

Curtains entryCurtains(int effect, const QSize &size, int frameWidth)
{
    const Frame f = frameOf(size, frameWidth);
    switch (effect) {
    case 9:
        return one(f.m, f.vline(frameWidth));
    case 10:
        return one(f.m, f.vline(f.w - f.o));
    case 11:
        return one(f.m, f.hline(f.h - f.o));
    case 12:
        return one(f.m, f.hline(f.o));
    case 13:
        return two(f.leftHalf(), f.vline(f.o), f.rightHalf(), f.vline(f.w - f.o));
    case 14:
        return two(f.m, f.vline(f.w / 2), f.rightHalf(), f.vline(f.w - f.o));
    case 15:
        return two(f.topHalf(), f.hline(f.o), f.bottomHalf(), f.hline(f.h - f.o));
    case 16:
        return two(f.m, f.hline(f.h / 2), f.bottomHalf(), f.hline(f.h - f.o));
    case 17:
        return two(f.m, f.centre(), f.bottomHalf(), f.hline(f.h - f.o));
    default:
        return Curtains();
    }
}

Curtains exitCurtains(int effect, const QSize &size, int frameWidth)
{
    const Frame f = frameOf(size, frameWidth);
    switch (effect) {
    case 9:
        return one(f.vline(f.w), f.m);
    case 10:
        return one(f.vline(f.o), f.m);
    case 11:
        return one(f.hline(f.o), f.m);
    case 12:
        return one(f.hline(f.h), f.m);
    case 13:
        return one(f.vline(f.w / 2), f.m);
    case 14:
        return two(f.vline(f.o), f.leftHalf(), f.vline(f.w), f.rightHalf());
    case 15:
        return one(f.hline(f.h / 2), f.m);
    case 16:
        return two(f.hline(f.o), f.topHalf(), f.hline(f.h), f.bottomHalf());
    case 17:
        return one(f.centre(), f.m);
    default:
        return Curtains();
    }
}

} // namespace EffectGeometry
