#pragma once

#include <QRect>
#include <QSize>

// The window menu's position and size presets: where a window of a display window goes.
// Integer arithmetic throughout, divisions truncated toward zero.
class WindowPreset
{
public:
    enum Preset {
        Center,
        CenterHorizontally,
        CenterVertically,
        Left,
        Right,
        Top,
        Bottom,
        FullScreen,
        HorizontalFull,
        HorizontalHalf,
        HorizontalThird,
        HorizontalQuarter,
        VerticalFull,
        VerticalHalf,
        VerticalThird,
        VerticalQuarter,
    };
    static constexpr int PositionCount = 7;
    static constexpr int SizeCount = 9;

    // `window` (x, y, width, height relative to the display window) after the preset, on a
    // display window of `display` size. Fields a preset does not name stay as they were; a
    // position a preset names is never negative.
    static QRect apply(Preset preset, const QRect &window, const QSize &display);
};
