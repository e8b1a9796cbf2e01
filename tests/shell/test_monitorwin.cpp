// The monitor window under a real X server: each picture shows what the desktop shows in its
// screen's rectangle, follows changes on its own timer, is laid out again on resizing, and
// the event loop keeps turning while it grabs. Deadlines are generous: the X server and this
// process share a busy machine, and a picture that never follows fails all the same.
#include "shell/monitorwin.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {
// A screen stand-in: a frameless window of one colour at a desktop rectangle.
class ColourWindow : public QWidget
{
public:
    ColourWindow(const QRect &area, const QColor &colour)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    {
        setColour(colour);
        setGeometry(area);
        show();
    }

    void setColour(const QColor &colour)
    {
        setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, colour);
        setPalette(palette);
        update();
    }
};

QPixmap shownBy(const QLabel *picture)
{
    return picture->pixmap(Qt::ReturnByValue);
}

QColor centreOf(const QLabel *picture)
{
    const QPixmap shown = shownBy(picture);
    if (shown.isNull())
        return QColor();
    const QImage image = shown.toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

// Where a picture of the monitor is on the desktop; pictures must not overlap watched areas.
const QPoint monitorPosition(1000, 500);

// Long enough for a few rounds of grabbing on a machine whose cores are all taken.
constexpr int kFollowMsecs = 10000;

// What one round of the monitor's own work costs on this machine right now: grabbing each
// area and scaling it to its picture.
qint64 roundCost(const QList<QRect> &areas, const QList<QLabel *> &pictures)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    QElapsedTimer cost;
    cost.start();
    for (int i = 0; i < areas.size(); ++i) {
        const QRect &a = areas.at(i);
        screen->grabWindow(0, a.x(), a.y(), a.width(), a.height())
            .scaled(pictures.at(i)->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return cost.elapsed();
}
} // namespace

class TestMonitorWin : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        m_monitor.reset();
        m_windows.clear();
    }

    void eachPictureShowsItsScreensColour()
    {
        QVERIFY(addWindow(QRect(40, 60, 160, 90), Qt::green));
        QVERIFY(addWindow(QRect(300, 60, 320, 120), Qt::blue));
        QVERIFY(openMonitor({QRect(40, 60, 160, 90), QRect(300, 60, 320, 120)}));
        QCOMPARE(m_monitor->windowTitle(), QStringLiteral("monitor"));
        QCOMPARE(m_monitor->pictures().size(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[0]), QColor(Qt::green), kFollowMsecs);
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[1]), QColor(Qt::blue), kFollowMsecs);
        // Scaled to fill its picture, whatever the screen's aspect ratio.
        for (QLabel *picture : m_monitor->pictures())
            QCOMPARE(shownBy(picture).size(), picture->size());
    }

    void aChangeShowsOnTheMonitorsOwnTimer()
    {
        ColourWindow *screen = addWindow(QRect(40, 60, 160, 90), Qt::green);
        QVERIFY(screen);
        QVERIFY(openMonitor({QRect(40, 60, 160, 90)}));
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[0]), QColor(Qt::green), kFollowMsecs);
        screen->setColour(Qt::yellow);
        // Nothing but the monitor's own timer refreshes the picture.
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[0]), QColor(Qt::yellow), kFollowMsecs);
    }

    void aWindowCoveringTheScreenIsWhatTheMonitorShows()
    {
        QVERIFY(addWindow(QRect(40, 60, 160, 90), Qt::green));
        QVERIFY(openMonitor({QRect(40, 60, 160, 90)}));
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[0]), QColor(Qt::green), kFollowMsecs);
        ColourWindow *cover = addWindow(QRect(20, 40, 200, 130), Qt::red);
        QVERIFY(cover);
        cover->raise();
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[0]), QColor(Qt::red), kFollowMsecs);
    }

    void resizingLaysThePicturesOutAgain()
    {
        QVERIFY(addWindow(QRect(40, 60, 160, 90), Qt::green));
        QVERIFY(addWindow(QRect(300, 60, 160, 90), Qt::blue));
        QVERIFY(addWindow(QRect(40, 300, 160, 90), Qt::cyan));
        QVERIFY(openMonitor({QRect(40, 60, 160, 90), QRect(300, 60, 160, 90), QRect(40, 300, 160, 90)}));
        const QList<QLabel *> pictures = m_monitor->pictures();
        QVERIFY2(layoutFault().isEmpty(), qPrintable(layoutFault()));
        const QSize before = pictures[0]->size();

        m_monitor->resize(800, 600);
        QTRY_COMPARE_WITH_TIMEOUT(m_monitor->size(), QSize(800, 600), kFollowMsecs);
        QVERIFY2(layoutFault().isEmpty(), qPrintable(layoutFault()));
        QVERIFY(pictures[0]->width() > before.width());
        QVERIFY(pictures[0]->height() > before.height());
        // The next ticks scale the grabs to the new picture size.
        QTRY_COMPARE_WITH_TIMEOUT(shownBy(pictures[0]).size(), pictures[0]->size(), kFollowMsecs);
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(pictures[2]), QColor(Qt::cyan), kFollowMsecs);

        // Never smaller than its minimum.
        m_monitor->resize(100, 100);
        QTRY_COMPARE_WITH_TIMEOUT(m_monitor->size(), QSize(328, 248), kFollowMsecs);
        QVERIFY2(layoutFault().isEmpty(), qPrintable(layoutFault()));
    }

    void emptyAndOffDesktopScreensAreSafe()
    {
        QVERIFY(addWindow(QRect(0, 200, 160, 90), Qt::magenta));
        // A screen of size 0, one partly left of the desktop and one far larger than it.
        QVERIFY(openMonitor(
            {QRect(10, 10, 0, 0), QRect(-100, 200, 200, 90), QRect(-5000, -5000, 5000 + 1920, 5000 + 1080)}));
        // The visible half of the second screen is the magenta window.
        const auto rightHalf = [this] {
            const QImage image = shownBy(m_monitor->pictures()[1]).toImage();
            return image.isNull() ? QColor() : image.pixelColor(image.width() * 3 / 4, image.height() / 2);
        };
        QTRY_COMPARE_WITH_TIMEOUT(rightHalf(), QColor(Qt::magenta), kFollowMsecs);
        // Rounds have gone by, and the empty screen still has no picture.
        QVERIFY(shownBy(m_monitor->pictures()[0]).isNull());
    }

    void theEventLoopKeepsTurningWhileItGrabs()
    {
        // Two screens covering the whole desktop: far more than a real LED screen's area.
        const QList<QRect> areas{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1080)};
        QVERIFY(openMonitor(areas));
        qint64 round = roundCost(areas, m_monitor->pictures());
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        qint64 longestGap = 0;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        connect(&probe, &QTimer::timeout, this, [&] {
            const qint64 now = clock.elapsed();
            longestGap = qMax(longestGap, now - last);
            last = now;
        });
        probe.start(10);
        QTest::qWait(1000);
        probe.stop();
        round = qMax(round, roundCost(areas, m_monitor->pictures()));
        // A round of grabbing holds the loop for as long as it costs; a grab that waited on
        // anything would hold it for seconds. The bound follows what a round costs under the
        // machine's present load, with room for this process losing the processor.
        const qint64 bound = 1000 + 3 * round;
        QVERIFY2(longestGap < bound,
                 qPrintable(QStringLiteral("the loop stood still for %1 ms (a round costs %2 ms)")
                                .arg(longestGap)
                                .arg(round)));
        QVERIFY(m_monitor->isVisible());
    }

private:
    ColourWindow *addWindow(const QRect &area, const QColor &colour)
    {
        auto *window = new ColourWindow(area, colour);
        m_windows.emplace_back(window);
        if (!QTest::qWaitForWindowExposed(window))
            return nullptr;
        return window;
    }

    bool openMonitor(const QList<QRect> &areas)
    {
        m_monitor.reset(new MonitorWin);
        m_monitor->setAttribute(Qt::WA_DeleteOnClose, false);
        m_monitor->move(monitorPosition);
        m_monitor->resize(400, 300);
        m_monitor->setAreas(areas);
        m_monitor->show();
        return QTest::qWaitForWindowExposed(m_monitor.get());
    }

    // Every picture inside the window, none overlapping another; empty when so.
    QString layoutFault() const
    {
        const QList<QLabel *> pictures = m_monitor->pictures();
        for (int i = 0; i < pictures.size(); ++i) {
            const QRect g = pictures[i]->geometry();
            if (!m_monitor->rect().contains(g) || g.width() <= 0 || g.height() <= 0)
                return QStringLiteral("picture %1 at (%2, %3) %4 x %5 is not inside the window")
                    .arg(i)
                    .arg(g.x())
                    .arg(g.y())
                    .arg(g.width())
                    .arg(g.height());
            for (int j = i + 1; j < pictures.size(); ++j) {
                if (g.intersects(pictures[j]->geometry()))
                    return QStringLiteral("pictures %1 and %2 overlap").arg(i).arg(j);
            }
        }
        return QString();
    }

    std::unique_ptr<MonitorWin> m_monitor;
    std::vector<std::unique_ptr<ColourWindow>> m_windows;
};

QTEST_MAIN(TestMonitorWin)
#include "test_monitorwin.moc"
