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

    // A frame tick that re-arms itself every 16 or 17 ms among item timers that tie with it and
    // with each other; the frame that ends the run starts an item timer of its own. Run once
    // with the frame's expiries delivered and once taken quietly, the item timers fire in the
    // same order at the same moments, and the quiet expiries emit nothing.
    QStringList frameAndItems(bool quiet, int *timeouts)
    {
        VirtualClock clock(start);
        QObject owner;
        QStringList log;
        auto item = [&](const QString &name) {
            ClockTimer *t = clock.createTimer(&owner);
            t->setSingleShot(true);
            QObject::connect(t, &ClockTimer::timeout, &owner, [&log, &clock, name] {
                log << name + QLatin1Char('@') + clock.now().time().toString(QStringLiteral("ss.zzz"));
            });
            return t;
        };
        ClockTimer *a = item(QStringLiteral("a"));
        ClockTimer *b = item(QStringLiteral("b"));
        ClockTimer *c = item(QStringLiteral("c"));
        ClockTimer *last = item(QStringLiteral("last"));
        ClockTimer *d = item(QStringLiteral("d"));
        ClockTimer *g1 = item(QStringLiteral("g1"));
        ClockTimer *g2 = item(QStringLiteral("g2"));
        // Started in a millisecond where a frame fired first, it comes after both g's.
        QObject::connect(b, &ClockTimer::timeout, &owner, [d] { d->start(500); });
        ClockTimer *frame = clock.createTimer(&owner);
        int frames = 0;
        auto next = [&] { return ++frames % 3 == 0 ? 16 : 17; };
        auto endsHere = [&] { return frames == 100; };
        QObject::connect(frame, &ClockTimer::timeout, &owner, [&] {
            if (endsHere()) {
                frame->stop();
                last->start(1);
                return;
            }
            frame->start(next());
        });
        if (quiet) {
            frame->setQuietExpiry([&] {
                if (endsHere())
                    return false;
                frame->start(next());
                return true;
            });
        }
        *timeouts = 0;
        QObject::connect(frame, &ClockTimer::timeout, &owner, [timeouts] { ++*timeouts; });
        frame->start(17);
        a->start(1000);
        clock.advance(5);
        g1->start(1496);
        g2->start(1496);
        // In the millisecond of a frame: their places among timers due together depend on it.
        clock.advance(12);
        b->start(984);
        c->start(984);
        clock.advance(1);
        a->setInterval(999);
        clock.advance(3000);
        return log;
    }

    void quietExpiriesKeepTheOrderOfEveryOtherTimer()
    {
        int delivered = 0;
        int quietlyDelivered = 0;
        const QStringList loud = frameAndItems(false, &delivered);
        const QStringList quiet = frameAndItems(true, &quietlyDelivered);
        QCOMPARE(quiet, loud);
        QCOMPARE(loud, (QStringList{"b@01.001", "c@01.001", "a@01.017", "g1@01.501", "g2@01.501", "d@01.501",
                                    "last@01.685"}));
        QVERIFY(delivered > 90);
        QCOMPARE(quietlyDelivered, 1);
    }

    void millisecondsSinceTheEpochAreThoseOfNow()
    {
        VirtualClock clock(QDateTime(QDate(2026, 3, 29), QTime(0, 59, 59, 990)));
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(clock.msecsSinceEpoch(), clock.now().toMSecsSinceEpoch());
            clock.advance(7);
        }
        clock.advance(3 * 3600 * 1000 + 123);
        QCOMPARE(clock.msecsSinceEpoch(), clock.now().toMSecsSinceEpoch());
        clock.jumpWallClock(-90000);
        QCOMPARE(clock.msecsSinceEpoch(), clock.now().toMSecsSinceEpoch());
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
