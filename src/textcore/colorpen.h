#pragma once

#include <QColor>
#include <QGradientStops>
#include <QPointF>

class QPen;

// The text pen of the six colour modes, shared by the text renderer, the video cover text
// and the digital clock:
//   0 "None" (solid text colour), 1 "Horizontal gradient(six colors)",
//   2 "Vertical gradient(six colors)", 3 "Angle gradient(six colors)",
//   4 "Three color streamer word", 5 "Rainbow streamer word".
// The gradients are fixed in the widget's coordinates.
class ColorPen
{
public:
    // Where the gradient of a mode runs, in the drawing widget's coordinates.
    struct Geometry
    {
        int height = 0;       // H: the renderer height
        int textWidth = 0;    // T: width of the text in its font
        int width = 0;        // W: the renderer width
        bool endToEnd = true; // vertical mode runs along x = T (true) or x = W (false)
        int stripHeight = 0;  // vertical mode without end to end runs to this height
    };

    static QGradientStops stops(int colorMode);
    // Start and end of the gradient line; both null for mode 0 and unknown modes.
    static QPointF gradientStart(int colorMode, const Geometry &g);
    static QPointF gradientEnd(int colorMode, const Geometry &g);
    // Sets the pen's brush for the mode; an unknown mode leaves the pen unchanged.
    static void apply(QPen &pen, int colorMode, const QColor &textColor, const Geometry &g);
};
