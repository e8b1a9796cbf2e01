// Videos and streams through the play window's players on real clips decoded by libmpv,
// under Xvfb: the player's commands, clip start, pause and resume, the cover text, and no
// frame of background between two videos in real play.

#include "clock/clocktimer.h"
#include "clock/virtualclock.h"
#include "player/pagerules.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "render/mpvwidget.h"
#include "render/playlabel.h"
#include "render/screenplayhost.h"
#include "render/videocoverlabel.h"
#include "schemebuilder.h"
#include "tinyhttpserver.h"
#include "warninglog.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace SchemeBuilder;

class TestVideoPlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<CommonWinObject *>("CommonWinObject*");
        QVERIFY(m_dir.isValid());
        m_red = m_dir.filePath(QStringLiteral("red.mp4"));
        m_green = m_dir.filePath(QStringLiteral("green.mp4"));
        m_redSilent = m_dir.filePath(QStringLiteral("red-silent.mp4"));
        QVERIFY(makeClip(m_red, QStringLiteral("red"), true));
        QVERIFY(makeClip(m_green, QStringLiteral("green"), true));
        QVERIFY(makeClip(m_redSilent, QStringLiteral("red"), false));
    }

    void cleanup()
    {
        m_surface.reset();
        m_page.reset();
        Clock::setCurrent(nullptr);
        m_clock.reset();
    }

    void commandsReachThePlayer()
    {
        PlayLabel label;
        label.resize(160, 120);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        label.on_file_Scale(0);
        QSignalSpy range(&label, &PlayLabel::sigSetVideoRange);
        label.on_file_open(m_redSilent);
        MpvWidget *mpv = label.mpvWidget();
        QVERIFY(mpv && mpv->isReady());
        QTRY_VERIFY_WITH_TIMEOUT(!range.isEmpty(), 10000);
        QTRY_COMPARE(mpv->observed(QStringLiteral("path")).toString(), m_redSilent);

        // Fill stretches over the whole window; Original Scale keeps the aspect ratio.
        QTRY_COMPARE(mpv->observed(QStringLiteral("keepaspect")).toBool(), false);
        QTRY_COMPARE(mpv->observed(QStringLiteral("video-zoom")).toDouble(), 0.0);
        label.on_file_Scale(1);
        QTRY_COMPARE(mpv->observed(QStringLiteral("keepaspect")).toBool(), true);
        QTRY_COMPARE(mpv->observed(QStringLiteral("video-zoom")).toDouble(), 0.0);
        label.on_file_Scale(7); // no such type: nothing changes
        QTRY_COMPARE(mpv->observed(QStringLiteral("keepaspect")).toBool(), true);

        label.video_rotate(90);
        QTRY_COMPARE(mpv->observed(QStringLiteral("video-rotate")).toLongLong(), 90);
        label.on_file_volume(40);
        QTRY_COMPARE(mpv->observed(QStringLiteral("volume")).toDouble(), 40.0);
        label.on_file_pause();
        QVERIFY(label.paused);
        QTRY_COMPARE(mpv->observed(QStringLiteral("pause")).toBool(), true);
        label.on_file_contiue();
        QVERIFY(!label.paused);
        QTRY_COMPARE(mpv->observed(QStringLiteral("pause")).toBool(), false);
        label.on_file_close();
        QTRY_VERIFY_WITH_TIMEOUT(mpv->observed(QStringLiteral("idle-active")).toBool(), 5000);
    }

    void fillReallyFillsTheWindow()
    {
        // A 64x48 clip in a wide 320x60 label: Fill covers the edges, Original Scale
        // leaves bars at the sides.
        PlayLabel label;
        label.resize(320, 60);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        label.on_file_Scale(0);
        label.on_file_open(m_green);
        QTRY_VERIFY_WITH_TIMEOUT(isGreen(label.mpvWidget()->grabFrame().pixelColor(5, 30)), 10000);
        label.on_file_Scale(1);
        QTRY_VERIFY_WITH_TIMEOUT(!isGreen(label.mpvWidget()->grabFrame().pixelColor(5, 30)), 5000);
        QVERIFY(isGreen(label.mpvWidget()->grabFrame().pixelColor(160, 30)));
    }

    void clipStartSeeksOnceTheDurationIsKnown()
    {
        PlayLabel label;
        label.resize(160, 120);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        label.startSecond = 1;
        QElapsedTimer seekTook;
        seekTook.start();
        label.on_file_open(m_red);
        label.on_file_pause();
        QTRY_VERIFY_WITH_TIMEOUT(label.mpvWidget()->observed(QStringLiteral("time-pos")).toDouble() >= 0.99,
                                 10000);
        const qint64 seekMsecs = seekTook.elapsed();

        PlayLabel plain;
        plain.resize(160, 120);
        plain.show();
        plain.startSecond = 0;
        QSignalSpy range(&plain, &PlayLabel::sigSetVideoRange);
        plain.on_file_open(m_red);
        plain.on_file_pause();
        QTRY_VERIFY_WITH_TIMEOUT(!range.isEmpty(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(plain.mpvWidget()->observed(QStringLiteral("time-pos")).isValid(), 10000);
        // A seek would have landed by twice the time the one above took from the open.
        QTest::qWait(int(qBound<qint64>(500, 2 * seekMsecs, 10000)));
        QVERIFY(plain.mpvWidget()->observed(QStringLiteral("time-pos")).toDouble() < 0.5);
    }

    void pauseAndResumeKeepThePosition()
    {
        QVERIFY(makeSurface(false));
        CommonPlayWindow *pw = addWindow({video(m_red, QTime(0, 0, 2))});
        pw->startWindowPlay();
        MpvWidget *mpv = pw->videoPlayer->mpvWidget();
        QVERIFY(mpv);
        QTRY_VERIFY_WITH_TIMEOUT(mpv->observed(QStringLiteral("time-pos")).toDouble() > 0.8, 10000);
        pw->pauseWindowPlay();
        QVERIFY(!pw->videoTimer->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(mpv->observed(QStringLiteral("pause")).toBool(), true, 10000);
        double held = -1;
        QTRY_VERIFY_WITH_TIMEOUT(standsStill(mpv, &held), 10000);
        QTest::qWait(1000);
        QCOMPARE(mpv->observed(QStringLiteral("time-pos")).toDouble(), held);
        pw->resumeWindowPlay();
        QVERIFY(pw->videoTimer->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(mpv->observed(QStringLiteral("time-pos")).toDouble() > held, 10000);
    }

    void theOperatorDragsAWindowByItsVideo()
    {
        // Real pointer events through the X server: the video's own native window must let
        // them through to the play window.
        QVERIFY(makeSurface(false));
        CommonPlayWindow *pw = addWindow({video(m_red, QTime(0, 0, 30))});
        pw->startWindowPlay();
        // on screen for the whole drag, however slow the machine
        pw->videoPlayer->mpvWidget()->setMpvProperty(QStringLiteral("loop-file"), QStringLiteral("inf"));
        QTRY_VERIFY_WITH_TIMEOUT(
            isRed(grabAt(QGuiApplication::primaryScreen(), pw->mapToGlobal(QPoint(80, 60)))), 10000);
        const QPoint before = pw->pos();
        const QPoint at = pw->mapToGlobal(QPoint(80, 60));
        const QString x = QString::number(at.x()), y = QString::number(at.y());
        QVERIFY(xdotool({QStringLiteral("mousemove"), x, y}));
        QVERIFY(xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
        QVERIFY(xdotool(
            {QStringLiteral("mousemove"), QString::number(at.x() + 30), QString::number(at.y() + 20)}));
        QVERIFY(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
        QTRY_COMPARE_WITH_TIMEOUT(pw->pos(), before + QPoint(30, 20), 5000);
        pw->stopWindowPlay();
    }

    void videoThatCannotBeOpenedStillEnds()
    {
        m_clock.reset(new VirtualClock(QDateTime(QDate(2026, 3, 2), QTime(10, 0))));
        Clock::setCurrent(m_clock.get());
        QVERIFY(makeSurface(true));
        QSignalSpy ends(m_surface.get(), &MainPlayBKLabel::sigCurProgramRealPlayEnd);
        const QString missing = m_dir.filePath(QStringLiteral("missing.mp4"));
        CommonPlayWindow *pw = addWindow({video(missing, QTime(0, 0, 3))});
        WarningLog log;
        pw->startWindowPlay();
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("Failed to open ") + missing), 10000);
        m_clock->advance(2999);
        QCOMPARE(ends.count(), 0);
        m_clock->advance(1);
        QCOMPARE(ends.count(), 1);
    }

    // A file mpv cannot open (cut before its index, not a video) and a stream that refuses the
    // connection keep their time but are logged as not shown; a good clip between them is.
    void itemsThatCannotBeShownAreLoggedSo()
    {
        m_clock.reset(new VirtualClock(QDateTime(QDate(2026, 3, 2), QTime(10, 0))));
        Clock::setCurrent(m_clock.get());
        QVERIFY(makeSurface(true));
        QStringList results;
        connect(m_surface.get(), &MainPlayBKLabel::sigPlayLogRow, this,
                [&results](CommonWinObject *, const QStringList &row) { results << row.at(0) + ' ' + row.at(6); });
        QFile whole(m_red);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        const QString truncated = m_dir.filePath(QStringLiteral("truncated.mp4"));
        const QString fake = m_dir.filePath(QStringLiteral("fake.mp4"));
        for (const auto &file : {qMakePair(truncated, bytes.left(bytes.size() / 2)),
                                 qMakePair(fake, QByteArray("this is not a video\n"))}) {
            QFile out(file.first);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file.second) == file.second.size());
        }
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        auto *stream = new LumoraMediaObject;
        stream->type = QStringLiteral("streaming");
        stream->streaming.address = QStringLiteral("rtsp://127.0.0.1:%1/live").arg(port);
        stream->streaming.length = QTime(0, 0, 3);
        CommonPlayWindow *pw = addWindow({video(truncated, QTime(0, 0, 3)), video(fake, QTime(0, 0, 3)),
                                          video(m_redSilent, QTime(0, 0, 2)), stream});
        pw->startWindowPlay();
        QTRY_COMPARE_WITH_TIMEOUT(pw->currentOutcome(), PlayOutcome::Unreadable, 10000);
        m_clock->advance(3000);
        QTRY_COMPARE_WITH_TIMEOUT(pw->currentOutcome(), PlayOutcome::Unreadable, 10000);
        m_clock->advance(3000);
        // The clip after two that failed plays: the player they left idle is not left so.
        QTRY_VERIFY_WITH_TIMEOUT(pw->videoPlayer->mpvWidget()->observed(QStringLiteral("duration")).isValid(),
                                 10000);
        QCOMPARE(pw->currentOutcome(), PlayOutcome::Shown);
        m_clock->advance(2000);
        QTRY_COMPARE_WITH_TIMEOUT(pw->currentOutcome(), PlayOutcome::StreamUnreachable, 10000);
        m_clock->advance(3000);
        QCOMPARE(results, QStringList({"truncated.mp4 could not be opened", "fake.mp4 could not be opened",
                                       "red-silent.mp4 success", "Streaming Media stream unreachable"}));
    }

    void videoWithoutALengthPlaysToItsEnd()
    {
        m_clock.reset(new VirtualClock(QDateTime(QDate(2026, 3, 2), QTime(10, 0))));
        Clock::setCurrent(m_clock.get());
        QVERIFY(makeSurface(true));
        QSignalSpy ends(m_surface.get(), &MainPlayBKLabel::sigCurProgramRealPlayEnd);
        // Stored without a length, as older schemes and unreadable files leave it: the 2 s clip.
        CommonPlayWindow *pw = addWindow({video(m_redSilent, QTime(0, 0))});
        QSignalSpy range(pw->videoPlayer, &PlayLabel::sigSetVideoRange);
        pw->startWindowPlay();
        QTRY_VERIFY_WITH_TIMEOUT(!range.isEmpty(), 10000);
        // Its end counts from the item's begin, however long the file took to open.
        m_clock->advance(1999);
        QCOMPARE(ends.count(), 0);
        m_clock->advance(1);
        QCOMPARE(ends.count(), 1);
    }

    void videoWithoutALengthThatCannotBeOpenedEndsAfterTheBound()
    {
        m_clock.reset(new VirtualClock(QDateTime(QDate(2026, 3, 2), QTime(10, 0))));
        Clock::setCurrent(m_clock.get());
        QVERIFY(makeSurface(true));
        QSignalSpy ends(m_surface.get(), &MainPlayBKLabel::sigCurProgramRealPlayEnd);
        const QString missing = m_dir.filePath(QStringLiteral("missing.mp4"));
        CommonPlayWindow *pw = addWindow({video(missing, QTime(0, 0))});
        WarningLog log;
        pw->startWindowPlay();
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("Failed to open ") + missing), 10000);
        m_clock->advance(PageRules::UnknownVideoBoundMsecs - 1);
        QCOMPARE(ends.count(), 0);
        m_clock->advance(1);
        QCOMPARE(ends.count(), 1);
    }

    void coverTextPlacementAndRolling()
    {
        m_clock.reset(new VirtualClock(QDateTime(QDate(2026, 3, 2), QTime(10, 0))));
        Clock::setCurrent(m_clock.get());
        QVERIFY(makeSurface(true));
        LumoraMediaObject *item = video(m_redSilent, QTime(0, 0, 2));
        item->video.coverTextEnabled = true;
        item->video.coverText = QStringLiteral("Opening hours 9-18");
        item->video.coverFontSize = 20;
        item->video.coverTextY = 12;
        CommonWinObject *w = window(m_page.get(), QStringLiteral("W"), {item}, QRect(30, 40, 240, 120));
        w->frameEnabled = true;
        w->frameWidth = 6;
        m_surface->applyWindowProperties(w);
        CommonPlayWindow *pw = m_surface->showCommonWindow(false, w);
        m_surface->applyWindowProperties(w);
        pw->setMediaList(w->media);
        pw->startWindowPlay();
        videoCoverLabel *cover = pw->videoCover;
        QVERIFY(cover->isVisible());
        // over the media area: the play window's screen position plus half the frame
        QCOMPARE(cover->geometry().topLeft(), pw->mapToGlobal(QPoint(3, 3)));
        QCOMPARE(cover->size(), QSize(240 - 12, 120 - 12));
        QVERIFY(!cover->stripLabel->isVisible());

        // Rolling right to left starts at the cover's right edge and steps on the roll tick.
        item->video.coverRolling = true;
        item->video.coverRollSpeed = 5;
        pw->slotSetVideoCoverLabel(item);
        QCOMPARE(cover->x, cover->width());
        QCOMPARE(cover->stripLabel->pos(), QPoint(cover->width(), 12));
        QCOMPARE(cover->strip.size(), QSize(20 + cover->textWidth, 100));
        m_clock->advance(10 * 10); // speed 5: a 10 ms tick, 1 pixel each
        QCOMPARE(cover->x, cover->width() - 10);
        // Left to right starts a whole text width left of the cover.
        item->video.coverRollDirection = 1;
        pw->slotSetVideoCoverLabel(item);
        QCOMPARE(cover->x, -cover->textWidth);
        m_clock->advance(50);
        QCOMPARE(cover->x, -cover->textWidth + 5);
        // wraps round once it has passed the far edge
        cover->x = cover->width() + 20;
        cover->slotTimeout();
        QCOMPARE(cover->x, -cover->textWidth);
        pw->stopWindowPlay();
        QVERIFY(!cover->isVisible());
    }

    void streamPlaysPausesAndResumes()
    {
        QVERIFY(makeSurface(true));
        auto *item = new LumoraMediaObject;
        item->type = QStringLiteral("streaming");
        // A clip served over HTTP on this machine; the address holds what a command string
        // would split or unquote, so it must reach mpv as one argument.
        QFile clip(m_green);
        QVERIFY(clip.open(QIODevice::ReadOnly));
        const QByteArray bytes = clip.readAll();
        TinyHttpServer server([&bytes](const QUrl &) {
            TinyHttpServer::Reply reply;
            reply.body = bytes;
            reply.contentType = "video/mp4";
            return reply;
        });
        const QString address = server.base() + QStringLiteral("/live/green.mp4?a=1;quit;b=\"x\"&c='y'");
        item->streaming.address = address;
        item->streaming.length = QTime(0, 0, 30);
        CommonPlayWindow *pw = addWindow({item});
        pw->startWindowPlay();
        QVERIFY(pw->streamPlayer->isVisible());
        QVERIFY(pw->streamTimer->isActive());
        MpvWidget *mpv = pw->streamPlayer->mpvWidget();
        QVERIFY(mpv);
        QTRY_COMPARE_WITH_TIMEOUT(mpv->observed(QStringLiteral("path")).toString(), address, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(mpv->observed(QStringLiteral("time-pos")).toDouble() > 0.3, 10000);
        QVERIFY(!server.targets.isEmpty());
        QCOMPARE(server.targets.first().path(), QStringLiteral("/live/green.mp4"));
        pw->pauseWindowPlay();
        QVERIFY(pw->streamPlayer->paused);
        QTRY_COMPARE(mpv->observed(QStringLiteral("pause")).toBool(), true);
        QVERIFY(!pw->streamTimer->isActive());
        pw->resumeWindowPlay();
        QTRY_COMPARE(mpv->observed(QStringLiteral("pause")).toBool(), false);
        QVERIFY(pw->streamTimer->isActive());
        pw->stopWindowPlay();
        QTRY_VERIFY_WITH_TIMEOUT(mpv->observed(QStringLiteral("idle-active")).toBool(), 5000);
    }

    void coverRollTable()
    {
        QCOMPARE(videoCoverLabel::rollInterval(1), 50);
        QCOMPARE(videoCoverLabel::rollInterval(5), 10);
        QCOMPARE(videoCoverLabel::rollInterval(6), 7);
        QCOMPARE(videoCoverLabel::rollInterval(7), 5);
        QCOMPARE(videoCoverLabel::rollInterval(8), 2);
        QCOMPARE(videoCoverLabel::rollInterval(10), 2);
        QCOMPARE(videoCoverLabel::rollStep(0, 7, 48), 2);
        QCOMPARE(videoCoverLabel::rollStep(0, 8, 48), 2);
        QCOMPARE(videoCoverLabel::rollStep(0, 9, 48), 3);
        QCOMPARE(videoCoverLabel::rollStep(0, 10, 60), 4);
        QCOMPARE(videoCoverLabel::rollStep(0, 10, 47), 1);
        QCOMPARE(videoCoverLabel::rollStep(1, 10, 60), 1);
    }

    void noBackgroundBetweenTwoVideosInRealPlay()
    {
        QVERIFY(makeSurface(true));
        WarningLog log;
        m_surface->setStyleSheet(QStringLiteral("background:rgb(0,0,255)"));
        // The red item is kept a little longer than its clip, as a stored length rounded up
        // would: the player reaches the end of the file before the window moves on, which is
        // where an idle player would show black.
        CommonPlayWindow *pw = addWindow({video(m_red, QTime(0, 0, 2, 600)), video(m_green, QTime(0, 0, 2))},
                                         QRect(0, 0, 200, 150));
        pw->setStyleSheet(QStringLiteral("background:rgb(0,0,255)"));
        pw->startWindowPlay();
        QCOMPARE(pw->videoPlayer->queuedFile(), m_green);
        QScreen *screen = QGuiApplication::primaryScreen();
        const QPoint centre = pw->mapToGlobal(QPoint(100, 75));
        // wait until the red clip is on screen
        QTRY_VERIFY_WITH_TIMEOUT(isRed(grabAt(screen, centre)), 10000);
        // From the first red frame on: the rest of the red clip, the change and a second of
        // green, however late a busy machine shows each of them.
        QElapsedTimer sinceRed;
        sinceRed.start();
        QElapsedTimer sinceGreen;
        int red = 0, green = 0, neither = 0;
        bool wentIdle = false;
        QString firstOdd;
        while (sinceRed.elapsed() < 20000 && !(sinceGreen.isValid() && sinceGreen.elapsed() >= 1000)) {
            wentIdle |= pw->videoPlayer->mpvWidget()->observed(QStringLiteral("idle-active")).toBool();
            const QColor c = grabAt(screen, centre);
            if (isRed(c)) {
                ++red;
            } else if (isGreen(c)) {
                ++green;
                if (!sinceGreen.isValid())
                    sinceGreen.start();
            } else {
                ++neither;
                if (firstOdd.isEmpty())
                    firstOdd =
                        QStringLiteral("%1 ms after the first red: %2").arg(sinceRed.elapsed()).arg(c.name());
            }
            QTest::qWait(10);
        }
        QVERIFY2(red > 0 && green > 0, qPrintable(QStringLiteral("red %1 green %2").arg(red).arg(green)));
        QVERIFY2(neither == 0, qPrintable(QStringLiteral("%1 grabs showed neither red nor green, first at %2")
                                              .arg(neither)
                                              .arg(firstOdd)));
        QTRY_COMPARE(pw->videoPlayer->mpvWidget()->observed(QStringLiteral("path")).toString(), m_green);
        QVERIFY2(!wentIdle, "the player went idle between the two videos");
        // Two files started: the machine's hardware decoding was looked into once at most.
        const QStringList decoding =
            log.matching(QRegularExpression(QStringLiteral("hwdec|hardware|cuda|va-?api|libva|vdpau|v4l2"),
                                            QRegularExpression::CaseInsensitiveOption));
        QVERIFY2(decoding.size() <= 1, qPrintable(decoding.join(QLatin1Char('\n'))));
    }

    void firstHandOverFromPicturesToVideoShowsNoBackground()
    {
        // Real play from the start, as the main window does it: the screen's play windows
        // exist, play begins on the display, a page of a blue picture hands over to a page
        // with the red video.
        QVERIFY(makeSurface(false));
        m_surface->setStyleSheet(QStringLiteral("background:rgb(255,0,255)"));
        const QString blue = m_dir.filePath(QStringLiteral("blue.png"));
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(blue));
        const QRect area(0, 0, 200, 150);
        LumoraMediaObject *bluePicture = image(blue, 2);
        CommonWinObject *pictures = window(m_page.get(), QStringLiteral("W1"), {bluePicture}, area);
        ProgramObject videoPage;
        videoPage.name = QStringLiteral("P2");
        videoPage.segmentName = m_page->segmentName;
        videoPage.displayWindowName = m_page->displayWindowName;
        CommonWinObject *videos =
            window(&videoPage, QStringLiteral("W2"), {video(m_red, QTime(0, 0, 2))}, area);
        for (CommonWinObject *w : {pictures, videos}) {
            w->segmentKind = QStringLiteral("generalSegment");
            m_surface->showCommonWindow(false, w)->setStyleSheet(QStringLiteral("background:rgb(255,0,255)"));
        }
        ScreenPlayHost host;
        host.addDisplay(nullptr, m_surface.get());
        connect(&host, &ScreenPlayHost::sigCurProgramRealPlayEnd, this,
                [&](const QString &, CommonWinObject *ended) {
                    if (ended == pictures)
                        host.slotRealPlayCommonWinObj(QStringLiteral("D1"), QStringLiteral("generalSegment"),
                                                      videos, videos->media);
                });
        host.slotGetRealBeginWinInfo(QStringLiteral("D1"));
        // The video's player is ready on its first frame before its page comes.
        CommonPlayWindow *videoWindow = m_surface->findPlayWindow(videos);
        QVERIFY(videoWindow->videoPlayer->mpvWidget());
        MpvWidget *mpv = videoWindow->videoPlayer->mpvWidget();
        QTRY_VERIFY_WITH_TIMEOUT(mpv->observed(QStringLiteral("path")).toString() == m_red &&
                                     mpv->observed(QStringLiteral("pause")).toBool() &&
                                     mpv->observed(QStringLiteral("time-pos")).isValid(),
                                 10000);

        host.slotRealPlayCommonWinObj(QStringLiteral("D1"), QStringLiteral("generalSegment"), pictures,
                                      pictures->media);
        QScreen *screen = QGuiApplication::primaryScreen();
        const QPoint centre = m_surface->mapToGlobal(QPoint(100, 75));
        QTRY_VERIFY_WITH_TIMEOUT(isBlue(grabAt(screen, centre)), 10000);
        QElapsedTimer sinceBlue;
        sinceBlue.start();
        QElapsedTimer sinceRed;
        int blueGrabs = 0, red = 0, neither = 0;
        QString firstOdd;
        while (sinceBlue.elapsed() < 20000 && !(sinceRed.isValid() && sinceRed.elapsed() >= 1000)) {
            const QColor c = grabAt(screen, centre);
            if (isBlue(c)) {
                ++blueGrabs;
            } else if (isRed(c)) {
                ++red;
                if (!sinceRed.isValid())
                    sinceRed.start();
            } else {
                ++neither;
                if (firstOdd.isEmpty())
                    firstOdd = QStringLiteral("%1 ms after the first blue: %2")
                                   .arg(sinceBlue.elapsed())
                                   .arg(c.name());
            }
            QTest::qWait(10);
        }
        QVERIFY2(blueGrabs > 0 && red > 0,
                 qPrintable(QStringLiteral("blue %1 red %2").arg(blueGrabs).arg(red)));
        QVERIFY2(neither == 0, qPrintable(QStringLiteral("%1 grabs showed neither blue nor red, first at %2")
                                              .arg(neither)
                                              .arg(firstOdd)));
        videoWindow->stopWindowPlay();
        m_surface->findPlayWindow(pictures)->stopWindowPlay();
    }

private:
    bool makeSurface(bool realPlay)
    {
        m_surface.reset(new MainPlayBKLabel(QStringLiteral("D1"), nullptr, false));
        m_surface->setGeometry(100, 100, 400, 300);
        m_surface->realPlayMode = realPlay;
        m_surface->show();
        m_page.reset(new ProgramObject);
        m_page->name = QStringLiteral("P1");
        m_page->segmentName = QStringLiteral("S1");
        m_page->displayWindowName = QStringLiteral("D1");
        return QTest::qWaitForWindowExposed(m_surface.get());
    }

    CommonPlayWindow *addWindow(const QList<LumoraMediaObject *> &media,
                                const QRect &geometry = QRect(10, 10, 160, 120))
    {
        CommonWinObject *w = window(m_page.get(), QStringLiteral("W"), media, geometry);
        CommonPlayWindow *pw = m_surface->showCommonWindow(false, w);
        pw->setMediaList(w->media);
        return pw;
    }

    // True when the reported position is the same before and after a fifth of a second;
    // `at` receives it.
    static bool standsStill(const MpvWidget *mpv, double *at)
    {
        const QVariant before = mpv->observed(QStringLiteral("time-pos"));
        QTest::qWait(200);
        const QVariant after = mpv->observed(QStringLiteral("time-pos"));
        *at = after.toDouble();
        return before.isValid() && before == after;
    }

    static bool xdotool(const QStringList &args)
    {
        return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
    }

    static QColor grabAt(QScreen *screen, const QPoint &p)
    {
        return screen->grabWindow(0, p.x(), p.y(), 1, 1).toImage().pixelColor(0, 0);
    }

    static bool isRed(const QColor &c) { return c.red() > 160 && c.green() < 80 && c.blue() < 80; }
    static bool isBlue(const QColor &c) { return c.blue() > 160 && c.red() < 80 && c.green() < 80; }
    static bool isGreen(const QColor &c) { return c.green() > 90 && c.red() < 80 && c.blue() < 80; }

    static bool makeClip(const QString &path, const QString &colour, bool audio)
    {
        QStringList args{QStringLiteral("-y"),
                         QStringLiteral("-loglevel"),
                         QStringLiteral("error"),
                         QStringLiteral("-f"),
                         QStringLiteral("lavfi"),
                         QStringLiteral("-i"),
                         QStringLiteral("color=c=%1:s=64x48:r=25:d=2").arg(colour)};
        if (audio)
            args << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
                 << QStringLiteral("sine=frequency=440:duration=2");
        args << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p") << QStringLiteral("-shortest")
             << path;
        return QProcess::execute(QStringLiteral("ffmpeg"), args) == 0 && QFile::exists(path);
    }

    QTemporaryDir m_dir;
    QString m_red;
    QString m_green;
    QString m_redSilent;
    std::unique_ptr<VirtualClock> m_clock;
    std::unique_ptr<MainPlayBKLabel> m_surface;
    std::unique_ptr<ProgramObject> m_page;
};

QTEST_MAIN(TestVideoPlay)
#include "test_videoplay.moc"
