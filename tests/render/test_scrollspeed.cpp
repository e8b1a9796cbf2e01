#include "textcore/scrollspeed.h"

#include <QtTest>

class TestScrollSpeed : public QObject
{
    Q_OBJECT

private slots:
    void tickIntervals_data();
    void tickIntervals();
    void stepsBySpeedAndFont_data();
    void stepsBySpeedAndFont();
    void pixelsPerSecond_data();
    void pixelsPerSecond();
    void rightToLeftStartsAtWidthAndWrapsPastTextAndFont();
    void leftToRightStartsBeforeTextAndWrapsPastWidthAndFont();
    void largeStepsWrapOnTheFirstTickBelowTheEdge();
    void positionFollowsElapsedWholeTicks();
    void firstWrapTime();
};

void TestScrollSpeed::tickIntervals_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("interval");
    QTest::newRow("1") << 1 << 50;
    QTest::newRow("2") << 2 << 25;
    QTest::newRow("3") << 3 << 16;
    QTest::newRow("4") << 4 << 12;
    QTest::newRow("5") << 5 << 10;
    QTest::newRow("6") << 6 << 5;
    QTest::newRow("7") << 7 << 2;
    QTest::newRow("8") << 8 << 2;
    QTest::newRow("9") << 9 << 2;
    QTest::newRow("10") << 10 << 2;
    QTest::newRow("0 does not scroll") << 0 << -1;
    QTest::newRow("negative does not scroll") << -3 << -1;
    QTest::newRow("11 does not scroll") << 11 << -1;
}

void TestScrollSpeed::tickIntervals()
{
    QFETCH(int, speed);
    QFETCH(int, interval);
    QCOMPARE(ScrollSpeed::tickInterval(speed), interval);
}

void TestScrollSpeed::stepsBySpeedAndFont_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("step");
    QTest::newRow("10 font 47") << 10 << 47 << 0 << 1;
    QTest::newRow("10 font 48") << 10 << 48 << 0 << 4;
    QTest::newRow("9 font 64") << 9 << 64 << 0 << 3;
    QTest::newRow("8 font 64") << 8 << 64 << 0 << 2;
    QTest::newRow("7 font 64") << 7 << 64 << 0 << 1;
    QTest::newRow("3 font 64") << 3 << 64 << 0 << 1;
    QTest::newRow("10 font 64 left to right") << 10 << 64 << 1 << 1;
}

void TestScrollSpeed::stepsBySpeedAndFont()
{
    QFETCH(int, speed);
    QFETCH(int, fontSize);
    QFETCH(int, direction);
    QFETCH(int, step);
    QCOMPARE(ScrollSpeed::step(speed, fontSize, direction), step);
}

void TestScrollSpeed::pixelsPerSecond_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<double>("pps");
    QTest::newRow("1") << 1 << 32 << 20.0;
    QTest::newRow("3: 1 pixel per 16 ms") << 3 << 32 << 62.5;
    QTest::newRow("5") << 5 << 32 << 100.0;
    QTest::newRow("6") << 6 << 32 << 200.0;
    QTest::newRow("10 font 32") << 10 << 32 << 500.0;
    QTest::newRow("10 font 64: 4 pixels per 2 ms") << 10 << 64 << 2000.0;
    QTest::newRow("off the table") << 12 << 64 << 0.0;
}

void TestScrollSpeed::pixelsPerSecond()
{
    QFETCH(int, speed);
    QFETCH(int, fontSize);
    QFETCH(double, pps);
    QCOMPARE(ScrollSpeed::pixelsPerSecond(speed, fontSize, 0), pps);
}

void TestScrollSpeed::rightToLeftStartsAtWidthAndWrapsPastTextAndFont()
{
    // Text 300 wide, font 20, renderer 500.
    const ScrollSpeed::Track t{0, 500, 300, 20, 5};
    QCOMPARE(t.startX(), 500);
    QCOMPARE(t.xAfterTicks(0), 500);
    QCOMPARE(t.xAfterTicks(820), -320); // still on screen's side of the edge
    QCOMPARE(t.ticksPerPass(), 821);    // the tick that would reach -321 wraps
    QCOMPARE(t.xAfterTicks(821), 500);
    QCOMPARE(t.xAfterTicks(822), 499);
}

void TestScrollSpeed::leftToRightStartsBeforeTextAndWrapsPastWidthAndFont()
{
    const ScrollSpeed::Track t{1, 500, 300, 20, 5};
    QCOMPARE(t.startX(), -300);
    QCOMPARE(t.xAfterTicks(820), 520);
    QCOMPARE(t.ticksPerPass(), 821);
    QCOMPARE(t.xAfterTicks(821), -300);
}

void TestScrollSpeed::largeStepsWrapOnTheFirstTickBelowTheEdge()
{
    const ScrollSpeed::Track t{0, 500, 300, 64, 10};
    // Edge is -(300 + 64) = -364: x = 500 - 4k < -364 first for k = 217.
    QCOMPARE(t.ticksPerPass(), 217);
    QCOMPARE(t.xAfterTicks(216), 500 - 4 * 216);
    QCOMPARE(t.xAfterTicks(217), 500);
}

void TestScrollSpeed::positionFollowsElapsedWholeTicks()
{
    const ScrollSpeed::Track t{0, 1920, 800, 32, 3};
    QCOMPARE(t.ticksAfter(15), 0);
    QCOMPARE(t.ticksAfter(16), 1);
    QCOMPARE(t.ticksAfter(1600), 100);
    const ScrollSpeed::Track off{0, 1920, 800, 32, 0};
    QCOMPARE(off.ticksAfter(100000), 0);
    QCOMPARE(off.msToFirstWrap(), -1);
}

void TestScrollSpeed::firstWrapTime()
{
    const ScrollSpeed::Track t{0, 500, 300, 20, 5};
    QCOMPARE(t.msToFirstWrap(), 8210); // 821 ticks of 10 ms
}

QTEST_APPLESS_MAIN(TestScrollSpeed)
#include "test_scrollspeed.moc"
