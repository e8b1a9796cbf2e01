#pragma once

#include <QString>

struct BackgroundProperties;

// How a renderer's background is drawn under the clocks, the count timer and the
// weather panel: as a style sheet, or (for an unknown picture style) as the play
// window's own unscaled picture.
struct BackgroundStyle
{
    QString styleSheet;
    QString picturePath; // non-empty: show this picture unscaled instead of a style
};

BackgroundStyle backgroundRule(const BackgroundProperties &background);
