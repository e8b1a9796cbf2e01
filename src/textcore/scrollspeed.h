#pragma once

// The scrolling speeds of moving text, and where a ticker stands after some time.
//
// The table is defined as "a step of n pixels every m ms" (speed 3: 1 pixel per 16 ms,
// speed 10 with a font of 48 points or more: 4 pixels per 2 ms). The ticker does not depend
// on a timer firing that often: the position is computed from the elapsed time, as the
// number of whole table ticks that have passed, so the speed in pixels per second is the
// table's exactly whatever the frame rate.
class ScrollSpeed
{
public:
    // Table tick in ms for roll speed 1..10; -1 for any other speed (no scrolling).
    static int tickInterval(int speed);
    // Pixels per table tick. Right to left (direction 0) moves 2, 3, 4 pixels for speeds
    // 8, 9, 10 with a font of 48 points or more; everything else moves 1 pixel.
    static int step(int speed, int fontSize, int direction);
    // step * 1000 / tickInterval; 0 when the speed does not scroll.
    static double pixelsPerSecond(int speed, int fontSize, int direction);

    // The moving text of one scrolling item.
    struct Track
    {
        int direction = 0;     // 0 right to left, 1 left to right
        int rendererWidth = 0; // W
        int textWidth = 0;     // T
        int fontSize = 0;      // F (points, used as pixels like the strip)
        int speed = 5;

        // x where the text starts: W for right to left, -T for left to right.
        int startX() const;
        // Table ticks from one start to the next wrap: right to left the text wraps on
        // the tick that takes x below -(T + F), left to right above W + F.
        int ticksPerPass() const;
        // x after `ticks` table ticks (wrapping back to startX() at every pass).
        int xAfterTicks(long long ticks) const;
        // Table ticks after `elapsedMs`; 0 when the speed does not scroll.
        long long ticksAfter(long long elapsedMs) const;
        // Milliseconds from the start to the first wrap; -1 when the speed does not scroll.
        long long msToFirstWrap() const;
    };
};
