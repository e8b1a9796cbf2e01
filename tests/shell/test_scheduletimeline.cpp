// The schedule view's timeline through the real main window: the shipped demo, as edited,
// simulated by the real lumora-simulate in a child process, against lumora-scheme simulate of
// the same day; what its tooltip names; a scheme the simulation refuses; and the children it
// leaves (none).
#include "appcore/settings.h"
#include "buildpaths.h"
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "model/displayschedule.h"
#include "panels/scheduleview.h"
#include "panels/timelinechart.h"
#include "panels/timelinerun.h"
#include "scriptedwidget.h"
#include "shell/prodoc.h"

#include <QDir>
#include <QMenu>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QLabel>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

#include <unistd.h>

namespace {
const QDate Day(2027, 1, 5);
// Bars and rows agree to the second.
constexpr qint64 Slack = 1000;

// What lumora-scheme simulate printed for one display window: the times of each event, by the
// event and its details, its play-log rows, and its pages in turn.
struct Simulated
{
    QHash<QString, QVector<qint64>> events;
    struct Row
    {
        QString window, name;
        qint64 start, end;
    };
    QVector<Row> rows;
    QVector<std::pair<qint64, QString>> pages; // in order
};

// `time` is "HH:mm:ss.zzz" in events, "HH:mm:ss:zzz" in rows.
qint64 msecsOf(const QString &date, const QString &time)
{
    const QDateTime at =
        QDateTime::fromString(date + QLatin1Char(' ') + time.left(8) + QLatin1Char('.') + time.mid(9),
                              QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    return QDateTime(Day, QTime(0, 0)).msecsTo(at);
}

bool near(const QVector<qint64> &times, qint64 at)
{
    return std::any_of(times.cbegin(), times.cend(), [at](qint64 t) { return qAbs(t - at) <= Slack; });
}

// The children of this process still in the process table, zombies included.
QStringList childProcesses()
{
    QStringList found;
    const QString self = QString::number(getpid());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid ...; the name may hold spaces, not a ')'.
        const QString line = QString::fromUtf8(stat.readAll());
        const QStringList fields = line.mid(line.lastIndexOf(QLatin1Char(')')) + 2).split(QLatin1Char(' '));
        if (fields.size() > 1 && fields.at(1) == self)
            found << line.left(line.lastIndexOf(QLatin1Char(')')) + 1) + QLatin1Char(' ') + fields.at(0);
    }
    return found;
}
} // namespace

class TestScheduleTimeline : public QObject
{
    Q_OBJECT

private:
    ScheduleView *view() const { return m_widget->scheduleView(); }
    const Timeline &timeline() const { return view()->timelineRun()->timeline(); }
    void selectRoot()
    {
        ProjectTree *tree = m_widget->treeOf(m_widget->currentDisplayName());
        tree->setCurrentTreeItem(static_cast<ProjectTreeItem *>(tree->rootItem()));
        tree->slotSelectItemChecked();
    }

private slots:
    void initTestCase()
    {
        const QString demo = BuildPaths::path("LUMORA_DEMO_SCHEME");
        QVERIFY2(QFileInfo::exists(demo), qPrintable(demo));
        QVERIFY(m_dir.isValid());
        setApplicationDirectory(m_dir.path());
        appSettings() = AppSettings();

        m_widget = new ScriptedWidget;
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget));
        QVERIFY(m_widget->openSchemeFile(demo, false));
        selectRoot();
        QVERIFY(view()->isVisible());
        QCOMPARE(view()->tabs()->currentIndex(), 0);

        // As the operator would ask: the figures are printed, not held against anything.
        QElapsedTimer clock;
        clock.start();
        view()->showTimelineDay(Day);
        QVERIFY(view()->timelineRun()->isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!timeline().displays().empty() &&
                                     !timeline().displays().front().lanes[Timeline::PageLane].isEmpty(),
                                 60000);
        const qint64 first = clock.elapsed();
        QTRY_VERIFY_WITH_TIMEOUT(timeline().isFinished(), 240000);
        qInfo("first bars after %lld ms, the whole day after %lld ms", first, clock.elapsed());
        QVERIFY(view()->timelineNotice()->isHidden());

        QProcess tool;
        tool.start(BuildPaths::path("LUMORA_SCHEME_TOOL"),
                   {QStringLiteral("simulate"), demo, QStringLiteral("--start"),
                    Day.toString(Qt::ISODate) + QStringLiteral("T00:00:00"), QStringLiteral("--duration"),
                    QStringLiteral("86400"), QStringLiteral("--events")});
        QVERIFY(tool.waitForFinished(240000));
        QCOMPARE(tool.exitCode(), 0);
        for (const QByteArray &bytes : tool.readAllStandardOutput().split('\n')) {
            const QStringList f = QString::fromUtf8(bytes).split(QLatin1Char('\t'));
            if (f.size() >= 4 && f.at(0) == QLatin1String("#")) {
                const qint64 at = msecsOf(f.at(1).left(10), f.at(1).mid(11));
                Simulated &s = m_simulated[f.at(2)];
                s.events[f.mid(3).join(QLatin1Char('\t'))] << at;
                s.events[QStringLiteral("any")] << at;
                if (f.at(3) == QLatin1String("page"))
                    s.pages.append({at, f.at(6)});
            } else if (f.size() == 9) {
                Simulated &s = m_simulated[f.at(0)];
                const qint64 start = msecsOf(f.at(4), f.at(6));
                const qint64 end = msecsOf(f.at(5), f.at(7));
                s.rows.append({f.at(1), f.at(2), start, end});
            }
        }
        QVERIFY(!m_simulated.isEmpty());
    }

    void cleanupTestCase()
    {
        delete m_widget;
        // The panel went with the window, and with it any run: nothing is left running or
        // unreaped.
        QTRY_COMPARE(childProcesses(), QStringList());
    }

    // Every bar of the timeline is what the simulation printed for the day: segments, inserts
    // and pages start at their events and end at the events that close them (a page, at
    // whatever takes the screen from it), and there is one for each.
    void theDemoDayIsItsSimulation()
    {
        QCOMPARE(int(timeline().displays().size()), m_simulated.size());
        for (const Timeline::Display &d : timeline().displays()) {
            QVERIFY2(m_simulated.contains(d.name), qPrintable(d.name));
            const Simulated &s = m_simulated.value(d.name);
            const QVector<qint64> any = s.events.value(QStringLiteral("any"));
            const auto check = [&](Timeline::Lane lane, const QString &startEvent, const QString &endEvent) {
                const QVector<Timeline::Bar> &bars = d.lanes[lane];
                QStringList failures;
                int starts = 0;
                for (auto it = s.events.cbegin(); it != s.events.cend(); ++it) {
                    if (it.key().startsWith(startEvent + QLatin1Char('\t')))
                        starts += it.value().size();
                }
                if (bars.size() != starts)
                    failures << QStringLiteral("%1 bars for %2 \"%3\" events")
                                    .arg(bars.size())
                                    .arg(starts)
                                    .arg(startEvent);
                for (const Timeline::Bar &bar : bars) {
                    QStringList details{bar.kind, bar.segment, bar.page};
                    if (lane == Timeline::SegmentLane)
                        details = QStringList{bar.segment};
                    else if (lane == Timeline::InsertLane)
                        details.removeLast();
                    const QString what = details.join(QLatin1Char('\t'));
                    const QString key = startEvent + QLatin1Char('\t') + what;
                    if (!near(s.events.value(key), bar.start))
                        failures
                            << QStringLiteral("%1 starts at %2 without its event").arg(key).arg(bar.start);
                    const bool closed =
                        endEvent.isEmpty()
                            ? near(any, bar.end)
                            : near(s.events.value(endEvent + QLatin1Char('\t') + what), bar.end) ||
                                  near(s.events.value(QStringLiteral("play stop")), bar.end);
                    if (!closed && bar.end != Timeline::DayMsecs)
                        failures << QStringLiteral("%1 ends at %2 without its event").arg(key).arg(bar.end);
                }
                return failures.mid(0, 5).join(QLatin1Char('\n'));
            };
            QString failures =
                check(Timeline::SegmentLane, QStringLiteral("segment start"), QStringLiteral("segment end"));
            QVERIFY2(failures.isEmpty(), qPrintable(failures));
            failures =
                check(Timeline::InsertLane, QStringLiteral("insert start"), QStringLiteral("insert end"));
            QVERIFY2(failures.isEmpty(), qPrintable(failures));
            failures = check(Timeline::PageLane, QStringLiteral("page"), QString());
            QVERIFY2(failures.isEmpty(), qPrintable(failures));
            QVERIFY(!d.lanes[Timeline::InsertLane].isEmpty());
        }
    }

    // Hovering a page names it and the items on show at that moment, with their times.
    void theTooltipNamesWhatShowsThere()
    {
        TimelineChart *chart = view()->timelineChart();
        const QString display = m_widget->currentDisplayName();
        const Simulated &s = m_simulated.value(display);
        const QPoint point =
            chart->pointAt(display, Timeline::PageLane, 14 * 3600 * 1000LL + 30 * 60 * 1000LL);
        QVERIFY(!point.isNull());
        // The moment under that pixel, as the chart reads it.
        const qint64 at = chart->timeAt(point);
        QVERIFY(at >= 0);
        QHelpEvent help(QEvent::ToolTip, point, chart->mapToGlobal(point));
        QApplication::sendEvent(chart, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        const QString text = QToolTip::text();

        QString page;
        for (const auto &entry : s.pages) {
            if (entry.first <= at)
                page = entry.second;
        }
        QVERIFY(!page.isEmpty());
        QVERIFY2(text.contains(page), qPrintable(text));
        int shown = 0;
        for (const Simulated::Row &row : s.rows) {
            if (row.start <= at && at < row.end) {
                ++shown;
                const QString item = QStringLiteral("%1: %2 (%3")
                                         .arg(row.window, row.name,
                                              QTime::fromMSecsSinceStartOfDay(int(row.start))
                                                  .toString(QStringLiteral("HH:mm:ss")));
                QVERIFY2(text.contains(item), qPrintable(item + QStringLiteral(" not in ") + text));
            }
        }
        QVERIFY(shown > 0);
        QToolTip::hideText();
    }

    // A run a new one replaces, and one whose panel gave way, are killed and reaped.
    void runsLeftBehindAreKilledAndReaped()
    {
        view()->showWeek(true);
        QVERIFY(view()->timelineRun()->isRunning());
        view()->showTimelineDay(Day.addDays(7));
        QVERIFY(view()->timelineRun()->isRunning());
        QTRY_COMPARE_WITH_TIMEOUT(childProcesses().size(), 1, 20000);
        // Another node's panel takes the place.
        ProjectTree *tree = m_widget->treeOf(m_widget->currentDisplayName());
        tree->setCurrentTreeItem(static_cast<ProjectTreeItem *>(tree->rootItem()->child(0)));
        tree->slotSelectItemChecked();
        QVERIFY(!view()->isVisible());
        QVERIFY(!view()->timelineRun()->isRunning());
        QTRY_COMPARE_WITH_TIMEOUT(childProcesses(), QStringList(), 20000);
    }

    // A change made while the timeline shows (an undo, a segment added from the tree's menu)
    // runs it again on the scheme as it now is.
    void aChangeWhileTheTimelineShowsRunsItAgain()
    {
        selectRoot();
        view()->showTimelineDay(Day);
        QTRY_VERIFY_WITH_TIMEOUT(timeline().isFinished(), 240000);
        ProjectTree *tree = m_widget->treeOf(m_widget->currentDisplayName());
        tree->rootMenu->actions().constFirst()->trigger(); // "Add a general segment"
        selectRoot();
        QTRY_VERIFY_WITH_TIMEOUT(timeline().isFinished(), 240000);
        QVERIFY(view()->isVisible());
        const int segments = tree->generalSegments.size();
        QTRY_VERIFY(m_widget->prodoc()->canUndo());
        m_widget->slotUndo();
        tree = m_widget->treeOf(m_widget->currentDisplayName());
        QCOMPARE(tree->generalSegments.size(), segments - 1);
        QVERIFY(view()->isVisible());
        QVERIFY(view()->timelineRun()->isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(timeline().isFinished(), 240000);
    }

    // A scheme the simulation refuses: the panel says what it said, and shows no timeline.
    void aRefusedSchemeGivesANotice()
    {
        const QByteArray refused("not a scheme");
        ScheduleView panel;
        panel.setSchemeSource([&] { return ScheduleView::EditedScheme{refused, m_dir.path()}; });
        DisplaySchedule schedule;
        panel.showSchedule(&schedule, QStringLiteral("Display window1"));
        panel.resize(700, 500);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QTRY_VERIFY_WITH_TIMEOUT(panel.timelineNotice()->isVisible(), 60000);
        QVERIFY(panel.timelineRun()->timeline().displays().empty());

        // What the simulation says of the same bytes, without the file's name.
        const QString file = m_dir.filePath(QStringLiteral("refused.schx"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(refused) == refused.size());
        out.close();
        QProcess tool;
        tool.start(BuildPaths::path("LUMORA_SCHEME_TOOL"),
                   {QStringLiteral("simulate"), file, QStringLiteral("--start"),
                    QStringLiteral("2027-01-05T00:00:00"), QStringLiteral("--duration"), QStringLiteral("60"),
                    QStringLiteral("--events")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 2);
        const QString said =
            QString::fromUtf8(tool.readAllStandardError()).trimmed().split(QLatin1Char('\n')).last();
        const QString reason = said.mid(said.indexOf(file + QStringLiteral(": ")) + file.size() + 2);
        QVERIFY(!reason.isEmpty());
        QVERIFY2(panel.timelineNotice()->text().contains(reason),
                 qPrintable(panel.timelineNotice()->text() + QStringLiteral(" / ") + reason));
    }

private:
    QTemporaryDir m_dir;
    ScriptedWidget *m_widget = nullptr;
    QHash<QString, Simulated> m_simulated;
};

QTEST_MAIN(TestScheduleTimeline)
#include "test_scheduletimeline.moc"
