#pragma once

#include "model/commonwinobject.h"
#include "model/generalobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "scriptedwidget.h"

#include <QColor>
#include <QImage>

// A picture file written at test time; empty when it could not be written.
inline QString writePicture(const QString &path, const QColor &colour)
{
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path) ? path : QString();
}

// Adds a display window at `area` whose one page has two windows, side by side, each
// showing `picture` for `seconds`.
inline void addPictureDisplay(Scheme &scheme, const QString &name, const QRect &area, const QString &picture,
                              int seconds)
{
    Scheme::DisplayWindow &dw = scheme.addDisplayWindow();
    dw.window.name = name;
    dw.window.x = area.x();
    dw.window.y = area.y();
    dw.window.width = area.width();
    dw.window.height = area.height();
    dw.window.onTopMode = 1;
    auto *segment = new GeneralObject;
    segment->name = QStringLiteral("General Segment1");
    segment->displayWindowName = name;
    auto *page = new ProgramObject;
    page->name = QStringLiteral("Program1");
    page->segmentName = segment->name;
    page->displayWindowName = name;
    for (int i = 0; i < 2; ++i) {
        auto *window = new CommonWinObject;
        window->name = QStringLiteral("Common Window%1").arg(i + 1);
        window->segmentKind = QStringLiteral("generalSegment");
        window->displayWindowName = name;
        window->segmentName = segment->name;
        window->programName = page->name;
        window->x = i * area.width() / 2;
        window->y = 0;
        window->width = area.width() / 2;
        window->height = area.height();
        addPicture(window, picture, seconds);
        page->windows << window;
    }
    segment->programs << page;
    dw.schedule.generalSegments << segment;
}
