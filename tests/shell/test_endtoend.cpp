// One operator's run, end to end: a scheme with pictures on two display windows is opened
// from the menu, played on its screens, the screens are grabbed from the desktop and show the
// pictures, and the play log holds a row for every picture shown.
#include "databaseconn.h"
#include "generalobject.h"
#include "mainmenubklabel.h"
#include "mainplaybklabel.h"
#include "modalwatcher.h"
#include "programobject.h"
#include "projecttree.h"
#include "scheme.h"
#include "schemewriter.h"
#include "scriptedwidget.h"
#include "settings.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString writePicture(const QString &path, const QColor &colour)
{
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path) ? path : QString();
}

// The share of the grabbed area whose pixels are close to `colour`.
double share(const QImage &image, const QColor &colour)
{
    int close = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) < 40 && qAbs(c.green() - colour.green()) < 40 &&
                qAbs(c.blue() - colour.blue()) < 40)
                ++close;
        }
    }
    return image.isNull() ? 0.0 : double(close) / (image.width() * image.height());
}

void addDisplay(Scheme &scheme, const QString &name, int x, const QString &picture, int seconds)
{
    Scheme::DisplayWindow &dw = scheme.addDisplayWindow();
    dw.window.name = name;
    dw.window.x = x;
    dw.window.y = 100;
    dw.window.width = 160;
    dw.window.height = 80;
    dw.window.onTopMode = 1;
    auto *segment = new GeneralObject;
    segment->name = QStringLiteral("General Segment1");
    segment->displayWindowName = name;
    auto *page = new ProgramObject;
    page->name = QStringLiteral("Program1");
    page->segmentName = segment->name;
    page->displayWindowName = name;
    auto *window = new CommonWinObject;
    window->name = QStringLiteral("Common Window1");
    window->segmentKind = QStringLiteral("generalSegment");
    window->displayWindowName = name;
    window->segmentName = segment->name;
    window->programName = page->name;
    window->width = 160;
    window->height = 80;
    addPicture(window, picture, seconds);
    page->windows << window;
    segment->programs << page;
    dw.schedule.generalSegments << segment;
}
} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void openPlayGrabAndLog()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        setApplicationDirectory(dir.path());
        dataBaseConn::setDatabasePath(dir.filePath(QStringLiteral("log.db")));
        const QString red = writePicture(dir.filePath(QStringLiteral("red.png")), Qt::red);
        const QString blue = writePicture(dir.filePath(QStringLiteral("blue.png")), Qt::blue);
        QVERIFY(!red.isEmpty() && !blue.isEmpty());
        Scheme scheme;
        scheme.displayWindowCounter = 2;
        addDisplay(scheme, QStringLiteral("North"), 0, red, 1);
        addDisplay(scheme, QStringLiteral("South"), 300, blue, 1);
        const QString path = dir.filePath(QStringLiteral("lobby.schx"));
        QVERIFY(SchemeWriter::save(path, scheme));

        ModalWatcher watcher;
        ScriptedWidget widget;
        widget.show();
        widget.move(0, 400);
        widget.openPaths << path;
        emit widget.mainMenu()->sigOpenDoc();
        QCOMPARE(widget.displayWindows.size(), 2);
        QCOMPARE(currentSchemePath(), path);

        widget.slotStartLast();
        QVERIFY(widget.treeOf(QStringLiteral("North"))->playing);
        QVERIFY(widget.treeOf(QStringLiteral("South"))->playing);
        QCOMPARE(widget.playButtonText(), QStringLiteral("pause"));
        QTRY_VERIFY(widget.isMinimized() || !widget.isActiveWindow());

        QScreen *desktop = QGuiApplication::primaryScreen();
        QTRY_VERIFY_WITH_TIMEOUT(share(desktop->grabWindow(0, 0, 100, 160, 80).toImage(), Qt::red) > 0.9,
                                 10000);
        QTRY_VERIFY_WITH_TIMEOUT(share(desktop->grabWindow(0, 300, 100, 160, 80).toImage(), Qt::blue) > 0.9,
                                 10000);

        // Each one-second picture ends its pass, is logged, and starts again.
        dataBaseConn conn;
        QVERIFY(conn.openDatabase());
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        QTRY_VERIFY_WITH_TIMEOUT(conn.queryLogs(QStringLiteral("red.png"), today, today).size() >= 2, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(conn.queryLogs(QStringLiteral("blue.png"), today, today).size() >= 2, 15000);
        const QList<QStringList> rows = conn.queryLogs(QStringLiteral("blue.png"), today, today);
        QCOMPARE(rows[0].value(0), QStringLiteral("blue.png"));
        QCOMPARE(rows[0].value(1), QStringLiteral("1"));
        QCOMPARE(rows[0].value(6), QStringLiteral("success"));

        // Stop addresses the current display window (the first of the file) only.
        QCOMPARE(widget.currentDisplayName, QStringLiteral("North"));
        emit widget.mainMenu()->sigStop();
        QVERIFY(!widget.treeOf(QStringLiteral("North"))->playing);
        QVERIFY(widget.treeOf(QStringLiteral("South"))->playing);
        QVERIFY(!widget.isEditingEnabled());
        QVERIFY(watcher.messages.isEmpty());
    }
};

QTEST_MAIN(TestEndToEnd)
#include "test_endtoend.moc"
