// Scheme simulation on the virtual clock: the rows real play would log, worked out by hand.
// Each scenario starts on 2026-03-02 (a Monday) unless it says otherwise.
#include "schemebuilder.h"
#include "schemewriter.h"
#include "simulator.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace SchemeBuilder;

namespace {
const QDate day(2026, 3, 2);

// "display window, window, name, length, beginDate, endDate, beginTime, endTime"
QString row(const QString &display, const QString &window, const QString &name, int length,
            const QString &begin, const QString &end, const QDate &beginDate = day,
            const QDate &endDate = day)
{
    return QStringList{display,
                       window,
                       name,
                       QString::number(length),
                       beginDate.toString(QStringLiteral("yyyy-MM-dd")),
                       endDate.toString(QStringLiteral("yyyy-MM-dd")),
                       begin,
                       end,
                       QStringLiteral("success")}
        .join(QLatin1Char('\t'));
}

QStringList simulate(Scheme &scheme, const QDateTime &start, qint64 seconds, bool events = false)
{
    QStringList lines;
    Simulator simulator(scheme, start, events, [&lines](const QString &line) { lines << line; });
    simulator.run(seconds * 1000);
    return lines;
}

QStringList rowsOnly(const QStringList &lines)
{
    QStringList rows;
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1Char('#')))
            rows << line;
    }
    return rows;
}
} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT

private slots:
    void pagePlayedThreeTimesThenTheNext()
    {
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        GeneralObject *s = general(dw, QStringLiteral("S1"));
        window(page(s, QStringLiteral("P1"), ProgramObject::ByTimes, 3), QStringLiteral("W1"),
               {image(QStringLiteral("/m/a.png"), 5)});
        window(page(s, QStringLiteral("P2")), QStringLiteral("W2"), {image(QStringLiteral("/m/b.png"), 4)});

        const QStringList lines = simulate(scheme, QDateTime(day, QTime(10, 0)), 30, true);
        QCOMPARE(rowsOnly(lines), QStringList({row("D1", "W1", "a.png", 5, "10:00:00:000", "10:00:05:000"),
                                               row("D1", "W1", "a.png", 5, "10:00:05:000", "10:00:10:000"),
                                               row("D1", "W1", "a.png", 5, "10:00:10:000", "10:00:15:000"),
                                               row("D1", "W2", "b.png", 4, "10:00:15:000", "10:00:19:000"),
                                               row("D1", "W1", "a.png", 5, "10:00:19:000", "10:00:24:000"),
                                               row("D1", "W1", "a.png", 5, "10:00:24:000", "10:00:29:000")}));
        QStringList events;
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1Char('#')))
                events << line.section(QLatin1Char('\t'), 1);
        }
        QCOMPARE(events, QStringList({"2026-03-02 10:00:00.000\tD1\tplay start",
                                      "2026-03-02 10:00:00.000\tD1\tsegment start\tS1",
                                      "2026-03-02 10:00:00.000\tD1\tpage\tgeneralSegment\tS1\tP1",
                                      "2026-03-02 10:00:15.000\tD1\tpage\tgeneralSegment\tS1\tP2",
                                      "2026-03-02 10:00:19.000\tD1\tpage\tgeneralSegment\tS1\tP1"}));
    }

    void cycleInsertAndTheGeneralItemResumesWhereItWas()
    {
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        window(page(general(dw, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("W1"),
               {image(QStringLiteral("/m/a.png"), 7)});
        window(page(cycle(dw, QStringLiteral("C1"), 1), QStringLiteral("CP1")), QStringLiteral("CW1"),
               {image(QStringLiteral("/m/c.png"), 4)});

        // a.png from 56 s is paused at 60 s after 39 tenths (the per-second check, armed for
        // that second a second before, comes before the running counter's tick of that
        // instant), c.png plays 60..64, then a.png goes on for its remaining 3.1 s: one row for
        // it, from its real start.
        const QStringList lines = simulate(scheme, QDateTime(day, QTime(10, 0)), 75, true);
        const QStringList rows = rowsOnly(lines);
        QCOMPARE(rows.size(), 11);
        QCOMPARE(rows.at(7), row("D1", "W1", "a.png", 7, "10:00:49:000", "10:00:56:000"));
        QCOMPARE(rows.at(8), row("D1", "CW1", "c.png", 4, "10:01:00:000", "10:01:04:000"));
        QCOMPARE(rows.at(9), row("D1", "W1", "a.png", 11, "10:00:56:000", "10:01:07:100"));
        QCOMPARE(rows.at(10), row("D1", "W1", "a.png", 7, "10:01:07:100", "10:01:14:100"));
        QVERIFY(lines.contains("#\t2026-03-02 10:01:00.000\tD1\tinsert start\tcycleSegment\tC1"));
        QVERIFY(lines.contains("#\t2026-03-02 10:01:04.000\tD1\tinsert end\tcycleSegment\tC1"));
    }

    void timingPointInterruptsAndResumes()
    {
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        window(page(general(dw, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("W1"),
               {image(QStringLiteral("/m/a.png"), 7)});
        window(page(timing(dw, QStringLiteral("T1"), QTime(10, 0, 30)), QStringLiteral("TP1")),
               QStringLiteral("TW1"), {image(QStringLiteral("/m/t.png"), 3)});

        const QStringList rows = rowsOnly(simulate(scheme, QDateTime(day, QTime(10, 0)), 40));
        QCOMPARE(rows, QStringList({row("D1", "W1", "a.png", 7, "10:00:00:000", "10:00:07:000"),
                                    row("D1", "W1", "a.png", 7, "10:00:07:000", "10:00:14:000"),
                                    row("D1", "W1", "a.png", 7, "10:00:14:000", "10:00:21:000"),
                                    row("D1", "W1", "a.png", 7, "10:00:21:000", "10:00:28:000"),
                                    row("D1", "TW1", "t.png", 3, "10:00:30:000", "10:00:33:000"),
                                    row("D1", "W1", "a.png", 10, "10:00:28:000", "10:00:38:100")}));
    }

    void midnightStopsAndRestartsPlay()
    {
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        window(page(general(dw, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("W1"),
               {image(QStringLiteral("/m/a.png"), 7)});
        const QDate next = day.addDays(1);
        // The item from 23:59:57 is cut by the stop at midnight and never logged; play starts
        // again 2 s later.
        const QStringList lines = simulate(scheme, QDateTime(day, QTime(23, 59, 50)), 30, true);
        QCOMPARE(rowsOnly(lines),
                 QStringList({row("D1", "W1", "a.png", 7, "23:59:50:000", "23:59:57:000"),
                              row("D1", "W1", "a.png", 7, "00:00:02:000", "00:00:09:000", next, next),
                              row("D1", "W1", "a.png", 7, "00:00:09:000", "00:00:16:000", next, next)}));
        QVERIFY(lines.contains("#\t2026-03-03 00:00:00.000\tD1\tplay stop"));
        QVERIFY(lines.contains("#\t2026-03-03 00:00:02.000\tD1\tplay start"));
    }

    void videosLastTheirStoredLengthAndDisplaysStartInNameOrder()
    {
        Scheme scheme;
        // Created B first: the start still goes by name, so A's rows come first at equal times.
        Scheme::DisplayWindow &b = display(scheme, QStringLiteral("B"));
        window(page(general(b, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("WB"),
               {image(QStringLiteral("/m/b.png"), 2)});
        Scheme::DisplayWindow &a = display(scheme, QStringLiteral("A"));
        window(page(general(a, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("WA"),
               {video(QStringLiteral("/m/clip.mp4"), QTime(0, 0, 1, 500)),
                image(QStringLiteral("/m/a.png"), 1)});

        const QStringList rows = rowsOnly(simulate(scheme, QDateTime(day, QTime(9, 0)), 3));
        // 1.5 s stored: the video timer is 1 000 + (500 - 200) ms.
        QCOMPARE(rows, QStringList({row("A", "WA", "clip.mp4", 1, "09:00:00:000", "09:00:01:300"),
                                    row("B", "WB", "b.png", 2, "09:00:00:000", "09:00:02:000"),
                                    row("A", "WA", "a.png", 1, "09:00:01:300", "09:00:02:300")}));
    }

    void theSchemeToolRunsTheSimulator()
    {
        QTemporaryDir dir;
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        window(page(general(dw, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("W1"),
               {image(QStringLiteral("/m/a.png"), 5)});
        const QString path = dir.filePath(QStringLiteral("s.schx"));
        QString error;
        QVERIFY2(SchemeWriter::save(path, scheme, &error), qPrintable(error));

        QProcess tool;
        tool.start(QStringLiteral(LUMORA_SCHEME_TOOL),
                   {QStringLiteral("simulate"), path, QStringLiteral("--start"),
                    QStringLiteral("2026-03-02T10:00:00"), QStringLiteral("--duration"),
                    QStringLiteral("12")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()),
                 row("D1", "W1", "a.png", 5, "10:00:00:000", "10:00:05:000") + '\n' +
                     row("D1", "W1", "a.png", 5, "10:00:05:000", "10:00:10:000") + '\n');

        QProcess bad;
        bad.start(QStringLiteral(LUMORA_SCHEME_TOOL),
                  {QStringLiteral("simulate"), path, QStringLiteral("--start"), QStringLiteral("tomorrow"),
                   QStringLiteral("--duration"), QStringLiteral("10")});
        QVERIFY(bad.waitForFinished(60000));
        QCOMPARE(bad.exitCode(), 2);
        QVERIFY(bad.readAllStandardOutput().isEmpty());
        QVERIFY(bad.readAllStandardError().contains("--start"));
    }
};

QTEST_MAIN(TestSimulator)
#include "test_simulator.moc"
