#pragma once

#include <QImage>

// Where the pages of an office item come from (its cached PDF). page() draws one page and
// may take a while: call it off the GUI thread. Safe to call from several threads at once.
class OfficePageSource
{
public:
    virtual ~OfficePageSource() = default;
    virtual int count() const = 0;
    // Null when the page cannot be drawn.
    virtual QImage page(int index) const = 0;
};
