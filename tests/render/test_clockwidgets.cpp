#include "clock/virtualclock.h"
#include "model/lumoramediaobject.h"
#include "render/analogclockwidget.h"
#include "render/digitalclockwidget.h"
#include "render/digitaltimerwin.h"

#include <QtTest>

#include <memory>

// The digital clock, the analog clock and the count timer on real X windows, ticking on
// the virtual clock.
class TestClockWidgets : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Digital clock
    void digitalClockTicksEveryHalfSecondWhileStarted();
    void digitalClockRowsLeaveOutEmptyParts();
    void digitalClockDrawsOneRowAndSeveralRows();

    // Analog clock
    void analogHandsPointAtTheTime();
    void analogMarksDateAndWeekdayAreWhereTheDialPutsThem();
    void analogClockShiftsByTheTimeDifference();

    // Count timer
    void countDownShowsFourNineHundredAfterItsFirstTick();
    void countUpAndStop();

private:
    std::unique_ptr<VirtualClock> m_clock;
    QColor colourAt(const QImage &img, int x, int y) { return QColor(img.pixel(x, y)); }
};

void TestClockWidgets::init()
{
    // Saturday 8 June 2024, 09:15:30.
    m_clock = std::make_unique<VirtualClock>(QDateTime(QDate(2024, 6, 8), QTime(9, 15, 30)));
    Clock::setCurrent(m_clock.get());
}

void TestClockWidgets::cleanup()
{
    Clock::setCurrent(nullptr);
    m_clock.reset();
}

void TestClockWidgets::digitalClockTicksEveryHalfSecondWhileStarted()
{
    digitalClockWidget w;
    DigitalClockProperties item;
    w.setupItem(item);
    w.startTick();
    QCOMPARE(w.texts.time, QStringLiteral("09:15:30"));
    QCOMPARE(w.texts.weekday, QStringLiteral("Saturday"));
    m_clock->advance(499);
    QCOMPARE(w.texts.time, QStringLiteral("09:15:30"));
    m_clock->advance(1001);
    QCOMPARE(w.texts.time, QStringLiteral("09:15:31"));
    w.stopTick();
    m_clock->advance(5000);
    QCOMPARE(w.texts.time, QStringLiteral("09:15:31"));
}

void TestClockWidgets::digitalClockRowsLeaveOutEmptyParts()
{
    digitalClockWidget w;
    DigitalClockProperties item;
    item.multiRow = true;
    w.setupItem(item);
    QCOMPARE(w.fixedText, QStringLiteral(" "));
    QCOMPARE(w.rows(), QStringList({QStringLiteral("2024/06/08"), QStringLiteral("Saturday"),
                                    QStringLiteral("09:15:30AM")}));
    item.fixedText = QStringLiteral("Lobby");
    item.showWeek = false;
    w.setupItem(item);
    QCOMPARE(w.rows(), QStringList({QStringLiteral(" Lobby"), QStringLiteral("2024/06/08"),
                                    QStringLiteral("09:15:30AM")}));
    QCOMPARE(w.oneRow(), QStringLiteral("  Lobby 2024/06/08    09:15:30AM "));
}

void TestClockWidgets::digitalClockDrawsOneRowAndSeveralRows()
{
    digitalClockWidget w;
    w.setStyleSheet(QStringLiteral("background:black"));
    w.resize(480, 200);
    DigitalClockProperties item;
    item.fontFamily = QStringLiteral("DejaVu Sans");
    item.fontSize = 14;
    item.fixedText = QStringLiteral("Lumora");
    item.color = QColor(0, 255, 0);
    w.setupItem(item);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto inkRows = [&w]() {
        const QImage img = w.grab().toImage();
        QVector<bool> ink(img.height(), false);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (QColor(img.pixel(x, y)).green() > 128)
                    ink[y] = true;
        int bands = 0;
        for (int y = 0; y < ink.size(); ++y)
            if (ink[y] && (y == 0 || !ink[y - 1]))
                ++bands;
        return bands;
    };
    QCOMPARE(inkRows(), 1);
    item.multiRow = true;
    w.setupItem(item);
    QCOMPARE(inkRows(), 4);
}

void TestClockWidgets::analogHandsPointAtTheTime()
{
    AnalogClockWidget w;
    w.setStyleSheet(QStringLiteral("background:black"));
    w.resize(400, 400); // two pixels per dial unit
    AnalogClockProperties item;
    item.hourHandColor = QColor(255, 255, 0);
    item.minuteHandColor = QColor(0, 0, 255);
    item.secondHandColor = QColor(255, 0, 0);
    item.showDate = false;
    w.setupItem(item);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.displayedTime, QTime(9, 15, 30));
    const QImage img = w.grab().toImage();
    // 09:15:30: hour hand at 277.5 degrees, minute hand at 93, second hand at 180.
    auto along = [](qreal degrees, qreal r) {
        const qreal a = qDegreesToRadians(degrees);
        return QPoint(qRound(200 + 2 * r * qSin(a)), qRound(200 - 2 * r * qCos(a)));
    };
    const QPoint hour = along(277.5, 15);
    const QPoint minute = along(93, 25);
    const QPoint second = along(180, 30);
    QCOMPARE(colourAt(img, hour.x(), hour.y()), QColor(255, 255, 0));
    QCOMPARE(colourAt(img, minute.x(), minute.y()), QColor(0, 0, 255));
    const QColor s = colourAt(img, second.x(), second.y());
    QVERIFY2(s.red() > 150 && s.green() < 60 && s.blue() < 60, qPrintable(s.name()));
    // Nothing where no hand points (12 o'clock, inside the marks).
    const QPoint empty = along(0, 40);
    QCOMPARE(colourAt(img, empty.x(), empty.y()), QColor(Qt::black));
}

void TestClockWidgets::analogMarksDateAndWeekdayAreWhereTheDialPutsThem()
{
    AnalogClockWidget w;
    w.setStyleSheet(QStringLiteral("background:black"));
    w.resize(400, 400);
    AnalogClockProperties item;
    item.hourMarkColor = QColor(0, 255, 0);
    item.hourMarkWidth = 6;
    item.hourMarkHeight = 6;
    item.minuteMarkColor = QColor(255, 0, 255);
    item.showDate = true;
    item.showWeek = true;
    item.dateColor = QColor(255, 255, 255);
    item.weekColor = QColor(0, 255, 255);
    item.text = QStringLiteral("LUMORA");
    item.textColor = QColor(255, 128, 0);
    w.setupItem(item);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage img = w.grab().toImage();
    // Hour marks at 90 units from the centre at every 30 degrees, minute marks between.
    for (int i = 0; i < 12; ++i) {
        const qreal a = qDegreesToRadians(30.0 * i);
        const QColor c = colourAt(img, qRound(200 + 180 * qSin(a)), qRound(200 + 180 * qCos(a)));
        QCOMPARE(c, QColor(0, 255, 0));
    }
    const qreal m = qDegreesToRadians(12.0);
    QCOMPARE(colourAt(img, qRound(200 + 181 * qSin(m)), qRound(200 + 181 * qCos(m))), QColor(255, 0, 255));
    auto count = [&img](const QRect &logical, const QColor &colour) {
        int n = 0;
        const QRect r(200 + 2 * logical.left(), 200 + 2 * logical.top(), 2 * logical.width(),
                      2 * logical.height());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (QColor(img.pixel(x, y)) == colour)
                    ++n;
        return n;
    };
    QVERIFY(count(QRect(QPoint(-40, 20), QPoint(39, 39)), QColor(255, 255, 255)) > 10); // "06/08"
    QVERIFY(count(QRect(QPoint(-40, 40), QPoint(39, 59)), QColor(0, 255, 255)) > 10);   // "Saturday"
    QVERIFY(count(QRect(QPoint(-40, -40), QPoint(39, -21)), QColor(255, 128, 0)) > 10); // free text
    QCOMPARE(count(QRect(QPoint(-40, 20), QPoint(39, 59)), QColor(255, 128, 0)), 0);
    QCOMPARE(w.dateText, QStringLiteral("06/08"));
}

void TestClockWidgets::analogClockShiftsByTheTimeDifference()
{
    m_clock->runUntil(QDateTime(QDate(2024, 6, 8), QTime(23, 30)));
    AnalogClockWidget w;
    AnalogClockProperties item;
    item.timeDiff = QTime(2, 0, 0);
    item.dateStyle = 1;
    w.setupItem(item);
    QCOMPARE(w.displayedTime, QTime(1, 30));
    QCOMPARE(w.dateText, QStringLiteral("09/06"));
    QCOMPARE(w.weekdayText, QStringLiteral("Sunday"));
    w.startTick();
    m_clock->advance(1000);
    QCOMPARE(w.displayedTime, QTime(1, 30, 1));
}

void TestClockWidgets::countDownShowsFourNineHundredAfterItsFirstTick()
{
    DigitalTimerWin w;
    w.resize(480, 120);
    CountTimerProperties item;
    item.length = QTime(0, 0, 5);
    item.numberColor = QColor(0, 200, 255);
    w.setupItem(item);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.value.text(), QStringLiteral("00:00:05:0"));
    m_clock->advance(100);
    QCOMPARE(w.value.text(), QStringLiteral("00:00:04:900"));
    QCOMPARE(w.styleSheet(), QStringLiteral("color:rgb(0,200,255);"));
    QCOMPARE(w.digitCount(), 12);
    m_clock->advance(4900);
    QCOMPARE(w.value.value(), QTime(0, 0, 0));
    m_clock->advance(1000);
    QCOMPARE(w.value.value(), QTime(0, 0, 0));
}

void TestClockWidgets::countUpAndStop()
{
    DigitalTimerWin w;
    CountTimerProperties item;
    item.countUp = 1;
    item.length = QTime(0, 1, 0);
    w.setupItem(item);
    m_clock->advance(2500);
    QCOMPARE(w.value.text(), QStringLiteral("00:00:02:500"));
    w.stopTick();
    m_clock->advance(2500);
    QCOMPARE(w.value.text(), QStringLiteral("00:00:02:500"));
    w.startTick();
    m_clock->advance(300);
    QCOMPARE(w.value.text(), QStringLiteral("00:00:02:800"));
}

QTEST_MAIN(TestClockWidgets)
#include "test_clockwidgets.moc"
