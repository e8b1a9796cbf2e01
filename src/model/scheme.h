#pragma once

#include "displayschedule.h"
#include "playwinobject.h"

#include <memory>
#include <vector>

// A whole scheme held outside the GUI: the display-window counter and, in order, every
// display window with its three segment lists. The file reader fills one; the main
// window takes the records over from it once a file has been read completely.
class Scheme
{
public:
    struct DisplayWindow
    {
        PlayWinObject window;
        DisplaySchedule schedule;
    };

    Scheme() = default;
    Scheme(Scheme &&) noexcept = default;
    Scheme &operator=(Scheme &&) noexcept = default;
    Scheme(const Scheme &) = delete;
    Scheme &operator=(const Scheme &) = delete;

    // Appends an empty display window and returns it.
    DisplayWindow &addDisplayWindow();
    void clear();
    // Media items over every display window, segment, program and window.
    int mediaCount() const;

    qint32 displayWindowCounter = 0; // as stored; never decremented
    std::vector<std::unique_ptr<DisplayWindow>> displayWindows;
};
