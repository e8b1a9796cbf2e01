#pragma once

#include <QRect>
#include <QSize>

// Keeps a window inside its display window while its X, Y, width or height is entered. Each
// function takes the window's rectangle, the value entered and the display window's size, and
// returns the rectangle the record takes: the entered value, cut back when it would leave the
// display window, and the other value of the same axis shrunk or moved to make room.
//
// A window starts at least 5 pixels inside the right and bottom edges, so that it can still be
// grabbed there; on a display window narrower (or lower) than that it starts at 0.
namespace WindowGeometry {
QRect enterX(const QRect &window, int x, const QSize &display);
QRect enterY(const QRect &window, int y, const QSize &display);
QRect enterWidth(const QRect &window, int width, const QSize &display);
QRect enterHeight(const QRect &window, int height, const QSize &display);
// `window` moved into a display window of `display` size, and shrunk only where it is larger
// than the display window (a window copied from a larger display window).
QRect fitInto(const QRect &window, const QSize &display);

// What is played of a stored display window (taken as stored: the values of a file may be any
// integers, whose sum would overflow a QRect) on a desktop of `desktop` (all screens): at most
// twice the desktop's width and height, and never less than twice 3840 x 2160, placed no
// farther away than that. Nothing beyond is seen, and a surface of a billion pixels a side
// would take all memory. The stored values stay as they are.
QRect playedDisplay(int x, int y, int width, int height, const QRect &desktop);
// What is played of a stored window on a display window of `display` size: no larger than the
// display window and starting no farther than one display window's width or height from it.
QRect playedWindow(int x, int y, int width, int height, const QSize &display);
} // namespace WindowGeometry
