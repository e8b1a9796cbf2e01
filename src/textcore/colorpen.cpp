#include "colorpen.h"

#include <QBrush>
#include <QLinearGradient>
#include <QPen>

namespace {
const QColor red(255, 0, 0);
const QColor green(0, 255, 0);
const QColor blue(0, 0, 255);
const QColor cyan(0, 255, 255);
const QColor magenta(255, 0, 255);
const QColor yellow(255, 255, 0);
} // namespace

QGradientStops ColorPen::stops(int colorMode)
{
    switch (colorMode) {
    case 1:
    case 2:
    case 3:
        return {{0.0, red}, {0.2, cyan}, {0.4, green}, {0.6, yellow}, {0.8, blue}, {1.0, magenta}};
    case 4:
        return {{0.0, red}, {0.2, red}, {0.3, green}, {0.4, green}, {0.5, yellow},
                {0.6, red}, {0.7, red}, {0.8, green}, {0.9, green}, {1.0, yellow}};
    case 5:
        return {{0.0, red}, {0.1, yellow}, {0.2, green}, {0.3, cyan}, {0.4, blue}, {0.5, magenta},
                {0.6, red}, {0.7, yellow}, {0.8, green}, {0.9, cyan}, {1.0, blue}};
    default:
        return {};
    }
}

QPointF ColorPen::gradientStart(int colorMode, const Geometry &g)
{
    switch (colorMode) {
    case 1:
    case 4:
    case 5:
        return QPointF(0, g.height);
    case 2:
        return g.endToEnd ? QPointF(g.textWidth, 0) : QPointF(g.width, 0);
    case 3:
        return QPointF(0, 0);
    default:
        return QPointF();
    }
}

QPointF ColorPen::gradientEnd(int colorMode, const Geometry &g)
{
    switch (colorMode) {
    case 1:
    case 3:
    case 4:
    case 5:
        return QPointF(g.textWidth, g.height);
    case 2:
        return g.endToEnd ? QPointF(g.textWidth, g.height) : QPointF(g.width, g.stripHeight);
    default:
        return QPointF();
    }
}

void ColorPen::apply(QPen &pen, int colorMode, const QColor &textColor, const Geometry &g)
{
    if (colorMode == 0) {
        pen.setBrush(QBrush(textColor));
        return;
    }
    if (colorMode < 0 || colorMode > 5)
        return;
    QLinearGradient gradient(gradientStart(colorMode, g), gradientEnd(colorMode, g));
    gradient.setStops(stops(colorMode));
    pen.setBrush(QBrush(gradient));
}
