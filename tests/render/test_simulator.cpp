// Scheme simulation on the virtual clock: the rows real play would log, worked out by hand.
// Each scenario starts on 2026-03-02 (a Monday) unless it says otherwise.
#include "buildpaths.h"
#include "clock/virtualclock.h"
#include "model/schemewriter.h"
#include "render/mainplaybklabel.h"
#include "render/screenplayhost.h"
#include "schemebuilder.h"
#include "simulate/simulator.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace SchemeBuilder;

namespace {
const QDate day(2026, 3, 2);

// "display window, window, name, length, beginDate, endDate, beginTime, endTime"
QString row(const QString &display, const QString &window, const QString &name, int length,
            const QString &begin, const QString &end, const QDate &beginDate = day,
            const QDate &endDate = day, const QString &result = QStringLiteral("success"))
{
    return QStringList{display,
                       window,
                       name,
                       QString::number(length),
                       beginDate.toString(QStringLiteral("yyyy-MM-dd")),
                       endDate.toString(QStringLiteral("yyyy-MM-dd")),
                       begin,
                       end,
                       result}
        .join(QLatin1Char('\t'));
}

// A media file of that name that exists, as play logs a missing one as such: a small picture
// for a picture, and an empty file otherwise (the simulation decodes no video).
QString media(const QString &name)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (!QFileInfo::exists(path)) {
        if (name.endsWith(QLatin1String(".png"))) {
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(Qt::darkCyan);
            picture.save(path);
        } else {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
        }
    }
    return path;
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
               {image(media(QStringLiteral("a.png")), 5)});
        window(page(s, QStringLiteral("P2")), QStringLiteral("W2"), {image(media(QStringLiteral("b.png")), 4)});

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

    // A page whose windows are all empty between two pages of pictures: the third page's item
    // is on screen, and in the log, from the moment the first page's ends.
    void aPageOfEmptyWindowsHoldsNoTime()
    {
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        GeneralObject *s = general(dw, QStringLiteral("S1"));
        window(page(s, QStringLiteral("P1")), QStringLiteral("W1"),
               {image(media(QStringLiteral("a.png")), 3)});
        ProgramObject *empty = page(s, QStringLiteral("P2"));
        window(empty, QStringLiteral("E1"), {});
        window(empty, QStringLiteral("E2"), {}, QRect(200, 0, 200, 100));
        window(page(s, QStringLiteral("P3")), QStringLiteral("W3"),
               {image(media(QStringLiteral("b.png")), 2)});

        const QStringList lines = simulate(scheme, QDateTime(day, QTime(10, 0)), 10, true);
        QCOMPARE(rowsOnly(lines), QStringList({row("D1", "W1", "a.png", 3, "10:00:00:000", "10:00:03:000"),
                                               row("D1", "W3", "b.png", 2, "10:00:03:000", "10:00:05:000"),
                                               row("D1", "W1", "a.png", 3, "10:00:05:000", "10:00:08:000"),
                                               row("D1", "W3", "b.png", 2, "10:00:08:000", "10:00:10:000")}));
        QVERIFY(lines.filter(QStringLiteral("\tP2")).isEmpty());
    }

    // A page ends when its last window has been through its list. A window that got there on
    // the same tick began its list again and is cut at once: that item never reached the
    // screen, so it has no row and counts no play.
    void aWindowCutTheMomentItBeganAgainLogsNothing()
    {
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        GeneralObject *s = general(dw, QStringLiteral("S1"));
        ProgramObject *p1 = page(s, QStringLiteral("P1"));
        window(p1, QStringLiteral("W1"), {image(media(QStringLiteral("a.png")), 4)});
        window(p1, QStringLiteral("W2"), {image(media(QStringLiteral("b.png")), 4)}, QRect(200, 0, 200, 100));
        window(page(s, QStringLiteral("P2")), QStringLiteral("W3"),
               {image(media(QStringLiteral("c.png")), 2)});

        const QStringList rows = rowsOnly(simulate(scheme, QDateTime(day, QTime(10, 0)), 6));
        QCOMPARE(rows, QStringList({row("D1", "W1", "a.png", 4, "10:00:00:000", "10:00:04:000"),
                                    row("D1", "W2", "b.png", 4, "10:00:00:000", "10:00:04:000"),
                                    row("D1", "W3", "c.png", 2, "10:00:04:000", "10:00:06:000")}));
    }

    void cycleInsertAndTheGeneralItemResumesWhereItWas()
    {
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        window(page(general(dw, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("W1"),
               {image(media(QStringLiteral("a.png")), 7)});
        window(page(cycle(dw, QStringLiteral("C1"), 1), QStringLiteral("CP1")), QStringLiteral("CW1"),
               {image(media(QStringLiteral("c.png")), 4)});

        // a.png from 56 s is paused at 60 s with 3 s left, c.png plays 60..64, then a.png goes
        // on for its remaining 3 s: one row for it, from its real start.
        const QStringList lines = simulate(scheme, QDateTime(day, QTime(10, 0)), 75, true);
        const QStringList rows = rowsOnly(lines);
        QCOMPARE(rows.size(), 11);
        QCOMPARE(rows.at(7), row("D1", "W1", "a.png", 7, "10:00:49:000", "10:00:56:000"));
        QCOMPARE(rows.at(8), row("D1", "CW1", "c.png", 4, "10:01:00:000", "10:01:04:000"));
        // Its length is the time it was on screen: 4 s before the insert and 3 s after.
        QCOMPARE(rows.at(9), row("D1", "W1", "a.png", 7, "10:00:56:000", "10:01:07:000"));
        QCOMPARE(rows.at(10), row("D1", "W1", "a.png", 7, "10:01:07:000", "10:01:14:000"));
        QVERIFY(lines.contains("#\t2026-03-02 10:01:00.000\tD1\tinsert start\tcycleSegment\tC1"));
        QVERIFY(lines.contains("#\t2026-03-02 10:01:04.000\tD1\tinsert end\tcycleSegment\tC1"));
    }

    void eachPageShowsItsBackgroundOnTheScreenAsItPlays()
    {
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        GeneralObject *s = general(dw, QStringLiteral("S1"));
        ProgramObject *first = page(s, QStringLiteral("P1"));
        first->backgroundColor = QColor(200, 0, 0);
        window(first, QStringLiteral("W1"), {image(media(QStringLiteral("a.png")), 7)});
        ProgramObject *second = page(s, QStringLiteral("P2"));
        second->backgroundColor = QColor(0, 0, 200);
        window(second, QStringLiteral("W2"), {image(media(QStringLiteral("b.png")), 7)});
        ProgramObject *insert = page(cycle(dw, QStringLiteral("C1"), 1), QStringLiteral("CP1"));
        insert->backgroundColor = QColor(0, 200, 0);
        window(insert, QStringLiteral("CW1"), {image(media(QStringLiteral("c.png")), 4)});

        Simulator simulator(scheme, QDateTime(day, QTime(10, 0)), false, [](const QString &) {});
        MainPlayBKLabel *screen = simulator.host().screen(QStringLiteral("D1"));
        QVERIFY(screen);
        QCOMPARE(screen->pageColor(), QColor(200, 0, 0));
        simulator.run(10000);
        QCOMPARE(screen->pageColor(), QColor(0, 0, 200));
        // The insert at 10:01:00 cuts into P1 (again from 10:00:56) with its own background,
        // and P1's comes back when P1 goes on at 10:01:04.
        simulator.run(52000);
        QCOMPARE(screen->pageColor(), QColor(0, 200, 0));
        simulator.run(3000);
        QCOMPARE(screen->pageColor(), QColor(200, 0, 0));
    }

    void timingPointInterruptsAndResumes()
    {
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        window(page(general(dw, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("W1"),
               {image(media(QStringLiteral("a.png")), 7)});
        window(page(timing(dw, QStringLiteral("T1"), QTime(10, 0, 30)), QStringLiteral("TP1")),
               QStringLiteral("TW1"), {image(media(QStringLiteral("t.png")), 3)});

        const QStringList rows = rowsOnly(simulate(scheme, QDateTime(day, QTime(10, 0)), 40));
        QCOMPARE(rows, QStringList({row("D1", "W1", "a.png", 7, "10:00:00:000", "10:00:07:000"),
                                    row("D1", "W1", "a.png", 7, "10:00:07:000", "10:00:14:000"),
                                    row("D1", "W1", "a.png", 7, "10:00:14:000", "10:00:21:000"),
                                    row("D1", "W1", "a.png", 7, "10:00:21:000", "10:00:28:000"),
                                    row("D1", "TW1", "t.png", 3, "10:00:30:000", "10:00:33:000"),
                                    row("D1", "W1", "a.png", 7, "10:00:28:000", "10:00:38:000")}));
    }

    // A timing insert started again by its next point logs the item it cut, as cut by the insert.
    void anInsertRestartedByItsNextPointLogsWhatItCut()
    {
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        window(page(general(dw, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("W1"),
               {image(media(QStringLiteral("a.png")), 7)});
        TimingObject *insert = timing(dw, QStringLiteral("T1"), QTime(10, 0, 10));
        insert->playMode = 0;
        insert->playMinutes = 1;
        auto *again = new TimePoint;
        again->time = QTime(10, 0, 17);
        again->weekdays = Weekdays::all();
        insert->timePoints.append(again);
        window(page(insert, QStringLiteral("TP1")), QStringLiteral("TW1"), {image(media(QStringLiteral("t.png")), 5)});

        const QStringList rows = rowsOnly(simulate(scheme, QDateTime(day, QTime(10, 0)), 25)).filter("\tTW1\t");
        QCOMPARE(rows, QStringList({row("D1", "TW1", "t.png", 5, "10:00:10:000", "10:00:15:000"),
                                    row("D1", "TW1", "t.png", 2, "10:00:15:000", "10:00:17:000", day, day,
                                        QStringLiteral("cut short by an insert")),
                                    row("D1", "TW1", "t.png", 5, "10:00:17:000", "10:00:22:000")}));
    }

    // An event loop that is always behind delivers every expiry late, but the lateness does
    // not add up from item to item: after half an hour of pictures with effects, text pages,
    // a clock, a video and a cycle insert every minute, every row still begins within 100 ms of
    // where it begins on time.
    void latenessDoesNotAddUp()
    {
        // The simulator takes the scheme's records: each run gets its own.
        const auto busy = [](Scheme &scheme) {
            Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
            ProgramObject *p = page(general(dw, QStringLiteral("S1")), QStringLiteral("P1"));
            LumoraMediaObject *slide = image(media(QStringLiteral("slide.png")), 3);
            slide->image.entryEffectEnabled = slide->image.exitEffectEnabled = true;
            slide->image.entryEffect = 3;
            slide->image.exitEffect = 12;
            slide->image.entrySpeed = slide->image.exitSpeed = 5;
            window(p, QStringLiteral("Pictures"), {slide, image(media(QStringLiteral("still.png")), 2)});
            auto *pages = new LumoraMediaObject;
            pages->type = QStringLiteral("simpleText");
            pages->text.text =
                QStringLiteral("Words enough to fill more than one page of this small window. ").repeated(6);
            pages->text.stayTime = 2;
            auto *scrolling = new LumoraMediaObject;
            scrolling->type = QStringLiteral("scrollingText");
            scrolling->text.playDuration = QTime(0, 0, 3);
            auto *clockItem = new LumoraMediaObject;
            clockItem->type = QStringLiteral("digitalClock");
            clockItem->digitalClock.playTime = QTime(0, 0, 4);
            window(p, QStringLiteral("Texts"), {pages, scrolling, clockItem}, QRect(200, 0, 200, 100));
            window(p, QStringLiteral("Video"), {video(media(QStringLiteral("v.mp4")), QTime(0, 0, 5))},
                   QRect(0, 100, 400, 200));
            window(page(cycle(dw, QStringLiteral("C1"), 1), QStringLiteral("CP1")), QStringLiteral("Advert"),
                   {image(media(QStringLiteral("advert.png")), 4)});
        };
        const QDateTime from(day, QTime(10, 0, 0, 250));
        const qint64 seconds = 1800;
        Scheme first;
        busy(first);
        const QStringList onTime = rowsOnly(simulate(first, from, seconds));
        QStringList late;
        {
            Scheme second;
            busy(second);
            Simulator simulator(second, from, false, [&late](const QString &line) { late << line; });
            simulator.clock().setDeliveryLateness(40);
            simulator.run(seconds * 1000);
        }
        // Rows by window, in the order each window wrote them: name and begin.
        using Rows = QHash<QString, QList<QPair<QString, QDateTime>>>;
        const auto byWindow = [](const QStringList &lines) {
            Rows rows;
            for (const QString &line : lines) {
                const QStringList f = line.split(QLatin1Char('\t'));
                rows[f.at(1)] << qMakePair(f.at(2),
                                           QDateTime::fromString(f.at(4) + QLatin1Char(' ') + f.at(6),
                                                                 QStringLiteral("yyyy-MM-dd HH:mm:ss:zzz")));
            }
            return rows;
        };
        const Rows expected = byWindow(onTime);
        const Rows actual = byWindow(late);
        QCOMPARE(actual.keys().size(), 4);
        QVERIFY(expected.value(QStringLiteral("Texts")).size() > 300);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const auto &want = it.value();
            const auto &got = actual.value(it.key());
            // The last row of a window may fall just after the end in the late run.
            for (int i = 0; i < want.size() && i < got.size(); ++i) {
                QCOMPARE(got.at(i).first, want.at(i).first);
                const qint64 off = want.at(i).second.msecsTo(got.at(i).second);
                QVERIFY2(off >= 0 && off <= 100, qPrintable(QStringLiteral("%1 row %2 (%3) off by %4 ms")
                                                                .arg(it.key())
                                                                .arg(i)
                                                                .arg(want.at(i).first)
                                                                .arg(off)));
            }
            QVERIFY2(got.size() >= want.size() - 1, qPrintable(it.key()));
        }
    }

    void midnightStopsAndRestartsPlay()
    {
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        window(page(general(dw, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("W1"),
               {image(media(QStringLiteral("a.png")), 7)});
        const QDate next = day.addDays(1);
        // The item from 23:59:57 is cut by the stop at midnight and logged so, with the 3 s it
        // was on screen; play starts again 2 s later.
        const QStringList lines = simulate(scheme, QDateTime(day, QTime(23, 59, 50)), 30, true);
        QCOMPARE(rowsOnly(lines),
                 QStringList({row("D1", "W1", "a.png", 7, "23:59:50:000", "23:59:57:000"),
                              row("D1", "W1", "a.png", 3, "23:59:57:000", "00:00:00:000", day, next,
                                  QStringLiteral("cut short at midnight")),
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
               {image(media(QStringLiteral("b.png")), 2)});
        Scheme::DisplayWindow &a = display(scheme, QStringLiteral("A"));
        window(page(general(a, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("WA"),
               {video(media(QStringLiteral("clip.mp4")), QTime(0, 0, 1, 500)),
                image(media(QStringLiteral("a.png")), 1)});

        const QStringList rows = rowsOnly(simulate(scheme, QDateTime(day, QTime(9, 0)), 3));
        // 1.5 s stored: the video timer is 1 000 + (500 - 200) ms.
        QCOMPARE(rows, QStringList({row("A", "WA", "clip.mp4", 1, "09:00:00:000", "09:00:01:300"),
                                    row("B", "WB", "b.png", 2, "09:00:00:000", "09:00:02:000"),
                                    row("A", "WA", "a.png", 1, "09:00:01:300", "09:00:02:300")}));
    }

    // Stored without a length, a video plays to the end of its file; simulate reads that length
    // as the player's mpv does, and check names the file that does not tell one.
    void videosWithoutALengthLastTheirFile()
    {
        QTemporaryDir dir;
        QVERIFY(QProcess::execute(QStringLiteral("ffmpeg"),
                                  {QStringLiteral("-y"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                                   QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                                   QStringLiteral("color=c=blue:s=64x48:r=25:d=3"), QStringLiteral("-pix_fmt"),
                                   QStringLiteral("yuv420p"), dir.filePath(QStringLiteral("clip.mp4"))}) == 0);
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        // Relative names, found beside the scheme as the player finds them.
        window(page(general(dw, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("W1"),
               {video(QStringLiteral("clip.mp4"), QTime(0, 0)), video(QStringLiteral("gone.mp4"), QTime(0, 0))});
        const QString path = dir.filePath(QStringLiteral("s.schx"));
        QString error;
        QVERIFY2(SchemeWriter::save(path, scheme, &error), qPrintable(error));

        QProcess simulate;
        simulate.start(BuildPaths::path("LUMORA_SCHEME_TOOL"),
                       {QStringLiteral("simulate"), path, QStringLiteral("--start"),
                        QStringLiteral("2026-03-02T10:00:00"), QStringLiteral("--duration"), QStringLiteral("14")});
        QVERIFY(simulate.waitForFinished(60000));
        QCOMPARE(simulate.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(simulate.readAllStandardOutput()),
                 row("D1", "W1", "clip.mp4", 3, "10:00:00:000", "10:00:03:000") + '\n' +
                     row("D1", "W1", "gone.mp4", 10, "10:00:03:000", "10:00:13:000", day, day,
                         QStringLiteral("file missing")) +
                     '\n');

        QProcess check;
        check.start(BuildPaths::path("LUMORA_SCHEME_TOOL"), {QStringLiteral("check"), path});
        QVERIFY(check.waitForFinished(60000));
        const QStringList warnings =
            QString::fromUtf8(check.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QStringList lengths = warnings.filter(QStringLiteral("no stored length"));
        QCOMPARE(lengths.size(), 1);
        QVERIFY2(lengths.first().startsWith(
                     QStringLiteral("displayWindows[0].generalSegments[0].programs[0].windows[0].media[1]: "
                                    "video \"gone.mp4\"")),
                 qPrintable(lengths.first()));
        QVERIFY(lengths.first().endsWith(QStringLiteral("it shows for at most 10 s")));
    }

    void theSchemeToolRunsTheSimulator()
    {
        QTemporaryDir dir;
        Scheme scheme;
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("D1"));
        window(page(general(dw, QStringLiteral("S1")), QStringLiteral("P1")), QStringLiteral("W1"),
               {image(media(QStringLiteral("a.png")), 5)});
        const QString path = dir.filePath(QStringLiteral("s.schx"));
        QString error;
        QVERIFY2(SchemeWriter::save(path, scheme, &error), qPrintable(error));

        QProcess tool;
        tool.start(BuildPaths::path("LUMORA_SCHEME_TOOL"),
                   {QStringLiteral("simulate"), path, QStringLiteral("--start"),
                    QStringLiteral("2026-03-02T10:00:00"), QStringLiteral("--duration"),
                    QStringLiteral("12")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()),
                 row("D1", "W1", "a.png", 5, "10:00:00:000", "10:00:05:000") + '\n' +
                     row("D1", "W1", "a.png", 5, "10:00:05:000", "10:00:10:000") + '\n');

        QProcess bad;
        bad.start(BuildPaths::path("LUMORA_SCHEME_TOOL"),
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
