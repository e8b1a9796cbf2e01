// The timeline as the schedule view reads it from the simulation's output, line by line: which
// bars each line opens and closes, what a moment shows, and what is not the simulation's output.
#include "panels/timeline.h"

#include <QtTest>

namespace {
const QDate day(2026, 3, 2);

qint64 at(int h, int m, int s = 0)
{
    return ((h * 60LL + m) * 60 + s) * 1000;
}

QString simulated(const QString &time, const QString &what)
{
    return QStringLiteral("#\t2026-03-02 %1.000\tD1\t%2").arg(time, what);
}

QString row(const QString &window, const QString &name, const QString &from, const QString &to)
{
    return QStringLiteral("D1\t%1\t%2\t4\t2026-03-02\t2026-03-02\t%3:000\t%4:000\tsuccess").arg(window, name, from, to);
}
} // namespace

class TestTimeline : public QObject
{
    Q_OBJECT

private slots:
    // A page ends where the next one, or the insert that cuts in, takes the screen; an insert's
    // page ends with the insert; a general page with its segment; what lasts to the end of the
    // run ends there.
    void barsEndWhereTheScreenIsTakenFromThem()
    {
        Timeline t(day, 1);
        const QStringList lines{
            simulated("08:00:00", "play start"),
            simulated("08:00:00", "segment start\tS1"),
            simulated("08:00:00", "page\tgeneralSegment\tS1\tP1"),
            row("W1", "a.png", "08:00:00", "08:00:04"),
            simulated("08:00:04", "page\tgeneralSegment\tS1\tP2"),
            simulated("08:00:10", "insert start\tcycleSegment\tC1"),
            simulated("08:00:10", "page\tcycleSegment\tC1\tCP1"),
            row("CW1", "c.png", "08:00:10", "08:00:14"),
            simulated("08:00:14", "insert end\tcycleSegment\tC1"),
            simulated("08:00:14", "page\tgeneralSegment\tS1\tP2"),
            simulated("18:00:00", "segment end\tS1"),
            simulated("20:00:00", "segment start\tS2"),
        };
        for (const QString &line : lines)
            QVERIFY2(t.addLine(line), qPrintable(line));
        const int d = t.displayIndex(QStringLiteral("D1"));
        QCOMPARE(d, 0);

        const QVector<Timeline::Bar> &pages = t.displays().front().lanes[Timeline::PageLane];
        QCOMPARE(pages.size(), 4);
        QCOMPARE(pages.at(0).page, QStringLiteral("P1"));
        QCOMPARE(pages.at(0).end, at(8, 0, 4));
        QCOMPARE(pages.at(1).end, at(8, 0, 10));
        QCOMPARE(pages.at(2).kind, QStringLiteral("cycleSegment"));
        QCOMPARE(pages.at(2).end, at(8, 0, 14));
        QCOMPARE(pages.at(3).end, at(18, 0));
        QCOMPARE(t.barAt(d, Timeline::InsertLane, at(8, 0, 12))->segment, QStringLiteral("C1"));
        QVERIFY(!t.barAt(d, Timeline::InsertLane, at(8, 0, 15)));
        QVERIFY(!t.barAt(d, Timeline::PageLane, at(19, 0)));

        // What shows at a moment: the rows covering it.
        const QVector<const Timeline::Item *> shown = t.itemsAt(d, at(8, 0, 11));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first()->name, QStringLiteral("c.png"));

        // S2 still lasts: it ends where the run got to, then at the end of the day.
        const Timeline::Bar &second = t.displays().front().lanes[Timeline::SegmentLane].last();
        QCOMPARE(second.segment, QStringLiteral("S2"));
        QCOMPARE(t.endOf(second), at(20, 0));
        QCOMPARE(t.barAt(d, Timeline::SegmentLane, at(17, 0))->segment, QStringLiteral("S1"));
        t.finish();
        QVERIFY(t.isFinished());
        QCOMPARE(t.endOf(*t.barAt(d, Timeline::SegmentLane, at(23, 0))), Timeline::DayMsecs);
    }

    // Lines the simulation does not print are refused and leave the timeline as it was; what
    // follows them is still read.
    void whatIsNotTheSimulationsOutputIsRefused()
    {
        Timeline t(day, 1);
        const QStringList garbage{
            QString(),
            QStringLiteral("lumora-scheme simulate: cannot open"),
            QStringLiteral("#\tyesterday\tD1\tpage\tgeneralSegment\tS1\tP1"),
            QStringLiteral("#\t2026-13-02 08:00:00.000\tD1\tsegment start\tS1"),
            QStringLiteral("#\t2026-03-02 25:00:00.000\tD1\tsegment start\tS1"),
            QStringLiteral("#\t2026-03-02 08:0x:00.000\tD1\tsegment start\tS1"),
            row("W1", "a.png", "08:00:04", "08:00:00"), // ends before it starts
            QStringLiteral("D1\tW1\ta.png\t4\t2026-03-02\t2026-03-02\t08:00:00:000\tnever\tsuccess"),
        };
        for (const QString &line : garbage)
            QVERIFY2(!t.addLine(line), qPrintable(line));
        QVERIFY(t.displays().empty());
        QCOMPARE(t.reached(), 0);

        // A page event without its names opens nothing.
        QVERIFY(!t.addLine(simulated("08:00:00", "page\tgeneralSegment")));
        QVERIFY(t.addLine(simulated("08:00:00", "segment start\tS1")));
        // A row cut as it began was never on the screen: read, but no item.
        QVERIFY(t.addLine(row("W1", "a.png", "08:00:01", "08:00:01")));
        QVERIFY(t.addLine(row("W1", "b.png", "08:00:01", "08:00:05")));
        const Timeline::Display &d = t.displays().front();
        QCOMPARE(d.lanes[Timeline::SegmentLane].size(), 1);
        QCOMPARE(d.lanes[Timeline::PageLane].size(), 0);
        QCOMPARE(d.items.size(), 1);
        QCOMPARE(d.items.first().name, QStringLiteral("b.png"));
        QCOMPARE(t.reached(), at(8, 0, 5));
    }
};

QTEST_GUILESS_MAIN(TestTimeline)
#include "test_timeline.moc"
