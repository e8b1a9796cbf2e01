#include "textcore/clockshift.h"
#include "textcore/counttimervalue.h"
#include "textcore/digitalclocktext.h"

#include <QtTest>

// Texts of the digital clock, the shifted time of both clocks, and the count timer's value.
class TestClockTexts : public QObject
{
    Q_OBJECT

private slots:
    // Time difference
    void aheadPastMidnightShowsNextDateAndWeekday();
    void aheadFromSundayGivesMonday();
    void aheadToExactlyMidnightIsTheNextDay();
    void behindPastMidnightShowsPreviousDay();
    void noDifferenceKeepsToday();

    // Digital clock texts
    void twelveHourRule_data();
    void twelveHourRule();
    void onlyTheHourWhenMinuteAndSecondHidden();
    void dateStyles_data();
    void dateStyles();
    void twoDigitYear();
    void hiddenWeekdayAndHalfDayAreEmpty();

    // Count timer
    void countDownShowsFourNineHundredAfterFirstTick();
    void countUpStartsAtZeroAndSteps();
    void countDownStopsAtZero();
    void countUpStopsAtItsLength();
};

namespace {
QDateTime at(int y, int mo, int d, int h, int mi, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}
} // namespace

void TestClockTexts::aheadPastMidnightShowsNextDateAndWeekday()
{
    DigitalClockText::Settings s;
    s.showSecond = false;
    s.timeDiff = QTime(2, 0, 0);
    // Saturday 8 June 2024, 23:30.
    const DigitalClockText t = DigitalClockText::compute(s, at(2024, 6, 8, 23, 30));
    QCOMPARE(t.time, QStringLiteral("01:30"));
    QCOMPARE(t.date, QStringLiteral("2024/06/09"));
    QCOMPARE(t.weekday, QStringLiteral("Sunday"));
}

void TestClockTexts::aheadFromSundayGivesMonday()
{
    DigitalClockText::Settings s;
    s.timeDiff = QTime(2, 0, 0);
    const DigitalClockText t = DigitalClockText::compute(s, at(2024, 6, 9, 23, 30, 15));
    QCOMPARE(t.time, QStringLiteral("01:30:15"));
    QCOMPARE(t.weekday, QStringLiteral("Monday"));
    // Across the end of a year.
    const DigitalClockText ny = DigitalClockText::compute(s, at(2024, 12, 31, 23, 0));
    QCOMPARE(ny.date, QStringLiteral("2025/01/01"));
}

void TestClockTexts::aheadToExactlyMidnightIsTheNextDay()
{
    const ClockShift c = ClockShift::shift(at(2024, 6, 8, 22, 0), 0, QTime(2, 0, 0));
    QCOMPARE(c.time, QTime(0, 0, 0));
    QVERIFY(c.nextDay);
    QCOMPARE(c.date, QDate(2024, 6, 9));
}

void TestClockTexts::behindPastMidnightShowsPreviousDay()
{
    DigitalClockText::Settings s;
    s.timeDiffMode = 1;
    s.timeDiff = QTime(1, 30, 0);
    // Monday 10 June 2024, 00:45.
    const DigitalClockText t = DigitalClockText::compute(s, at(2024, 6, 10, 0, 45));
    QCOMPARE(t.time, QStringLiteral("23:15:00"));
    QCOMPARE(t.date, QStringLiteral("2024/06/09"));
    QCOMPARE(t.weekday, QStringLiteral("Sunday"));
    const ClockShift exact = ClockShift::shift(at(2024, 6, 10, 1, 30), 1, QTime(1, 30, 0));
    QVERIFY(!exact.previousDay);
    QCOMPARE(exact.time, QTime(0, 0, 0));
}

void TestClockTexts::noDifferenceKeepsToday()
{
    const ClockShift c =
        ClockShift::shift(QDateTime(QDate(2024, 6, 8), QTime(23, 59, 59, 999)), 0, QTime(0, 0));
    QCOMPARE(c.time, QTime(23, 59, 59));
    QCOMPARE(c.date, QDate(2024, 6, 8));
    QVERIFY(!c.nextDay && !c.previousDay);
}

void TestClockTexts::twelveHourRule_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("hour");
    QTest::addColumn<QString>("ampm");
    QTest::newRow("13:05") << QTime(13, 5) << "01"
                           << "PM";
    QTest::newRow("12:30") << QTime(12, 30) << "12"
                           << "PM";
    QTest::newRow("00:10") << QTime(0, 10) << "12"
                           << "AM";
    QTest::newRow("11:59") << QTime(11, 59) << "11"
                           << "AM";
    QTest::newRow("23:59") << QTime(23, 59) << "11"
                           << "PM";
}

void TestClockTexts::twelveHourRule()
{
    QFETCH(QTime, time);
    QFETCH(QString, hour);
    QFETCH(QString, ampm);
    DigitalClockText::Settings s;
    s.hour12 = true;
    s.showSecond = false;
    const DigitalClockText t = DigitalClockText::compute(s, QDateTime(QDate(2024, 6, 8), time));
    QCOMPARE(t.time, hour + QLatin1Char(':') + time.toString(QStringLiteral("mm")));
    QCOMPARE(t.ampm, ampm);
}

void TestClockTexts::onlyTheHourWhenMinuteAndSecondHidden()
{
    DigitalClockText::Settings s;
    s.showMinute = false;
    s.showSecond = false;
    QCOMPARE(DigitalClockText::compute(s, at(2024, 6, 8, 9, 41, 7)).time, QStringLiteral("09"));
    s.showHour = false;
    s.showSecond = true;
    QCOMPARE(DigitalClockText::compute(s, at(2024, 6, 8, 9, 41, 7)).time, QStringLiteral("07"));
}

void TestClockTexts::dateStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("showYear");
    QTest::addColumn<QString>("date");
    QTest::newRow("0") << 0 << true << "2024/06/08";
    QTest::newRow("1") << 1 << true << "08/06/2024";
    QTest::newRow("2") << 2 << true << "06/08/2024";
    QTest::newRow("2 without year") << 2 << false << "06/08";
    QTest::newRow("0 without year") << 0 << false << "06/08";
    QTest::newRow("1 without year") << 1 << false << "08/06";
}

void TestClockTexts::dateStyles()
{
    QFETCH(int, style);
    QFETCH(bool, showYear);
    QFETCH(QString, date);
    DigitalClockText::Settings s;
    s.dateStyle = style;
    s.showYear = showYear;
    QCOMPARE(DigitalClockText::compute(s, at(2024, 6, 8, 10, 0)).date, date);
}

void TestClockTexts::twoDigitYear()
{
    DigitalClockText::Settings s;
    s.twoDigitYear = true;
    const DigitalClockText t = DigitalClockText::compute(s, at(2024, 6, 8, 10, 0));
    QCOMPARE(t.year, QStringLiteral("24"));
    QCOMPARE(t.date, QStringLiteral("24/06/08"));
}

void TestClockTexts::hiddenWeekdayAndHalfDayAreEmpty()
{
    DigitalClockText::Settings s;
    s.showWeek = false;
    s.showHalfDay = false;
    s.showDay = false;
    const DigitalClockText t = DigitalClockText::compute(s, at(2024, 6, 8, 15, 0));
    QVERIFY(t.weekday.isEmpty());
    QVERIFY(t.ampm.isEmpty());
    QCOMPARE(t.date, QStringLiteral("2024/06"));
}

void TestClockTexts::countDownShowsFourNineHundredAfterFirstTick()
{
    CountTimerValue v;
    v.reset(QTime(0, 0, 5), 0);
    QCOMPARE(v.text(), QStringLiteral("00:00:05:0"));
    v.tick();
    QCOMPARE(v.text(), QStringLiteral("00:00:04:900"));
    for (int i = 0; i < 49; ++i)
        v.tick();
    QCOMPARE(v.value(), QTime(0, 0, 0));
}

void TestClockTexts::countUpStartsAtZeroAndSteps()
{
    CountTimerValue v;
    v.reset(QTime(1, 0, 0), 1);
    QCOMPARE(v.value(), QTime(0, 0, 0));
    for (int i = 0; i < 12; ++i)
        v.tick();
    QCOMPARE(v.text(), QStringLiteral("00:00:01:200"));
}

void TestClockTexts::countDownStopsAtZero()
{
    CountTimerValue v;
    v.reset(QTime(0, 0, 0, 200), 0);
    v.tick();
    v.tick();
    v.tick();
    QCOMPARE(v.value(), QTime(0, 0, 0));
    QCOMPARE(v.text(), QStringLiteral("00:00:00:0"));
}

void TestClockTexts::countUpStopsAtItsLength()
{
    CountTimerValue v;
    v.reset(QTime(23, 59, 59, 900), 1);
    for (int i = 0; i < 4; ++i)
        v.reset(QTime(0, 0, 0, 300), 1);
    for (int i = 0; i < 10; ++i)
        v.tick();
    QCOMPARE(v.value(), QTime(0, 0, 0, 300));
}

QTEST_APPLESS_MAIN(TestClockTexts)
#include "test_clocktexts.moc"
