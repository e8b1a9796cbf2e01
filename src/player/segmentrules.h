#pragma once

#include <QDateTime>
#include <QList>
#include <QStringList>

class CommonWinObject;
class CycleObject;
class DisplaySchedule;
class GeneralObject;
class ProgramObject;
class TimePoint;
class TimingObject;

// Which segment may play at a given moment, and which pages and windows belong to it.
namespace SegmentRules {

// The pre-emption scan treats the end of a time window as exclusive, every other test as
// inclusive.
enum class TimeEnd { Inclusive, Exclusive };

// When `specifiedDate` is set, from <= today <= to (a missing end never matches).
bool dateAllows(bool specifiedDate, const QDate &from, const QDate &to, const QDate &today);
// Today's English day name is in `weekdays`, compared case-sensitively.
bool weekdayAllows(const QStringList &weekdays, const QDate &today);
// `allDay`, or from <= now <= to to the millisecond; a window crossing midnight never matches.
bool timeAllows(bool allDay, const QTime &from, const QTime &to, const QTime &now,
                TimeEnd end = TimeEnd::Inclusive);

// A general segment with nothing to show in any page is never eligible: it would hold the
// screen dark, so the one below it plays instead.
bool isEligible(const GeneralObject &segment, const QDateTime &now, TimeEnd end = TimeEnd::Inclusive);
bool isEligible(const CycleObject &segment, const QDateTime &now, TimeEnd end = TimeEnd::Inclusive);

// The eligible general segment latest in tree order, or -1.
int latestEligible(const QList<GeneralObject *> &segments, const QDateTime &now);
// The latest segment after `currentIndex` that is eligible with an exclusive end, or -1.
int preemptingSegment(const QList<GeneralObject *> &segments, int currentIndex, const QDateTime &now);
// Scan from the second-to-last segment down to the first; -1 when none is eligible.
int fallbackSegment(const QList<GeneralObject *> &segments, const QDateTime &now);

// Date range and weekday of a time point on `day` (its time of day is not looked at).
bool timePointApplies(const TimePoint &point, const QDate &day);
// The first time point of `segment` that fires in the local second `second`
// (see SecondTracker::localSecond), or -1.
int timePointAt(const TimingObject &segment, qint64 second);

// Pages of a segment: its programs that carry its name.
QList<ProgramObject *> pagesOf(const QString &segmentName, const QList<ProgramObject *> &programs);
QList<ProgramObject *> pagesOf(const GeneralObject &segment);
QList<ProgramObject *> pagesOf(const CycleObject &segment);
QList<ProgramObject *> pagesOf(const TimingObject &segment);
// Windows of a page that belong to it and to the display window `displayName`.
QList<CommonWinObject *> windowsOf(const ProgramObject &page, const QString &displayName);

// Media items in all windows of all pages of all segments.
int mediaCount(const DisplaySchedule &schedule);
// Whether any window of `pages` holds a media item.
bool holdsMedia(const QList<ProgramObject *> &pages);
// The pages with something to show on `displayName`: a page whose windows are all empty would
// never end its pass, so it is passed over.
QList<ProgramObject *> playablePages(const QList<ProgramObject *> &pages, const QString &displayName);

} // namespace SegmentRules
