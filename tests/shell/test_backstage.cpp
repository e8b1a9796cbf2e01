// Backstage play on the real main window with one, two or three screens: where the surfaces
// and their play windows land, what the settings file keeps, and the automatic backstage after
// an automatic start. With LUMORA_TEST_SCREENS above 1 the test starts its own X server with
// that many screens joined by Xinerama, so the suite's one-screen server is left alone.
#include "appcore/screensurvey.h"
#include "appcore/settings.h"
#include "editor/projecttree.h"
#include "log/databaseconn.h"
#include "modalwatcher.h"
#include "model/schemewriter.h"
#include "picturescheme.h"
#include "player/segmentscheduler.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "shell/extendwin.h"
#include "shell/menubutton.h"
#include "shell/newdisplaywindowbutton.h"
#include "shell/prodoc.h"
#include "model/generalobject.h"

#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int screensWanted()
{
    const int n = qEnvironmentVariableIntValue("LUMORA_TEST_SCREENS");
    return n > 0 ? n : 1;
}

// The screens the private server gets, laid side by side by Xinerama, in different sizes.
const QList<QSize> kScreenSizes = {QSize(1280, 800), QSize(1024, 768), QSize(800, 600)};

QMap<QString, QString> iniValues(const QString &path)
{
    QMap<QString, QString> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return values;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            values.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
    return values;
}

// Where `surface` and each of its play windows are on the desktop.
QList<QRect> placesOf(MainPlayBKLabel *surface)
{
    QList<QRect> places{surface->geometry()};
    for (CommonPlayWindow *pw : qAsConst(surface->playWindows))
        places << QRect(pw->mapToGlobal(QPoint()), pw->size());
    return places;
}

QList<QRect> shifted(const QList<QRect> &places, const QPoint &by)
{
    QList<QRect> out;
    for (const QRect &r : places)
        out << r.translated(by);
    return out;
}

} // namespace

class TestBackstage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        takeScreenSurvey();
        QCOMPARE(screenSurvey().screenRects.size(), screensWanted());
    }

    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        setApplicationDirectory(m_dir->path());
        dataBaseConn::setDatabasePath(m_dir->filePath(QStringLiteral("log.db")));
        appSettings() = AppSettings();
        const QString picture = writePicture(m_dir->filePath(QStringLiteral("red.png")), Qt::red);
        QVERIFY(!picture.isEmpty());
        Scheme scheme;
        scheme.displayWindowCounter = 2;
        addPictureDisplay(scheme, QStringLiteral("North"), QRect(10, 20, 160, 80), picture, 60);
        addPictureDisplay(scheme, QStringLiteral("South"), QRect(300, 40, 200, 100), picture, 60);
        m_scheme = m_dir->filePath(QStringLiteral("lobby.schx"));
        QVERIFY(SchemeWriter::save(m_scheme, scheme));
        m_widget.reset(new ScriptedWidget);
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget.data()));
    }

    void cleanup() { m_widget.reset(); }

    // The backstage button moves the current display window's surface, with its play windows,
    // onto another screen and back; the other display window stays where it is.
    void backstageButtonMovesTheCurrentDisplayWindow()
    {
        QVERIFY(m_widget->openSchemeFile(m_scheme, false));
        QCOMPARE(m_widget->currentDisplayName(), QStringLiteral("North"));
        MainPlayBKLabel *north = m_widget->screenOf(QStringLiteral("North"));
        MainPlayBKLabel *south = m_widget->screenOf(QStringLiteral("South"));
        QVERIFY(north && south && north->playWindows.size() == 2);
        QTRY_COMPARE(north->pos(), QPoint(10, 20));
        const QList<QRect> northHome = placesOf(north);
        const QList<QRect> southHome = placesOf(south);
        auto *button = m_widget->findChild<menuButton *>(QStringLiteral("backstageButton"));
        QCOMPARE(button->text(), QStringLiteral("background"));

        const QList<QRect> &screens = screenSurvey().screenRects;
        ModalWatcher watcher;
        QStringList offered;
        // With three screens the operator chooses the last one.
        watcher.dialogHandlers << [&offered](QWidget *modal) {
            auto *dialog = qobject_cast<ExtendWin *>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            for (QRadioButton *radio : dialog->screenButtons())
                offered << radio->text() + (radio->isChecked() ? QStringLiteral(" *") : QString());
            dialog->screenButtons().last()->setChecked(true);
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        };
        QTest::mouseClick(button, Qt::LeftButton);

        if (screens.size() == 1) {
            QCoreApplication::processEvents();
            QCOMPARE(placesOf(north), northHome);
            QCOMPARE(button->text(), QStringLiteral("background"));
            QVERIFY(!iniValues(settingsFilePath()).contains(QStringLiteral("BackStageFlag")));
            QVERIFY(offered.isEmpty());
            return;
        }
        const QRect target = screens.size() == 2 ? screens.at(1) : screens.last();
        if (screens.size() == 3) {
            QCOMPARE(offered, (QStringList{QStringLiteral("x:%1 y:%2 w:%3 h:%4 *")
                                               .arg(screens.at(1).x())
                                               .arg(screens.at(1).y())
                                               .arg(screens.at(1).width())
                                               .arg(screens.at(1).height()),
                                           QStringLiteral("x:%1 y:%2 w:%3 h:%4")
                                               .arg(screens.at(2).x())
                                               .arg(screens.at(2).y())
                                               .arg(screens.at(2).width())
                                               .arg(screens.at(2).height())}));
        }
        QTRY_COMPARE(placesOf(north), shifted(northHome, target.topLeft()));
        for (const QRect &place : placesOf(north))
            QVERIFY2(target.contains(place),
                     qPrintable(QStringLiteral("%1,%2").arg(place.x()).arg(place.y())));
        QTRY_COMPARE(north->screen()->geometry(), target);
        QCOMPARE(placesOf(south), southHome);
        QCOMPARE(button->text(), QStringLiteral("frontground"));
        QCOMPARE(iniValues(settingsFilePath()).value(QStringLiteral("BackStageFlag")),
                 screens.size() == 2 ? QStringLiteral("1") : QString());

        // The button follows the selected display window.
        m_widget->selectorButtonOf(QStringLiteral("South"))->click();
        QCOMPARE(m_widget->currentDisplayName(), QStringLiteral("South"));
        QCOMPARE(button->text(), QStringLiteral("background"));
        m_widget->selectorButtonOf(QStringLiteral("North"))->click();
        QCOMPARE(button->text(), QStringLiteral("frontground"));

        // An edit taken back rebuilds the screens; the one away stays away, its play windows
        // with it.
        m_widget->treeOf(QStringLiteral("North"))->generalSegments.first()->name = QStringLiteral("Renamed");
        QVERIFY(m_widget->prodoc()->recordStep(QStringLiteral("Rename")));
        m_widget->slotUndo();
        QCOMPARE(m_widget->treeOf(QStringLiteral("North"))->generalSegments.first()->name,
                 QStringLiteral("General Segment1"));
        north = m_widget->screenOf(QStringLiteral("North"));
        QTRY_COMPARE(placesOf(north), shifted(northHome, target.topLeft()));
        QCOMPARE(button->text(), QStringLiteral("frontground"));

        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_COMPARE(placesOf(north), northHome);
        QCOMPARE(button->text(), QStringLiteral("background"));
        QCOMPARE(iniValues(settingsFilePath()).value(QStringLiteral("BackStageFlag")),
                 screens.size() == 2 ? QStringLiteral("0") : QString());
        QVERIFY(watcher.messages.isEmpty());
    }

    // With no scheme open nothing moves, nothing is asked or written, and the button does not
    // claim that anything went backstage.
    void withNoDisplayWindowNothingHappens()
    {
        m_widget->slotClearCurrentAllScheme();
        ModalWatcher watcher;
        bool asked = false;
        watcher.dialogHandlers << [&asked](QWidget *modal) {
            asked = true;
            modal->close();
        };
        auto *button = m_widget->findChild<menuButton *>(QStringLiteral("backstageButton"));
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::qWait(200);
        QVERIFY(!asked);
        QCOMPARE(button->text(), QStringLiteral("background"));
        QVERIFY(!QFile::exists(settingsFilePath()));
    }

    // An automatic start with "BackStageFlag" set puts every display window onto the second
    // screen once the delayed start has run; on one screen everything stays.
    void automaticBackstageAfterStart()
    {
        appSettings().play = 1;
        appSettings().playType = 0;
        appSettings().schemePath = m_scheme;
        appSettings().backStageFlag = 1;
        m_widget->slotOpenSettingsDoc(m_scheme);
        MainPlayBKLabel *north = m_widget->screenOf(QStringLiteral("North"));
        MainPlayBKLabel *south = m_widget->screenOf(QStringLiteral("South"));
        QVERIFY(north && south);
        QTRY_COMPARE(north->pos(), QPoint(10, 20));
        const QList<QRect> northHome = placesOf(north);
        const QList<QRect> southHome = placesOf(south);

        QTRY_VERIFY_WITH_TIMEOUT(m_widget->treeOf(QStringLiteral("North"))->scheduler()->isPlaying() &&
                                     m_widget->treeOf(QStringLiteral("South"))->scheduler()->isPlaying(),
                                 15000);
        auto *button = m_widget->findChild<menuButton *>(QStringLiteral("backstageButton"));
        const QList<QRect> &screens = screenSurvey().screenRects;
        if (screens.size() == 1) {
            QCoreApplication::processEvents();
            QCOMPARE(placesOf(north), northHome);
            QCOMPARE(placesOf(south), southHome);
            QCOMPARE(button->text(), QStringLiteral("background"));
            return;
        }
        const QPoint offset = screens.at(1).topLeft();
        QTRY_COMPARE(placesOf(north), shifted(northHome, offset));
        QTRY_COMPARE(placesOf(south), shifted(southHome, offset));
        QTRY_COMPARE(north->screen()->geometry(), screens.at(1));
        QTRY_COMPARE(south->screen()->geometry(), screens.at(1));
        // Playing on the other screen: the page's play windows are on show there.
        QTRY_VERIFY(north->playWindows.first()->isVisible() && south->playWindows.first()->isVisible());
        QVERIFY(north->isVisible() && south->isVisible());
        QCOMPARE(button->text(), QStringLiteral("frontground"));
        // The operator brings one back; the other stays away.
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_COMPARE(placesOf(north), northHome);
        QCOMPARE(placesOf(south), shifted(southHome, offset));
    }

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QScopedPointer<ScriptedWidget> m_widget;
    QString m_scheme;
};

// Starts `program` with `args`, where "FD" stands for the pipe on which the server reports
// the display number it picked. Returns the process id and sets `display`, or returns -1.
static pid_t startServer(const char *program, QList<QByteArray> args, QByteArray *display)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    for (QByteArray &a : args) {
        if (a == "FD")
            a = QByteArray::number(fds[1]);
    }
    args.prepend(program);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        QVector<char *> argv;
        for (QByteArray &a : args)
            argv << a.data();
        argv << nullptr;
        execvp(program, argv.data());
        _exit(127);
    }
    close(fds[1]);
    QByteArray number;
    char c;
    while (pid > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (pid < 0 || number.isEmpty()) {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        return -1;
    }
    *display = ":" + number;
    return pid;
}

static void stopServer(pid_t pid)
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

// A desktop of `count` screens side by side, joined by Xinerama: a nested server (Xephyr,
// which places its screens where it is told) on a private host server (Xvfb, whose own
// Xinerama screens all sit at 0,0). RandR is left out, so the toolkit reads the Xinerama
// screens. Both pick free display numbers; DISPLAY names the nested one.
static bool startDesktop(int count, pid_t *host, pid_t *nested)
{
    QByteArray hostDisplay;
    *host = startServer("Xvfb", {"-displayfd", "FD", "-nolisten", "tcp", "-screen", "0", "3200x1000x24"},
                        &hostDisplay);
    if (*host < 0)
        return false;
    QList<QByteArray> args{"-displayfd", "FD", "-nolisten", "tcp", "+xinerama", "-extension", "RANDR"};
    int left = 0;
    for (int i = 0; i < count; ++i) {
        const QSize size = kScreenSizes.at(i);
        args << "-screen"
             << QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height()) + '+' +
                    QByteArray::number(left) + "+0";
        left += size.width();
    }
    qputenv("DISPLAY", hostDisplay);
    QByteArray display;
    *nested = startServer("Xephyr", args, &display);
    if (*nested < 0) {
        stopServer(*host);
        return false;
    }
    qputenv("DISPLAY", display);
    return true;
}

int main(int argc, char **argv)
{
    const int count = screensWanted();
    pid_t host = 0;
    pid_t nested = 0;
    if (count > 1) {
        if (count > kScreenSizes.size() || !startDesktop(count, &host, &nested)) {
            std::fprintf(stderr, "could not start an X server with %d screens\n", count);
            return 1;
        }
    }
    int status = 1;
    {
        QApplication app(argc, argv);
        TestBackstage test;
        status = QTest::qExec(&test, argc, argv);
    }
    stopServer(nested);
    stopServer(host);
    return status;
}

#include "test_backstage.moc"
