#include "scheme.h"

#include "commonwinobject.h"
#include "cycleobject.h"
#include "generalobject.h"
#include "programobject.h"
#include "timingobject.h"

Scheme::DisplayWindow &Scheme::addDisplayWindow()
{
    displayWindows.push_back(std::make_unique<DisplayWindow>());
    return *displayWindows.back();
}

void Scheme::clear()
{
    displayWindowCounter = 0;
    displayWindows.clear();
}

namespace {

int mediaIn(const QList<ProgramObject *> &programs)
{
    int count = 0;
    for (const ProgramObject *program : programs) {
        for (const CommonWinObject *window : program->windows)
            count += window->media.size();
    }
    return count;
}

} // namespace

int Scheme::mediaCount() const
{
    int count = 0;
    for (const auto &entry : displayWindows) {
        for (const GeneralObject *segment : entry->schedule.generalSegments)
            count += mediaIn(segment->programs);
        for (const CycleObject *segment : entry->schedule.cycleSegments)
            count += mediaIn(segment->programs);
        for (const TimingObject *segment : entry->schedule.timingSegments)
            count += mediaIn(segment->programs);
    }
    return count;
}
