// An office item end to end: a scheme whose document is gone but whose PDF is in the cache is
// opened from the menu; the item is in its place at once, the progress dialog shows while its
// pages are found, and on play the screen shows the pages one after another, in order, and
// the play log records the item.
#include "../import/officetestfiles.h"
#include "appcore/settings.h"
#include "editor/projecttree.h"
#include "import/officecache.h"
#include "import/officeservice.h"
#include "importui/officeprogressdialog.h"
#include "log/databaseconn.h"
#include "modalwatcher.h"
#include "model/generalobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemewriter.h"
#include "player/segmentscheduler.h"
#include "scriptedwidget.h"
#include "shell/mainmenubklabel.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {
bool mostly(const QImage &image, const QColor &colour)
{
    int close = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            close += qAbs(c.red() - colour.red()) < 40 && qAbs(c.green() - colour.green()) < 40 &&
                     qAbs(c.blue() - colour.blue()) < 40;
        }
    }
    return !image.isNull() && close > image.width() * image.height() * 9 / 10;
}
} // namespace

class TestOfficePlay : public QObject
{
    Q_OBJECT

private slots:
    void aCachedDocumentPlaysItsPagesInOrder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        setApplicationDirectory(dir.path());
        dataBaseConn::setDatabasePath(dir.filePath(QStringLiteral("log.db")));
        OfficeService service(dir.filePath(QStringLiteral("tmp")));
        OfficeService::installInstance(&service);
        const QString source = dir.filePath(QStringLiteral("gone.pptx"));
        QVERIFY(QDir().mkpath(service.cacheDirectory()));
        QVERIFY(writeColourPdf(service.cacheDirectory() + QLatin1Char('/') + OfficeCache::cacheName(source),
                               {Qt::red, Qt::green, Qt::blue}));

        Scheme scheme;
        scheme.displayWindowCounter = 1;
        Scheme::DisplayWindow &dw = scheme.addDisplayWindow();
        dw.window.name = QStringLiteral("Hall");
        dw.window.y = 100;
        dw.window.width = 160;
        dw.window.height = 80;
        dw.window.onTopMode = 1;
        auto *segment = new GeneralObject;
        segment->name = QStringLiteral("General Segment1");
        segment->displayWindowName = dw.window.name;
        auto *page = new ProgramObject;
        page->name = QStringLiteral("Program1");
        page->segmentName = segment->name;
        page->displayWindowName = dw.window.name;
        auto *window = new CommonWinObject;
        window->name = QStringLiteral("Common Window1");
        window->segmentKind = QStringLiteral("generalSegment");
        window->displayWindowName = dw.window.name;
        window->segmentName = segment->name;
        window->programName = page->name;
        window->width = 160;
        window->height = 80;
        LumoraMediaObject *office = addPicture(window, source, 1);
        office->type = QStringLiteral("office");
        office->mediaId = 9;
        addPicture(window, QString(), 1)->mediaId = 4;
        page->windows << window;
        segment->programs << page;
        dw.schedule.generalSegments << segment;
        const QString path = dir.filePath(QStringLiteral("hall.schx"));
        QVERIFY(SchemeWriter::save(path, scheme));

        ModalWatcher watcher;
        ScriptedWidget widget;
        widget.show();
        widget.move(0, 400);
        widget.openPaths << path;
        emit widget.mainMenu()->sigOpenDoc();
        ProjectTree *tree = widget.treeOf(QStringLiteral("Hall"));
        QVERIFY(tree);
        // In place at once, in file order; new items continue above the largest number.
        const QList<LumoraMediaObject *> media =
            tree->generalSegments.value(0)->programs.value(0)->windows.value(0)->media;
        QCOMPARE(media.size(), 2);
        QCOMPARE(media.at(0)->type, QStringLiteral("office"));
        QCOMPARE(tree->takeMediaId(), 10);
        QVERIFY(widget.findChild<OfficeProgressDialog *>());
        QTRY_COMPARE_WITH_TIMEOUT(media.at(0)->image.pages.size(), 3, 20000);
        QTRY_VERIFY(!widget.findChild<OfficeProgressDialog *>());

        widget.slotStartLast();
        QVERIFY(tree->scheduler()->isPlaying());
        QScreen *desktop = QGuiApplication::primaryScreen();
        auto shows = [desktop](const QColor &colour) {
            return mostly(desktop->grabWindow(0, 20, 110, 120, 60).toImage(), colour);
        };
        QTRY_VERIFY_WITH_TIMEOUT(shows(Qt::red), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(shows(Qt::green), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(shows(Qt::blue), 3000);

        dataBaseConn conn;
        QVERIFY(conn.openDatabase());
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        QTRY_VERIFY_WITH_TIMEOUT(!conn.queryLogs(QStringLiteral("gone.pptx"), today, today).isEmpty(), 5000);
        const QStringList row = conn.queryLogs(QStringLiteral("gone.pptx"), today, today).first();
        QCOMPARE(row.value(0), QStringLiteral("gone.pptx"));
        QCOMPARE(row.value(1), QStringLiteral("3"));
        emit widget.mainMenu()->sigStop();
        QVERIFY(watcher.messages.isEmpty());
        OfficeService::installInstance(nullptr);
    }
};

QTEST_MAIN(TestOfficePlay)
#include "test_officeplay.moc"
