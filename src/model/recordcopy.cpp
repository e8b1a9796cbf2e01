#include "recordcopy.h"

#include "commonwinobject.h"
#include "cycleobject.h"
#include "generalobject.h"
#include "lumoramediaobject.h"
#include "programobject.h"
#include "timepoint.h"
#include "timingobject.h"

namespace {
QList<ProgramObject *> copyPages(const QList<ProgramObject *> &pages)
{
    QList<ProgramObject *> copies;
    for (const ProgramObject *page : pages)
        copies << RecordCopy::copyOf(*page);
    return copies;
}
} // namespace

LumoraMediaObject *RecordCopy::copyOf(const LumoraMediaObject &media)
{
    return new LumoraMediaObject(media);
}

TimePoint *RecordCopy::copyOf(const TimePoint &point)
{
    return new TimePoint(point);
}

CommonWinObject *RecordCopy::copyOf(const CommonWinObject &window)
{
    auto *copy = new CommonWinObject;
    copy->name = window.name;
    copy->programName = window.programName;
    copy->segmentName = window.segmentName;
    copy->displayWindowName = window.displayWindowName;
    copy->segmentKind = window.segmentKind;
    copy->frameEnabled = window.frameEnabled;
    copy->frameWidth = window.frameWidth;
    copy->frameColor = window.frameColor;
    copy->x = window.x;
    copy->y = window.y;
    copy->width = window.width;
    copy->height = window.height;
    for (const LumoraMediaObject *media : window.media)
        copy->media << copyOf(*media);
    return copy;
}

ProgramObject *RecordCopy::copyOf(const ProgramObject &page)
{
    auto *copy = new ProgramObject;
    copy->name = page.name;
    copy->segmentName = page.segmentName;
    copy->displayWindowName = page.displayWindowName;
    copy->backgroundColor = page.backgroundColor;
    copy->backgroundImage = page.backgroundImage;
    copy->backgroundDisplayType = page.backgroundDisplayType;
    copy->backgroundMusic = page.backgroundMusic;
    copy->playMode = page.playMode;
    copy->playTimes = page.playTimes;
    copy->playLength = page.playLength;
    copy->windowCounter = page.windowCounter;
    for (const CommonWinObject *window : page.windows)
        copy->windows << copyOf(*window);
    return copy;
}

GeneralObject *RecordCopy::copyOf(const GeneralObject &segment)
{
    auto *copy = new GeneralObject;
    copy->name = segment.name;
    copy->displayWindowName = segment.displayWindowName;
    copy->specifiedDate = segment.specifiedDate;
    copy->fromDate = segment.fromDate;
    copy->toDate = segment.toDate;
    copy->weekdays = segment.weekdays;
    copy->allDay = segment.allDay;
    copy->fromTime = segment.fromTime;
    copy->toTime = segment.toTime;
    copy->programCounter = segment.programCounter;
    copy->programs = copyPages(segment.programs);
    return copy;
}

CycleObject *RecordCopy::copyOf(const CycleObject &segment)
{
    auto *copy = new CycleObject;
    copy->name = segment.name;
    copy->displayWindowName = segment.displayWindowName;
    copy->playEvery = segment.playEvery;
    copy->playMode = segment.playMode;
    copy->playMinutes = segment.playMinutes;
    copy->playSeconds = segment.playSeconds;
    copy->playTimes = segment.playTimes;
    copy->specifiedDate = segment.specifiedDate;
    copy->fromDate = segment.fromDate;
    copy->toDate = segment.toDate;
    copy->weekdays = segment.weekdays;
    copy->allDay = segment.allDay;
    copy->fromTime = segment.fromTime;
    copy->toTime = segment.toTime;
    copy->programCounter = segment.programCounter;
    copy->programs = copyPages(segment.programs);
    return copy;
}

TimingObject *RecordCopy::copyOf(const TimingObject &segment)
{
    auto *copy = new TimingObject;
    copy->name = segment.name;
    copy->displayWindowName = segment.displayWindowName;
    // Points are owned by their segment: each copy gets its own.
    for (const TimePoint *point : segment.timePoints)
        copy->timePoints << copyOf(*point);
    copy->playMode = segment.playMode;
    copy->playMinutes = segment.playMinutes;
    copy->playSeconds = segment.playSeconds;
    copy->playTimes = segment.playTimes;
    copy->programCounter = segment.programCounter;
    copy->programs = copyPages(segment.programs);
    return copy;
}

QList<CommonWinObject *> RecordCopy::windowsOf(const QList<ProgramObject *> &pages)
{
    QList<CommonWinObject *> windows;
    for (const ProgramObject *page : pages)
        windows << page->windows;
    return windows;
}

QList<LumoraMediaObject *> RecordCopy::mediaOf(const QList<ProgramObject *> &pages)
{
    QList<LumoraMediaObject *> media;
    for (const CommonWinObject *window : windowsOf(pages))
        media << window->media;
    return media;
}
