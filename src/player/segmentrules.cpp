#include "segmentrules.h"

#include <algorithm>

#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/displayschedule.h"
#include "model/generalobject.h"
#include "model/programobject.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "model/weekdays.h"
#include "secondtracker.h"

namespace SegmentRules {

bool dateAllows(bool specifiedDate, const QDate &from, const QDate &to, const QDate &today)
{
    if (!specifiedDate)
        return true;
    if (!from.isValid() || !to.isValid())
        return false;
    return from <= today && today <= to;
}

bool weekdayAllows(const QStringList &weekdays, const QDate &today)
{
    return weekdays.contains(Weekdays::nameOf(today.dayOfWeek()), Qt::CaseSensitive);
}

bool timeAllows(bool allDay, const QTime &from, const QTime &to, const QTime &now, TimeEnd end)
{
    if (allDay)
        return true;
    if (!from.isValid() || !to.isValid())
        return false;
    if (now < from)
        return false;
    return end == TimeEnd::Inclusive ? now <= to : now < to;
}

namespace {
template<typename Segment> bool eligible(const Segment &s, const QDateTime &now, TimeEnd end)
{
    const QDate today = now.date();
    return dateAllows(s.specifiedDate, s.fromDate, s.toDate, today) && weekdayAllows(s.weekdays, today) &&
           timeAllows(s.allDay, s.fromTime, s.toTime, now.time(), end);
}
} // namespace

bool isEligible(const GeneralObject &segment, const QDateTime &now, TimeEnd end)
{
    return eligible(segment, now, end) && holdsMedia(pagesOf(segment));
}

bool isEligible(const CycleObject &segment, const QDateTime &now, TimeEnd end)
{
    return eligible(segment, now, end);
}

int latestEligible(const QList<GeneralObject *> &segments, const QDateTime &now)
{
    for (int i = segments.size() - 1; i >= 0; --i) {
        if (isEligible(*segments.at(i), now))
            return i;
    }
    return -1;
}

int preemptingSegment(const QList<GeneralObject *> &segments, int currentIndex, const QDateTime &now)
{
    for (int i = segments.size() - 1; i > currentIndex; --i) {
        if (isEligible(*segments.at(i), now, TimeEnd::Exclusive))
            return i;
    }
    return -1;
}

int fallbackSegment(const QList<GeneralObject *> &segments, const QDateTime &now)
{
    for (int i = segments.size() - 2; i >= 0; --i) {
        if (isEligible(*segments.at(i), now))
            return i;
    }
    return -1;
}

bool timePointApplies(const TimePoint &point, const QDate &day)
{
    return dateAllows(point.specifiedDate, point.fromDate, point.toDate, day) &&
           weekdayAllows(point.weekdays, day);
}

int timePointAt(const TimingObject &segment, qint64 second)
{
    const int secondOfDay = SecondTracker::secondOfDay(second);
    const QDate day = SecondTracker::dateOf(second);
    for (int i = 0; i < segment.timePoints.size(); ++i) {
        const TimePoint *point = segment.timePoints.at(i);
        // Points are set to the second; milliseconds of a stored time do not matter.
        if (point->time.isValid() && point->time.msecsSinceStartOfDay() / 1000 == secondOfDay &&
            timePointApplies(*point, day))
            return i;
    }
    return -1;
}

QList<ProgramObject *> pagesOf(const QString &segmentName, const QList<ProgramObject *> &programs)
{
    QList<ProgramObject *> pages;
    for (ProgramObject *page : programs) {
        if (page->segmentName == segmentName)
            pages.append(page);
    }
    return pages;
}

QList<ProgramObject *> pagesOf(const GeneralObject &segment)
{
    return pagesOf(segment.name, segment.programs);
}

QList<ProgramObject *> pagesOf(const CycleObject &segment)
{
    return pagesOf(segment.name, segment.programs);
}

QList<ProgramObject *> pagesOf(const TimingObject &segment)
{
    return pagesOf(segment.name, segment.programs);
}

QList<CommonWinObject *> windowsOf(const ProgramObject &page, const QString &displayName)
{
    QList<CommonWinObject *> windows;
    for (CommonWinObject *window : page.windows) {
        if (window->programName == page.name && window->displayWindowName == displayName)
            windows.append(window);
    }
    return windows;
}

namespace {
int mediaIn(const QList<ProgramObject *> &pages)
{
    int count = 0;
    for (const ProgramObject *page : pages) {
        for (const CommonWinObject *window : page->windows)
            count += window->media.size();
    }
    return count;
}
} // namespace

int mediaCount(const DisplaySchedule &schedule)
{
    int count = 0;
    for (const GeneralObject *s : schedule.generalSegments)
        count += mediaIn(s->programs);
    for (const CycleObject *s : schedule.cycleSegments)
        count += mediaIn(s->programs);
    for (const TimingObject *s : schedule.timingSegments)
        count += mediaIn(s->programs);
    return count;
}

bool holdsMedia(const QList<ProgramObject *> &pages)
{
    return mediaIn(pages) > 0;
}

QList<ProgramObject *> playablePages(const QList<ProgramObject *> &pages, const QString &displayName)
{
    QList<ProgramObject *> playable;
    for (ProgramObject *page : pages) {
        const QList<CommonWinObject *> windows = windowsOf(*page, displayName);
        const bool shows = std::any_of(windows.cbegin(), windows.cend(),
                                       [](const CommonWinObject *window) { return !window->media.isEmpty(); });
        if (shows)
            playable.append(page);
    }
    return playable;
}

} // namespace SegmentRules
