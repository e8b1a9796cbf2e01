// The monitor window under a real X server: each picture shows what the desktop shows in its
// screen's rectangle, follows changes within a few ticks, is laid out again on resizing, and
// the event loop keeps turning while it grabs.
#include "monitorwin.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
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
        addWindow(QRect(40, 60, 160, 90), Qt::green);
        addWindow(QRect(300, 60, 320, 120), Qt::blue);
        openMonitor({QRect(40, 60, 160, 90), QRect(300, 60, 320, 120)});
        QCOMPARE(m_monitor->pictures().size(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[0]), QColor(Qt::green), 1000);
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[1]), QColor(Qt::blue), 1000);
        // Scaled to fill its picture, whatever the screen's aspect ratio.
        for (QLabel *picture : m_monitor->pictures())
            QCOMPARE(shownBy(picture).size(), picture->size());
    }

    void aChangeShowsWithinAFewTicks()
    {
        ColourWindow *screen = addWindow(QRect(40, 60, 160, 90), Qt::green);
        openMonitor({QRect(40, 60, 160, 90)});
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[0]), QColor(Qt::green), 1000);
        screen->setColour(Qt::yellow);
        // Nothing but the monitor's own 50 ms timer refreshes the picture.
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[0]), QColor(Qt::yellow), 400);
    }

    void aWindowCoveringTheScreenIsWhatTheMonitorShows()
    {
        addWindow(QRect(40, 60, 160, 90), Qt::green);
        openMonitor({QRect(40, 60, 160, 90)});
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[0]), QColor(Qt::green), 1000);
        ColourWindow *cover = addWindow(QRect(20, 40, 200, 130), Qt::red);
        cover->raise();
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(m_monitor->pictures()[0]), QColor(Qt::red), 1000);
    }

    void resizingLaysThePicturesOutAgain()
    {
        addWindow(QRect(40, 60, 160, 90), Qt::green);
        addWindow(QRect(300, 60, 160, 90), Qt::blue);
        addWindow(QRect(40, 300, 160, 90), Qt::cyan);
        openMonitor({QRect(40, 60, 160, 90), QRect(300, 60, 160, 90), QRect(40, 300, 160, 90)});
        const QList<QLabel *> pictures = m_monitor->pictures();
        checkLayout();
        const QSize before = pictures[0]->size();

        m_monitor->resize(800, 600);
        QTRY_COMPARE(m_monitor->size(), QSize(800, 600));
        checkLayout();
        QVERIFY(pictures[0]->width() > before.width());
        QVERIFY(pictures[0]->height() > before.height());
        // The next ticks scale the grabs to the new picture size.
        QTRY_COMPARE_WITH_TIMEOUT(shownBy(pictures[0]).size(), pictures[0]->size(), 1000);
        QTRY_COMPARE_WITH_TIMEOUT(centreOf(pictures[2]), QColor(Qt::cyan), 1000);

        // Never smaller than its minimum.
        m_monitor->resize(100, 100);
        QTRY_COMPARE(m_monitor->size(), QSize(328, 248));
        checkLayout();
    }

    void emptyAndOffDesktopScreensAreSafe()
    {
        addWindow(QRect(0, 200, 160, 90), Qt::magenta);
        // A screen of size 0, one partly left of the desktop and one far larger than it.
        openMonitor(
            {QRect(10, 10, 0, 0), QRect(-100, 200, 200, 90), QRect(-5000, -5000, 5000 + 1920, 5000 + 1080)});
        QTest::qWait(200);
        QVERIFY(shownBy(m_monitor->pictures()[0]).isNull());
        // The visible half of the second screen is the magenta window.
        const QPixmap half = shownBy(m_monitor->pictures()[1]);
        QVERIFY(!half.isNull());
        const QImage image = half.toImage();
        QCOMPARE(image.pixelColor(image.width() * 3 / 4, image.height() / 2), QColor(Qt::magenta));
    }

    void theEventLoopKeepsTurningWhileItGrabs()
    {
        // Two screens covering the whole desktop: far more than a real LED screen's area.
        const QList<QRect> areas{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1080)};
        openMonitor(areas);
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
        // Generous: a grab that waited on anything would hold the loop for seconds.
        QVERIFY2(longestGap < 500,
                 qPrintable(QStringLiteral("the loop stood still for %1 ms").arg(longestGap)));
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

    void openMonitor(const QList<QRect> &areas)
    {
        m_monitor.reset(new MonitorWin);
        m_monitor->setAttribute(Qt::WA_DeleteOnClose, false);
        m_monitor->move(monitorPosition);
        m_monitor->resize(400, 300);
        m_monitor->setAreas(areas);
        m_monitor->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_monitor.get()));
        QCOMPARE(m_monitor->windowTitle(), QStringLiteral("monitor"));
        QCOMPARE(m_monitor->minimumSize(), QSize(328, 248));
    }

    // Every picture inside the window, none overlapping another.
    void checkLayout()
    {
        const QList<QLabel *> pictures = m_monitor->pictures();
        for (int i = 0; i < pictures.size(); ++i) {
            QVERIFY(m_monitor->rect().contains(pictures[i]->geometry()));
            QVERIFY(pictures[i]->width() > 0 && pictures[i]->height() > 0);
            for (int j = i + 1; j < pictures.size(); ++j)
                QVERIFY(!pictures[i]->geometry().intersects(pictures[j]->geometry()));
        }
    }

    std::unique_ptr<MonitorWin> m_monitor;
    std::vector<std::unique_ptr<ColourWindow>> m_windows;
};

QTEST_MAIN(TestMonitorWin)
#include "test_monitorwin.moc"
