// One operator's run, end to end: a scheme with pictures on two display windows is opened
// from the menu, played on its screens, the screens are grabbed from the desktop and show the
// pictures, and the play log holds a row for every picture shown. And a scheme built from
// nothing in the tree's menus and the property panels, saved, reopened and played.
#include "appcore/settings.h"
#include "editor/projecttree.h"
#include "log/databaseconn.h"
#include "modalwatcher.h"
#include "model/generalobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemewriter.h"
#include "panels/windowpanel.h"
#include "player/segmentscheduler.h"
#include "render/mainplaybklabel.h"
#include "scriptedwidget.h"
#include "shell/displaysettingsdialog.h"
#include "shell/displaywindowset.h"
#include "shell/mainmenubklabel.h"
#include "shell/prodoc.h"
#include "treemenus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
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

// Types `value` into the spin box and confirms it with Enter, as an operator does.
void enter(QSpinBox *box, int value)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(value));
    QTest::keyClick(box, Qt::Key_Return);
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
        QCOMPARE(widget.displays()->size(), 2);
        QCOMPARE(widget.prodoc()->path(), path);

        widget.slotStartLast();
        QVERIFY(widget.treeOf(QStringLiteral("North"))->scheduler()->isPlaying());
        QVERIFY(widget.treeOf(QStringLiteral("South"))->scheduler()->isPlaying());
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
        QCOMPARE(widget.currentDisplayName(), QStringLiteral("North"));
        emit widget.mainMenu()->sigStop();
        QVERIFY(!widget.treeOf(QStringLiteral("North"))->scheduler()->isPlaying());
        QVERIFY(widget.treeOf(QStringLiteral("South"))->scheduler()->isPlaying());
        QVERIFY(!widget.isEditingEnabled());
        QVERIFY(watcher.messages.isEmpty());
    }

    // From an empty scheme: a display window, its segment, page and two windows, a picture
    // chosen in the file dialog with a stay time and an entry effect set in its panel, a
    // scrolling text typed into its panel; saved, reopened and played.
    void buildInTheEditorSaveReopenPlay()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        setApplicationDirectory(dir.path());
        dataBaseConn::setDatabasePath(dir.filePath(QStringLiteral("log.db")));
        const QString green = writePicture(dir.filePath(QStringLiteral("green.png")), Qt::green);
        QVERIFY(!green.isEmpty());
        const QString path = dir.filePath(QStringLiteral("built.schx"));
        const QString clip = dir.filePath(QStringLiteral("clip.mp4"));
        QVERIFY(QProcess::execute(QStringLiteral("ffmpeg"),
                                  {QStringLiteral("-y"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                                   QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                                   QStringLiteral("color=c=blue:s=64x48:r=25:d=2"), QStringLiteral("-pix_fmt"),
                                   QStringLiteral("yuv420p"), clip}) == 0);

        ModalWatcher watcher;
        ScriptedWidget widget;
        widget.show();
        widget.move(0, 400);
        widget.slotClearCurrentAllScheme();
        QVERIFY(widget.displays()->isEmpty());
        watcher.dialogHandlers << [](QWidget *modal) {
            auto *dialog = qobject_cast<DisplaySettingsDialog *>(modal);
            QVERIFY(dialog);
            dialog->nameEdit()->setText(QStringLiteral("Hall"));
            dialog->xSpin()->setValue(0);
            dialog->ySpin()->setValue(100);
            dialog->widthSpin()->setValue(320);
            dialog->heightSpin()->setValue(80);
            dialog->onTopButton(1)->setChecked(true);
            dialog->okButton()->click();
        };
        widget.slotAddDisplayWindow();
        QVERIFY(watcher.answered());
        ProjectTree *tree = widget.treeOf(QStringLiteral("Hall"));
        QVERIFY(tree);
        const QStringList page{QStringLiteral("General Segment1"), QStringLiteral("Program1")};
        const QStringList first = page + QStringList{QStringLiteral("Common Window1")};
        const QStringList second = page + QStringList{QStringLiteral("Common Window2")};
        QVERIFY(runMenu(tree, page, {QStringLiteral("Add Common Window")}));

        // The two windows side by side, through the window panel.
        auto place = [&](const QStringList &node, int x) {
            if (!clickNode(tree, treeNode(tree, node)))
                return false;
            WindowPanel *panel = widget.windowPanel();
            enter(panel->findChild<QSpinBox *>(QStringLiteral("widthSpin")), 160);
            enter(panel->findChild<QSpinBox *>(QStringLiteral("heightSpin")), 80);
            enter(panel->findChild<QSpinBox *>(QStringLiteral("xSpin")), x);
            return true;
        };
        QVERIFY(place(first, 0));
        QVERIFY(place(second, 160));

        const auto choose = [](const QString &file) {
            return [file](QWidget *modal) {
                auto *dialog = qobject_cast<QFileDialog *>(modal);
                QVERIFY(dialog);
                // Typed into the file name field, as an operator may.
                auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                QVERIFY(name);
                name->setText(file);
                QCOMPARE(dialog->selectedFiles(), QStringList{file});
                QMetaObject::invokeMethod(dialog, "accept");
            };
        };
        QCoreApplication::processEvents(); // the steps so far are taken
        watcher.dialogHandlers << choose(green);
        QVERIFY(runMenu(tree, first, {QStringLiteral("Add Media"), QStringLiteral("File")}));
        QVERIFY(watcher.answered());
        CommonWinObject *pictureWindow = tree->findWindow(treeNode(tree, first));
        QTRY_COMPARE(pictureWindow->media.size(), 1);
        // The file arrives after its menu entry is over; it is still a step to undo.
        QTRY_COMPARE(widget.prodoc()->undoName(), QStringLiteral("Add Media"));
        // A video after the picture: its length is read from the file and shown by its panel.
        watcher.dialogHandlers << choose(clip);
        QVERIFY(runMenu(tree, first, {QStringLiteral("Add Media"), QStringLiteral("File")}));
        QVERIFY(watcher.answered());
        QTRY_COMPARE(pictureWindow->media.size(), 2);
        QVERIFY(clickNode(tree, treeNode(tree, first)));
        widget.windowPanel()->selectMediaRow(1);
        auto *length = widget.findChild<QLabel *>(QStringLiteral("videoLength"));
        QVERIFY(length && length->isVisible());
        QCOMPARE(length->text(), QStringLiteral("00:00:02.000"));
        QVERIFY(clickNode(tree, treeNode(tree, first)));
        widget.windowPanel()->selectMediaRow(0);
        enter(widget.findChild<QSpinBox *>(QStringLiteral("imageStayTime")), 2);
        QTest::mouseClick(widget.findChild<QCheckBox *>(QStringLiteral("imageEntryBox")), Qt::LeftButton);
        auto *style = widget.findChild<QComboBox *>(QStringLiteral("imageEntryStyle"));
        QVERIFY(style->isEnabled());
        style->setFocus();
        QTest::keyClick(style, Qt::Key_Down);
        const LumoraMediaObject *picture = pictureWindow->media.at(0);
        QCOMPARE(picture->image.stayTime, 2);
        QVERIFY(picture->image.entryEffectEnabled);
        const int effect = picture->image.entryEffect;

        QVERIFY(runMenu(tree, second, {QStringLiteral("Add Media"), QStringLiteral("Scrolling Text")}));
        CommonWinObject *textWindow = tree->findWindow(treeNode(tree, second));
        QVERIFY(clickNode(tree, treeNode(tree, second)));
        widget.windowPanel()->selectMediaRow(0);
        auto *text = widget.findChild<QPlainTextEdit *>(QStringLiteral("textText"));
        QVERIFY(text && text->isVisible());
        text->setFocus();
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("WELCOME WELCOME WELCOME"));
        QCOMPARE(textWindow->media.at(0)->text.text, QStringLiteral("WELCOME WELCOME WELCOME"));

        widget.savePaths << path;
        widget.slotSaveAsDoc();
        QVERIFY(QFileInfo::exists(path));
        widget.slotClearCurrentAllScheme();
        widget.openPaths << path;
        widget.slotOpenDoc();
        QVERIFY(watcher.answered());
        tree = widget.treeOf(QStringLiteral("Hall"));
        QVERIFY(tree);
        pictureWindow = tree->findWindow(treeNode(tree, first));
        textWindow = tree->findWindow(treeNode(tree, second));
        QVERIFY(pictureWindow && textWindow);
        QCOMPARE(QRect(pictureWindow->x, pictureWindow->y, pictureWindow->width, pictureWindow->height),
                 QRect(0, 0, 160, 80));
        QCOMPARE(QRect(textWindow->x, textWindow->y, textWindow->width, textWindow->height),
                 QRect(160, 0, 160, 80));
        QCOMPARE(pictureWindow->media.value(0)->image.stayTime, 2);
        QCOMPARE(pictureWindow->media.value(0)->image.entryEffect, effect);
        QCOMPARE(pictureWindow->media.value(1)->video.totalLength, QTime(0, 0, 2));
        QCOMPARE(textWindow->media.value(0)->text.text, QStringLiteral("WELCOME WELCOME WELCOME"));

        widget.slotMenuPlay();
        QScreen *desktop = QGuiApplication::primaryScreen();
        QTRY_VERIFY_WITH_TIMEOUT(share(desktop->grabWindow(0, 0, 100, 160, 80).toImage(), Qt::green) > 0.9,
                                 10000);
        // The text scrolls across its window: some of it is not the black background.
        QTRY_VERIFY_WITH_TIMEOUT(share(desktop->grabWindow(0, 160, 100, 160, 80).toImage(), Qt::black) < 0.97,
                                 10000);
        dataBaseConn conn;
        QVERIFY(conn.openDatabase());
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        QTRY_VERIFY_WITH_TIMEOUT(conn.queryLogs(QStringLiteral("green.png"), today, today).size() >= 2,
                                 20000);
        QTRY_VERIFY_WITH_TIMEOUT(conn.queryLogs(QStringLiteral("Scrolling Text"), today, today).size() >= 1,
                                 90000);
        // The video's row lasts its 2 s, not 0.
        QTRY_VERIFY_WITH_TIMEOUT(!conn.queryLogs(QStringLiteral("clip.mp4"), today, today).isEmpty(), 20000);
        const QStringList videoRow = conn.queryLogs(QStringLiteral("clip.mp4"), today, today).constFirst();
        const QTime begin = QTime::fromString(videoRow.at(4), QStringLiteral("HH:mm:ss:zzz"));
        const QTime end = QTime::fromString(videoRow.at(5), QStringLiteral("HH:mm:ss:zzz"));
        QVERIFY2(begin.isValid() && end.isValid(), qPrintable(videoRow.join(QLatin1Char(' '))));
        QVERIFY2(qAbs(begin.msecsTo(end) - 2000) <= 500, qPrintable(videoRow.join(QLatin1Char(' '))));
        widget.slotMenuStop();
    }
};

QTEST_MAIN(TestEndToEnd)
#include "test_endtoend.moc"
