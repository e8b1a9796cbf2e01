// Display windows through the real main window: adding with the settings dialog and its
// refusals, editing, selecting and deleting, and the play button and editing lock that follow
// the selected display window's schedule.
#include "appcore/settings.h"
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "editor/projectwidget.h"
#include "modalwatcher.h"
#include "model/generalobject.h"
#include "model/playwinobject.h"
#include "model/programobject.h"
#include "player/segmentscheduler.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "picturescheme.h"
#include "scriptedwidget.h"
#include "shell/displaysettingsdialog.h"
#include "shell/displaywindowset.h"
#include "shell/newdisplaywindowbutton.h"
#include "shell/prodoc.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {
std::function<void(QWidget *)> acceptAs(const QString &name, int x = 0, int y = 0, int w = 200, int h = 200,
                                        int onTop = 1)
{
    return [=](QWidget *modal) {
        auto *dialog = qobject_cast<DisplaySettingsDialog *>(modal);
        QVERIFY(dialog);
        if (!name.isNull())
            dialog->nameEdit()->setText(name);
        dialog->xSpin()->setValue(x);
        dialog->ySpin()->setValue(y);
        dialog->widthSpin()->setValue(w);
        dialog->heightSpin()->setValue(h);
        dialog->onTopButton(onTop)->setChecked(true);
        dialog->okButton()->click();
    };
}

std::function<void(QWidget *)> cancel(QString *proposedName = nullptr)
{
    return [=](QWidget *modal) {
        auto *dialog = qobject_cast<DisplaySettingsDialog *>(modal);
        QVERIFY(dialog);
        if (proposedName)
            *proposedName = dialog->name();
        dialog->cancelButton()->click();
    };
}

CommonWinObject *firstWindow(ProjectTree *tree)
{
    return tree->generalSegments.value(0)->programs.value(0)->windows.value(0);
}
} // namespace

class TestDisplayWindows : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        setApplicationDirectory(m_dir.path());
        m_watcher = new ModalWatcher;
        m_widget = new ScriptedWidget;
        m_widget->show();
    }

    void cleanup()
    {
        delete m_widget;
        delete m_watcher;
    }

    void startsWithOneDisplayWindowAndTheDefaultSchedule()
    {
        QCOMPARE(m_widget->displays()->size(), 1);
        QCOMPARE(m_widget->currentDisplayName(), QStringLiteral("Display window1"));
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Display window1"));
        QVERIFY(tree);
        QCOMPARE(tree->rootItem()->text(0), QStringLiteral("Add Schedule"));
        QCOMPARE(tree->generalSegments.size(), 1);
        QCOMPARE(tree->generalSegments[0]->name, QStringLiteral("General Segment1"));
        QCOMPARE(tree->generalSegments[0]->weekdays.size(), 7);
        QCOMPARE(tree->generalSegments[0]->programs[0]->name, QStringLiteral("Program1"));
        CommonWinObject *window = firstWindow(tree);
        QCOMPARE(window->name, QStringLiteral("Common Window1"));
        QCOMPARE(window->frameColor, QColor(255, 0, 0));
        QCOMPARE(window->displayWindowName, QStringLiteral("Display window1"));
        QCOMPARE(window->segmentKind, QStringLiteral("generalSegment"));
        // The window node is the one selected.
        QCOMPARE(tree->currentTreeItem()->text(0), QStringLiteral("Common Window1"));
    }

    void cancellingTheFourthAddRestoresTheCounter()
    {
        m_widget->slotClearCurrentAllScheme();
        for (int i = 0; i < 3; ++i) {
            m_watcher->dialogHandlers << acceptAs(QString());
            m_widget->slotAddDisplayWindow();
            QVERIFY(m_watcher->answered());
        }
        QString proposed;
        m_watcher->dialogHandlers << cancel(&proposed);
        m_widget->slotAddDisplayWindow();
        QVERIFY(m_watcher->answered());
        QCOMPARE(proposed, QStringLiteral("Display window4"));
        QCOMPARE(m_widget->displays()->size(), 3);
        QCOMPARE(m_widget->displays()->counter(), 3);
        m_watcher->dialogHandlers << cancel(&proposed);
        m_widget->slotAddDisplayWindow();
        QVERIFY(m_watcher->answered());
        QCOMPARE(proposed, QStringLiteral("Display window4"));
        QStringList names;
        for (const PlayWinObject *w : m_widget->displays()->windows())
            names << w->name;
        QCOMPARE(names, QStringList({"Display window1", "Display window2", "Display window3"}));
        // The newest is current, its button alone checked, its tree alone shown.
        QCOMPARE(m_widget->currentDisplayName(), QStringLiteral("Display window3"));
        int checked = 0;
        for (newDisplayWindowButton *b : m_widget->displays()->buttons())
            checked += b->isChecked() ? 1 : 0;
        QCOMPARE(checked, 1);
        QVERIFY(m_widget->selectorButtonOf(QStringLiteral("Display window3"))->isChecked());
        QVERIFY(m_widget->displays()->treeWidget(QStringLiteral("Display window3"))->isVisible());
        QVERIFY(!m_widget->displays()->treeWidget(QStringLiteral("Display window1"))->isVisible());
    }

    void emptyAndDuplicateNamesAreRefused()
    {
        QStringList seen;
        m_watcher->dialogHandlers << [&seen, this](QWidget *modal) {
            auto *dialog = qobject_cast<DisplaySettingsDialog *>(modal);
            QVERIFY(dialog);
            dialog->nameEdit()->setText(QString());
            dialog->okButton()->click(); // refused, the dialog stays
            seen << m_watcher->messages.value(0);
            QVERIFY(dialog->isVisible());
            dialog->nameEdit()->setText(QStringLiteral("Display window1"));
            dialog->okButton()->click();
            seen << m_watcher->messages.value(1);
            QVERIFY(dialog->isVisible());
            dialog->cancelButton()->click();
        };
        m_widget->slotAddDisplayWindow();
        QVERIFY(m_watcher->answered());
        QCOMPARE(seen, QStringList(
                           {"info|Name can not be empty!", "info|The name already exists, please Reinput!"}));
        QCOMPARE(m_widget->displays()->size(), 1);
        QCOMPARE(m_widget->displays()->counter(), 1);
    }

    void geometryAndOnTopModeComeFromTheDialog()
    {
        m_watcher->dialogHandlers << acceptAs(QStringLiteral("Lobby"), -100, 20, 0, 0, 0);
        m_widget->slotAddDisplayWindow();
        QVERIFY(m_watcher->answered());
        PlayWinObject *lobby = m_widget->displays()->windows().last();
        QCOMPARE(lobby->name, QStringLiteral("Lobby"));
        QCOMPARE(lobby->x, -100);
        QCOMPARE(lobby->y, 20);
        QCOMPARE(lobby->width, 0);
        QCOMPARE(lobby->height, 0);
        QCOMPARE(lobby->onTopMode, 0);
        // Its screen is a frameless top-level window partly off the desktop, not kept on top.
        MainPlayBKLabel *screen = m_widget->screenOf(QStringLiteral("Lobby"));
        QVERIFY(screen);
        QVERIFY(screen->isWindow());
        QCOMPARE(screen->geometry(), QRect(-100, 20, 0, 0));
        QVERIFY(screen->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!(screen->windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(screen->windowTitle(), QStringLiteral("Lobby"));
        // The default schedule's window has its play window on that screen.
        QCOMPARE(screen->playWindows.size(), 1);
        QCOMPARE(screen->playWindows[0]->windowObject()->displayWindowName, QStringLiteral("Lobby"));
    }

    void screensKeepOnTopByModeAndStartLockedUnderWinunlock()
    {
        MainPlayBKLabel *first = m_widget->screenOf(QStringLiteral("Display window1"));
        QVERIFY(first->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(first->geometry(), QRect(0, 0, 320, 240));
        m_widget->slotOverallLock();
        QVERIFY(first->windowsLocked);
        m_watcher->dialogHandlers << acceptAs(QString(), 400, 0, 128, 64, 2);
        m_widget->slotAddDisplayWindow();
        QVERIFY(m_watcher->answered());
        MainPlayBKLabel *second = m_widget->screenOf(QStringLiteral("Display window2"));
        QVERIFY(second->windowsLocked);
        m_widget->slotOverallLock();
        QVERIFY(!first->windowsLocked && !second->windowsLocked);
        // Hiding affects the current display window's screen only.
        m_widget->slotWinHide();
        QCOMPARE(m_widget->hideButtonText(), QStringLiteral("winshow"));
        QVERIFY(second->isHidden());
        QVERIFY(first->isVisible());
        m_widget->selectorButtonOf(QStringLiteral("Display window1"))->click();
        QCOMPARE(m_widget->hideButtonText(), QStringLiteral("winhide"));
        m_widget->selectorButtonOf(QStringLiteral("Display window2"))->click();
        QCOMPARE(m_widget->hideButtonText(), QStringLiteral("winshow"));
        m_widget->slotWinHide();
        QVERIFY(second->isVisible());
    }

    // "Playing" keeps a screen on top while its schedule plays, and only then; the screen
    // and what plays on it stay the same native window.
    void aScreenSetToPlayingIsOnTopOnlyWhilePlaying()
    {
        m_watcher->dialogHandlers << acceptAs(QString(), 400, 0, 128, 64, 2);
        m_widget->slotAddDisplayWindow();
        QVERIFY(m_watcher->answered());
        MainPlayBKLabel *screen = m_widget->screenOf(QStringLiteral("Display window2"));
        QVERIFY(!(screen->windowFlags() & Qt::WindowStaysOnTopHint));
        const WId native = screen->winId();
        const QString picture = writePicture(m_dir.filePath(QStringLiteral("p.png")), Qt::blue);
        addPicture(firstWindow(m_widget->treeOf(QStringLiteral("Display window2"))), picture, 30);
        m_widget->slotMenuPlay();
        QTRY_VERIFY(m_widget->playingDisplays().contains(QStringLiteral("Display window2")));
        QVERIFY(screen->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(screen->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(screen->winId(), native);
        QVERIFY(screen->isVisible());
        m_widget->slotMenuStop();
        QTRY_VERIFY(!(screen->windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!(screen->windowHandle()->flags() & Qt::WindowStaysOnTopHint));
        // "Always" is untouched by play.
        QVERIFY(m_widget->screenOf(QStringLiteral("Display window1"))->windowFlags() & Qt::WindowStaysOnTopHint);
    }

    // A display window placed over the editor's Play and Close buttons does not take them: the
    // editor in use stays in front, and real clicks (through the X server) reach both.
    void theEditorsButtonsStayInFrontOfAScreenOverThem()
    {
        m_widget->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_widget));
        auto *play = m_widget->findChild<QWidget *>(QStringLiteral("playButton"));
        auto *close = m_widget->findChild<QWidget *>(QStringLiteral("close"));
        QVERIFY(play && close);
        const QPoint playAt = play->mapToGlobal(play->rect().center());
        const QPoint closeAt = close->mapToGlobal(close->rect().center());
        const QRect over = QRect(playAt, closeAt).normalized().adjusted(-30, -30, 30, 30);
        m_watcher->dialogHandlers << acceptAs(QStringLiteral("Over"), over.x(), over.y(), over.width(),
                                              over.height(), 1);
        m_widget->slotAddDisplayWindow();
        QVERIFY(m_watcher->answered());
        MainPlayBKLabel *screen = m_widget->screenOf(QStringLiteral("Over"));
        QVERIFY(QTest::qWaitForWindowExposed(screen));
        QVERIFY(screen->frameGeometry().contains(playAt) && screen->frameGeometry().contains(closeAt));
        const QString picture = writePicture(m_dir.filePath(QStringLiteral("p.png")), Qt::blue);
        addPicture(firstWindow(m_widget->treeOf(QStringLiteral("Over"))), picture, 30);

        // What the X server shows at the button is the button.
        const QPoint playInEditor = play->mapTo(m_widget, play->rect().center());
        const QColor ownPlay = m_widget->grab().toImage().pixelColor(playInEditor);
        auto shownAt = [](const QPoint &at) {
            return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixelColor(0, 0);
        };
        QTRY_COMPARE(shownAt(playAt), ownPlay);
        QVERIFY(ownPlay != screen->grab().toImage().pixelColor(screen->mapFromGlobal(playAt)));
        QCOMPARE(windowUnder(playAt), QString::number(m_widget->winId()));
        QCOMPARE(windowUnder(closeAt), QString::number(m_widget->winId()));

        // The editor's own menus come over it, not under it.
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Over"));
        QTreeWidgetItem *segment = tree->rootItem()->child(0);
        const QPoint segmentAt = tree->viewport()->mapToGlobal(tree->visualItemRect(segment).center());
        xdotool({QStringLiteral("mousemove"), QString::number(segmentAt.x()), QString::number(segmentAt.y()),
                 QStringLiteral("click"), QStringLiteral("3")});
        QTRY_VERIFY(QApplication::activePopupWidget() && QApplication::activePopupWidget()->isVisible());
        QWidget *menu = QApplication::activePopupWidget();
        QTest::qWait(100); // what the editor does on the focus change, it has done by now
        QCOMPARE(windowUnder(menu->geometry().center()), QString::number(menu->winId()));
        menu->close();

        xdotool({QStringLiteral("mousemove"), QString::number(playAt.x()), QString::number(playAt.y()),
                 QStringLiteral("click"), QStringLiteral("1")});
        QTRY_VERIFY(m_widget->playingDisplays().contains(QStringLiteral("Over")));
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("pause"));
        QCOMPARE(windowUnder(closeAt), QString::number(m_widget->winId()));
        xdotool({QStringLiteral("mousemove"), QString::number(closeAt.x()), QString::number(closeAt.y()),
                 QStringLiteral("click"), QStringLiteral("1")});
        QTRY_VERIFY(!m_widget->isVisible());
        // Closing ends the program's loop; the next test's dialogs need one again.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

    // Undo rebuilds the screens from the scheme; a screen the operator hid stays hidden.
    void aHiddenScreenStaysHiddenThroughUndo()
    {
        m_widget->slotWinHide();
        QVERIFY(m_widget->screenOf(QStringLiteral("Display window1"))->isHidden());
        firstWindow(m_widget->treeOf(QStringLiteral("Display window1")))->width = 99;
        QVERIFY(m_widget->prodoc()->recordStep(QStringLiteral("Resize")));
        m_widget->slotUndo();
        QCOMPARE(firstWindow(m_widget->treeOf(QStringLiteral("Display window1")))->width, 320);
        QVERIFY(m_widget->screenOf(QStringLiteral("Display window1"))->isHidden());
        QCOMPARE(m_widget->hideButtonText(), QStringLiteral("winshow"));
        m_widget->slotWinHide();
        QVERIFY(m_widget->screenOf(QStringLiteral("Display window1"))->isVisible());
    }

    // A display window and a window of a billion pixels a side are stored as they are but
    // played at what the desktop can show: the player keeps its memory and plays.
    void aHugeDisplayWindowIsPlayedAtWhatTheDesktopShows()
    {
        m_watcher->dialogHandlers << acceptAs(QStringLiteral("Huge"), 0, 0, 200, 200, 0);
        m_widget->slotAddDisplayWindow();
        QVERIFY(m_watcher->answered());
        PlayWinObject *record = m_widget->displays()->window(QStringLiteral("Huge"));
        record->width = record->height = 1000000000;
        CommonWinObject *window = firstWindow(m_widget->treeOf(QStringLiteral("Huge")));
        window->x = window->y = -2000000000;
        window->width = window->height = 1000000000;
        const QString picture = writePicture(m_dir.filePath(QStringLiteral("p.png")), Qt::blue);
        addPicture(window, picture, 30);
        // Loaded from a file: the screens and play windows are made from the records.
        const QString path = m_dir.filePath(QStringLiteral("huge.schx"));
        QVERIFY(m_widget->saveSchemeFile(path, false));
        QVERIFY(m_widget->openSchemeFile(path, false));
        QCOMPARE(m_widget->displays()->window(QStringLiteral("Huge"))->width, 1000000000);
        MainPlayBKLabel *screen = m_widget->screenOf(QStringLiteral("Huge"));
        QVERIFY(screen->width() <= 2 * qMax(3840, 1920) && screen->height() <= 2 * qMax(2160, 1080));
        m_widget->selectorButtonOf(QStringLiteral("Huge"))->click();
        m_widget->slotMenuPlay();
        QTRY_VERIFY(m_widget->playingDisplays().contains(QStringLiteral("Huge")));
        CommonPlayWindow *pw = screen->playWindows.value(0);
        QVERIFY(pw);
        QVERIFY(pw->width() <= screen->width() && pw->height() <= screen->height());
        QTRY_VERIFY(pw->isVisible());
        QVERIFY2(residentKiB() < 1024 * 1024, qPrintable(QString::number(residentKiB())));
        m_widget->slotMenuStop();
    }

    void editingRenamesTreeButtonAndRecords()
    {
        MainPlayBKLabel *screen = m_widget->screenOf(QStringLiteral("Display window1"));
        m_widget->slotWinHide();
        m_watcher->dialogHandlers << acceptAs(QStringLiteral("Hall"), 10, 10, 64, 32, 2);
        m_widget->slotDisplayWindowSetting();
        QVERIFY(m_watcher->answered());
        QCOMPARE(m_widget->currentDisplayName(), QStringLiteral("Hall"));
        QVERIFY(!m_widget->displays()->contains(QStringLiteral("Display window1")));
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Hall"));
        QVERIFY(tree);
        QCOMPARE(tree->displayName, QStringLiteral("Hall"));
        QCOMPARE(firstWindow(tree)->displayWindowName, QStringLiteral("Hall"));
        QCOMPARE(tree->generalSegments[0]->displayWindowName, QStringLiteral("Hall"));
        QVERIFY(m_widget->selectorButtonOf(QStringLiteral("Hall")));
        QCOMPARE(m_widget->displays()->current()->width, 64);
        QCOMPARE(m_widget->displays()->current()->onTopMode, 2);
        // The tree still finds its records by the new name.
        QVERIFY(tree->findGeneral(QStringLiteral("General Segment1")));
        // The same screen takes the new geometry and stays hidden under its new name.
        QCOMPARE(m_widget->screenOf(QStringLiteral("Hall")), screen);
        QCOMPARE(screen->geometry(), QRect(10, 10, 64, 32));
        QVERIFY(screen->isHidden());
        QCOMPARE(m_widget->hideButtonText(), QStringLiteral("winshow"));
        m_widget->slotWinHide();
        QVERIFY(screen->isVisible());
    }

    void deletingSelectsAnotherDisplayWindow()
    {
        m_watcher->dialogHandlers << acceptAs(QString());
        m_widget->slotAddDisplayWindow();
        QVERIFY(m_watcher->answered());
        QCOMPARE(m_widget->currentDisplayName(), QStringLiteral("Display window2"));
        // Asked first; No keeps it with its schedule and screen.
        m_widget->slotDeleteDisplayWindow();
        QCOMPARE(m_watcher->messages,
                 QStringList("info|Delete the display window \"Display window2\" and its whole schedule?"));
        QCOMPARE(m_widget->displays()->size(), 2);
        QVERIFY(m_widget->treeOf(QStringLiteral("Display window2")));
        QVERIFY(m_widget->screenOf(QStringLiteral("Display window2"))->isVisible());
        m_watcher->answers << QMessageBox::Yes;
        m_widget->slotDeleteDisplayWindow();
        QCOMPARE(m_widget->displays()->size(), 1);
        QCOMPARE(m_widget->currentDisplayName(), QStringLiteral("Display window1"));
        QVERIFY(!m_widget->displays()->contains(QStringLiteral("Display window2")));
        QCOMPARE(m_widget->displays()->buttons().size(), 1);
        QVERIFY(m_widget->displays()->buttons().at(0)->isChecked());
        // The counter never goes back: the next one is number 3.
        QString proposed;
        m_watcher->dialogHandlers << cancel(&proposed);
        m_widget->slotAddDisplayWindow();
        QVERIFY(m_watcher->answered());
        QCOMPARE(proposed, QStringLiteral("Display window3"));
    }

    // Clicked (through the X server), Play on a schedule with nothing to play says so in a box
    // the operator can see, and the button never turns to "pause".
    void emptyScheduleIsRefusedAndTheButtonStaysOnPlay()
    {
        auto *play = m_widget->findChild<QWidget *>(QStringLiteral("playButton"));
        const QPoint playAt = play->mapToGlobal(play->rect().center());
        QStringList seen;
        m_watcher->beforeAnswer = [&](QMessageBox *box) {
            QVERIFY(QTest::qWaitForWindowExposed(box));
            QTest::qWait(100); // whatever the editor does on the click's focus change is done
            seen << m_widget->playButtonText()
                 << (windowUnder(box->geometry().center()) == QString::number(box->winId()) ? "box on top"
                                                                                            : "box covered");
        };
        xdotool({QStringLiteral("mousemove"), QString::number(playAt.x()), QString::number(playAt.y()),
                 QStringLiteral("click"), QStringLiteral("1")});
        QTRY_COMPARE(seen.size(), 2);
        QCOMPARE(seen, QStringList({QStringLiteral("play"), QStringLiteral("box on top")}));
        QVERIFY(m_watcher->answered());
        QTRY_COMPARE(m_widget->playButtonText(), QStringLiteral("play"));
        QVERIFY(
            m_watcher->messages.contains(QStringLiteral("info|The schedule is empty,please add program!")));
        QVERIFY(!m_widget->treeOf(m_widget->currentDisplayName())->scheduler()->isPlaying());
        QVERIFY(m_widget->isEditingEnabled());
    }

    void playPauseResumeStopTable()
    {
        ProjectTree *tree = m_widget->treeOf(m_widget->currentDisplayName());
        addPicture(firstWindow(tree), QStringLiteral("/nonexistent.png"), 5);
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("play"));
        // stopped: stop is ignored
        m_widget->slotOverallStop();
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("play"));
        // stopped -> playing, once the scheme is checked
        m_widget->slotOverallPlay();
        QVERIFY(playAnswered(m_widget));
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("pause"));
        QVERIFY(tree->scheduler()->isPlaying() && !tree->scheduler()->isPaused());
        QVERIFY(!m_widget->isEditingEnabled());
        MainPlayBKLabel *screen = m_widget->screenOf(m_widget->currentDisplayName());
        QVERIFY(screen->realPlayMode);
        CommonPlayWindow *pw = screen->playWindows.value(0);
        QVERIFY(pw);
        QCOMPARE(pw->segmentKind, QStringLiteral("generalSegment"));
        QCOMPARE(pw->mediaList.size(), 1);
        QVERIFY(m_widget->playingDisplays().contains(m_widget->currentDisplayName()));
        // playing -> paused
        m_widget->slotOverallPlay();
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("play"));
        QVERIFY(tree->scheduler()->isPlaying() && tree->scheduler()->isPaused());
        QVERIFY(m_widget->isOverallPaused());
        QVERIFY(pw->paused);
        // A language change while paused keeps offering to play, not to pause.
        m_widget->trUpdate();
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("play"));
        // paused -> playing
        m_widget->slotOverallPlay();
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("pause"));
        QVERIFY(tree->scheduler()->isPlaying() && !tree->scheduler()->isPaused());
        // menu pause while playing pauses; menu pause again does nothing
        m_widget->slotMenuPause();
        QVERIFY(tree->scheduler()->isPaused());
        m_widget->slotMenuPause();
        QVERIFY(tree->scheduler()->isPaused());
        // stop while paused: "play", not paused, editing back
        m_widget->slotOverallStop();
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("play"));
        QVERIFY(!tree->scheduler()->isPlaying() && !tree->scheduler()->isPaused());
        QVERIFY(!m_widget->isOverallPaused());
        QVERIFY(m_widget->isEditingEnabled());
        QVERIFY(!screen->realPlayMode);
        QVERIFY(pw->mediaList.isEmpty());
        // menu play starts; menu play again does not pause
        m_widget->slotMenuPlay();
        QVERIFY(playAnswered(m_widget));
        QVERIFY(tree->scheduler()->isPlaying() && !tree->scheduler()->isPaused());
        m_widget->slotMenuPlay();
        QVERIFY(tree->scheduler()->isPlaying() && !tree->scheduler()->isPaused());
        m_widget->slotMenuStop();
        QVERIFY(!tree->scheduler()->isPlaying());
    }

    void switchingDisplayWindowsFlipsThePlayButton()
    {
        ProjectTree *first = m_widget->treeOf(QStringLiteral("Display window1"));
        addPicture(firstWindow(first), QStringLiteral("/nonexistent.png"), 5);
        m_watcher->dialogHandlers << acceptAs(QString());
        m_widget->slotAddDisplayWindow();
        QVERIFY(m_watcher->answered());
        ProjectTree *second = m_widget->treeOf(QStringLiteral("Display window2"));
        addPicture(firstWindow(second), QStringLiteral("/nonexistent.png"), 5);

        m_widget->slotOverallPlay(); // window 2 plays
        QVERIFY(playAnswered(m_widget));
        m_widget->slotOverallPlay(); // and is paused
        QVERIFY(second->scheduler()->isPaused());
        m_widget->selectorButtonOf(QStringLiteral("Display window1"))->click();
        QCOMPARE(m_widget->currentDisplayName(), QStringLiteral("Display window1"));
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("play"));
        m_widget->slotOverallPlay(); // window 1 plays
        QVERIFY(playAnswered(m_widget));
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("pause"));
        m_widget->selectorButtonOf(QStringLiteral("Display window2"))->click();
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("play"));
        QVERIFY(m_widget->isOverallPaused());
        m_widget->selectorButtonOf(QStringLiteral("Display window1"))->click();
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("pause"));
        QVERIFY(!m_widget->isOverallPaused());

        // Editing stays locked until the last playing display window stops.
        m_widget->slotOverallStop();
        QVERIFY(!first->scheduler()->isPlaying());
        QVERIFY(!m_widget->isEditingEnabled());
        m_widget->selectorButtonOf(QStringLiteral("Display window2"))->click();
        m_widget->slotOverallStop();
        QVERIFY(m_widget->isEditingEnabled());
    }

    void lockSurvivesStopAndStart()
    {
        ProjectTree *tree = m_widget->treeOf(m_widget->currentDisplayName());
        addPicture(firstWindow(tree), QStringLiteral("/nonexistent.png"), 5);
        m_widget->slotOverallPlay();
        QVERIFY(playAnswered(m_widget));
        m_widget->slotOverallLock();
        QCOMPARE(m_widget->lockButtonText(), QStringLiteral("winunlock"));
        QVERIFY(m_widget->areWindowsLocked());
        QVERIFY(tree->scheduler()->isPlaying());
        m_widget->slotOverallStop();
        m_widget->slotOverallPlay();
        QVERIFY(playAnswered(m_widget));
        QCOMPARE(m_widget->lockButtonText(), QStringLiteral("winunlock"));
        m_widget->slotOverallLock();
        QCOMPARE(m_widget->lockButtonText(), QStringLiteral("winlock"));
        m_widget->slotOverallStop();
    }

private:
    static qint64 residentKiB()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
        return -1;
    }

    static QString xdotool(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral("xdotool"), args);
        p.waitForFinished(5000);
        return QString::fromLatin1(p.readAllStandardOutput()).trimmed();
    }

    // The top-level X window the pointer is over at `at`.
    static QString windowUnder(const QPoint &at)
    {
        const QString shell = xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                                       QStringLiteral("getmouselocation"), QStringLiteral("--shell")});
        for (const QString &line : shell.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("WINDOW=")))
                return line.mid(7);
        }
        return QString();
    }

    QTemporaryDir m_dir;
    ModalWatcher *m_watcher = nullptr;
    ScriptedWidget *m_widget = nullptr;
};

QTEST_MAIN(TestDisplayWindows)
#include "test_displaywindows.moc"
