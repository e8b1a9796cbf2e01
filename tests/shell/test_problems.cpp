// The problems of the scheme being edited, as the operator meets them: the top bar's count,
// the list it opens (the same problems `lumora-scheme check` reports for the file), the node an
// entry selects, the marks on the tree that follow an edit, and the question before play,
// asked by the operator's play command and never by a play started from the command line.
#include "../render/schemebuilder.h"
#include "appcore/settings.h"
#include "buildpaths.h"
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "modalwatcher.h"
#include "model/schemewriter.h"
#include "panels/windowpanel.h"
#include "player/segmentscheduler.h"
#include "scriptedwidget.h"
#include "shell/menubutton.h"
#include "shell/problemswin.h"
#include "shell/problemwatch.h"

#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int kCheckMsecs = 30000; // a check runs off the GUI thread on a busy machine

const QString hall = QStringLiteral("Hall");
const QString segment = QStringLiteral("General Segment1");
const QString generalKind = QStringLiteral("generalSegment");

QSet<QString> lines(const QList<ProblemWatch::Problem> &problems)
{
    QSet<QString> out;
    for (const ProblemWatch::Problem &problem : problems)
        out << problem.where + QStringLiteral(": ") + problem.message;
    return out;
}

// Clicks `item` of the list as the operator does.
void click(QListWidget *list, QListWidgetItem *item)
{
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(item).center());
}

QListWidgetItem *entryAbout(QListWidget *list, const QString &text)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().contains(text))
            return list->item(i);
    }
    return nullptr;
}
} // namespace

class TestProblems : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        setApplicationDirectory(m_dir.path());
        // A text file named as a picture: no image reader takes it.
        QFile text(m_dir.filePath(QStringLiteral("text.png")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("a text file, not a picture\n");
        text.close();

        // Hall (320x240): Program1 holds the text shown as a picture, a 0x0 window and a window
        // off the display window, on a background named relative to the scheme; Program2 is empty.
        Scheme scheme;
        Scheme::DisplayWindow &dw = SchemeBuilder::display(scheme, hall);
        dw.window.width = 320;
        dw.window.height = 240;
        GeneralObject *general = SchemeBuilder::general(dw, segment);
        ProgramObject *page = SchemeBuilder::page(general, QStringLiteral("Program1"));
        page->backgroundImage = QStringLiteral("text.png");
        SchemeBuilder::window(page, QStringLiteral("Common Window1"),
                              {SchemeBuilder::image(m_dir.filePath(QStringLiteral("text.png")), 5)},
                              QRect(0, 0, 160, 120));
        SchemeBuilder::window(page, QStringLiteral("Common Window2"), {SchemeBuilder::simpleText("Hi", 5)},
                              QRect(10, 10, 0, 0));
        SchemeBuilder::window(page, QStringLiteral("Common Window3"), {SchemeBuilder::simpleText("Off", 5)},
                              QRect(300, 200, 100, 100));
        SchemeBuilder::page(general, QStringLiteral("Program2"));
        m_scheme = m_dir.filePath(QStringLiteral("problems.schx"));
        QString error;
        QVERIFY2(SchemeWriter::save(m_scheme, scheme, &error), qPrintable(error));

        QProcess tool;
        tool.start(BuildPaths::path("LUMORA_SCHEME_TOOL"), {QStringLiteral("check"), m_scheme});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 1);
        for (const QString &line :
             QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
            m_reported << line;
        const QString program1 = QStringLiteral("displayWindows[0].generalSegments[0].programs[0]");
        for (const QString &expected : QStringList{
                 program1 + QStringLiteral(": background picture of program \"Program1\" cannot be read"),
                 program1 + QStringLiteral(".windows[0].media[0]: picture cannot be read"),
                 program1 + QStringLiteral(".windows[1]: window \"Common Window2\" has no area (0x0)"),
                 program1 +
                     QStringLiteral(".windows[2]: window \"Common Window3\" at (300, 200) size 100x100 lies "
                                    "outside its display window"),
                 QStringLiteral("displayWindows[0].generalSegments[0].programs[1]: program \"Program2\" has "
                                "nothing to show")}) {
            bool found = false;
            for (const QString &line : qAsConst(m_reported))
                found = found || line.startsWith(expected);
            QVERIFY2(found,
                     qPrintable(expected + QStringLiteral("\nnot in\n") + m_reported.values().join('\n')));
        }
    }

    void init()
    {
        m_watcher = new ModalWatcher;
        m_widget = new ScriptedWidget;
        m_widget->realPlayQuestion = true;
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget));
    }

    void cleanup()
    {
        delete m_widget;
        delete m_watcher;
    }

    // The list shows what the tool reports for the file, in the operator's words; an entry
    // selects its node, and an item's entry opens the item in its window.
    void theListShowsWhatTheToolReportsAndSelects()
    {
        QVERIFY(m_widget->openSchemeFile(m_scheme, true));
        ProblemWatch *watch = m_widget->problemWatch();
        QTRY_VERIFY_WITH_TIMEOUT(watch->isCurrent(), kCheckMsecs);
        // The tool names a file as the scheme stores it; the editor holds every name resolved
        // beside the scheme, as the player plays it.
        QSet<QString> reported;
        for (const QString &line : qAsConst(m_reported))
            reported << (line.endsWith(QStringLiteral(": text.png"))
                             ? line.chopped(8) + m_dir.filePath(QStringLiteral("text.png"))
                             : line);
        QCOMPARE(lines(watch->problems()), reported);
        auto *button = m_widget->findChild<menuButton *>(QStringLiteral("problemsButton"));
        QCOMPARE(button->text(), QStringLiteral("problems (%1)").arg(m_reported.size()));

        QTest::mouseClick(button, Qt::LeftButton);
        ProblemsWin *win = m_widget->problemsWin();
        QTRY_VERIFY(win->isVisible());
        QListWidget *list = win->list();
        QCOMPARE(list->count(), m_reported.size());
        for (int i = 0; i < list->count(); ++i)
            QVERIFY2(!list->item(i)->text().contains('['), qPrintable(list->item(i)->text()));
        QListWidgetItem *picture = entryAbout(list, QStringLiteral("picture cannot be read"));
        QVERIFY(picture);
        QVERIFY2(picture->text().startsWith(QStringLiteral(
                     "Hall / General Segment1 / Program1 / Common Window1 / item 1 (text.png)\n")),
                 qPrintable(picture->text()));

        ProjectTree *tree = m_widget->treeOf(hall);
        click(list, entryAbout(list, QStringLiteral("Common Window3")));
        QCOMPARE(tree->currentTreeItem(), tree->nodeOf(generalKind, segment, QStringLiteral("Program1"),
                                                       QStringLiteral("Common Window3")));
        QVERIFY(m_widget->selectedWindow());
        QCOMPARE(m_widget->selectedWindow()->name, QStringLiteral("Common Window3"));

        click(list, picture);
        QCOMPARE(tree->currentTreeItem(), tree->nodeOf(generalKind, segment, QStringLiteral("Program1"),
                                                       QStringLiteral("Common Window1")));
        QVERIFY(m_widget->selectedMedia());
        QCOMPARE(m_widget->selectedMedia()->image.filePath, m_dir.filePath(QStringLiteral("text.png")));

        click(list, entryAbout(list, QStringLiteral("Program2")));
        QCOMPARE(tree->currentTreeItem(), tree->nodeOf(generalKind, segment, QStringLiteral("Program2")));
    }

    // The nodes with a problem are marked with it, and a fix made as the window panel makes it
    // takes the mark off that node once the scheme is checked again.
    void marksFollowAnEdit()
    {
        QVERIFY(m_widget->openSchemeFile(m_scheme, true));
        ProblemWatch *watch = m_widget->problemWatch();
        QTRY_VERIFY_WITH_TIMEOUT(watch->isCurrent(), kCheckMsecs);
        ProjectTree *tree = m_widget->treeOf(hall);
        const QString page = QStringLiteral("Program1");
        ProjectTreeItem *off = tree->nodeOf(generalKind, segment, page, QStringLiteral("Common Window3"));
        ProjectTreeItem *empty = tree->nodeOf(generalKind, segment, page, QStringLiteral("Common Window2"));
        QVERIFY(off && empty);
        QCOMPARE(tree->problemsAt(off).size(), 1);
        QVERIFY(
            tree->problemsAt(off).constFirst().contains(QStringLiteral("lies outside its display window")));
        QVERIFY(off->toolTip(0).contains(tree->problemsAt(off).constFirst()));
        QVERIFY(tree->problemsAt(empty).constFirst().contains(QStringLiteral("has no area")));
        QVERIFY(tree->problemsAt(tree->nodeOf(generalKind, segment, QStringLiteral("Program2"))).size() == 1);
        QVERIFY(tree->problemsAt(tree->nodeOf(generalKind, segment)).isEmpty());

        CommonWinObject *window = tree->findWindow(off);
        window->x = 200;
        window->y = 100;
        emit m_widget->windowPanel()->sigCommonWinChanged(window);
        QTRY_VERIFY_WITH_TIMEOUT(tree->problemsAt(off).isEmpty(), kCheckMsecs);
        QVERIFY(watch->isCurrent());
        QCOMPARE(watch->problems().size(), m_reported.size() - 1);
        QCOMPARE(off->toolTip(0), QStringLiteral("Common Window3"));
        QCOMPARE(tree->problemsAt(empty).size(), 1);
        QCOMPARE(m_widget->problemsWin()->list()->count(), m_reported.size() - 1);
    }

    // The operator's play asks once; cancel plays nothing, "Play anyway" plays.
    void playAsksOnce()
    {
        QVERIFY(m_widget->openSchemeFile(m_scheme, true));
        ProjectTree *tree = m_widget->treeOf(hall);
        const QString question = QStringLiteral("Problems|Problems found: %1. ").arg(m_reported.size());
        auto asked = [this, &question] {
            int count = 0;
            for (const QString &message : qAsConst(m_watcher->messages))
                count += message.startsWith(question) ? 1 : 0;
            return count;
        };

        m_watcher->answers << QMessageBox::Cancel;
        m_widget->slotOverallPlay();
        QVERIFY(playAnswered(m_widget));
        QVERIFY(m_watcher->answered());
        QCOMPARE(asked(), 1);
        QVERIFY(!tree->scheduler()->isPlaying());
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("play"));
        QVERIFY(m_widget->isEditingEnabled());

        m_watcher->answers << QMessageBox::Ok;
        m_widget->slotMenuPlay();
        QVERIFY(playAnswered(m_widget));
        QVERIFY(m_watcher->answered());
        QCOMPARE(asked(), 2);
        QVERIFY(tree->scheduler()->isPlaying());
        QCOMPARE(m_widget->playButtonText(), QStringLiteral("pause"));
        m_widget->slotOverallStop();
        QCOMPARE(m_watcher->messages.size(), 2);
    }

    // Play started from the command line (unattended PCs) asks nothing.
    void commandLinePlayDoesNotAsk()
    {
        m_widget->openSchemeFromCommandLine(m_scheme, true);
        ProjectTree *tree = m_widget->treeOf(hall);
        QVERIFY(tree);
        QTRY_VERIFY_WITH_TIMEOUT(tree->scheduler()->isPlaying(), kCheckMsecs);
        QVERIFY(m_watcher->messages.isEmpty());
        m_widget->slotOverallStop();
    }

private:
    QTemporaryDir m_dir;
    QString m_scheme;
    QSet<QString> m_reported;
    ModalWatcher *m_watcher = nullptr;
    ScriptedWidget *m_widget = nullptr;
};

QTEST_MAIN(TestProblems)
#include "test_problems.moc"
