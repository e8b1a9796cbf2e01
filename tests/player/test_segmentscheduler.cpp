#include "playrig.h"

#include <QDir>
#include <QFile>
#include <QMediaPlayer>
#include <QMediaPlaylist>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {
// 2024-03-04 is a Monday.
const QDate monday(2024, 3, 4);
QDateTime at(int h, int m, int s = 0, const QDate &day = monday)
{
    return QDateTime(day, QTime(h, m, s));
}

bool anyStartedOf(const QStringList &started, const QString &prefix)
{
    for (const QString &line : started) {
        if (line.mid(9).startsWith(prefix))
            return true;
    }
    return false;
}

// A short silent 8 kHz mono PCM WAV file.
bool writeWav(const QString &path, int msecs)
{
    const quint32 samples = quint32(8 * msecs);
    QByteArray data;
    auto u32 = [&data](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        data.append(b, 4);
    };
    auto u16 = [&data](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        data.append(b, 2);
    };
    data.append("RIFF");
    u32(36 + samples * 2);
    data.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(16000);
    u16(2);
    u16(16);
    data.append("data");
    u32(samples * 2);
    data.append(QByteArray(int(samples * 2), '\0'));
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}
} // namespace

class TestSegmentScheduler : public QObject
{
    Q_OBJECT

private slots:
    // ------------------------------------------------------------ start, refusal, stop

    void startPlaysTheLastEligibleSegmentAndReportsTheStart()
    {
        PlayRig r(at(12, 0));
        GeneralObject *a = r.build.general("A");
        r.build.page(a, "A1", {10});
        GeneralObject *b = r.build.general("B");
        r.build.page(b, "B1", {10});
        r.press();
        QVERIFY(r.sched.isPlaying());
        QCOMPARE(r.sched.insertState(), Insert::General);
        QCOMPARE(r.sched.currentGeneral(), b);
        QCOMPARE(r.sched.currentGeneralIndex(), 1);
        QCOMPARE(r.host.started, QStringList{"12:00:00 B1.w1"});
        QVERIFY(r.host.log.contains("12:00:00 begin D1"));
        QVERIFY(r.sched.lane(Kind::General).checkTimer->isActive());
        QCOMPARE(r.sched.lane(Kind::General).checkTimer->interval(), 1000);
    }

    void anEmptyScheduleIsRefusedWithTheMessage()
    {
        PlayRig r(at(12, 0));
        QSignalSpy failed(&r.sched, &SegmentScheduler::sigBeginPlayFailed);
        GeneralObject *g = r.build.general("G");
        r.build.page(g, "G1", {0}); // a window without media
        TimingObject *t = r.build.timing("T", {QTime(12, 0, 30)}, 1);
        r.build.page(t, "T1", {0});
        r.press();
        QCOMPARE(failed.count(), 1);
        QCOMPARE(r.host.infoCount, 1);
        QCOMPARE(r.host.infoText, QStringLiteral("info|The schedule is empty,please add program!"));
        QVERIFY(!r.sched.isPlaying());
        QCOMPARE(r.sched.insertState(), Insert::Stopped);
        QVERIFY(!r.sched.lane(Kind::General).checkTimer->isActive());
        // Nothing is left running, so the next start arms the timing check instead of pausing it.
        QVERIFY(!r.sched.lane(Kind::Timing).checkTimer->isActive());
        g->programs.first()->windows.first()->media << new LumoraMediaObject;
        t->programs.first()->windows.first()->media << new LumoraMediaObject;
        r.press();
        QVERIFY(r.sched.isPlaying());
        QVERIFY(r.sched.lane(Kind::Timing).checkTimer->isActive());
        r.advance(31000);
        QCOMPARE(r.sched.insertState(), Insert::TimingInsert);
    }

    void callsForAnotherDisplayWindowAreIgnored()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {10});
        r.build.page(r.build.cycle("C", 1, 1), "C1", {5});
        r.sched.slotStartPlay("D2");
        QVERIFY(!r.sched.isPlaying());
        QVERIFY(!r.sched.lane(Kind::Cycle).started);
        r.press();
        r.sched.slotStopPlay("D2");
        QVERIFY(r.sched.isPlaying());
        const int before = r.host.started.size();
        r.sched.slotCurProgramRealPlayEnd("D2", r.sched.lane(Kind::General).windows.first());
        QCOMPARE(r.host.started.size(), before);
    }

    void stopStopsAllSixTimersAndEmptiesTheState()
    {
        PlayRig r(at(12, 0));
        GeneralObject *g = r.build.general("G");
        ProgramObject *p = r.build.page(g, "G1", {10});
        p->playMode = ProgramObject::ByLength;
        p->playLength = QTime(0, 10, 0);
        CycleObject *c = r.build.cycle("C", 1, 0);
        r.build.page(c, "C1", {5});
        TimingObject *t = r.build.timing("T", {QTime(12, 1, 30)}, 0);
        r.build.page(t, "T1", {5});
        r.press();
        r.advance(60000); // cycle insert running with its duration timer
        QCOMPARE(r.sched.insertState(), Insert::CycleInsert);
        r.advance(30000); // timing insert running with its duration timer
        QCOMPARE(r.sched.insertState(), Insert::TimingInsert);
        r.sched.slotStopPlay("D1");
        for (Kind kind : {Kind::General, Kind::Cycle, Kind::Timing}) {
            QVERIFY(!r.sched.lane(kind).checkTimer->isActive());
            QVERIFY(!r.sched.lane(kind).lengthTimer->isActive());
        }
        QVERIFY(!r.sched.isPlaying());
        QCOMPARE(r.sched.insertState(), Insert::Stopped);
        QVERIFY(r.sched.lane(Kind::General).pages.isEmpty() && r.sched.lane(Kind::Cycle).pages.isEmpty() &&
                r.sched.lane(Kind::Timing).pages.isEmpty());
        QVERIFY(r.host.log.contains("12:01:30 stopAll D1"));
        QVERIFY(r.host.log.contains("12:01:30 notPlaying D1"));
        const int calls = r.host.log.size();
        r.advance(3600 * 1000);
        QCOMPARE(r.host.log.size(), calls);
    }

    void stopWhilePausedStartsFromScratchNextTime()
    {
        PlayRig r(at(12, 0));
        GeneralObject *g = r.build.general("G");
        r.build.page(g, "G1", {10});
        r.build.page(g, "G2", {10});
        r.press();
        r.advance(15000);
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 1);
        r.pausePress();
        QVERIFY(r.sched.isPaused());
        r.sched.slotStopPlay("D1");
        QVERIFY(!r.sched.isPaused());
        r.press();
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 0);
        QCOMPARE(r.host.started.last(), QStringLiteral("12:00:15 G1.w1"));
    }

    // ------------------------------------------------------------ general segments

    void twoEligibleSegmentsTheLaterPlaysAndTheEarlierReturns()
    {
        PlayRig r(at(9, 59, 58));
        r.build.page(r.build.general("A"), "A1", {30});
        r.build.page(r.build.general("B", QTime(9, 0), QTime(10, 0)), "B1", {30});
        r.press();
        QCOMPARE(r.sched.currentGeneral()->name, QStringLiteral("B"));
        r.advance(2000); // 10:00:00.000 is still inside B's window
        QCOMPARE(r.sched.currentGeneral()->name, QStringLiteral("B"));
        r.advance(1000);
        QCOMPARE(r.sched.currentGeneral()->name, QStringLiteral("A"));
        QCOMPARE(r.host.started.last(), QStringLiteral("10:00:01 A1.w1"));
        QVERIFY(r.host.log.contains("10:00:01 invalid generalSegment B1.w1"));
    }

    // Checks run just after each whole second, whatever the phase play was started in, so a
    // segment that opens at 11:00:00 takes over within a few milliseconds of it.
    void aLaterSegmentTakesOverOnItsSecondWhateverThePhaseOfTheStart()
    {
        for (int phase : {0, 1, 250, 500, 994, 999}) {
            PlayRig r(at(10, 59, 58).addMSecs(phase));
            GeneralObject *a = r.build.general("A");
            r.build.page(a, "A1", {300, 200});
            r.build.page(a, "A2", {300});
            r.build.page(r.build.general("B", QTime(11, 0), QTime(12, 0)), "B1", {30});
            r.press();
            QCOMPARE(r.sched.currentGeneral(), a);
            r.advance(r.clock.now().msecsTo(at(11, 0).addMSecs(-1)));
            QCOMPARE(r.sched.currentGeneral(), a);
            r.advance(50);
            QVERIFY2(r.sched.currentGeneral() && r.sched.currentGeneral()->name == QLatin1String("B"),
                     qPrintable(QStringLiteral("phase %1").arg(phase)));
            const QDateTime begun = r.host.startedAt.last();
            QVERIFY2(begun >= at(11, 0) && begun < at(11, 0).addMSecs(50),
                     qPrintable(begun.toString(QStringLiteral("HH:mm:ss.zzz"))));
            QCOMPARE(r.host.started.last(), QStringLiteral("11:00:00 B1.w1"));
            for (const char *w : {"A1.w1", "A1.w2", "A2.w1"})
                QVERIFY(r.host.log.contains(QStringLiteral("11:00:00 invalid generalSegment ") + w));
            QCOMPARE(r.host.visibleWindows(), QStringList{"B1.w1"});
        }
    }

    void aTimingInsertBeginsOnItsSecondWhateverThePhaseOfTheStart()
    {
        for (int phase : {0, 1, 250, 500, 994, 999}) {
            PlayRig r(at(12, 29, 50).addMSecs(phase));
            r.build.page(r.build.general("G"), "G1", {600});
            r.build.page(r.build.timing("T", {QTime(12, 30)}, 1), "T1", {20});
            r.press();
            r.advance(r.clock.now().msecsTo(at(12, 30).addMSecs(50)));
            QCOMPARE(r.host.started.filter("T1.w1").size(), 1);
            const QDateTime begun = r.host.startedAt.at(r.host.started.indexOf("12:30:00 T1.w1"));
            QVERIFY2(begun >= at(12, 30) && begun < at(12, 30).addMSecs(50),
                     qPrintable(QStringLiteral("phase %1: %2").arg(phase).arg(begun.toString("HH:mm:ss.zzz"))));
        }
    }

    void noEligibleSegmentPlaysNothingAndRetriesEveryTick()
    {
        PlayRig r(at(7, 59, 58));
        GeneralObject *g = r.build.general("G", QTime(8, 0), QTime(9, 0));
        r.build.page(g, "G1", {10});
        GeneralObject *h = r.build.general("H", QTime(20, 0), QTime(21, 0));
        r.build.page(h, "H1", {10});
        r.press();
        QVERIFY(!r.sched.generalActive());
        QVERIFY(r.host.started.isEmpty());
        r.advance(2000);
        QCOMPARE(r.sched.currentGeneral(), g);
        QCOMPARE(r.host.started, QStringList{"08:00:00 G1.w1"});
    }

    // A segment with nothing to show (no pages, or pages of empty windows) would hold the
    // screen dark: the one below it plays.
    void aSegmentWithNothingToShowIsPassedOver()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("A"), "A1", {10});
        r.build.general("Empty");
        r.build.page(r.build.general("Blank"), "B1", {0, 0});
        r.press();
        QVERIFY(r.sched.generalActive());
        QCOMPARE(r.sched.currentGeneral()->name, QStringLiteral("A"));
        QCOMPARE(r.host.started, QStringList{"12:00:00 A1.w1"});
    }

    // A page whose windows are all empty never ends a pass: the next page follows the page
    // before it at once, and comes round again after the last.
    void aPageWithNothingToShowIsPassedOver()
    {
        PlayRig r(at(12, 0));
        GeneralObject *g = r.build.general("G");
        r.build.page(g, "G1", {10});
        r.build.page(g, "G2", {0, 0});
        r.build.page(g, "G3", {5});
        r.press();
        r.advance(10000);
        QCOMPARE(r.host.started, QStringList({"12:00:00 G1.w1", "12:00:10 G3.w1"}));
        r.advance(5000);
        QCOMPARE(r.host.started.last(), QStringLiteral("12:00:15 G1.w1"));

        // An insert's empty page is passed over the same way.
        PlayRig s(at(12, 0));
        s.build.page(s.build.general("G"), "G1", {6000});
        CycleObject *c = s.build.cycle("C", 1, 1);
        s.build.page(c, "C1", {0});
        s.build.page(c, "C2", {3});
        s.press();
        s.advance(60000);
        QCOMPARE(s.host.started.filter(QStringLiteral("C")), QStringList{"12:01:00 C2.w1"});
        s.advance(3000);
        QCOMPARE(s.sched.insertState(), Insert::General);
    }

    void aNewSegmentCancelsThePageLengthTimerOfTheOldOne()
    {
        PlayRig r(at(10, 59, 50));
        GeneralObject *a = r.build.general("A");
        ProgramObject *a1 = r.build.page(a, "A1", {600});
        a1->playMode = ProgramObject::ByLength;
        a1->playLength = QTime(0, 0, 20);
        r.build.page(a, "A2", {600});
        r.build.page(r.build.general("B", QTime(11, 0), QTime(12, 0)), "B1", {600});
        r.press();
        QVERIFY(r.sched.lane(Kind::General).lengthTimer->isActive());
        r.advance(10000); // B starts at 11:00:00 with a page that does not play by length
        QCOMPARE(r.sched.currentGeneral()->name, QStringLiteral("B"));
        QVERIFY(!r.sched.lane(Kind::General).lengthTimer->isActive());
        r.advance(30000);
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 0);
        QCOMPARE(r.host.started.last(), QStringLiteral("11:00:00 B1.w1"));
    }

    // ------------------------------------------------------------ midnight

    void atMidnightPlayStopsAndRestartsTwoSecondsLater()
    {
        PlayRig r(at(23, 59, 50));
        r.build.page(r.build.general("Always"), "A1", {600});
        GeneralObject *sunday = r.build.general("UntilMonday");
        sunday->specifiedDate = true;
        sunday->fromDate = monday.addDays(-7);
        sunday->toDate = monday;
        r.build.page(sunday, "U1", {600});
        r.press();
        QCOMPARE(r.sched.currentGeneral(), sunday);
        r.advance(10000); // 00:00:00
        QVERIFY(!r.sched.isPlaying());
        QVERIFY(r.host.log.contains("00:00:00 stopAll D1"));
        r.advance(1999);
        QVERIFY(!r.sched.isPlaying());
        r.advance(1);
        QVERIFY(r.sched.isPlaying());
        QCOMPARE(r.sched.currentGeneral()->name, QStringLiteral("Always"));
        QCOMPARE(r.host.started.last(), QStringLiteral("00:00:02 A1.w1"));
        r.advance(10000);
        QCOMPARE(r.host.log.filter("stopAll").size(), 1);
    }

    void aLateTickStillRestartsAtMidnightOnce()
    {
        PlayRig r(at(23, 59, 59));
        r.build.page(r.build.general("G"), "G1", {600});
        r.press();
        r.clock.stall(1700); // the tick due at 00:00:00.000 runs at 00:00:00.700
        r.advance(0);
        QVERIFY(!r.sched.isPlaying());
        r.advance(2000);
        QVERIFY(r.sched.isPlaying());
        r.advance(5000);
        QCOMPARE(r.host.log.filter("stopAll").size(), 1);
        QCOMPARE(r.host.log.filter("notPlaying").size(), 1);
    }

    void aStopDuringTheMidnightPauseCancelsTheRestart()
    {
        PlayRig r(at(23, 59, 59));
        r.build.page(r.build.general("G"), "G1", {600});
        r.press();
        r.advance(1000);
        QVERIFY(!r.sched.isPlaying());
        r.sched.slotStopPlay("D1");
        r.advance(5000);
        QVERIFY(!r.sched.isPlaying());
    }

    void aTimePointAtMidnightIsNotLostToTheRestart()
    {
        PlayRig r(at(23, 59, 50));
        r.build.page(r.build.general("G"), "G1", {600});
        r.build.page(r.build.timing("T", {QTime(0, 0)}, 1), "T1", {30});
        r.press();
        r.advance(20000);
        QCOMPARE(r.host.startedSince(0).filter("T1.w1").size(), 1);
        QCOMPARE(r.sched.insertState(), Insert::TimingInsert);
    }

    // ------------------------------------------------------------ time points

    void aTimePointFiresOnceInItsSecond()
    {
        PlayRig r(at(12, 29, 50));
        r.build.page(r.build.general("G"), "G1", {600});
        r.build.page(r.build.timing("T", {QTime(12, 30)}, 1), "T1", {20});
        r.press();
        r.advance(9900);
        QCOMPARE(r.sched.insertState(), Insert::General);
        r.advance(200); // the check at 12:30:00
        QCOMPARE(r.sched.insertState(), Insert::TimingInsert);
        QCOMPARE(r.host.started.filter("T1.w1"), QStringList{"12:30:00 T1.w1"});
        r.advance(3600 * 1000);
        QCOMPARE(r.host.started.filter("T1.w1").size(), 1);
    }

    void aTimePointStillFiresOnceWhenTheCheckIsLate()
    {
        PlayRig r(at(12, 29, 50));
        r.build.page(r.build.general("G"), "G1", {600});
        r.build.page(r.build.timing("T", {QTime(12, 30)}, 1), "T1", {20});
        r.press();
        r.advance(9000);     // last check at 12:29:59
        r.clock.stall(2700); // the check due at 12:30:00 runs at 12:30:01.700
        r.advance(0);
        QCOMPARE(r.host.started.filter("T1.w1"), QStringList{"12:30:01 T1.w1"});
        r.advance(600000);
        QCOMPARE(r.host.started.filter("T1.w1").size(), 1);
    }

    void aWallClockJumpDoesNotFireABurstOfStalePoints()
    {
        PlayRig r(at(11, 0));
        r.build.page(r.build.general("G"), "G1", {600});
        r.build.page(r.build.timing("T", {QTime(11, 30), QTime(12, 0), QTime(12, 30)}, 1), "T1", {20});
        r.press();
        r.advance(1000);
        r.clock.jumpWallClock(2 * 3600 * 1000); // set forward to 13:00:01
        r.advance(5000);
        QVERIFY(r.host.started.filter("T1").isEmpty());
        r.clock.jumpWallClock(-2 * 3600 * 1000 - 10000); // back to 10:59:56
        r.advance(5000);
        QVERIFY(r.host.started.filter("T1").isEmpty());
        r.advance(30 * 60 * 1000);
        QCOMPARE(r.host.started.filter("T1.w1").size(), 1);
    }

    void aClockSetBackALittleDoesNotFireTheSameSecondTwice()
    {
        PlayRig r(at(12, 29, 58));
        r.build.page(r.build.general("G"), "G1", {600});
        r.build.page(r.build.timing("T", {QTime(12, 30)}, 1), "T1", {20});
        r.press();
        r.advance(3000);
        QCOMPARE(r.host.started.filter("T1.w1").size(), 1);
        r.clock.jumpWallClock(-3000);
        r.advance(60000);
        QCOMPARE(r.host.started.filter("T1.w1").size(), 1);
    }

    void aTimePointWithoutWeekdaysNeverFires()
    {
        PlayRig r(at(12, 29, 50));
        r.build.page(r.build.general("G"), "G1", {600});
        TimingObject *t = r.build.timing("T", {QTime(12, 30)}, 1);
        t->timePoints.first()->weekdays.clear();
        r.build.page(t, "T1", {20});
        r.press();
        r.advance(25 * 3600 * 1000LL);
        QVERIFY(r.host.started.filter("T1").isEmpty());
    }

    void onlyTheLastTimingSegmentFires()
    {
        PlayRig r(at(12, 29, 50));
        r.build.page(r.build.general("G"), "G1", {600});
        r.build.page(r.build.timing("Early", {QTime(12, 30)}, 1), "E1", {20});
        r.build.page(r.build.timing("Late", {QTime(12, 31)}, 1), "L1", {20});
        r.press();
        r.advance(120000);
        QVERIFY(r.host.started.filter("E1").isEmpty());
        QCOMPARE(r.host.started.filter("L1.w1"), QStringList{"12:31:00 L1.w1"});
    }

    // ------------------------------------------------------------ cycle inserts

    void theFirstCycleInsertComesPlayEveryMinutesAfterStart()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {6000});
        r.build.page(r.build.cycle("C", 30, 1), "C1", {15});
        r.press();
        QVERIFY(r.host.started.filter("C1").isEmpty());
        r.advance(30 * 60 * 1000 - 1);
        QVERIFY(r.host.started.filter("C1").isEmpty());
        r.advance(1);
        QCOMPARE(r.host.started.filter("C1.w1"), QStringList{"12:30:00 C1.w1"});
        QCOMPARE(r.host.visibleWindows(), QStringList{"C1.w1"});
        r.advance(15000);
        QCOMPARE(r.sched.insertState(), Insert::General);
        QCOMPARE(r.host.visibleWindows(), QStringList{"G1.w1"});
    }

    void pauseAndResumeRestartTheCycleWait()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {6000});
        r.build.page(r.build.cycle("C", 30, 1), "C1", {15});
        r.press();
        r.advance(20 * 60 * 1000);
        r.pausePress();
        r.advance(5 * 60 * 1000);
        r.press(); // 12:25:00: the 30 minutes start again
        r.advance(29 * 60 * 1000);
        QVERIFY(r.host.started.filter("C1").isEmpty());
        r.advance(60 * 1000);
        QCOMPARE(r.host.started.filter("C1.w1"), QStringList{"12:55:00 C1.w1"});
    }

    void aCycleInsertByTimesPlaysEachPageOnceThenTheGeneralPageResumes()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {400});
        CycleObject *c = r.build.cycle("C", 5, 1);
        r.build.page(c, "C1", {10});
        r.build.page(c, "C2", {10});
        r.build.page(c, "C3", {10});
        r.press();
        r.advance(330000);
        QCOMPARE(r.host.startedSince(1),
                 (QStringList{"12:05:00 C1.w1", "12:05:10 C2.w1", "12:05:20 C3.w1", "12:05:30 G1.w1"}));
        QCOMPARE(r.sched.insertState(), Insert::General);
        QVERIFY(r.sched.lane(Kind::Cycle).pages.isEmpty());
        // The general window continued where it was interrupted: 300 s played, 100 s left.
        r.advance(99999);
        QCOMPARE(r.host.find("G1.w1")->passes, 0);
        r.advance(1);
        QCOMPARE(r.host.find("G1.w1")->passes, 1);
    }

    void aCycleInsertForFiveMinutesRepeatsItsPage()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {1000});
        CycleObject *c = r.build.cycle("C", 10, 0);
        c->playMinutes = 5;
        c->playSeconds = 0;
        r.build.page(c, "C1", {20});
        r.press();
        r.advance(10 * 60 * 1000);
        QCOMPARE(r.sched.insertState(), Insert::CycleInsert);
        r.advance(5 * 60 * 1000 - 1);
        QCOMPARE(r.sched.insertState(), Insert::CycleInsert);
        QCOMPARE(r.host.started.filter("C1.w1").size(), 15);
        r.advance(1);
        QCOMPARE(r.sched.insertState(), Insert::General);
        QCOMPARE(r.host.started.last(), QStringLiteral("12:15:00 G1.w1"));
        QVERIFY(r.host.log.contains("12:15:00 invalid cycleSegment C1.w1"));
    }

    void onlyTheLastCycleSegmentIsInsertedAndOnlyWhenEligible()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {6000});
        r.build.page(r.build.cycle("First", 1, 1), "F1", {10});
        CycleObject *last = r.build.cycle("Last", 1, 1);
        last->allDay = false;
        last->fromTime = QTime(12, 3);
        last->toTime = QTime(12, 4);
        r.build.page(last, "L1", {10});
        r.press();
        r.advance(5 * 60 * 1000);
        QVERIFY(r.host.started.filter("F1").isEmpty());
        QCOMPARE(r.host.started.filter("L1"), (QStringList{"12:03:00 L1.w1", "12:04:00 L1.w1"}));
    }

    void aRetriggeredCycleInsertRebuildsItsPages()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {6000});
        CycleObject *c = r.build.cycle("C", 1, 0); // five minutes, longer than its one-minute period
        r.build.page(c, "C1", {40});
        r.build.page(c, "C2", {40});
        r.press();
        r.advance(60000);
        QCOMPARE(r.sched.lane(Kind::Cycle).pages.size(), 2);
        r.advance(60000); // 12:02:00: re-triggered while on C2
        QCOMPARE(r.sched.lane(Kind::Cycle).pages.size(), 2);
        QCOMPARE(r.sched.lane(Kind::Cycle).pageIndex, 0);
        QVERIFY(r.host.log.contains("12:02:00 invalid cycleSegment C2.w1"));
        QCOMPARE(r.host.started.last(), QStringLiteral("12:02:00 C1.w1"));
        QCOMPARE(r.host.visibleWindows(), QStringList{"C1.w1"});
    }

    void anInsertWithNothingToShowIsNotStarted()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {6000});
        r.build.page(r.build.cycle("C", 1, 1), "C1", {0});
        r.press();
        r.advance(5 * 60 * 1000);
        QCOMPARE(r.sched.insertState(), Insert::General);
        QVERIFY(r.host.started.filter("C1").isEmpty());
    }

    // ------------------------------------------------------------ inserts and the general programme

    void noSwitchWhileAnInsertPlaysThenAtTheFirstTickAfter()
    {
        PlayRig r(at(12, 59, 0));
        r.build.page(r.build.general("A"), "A1", {6000});
        r.build.page(r.build.general("B", QTime(13, 0), QTime(14, 0)), "B1", {6000});
        TimingObject *t = r.build.timing("T", {QTime(12, 59, 50)}, 0);
        t->playMinutes = 0;
        t->playSeconds = 30; // until 13:00:20
        r.build.page(t, "T1", {5});
        r.press();
        r.advance(60000); // 13:00:00
        QCOMPARE(r.sched.currentGeneral()->name, QStringLiteral("A"));
        r.advance(19999);
        QCOMPARE(r.sched.currentGeneral()->name, QStringLiteral("A"));
        QCOMPARE(r.sched.insertState(), Insert::TimingInsert);
        r.advance(1); // 13:00:20.000: the insert ends, then the tick of the same second switches
        QCOMPARE(r.sched.insertState(), Insert::General);
        QCOMPARE(r.sched.currentGeneral()->name, QStringLiteral("B"));
        QCOMPARE(r.host.started.last(), QStringLiteral("13:00:20 B1.w1"));
    }

    void aTimingInsertDuringACycleInsertEndsTheCycleInsert()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {6000});
        CycleObject *c = r.build.cycle("C", 1, 0);
        c->playMinutes = 1;
        c->playSeconds = 0;
        r.build.page(c, "C1", {10});
        TimingObject *t = r.build.timing("T", {QTime(12, 1, 30)}, 0);
        t->playMinutes = 2;
        t->playSeconds = 0;
        r.build.page(t, "T1", {15});
        r.press();
        r.advance(90000); // cycle insert since 12:01:00, timing point at 12:01:30
        QCOMPARE(r.sched.insertState(), Insert::TimingInsert);
        QCOMPARE(r.host.started.last(), QStringLiteral("12:01:30 T1.w1"));
        QVERIFY(r.sched.lane(Kind::Cycle).pages.isEmpty());
        QVERIFY(!r.sched.lane(Kind::Cycle).lengthTimer->isActive());
        QCOMPARE(r.host.visibleWindows(), QStringList{"T1.w1"});
        // Neither the old cycle duration nor the cycle check (12:02:00, 12:03:00) end or
        // interrupt the timing insert.
        r.advance(119999);
        QCOMPARE(r.sched.insertState(), Insert::TimingInsert);
        QVERIFY(!anyStartedOf(
            r.host.startedSince(0).filter("12:02:") + r.host.startedSince(0).filter("12:03:"), "C1"));
        r.advance(1);
        QCOMPARE(r.sched.insertState(), Insert::General);
        QCOMPARE(r.host.started.last(), QStringLiteral("12:03:30 G1.w1"));
    }

    void aRetriggeredTimingInsertRestartsItsPages()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {6000});
        TimingObject *t = r.build.timing("T", {QTime(12, 0, 10), QTime(12, 0, 20)}, 1);
        r.build.page(t, "T1", {8});
        r.build.page(t, "T2", {8});
        r.press();
        r.advance(20000);
        QCOMPARE(r.sched.lane(Kind::Timing).pages.size(), 2);
        QCOMPARE(r.host.started.filter("T"),
                 (QStringList{"12:00:10 T1.w1", "12:00:18 T2.w1", "12:00:20 T1.w1"}));
        r.advance(16000);
        QCOMPARE(r.sched.insertState(), Insert::General);
    }

    // Points a second apart: each start shows the insert's first page through before a later
    // point starts it again, rather than holding it at its start with nothing ever shown whole.
    void pointsWhileTheFirstPageShowsDoNotRestartTheInsert()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {6000});
        QList<QTime> points;
        for (int s = 10; s < 70; ++s)
            points << QTime(12, 0).addSecs(s);
        TimingObject *t = r.build.timing("T", points, 1);
        r.build.page(t, "T1", {8});
        r.press();
        r.advance(40000);
        QCOMPARE(r.host.started.filter("T1"),
                 (QStringList{"12:00:10 T1.w1", "12:00:19 T1.w1", "12:00:28 T1.w1", "12:00:37 T1.w1"}));
        QVERIFY(r.host.log.filter("invalid timingSegment").isEmpty());
    }

    // ------------------------------------------------------------ pause and resume

    void pauseFreezesTheTickAndResumeContinuesTheCurrentKind()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("A"), "A1", {6000});
        r.build.page(r.build.general("B", QTime(12, 0, 30), QTime(13, 0)), "B1", {6000});
        r.press();
        r.advance(10000);
        r.pausePress();
        QVERIFY(r.sched.isPaused());
        QVERIFY(!r.sched.lane(Kind::General).checkTimer->isActive());
        r.advance(60000); // B opened while paused: nothing happens
        QCOMPARE(r.sched.currentGeneral()->name, QStringLiteral("A"));
        r.press();
        QVERIFY(r.host.log.contains("12:01:10 continue generalSegment"));
        r.advance(1000);
        QCOMPARE(r.sched.currentGeneral()->name, QStringLiteral("B"));
    }

    void pauseSuspendsThePageLengthTimerForItsRemainingTime()
    {
        PlayRig r(at(12, 0));
        GeneralObject *g = r.build.general("G");
        ProgramObject *p1 = r.build.page(g, "G1", {600});
        p1->playMode = ProgramObject::ByLength;
        p1->playLength = QTime(0, 0, 20);
        r.build.page(g, "G2", {600});
        r.press();
        r.advance(15000);
        r.pausePress();
        QVERIFY(!r.sched.lane(Kind::General).lengthTimer->isActive());
        r.advance(60000);
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 0);
        r.press();
        r.advance(4999);
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 0);
        r.advance(1);
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 1);
        QCOMPARE(r.host.started.last(), QStringLiteral("12:01:20 G2.w1"));
    }

    void pauseSuspendsTheInsertDuration()
    {
        PlayRig r(at(12, 0));
        r.build.page(r.build.general("G"), "G1", {6000});
        TimingObject *t = r.build.timing("T", {QTime(12, 0, 10)}, 0);
        t->playMinutes = 0;
        t->playSeconds = 30;
        r.build.page(t, "T1", {5});
        r.press();
        r.advance(20000); // 10 s into the insert
        r.pausePress();
        r.advance(300000);
        QCOMPARE(r.sched.insertState(), Insert::TimingInsert);
        r.press();
        QVERIFY(r.host.log.last().endsWith("continue timingSegment"));
        r.advance(19999);
        QCOMPARE(r.sched.insertState(), Insert::TimingInsert);
        r.advance(1);
        QCOMPARE(r.sched.insertState(), Insert::General);
    }

    void theGeneralPageLengthDoesNotRunWhileAnInsertPlays()
    {
        PlayRig r(at(12, 0));
        GeneralObject *g = r.build.general("G");
        ProgramObject *p1 = r.build.page(g, "G1", {600});
        p1->playMode = ProgramObject::ByLength;
        p1->playLength = QTime(0, 2, 30);
        r.build.page(g, "G2", {600});
        r.build.page(r.build.cycle("C", 2, 1), "C1", {30});
        r.press();
        r.advance(150000); // insert from 12:02:00 to 12:02:30; 30 s of the page left
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 0);
        QCOMPARE(r.host.started.last(), QStringLiteral("12:02:30 G1.w1"));
        r.advance(29999);
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 0);
        r.advance(1);
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 1);
    }

    // ------------------------------------------------------------ pages

    void aPageByTimesAdvancesAfterItsThirdPass()
    {
        PlayRig r(at(12, 0));
        GeneralObject *g = r.build.general("G");
        ProgramObject *p1 = r.build.page(g, "G1", {10, 25});
        p1->playTimes = 3;
        r.build.page(g, "G2", {5});
        r.press();
        r.advance(25000);
        QCOMPARE(r.sched.lane(Kind::General).passCount, 1);
        QCOMPARE(r.host.find("G1.w1")->passes, 2); // the shorter window looped once
        r.advance(50000 - 1);
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 0);
        r.advance(1);
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 1);
        QCOMPARE(r.sched.lane(Kind::General).passCount, 0);
        QCOMPARE(r.host.started.last(), QStringLiteral("12:01:15 G2.w1"));
        r.advance(5000); // the last page with one pass leads back to the first
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 0);
        QCOMPARE(r.host.started.last(), QStringLiteral("12:01:20 G1.w2"));
    }

    void aPageByLengthLeavesALongVideoAfterItsLength()
    {
        PlayRig r(at(12, 0));
        GeneralObject *g = r.build.general("G");
        ProgramObject *p1 = r.build.videoPage(g, "G1", QTime(0, 1, 0));
        p1->playMode = ProgramObject::ByLength;
        p1->playLength = QTime(0, 0, 20);
        r.build.page(g, "G2", {600});
        r.press();
        r.advance(20000);
        QCOMPARE(r.host.started.last(), QStringLiteral("12:00:20 G2.w1"));
        QVERIFY(r.host.log.contains("12:00:20 invalid generalSegment G1.w1"));
        QCOMPARE(r.host.visibleWindows(), QStringList{"G2.w1"});
    }

    void aPageByLengthShorterPassesKeepThePageUntilItsLength()
    {
        PlayRig r(at(12, 0));
        GeneralObject *g = r.build.general("G");
        ProgramObject *p1 = r.build.page(g, "G1", {15});
        p1->playMode = ProgramObject::ByLength;
        p1->playLength = QTime(0, 1, 0);
        r.build.page(g, "G2", {600});
        r.press();
        r.advance(59999);
        QCOMPARE(r.host.started.filter("G1.w1").size(), 4);
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 0);
        r.advance(1);
        QCOMPARE(r.sched.lane(Kind::General).pageIndex, 1);
    }

    void aLoopPagePlaysUntilTheSegmentChanges()
    {
        PlayRig r(at(12, 0));
        GeneralObject *g = r.build.general("G");
        ProgramObject *p1 = r.build.page(g, "G1", {10});
        p1->playMode = ProgramObject::Loop;
        r.build.page(g, "G2", {10});
        r.build.page(r.build.general("Later", QTime(13, 0), QTime(14, 0)), "L1", {10});
        r.press();
        r.advance(3600 * 1000 - 1);
        QCOMPARE(r.host.started.filter("G1.w1").size(), 360);
        QVERIFY(r.host.started.filter("G2").isEmpty());
        r.advance(1);
        QCOMPARE(r.host.started.last(), QStringLiteral("13:00:00 L1.w1"));
    }

    // ------------------------------------------------------------ several display windows

    void eachDisplayWindowAccountsPagePassesByItsOwnKind()
    {
        PlayRig r(at(12, 0));
        SegmentScheduler other("D2");
        RecordingHost otherHost(r.clock);
        other.setPlayHost(&otherHost);
        otherHost.scheduler = &other;
        r.build.page(r.build.general("G"), "G1", {6000});
        r.build.page(r.build.cycle("C", 1, 1), "C1", {10});
        SchemeBuilder build2(other);
        GeneralObject *g2 = build2.general("H");
        build2.page(g2, "H1", {30});
        build2.page(g2, "H2", {30});
        r.press();
        other.slotStartPlay("D2");
        r.advance(65000); // D1 is in its cycle insert, D2 ended a general pass at 12:00:30 and 12:01:00
        QCOMPARE(r.sched.lastHandedKind(), Kind::Cycle);
        QCOMPARE(other.lastHandedKind(), Kind::General);
        QCOMPARE(otherHost.started, (QStringList{"12:00:00 H1.w1", "12:00:30 H2.w1", "12:01:00 H1.w1"}));
        QCOMPARE(other.lane(Kind::General).pageIndex, 0);
        QCOMPARE(r.sched.lane(Kind::Cycle).pageIndex, 0);
    }

    // ------------------------------------------------------------ background music

    void pageMusicLoopsPausesAndStops()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString a = dir.filePath("a.wav"), b = dir.filePath("b.wav");
        QVERIFY(writeWav(a, 500));
        QVERIFY(writeWav(b, 500));
        PlayRig r(at(12, 0));
        GeneralObject *g = r.build.general("G");
        ProgramObject *p1 = r.build.page(g, "G1", {600});
        p1->backgroundMusic = QStringList{a, dir.filePath("gone.wav"), b};
        r.press();
        QCOMPARE(r.sched.musicPlaylist()->mediaCount(), 2);
        QCOMPARE(r.sched.musicPlaylist()->media(0).request().url(), QUrl::fromLocalFile(a));
        QCOMPARE(r.sched.musicPlaylist()->playbackMode(), QMediaPlaylist::Loop);
        QCOMPARE(r.sched.musicPlayer()->playlist(), r.sched.musicPlaylist());
        QCOMPARE(r.sched.musicPlayer()->state(), QMediaPlayer::PlayingState);
        r.pausePress();
        QCOMPARE(r.sched.musicPlayer()->state(), QMediaPlayer::PausedState);
        r.press();
        QCOMPARE(r.sched.musicPlayer()->state(), QMediaPlayer::PlayingState);
        r.sched.slotStopPlay("D1");
        QCOMPARE(r.sched.musicPlayer()->state(), QMediaPlayer::StoppedState);
        QVERIFY(r.sched.musicPlaylist()->isEmpty());
    }

    void anInsertsMusicGivesWayToThePagesMusicAfterwards()
    {
        QTemporaryDir dir;
        const QString general = dir.filePath("general.wav"), insert = dir.filePath("insert.wav");
        QVERIFY(writeWav(general, 300));
        QVERIFY(writeWav(insert, 300));
        PlayRig r(at(12, 0));
        ProgramObject *p = r.build.page(r.build.general("G"), "G1", {600});
        p->backgroundMusic = QStringList{general};
        ProgramObject *c = r.build.page(r.build.cycle("C", 1, 1), "C1", {10});
        c->backgroundMusic = QStringList{insert};
        ProgramObject *silent =
            r.build.page(r.build.general("Quiet", QTime(12, 5), QTime(13, 0)), "Q1", {600});
        Q_UNUSED(silent)
        r.press();
        r.advance(60000);
        QCOMPARE(r.sched.musicPlaylist()->media(0).request().url(), QUrl::fromLocalFile(insert));
        r.advance(10000);
        QCOMPARE(r.sched.musicPlaylist()->media(0).request().url(), QUrl::fromLocalFile(general));
        r.advance(5 * 60 * 1000);
        QVERIFY(r.sched.musicPlaylist()->isEmpty());
    }

    // ------------------------------------------------------------ a day

    void aDayOfARealisticScheme()
    {
        PlayRig r(at(6, 0));
        GeneralObject *allDay = r.build.general("AllDay");
        r.build.page(allDay, "AD1", {45, 30});
        r.build.page(allDay, "AD2", {60});
        GeneralObject *morning = r.build.general("Morning", QTime(7, 0), QTime(9, 0));
        r.build.page(morning, "M1", {20});
        GeneralObject *lunch = r.build.general("Lunch", QTime(12, 0), QTime(13, 0));
        ProgramObject *l1 = r.build.page(lunch, "L1", {20});
        l1->playMode = ProgramObject::ByLength;
        l1->playLength = QTime(0, 2, 0);
        r.build.page(lunch, "L2", {40});
        GeneralObject *evening = r.build.general("Evening", QTime(18, 0), QTime(22, 0));
        r.build.page(evening, "E1", {90});
        CycleObject *ad = r.build.cycle("Advert", 30, 1);
        r.build.page(ad, "A1", {15});
        TimingObject *news =
            r.build.timing("News", {QTime(8, 0), QTime(12, 30), QTime(17, 0), QTime(21, 0)}, 0);
        news->playMinutes = 1;
        news->playSeconds = 0;
        r.build.page(news, "N1", {90}); // one start per insert

        // Segment changes as the screen shows them: the segment of each general hand-over.
        QStringList changes;
        QString shown;
        QObject::connect(r.sched.lane(Kind::General).checkTimer, &ClockTimer::timeout, &r.sched, [&] {
            const QString now = r.sched.generalActive() ? r.sched.currentGeneral()->name : QString("-");
            if (now != shown) {
                changes << r.nowText().left(5) + ' ' + now;
                shown = now;
            }
        });

        r.press();
        r.clock.runUntil(at(6, 0, 0, monday.addDays(1)));

        QCOMPARE(changes,
                 (QStringList{"06:00 AllDay", "07:00 Morning", "09:00 AllDay", "12:00 Lunch", "13:00 AllDay",
                              "18:00 Evening", "22:00 AllDay", "00:00 -", "00:00 AllDay"}));
        const QStringList news1 = r.host.started.filter("N1.w1");
        QCOMPARE(news1,
                 (QStringList{"08:00:00 N1.w1", "12:30:00 N1.w1", "17:00:00 N1.w1", "21:00:00 N1.w1"}));
        // The cycle check falls due every 30 minutes from 06:30 to 00:00, 36 times. At 08:00,
        // 12:30, 17:00 and 21:00 the timing check, started just before it, has begun the news
        // in the same second, so those four find a timing insert playing and add nothing: 32.
        // The one at 00:00:00 comes just before the tick that stops play for the night. After
        // the restart at 00:00:02 it falls due from 00:30:02 to 05:30:02: 11 more.
        const QStringList adverts = r.host.started.filter("A1.w1");
        QVERIFY(adverts.contains("06:30:00 A1.w1"));
        QVERIFY(adverts.contains("23:30:00 A1.w1"));
        QVERIFY(adverts.contains("00:00:00 A1.w1"));
        QVERIFY(adverts.contains("00:30:02 A1.w1"));
        QVERIFY(!adverts.contains("08:00:00 A1.w1"));
        QVERIFY(!adverts.contains("21:00:00 A1.w1"));
        QCOMPARE(adverts.size(), 36 - 4 + 11);
        QCOMPARE(r.host.log.filter("stopAll").size(), 1);
        QVERIFY(r.sched.isPlaying());
        QCOMPARE(r.sched.insertState(), Insert::General);
    }
};

QTEST_MAIN(TestSegmentScheduler)
#include "test_segmentscheduler.moc"
