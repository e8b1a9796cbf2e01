#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "clock/virtualclock.h"
#include "clock/wallclock.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
const QDateTime start(QDate(2024, 3, 4), QTime(12, 0, 0));
} // namespace

class TestClock : public QObject
{
    Q_OBJECT

private slots:
    // --- virtual time ---
    void virtualTimeStandsStillUntilMoved()
    {
        VirtualClock clock(start);
        QCOMPARE(clock.now(), start);
        clock.advance(1500);
        QCOMPARE(clock.now(), start.addMSecs(1500));
        clock.runUntil(QDateTime(QDate(2024, 3, 5), QTime(0, 0, 1)));
        QCOMPARE(clock.now().date(), QDate(2024, 3, 5));
        QCOMPARE(clock.now().time(), QTime(0, 0, 1));
    }

    void runUntilAnEarlierMomentDoesNotGoBack()
    {
        VirtualClock clock(start);
        clock.advance(5000);
        clock.runUntil(start);
        QCOMPARE(clock.now(), start.addMSecs(5000));
    }

    // --- timers fire in due order at their due time ---
    void timersFireInDueOrderAtTheirDueTime()
    {
        VirtualClock clock(start);
        QObject owner;
        QStringList log;
        auto make = [&](const QString &name, int interval, bool singleShot) {
            ClockTimer *t = clock.createTimer(&owner);
            t->setSingleShot(singleShot);
            t->setInterval(interval);
            QObject::connect(t, &ClockTimer::timeout, &owner, [&log, &clock, name] {
                log << name + QLatin1Char('@') + clock.now().time().toString(QStringLiteral("ss.zzz"));
            });
            return t;
        };
        ClockTimer *second = make(QStringLiteral("tick"), 1000, false);
        ClockTimer *once = make(QStringLiteral("once"), 2500, true);
        ClockTimer *sameDue = make(QStringLiteral("same"), 1000, true);
        second->start();
        once->start();
        sameDue->start();
        clock.advance(3000);
        QCOMPARE(log,
                 (QStringList{"tick@01.000", "same@01.000", "tick@02.000", "once@02.500", "tick@03.000"}));
        QVERIFY(second->isActive());
        QVERIFY(!once->isActive());
        QCOMPARE(clock.activeTimerCount(), 1);
    }

    void remainingTimeCountsDownAndIsMinusOneWhenStopped()
    {
        VirtualClock clock(start);
        std::unique_ptr<ClockTimer> t(clock.createTimer(nullptr));
        QCOMPARE(t->remainingTime(), -1);
        t->start(20000);
        clock.advance(7000);
        QCOMPARE(t->remainingTime(), 13000);
        t->stop();
        QCOMPARE(t->remainingTime(), -1);
        QVERIFY(!t->isActive());
    }

    void changingTheIntervalOfAnActiveTimerRestartsIt()
    {
        VirtualClock clock(start);
        std::unique_ptr<ClockTimer> t(clock.createTimer(nullptr));
        QSignalSpy spy(t.get(), &ClockTimer::timeout);
        t->start(1000);
        clock.advance(900);
        t->setInterval(1000);
        clock.advance(900);
        QCOMPARE(spy.count(), 0);
        clock.advance(100);
        QCOMPARE(spy.count(), 1);
    }

    void aTimerStoppedByAnEarlierOneInTheSameInstantDoesNotFire()
    {
        VirtualClock clock(start);
        QObject owner;
        ClockTimer *first = clock.createTimer(&owner);
        ClockTimer *second = clock.createTimer(&owner);
        QSignalSpy spy(second, &ClockTimer::timeout);
        QObject::connect(first, &ClockTimer::timeout, second, [second] { second->stop(); });
        first->start(1000);
        second->start(1000);
        clock.advance(5000);
        QCOMPARE(spy.count(), 0);
    }

    void aTimerDeletedInsideAnotherTimersSlotIsForgotten()
    {
        VirtualClock clock(start);
        QObject owner;
        ClockTimer *killer = clock.createTimer(&owner);
        ClockTimer *victim = clock.createTimer(&owner);
        QObject::connect(killer, &ClockTimer::timeout, &owner, [victim] { delete victim; });
        killer->setSingleShot(true);
        killer->start(1000);
        victim->start(1000);
        clock.advance(3000);
        QCOMPARE(clock.activeTimerCount(), 0);
    }

    // --- late firing and wall-clock jumps ---
    void aStallMakesDueTimersFireLateOnceThenKeepTheirPeriod()
    {
        VirtualClock clock(start);
        std::unique_ptr<ClockTimer> t(clock.createTimer(nullptr));
        QList<QTime> fired;
        QObject::connect(t.get(), &ClockTimer::timeout, [&] { fired << clock.now().time(); });
        t->start(1000);
        clock.advance(1000);
        clock.stall(2700); // the thread is busy from 12:00:01.000 to 12:00:03.700
        clock.advance(0);
        QCOMPARE(fired, (QList<QTime>{QTime(12, 0, 1), QTime(12, 0, 3, 700)}));
        clock.advance(1000);
        QCOMPARE(fired.last(), QTime(12, 0, 4, 700));
    }

    void aWallClockJumpMovesNowButNotTheTimers()
    {
        VirtualClock clock(start);
        std::unique_ptr<ClockTimer> t(clock.createTimer(nullptr));
        QSignalSpy spy(t.get(), &ClockTimer::timeout);
        t->start(60000);
        clock.jumpWallClock(-3600 * 1000);
        QCOMPARE(clock.now(), start.addSecs(-3600));
        QCOMPARE(spy.count(), 0);
        clock.advance(60000);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(clock.now(), start.addSecs(-3540));
    }

    void aZeroIntervalRepeatingTimerCannotFreezeTime()
    {
        VirtualClock clock(start);
        std::unique_ptr<ClockTimer> t(clock.createTimer(nullptr));
        QSignalSpy spy(t.get(), &ClockTimer::timeout);
        t->start(0);
        clock.advance(10);
        QCOMPARE(spy.count(), 11);
    }

    void timersOutlivingTheirClockAreInert()
    {
        auto clock = std::make_unique<VirtualClock>(start);
        std::unique_ptr<ClockTimer> t(clock->createTimer(nullptr));
        t->start(1000);
        clock.reset();
        QVERIFY(!t->isActive());
        t->start(1000);
        QVERIFY(!t->isActive());
        QCOMPARE(t->remainingTime(), -1);
    }

    // --- the process-wide clock ---
    void theInstalledClockIsTheCurrentOneUntilRemoved()
    {
        QVERIFY(dynamic_cast<WallClock *>(&Clock::current()));
        {
            VirtualClock clock(start);
            Clock::setCurrent(&clock);
            QCOMPARE(&Clock::current(), static_cast<Clock *>(&clock));
            QCOMPARE(Clock::current().now(), start);
        }
        // A destroyed clock never stays installed.
        QVERIFY(dynamic_cast<WallClock *>(&Clock::current()));
    }

    // --- wall clock ---
    void wallClockReadsTheSystemTime()
    {
        WallClock clock;
        const QDateTime before = QDateTime::currentDateTime();
        const QDateTime now = clock.now();
        QVERIFY(now >= before);
        QVERIFY(now.msecsTo(QDateTime::currentDateTime()) < 1000);
    }

    void wallClockTimersArePreciseAndFireOnTheEventLoop()
    {
        WallClock clock;
        std::unique_ptr<ClockTimer> t(clock.createTimer(nullptr));
        QSignalSpy spy(t.get(), &ClockTimer::timeout);
        t->setSingleShot(true);
        QElapsedTimer elapsed;
        elapsed.start();
        t->start(50);
        QVERIFY(t->isActive());
        QVERIFY(t->remainingTime() <= 50);
        QVERIFY(spy.wait(2000));
        QVERIFY(elapsed.elapsed() >= 49);
        QVERIFY(!t->isActive());
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "test_clock.moc"
