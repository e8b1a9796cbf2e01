// The play window and its display surface on the virtual clock, shown under Xvfb.
#include "clock/clocktimer.h"
#include "clock/virtualclock.h"
#include "log/databaseconn.h"
#include "log/playevents.h"
#include "log/playlogreader.h"
#include "log/writelogthread.h"
#include "player/pagerules.h"
#include "render/commonplaywindow.h"
#include "render/effectanimation.h"
#include "render/mainplaybklabel.h"
#include "render/picturecache.h"
#include "render/playlabel.h"
#include "render/textwidget.h"
#include "schemebuilder.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace SchemeBuilder;

namespace {
const QDateTime start(QDate(2026, 3, 2), QTime(10, 0));
}

class TestCommonPlayWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<VirtualClock> clock;
    std::unique_ptr<MainPlayBKLabel> surface;
    std::unique_ptr<ProgramObject> page1;
    QStringList rows;
    int pageEnds = 0;

    CommonPlayWindow *addWindow(const QString &name, const QList<LumoraMediaObject *> &media,
                                const QRect &geometry = QRect(10, 10, 200, 100))
    {
        CommonWinObject *w = window(page1.get(), name, media, geometry);
        CommonPlayWindow *pw = surface->showCommonWindow(false, w);
        pw->setMediaList(w->media);
        return pw;
    }

private slots:
    void init()
    {
        clock.reset(new VirtualClock(start));
        Clock::setCurrent(clock.get());
        surface.reset(new MainPlayBKLabel(QStringLiteral("D1"), nullptr, false));
        surface->setGeometry(100, 100, 400, 300);
        surface->show();
        QVERIFY(QTest::qWaitForWindowExposed(surface.get()));
        page1.reset(new ProgramObject);
        page1->name = QStringLiteral("P1");
        page1->segmentName = QStringLiteral("S1");
        page1->displayWindowName = QStringLiteral("D1");
        rows.clear();
        pageEnds = 0;
        connect(surface.get(), &MainPlayBKLabel::sigPlayLogRow, this,
                [this](CommonWinObject *w, const QStringList &row) {
                    rows << w->name + ' ' + row.at(0) + ' ' + row.at(4) + '-' + row.at(5);
                });
        connect(surface.get(), &MainPlayBKLabel::sigCurProgramRealPlayEnd, this, [this] { ++pageEnds; });
    }
    void cleanup()
    {
        surface.reset();
        page1.reset();
        Clock::setCurrent(nullptr);
        clock.reset();
    }

    // ---- item time
    // A stay of 0 is shown for a second: a list of such items would otherwise spin, writing
    // rows as fast as the timers fire.
    void zeroStayIsShownForASecond()
    {
        CommonPlayWindow *pw = addWindow(QStringLiteral("W"), {image(QStringLiteral("/m/z.png"), 0)});
        pw->startWindowPlay();
        QCOMPARE(pw->pictureTimer->interval(), PageRules::MinItemMsecs);
        clock->advance(999);
        QVERIFY(rows.isEmpty());
        clock->advance(1);
        QCOMPARE(rows, QStringList({"W z.png 10:00:00:000-10:00:01:000"}));
        QCOMPARE(pageEnds, 1);
    }

    // Items hold no decoded picture: the window draws its first picture ahead while it waits
    // for its page and the next one while the current one stays, so neither hand-over shows a
    // frame of the background in between.
    void picturesAreReadyAtEveryHandOver()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        auto photo = [&dir](const char *name, const QColor &colour) {
            const QString path = dir.filePath(QLatin1String(name));
            QImage picture(4000, 3000, QImage::Format_RGB32);
            picture.fill(colour);
            return picture.save(path, "JPEG") ? path : QString();
        };
        const QString red = photo("red.jpg", QColor(220, 0, 0));
        const QString blue = photo("blue.jpg", QColor(0, 0, 220));
        QVERIFY(!red.isEmpty() && !blue.isEmpty());
        CommonPlayWindow *pw =
            addWindow(QStringLiteral("W"), {image(red, 5), image(blue, 5)}, QRect(0, 0, 320, 240));
        auto centre = [pw] {
            const QImage shown = pw->pictureLabel->pixmap(Qt::ReturnByValue).toImage();
            if (pw->pictureLabel->isHidden() || shown.isNull())
                return QColor();
            return shown.pixelColor(shown.width() / 2, shown.height() / 2);
        };
        const PictureCache::Look look{pw->pictureLabel->size(), false, 0};
        QTRY_VERIFY_WITH_TIMEOUT(PictureCache::instance()->isReady(red, look), 20000);
        pw->startWindowPlay();
        QVERIFY(centre().red() > 150 && centre().blue() < 80);
        QTRY_VERIFY_WITH_TIMEOUT(PictureCache::instance()->isReady(blue, look), 20000);
        clock->advance(5000);
        QVERIFY(centre().blue() > 150 && centre().red() < 80);
    }

    void videoTimerArithmetic()
    {
        LumoraMediaObject *a = video(QStringLiteral("/m/a.mp4"), QTime(0, 1, 5, 500));
        LumoraMediaObject *b = video(QStringLiteral("/m/b.mp4"), QTime(0, 1, 5, 150));
        LumoraMediaObject *c = video(QStringLiteral("/m/c.mp4"), QTime(0, 1, 5, 500));
        c->video.clipEnabled = true;
        c->video.clipStart = QTime(0, 0, 10);
        c->video.clipEnd = QTime(0, 0, 20);
        CommonPlayWindow *pw = addWindow(QStringLiteral("W"), {a, b, c});
        pw->startWindowPlay();
        QCOMPARE(pw->videoTimer->interval(), 65300);
        QCOMPARE(pw->videoPlayer->openedFile(), QStringLiteral("/m/a.mp4"));
        clock->advance(65300);
        QCOMPARE(pw->videoTimer->interval(), 65000);
        clock->advance(65000);
        QCOMPARE(pw->videoTimer->interval(), 11000);
        QCOMPARE(pw->videoPlayer->startSecond, 10);
        QCOMPARE(rows,
                 QStringList({"W a.mp4 10:00:00:000-10:01:05:300", "W b.mp4 10:01:05:300-10:02:10:300"}));
    }

    void pauseAndResumeWithTheRemainingTime()
    {
        CommonPlayWindow *pw = addWindow(QStringLiteral("W"), {image(QStringLiteral("/m/p.png"), 5)});
        pw->startWindowPlay();
        clock->advance(3400);
        pw->pauseWindowPlay();
        clock->advance(60000); // time under pause does not count
        QVERIFY(rows.isEmpty());
        pw->resumeWindowPlay();
        QCOMPARE(pw->pictureTimer->remainingTime(), 1600);
        clock->advance(1599);
        QVERIFY(rows.isEmpty());
        clock->advance(1);
        QCOMPARE(rows, QStringList({"W p.png 10:00:00:000-10:01:05:000"}));
    }

    // An item that comes due more than a second late (the GUI thread stalled) does not make
    // the next ones catch up: they start from the late moment with their whole time, and the
    // stall is reported.
    void afterAStallItemsCountFromNow()
    {
        CommonPlayWindow *pw = addWindow(QStringLiteral("W"), {image(QStringLiteral("/m/a.png"), 5),
                                                               image(QStringLiteral("/m/b.png"), 5),
                                                               image(QStringLiteral("/m/c.png"), 5)});
        pw->startWindowPlay();
        clock->advance(7000);
        clock->stall(10000);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("window W: .* after a stall")));
        clock->advance(4999);
        QCOMPARE(rows,
                 QStringList({"W a.png 10:00:00:000-10:00:05:000", "W b.png 10:00:05:000-10:00:17:000"}));
        clock->advance(1);
        QCOMPARE(rows.last(), QStringLiteral("W c.png 10:00:17:000-10:00:22:000"));
    }

    // ---- pages through the real display surface
    void pageEndsOnceWhenTheSlowestWindowEnds()
    {
        CommonPlayWindow *a = addWindow(QStringLiteral("A"), {image("/m/a1.png", 4), image("/m/a2.png", 6)},
                                        QRect(0, 0, 100, 100));
        CommonPlayWindow *b = addWindow(QStringLiteral("B"),
                                        {image("/m/b1.png", 5), image("/m/b2.png", 5), image("/m/b3.png", 5),
                                         image("/m/b4.png", 5), image("/m/b5.png", 5)},
                                        QRect(100, 0, 100, 100));
        a->startWindowPlay();
        b->startWindowPlay();
        clock->advance(24999);
        QCOMPARE(pageEnds, 0);
        clock->advance(1);
        QCOMPARE(pageEnds, 1);
        QCOMPARE(rows.filter(QRegularExpression("^A ")),
                 QStringList({"A a1.png 10:00:00:000-10:00:04:000", "A a2.png 10:00:04:000-10:00:10:000",
                              "A a1.png 10:00:10:000-10:00:14:000", "A a2.png 10:00:14:000-10:00:20:000",
                              "A a1.png 10:00:20:000-10:00:24:000",
                              // begun again while B finished, and cut short by the page's end
                              "A a2.png 10:00:24:000-10:00:25:000"}));
        QCOMPARE(rows.filter(QRegularExpression("^B ")).size(), 5);
        QVERIFY(a->isHidden() && b->isHidden());
        QVERIFY(a->mediaList.isEmpty() && b->mediaList.isEmpty());
        clock->advance(60000);
        QCOMPARE(pageEnds, 1);
        QCOMPARE(rows.size(), 11);
    }

    void pagePassEndLeavesOtherPagesAlone()
    {
        CommonPlayWindow *pw = addWindow(QStringLiteral("W"), {image("/m/w.png", 2)});
        // A window of another page, interrupted and paused (as under an insert).
        ProgramObject other;
        other.name = QStringLiteral("P2");
        other.segmentName = QStringLiteral("S1");
        other.displayWindowName = QStringLiteral("D1");
        CommonWinObject *g = window(&other, QStringLiteral("G"), {image("/m/g.png", 10)});
        CommonPlayWindow *gw = surface->showCommonWindow(false, g);
        gw->setMediaList(g->media);
        gw->startWindowPlay();
        clock->advance(3000);
        gw->pauseWindowPlay();
        gw->hide();
        pw->startWindowPlay();
        clock->advance(2000);
        QCOMPARE(pageEnds, 1);
        QVERIFY(gw->paused);
        QCOMPARE(gw->mediaList.size(), 1);
        gw->resumeWindowPlay();
        QCOMPARE(gw->pictureTimer->remainingTime(), 7000);
    }

    // ---- office pages and effects
    void officeOfThreePagesWritesOneRow()
    {
        CommonPlayWindow *pw = addWindow(QStringLiteral("W"), {office("/m/deck.pptx", 2, 3)});
        pw->startWindowPlay();
        // Pages are drawn off the GUI thread; the first shows when it is ready.
        QTRY_VERIFY(!pw->pictureLabel->pixmap(Qt::ReturnByValue).isNull());
        const QImage first = pw->pictureLabel->pixmap(Qt::ReturnByValue).toImage();
        clock->advance(2000);
        QCOMPARE(pw->officePage, 1);
        QTRY_VERIFY(pw->pictureLabel->pixmap(Qt::ReturnByValue).toImage() != first);
        const QImage second = pw->pictureLabel->pixmap(Qt::ReturnByValue).toImage();
        // The next page is drawn while this one shows, so it is on screen the moment it is due.
        QTest::qWait(500);
        clock->advance(2000);
        QCOMPARE(pw->officePage, 2);
        const QImage third = pw->pictureLabel->pixmap(Qt::ReturnByValue).toImage();
        QVERIFY(!third.isNull() && third != second);
        QVERIFY(rows.isEmpty());
        clock->advance(2000);
        QCOMPARE(rows, QStringList({"W deck.pptx 10:00:00:000-10:00:06:000"}));
    }

    void officeWithExitEffectCountsEveryEffect()
    {
        LumoraMediaObject *deck = office("/m/deck.pptx", 2, 3);
        deck->image.exitEffectEnabled = true;
        deck->image.exitEffect = 1;
        deck->image.exitSpeed = 5;
        deck->image.entryEffect = 12;
        deck->image.entrySpeed = 5;
        CommonPlayWindow *pw = addWindow(QStringLiteral("W"), {deck});
        pw->startWindowPlay();
        // exit 2.0-2.5, entry 2.5-3.0, exit 5.0-5.5, entry 5.5-6.0, exit 8.0-8.5
        clock->advance(2100);
        QVERIFY(!pw->entering);
        clock->advance(500);
        QVERIFY(pw->entering);
        QVERIFY(pw->curtain1->isVisible()); // effect 12 is a reveal
        clock->advance(5899);
        QVERIFY(rows.isEmpty());
        clock->advance(1);
        QCOMPARE(rows, QStringList({"W deck.pptx 10:00:00:000-10:00:08:500"}));
    }

    void entrySlideMovesToTheOriginInItsTime()
    {
        LumoraMediaObject *pic = image("/m/s.png", 3);
        pic->image.entryEffectEnabled = true;
        pic->image.entryEffect = 1;
        pic->image.entrySpeed = 5;
        CommonWinObject *w = window(page1.get(), QStringLiteral("W"), {pic}, QRect(0, 0, 200, 100));
        w->frameWidth = 4;
        w->frameEnabled = true;
        CommonPlayWindow *pw = surface->showCommonWindow(false, w);
        pw->setMediaList(w->media);
        pw->startWindowPlay();
        QCOMPARE(pw->pictureLabel->pos(), QPoint(198, 2));
        clock->advance(250);
        const int x = pw->pictureLabel->x();
        QVERIFY2(x > 2 && x < 198, qPrintable(QString::number(x)));
        // Out-quad: more than half the way in half the time.
        QVERIFY(x < 100);
        clock->advance(250);
        QCOMPARE(pw->pictureLabel->pos(), QPoint(2, 2));
        QCOMPARE(pw->pictureTimer->remainingTime(), 3000);
        clock->advance(3000);
        QCOMPARE(rows, QStringList({"W s.png 10:00:00:000-10:00:03:500"}));
    }

    // An insert that comes during an effect holds the effect too: neither the stay nor the next
    // item may run (and be logged) behind the insert.
    void effectsWaitThroughAPause()
    {
        LumoraMediaObject *pic = image("/m/s.png", 3);
        pic->image.entryEffectEnabled = true;
        pic->image.entryEffect = 1;
        pic->image.entrySpeed = 5;
        pic->image.exitEffectEnabled = true;
        pic->image.exitEffect = 1;
        pic->image.exitSpeed = 5;
        CommonPlayWindow *pw = addWindow(QStringLiteral("W"), {pic, image("/m/t.png", 2)});
        pw->startWindowPlay();
        clock->advance(250);
        const QPoint midway = pw->pictureLabel->pos();
        pw->pauseWindowPlay();
        clock->advance(60000);
        QCOMPARE(pw->pictureLabel->pos(), midway);
        QVERIFY(!pw->pictureTimer->isActive());
        pw->resumeWindowPlay();
        clock->advance(250);
        QCOMPARE(pw->pictureTimer->remainingTime(), 3000);
        clock->advance(3200); // 200 ms into the exit
        pw->pauseWindowPlay();
        clock->advance(60000);
        QVERIFY(rows.isEmpty());
        pw->resumeWindowPlay();
        clock->advance(299);
        QVERIFY(rows.isEmpty());
        clock->advance(1);
        QCOMPARE(rows, QStringList({"W s.png 10:00:00:000-10:02:04:000"}));
    }

    // ---- text
    // A text of the importer's limit (1 MiB) is cut into pages away from the GUI thread and
    // only once: its first page shows while the rest is being cut, its pages change on time
    // and the next item begins exactly when the last page has had its stay.
    void megabyteTextHandsOverOnTime()
    {
        const QString words = QStringLiteral("Every page of a long text has its time. ");
        QString text;
        while (text.size() < 1024 * 1024)
            text += words;
        text.truncate(1024 * 1024);
        CommonPlayWindow *pw = addWindow(QStringLiteral("W"), {simpleText(text, 1), image("/m/after.png", 5)},
                                         QRect(0, 0, 400, 300));
        textWidget *renderer = pw->textRenderer;
        pw->startWindowPlay();
        // Nothing of the cutting has come back to the GUI thread yet, and the first page's
        // time runs already.
        QVERIFY(!renderer->pagesComplete());
        QCOMPARE(pw->textTimer->remainingTime(), 1000);
        QTRY_VERIFY(renderer->pageCount() >= 1);
        QVERIFY(text.startsWith(renderer->simplePages.constFirst()));
        clock->advance(1000);
        QCOMPARE(renderer->page, 1);
        // The page count decides when the text ends; the worker cuts at its own pace, while
        // the event loop goes on.
        QTRY_VERIFY_WITH_TIMEOUT(renderer->pagesComplete(), 120000);
        const int pages = renderer->pageCount();
        QCOMPARE(renderer->simplePages.join(QString()), text);
        QVERIFY2(pages > 100, qPrintable(QString::number(pages)));
        const qint64 textEnd = pages * 1000LL;
        clock->advance(textEnd - 1000 - 1);
        QCOMPARE(renderer->page, pages - 1);
        QVERIFY(rows.isEmpty());
        clock->advance(1);
        const QString end = start.time().addMSecs(int(textEnd)).toString(QStringLiteral("hh:mm:ss:zzz"));
        const QString after =
            start.time().addMSecs(int(textEnd + 5000)).toString(QStringLiteral("hh:mm:ss:zzz"));
        QCOMPARE(rows, QStringList({"W Simple Text 10:00:00:000-" + end}));
        QCOMPARE(pw->currentItem->type, QStringLiteral("image"));
        clock->advance(5000);
        QCOMPARE(rows.last(), "W after.png " + end + '-' + after);
    }

    // ---- painting and editing
    void nameBandOnlyWhileNothingShowsOutsideRealPlay()
    {
        QTemporaryDir dir;
        QImage green(50, 50, QImage::Format_RGB32);
        green.fill(Qt::green);
        QVERIFY(green.save(dir.filePath(QStringLiteral("g.png"))));
        LumoraMediaObject *pic = image(dir.filePath(QStringLiteral("g.png")), 5);
        CommonPlayWindow *pw = addWindow(QStringLiteral("Window name"), {pic}, QRect(20, 20, 240, 120));
        auto whiteInBand = [pw] {
            const QImage shot = pw->grab().toImage();
            int white = 0;
            for (int y = (shot.height() - 19) / 2; y < (shot.height() + 19) / 2; ++y) {
                for (int x = 0; x < shot.width(); ++x)
                    white += qGray(shot.pixel(x, y)) > 180 ? 1 : 0;
            }
            return white;
        };
        QVERIFY(whiteInBand() > 20);
        pw->startWindowPlay();
        QTRY_VERIFY(!pw->pictureLabel->isHidden() && !pw->pictureLabel->pixmap(Qt::ReturnByValue).isNull());
        QCOMPARE(whiteInBand(), 0);
        const QImage shot = pw->grab().toImage();
        QCOMPARE(shot.pixelColor(120, 60), QColor(Qt::green));
        pw->stopWindowPlay();
        surface->realPlayMode = true;
        QCOMPARE(whiteInBand(), 0);
    }

    void dragStopsAtTheSurfaceEdges()
    {
        CommonPlayWindow *pw = addWindow(QStringLiteral("W"), {image("/m/d.png", 5)}, QRect(50, 50, 100, 80));
        auto send = [pw](QEvent::Type type, const QPoint &local, const QPoint &global,
                         Qt::MouseButtons buttons) {
            QMouseEvent e(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          buttons, Qt::NoModifier);
            QApplication::sendEvent(pw, &e);
        };
        const QPoint grab(50, 40);
        QPoint global = pw->mapToGlobal(grab);
        send(QEvent::MouseButtonPress, grab, global, Qt::LeftButton);
        QVERIFY(pw->selected);
        send(QEvent::MouseMove, grab, global + QPoint(1000, 0), Qt::LeftButton);
        QCOMPARE(pw->pos(), QPoint(300, 50)); // right edge on the surface's right edge
        send(QEvent::MouseMove, grab, global + QPoint(-1000, -1000), Qt::LeftButton);
        QCOMPARE(pw->pos(), QPoint(0, 0));
        send(QEvent::MouseButtonRelease, grab, global + QPoint(-1000, -1000), Qt::NoButton);
        QCOMPARE(pw->windowObject()->x, 0);
        QCOMPARE(pw->windowObject()->y, 0);

        // Resizing by the right edge is cut at the surface's edge too.
        const QPoint edge(98, 40);
        global = pw->mapToGlobal(edge);
        send(QEvent::MouseButtonPress, edge, global, Qt::LeftButton);
        send(QEvent::MouseMove, edge, global + QPoint(1000, 0), Qt::LeftButton);
        QCOMPARE(pw->geometry(), QRect(0, 0, 400, 80));
        send(QEvent::MouseButtonRelease, edge, global, Qt::NoButton);
        QCOMPARE(pw->windowObject()->width, 400);

        surface->windowsLocked = true;
        global = pw->mapToGlobal(grab);
        send(QEvent::MouseButtonPress, grab, global, Qt::LeftButton);
        send(QEvent::MouseMove, grab, global + QPoint(30, 30), Qt::LeftButton);
        QCOMPARE(pw->pos(), QPoint(0, 0));
    }

    void regionsOfTheEdgeZone()
    {
        const QSize s(100, 80);
        QCOMPARE(CommonPlayWindow::regionAt({5, 5}, s, 10), 8);
        QCOMPARE(CommonPlayWindow::regionAt({50, 10}, s, 10), 1);
        QCOMPARE(CommonPlayWindow::regionAt({95, 3}, s, 10), 2);
        QCOMPARE(CommonPlayWindow::regionAt({95, 40}, s, 10), 3);
        QCOMPARE(CommonPlayWindow::regionAt({95, 75}, s, 10), 4);
        QCOMPARE(CommonPlayWindow::regionAt({50, 70}, s, 10), 5);
        QCOMPARE(CommonPlayWindow::regionAt({10, 75}, s, 10), 6);
        QCOMPARE(CommonPlayWindow::regionAt({10, 40}, s, 10), 7);
        QCOMPARE(CommonPlayWindow::regionAt({50, 40}, s, 10), 0);
    }

    // ---- the play log
    // Each row says what became of its item: shown, or what kept it off screen. Its length is
    // the time it was on screen whatever the wall clock does, its name and result are stored
    // in one language, and its detail keeps the file, so two files of one name stay apart.
    void rowsSayWhatBecameOfEachItem()
    {
        QTemporaryDir dir;
        dataBaseConn::setDatabasePath(dir.filePath(QStringLiteral("log.db")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("a")) && QDir(dir.path()).mkpath(QStringLiteral("b")));
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const QString first = dir.filePath(QStringLiteral("a/same.png"));
        const QString second = dir.filePath(QStringLiteral("b/same.png"));
        QVERIFY(picture.save(first, "PNG") && picture.save(second, "PNG"));
        const QString empty = dir.filePath(QStringLiteral("empty.png"));
        QVERIFY(QFile(empty).open(QIODevice::WriteOnly));
        const QString gone = dir.filePath(QStringLiteral("gone.png"));

        MainPlayBKLabel live(QStringLiteral("D2"));
        live.setGeometry(0, 0, 200, 100);
        CommonWinObject *w = window(page1.get(), QStringLiteral("L"),
                                    {image(first, 2), image(empty, 1), image(gone, 1), image(second, 2)},
                                    QRect(0, 0, 100, 100));
        CommonPlayWindow *pw = live.showCommonWindow(false, w);
        pw->setMediaList(w->media);
        pw->startWindowPlay();
        // The wall clock is put back an hour while the first picture shows: it still shows 2 s.
        clock->advance(1000);
        clock->jumpWallClock(-3600000);
        clock->advance(1000);
        QTRY_COMPARE(pw->currentOutcome(), PlayOutcome::Unreadable);
        clock->jumpWallClock(3600000);
        clock->advance(1000);
        QCOMPARE(pw->currentOutcome(), PlayOutcome::FileMissing);
        clock->advance(1000);
        QVERIFY(pw->logRowOpen());
        // Stopped a quarter into its time: logged as cut short, with the half second shown.
        clock->advance(500);
        pw->stopWindowPlay();
        QVERIFY(!pw->logRowOpen());
        QVERIFY(pw->logWriter->waitUntilIdle(10000));

        dataBaseConn conn;
        const QList<QStringList> rows = conn.queryLogs(QString(), "2026-03-02", "2026-03-02");
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.at(0),
                 QStringList({"same.png", "2", "2026-03-02", "2026-03-02", "10:00:00:000", "09:00:02:000", "success"}));
        QCOMPARE(rows.at(1), QStringList({"empty.png", "1", "2026-03-02", "2026-03-02", "09:00:02:000",
                                          "10:00:03:000", "could not be opened"}));
        QCOMPARE(rows.at(2).at(6), QStringLiteral("file missing"));
        QCOMPARE(rows.at(3), QStringList({"same.png", "1", "2026-03-02", "2026-03-02", "10:00:04:000",
                                          "10:00:04:500", "cut short by a stop"}));

        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("details"));
        {
            db.setDatabaseName(dir.filePath(QStringLiteral("log.db")));
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec(QStringLiteral("select L.name,D.path,D.outcome,D.shownMs from LOGINFOS L join "
                                              "PLAYDETAILS D on D.logId = L.rowid order by L.rowid")));
            QStringList details;
            while (query.next())
                details << QStringList{query.value(0).toString(), query.value(1).toString(),
                                       query.value(2).toString(), query.value(3).toString()}
                               .join(QLatin1Char('|'));
            QCOMPARE(details, QStringList({"same.png|" + first + "|shown|2000", "empty.png|" + empty + "|unreadable|1000",
                                           "gone.png|" + gone + "|missing|1000", "same.png|" + second + "|cut-stop|500"}));
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("details"));

        // Two files of one name are two items; what could not be shown is not a play.
        PlayLogReader reader(dir.filePath(QStringLiteral("log.db")));
        QVector<PlayLogSummaryRow> summary;
        QVERIFY(reader.summary(PlayLogFilter(), &summary));
        QStringList items;
        for (const PlayLogSummaryRow &row : qAsConst(summary))
            items << QStringLiteral("%1 %2 %3/%4 %5").arg(row.name, row.path).arg(row.plays).arg(row.notShown).arg(row.secondsText());
        QCOMPARE(items, QStringList({"empty.png " + empty + " 0/1 0.000", "gone.png " + gone + " 0/1 0.000",
                                     "same.png " + first + " 1/0 2.000", "same.png " + second + " 1/0 0.500"}));
    }

    // An item that cannot be opened is an event of the screen it should have shown on, written
    // beside the play log and not mended; the window says when it shows something again. A file
    // that stays missing is not reported at every turn of its list.
    void anItemThatCannotBeOpenedIsAnEventOnce()
    {
        QTemporaryDir dir;
        dataBaseConn::setDatabasePath(dir.filePath(QStringLiteral("log.db")));
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const QString shown = dir.filePath(QStringLiteral("shown.png"));
        QVERIFY(picture.save(shown, "PNG"));
        const QString gone = dir.filePath(QStringLiteral("gone.png"));
        QStringList events;
        int resumed = 0;
        {
            MainPlayBKLabel live(QStringLiteral("D2"));
            live.setGeometry(0, 0, 200, 100);
            connect(&live, &MainPlayBKLabel::sigPlayEvent, this, [&](CommonWinObject *, const PlayEvent &e) {
                events
                    << QStringLiteral("%1 %2 %3 %4 %5").arg(e.screen, e.window, e.item, e.kind).arg(e.mended);
            });
            connect(&live, &MainPlayBKLabel::sigPlayResumed, this, [&] { ++resumed; });
            CommonWinObject *w = window(page1.get(), QStringLiteral("L"), {image(gone, 1), image(shown, 1)},
                                        QRect(0, 0, 100, 100));
            CommonPlayWindow *pw = live.showCommonWindow(false, w);
            pw->setMediaList(w->media);
            for (int pass = 0; pass < 3; ++pass) {
                pw->index = 0;
                pw->startWindowPlay();
                clock->advance(2000);
            }
            pw->stopWindowPlay();
        }
        QCOMPARE(events, QStringList{QStringLiteral("D2 L gone.png openFailed 0")});
        QCOMPARE(resumed, 1);
        PlayEventStore store;
        const QList<PlayEvent> stored = store.readAll();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().path, gone);
        QCOMPARE(stored.first().detail, QStringLiteral("file missing"));
        QCOMPARE(stored.first().utcMs, clock->now().toMSecsSinceEpoch() - 6000);
    }
};

QTEST_MAIN(TestCommonPlayWindow)
#include "test_commonplaywindow.moc"
