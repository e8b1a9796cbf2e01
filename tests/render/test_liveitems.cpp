// Web pages and capture devices in a real play window under Xvfb: what reaches the screen,
// the zoom and reload rules, a renderer process killed during play, and a machine without
// a camera or sound devices.
#include "clock/clocktimer.h"
#include "clock/virtualclock.h"
#include "platform/applocations.h"
#include "render/commonplaywindow.h"
#include "render/headless.h"
#include "render/mainplaybklabel.h"
#include "render/urlwin.h"
#include "render/videodevicewindow.h"
#include "schemebuilder.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QtTest>

#include <memory>
#include <signal.h>
#include <unistd.h>

using namespace SchemeBuilder;

namespace {
const QDateTime start(QDate(2026, 3, 2), QTime(10, 0));

// Processes below this one whose command line contains `needle`; with `forked`, only those
// whose parent matches too (a web renderer is forked by the engine's zygote process and
// keeps its command line).
QList<qint64> descendants(const QByteArray &needle, bool forked = false)
{
    QHash<qint64, qint64> parentOf;
    QHash<qint64, QByteArray> commandOf;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!stat.open(QIODevice::ReadOnly) || !cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray s = stat.readAll();
        const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
        parentOf.insert(pid, fields.value(1).toLongLong());
        commandOf.insert(pid, cmdline.readAll().replace('\0', ' '));
    }
    QList<qint64> found;
    for (auto it = commandOf.cbegin(); it != commandOf.cend(); ++it) {
        if (!it.value().contains(needle) ||
            (forked && !commandOf.value(parentOf.value(it.key())).contains(needle)))
            continue;
        for (qint64 p = parentOf.value(it.key()); p > 1; p = parentOf.value(p)) {
            if (p == getpid()) {
                found << it.key();
                break;
            }
        }
    }
    return found;
}

QList<qint64> renderers()
{
    return descendants("QtWebEngineProcess", true);
}

LumoraMediaObject *webItem(const QString &address, int seconds)
{
    auto *m = new LumoraMediaObject;
    m->type = QStringLiteral("URL");
    m->url.address = address;
    m->url.length = QTime(0, 0).addSecs(seconds);
    return m;
}

// The colour in the middle of a rectangle of the screen.
QColor screenColourAt(const QRect &global)
{
    const QImage shot = QGuiApplication::primaryScreen()
                            ->grabWindow(0, global.x(), global.y(), global.width(), global.height())
                            .toImage();
    return shot.pixelColor(shot.width() / 2, shot.height() / 2);
}

bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 && qAbs(a.blue() - b.blue()) < 12;
}

void saveScreen(const QRect &global, const QString &name)
{
    const QString dir = qEnvironmentVariable("LUMORA_SHOTS_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QGuiApplication::primaryScreen()
        ->grabWindow(0, global.x(), global.y(), global.width(), global.height())
        .save(QDir(dir).filePath(name + QStringLiteral(".png")));
}
} // namespace

class TestLiveItems : public QObject
{
    Q_OBJECT

    std::unique_ptr<VirtualClock> clock;
    std::unique_ptr<MainPlayBKLabel> surface;
    std::unique_ptr<ProgramObject> page;
    QStringList rows;

    CommonPlayWindow *play(const QList<LumoraMediaObject *> &media, const QRect &geometry)
    {
        CommonWinObject *w = window(page.get(), QStringLiteral("W"), media, geometry);
        CommonPlayWindow *pw = surface->showCommonWindow(false, w);
        pw->setMediaList(w->media);
        pw->startWindowPlay();
        return pw;
    }
    QRect globalRect(CommonPlayWindow *pw) const { return QRect(pw->mapToGlobal(QPoint(0, 0)), pw->size()); }

private slots:
    void init()
    {
        clock.reset(new VirtualClock(start));
        Clock::setCurrent(clock.get());
        surface.reset(new MainPlayBKLabel(QStringLiteral("D1"), nullptr, false));
        surface->setStyleSheet(QStringLiteral("background:rgb(0,0,255)"));
        surface->setGeometry(60, 60, 1500, 700);
        surface->show();
        QVERIFY(QTest::qWaitForWindowExposed(surface.get()));
        page.reset(new ProgramObject);
        page->name = QStringLiteral("P1");
        page->segmentName = QStringLiteral("S1");
        page->displayWindowName = QStringLiteral("D1");
        rows.clear();
        connect(surface.get(), &MainPlayBKLabel::sigPlayLogRow, this,
                [this](CommonWinObject *, const QStringList &row) { rows << row.at(0); });
    }
    void cleanup()
    {
        surface.reset();
        page.reset();
        Clock::setCurrent(nullptr);
        clock.reset();
    }

    void addressesOpenAsUrlOnlyWithAScheme()
    {
        QVERIFY(!UrlWin::isUrlAddress(QStringLiteral("/srv/http/page.html")));
        QCOMPARE(UrlWin::targetOf(QStringLiteral("/srv/http/page.html")),
                 QUrl::fromLocalFile(QStringLiteral("/srv/http/page.html")));
        QVERIFY(UrlWin::isUrlAddress(QStringLiteral("HTTPS://example.com/")));
        QVERIFY(UrlWin::isUrlAddress(QStringLiteral("File:///tmp/x.html")));
        QVERIFY(!UrlWin::isUrlAddress(QStringLiteral("www.example.com/http")));
    }

    // Before any web item no renderer process exists; a page of one colour then shows at
    // the window's place, at the zoom of the window's width, and is not loaded again while
    // its address stays; a killed renderer leaves the player running and the page comes
    // back at its next showing.
    void webPageOnScreen()
    {
        auto *picture = image(QStringLiteral("/nonexistent.png"), 1);
        CommonPlayWindow *pw = play({picture}, QRect(40, 30, 620, 300));
        clock->advance(1000);
        QVERIFY(descendants("QtWebEngineProcess").isEmpty());
        QVERIFY(!pw->webPage->view());
        pw->stopWindowPlay();
        rows.clear();

        QVERIFY(QDir().mkpath(QStringLiteral("/tmp/http")));
        QFile html(QStringLiteral("/tmp/http/x.html"));
        QVERIFY(html.open(QIODevice::WriteOnly));
        html.write("<html><body style='margin:0;background:#00c000'></body></html>");
        html.close();
        QList<LumoraMediaObject *> items;
        for (int i = 0; i < 5; ++i)
            items << webItem(html.fileName(), 10);
        pw = play(items, QRect(40, 30, 620, 300));
        QWebEngineView *view = pw->webPage->view();
        QVERIFY(view);
        QCOMPARE(view->page()->profile(), UrlWin::profile());
        QTRY_COMPARE_WITH_TIMEOUT(view->url(), QUrl::fromLocalFile(html.fileName()), 10000);
        QCOMPARE(pw->webPage->zoomFactor(), 0.5);
        QTRY_VERIFY_WITH_TIMEOUT(near(screenColourAt(globalRect(pw)), QColor(0, 0xc0, 0)), 30000);
        QCOMPARE(renderers().size(), 1);
        saveScreen(surface->geometry(), QStringLiteral("web-page"));

        // Same address next: no new load; a 1240-pixel window shows the page at 1.0.
        const int loads = pw->webPage->loadCount();
        pw->windowObject()->width = 1240;
        surface->applyWindowProperties(pw->windowObject());
        clock->advance(10000);
        QCOMPARE(rows, QStringList({"URL"}));
        QCOMPARE(pw->webPage->loadCount(), loads);
        QCOMPARE(pw->webPage->zoomFactor(), 1.0);
        QTRY_COMPARE(view->zoomFactor(), 1.0);

        // The renderer dies during play; the player goes on and reloads at the next showing.
        qRegisterMetaType<QWebEnginePage::RenderProcessTerminationStatus>();
        QSignalSpy ended(view->page(), &QWebEnginePage::renderProcessTerminated);
        const QList<qint64> running = renderers();
        QCOMPARE(running.size(), 1);
        QCOMPARE(::kill(pid_t(running.first()), SIGKILL), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 10000);
        clock->advance(10000);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(pw->webPage->loadCount(), loads + 1);
        QTRY_VERIFY_WITH_TIMEOUT(near(screenColourAt(globalRect(pw)), QColor(0, 0xc0, 0)), 30000);
        clock->advance(10000);
        QCOMPARE(pw->webPage->loadCount(), loads + 1);
        pw->stopWindowPlay();
    }

    // Nobody sees a simulation's pages, and simulating a day must not fetch a scheme's pages
    // from their servers: a headless renderer makes no view and loads nothing.
    void aHeadlessWebItemLoadsNothing()
    {
        Headless::setActive(true);
        UrlWin web;
        web.setItem(5000, QStringLiteral("http://127.0.0.1:9/page.html"), 10, QPoint());
        Headless::setActive(false);
        QVERIFY(!web.view());
        QCOMPARE(web.loadCount(), 0);
    }

    // Cookies, storage and the cache of web pages go where the rest of what Lumora writes goes,
    // never into folders named after the program.
    void webDataStaysInLumorasFolders()
    {
        QWebEngineProfile *kept = UrlWin::profile();
        QVERIFY(!kept->isOffTheRecord());
        QVERIFY(kept->persistentStoragePath().startsWith(AppLocations::stateDirectory() + QLatin1Char('/')));
        QVERIFY(kept->cachePath().startsWith(AppLocations::cacheDirectory() + QLatin1Char('/')));
    }

    // A web page whose item ended is frozen until it shows again: its scripts stop, so a
    // page left loaded costs nothing between its showings.
    void aWebPageIsFrozenBetweenItsShowings()
    {
        QVERIFY(QDir().mkpath(QStringLiteral("/tmp/http")));
        QFile html(QStringLiteral("/tmp/http/ticker.html"));
        QVERIFY(html.open(QIODevice::WriteOnly));
        html.write("<html><body><script>var n=0;setInterval(function(){document.title='n'+(++n);},20);"
                   "</script></body></html>");
        html.close();
        auto *picture = image(QStringLiteral("/nonexistent.png"), 5);
        CommonPlayWindow *pw =
            play({webItem(html.fileName(), 5), picture, webItem(html.fileName(), 5)}, QRect(40, 30, 320, 200));
        QWebEngineView *view = pw->webPage->view();
        QVERIFY(view);
        QTRY_VERIFY_WITH_TIMEOUT(view->title().startsWith(QLatin1Char('n')), 20000);
        QCOMPARE(view->page()->lifecycleState(), QWebEnginePage::LifecycleState::Active);
        clock->advance(5000); // the picture's turn
        QTRY_COMPARE(view->page()->lifecycleState(), QWebEnginePage::LifecycleState::Frozen);
        QTest::qWait(200); // titles set before the freeze are still on their way
        const QString frozenAt = view->title();
        QTest::qWait(500);
        QCOMPARE(view->title(), frozenAt);
        clock->advance(5000); // the page's turn again, loaded as it was
        QTRY_COMPARE(view->page()->lifecycleState(), QWebEnginePage::LifecycleState::Active);
        QTRY_VERIFY_WITH_TIMEOUT(view->title() != frozenAt, 10000);
        QCOMPARE(pw->webPage->loadCount(), 1);
        pw->stopWindowPlay();
    }

    void cameraWithoutDevicesShowsItsBackground()
    {
        static int said = 0;
        said = 0;
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &message) {
                if (message.startsWith(QLatin1String("capture item:")))
                    ++said;
            });
        QList<LumoraMediaObject *> items;
        for (int i = 0; i < 2; ++i) {
            auto *m = new LumoraMediaObject;
            m->type = QStringLiteral("videoDevice");
            m->videoDevice.background.backgroundColor = QColor(200, 0, 0);
            m->videoDevice.length = QTime(0, 0, 3);
            items << m;
        }
        CommonPlayWindow *pw = play(items, QRect(40, 30, 300, 200));
        QVERIFY(pw->camera->isVisible());
        QVERIFY(pw->camera->isCapturing());
        QVERIFY(!pw->camera->hasCamera());
        QTRY_VERIFY_WITH_TIMEOUT(near(screenColourAt(globalRect(pw)), QColor(200, 0, 0)), 10000);
        saveScreen(globalRect(pw).adjusted(-20, -20, 20, 20), QStringLiteral("camera-without-device"));
        // Pause and resume, and the renderer's own start and stop in any order.
        clock->advance(1000);
        pw->pauseWindowPlay();
        pw->camera->stop();
        pw->resumeWindowPlay();
        pw->camera->start();
        pw->camera->readMore();
        clock->advance(1999);
        QVERIFY(rows.isEmpty());
        clock->advance(1);
        QCOMPARE(rows, QStringList({"Device"}));
        clock->advance(3000);
        QCOMPARE(rows, QStringList({"Device", "Device"}));
        QVERIFY(!pw->camera->isVisible());
        QVERIFY(!pw->camera->isCapturing());
        pw->camera->stop();
        qInstallMessageHandler(previous);
        QCOMPARE(said, 1);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestLiveItems test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_liveitems.moc"
