#include "windowgeometry.h"

#include <QtGlobal>

namespace {
constexpr int GrabMargin = 5;

struct Axis
{
    int position;
    int length;
};

// One axis of the rules: the position may come no nearer than the grab margin to the far
// edge, and the length then takes what is left.
Axis enterPosition(Axis axis, int position, int extent)
{
    const int last = qMax(0, extent - GrabMargin);
    axis.position = qBound(0, position, last);
    if (axis.length > extent - axis.position)
        axis.length = qMax(0, extent - axis.position);
    return axis;
}

Axis enterLength(Axis axis, int length, int extent)
{
    axis.length = qBound(0, length, qMax(0, extent));
    if (axis.position > extent - axis.length)
        axis.position = qMax(0, extent - axis.length);
    return axis;
}
Axis fitAxis(Axis axis, int extent)
{
    extent = qMax(0, extent);
    if (axis.length > extent)
        return {0, extent};
    axis.length = qMax(0, axis.length);
    axis.position = qBound(0, axis.position, extent - axis.length);
    return axis;
}
} // namespace

QRect WindowGeometry::fitInto(const QRect &window, const QSize &display)
{
    const Axis x = fitAxis({window.x(), window.width()}, display.width());
    const Axis y = fitAxis({window.y(), window.height()}, display.height());
    return QRect(x.position, y.position, x.length, y.length);
}

QRect WindowGeometry::enterX(const QRect &window, int x, const QSize &display)
{
    const Axis a = enterPosition({window.x(), window.width()}, x, display.width());
    return QRect(a.position, window.y(), a.length, window.height());
}

QRect WindowGeometry::enterY(const QRect &window, int y, const QSize &display)
{
    const Axis a = enterPosition({window.y(), window.height()}, y, display.height());
    return QRect(window.x(), a.position, window.width(), a.length);
}

QRect WindowGeometry::enterWidth(const QRect &window, int width, const QSize &display)
{
    const Axis a = enterLength({window.x(), window.width()}, width, display.width());
    return QRect(a.position, window.y(), a.length, window.height());
}

QRect WindowGeometry::enterHeight(const QRect &window, int height, const QSize &display)
{
    const Axis a = enterLength({window.y(), window.height()}, height, display.height());
    return QRect(window.x(), a.position, window.width(), a.length);
}

QRect WindowGeometry::playedDisplay(int x, int y, int width, int height, const QRect &desktop)
{
    const int maxWidth = 2 * qMax(3840, desktop.width());
    const int maxHeight = 2 * qMax(2160, desktop.height());
    return QRect(qBound(desktop.left() - maxWidth, x, desktop.left() + maxWidth),
                 qBound(desktop.top() - maxHeight, y, desktop.top() + maxHeight), qBound(0, width, maxWidth),
                 qBound(0, height, maxHeight));
}

QRect WindowGeometry::playedWindow(int x, int y, int width, int height, const QSize &display)
{
    const int displayWidth = qMax(0, display.width());
    const int displayHeight = qMax(0, display.height());
    return QRect(qBound(-displayWidth, x, displayWidth), qBound(-displayHeight, y, displayHeight),
                 qBound(0, width, displayWidth), qBound(0, height, displayHeight));
}
