#include "windowpreset.h"

QRect WindowPreset::apply(Preset preset, const QRect &window, const QSize &display)
{
    int x = window.x();
    int y = window.y();
    int w = window.width();
    int h = window.height();
    const int W = display.width();
    const int H = display.height();
    switch (preset) {
    case Center:
        x = (W - w) / 2;
        y = (H - h) / 2;
        break;
    case CenterHorizontally:
        x = (W - w) / 2;
        break;
    case CenterVertically:
        y = (H - h) / 2;
        break;
    case Left:
        x = 0;
        break;
    case Right:
        x = W - w;
        break;
    case Top:
        y = 0;
        break;
    case Bottom:
        y = H - h;
        break;
    case FullScreen:
        x = 0;
        y = 0;
        w = W;
        h = H;
        break;
    case HorizontalFull:
        x = 0;
        w = W;
        break;
    case HorizontalHalf:
        x = 0;
        w = W / 2;
        break;
    case HorizontalThird:
        x = 0;
        w = W / 3;
        break;
    case HorizontalQuarter:
        x = 0;
        w = W / 4;
        break;
    case VerticalFull:
        y = 0;
        h = H;
        break;
    case VerticalHalf:
        y = 0;
        h = H / 2;
        break;
    case VerticalThird:
        y = 0;
        h = H / 3;
        break;
    case VerticalQuarter:
        y = 0;
        h = H / 4;
        break;
    }
    // A window wider or taller than its display window would be centred or aligned to a
    // negative position, where its left or top part never shows: it starts at the edge instead.
    if (preset == Center || preset == CenterHorizontally || preset == Right)
        x = qMax(0, x);
    if (preset == Center || preset == CenterVertically || preset == Bottom)
        y = qMax(0, y);
    return QRect(x, y, w, h);
}
