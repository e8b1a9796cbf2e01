#include "commonwinobject.h"
#include "cycleobject.h"
#include "displayschedule.h"
#include "generalobject.h"
#include "lumoramediaobject.h"
#include "programobject.h"
#include "timepoint.h"
#include "timingobject.h"

#include <QtAlgorithms>

CommonWinObject::~CommonWinObject()
{
    qDeleteAll(media);
}

ProgramObject::~ProgramObject()
{
    qDeleteAll(windows);
}

GeneralObject::~GeneralObject()
{
    qDeleteAll(programs);
}

CycleObject::~CycleObject()
{
    qDeleteAll(programs);
}

TimingObject::~TimingObject()
{
    qDeleteAll(timePoints);
    qDeleteAll(programs);
}

DisplaySchedule::~DisplaySchedule()
{
    clear();
}

void DisplaySchedule::clear()
{
    qDeleteAll(generalSegments);
    qDeleteAll(cycleSegments);
    qDeleteAll(timingSegments);
    generalSegments.clear();
    cycleSegments.clear();
    timingSegments.clear();
}

void DisplaySchedule::swap(DisplaySchedule &other) noexcept
{
    generalSegments.swap(other.generalSegments);
    cycleSegments.swap(other.cycleSegments);
    timingSegments.swap(other.timingSegments);
}

QList<ProgramObject *> DisplaySchedule::allPrograms() const
{
    QList<ProgramObject *> pages;
    for (const GeneralObject *segment : generalSegments)
        pages << segment->programs;
    for (const CycleObject *segment : cycleSegments)
        pages << segment->programs;
    for (const TimingObject *segment : timingSegments)
        pages << segment->programs;
    return pages;
}
