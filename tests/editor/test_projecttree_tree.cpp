// The schedule tree as the operator meets it: its nodes and their kinds, a scheme file rebuilt
// into it, the default schedule, what selecting a node tells the main window, and the context
// menus and their entries. Real tree widgets under X; the main window's side
// is a recording PlayHost, except where a scheme is opened through the real main window.
#include "../shell/modalwatcher.h"
#include "appcore/settings.h"
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "model/timingobject.h"
#include "player/segmentscheduler.h"
#include "model/weekdays.h"
#include "recordinghost.h"
#include "shell/widget.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
LumoraMediaObject *media(const QString &type, qint32 id)
{
    auto *item = new LumoraMediaObject;
    item->type = type;
    item->mediaId = id;
    return item;
}

CommonWinObject *window(const QString &name, QList<LumoraMediaObject *> items)
{
    auto *w = new CommonWinObject;
    w->name = name;
    w->width = 100;
    w->height = 50;
    w->media = items;
    return w;
}

ProgramObject *page(const QString &name, QList<CommonWinObject *> windows)
{
    auto *p = new ProgramObject;
    p->name = name;
    p->windowCounter = windows.size();
    p->windows = windows;
    return p;
}

// The scheme the tests rebuild: one display window "Hall" with a general segment "Morning" of
// two pages, a cycle segment also named "Morning" (kinds may share names) and a timing segment
// "Noon". The media numbers rise through the file as the editor hands them out.
void fillHall(Scheme::DisplayWindow &hall)
{
    hall.window.name = QStringLiteral("Hall");
    hall.window.width = 320;
    hall.window.height = 160;
    auto *general = new GeneralObject;
    general->name = QStringLiteral("Morning");
    general->programCounter = 2;
    general->programs << page(QStringLiteral("Program1"),
                              {window(QStringLiteral("Common Window1"),
                                      {media(QStringLiteral("image"), 1), media(QStringLiteral("txt"), 2)}),
                               window(QStringLiteral("Common Window2"), {media(QStringLiteral("video"), 3)})})
                      << page(QStringLiteral("Program2"), {window(QStringLiteral("Common Window1"),
                                                                  {media(QStringLiteral("image"), 4)})});
    auto *cycle = new CycleObject;
    cycle->name = QStringLiteral("Morning");
    cycle->programCounter = 1;
    cycle->programs << page(QStringLiteral("Program1"), {window(QStringLiteral("Common Window1"),
                                                                {media(QStringLiteral("digitalClock"), 5)})});
    auto *timing = new TimingObject;
    timing->name = QStringLiteral("Noon");
    timing->programCounter = 3;
    timing->programs << page(QStringLiteral("Program3"),
                             {window(QStringLiteral("Common Window4"), {media(QStringLiteral("URL"), 6)})});
    hall.schedule.generalSegments << general;
    hall.schedule.cycleSegments << cycle;
    hall.schedule.timingSegments << timing;
}

ProjectTreeItem *child(QTreeWidgetItem *parent, int index)
{
    return static_cast<ProjectTreeItem *>(parent->child(index));
}

// Translates every tree text to upper case, to see which texts a retranslation reaches.
class UpperTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (QByteArray(context) != "ProjectTree")
            return QString();
        return QString::fromUtf8(source).toUpper();
    }
    bool isEmpty() const override { return false; }
};
} // namespace

Q_DECLARE_METATYPE(CommonWinObject *)

class TestProjectTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<CommonWinObject *>(); }

    void init()
    {
        m_tree.reset(new ProjectTree(QStringLiteral("Hall")));
        m_host.reset(new RecordingHost);
        m_host->attach(m_tree.get());
        m_tree->resize(290, 600);
    }

    void cleanup()
    {
        for (QMenu *menu : m_tree->findChildren<QMenu *>())
            menu->hide();
        m_tree.reset();
        m_host.reset();
    }

    // ---------------------------------------------------------------- nodes

    void rootNodeIsTheBoldAddScheduleNode()
    {
        ProjectTreeItem *root = m_tree->createRootItem();
        QCOMPARE(m_tree->createRootItem(), root); // one per tree
        QCOMPARE(m_tree->topLevelItemCount(), 1);
        QCOMPARE(root->kind(), QStringLiteral("playprogramme"));
        QCOMPARE(root->text(0), QStringLiteral("Add Schedule"));
        QCOMPARE(root->toolTip(0), QStringLiteral("Add Schedule"));
        QCOMPARE(root->font(0).weight(), 75);
        QCOMPARE(root->sizeHint(0), QSize(50, 25));
        QVERIFY(root->isExpanded());
        QCOMPARE(root->type(), 0);
    }

    // ---------------------------------------------------------------- play and the editor

    void pressingPlayShowsTheScheduleFromItsRoot()
    {
        m_tree->buildDefaultSchedule();
        m_tree->setCurrentTreeItem(static_cast<ProjectTreeItem *>(m_tree->rootItem()->child(0)));
        m_host->calls.clear();
        m_tree->slotStartPlay(QStringLiteral("Hall"));
        QCOMPARE(m_tree->currentItem(), m_tree->rootItem());
        const QStringList shown{QStringLiteral("checkSchedule:Add Schedule"), QStringLiteral("slotStopCurPreview")};
        QCOMPARE(m_host->calls.mid(0, 2), shown);
        // The default window holds nothing, so the scheduler refuses to play.
        QVERIFY(!m_tree->scheduler()->isPlaying());
    }

    void segmentInfoIsPublishedForTheSelectedDisplayWindowOnly()
    {
        auto segment = [](const QString &name) {
            auto *g = new GeneralObject;
            g->name = name;
            g->displayWindowName = QStringLiteral("Hall");
            return g;
        };
        m_tree->restoreGeneralSegment(segment(QStringLiteral("G1")));
        GeneralObject *g2 = segment(QStringLiteral("G2"));
        m_tree->restoreGeneralSegment(g2);
        auto *t = new TimingObject;
        t->name = QStringLiteral("T");
        t->displayWindowName = QStringLiteral("Hall");
        m_tree->restoreTimingSegment(t);
        m_host->currentDisplay = QStringLiteral("Yard");
        m_tree->slotShowSegmentInfo();
        QVERIFY(!m_host->shownGeneral);
        m_host->currentDisplay = QStringLiteral("Hall");
        m_tree->slotShowSegmentInfo();
        QCOMPARE(m_host->shownGeneral, g2);
        QCOMPARE(m_host->shownCycle, nullptr);
        QCOMPARE(m_host->shownTiming, t);
    }

    void everyNodeKindHasItsKeyword()
    {
        QVERIFY(restoreHall());
        ProjectTreeItem *root = m_tree->rootItem();
        QCOMPARE(root->childCount(), 3);
        QCOMPARE(child(root, 0)->kind(), QStringLiteral("generalSegment"));
        QCOMPARE(child(root, 1)->kind(), QStringLiteral("cycleSegment"));
        QCOMPARE(child(root, 2)->kind(), QStringLiteral("timingSegment"));
        ProjectTreeItem *program = child(child(root, 0), 0);
        QCOMPARE(program->kind(), QStringLiteral("program"));
        ProjectTreeItem *win = child(program, 0);
        QCOMPARE(win->kind(), QStringLiteral("generalwin"));
        // Every node is sized and titled alike; pages and windows carry the picture.
        for (ProjectTreeItem *item : {child(root, 0), program, win}) {
            QCOMPARE(item->sizeHint(0), QSize(50, 25));
            QCOMPARE(item->toolTip(0), item->text(0));
        }
        QVERIFY(!program->icon(0).isNull());
        QVERIFY(!win->icon(0).isNull());
        // Media items are listed in the window panel, not in the tree.
        QCOMPARE(win->childCount(), 0);
    }

    // ---------------------------------------------------------------- restoring a scheme

    void aSchemeFileIsRebuiltIntoTheTree()
    {
        QSignalSpy added(m_tree.get(), &ProjectTree::sigAddCommonWin);
        Scheme scheme = readHallBack();
        DisplaySchedule &loaded = scheme.displayWindows[0]->schedule;
        m_tree->restoreSchedule(loaded);
        QVERIFY(loaded.generalSegments.isEmpty()); // taken over, nothing left to delete twice
        QVERIFY(loaded.cycleSegments.isEmpty());
        QVERIFY(loaded.timingSegments.isEmpty());

        QCOMPARE(treeText(), QStringList({
                                 "playprogramme:Add Schedule",
                                 " generalSegment:Morning",
                                 "  program:Program1",
                                 // top layer first: the list's last window
                                 "   generalwin:Common Window2",
                                 "   generalwin:Common Window1",
                                 "  program:Program2",
                                 "   generalwin:Common Window1",
                                 " cycleSegment:Morning",
                                 "  program:Program1",
                                 "   generalwin:Common Window1",
                                 " timingSegment:Noon",
                                 "  program:Program3",
                                 "   generalwin:Common Window4",
                             }));

        // The records are the tree's now, each carrying the names of its ancestors.
        QCOMPARE(m_tree->generalSegments.size(), 1);
        QCOMPARE(m_tree->cycleSegments.size(), 1);
        QCOMPARE(m_tree->timingSegments.size(), 1);
        GeneralObject *general = m_tree->generalSegments[0];
        QCOMPARE(general->displayWindowName, QStringLiteral("Hall"));
        QCOMPARE(general->programs.size(), 2);
        CommonWinObject *second = general->programs[0]->windows[1];
        QCOMPARE(second->displayWindowName, QStringLiteral("Hall"));
        QCOMPARE(second->segmentName, QStringLiteral("Morning"));
        QCOMPARE(second->programName, QStringLiteral("Program1"));
        QCOMPARE(second->segmentKind, QStringLiteral("generalSegment"));
        QCOMPARE(second->media[0]->type, QStringLiteral("video"));
        QCOMPARE(second->media[0]->windowName, QStringLiteral("Common Window2"));
        QCOMPARE(second->media[0]->programName, QStringLiteral("Program1"));
        CommonWinObject *cycleWindow = m_tree->cycleSegments[0]->programs[0]->windows[0];
        QCOMPARE(cycleWindow->segmentKind, QStringLiteral("cycleSegment"));
        QCOMPARE(cycleWindow->media[0]->segmentName, QStringLiteral("Morning"));
        QCOMPARE(m_tree->timingSegments[0]->programs[0]->windows[0]->segmentKind,
                 QStringLiteral("timingSegment"));
        // Counters as the file stored them; the loader moves them on (see below).
        QCOMPARE(general->programCounter, 2);
        QCOMPARE(general->programs[0]->windowCounter, 2);

        // Each window is announced, in file order, so that its screen makes a play window.
        QCOMPARE(added.size(), 5);
        QCOMPARE(added[0][0].value<CommonWinObject *>(), general->programs[0]->windows[0]);
        QCOMPARE(added[0][1].toString(), QStringLiteral("Hall"));
        QCOMPARE(added[0][2].toString(), QStringLiteral("generalSegment"));
        QCOMPARE(added[3][2].toString(), QStringLiteral("cycleSegment"));
        QCOMPARE(added[4][0].value<CommonWinObject *>(), m_tree->timingSegments[0]->programs[0]->windows[0]);
        QCOMPARE(added[4][2].toString(), QStringLiteral("timingSegment"));

        // New media continue from the last number restored.
        QCOMPARE(m_tree->mediaCounter, 6);
    }

    void nodesOfSameNamedSegmentsFindTheirOwnRecords()
    {
        QVERIFY(restoreHall());
        ProjectTreeItem *generalItem =
            m_tree->segmentItem(QStringLiteral("generalSegment"), QStringLiteral("Morning"));
        ProjectTreeItem *cycleItem =
            m_tree->segmentItem(QStringLiteral("cycleSegment"), QStringLiteral("Morning"));
        QVERIFY(generalItem && cycleItem && generalItem != cycleItem);
        QCOMPARE(m_tree->findProgram(child(generalItem, 0)), m_tree->generalSegments[0]->programs[0]);
        QCOMPARE(m_tree->findProgram(child(cycleItem, 0)), m_tree->cycleSegments[0]->programs[0]);
        QCOMPARE(m_tree->findWindow(child(child(cycleItem, 0), 0)),
                 m_tree->cycleSegments[0]->programs[0]->windows[0]);
        QVERIFY(!m_tree->findWindow(child(generalItem, 0))); // a page node is no window node
    }

    void aRestoredWindowUnderAMissingPageIsDroppedNotAttached()
    {
        m_tree->createRootItem();
        // A page node whose record is gone: its window has nowhere to go and is not kept.
        auto *orphanPage = new ProjectTreeItem(QStringLiteral("program"), QStringLiteral("Ghost"),
                                               m_tree->restoreGeneralSegment(new GeneralObject));
        QSignalSpy added(m_tree.get(), &ProjectTree::sigAddCommonWin);
        QVERIFY(!m_tree->restoreWindow(orphanPage, window(QStringLiteral("W"), {})));
        QCOMPARE(added.size(), 0);
        QCOMPARE(orphanPage->childCount(), 0);
    }

    void openingASchemeFileMovesTheCountersOn()
    {
        // The loader of the real main window: counters one above the stored ones, so the next
        // page and window do not take a name that was handed out before the save.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        setApplicationDirectory(dir.path());
        appSettings() = AppSettings();
        const QString path = dir.filePath(QStringLiteral("hall.schx"));
        {
            Scheme scheme;
            scheme.displayWindowCounter = 1;
            fillHall(scheme.addDisplayWindow());
            QVERIFY(SchemeWriter::save(path, scheme));
        }
        Widget mainWindow;
        QVERIFY(mainWindow.openSchemeFile(path, false));
        ProjectTree *tree = mainWindow.treeOf(QStringLiteral("Hall"));
        QVERIFY(tree);
        QCOMPARE(tree->generalSegments[0]->programCounter, 3);
        QCOMPARE(tree->cycleSegments[0]->programCounter, 2);
        QCOMPARE(tree->timingSegments[0]->programCounter, 4);
        QCOMPARE(tree->generalSegments[0]->programs[0]->windowCounter, 3);
        QCOMPARE(tree->generalSegments[0]->programs[1]->windowCounter, 2);
        QCOMPARE(tree->mediaCounter, 6);
        // After a load the root is selected and the schedule view shown.
        QCOMPARE(tree->currentTreeItem(), tree->rootItem());
    }

    // ---------------------------------------------------------------- default schedule

    void theDefaultScheduleIsOneSegmentPageAndWindow()
    {
        QSignalSpy added(m_tree.get(), &ProjectTree::sigAddCommonWin);
        m_tree->buildDefaultSchedule();
        QCOMPARE(treeText(), QStringList({"playprogramme:Add Schedule", " generalSegment:General Segment1",
                                          "  program:Program1", "   generalwin:Common Window1"}));
        GeneralObject *segment = m_tree->generalSegments.value(0);
        QVERIFY(segment);
        QCOMPARE(segment->weekdays,
                 QStringList({"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"}));
        QCOMPARE(segment->displayWindowName, QStringLiteral("Hall"));
        ProgramObject *program = segment->programs.value(0);
        QVERIFY(program);
        QCOMPARE(program->backgroundColor, QColor(0, 0, 0));
        QCOMPARE(program->segmentName, QStringLiteral("General Segment1"));
        CommonWinObject *win = program->windows.value(0);
        QVERIFY(win);
        QCOMPARE(win->frameColor, QColor(255, 0, 0));
        QCOMPARE(win->programName, QStringLiteral("Program1"));
        QCOMPARE(win->segmentKind, QStringLiteral("generalSegment"));
        QCOMPARE(added.size(), 1);
        QCOMPARE(added[0][0].value<CommonWinObject *>(), win);

        // The window node is the selected one, and the main window shows the schedule view.
        ProjectTreeItem *windowItem = child(child(child(m_tree->rootItem(), 0), 0), 0);
        QCOMPARE(m_tree->currentTreeItem(), windowItem);
        QCOMPARE(m_tree->selectedItems(), QList<QTreeWidgetItem *>{windowItem});
        QCOMPARE(m_host->calls, QStringList{"checkSchedule:Add Schedule"});

        // The next page added to it is "Program2".
        m_tree->setCurrentTreeItem(child(m_tree->rootItem(), 0));
        m_tree->addProgramSlot();
        QCOMPARE(segment->programs.value(1) ? segment->programs[1]->name : QString(),
                 QStringLiteral("Program2"));
    }

    // ---------------------------------------------------------------- selection

    void clickingANodeShowsItsPanel_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("right");
        QTest::newRow("root") << "root"
                              << "checkSchedule:Add Schedule" << false;
        QTest::newRow("general segment") << "general"
                                         << "checkSegment:Morning" << false;
        QTest::newRow("cycle segment") << "cycle"
                                       << "checkCycleSegment:Morning" << false;
        QTest::newRow("timing segment") << "timing"
                                        << "checkTimingSegment:Noon" << false;
        QTest::newRow("program") << "program"
                                 << "checkProgram:Program2" << false;
        QTest::newRow("window") << "window"
                                << "checkWindow:Common Window1" << false;
        // Whatever the button: a right click selects as well as opening the menu.
        QTest::newRow("window, right button") << "window"
                                              << "checkWindow:Common Window1" << true;
    }

    void clickingANodeShowsItsPanel()
    {
        QFETCH(QString, node);
        QFETCH(QString, told);
        QFETCH(bool, right);
        QVERIFY(restoreAndShow());
        QVERIFY(click(item(node), right ? Qt::RightButton : Qt::LeftButton));
        QCOMPARE(m_host->calls, QStringList{told});
        QCOMPARE(m_tree->currentTreeItem(), item(node));
    }

    void selectingAPageOrWindowNamesTheRecords()
    {
        QVERIFY(restoreAndShow());
        QVERIFY(click(item(QStringLiteral("program"))));
        QCOMPARE(m_host->page, m_tree->generalSegments[0]->programs[1]);
        QCOMPARE(m_host->pageKind, QStringLiteral("generalSegment"));
        QCOMPARE(m_tree->currentSegmentKindSelected, QStringLiteral("generalSegment"));
        QCOMPARE(m_tree->currentSegmentName, QStringLiteral("Morning"));
        QCOMPARE(m_tree->currentProgramName, QStringLiteral("Program2"));

        // The window of the cycle segment that shares the general segment's name.
        QVERIFY(click(item(QStringLiteral("cycle window"))));
        CommonWinObject *expected = m_tree->cycleSegments[0]->programs[0]->windows[0];
        QCOMPARE(m_host->window, expected);
        QCOMPARE(m_tree->getCurCommonWin(), expected);
        QCOMPARE(m_tree->currentSegmentKindSelected, QStringLiteral("cycleSegment"));
        QCOMPARE(m_tree->currentProgramName, QStringLiteral("Program1"));

        QVERIFY(click(item(QStringLiteral("cycle"))));
        QCOMPARE(m_host->cycle, m_tree->cycleSegments[0]);
        QVERIFY(click(item(QStringLiteral("timing"))));
        QCOMPARE(m_host->timing, m_tree->timingSegments[0]);
        QVERIFY(click(item(QStringLiteral("general"))));
        QCOMPARE(m_host->segment, m_tree->generalSegments[0]);
    }

    void clickingTheSameNodeAgainDoesNotRefreshItsPanel()
    {
        QVERIFY(restoreAndShow());
        QVERIFY(click(item(QStringLiteral("program"))));
        QVERIFY(click(item(QStringLiteral("program"))));
        QCOMPARE(m_host->calls, QStringList{"checkProgram:Program2"});
        QVERIFY(click(item(QStringLiteral("window"))));
        QVERIFY(click(item(QStringLiteral("program"))));
        QCOMPARE(m_host->calls, QStringList({"checkProgram:Program2", "checkWindow:Common Window1",
                                             "checkProgram:Program2"}));
    }

    void clickingEmptySpaceChangesNothing()
    {
        QVERIFY(restoreAndShow());
        QVERIFY(click(item(QStringLiteral("window"))));
        m_host->calls.clear();
        const QPoint below(20, m_tree->viewport()->height() - 5);
        QVERIFY(!m_tree->itemAt(below));
        QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, {}, below);
        QTest::mouseClick(m_tree->viewport(), Qt::RightButton, {}, below);
        QVERIFY(m_host->calls.isEmpty());
        QCOMPARE(m_tree->currentTreeItem(), item(QStringLiteral("window")));
        QVERIFY(!anyMenuVisible());
    }

    void selectItemCheckedRepeatsTheStepForTheCurrentNode_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("told");
        QTest::newRow("root") << "root"
                              << "checkSchedule:Add Schedule";
        QTest::newRow("general") << "general"
                                 << "checkSegment:Morning";
        QTest::newRow("cycle") << "cycle"
                               << "checkCycleSegment:Morning";
        QTest::newRow("timing") << "timing"
                                << "checkTimingSegment:Noon";
        QTest::newRow("program") << "program"
                                 << "checkProgram:Program2";
        QTest::newRow("window") << "cycle window"
                                << "checkWindow:Common Window1";
    }

    void selectItemCheckedRepeatsTheStepForTheCurrentNode()
    {
        QFETCH(QString, node);
        QFETCH(QString, told);
        QVERIFY(restoreAndShow());
        QVERIFY(click(item(node)));
        // Code changed the node under the same current item: the panel is refreshed without
        // any mouse event, even though the node is the one last acted on.
        m_tree->slotSelectItemChecked();
        QCOMPARE(m_host->calls, QStringList({told, told}));
        // And a click on it afterwards does not refresh it a third time.
        QVERIFY(click(item(node)));
        QCOMPARE(m_host->calls.size(), 2);
    }

    void selectItemCheckedFollowsANodeChosenByCode()
    {
        QVERIFY(restoreAndShow());
        QVERIFY(click(item(QStringLiteral("window"))));
        m_tree->setCurrentTreeItem(item(QStringLiteral("timing")));
        m_tree->slotSelectItemChecked();
        QCOMPARE(m_host->calls, QStringList({"checkWindow:Common Window1", "checkTimingSegment:Noon"}));
    }

    void controlKeySetsAndClearsTheFlag()
    {
        QVERIFY(restoreAndShow());
        QTest::keyPress(m_tree.get(), Qt::Key_Control);
        QVERIFY(m_tree->controlHeld);
        QTest::keyRelease(m_tree.get(), Qt::Key_Control);
        QVERIFY(!m_tree->controlHeld);
    }

    // ---------------------------------------------------------------- context menus

    void rightClickOpensTheMenuOfTheNodeKind_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("menu");
        QTest::newRow("root") << "root"
                              << "root";
        QTest::newRow("general segment") << "general"
                                         << "segment";
        QTest::newRow("cycle segment") << "cycle"
                                       << "segment";
        QTest::newRow("timing segment") << "timing"
                                        << "segment";
        QTest::newRow("program") << "program"
                                 << "program";
        QTest::newRow("window") << "window"
                                << "window";
    }

    void rightClickOpensTheMenuOfTheNodeKind()
    {
        QFETCH(QString, node);
        QFETCH(QString, menu);
        QVERIFY(restoreAndShow());
        const QRect rect = m_tree->visualItemRect(item(node));
        const QPoint at = rect.center();
        QVERIFY(click(item(node), Qt::RightButton));
        QMenu *expected = menuNamed(menu);
        QTRY_VERIFY(expected->isVisible());
        // At the pointer (on a screen this large the menu needs no shifting).
        QCOMPARE(expected->pos(), m_tree->viewport()->mapToGlobal(at));
        for (QMenu *other :
             {m_tree->rootMenu, m_tree->segmentMenu, m_tree->programMenu, m_tree->windowMenu}) {
            if (other != expected)
                QVERIFY(!other->isVisible());
        }
        // A left click opens no menu.
        expected->hide();
        QVERIFY(click(item(QStringLiteral("root"))));
        QVERIFY(click(item(node)));
        QVERIFY(!anyMenuVisible());
    }

    void menuEntriesInOrder_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("root") << "root"
                              << QStringList{"Add Common Segment", "Add Inserted Segment/Timing Inserted",
                                             "Add Inserted Segment/Cycle Inserted", "Add Copied Segment",
                                             "Clear"};
        QTest::newRow("segment") << "segment"
                                 << QStringList{"Add Programs", "Copy",   "Paste",         "Move Up",
                                                "Move Down",    "Delete", "Clear Programs"};
        QTest::newRow("program")
            << "program"
            << QStringList{"Add Common Window", "Move Up",     "Move Down", "Copy", "Paste", "Delete",
                           "Add Copied Window", "Clear Window"};
        QTest::newRow("window") << "window"
                                << QStringList{"Add Media/File",
                                               "Add Media/Simple Text",
                                               "Add Media/Single-row Text",
                                               "Add Media/Scrolling Text",
                                               "Add Media/-",
                                               "Add Media/Analog Clock",
                                               "Add Media/Digital Clock",
                                               "Add Media/-",
                                               "Add Media/Digital Timer",
                                               "Add Media/-",
                                               "Add Media/Weather",
                                               "Add Media/Url",
                                               "Add Media/-",
                                               "Add Media/Streaming",
                                               "Add Media/Video Device",
                                               "Clear Media",
                                               "Window Position/Center",
                                               "Window Position/Horizontally Center",
                                               "Window Position/Vertically Center",
                                               "Window Position/Placed to the Left",
                                               "Window Position/Placed to the  Right",
                                               "Window Position/Placed at the Top",
                                               "Window Position/Placed at the Bottom",
                                               "Window Size/Full-screen",
                                               "Window Size/Horizontal Full-screen",
                                               "Window Size/Horizontal 1/2",
                                               "Window Size/Horizontal 1/3",
                                               "Window Size/Horizontal 1/4",
                                               "Window Size/Vertical Full-screen",
                                               "Window Size/Vertical 1/2",
                                               "Window Size/Vertical 1/3",
                                               "Window Size/Vertical 1/4",
                                               "Move Up by One Layer",
                                               "Move Down by One Layer",
                                               "Copy",
                                               "Paste",
                                               "Delete"};
    }

    void menuEntriesInOrder()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, entries);
        QCOMPARE(describe(menuNamed(menu)), entries);
    }

    // "File" asks for files in the "Open" dialog with the import's filter; cancelling it adds
    // nothing and takes no media number.
    void fileEntryAsksForFilesAndCancellingAddsNothing()
    {
        QVERIFY(restoreAndShow());
        ProjectTreeItem *windowNode = item(QStringLiteral("window"));
        QVERIFY(click(windowNode, Qt::RightButton));
        CommonWinObject *record = m_tree->findWindow(windowNode);
        QVERIFY(record);
        const int items = record->media.size();
        const int counter = m_tree->mediaCounter;
        QString title;
        QStringList filters;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                title = dialog->windowTitle();
                filters = dialog->nameFilters();
                dialog->reject();
            }
        });
        closer.start(50);
        QVERIFY(clickThroughMenu(m_tree->windowMenu, {QStringLiteral("Add Media"), QStringLiteral("File")}));
        closer.stop();
        QCOMPARE(title, QStringLiteral("Open"));
        QCOMPARE(filters.size(), 1);
        QVERIFY(filters.first().contains(QLatin1String("*.vob")));
        QCOMPARE(record->media.size(), items);
        QCOMPARE(m_tree->mediaCounter, counter);
    }

    void addProgramsAddsAPageToTheRightClickedSegment_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("name");
        QTest::newRow("general") << "general"
                                 << "Program3";
        QTest::newRow("cycle") << "cycle"
                               << "Program2";
        QTest::newRow("timing") << "timing"
                                << "Program4";
    }

    void addProgramsAddsAPageToTheRightClickedSegment()
    {
        QFETCH(QString, node);
        QFETCH(QString, name);
        QVERIFY(restoreAndShow());
        ProjectTreeItem *segment = item(node);
        const int pages = segment->childCount();
        QVERIFY(click(segment, Qt::RightButton));
        QVERIFY(clickThroughMenu(m_tree->segmentMenu, {QStringLiteral("Add Programs")}));
        QCOMPARE(segment->childCount(), pages + 1);
        QCOMPARE(child(segment, pages)->text(0), name);
        QCOMPARE(m_tree->currentTreeItem(), child(segment, pages));
        QList<ProgramObject *> *records = m_tree->programsOf(segment->kind(), segment->name());
        QCOMPARE(records->size(), pages + 1);
        QCOMPARE(records->last()->name, name);
    }

    void retranslationReachesEveryText()
    {
        m_tree->buildDefaultSchedule();
        UpperTranslator upper;
        QVERIFY(QCoreApplication::installTranslator(&upper));
        m_tree->retranslate();
        QCoreApplication::removeTranslator(&upper);
        QCOMPARE(m_tree->rootItem()->text(0), QStringLiteral("ADD SCHEDULE"));
        QCOMPARE(m_tree->rootItem()->toolTip(0), QStringLiteral("ADD SCHEDULE"));
        int texts = 0;
        for (QMenu *menu : {m_tree->rootMenu, m_tree->segmentMenu, m_tree->programMenu, m_tree->windowMenu}) {
            for (const QString &entry : describe(menu)) {
                if (entry.endsWith(QLatin1String("/-")))
                    continue;
                QCOMPARE(entry, entry.toUpper());
                ++texts;
            }
        }
        QCOMPARE(texts, 5 + 7 + 8 + 11 + 1 + 7 + 9 + 5);
    }

private:
    Scheme readHallBack()
    {
        // Through the real codec: written to a file and read back, as the loader gets it.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hall.schx"));
        Scheme written;
        written.displayWindowCounter = 1;
        fillHall(written.addDisplayWindow());
        if (!SchemeWriter::save(path, written))
            return Scheme();
        SchemeReader reader;
        if (!reader.readFile(path))
            return Scheme();
        return reader.takeScheme();
    }

    // Helpers return false instead of checking: a check here would not stop the test.
    bool restoreHall()
    {
        Scheme scheme = readHallBack();
        if (scheme.displayWindows.empty())
            return false;
        m_tree->restoreSchedule(scheme.displayWindows[0]->schedule);
        return true;
    }

    bool restoreAndShow()
    {
        if (!restoreHall())
            return false;
        m_tree->show();
        if (!QTest::qWaitForWindowExposed(m_tree.get()))
            return false;
        m_host->calls.clear();
        return true;
    }

    // The nodes the tests click, by a short name.
    ProjectTreeItem *item(const QString &node) const
    {
        ProjectTreeItem *root = m_tree->rootItem();
        if (node == QLatin1String("root"))
            return root;
        if (node == QLatin1String("general"))
            return child(root, 0);
        if (node == QLatin1String("cycle"))
            return child(root, 1);
        if (node == QLatin1String("timing"))
            return child(root, 2);
        if (node == QLatin1String("program"))
            return child(child(root, 0), 1);
        if (node == QLatin1String("window")) // "Common Window1", the bottom layer of "Program1"
            return child(child(child(root, 0), 0), 1);
        if (node == QLatin1String("cycle window"))
            return child(child(child(root, 1), 0), 0);
        return nullptr;
    }

    static QString menuOf(const QString &node)
    {
        if (node == QLatin1String("general") || node == QLatin1String("cycle") ||
            node == QLatin1String("timing"))
            return QStringLiteral("segment");
        return node;
    }

    QMenu *menuNamed(const QString &name) const
    {
        if (name == QLatin1String("root"))
            return m_tree->rootMenu;
        if (name == QLatin1String("segment"))
            return m_tree->segmentMenu;
        if (name == QLatin1String("program"))
            return m_tree->programMenu;
        return m_tree->windowMenu;
    }

    bool anyMenuVisible() const
    {
        for (QMenu *menu : m_tree->findChildren<QMenu *>()) {
            if (menu->isVisible())
                return true;
        }
        return false;
    }

    bool click(QTreeWidgetItem *node, Qt::MouseButton button = Qt::LeftButton)
    {
        if (!node)
            return false;
        QTest::mouseClick(m_tree->viewport(), button, {}, m_tree->visualItemRect(node).center());
        return true;
    }

    // Clicks, in the open menu, each entry of `path` by its text: submenus open, the last
    // entry is chosen. Returns the chosen action, after checking it fired exactly once.
    QAction *clickThroughMenu(QMenu *menu, const QStringList &path)
    {
        for (int i = 0; i < path.size(); ++i) {
            if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000))
                return nullptr;
            QAction *action = nullptr;
            for (QAction *candidate : menu->actions()) {
                if (candidate->text() == path.at(i))
                    action = candidate;
            }
            if (!action || !action->isEnabled() || !action->isVisible())
                return nullptr;
            const QPoint at = menu->actionGeometry(action).center();
            if (i + 1 < path.size()) {
                if (!action->menu())
                    return nullptr;
                QTest::mouseClick(menu, Qt::LeftButton, {}, at);
                menu = action->menu();
                continue;
            }
            QSignalSpy fired(action, &QAction::triggered);
            QTest::mouseClick(menu, Qt::LeftButton, {}, at);
            return fired.size() == 1 ? action : nullptr;
        }
        return nullptr;
    }

    // The entries of a menu as "text", submenu entries as "submenu/text", separators as "-".
    static QStringList describe(QMenu *menu, const QString &prefix = QString())
    {
        QStringList entries;
        for (QAction *action : menu->actions()) {
            if (action->menu())
                entries << describe(action->menu(), prefix + action->text() + QLatin1Char('/'));
            else if (action->isSeparator())
                entries << prefix + QLatin1Char('-');
            else
                entries << prefix + action->text();
        }
        return entries;
    }

    QStringList treeText() const
    {
        QStringList lines;
        std::function<void(QTreeWidgetItem *, int)> walk = [&](QTreeWidgetItem *node, int depth) {
            auto *item = static_cast<ProjectTreeItem *>(node);
            lines << QString(depth, QLatin1Char(' ')) + item->kind() + QLatin1Char(':') + item->text(0);
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i), depth + 1);
        };
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
            walk(m_tree->topLevelItem(i), 0);
        return lines;
    }

    std::unique_ptr<ProjectTree> m_tree;
    std::unique_ptr<RecordingHost> m_host;
};

QTEST_MAIN(TestProjectTree)
#include "test_projecttree_tree.moc"
