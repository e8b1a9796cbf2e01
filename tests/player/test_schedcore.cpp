#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/displayschedule.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "player/pagerules.h"
#include "player/secondtracker.h"
#include "player/segmentrules.h"

#include <QtTest>

#include <limits>
#include <memory>

using namespace SegmentRules;

namespace {
// 2024-03-04 is a Monday.
const QDate monday(2024, 3, 4);

QDateTime at(const QDate &day, int h, int m, int s = 0, int ms = 0)
{
    return QDateTime(day, QTime(h, m, s, ms));
}

GeneralObject *general(const QString &name, QTime from = QTime(), QTime to = QTime())
{
    auto *g = new GeneralObject;
    g->name = name;
    if (from.isValid()) {
        g->allDay = false;
        g->fromTime = from;
        g->toTime = to;
    }
    // Something to show: a segment with nothing is never eligible.
    auto *page = new ProgramObject;
    page->name = name + QStringLiteral("1");
    page->segmentName = name;
    auto *window = new CommonWinObject;
    window->programName = page->name;
    window->media.append(new LumoraMediaObject);
    page->windows.append(window);
    g->programs.append(page);
    return g;
}

TimePoint *point(QTime time, QStringList days = Weekdays::all())
{
    auto *p = new TimePoint;
    p->time = time;
    p->weekdays = days;
    return p;
}
} // namespace

class TestSchedCore : public QObject
{
    Q_OBJECT

private slots:
    // --- eligibility: date, weekday, time of day ---
    void dateRangeIsInclusiveAndIgnoredWhenNotSpecified()
    {
        const QDate from(2024, 3, 1), to(2024, 3, 4);
        QVERIFY(dateAllows(true, from, to, from));
        QVERIFY(dateAllows(true, from, to, to));
        QVERIFY(!dateAllows(true, from, to, to.addDays(1)));
        QVERIFY(!dateAllows(true, from, to, from.addDays(-1)));
        QVERIFY(dateAllows(false, from, to, to.addDays(100)));
        // A range with a missing end is not a range at all.
        QVERIFY(!dateAllows(true, from, QDate(), monday));
    }

    void weekdaysAreExactEnglishNames()
    {
        QVERIFY(weekdayAllows({"Monday"}, monday));
        QVERIFY(!weekdayAllows({"monday"}, monday));
        QVERIFY(!weekdayAllows({"Montag", "星期一"}, monday));
        QVERIFY(weekdayAllows({"Sunday"}, monday.addDays(6)));
        QVERIFY(!weekdayAllows({}, monday));
    }

    void timeWindowBothEndsInclusiveToTheMillisecond()
    {
        const QTime from(9, 0), to(10, 0);
        QVERIFY(timeAllows(false, from, to, QTime(9, 0)));
        QVERIFY(timeAllows(false, from, to, QTime(10, 0)));
        QVERIFY(!timeAllows(false, from, to, QTime(10, 0, 0, 1)));
        QVERIFY(!timeAllows(false, from, to, QTime(8, 59, 59, 999)));
        QVERIFY(!timeAllows(false, from, to, QTime(10, 0), TimeEnd::Exclusive));
        QVERIFY(timeAllows(false, from, to, QTime(9, 59, 59, 999), TimeEnd::Exclusive));
    }

    void allDayIgnoresTheTimesAndAWindowAcrossMidnightNeverMatches()
    {
        QVERIFY(timeAllows(true, QTime(9, 0), QTime(10, 0), QTime(23, 0)));
        QVERIFY(!timeAllows(false, QTime(22, 0), QTime(2, 0), QTime(23, 0)));
        QVERIFY(!timeAllows(false, QTime(22, 0), QTime(2, 0), QTime(1, 0)));
        QVERIFY(!timeAllows(false, QTime(), QTime(), QTime(1, 0)));
    }

    void segmentNeedsAllThreeTests()
    {
        std::unique_ptr<GeneralObject> g(general("g", QTime(9, 0), QTime(17, 0)));
        g->weekdays = QStringList{"Monday", "Tuesday"};
        g->specifiedDate = true;
        g->fromDate = monday;
        g->toDate = monday.addDays(7);
        QVERIFY(isEligible(*g, at(monday, 12, 0)));
        QVERIFY(!isEligible(*g, at(monday, 18, 0)));             // time
        QVERIFY(!isEligible(*g, at(monday.addDays(2), 12, 0)));  // Wednesday
        QVERIFY(!isEligible(*g, at(monday.addDays(14), 12, 0))); // after the range
        g->specifiedDate = false;
        QVERIFY(isEligible(*g, at(monday.addDays(14), 12, 0)));
        // Nothing to show: never, whatever the time.
        QList<LumoraMediaObject *> &items = g->programs.first()->windows.first()->media;
        qDeleteAll(items);
        items.clear();
        QVERIFY(!isEligible(*g, at(monday.addDays(14), 12, 0)));

        CycleObject c;
        c.allDay = false;
        c.fromTime = QTime(8, 0);
        c.toTime = QTime(9, 0);
        QVERIFY(isEligible(c, at(monday, 8, 30)));
        QVERIFY(!isEligible(c, at(monday, 9, 30)));
    }

    // --- which general segment wins ---
    void theLatestEligibleSegmentWins()
    {
        QList<GeneralObject *> list{general("a"), general("b", QTime(10, 0), QTime(11, 0)),
                                    general("c", QTime(20, 0), QTime(21, 0))};
        QCOMPARE(latestEligible(list, at(monday, 10, 30)), 1);
        QCOMPARE(latestEligible(list, at(monday, 12, 0)), 0);
        QCOMPARE(latestEligible(list, at(monday, 20, 0)), 2);
        QCOMPARE(latestEligible({}, at(monday, 20, 0)), -1);
        qDeleteAll(list);
    }

    void preemptionLooksOnlyAboveTheActiveOneWithAnExclusiveEnd()
    {
        QList<GeneralObject *> list{general("a"), general("b", QTime(10, 0), QTime(11, 0)), general("c")};
        QCOMPARE(preemptingSegment(list, 0, at(monday, 10, 30)), 2);
        list[2]->weekdays.clear();
        QCOMPARE(preemptingSegment(list, 0, at(monday, 10, 30)), 1);
        QCOMPARE(preemptingSegment(list, 0, at(monday, 11, 0)), -1);
        QCOMPARE(preemptingSegment(list, 1, at(monday, 10, 30)), -1);
        qDeleteAll(list);
    }

    void fallbackSkipsTheLastSegment()
    {
        QList<GeneralObject *> list{general("a", QTime(8, 0), QTime(9, 0)), general("b"), general("c")};
        QCOMPARE(fallbackSegment(list, at(monday, 12, 0)), 1);
        QCOMPARE(fallbackSegment(list, at(monday, 8, 30)), 1);
        list[1]->weekdays.clear();
        QCOMPARE(fallbackSegment(list, at(monday, 8, 30)), 0);
        QCOMPARE(fallbackSegment(list, at(monday, 12, 0)), -1);
        QCOMPARE(fallbackSegment(list.mid(2), at(monday, 12, 0)), -1);
        qDeleteAll(list);
    }

    // --- time points ---
    void aTimePointFiresInItsOwnSecondOnItsDays()
    {
        TimingObject t;
        t.timePoints << point(QTime(12, 30), {"Monday"}) << point(QTime(12, 30), {"Tuesday"});
        const qint64 s1230 = SecondTracker::localSecond(at(monday, 12, 30, 0, 999));
        QCOMPARE(timePointAt(t, s1230), 0);
        QCOMPARE(timePointAt(t, s1230 - 1), -1);
        QCOMPARE(timePointAt(t, s1230 + 1), -1);
        QCOMPARE(timePointAt(t, s1230 + 86400), 1);
        QCOMPARE(timePointAt(t, s1230 + 2 * 86400), -1);
    }

    void aTimePointWithoutDaysOrOutsideItsDatesNeverFires()
    {
        TimingObject t;
        t.timePoints << point(QTime(12, 30), {});
        const qint64 s = SecondTracker::localSecond(at(monday, 12, 30));
        QCOMPARE(timePointAt(t, s), -1);
        t.timePoints[0]->weekdays = Weekdays::all();
        t.timePoints[0]->specifiedDate = true;
        t.timePoints[0]->fromDate = monday.addDays(1);
        t.timePoints[0]->toDate = monday.addDays(3);
        QCOMPARE(timePointAt(t, s), -1);
        QCOMPARE(timePointAt(t, s + 86400), 0);
        t.timePoints[0]->time = QTime();
        QCOMPARE(timePointAt(t, s + 86400), -1);
    }

    // --- seconds reached between checks ---
    void onTimeChecksCoverExactlyTheirOwnSecond()
    {
        SecondTracker tracker;
        auto r = tracker.advance(at(monday, 12, 29, 59, 400));
        QCOMPARE(r.size(), 1);
        r = tracker.advance(at(monday, 12, 30, 0, 400));
        QCOMPARE(r.size(), 1);
        QCOMPARE(SecondTracker::secondOfDay(r.first), 12 * 3600 + 30 * 60);
    }

    void aLateCheckCoversTheSkippedSeconds()
    {
        SecondTracker tracker;
        tracker.advance(at(monday, 12, 29, 59, 400));
        const auto r = tracker.advance(at(monday, 12, 30, 1, 100)); // 1.7 s late
        QCOMPARE(r.size(), 2);
        QCOMPARE(SecondTracker::secondOfDay(r.first), 12 * 3600 + 30 * 60);
    }

    void aSecondIsNeverCoveredTwice()
    {
        SecondTracker tracker;
        tracker.advance(at(monday, 12, 30, 0, 100));
        QVERIFY(tracker.advance(at(monday, 12, 30, 0, 900)).isEmpty());
        // The clock is set back two seconds: nothing until it passes 12:30:00 again.
        QVERIFY(tracker.advance(at(monday, 12, 29, 58, 900)).isEmpty());
        QVERIFY(tracker.advance(at(monday, 12, 30, 0, 0)).isEmpty());
        QCOMPARE(tracker.advance(at(monday, 12, 30, 1, 0)).size(), 1);
    }

    void aJumpOfMoreThanAMinuteResynchronises()
    {
        SecondTracker tracker;
        tracker.advance(at(monday, 12, 0));
        auto r = tracker.advance(at(monday, 14, 0));
        QCOMPARE(r.size(), 1);
        QCOMPARE(SecondTracker::secondOfDay(r.first), 14 * 3600);
        r = tracker.advance(at(monday, 13, 0));
        QCOMPARE(r.size(), 1);
        QCOMPARE(SecondTracker::secondOfDay(r.first), 13 * 3600);
        QCOMPARE(tracker.advance(at(monday, 13, 1)).size(), 60);
    }

    void midnightIsSeenOnceEvenWhenTheCheckIsLate()
    {
        SecondTracker tracker;
        tracker.advance(at(monday, 23, 59, 59, 500));
        auto r = tracker.advance(at(monday.addDays(1), 0, 0, 1, 800));
        QVERIFY(r.containsMidnight());
        QCOMPARE(SecondTracker::dateOf(r.first), monday.addDays(1));
        QVERIFY(!tracker.advance(at(monday.addDays(1), 0, 0, 2, 800)).containsMidnight());
        SecondTracker fresh;
        QVERIFY(fresh.advance(at(monday, 0, 0, 0, 300)).containsMidnight());
        QVERIFY(!fresh.advance(at(monday, 23, 59, 59)).containsMidnight());
    }

    void rewindMakesLaterSecondsUnseenAgain()
    {
        SecondTracker tracker;
        tracker.advance(at(monday, 0, 0, 0, 200));
        tracker.rewindTo(SecondTracker::localSecond(at(monday, 0, 0)) - 1);
        const auto r = tracker.advance(at(monday, 0, 0, 3, 0));
        QCOMPARE(r.size(), 4);
        tracker.reset();
        QVERIFY(!tracker.hasHistory());
    }

    // --- page advance ---
    void aPageByTimesAdvancesAfterItsPasses()
    {
        PageRules::GeneralStep s = PageRules::afterGeneralPass(0, 0, 2, ProgramObject::ByTimes, 3);
        QCOMPARE(s.index, 0);
        QCOMPARE(s.playCount, 1);
        QVERIFY(!s.advanced);
        s = PageRules::afterGeneralPass(0, 2, 2, ProgramObject::ByTimes, 3);
        QCOMPARE(s.index, 1);
        QCOMPARE(s.playCount, 0);
        QVERIFY(s.advanced);
        s = PageRules::afterGeneralPass(1, 0, 2, ProgramObject::ByTimes, 1);
        QCOMPARE(s.index, 0);
        QVERIFY(s.advanced);
    }

    void aPageWithZeroTimesStillAdvances()
    {
        const auto s = PageRules::afterGeneralPass(0, 0, 2, ProgramObject::ByTimes, 0);
        QCOMPARE(s.index, 1);
    }

    void pagesByLengthAndLoopStayAtTheEndOfAPass()
    {
        for (int mode : {int(ProgramObject::ByLength), int(ProgramObject::Loop)}) {
            const auto s = PageRules::afterGeneralPass(1, 0, 3, mode, 1);
            QCOMPARE(s.index, 1);
            QCOMPARE(s.playCount, 0);
            QVERIFY(!s.advanced);
        }
        QCOMPARE(PageRules::afterGeneralPass(0, 0, 0, ProgramObject::ByTimes, 1).index, 0);
    }

    void lengthExpiryWraps()
    {
        QCOMPARE(PageRules::afterLengthExpiry(0, 3), 1);
        QCOMPARE(PageRules::afterLengthExpiry(2, 3), 0);
        QCOMPARE(PageRules::afterLengthExpiry(0, 1), 0);
        QCOMPARE(PageRules::afterLengthExpiry(0, 0), 0);
    }

    void anInsertByTimesIsOverAfterItsLastPage()
    {
        auto s = PageRules::afterInsertPass(0, 3, true);
        QCOMPARE(s.index, 1);
        QVERIFY(!s.over);
        s = PageRules::afterInsertPass(2, 3, true);
        QVERIFY(s.over);
        QCOMPARE(s.index, 0);
        s = PageRules::afterInsertPass(2, 3, false);
        QVERIFY(!s.over);
        QCOMPARE(s.index, 0);
    }

    // --- amounts ---
    void lengthsAndDurations()
    {
        QCOMPARE(PageRules::lengthMsecs(QTime(0, 6, 0)), 360000);
        QCOMPARE(PageRules::lengthMsecs(QTime(1, 2, 3, 900)), 3723000);
        QCOMPARE(PageRules::lengthMsecs(QTime()), 0);
        QCOMPARE(PageRules::pageLengthMsecs(QTime(0, 0, 0)), 1000);
        QCOMPARE(PageRules::pageLengthMsecs(QTime(0, 0, 20)), 20000);
        QCOMPARE(PageRules::insertDurationMsecs(5, 0), 300000);
        QCOMPARE(PageRules::insertDurationMsecs(0, 0), 0);
        QCOMPARE(PageRules::insertDurationMsecs(-3, 10), 10000);
        QCOMPARE(PageRules::cycleIntervalMsecs(30), 1800000);
        QCOMPARE(PageRules::cycleIntervalMsecs(0), 60000);
        QCOMPARE(PageRules::cycleIntervalMsecs(std::numeric_limits<int>::max()),
                 std::numeric_limits<int>::max());
    }

    // --- pages, windows and media ---
    void pagesAndWindowsAreMatchedByName()
    {
        GeneralObject g;
        g.name = "Morning";
        auto *p1 = new ProgramObject;
        p1->name = "P1";
        p1->segmentName = "Morning";
        auto *stray = new ProgramObject;
        stray->name = "P2";
        stray->segmentName = "Evening";
        g.programs << p1 << stray;
        QCOMPARE(pagesOf(g), QList<ProgramObject *>{p1});

        auto *w1 = new CommonWinObject;
        w1->programName = "P1";
        w1->displayWindowName = "D1";
        auto *otherDisplay = new CommonWinObject;
        otherDisplay->programName = "P1";
        otherDisplay->displayWindowName = "D2";
        auto *otherPage = new CommonWinObject;
        otherPage->programName = "P9";
        otherPage->displayWindowName = "D1";
        p1->windows << w1 << otherDisplay << otherPage;
        QCOMPARE(windowsOf(*p1, "D1"), QList<CommonWinObject *>{w1});
    }

    void mediaAreCountedAcrossAllThreeKinds()
    {
        DisplaySchedule schedule;
        QCOMPARE(mediaCount(schedule), 0);
        auto addPage = [](QList<ProgramObject *> &programs, int items) {
            auto *p = new ProgramObject;
            auto *w = new CommonWinObject;
            for (int i = 0; i < items; ++i)
                w->media << new LumoraMediaObject;
            p->windows << w;
            programs << p;
        };
        schedule.generalSegments << new GeneralObject;
        addPage(schedule.generalSegments[0]->programs, 0);
        QCOMPARE(mediaCount(schedule), 0);
        QVERIFY(!holdsMedia(schedule.generalSegments[0]->programs));
        schedule.cycleSegments << new CycleObject;
        addPage(schedule.cycleSegments[0]->programs, 2);
        schedule.timingSegments << new TimingObject;
        addPage(schedule.timingSegments[0]->programs, 1);
        QCOMPARE(mediaCount(schedule), 3);
        QVERIFY(holdsMedia(schedule.cycleSegments[0]->programs));
    }
};

QTEST_APPLESS_MAIN(TestSchedCore)
#include "test_schedcore.moc"
