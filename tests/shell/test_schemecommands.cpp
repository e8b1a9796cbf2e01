// Scheme commands through the real main window and real files: new, open, save, save as,
// the current scheme path's rules, the recovery copy, damaged files and failed saves.
#include "appcore/settings.h"
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "installedlayout.h"
#include "modalwatcher.h"
#include "model/generalobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "panels/windowpanel.h"
#include "player/segmentscheduler.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "scriptedwidget.h"
#include "shell/displaysettingsdialog.h"
#include "shell/displaywindowset.h"
#include "shell/mainmenubklabel.h"
#include "shell/prodoc.h"
#include "shell/recoverycopy.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

CommonWinObject *firstWindow(ProjectTree *tree)
{
    return tree->generalSegments.value(0)->programs.value(0)->windows.value(0);
}

int pagesIn(const QString &path)
{
    SchemeReader reader;
    if (!reader.readFile(path) || reader.scheme().displayWindows.empty())
        return -1;
    return reader.scheme().displayWindows.front()->schedule.generalSegments.value(0)->programs.size();
}

// Closing the main window ends the program's event loop, and until one runs again every
// dialog's loop would end at once: the quit is spent on a loop of its own.
void spendTheQuit()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

// "Add Programs" from the first general segment's menu, as the operator would.
void addPageThroughTheMenu(Widget *widget)
{
    ProjectTree *tree = widget->treeOf(widget->currentDisplayName());
    tree->setCurrentTreeItem(tree->segmentItem(QStringLiteral("generalSegment"), tree->generalSegments[0]->name));
    tree->segmentMenu->actions().constFirst()->trigger();
}
} // namespace

class TestSchemeCommands : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        setApplicationDirectory(m_dir->path());
        appSettings() = AppSettings();
        m_watcher = new ModalWatcher;
        m_widget = new ScriptedWidget;
        m_widget->show();
    }

    void cleanup()
    {
        delete m_widget;
        delete m_watcher;
    }

    void savingANeverSavedSchemeAsksAndCancelSavesNothing()
    {
        m_widget->savePaths << QString();
        m_widget->slotSaveDoc();
        QCOMPARE(m_widget->asked, QStringList({"Save"}));
        QVERIFY(m_widget->prodoc()->path().isEmpty());
        QVERIFY(m_watcher->messages.isEmpty());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
    }

    void saveAsWritesTheSchemeAndReportsIt()
    {
        const QString path = m_dir->filePath(QStringLiteral("a.schx"));
        m_widget->savePaths << path;
        m_widget->slotSaveAsDoc();
        QCOMPARE(m_widget->prodoc()->path(), path);
        QCOMPARE(m_watcher->messages, QStringList(QStringLiteral("info|Saved successfully,") + path));
        SchemeReader reader;
        QVERIFY(reader.readFile(path));
        QCOMPARE(reader.scheme().displayWindows.size(), size_t(1));
        QCOMPARE(reader.scheme().displayWindows[0]->window.name, QStringLiteral("Display window1"));
        QCOMPARE(reader.scheme().displayWindows[0]->schedule.generalSegments.size(), 1);
        // A later save goes to the same file without asking.
        m_widget->slotSaveDoc();
        QCOMPARE(m_widget->asked, QStringList({"Save As"}));
    }

    void afterNewSaveAsksWhereAndLeavesThePreviousFileAlone()
    {
        const QString path = m_dir->filePath(QStringLiteral("b.schx"));
        m_widget->savePaths << path;
        m_widget->slotSaveAsDoc();
        addPicture(firstWindow(m_widget->treeOf(m_widget->currentDisplayName())), QStringLiteral("/x.png"),
                   3);
        m_widget->slotSaveDoc();
        QFile previous(path);
        QVERIFY(previous.open(QIODevice::ReadOnly));
        const QByteArray before = previous.readAll();
        previous.close();
        SchemeReader withItem;
        QVERIFY(withItem.readFile(path));
        QCOMPARE(withItem.scheme().mediaCount(), 1);

        m_widget->saveAnswers << false;
        m_widget->slotNewDoc();
        QVERIFY(m_widget->prodoc()->path().isEmpty());
        QCOMPARE(m_widget->displays()->size(), 1);
        m_widget->asked.clear();
        // Save asks for a path; cancelling writes nothing anywhere.
        m_widget->savePaths << QString();
        m_widget->slotSaveDoc();
        QCOMPARE(m_widget->asked, QStringList({"Save"}));
        QVERIFY(m_widget->prodoc()->path().isEmpty());
        // Given one, the new scheme goes there.
        const QString other = m_dir->filePath(QStringLiteral("c.schx"));
        m_widget->savePaths << other;
        m_widget->slotSaveDoc();
        QCOMPARE(m_widget->prodoc()->path(), other);
        SchemeReader reader;
        QVERIFY(reader.readFile(other));
        QCOMPARE(reader.scheme().mediaCount(), 0);
        QVERIFY(previous.open(QIODevice::ReadOnly));
        QCOMPARE(previous.readAll(), before);
    }

    void aNameWithoutExtensionIsSavedAsSchx()
    {
        m_widget->savePaths << m_dir->filePath(QStringLiteral("show"));
        m_widget->slotSaveAsDoc();
        const QString expected = m_dir->filePath(QStringLiteral("show.schx"));
        QCOMPARE(m_widget->prodoc()->path(), expected);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList("show.schx"));
        QCOMPARE(m_watcher->messages, QStringList(QStringLiteral("info|Saved successfully,") + expected));
        // A name with an extension of its own is kept as typed.
        m_widget->savePaths << m_dir->filePath(QStringLiteral("show.v2"));
        m_widget->slotSaveAsDoc();
        QCOMPARE(m_widget->prodoc()->path(), m_dir->filePath(QStringLiteral("show.v2")));
    }

    void theQuestionAndTheTitleMarkComeOnlyWithAChange()
    {
        QCOMPARE(m_widget->documentTitle(), QStringLiteral("Untitled"));
        QCOMPARE(m_widget->windowTitle(), QStringLiteral("Untitled - Lumora"));
        // Nothing changed: New and Open ask nothing about saving.
        m_widget->slotNewDoc();
        m_widget->slotOpenDoc();
        QCOMPARE(m_widget->asked, QStringList({"Open"}));

        // An edit through the tree's menu marks the title once the command is over.
        ProjectTree *tree = m_widget->treeOf(m_widget->currentDisplayName());
        tree->setCurrentTreeItem(
            tree->segmentItem(QStringLiteral("generalSegment"), tree->generalSegments[0]->name));
        tree->segmentMenu->actions().constFirst()->trigger(); // "Add Programs"
        QCOMPARE(tree->generalSegments[0]->programs.size(), 2);
        QTRY_COMPARE(m_widget->documentTitle(), QStringLiteral("Untitled*"));
        m_widget->asked.clear();
        m_widget->savePaths << m_dir->filePath(QStringLiteral("kept"));
        m_widget->saveAnswers << true;
        m_widget->slotNewDoc();
        QCOMPARE(m_widget->asked, QStringList({"save current?", "Save As"}));
        SchemeReader reader;
        QVERIFY(reader.readFile(m_dir->filePath(QStringLiteral("kept.schx"))));
        QCOMPARE(reader.scheme().displayWindows[0]->schedule.generalSegments[0]->programs.size(), 2);
        QCOMPARE(m_widget->documentTitle(), QStringLiteral("Untitled"));

        // Opened, the title names the file; a panel's change marks it.
        QVERIFY(m_widget->openSchemeFile(m_dir->filePath(QStringLiteral("kept.schx")), false));
        QCOMPARE(m_widget->documentTitle(), QStringLiteral("kept.schx"));
        QCOMPARE(m_widget->findChild<QLabel *>(QStringLiteral("documentTitle"))->text(),
                 QStringLiteral("kept.schx"));
        tree = m_widget->treeOf(m_widget->currentDisplayName());
        tree->setCurrentTreeItem(
            static_cast<ProjectTreeItem *>(tree->rootItem()->child(0)->child(0)->child(0)));
        tree->slotSelectItemChecked();
        QSpinBox *width = m_widget->windowPanel()->findChild<QSpinBox *>(QStringLiteral("widthSpin"));
        QVERIFY(width && width->isVisible());
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("100"));
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(tree->allWindows().value(0)->width, 100);
        QTRY_COMPARE(m_widget->documentTitle(), QStringLiteral("kept.schx*"));
        m_widget->slotSaveDoc();
        QCOMPARE(m_widget->documentTitle(), QStringLiteral("kept.schx"));
    }

    // Typing into a panel field is one step, named in the menu; Ctrl+Z takes it back and
    // Ctrl+Y does it again, with the play window following the record.
    void aPanelEntryIsOneUndoStep()
    {
        ProjectTree *tree = m_widget->treeOf(m_widget->currentDisplayName());
        tree->setCurrentTreeItem(static_cast<ProjectTreeItem *>(tree->rootItem()->child(0)->child(0)->child(0)));
        tree->slotSelectItemChecked();
        CommonWinObject *window = tree->allWindows().value(0);
        const int before = window->width;
        QSpinBox *width = m_widget->windowPanel()->findChild<QSpinBox *>(QStringLiteral("widthSpin"));
        QVERIFY(width && width->isVisible());
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("120"));
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(window->width, 120);
        QTRY_VERIFY(m_widget->prodoc()->canUndo());
        auto *undo = m_widget->mainMenu()->findChild<QPushButton *>(QStringLiteral("undoEntry"));
        auto *redo = m_widget->mainMenu()->findChild<QPushButton *>(QStringLiteral("redoEntry"));
        QCOMPARE(undo->text(), QStringLiteral("Undo Edit Window"));
        QVERIFY(undo->isEnabled());
        QVERIFY(!redo->isEnabled());

        // With the focus back on the tree (in the field, the keys are the field's own).
        m_widget->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_widget));
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Z, Qt::ControlModifier);
        window = m_widget->treeOf(m_widget->currentDisplayName())->allWindows().value(0);
        QCOMPARE(window->width, before);
        QVERIFY(!m_widget->prodoc()->canUndo());
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QStringLiteral("Redo Edit Window"));
        QCOMPARE(m_widget->screenOf(m_widget->currentDisplayName())->findPlayWindow(window)->width(), before);
        // The selection is where it was, and its panel shows the record as it is now.
        QCOMPARE(m_widget->selectedWindow(), window);
        QCOMPARE(width->value(), before);

        QTest::keyClick(m_widget->treeOf(m_widget->currentDisplayName()), Qt::Key_Y, Qt::ControlModifier);
        window = m_widget->treeOf(m_widget->currentDisplayName())->allWindows().value(0);
        QCOMPARE(window->width, 120);
        QCOMPARE(m_widget->screenOf(m_widget->currentDisplayName())->findPlayWindow(window)->width(), 120);
        QVERIFY(!m_widget->prodoc()->canRedo());
        // Saved, then undone: the scheme differs from its file again.
        const QString path = m_dir->filePath(QStringLiteral("u.schx"));
        m_widget->savePaths << path;
        m_widget->slotSaveDoc();
        QVERIFY(!m_widget->prodoc()->isModified());
        m_widget->slotUndo();
        QVERIFY(m_widget->prodoc()->isModified());
        m_widget->slotRedo();
        QVERIFY(!m_widget->prodoc()->isModified());
    }

    void anyEditMakesTheSchemeModifiedUntilSavedOpenedOrNew()
    {
        Prodoc *doc = m_widget->prodoc();
        QVERIFY(!doc->isModified());
        // An edit of a record field that no signal announces counts as well.
        CommonWinObject *window = firstWindow(m_widget->treeOf(m_widget->currentDisplayName()));
        window->width += 10;
        QVERIFY(doc->isModified());
        window->width -= 10;
        QVERIFY(!doc->isModified());

        addPicture(window, QStringLiteral("/x.png"), 3);
        QVERIFY(doc->isModified());
        const QString path = m_dir->filePath(QStringLiteral("m.schx"));
        m_widget->savePaths << path;
        m_widget->slotSaveDoc();
        QVERIFY(!doc->isModified());

        // A rename through the display window's settings is an edit of the scheme.
        m_watcher->dialogHandlers << [](QWidget *modal) {
            auto *dialog = qobject_cast<DisplaySettingsDialog *>(modal);
            QVERIFY(dialog);
            dialog->nameEdit()->setText(QStringLiteral("Hall"));
            dialog->okButton()->click();
        };
        m_widget->slotDisplayWindowSetting();
        QVERIFY(m_watcher->answered());
        QVERIFY(doc->isModified());

        // Opening gives the file's scheme unmodified, although loading makes its media paths
        // absolute and its names continue above the stored counters.
        QVERIFY(m_widget->openSchemeFile(path, false));
        QVERIFY(!doc->isModified());
        QCOMPARE(m_widget->currentDisplayName(), QStringLiteral("Display window1"));
        ProjectTree *tree = m_widget->treeOf(m_widget->currentDisplayName());
        tree->setCurrentTreeItem(
            tree->segmentItem(QStringLiteral("generalSegment"), tree->generalSegments[0]->name));
        tree->addProgramSlot();
        QCOMPARE(tree->generalSegments[0]->programs.size(), 2);
        QVERIFY(doc->isModified());

        m_widget->saveAnswers << false;
        m_widget->slotNewDoc();
        QVERIFY(!doc->isModified());
    }

    void theSchemesFileBelongsToItsMainWindowAlone()
    {
        const QString path = m_dir->filePath(QStringLiteral("own.schx"));
        m_widget->savePaths << path;
        m_widget->slotSaveAsDoc();
        QCOMPARE(m_widget->prodoc()->path(), path);
        const QByteArray before = readAll(path);
        // Another main window's scheme has no file: its Save asks, and never writes this one's.
        ScriptedWidget other;
        QVERIFY(other.prodoc()->path().isEmpty());
        other.savePaths << QString();
        other.slotSaveDoc();
        QCOMPARE(other.asked, QStringList({"Save"}));
        QCOMPARE(readAll(path), before);
    }

    // An unsaved scheme plays from a copy kept with the program's state: beside a portable
    // program, in the user's data folder for an installed one. The copy is what a restart
    // after a crash plays again, never the scheme's file: Save still asks, and the copy opens
    // as a scheme of no file with unsaved changes.
    void playingAnUnsavedSchemeWritesTheRecoveryCopy_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::newRow("portable") << false;
        QTest::newRow("installed") << true;
    }

    void playingAnUnsavedSchemeWritesTheRecoveryCopy()
    {
        QFETCH(bool, installed);
        QString recovery = m_dir->filePath(QStringLiteral("tmp.schx"));
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
        if (installed) {
            QVERIFY(pretendInstalled(m_dir->path()));
            qputenv("XDG_DATA_HOME", m_dir->filePath(QStringLiteral("data")).toLocal8Bit());
            qputenv("XDG_CONFIG_HOME", m_dir->filePath(QStringLiteral("config")).toLocal8Bit());
            recovery = m_dir->filePath(QStringLiteral("data/Lumora/tmp.schx"));
        }
        addPicture(firstWindow(m_widget->treeOf(m_widget->currentDisplayName())), QStringLiteral("/x.png"),
                   3);
        m_widget->slotOverallPlay();
        QVERIFY(playAnswered(m_widget));
        QVERIFY(m_widget->prodoc()->path().isEmpty());
        QCOMPARE(appSettings().lastSchemePath, recovery);
        QVERIFY(QFile::exists(recovery));
        QSettings ini(settingsFilePath(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("LastSchemePath")).toString(), recovery);
        m_widget->slotOverallStop();
        const QByteArray copy = readAll(recovery);
        m_widget->savePaths << QString();
        m_widget->slotSaveDoc();
        QCOMPARE(m_widget->asked, QStringList({"Save"}));
        QCOMPARE(readAll(recovery), copy);

        QVERIFY(m_widget->openSchemeFile(recovery, false));
        QVERIFY(m_widget->prodoc()->path().isEmpty());
        QVERIFY(m_widget->prodoc()->isModified());
        qputenv("XDG_DATA_HOME", dataHome);
        qputenv("XDG_CONFIG_HOME", configHome);
    }

    // A crash while editing costs at most one interval: the copy follows the changes, leaves
    // the file alone, and the next start offers it; what it gives back still belongs to the
    // file and still has to be saved.
    void unsavedChangesSurviveACrashAndAreOfferedAtTheNextStart()
    {
        const QString path = m_dir->filePath(QStringLiteral("show.schx"));
        m_widget->savePaths << path;
        m_widget->slotSaveDoc();
        const QByteArray saved = readAll(path);
        RecoveryCopy *recovery = m_widget->recoveryCopy();
        recovery->setInterval(20);
        const QString copy = recovery->copyPath();
        recovery->writeNow();
        QVERIFY(!recovery->hasCopy()); // nothing changed, nothing to keep

        addPageThroughTheMenu(m_widget);
        QTRY_COMPARE(pagesIn(copy), 2);
        addPageThroughTheMenu(m_widget);
        QTRY_COMPARE(pagesIn(copy), 3);
        QCOMPARE(readAll(path), saved);

        // The crash: the main window is gone without being closed.
        delete m_widget;
        m_widget = new ScriptedWidget;
        m_widget->show();
        QVERIFY(QFile::exists(copy));
        m_watcher->answers << QMessageBox::Yes;
        m_widget->offerRecoveredChanges();
        QTRY_COMPARE(m_watcher->messages.size(), 1);
        QVERIFY2(m_watcher->messages.constFirst().contains(QLatin1String("show.schx")),
                 qPrintable(m_watcher->messages.constFirst()));
        QTRY_COMPARE(m_widget->treeOf(m_widget->currentDisplayName())->generalSegments[0]->programs.size(), 3);
        QCOMPARE(m_widget->prodoc()->path(), path);
        QCOMPARE(m_widget->documentTitle(), QStringLiteral("show.schx*"));
        QCOMPARE(readAll(path), saved);
        // The previous session's copy is gone; this session's keeps the changes until saved.
        m_widget->recoveryCopy()->waitForDisk();
        QVERIFY(!QFile::exists(copy));
        const QString ownCopy = m_widget->recoveryCopy()->copyPath();
        QCOMPARE(pagesIn(ownCopy), 3);
        m_widget->slotSaveDoc();
        QCOMPARE(pagesIn(path), 3);
        m_widget->recoveryCopy()->waitForDisk();
        QVERIFY(!QFile::exists(ownCopy));
        QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("recovery-*")}), QStringList());
        // Nothing left, nothing offered.
        m_widget->offerRecoveredChanges();
        QVERIFY(!m_widget->findChild<QMessageBox *>(QStringLiteral("recoveryOffer")));
    }

    void changesGivenUpAtCloseGoAndChangesNobodyAskedAboutStay()
    {
        m_widget->recoveryCopy()->setInterval(20);
        QString copy = m_widget->recoveryCopy()->copyPath();
        addPageThroughTheMenu(m_widget);
        QTRY_COMPARE(pagesIn(copy), 2);
        m_widget->saveAnswers << false;
        m_widget->slotClose();
        spendTheQuit();
        QCOMPARE(m_widget->asked, QStringList({"save current?"}));
        QVERIFY(!QFile::exists(copy));

        // Closed by the session or the window manager, without the question: kept, even
        // before the interval came round.
        delete m_widget;
        m_widget = new ScriptedWidget;
        m_widget->show();
        copy = m_widget->recoveryCopy()->copyPath();
        addPageThroughTheMenu(m_widget);
        QTRY_COMPARE(m_widget->documentTitle(), QStringLiteral("Untitled*"));
        QVERIFY(m_widget->close());
        spendTheQuit();
        QCOMPARE(pagesIn(copy), 2);

        // Declined at the next start: gone, and the scheme is the one the start gave.
        delete m_widget;
        m_widget = new ScriptedWidget;
        m_widget->show();
        m_watcher->answers << QMessageBox::No;
        m_widget->offerRecoveredChanges();
        QTRY_VERIFY(!QFile::exists(copy));
        QCOMPARE(m_watcher->messages.size(), 1);
        QVERIFY(m_watcher->messages.constFirst().contains(QLatin1String("Untitled")));
        QCOMPARE(m_widget->treeOf(m_widget->currentDisplayName())->generalSegments[0]->programs.size(), 1);
        QVERIFY(!m_widget->prodoc()->isModified());
    }

    void openReplacesTheSchemeAndContinuesTheCounters()
    {
        // A file with two display windows whose segment stored programCounter 4.
        Scheme scheme;
        scheme.displayWindowCounter = 7;
        for (const char *name : {"Left", "Right"}) {
            Scheme::DisplayWindow &dw = scheme.addDisplayWindow();
            dw.window.name = QLatin1String(name);
            dw.window.width = 64;
            dw.window.height = 32;
            auto *segment = new GeneralObject;
            segment->name = QStringLiteral("Morning");
            segment->displayWindowName = dw.window.name;
            segment->programCounter = 4;
            auto *page = new ProgramObject;
            page->name = QStringLiteral("Program4");
            page->segmentName = segment->name;
            page->displayWindowName = dw.window.name;
            page->windowCounter = 2;
            auto *window = new CommonWinObject;
            window->name = QStringLiteral("Common Window2");
            window->segmentKind = QStringLiteral("generalSegment");
            page->windows << window;
            segment->programs << page;
            dw.schedule.generalSegments << segment;
        }
        const QString path = m_dir->filePath(QStringLiteral("two.schx"));
        QVERIFY(SchemeWriter::save(path, scheme));

        m_widget->openPaths << path;
        m_widget->slotOpenDoc();
        QCOMPARE(m_widget->prodoc()->path(), path);
        QCOMPARE(m_widget->displays()->counter(), 7);
        QCOMPARE(m_widget->displays()->size(), 2);
        QCOMPARE(m_widget->currentDisplayName(), QStringLiteral("Left"));
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Right"));
        QVERIFY(tree);
        CommonWinObject *window = firstWindow(tree);
        QCOMPARE(window->displayWindowName, QStringLiteral("Right"));
        QCOMPARE(window->programName, QStringLiteral("Program4"));
        QCOMPARE(tree->generalSegments[0]->programs[0]->windowCounter, 3);
        // The next program of the segment is numbered 6.
        tree->setCurrentTreeItem(
            tree->segmentItem(QStringLiteral("generalSegment"), QStringLiteral("Morning")));
        tree->addProgramSlot();
        QCOMPARE(tree->generalSegments[0]->programs.size(), 2);
        QCOMPARE(tree->generalSegments[0]->programs[1]->name, QStringLiteral("Program6"));
        QCOMPARE(tree->currentTreeItem()->text(0), QStringLiteral("Program6"));
        // Saved back, the file is the same scheme with the counters where they now are.
        m_widget->slotSaveDoc();
        SchemeReader reader;
        QVERIFY(reader.readFile(path));
        QCOMPARE(reader.scheme().displayWindows[1]->schedule.generalSegments[0]->programCounter, 6);
    }

    void aDamagedFileLeavesTheCurrentSchemeAsItWas()
    {
        const QString good = m_dir->filePath(QStringLiteral("good.schx"));
        m_widget->savePaths << good;
        m_widget->slotSaveAsDoc();
        m_watcher->messages.clear();
        QByteArray bytes = readAll(good);
        const QString damaged = m_dir->filePath(QStringLiteral("damaged.schx"));
        QVERIFY(writeAll(damaged, bytes.left(bytes.size() - 7)));

        ProjectWidget *before = m_widget->displays()->treeWidget(QStringLiteral("Display window1"));
        m_widget->openPaths << damaged;
        m_widget->slotOpenDoc();
        QCOMPARE(m_watcher->messages.size(), 1);
        QVERIFY(m_watcher->messages[0].startsWith(QStringLiteral("info|Could not open ") + damaged));
        QCOMPARE(m_widget->displays()->treeWidget(QStringLiteral("Display window1")), before);
        QCOMPARE(m_widget->displays()->size(), 1);
        QCOMPARE(m_widget->prodoc()->path(), good);
    }

    void aFailedSaveSaysSoInsteadOfSuccess()
    {
        const QString saved = m_dir->filePath(QStringLiteral("kept.schx"));
        m_widget->savePaths << saved;
        m_widget->slotSaveAsDoc();
        const QByteArray before = readAll(saved);
        m_watcher->messages.clear();
        // A path below a plain file cannot be written, whoever runs the test.
        const QString impossible = saved + QStringLiteral("/inside.schx");
        m_widget->savePaths << impossible;
        m_widget->slotSaveAsDoc();
        QCOMPARE(m_watcher->messages.size(), 1);
        QVERIFY2(m_watcher->messages[0].startsWith(QStringLiteral("info|Could not save ") + impossible),
                 qPrintable(m_watcher->messages[0]));
        QCOMPARE(m_widget->prodoc()->path(), saved);
        QCOMPARE(readAll(saved), before);
    }

    void openSettingsDocIgnoresAMissingFile()
    {
        appSettings().play = 1;
        m_widget->slotOpenSettingsDoc(m_dir->filePath(QStringLiteral("missing.schx")));
        QTest::qWait(2300);
        QVERIFY(m_watcher->messages.isEmpty());
        QCOMPARE(m_widget->displays()->size(), 1);
        QVERIFY(!m_widget->treeOf(m_widget->currentDisplayName())->scheduler()->isPlaying());
    }

    void offerToSaveBeforeNewSavesWhenAsked()
    {
        const QString path = m_dir->filePath(QStringLiteral("offer.schx"));
        addPicture(firstWindow(m_widget->treeOf(m_widget->currentDisplayName())), QStringLiteral("/x.png"), 3);
        m_widget->saveAnswers << true;
        m_widget->savePaths << path;
        m_widget->slotNewDoc();
        QCOMPARE(m_widget->asked, QStringList({"save current?", "Save As"}));
        QVERIFY(QFile::exists(path));
        QVERIFY(m_watcher->messages.isEmpty()); // no success message on this path
    }

private:
    QScopedPointer<QTemporaryDir> m_dir;
    ModalWatcher *m_watcher = nullptr;
    ScriptedWidget *m_widget = nullptr;
};

QTEST_MAIN(TestSchemeCommands)
#include "test_schemecommands.moc"
