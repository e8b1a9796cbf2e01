// Building a schedule in the real main window from the tree's context menus: every entry's
// effect on the tree, the records and the play windows, copy and paste across deletions and
// display windows, segment names that stay unique, the window presets, and removals that
// leave nothing pointing at freed records.
#include "appcore/settings.h"
#include "editor/projecttree.h"
#include "modalwatcher.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/playwinobject.h"
#include "model/programobject.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "panels/programpanel.h"
#include "render/analogclockwidget.h"
#include "render/commonplaywindow.h"
#include "render/digitalclockwidget.h"
#include "render/mainplaybklabel.h"
#include "picturescheme.h"
#include "scriptedwidget.h"
#include "shell/displaysettingsdialog.h"
#include "shell/widget.h"
#include "panels/windowpanel.h"
#include "shell/newdisplaywindowbutton.h"
#include "shell/prodoc.h"
#include "treemenus.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>

namespace {
const QString generalKind = QStringLiteral("generalSegment");

// The tree as one line: segments by kind letter and name, pages, windows with their item count
// in brackets; the records must agree (see recordsFollowTree).
QString outline(ProjectTree *tree)
{
    QStringList segments;
    ProjectTreeItem *root = tree->rootItem();
    for (int s = 0; s < root->childCount(); ++s) {
        auto *segment = static_cast<ProjectTreeItem *>(root->child(s));
        QStringList pages;
        for (int p = 0; p < segment->childCount(); ++p) {
            QStringList windows;
            for (int w = 0; w < segment->child(p)->childCount(); ++w) {
                auto *node = static_cast<ProjectTreeItem *>(segment->child(p)->child(w));
                CommonWinObject *window = tree->findWindow(node);
                windows << node->name() + QStringLiteral("(%1)").arg(window ? window->media.size() : -1);
            }
            pages << segment->child(p)->text(0) + QLatin1Char('[') + windows.join(QLatin1Char(',')) +
                         QLatin1Char(']');
        }
        segments << segment->kind().left(1).toUpper() + QLatin1Char(':') + segment->name() +
                        QLatin1Char('{') + pages.join(QLatin1Char(' ')) + QLatin1Char('}');
    }
    return segments.join(QLatin1String(" | "));
}

// Every kind's segment list in the tree order of that kind, each page's pages and windows the
// tree's (top layer first in the tree, bottom first in the list), ancestor names those of the
// place, and one play window for every window, none for a removed one.
bool recordsFollowTree(ProjectTree *tree, MainPlayBKLabel *screen)
{
    QStringList treeNames[3], listNames[3];
    const QString kinds[3] = {generalKind, QStringLiteral("cycleSegment"), QStringLiteral("timingSegment")};
    ProjectTreeItem *root = tree->rootItem();
    for (int s = 0; s < root->childCount(); ++s) {
        auto *segment = static_cast<ProjectTreeItem *>(root->child(s));
        for (int k = 0; k < 3; ++k) {
            if (segment->kind() == kinds[k])
                treeNames[k] << segment->name();
        }
        QList<ProgramObject *> *pages = tree->programsOf(segment->kind(), segment->name());
        if (!pages || pages->size() != segment->childCount())
            return false;
        for (int p = 0; p < pages->size(); ++p) {
            ProgramObject *page = pages->at(p);
            QTreeWidgetItem *pageNode = segment->child(p);
            if (page->name != pageNode->text(0) || page->windows.size() != pageNode->childCount())
                return false;
            for (int w = 0; w < page->windows.size(); ++w) {
                CommonWinObject *window = page->windows.at(page->windows.size() - 1 - w);
                if (window->name != pageNode->child(w)->text(0) || window->programName != page->name ||
                    window->segmentName != segment->name() || window->segmentKind != segment->kind() ||
                    window->displayWindowName != tree->displayName || !screen->findPlayWindow(window))
                    return false;
                for (const LumoraMediaObject *item : window->media) {
                    if (item->windowName != window->name || item->programName != page->name ||
                        item->segmentName != segment->name() || item->displayWindowName != tree->displayName)
                        return false;
                }
            }
        }
    }
    // and no play window is left over from a removed window
    const QList<CommonWinObject *> windows = tree->allWindows();
    for (const CommonPlayWindow *pw : qAsConst(screen->playWindows)) {
        if (!windows.contains(pw->winObject))
            return false;
    }
    for (const GeneralObject *s : tree->generalSegments)
        listNames[0] << s->name;
    for (const CycleObject *s : tree->cycleSegments)
        listNames[1] << s->name;
    for (const TimingObject *s : tree->timingSegments)
        listNames[2] << s->name;
    for (int k = 0; k < 3; ++k) {
        if (treeNames[k] != listNames[k])
            return false;
    }
    return true;
}

// An outline with its segments in kind order (general, cycle, timing), each kind's as they were.
QString byKind(const QString &outline)
{
    QStringList segments = outline.split(QStringLiteral(" | "));
    std::stable_sort(segments.begin(), segments.end(), [](const QString &a, const QString &b) {
        const QString order = QStringLiteral("GCT");
        return order.indexOf(a.at(0)) < order.indexOf(b.at(0));
    });
    return segments.join(QStringLiteral(" | "));
}

QList<int> mediaIds(ProjectTree *tree)
{
    QList<int> ids;
    for (const LumoraMediaObject *item : tree->allMedia())
        ids << item->mediaId;
    return ids;
}

bool unique(const QList<int> &ids)
{
    return QSet<int>(ids.begin(), ids.end()).size() == ids.size();
}
} // namespace

using Effect = std::function<bool(ProjectTree *)>;
Q_DECLARE_METATYPE(Effect)

class TestEditing : public QObject
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
        QVERIFY(QTest::qWaitForWindowExposed(m_widget));
    }

    void cleanup()
    {
        delete m_widget;
        delete m_watcher;
    }

    // The fixture of the entry table: "General Segment1" with Program1 (Common Window1 over
    // Common Window2, two texts in Window1) and Program2, then a cycle and a timing segment.
    void everyEntryChangesTheScheduleItNames_data()
    {
        QTest::addColumn<QStringList>("node");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("after");
        const QStringList g1{QStringLiteral("General Segment1")};
        const QStringList p1 = g1 + QStringList{QStringLiteral("Program1")};
        const QStringList w1 = p1 + QStringList{QStringLiteral("Common Window1")};
        const QString cycle = QStringLiteral("C:Cycle Inserted Segment1{}");
        const QString timing = QStringLiteral("T:Timing Inserted Segment1{}");
        const QString program2 = QStringLiteral("Program2[]");
        const QString g1Is = QStringLiteral("G:General Segment1{");
        const QString program1 = QStringLiteral("Program1[Common Window2(0),Common Window1(2)]");
        auto all = [&](const QString &general) -> QString {
            return general + QStringLiteral(" | ") + cycle + QStringLiteral(" | ") + timing;
        };
        const QString start = all(g1Is + program1 + QLatin1Char(' ') + program2 + QLatin1Char('}'));

        QTest::newRow("nothing") << g1 << QStringList{QStringLiteral("Move Up")} << start;
        QTest::newRow("add general") << QStringList{} << QStringList{QStringLiteral("Add Common Segment")}
                                     << start + QStringLiteral(" | G:General Segment2{}");
        QTest::newRow("add cycle") << QStringList{}
                                   << QStringList{QStringLiteral("Add Inserted Segment"),
                                                  QStringLiteral("Cycle Inserted")}
                                   << start + QStringLiteral(" | C:Cycle Inserted Segment2{}");
        QTest::newRow("add timing") << QStringList{}
                                    << QStringList{QStringLiteral("Add Inserted Segment"),
                                                   QStringLiteral("Timing Inserted")}
                                    << start + QStringLiteral(" | T:Timing Inserted Segment2{}");
        QTest::newRow("clear all") << QStringList{} << QStringList{QStringLiteral("Clear")} << QString();
        QTest::newRow("add page") << g1 << QStringList{QStringLiteral("Add Programs")}
                                  << all(g1Is + program1 + QLatin1Char(' ') + program2 +
                                         QStringLiteral(" Program3[]}"));
        QTest::newRow("copy+paste segment")
            << g1 << QStringList{QStringLiteral("Copy"), QStringLiteral("Paste")}
            << g1Is + program1 + QLatin1Char(' ') + program2 + QStringLiteral("} | G:General Segment1-1{") +
                   program1 + QLatin1Char(' ') + program2 + QStringLiteral("} | ") + cycle +
                   QStringLiteral(" | ") + timing;
        QTest::newRow("move segment down")
            << g1 << QStringList{QStringLiteral("Move Down")}
            << cycle + QStringLiteral(" | ") + g1Is + program1 + QLatin1Char(' ') + program2 +
                   QStringLiteral("} | ") + timing;
        QTest::newRow("delete segment")
            << g1 << QStringList{QStringLiteral("Delete")} << cycle + QStringLiteral(" | ") + timing;
        QTest::newRow("clear pages") << g1 << QStringList{QStringLiteral("Clear Programs")}
                                     << all(QStringLiteral("G:General Segment1{}"));
        QTest::newRow("add window") << p1 << QStringList{QStringLiteral("Add Common Window")}
                                    << all(g1Is +
                                           QStringLiteral(
                                               "Program1[Common Window3(0),Common Window2(0),Common "
                                               "Window1(2)] ") +
                                           program2 + QLatin1Char('}'));
        QTest::newRow("move page down")
            << p1 << QStringList{QStringLiteral("Move Down")}
            << all(g1Is + program2 + QLatin1Char(' ') + program1 + QLatin1Char('}'));
        QTest::newRow("copy+paste page")
            << p1 << QStringList{QStringLiteral("Copy"), QStringLiteral("Paste")}
            << all(g1Is + program1 + QStringLiteral(" Program1-3") + program1.mid(8) + QLatin1Char(' ') +
                   program2 + QLatin1Char('}'));
        QTest::newRow("delete page") << p1 << QStringList{QStringLiteral("Delete")}
                                     << all(g1Is + program2 + QLatin1Char('}'));
        QTest::newRow("copied window")
            << p1 << QStringList{QStringLiteral("Add Copied Window")}
            << all(g1Is +
                   QStringLiteral("Program1[Common Window2(0),Common Window1(2),Common "
                                  "Window1-3(2)] ") +
                   program2 + QLatin1Char('}'));
        QTest::newRow("clear windows")
            << p1 << QStringList{QStringLiteral("Clear Window")}
            << all(g1Is + QStringLiteral("Program1[] ") + program2 + QLatin1Char('}'));
        for (const QString &kind :
             {QStringLiteral("Simple Text"), QStringLiteral("Single-row Text"),
              QStringLiteral("Scrolling Text"), QStringLiteral("Analog Clock"),
              QStringLiteral("Digital Clock"), QStringLiteral("Digital Timer"), QStringLiteral("Weather"),
              QStringLiteral("Url"), QStringLiteral("Streaming"), QStringLiteral("Video Device")})
            QTest::newRow(qPrintable(kind))
                << w1 << QStringList{QStringLiteral("Add Media"), kind}
                << all(g1Is + QStringLiteral("Program1[Common Window2(0),Common Window1(3)] ") + program2 +
                       QLatin1Char('}'));
        QTest::newRow("clear media") << w1 << QStringList{QStringLiteral("Clear Media")}
                                     << all(g1Is +
                                            QStringLiteral("Program1[Common Window2(0),Common Window1(0)] ") +
                                            program2 + QLatin1Char('}'));
        QTest::newRow("layer up") << w1 << QStringList{QStringLiteral("Move Up by One Layer")}
                                  << all(g1Is +
                                         QStringLiteral("Program1[Common Window1(2),Common Window2(0)] ") +
                                         program2 + QLatin1Char('}'));
        QTest::newRow("layer down") << p1 + QStringList{QStringLiteral("Common Window2")}
                                    << QStringList{QStringLiteral("Move Down by One Layer")}
                                    << all(g1Is +
                                           QStringLiteral("Program1[Common Window1(2),Common Window2(0)] ") +
                                           program2 + QLatin1Char('}'));
        QTest::newRow("copy+paste window")
            << w1 << QStringList{QStringLiteral("Copy"), QStringLiteral("Paste")}
            << all(g1Is +
                   QStringLiteral("Program1[Common Window2(0),Common Window1(2),Common Window1-3(2)] ") +
                   program2 + QLatin1Char('}'));
        QTest::newRow("delete window")
            << w1 << QStringList{QStringLiteral("Delete")}
            << all(g1Is + QStringLiteral("Program1[Common Window2(0)] ") + program2 + QLatin1Char('}'));
    }

    // Each entry run on its node (two entries: the second on the node current after the
    // first), deletes and clears answered Yes: the tree reads `after`, the records follow it,
    // every window has its play window and no two items share a number.
    void everyEntryChangesTheScheduleItNames()
    {
        QFETCH(QStringList, node);
        QFETCH(QStringList, entries);
        QFETCH(QString, after);
        ProjectTree *tree = buildEntryFixture();
        QVERIFY(tree);
        runEntry(tree, node, entries);
        QCOMPARE(outline(tree), after);
        QVERIFY(recordsFollowTree(tree, m_widget->screenOf(tree->displayName)));
        QVERIFY(unique(mediaIds(tree)));
    }

    void everyEntryIsUndoneAndRedone_data() { everyEntryChangesTheScheduleItNames_data(); }

    // After each entry one undo gives back the scheme as it was, byte for byte in its file, with
    // the play windows of what it had; one redo the scheme the entry made.
    void everyEntryIsUndoneAndRedone()
    {
        QFETCH(QStringList, node);
        QFETCH(QStringList, entries);
        ProjectTree *tree = buildEntryFixture();
        QVERIFY(tree);
        QCoreApplication::processEvents(); // the fixture's last step is taken
        const QString name = tree->displayName;
        const QString start = outline(tree);
        const QByteArray before = savedScheme();
        const QString fixtureStep = m_widget->prodoc()->undoName();
        runEntry(tree, node, entries);
        QCoreApplication::processEvents();
        // Pasted names count on over the whole run: what the entry made, not the table's name.
        const QString made = outline(tree);
        const QByteArray edited = savedScheme();
        if (edited == before) {
            // Nothing the file keeps changed (a segment moved past one of another kind changes
            // only the tree's look): no step to take back.
            QCOMPARE(m_widget->prodoc()->undoName(), fixtureStep);
            return;
        }
        QVERIFY(m_widget->prodoc()->canUndo());
        QVERIFY(!m_widget->prodoc()->canRedo());

        m_widget->slotUndo();
        tree = m_widget->treeOf(name);
        QVERIFY(tree);
        QCOMPARE(outline(tree), start);
        QCOMPARE(savedScheme(), before);
        QVERIFY(recordsFollowTree(tree, m_widget->screenOf(name)));
        QCOMPARE(m_widget->prodoc()->undoName(), fixtureStep);
        QVERIFY(m_widget->prodoc()->canRedo());

        m_widget->slotRedo();
        tree = m_widget->treeOf(name);
        QVERIFY(tree);
        // Rebuilt from the scheme, the tree lists the segments by kind, as after opening a file.
        QCOMPARE(byKind(outline(tree)), byKind(made));
        QCOMPARE(savedScheme(), edited);
        QVERIFY(recordsFollowTree(tree, m_widget->screenOf(name)));
        QVERIFY(!m_widget->prodoc()->canRedo());
    }

    // The conventional keys on the tree act as the current node's menu entries, which show them;
    // Ctrl+S on the main window saves.
    void keysCopyPasteAndDeleteTheCurrentNode()
    {
        ProjectTree *tree = buildEntryFixture();
        QVERIFY(tree);
        m_widget->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_widget));
        const QStringList p1{QStringLiteral("General Segment1"), QStringLiteral("Program1")};
        QVERIFY(clickNode(tree, treeNode(tree, p1)));
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(tree, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(tree->generalSegments[0]->programs.size(), 3);
        QVERIFY(recordsFollowTree(tree, m_widget->screenOf(tree->displayName)));

        QVERIFY(clickNode(tree, treeNode(tree, p1 + QStringList{QStringLiteral("Common Window1")})));
        m_watcher->answers << QMessageBox::No;
        QTest::keyClick(tree, Qt::Key_Delete);
        QVERIFY(m_watcher->answered());
        QCOMPARE(tree->generalSegments[0]->programs[0]->windows.size(), 2);
        m_watcher->answers << QMessageBox::Yes;
        QTest::keyClick(tree, Qt::Key_Delete);
        QVERIFY(m_watcher->answered());
        QCOMPARE(tree->generalSegments[0]->programs[0]->windows.size(), 1);
        QVERIFY(recordsFollowTree(tree, m_widget->screenOf(tree->displayName)));
        // The pasted page and the delete are two steps.
        QCoreApplication::processEvents();
        QVERIFY(!m_widget->prodoc()->undoName().isEmpty());
        m_widget->slotUndo();
        tree = m_widget->treeOf(QStringLiteral("Display window1"));
        QCOMPARE(tree->generalSegments[0]->programs[0]->windows.size(), 2);
        QCOMPARE(tree->generalSegments[0]->programs.size(), 3);

        const QString path = m_dir.filePath(QStringLiteral("keys.schx"));
        QFile::remove(path);
        m_widget->savePaths << path;
        // Without a window manager nothing hands the activation back after the question boxes.
        m_widget->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_widget));
        QTest::keyClick(tree, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_widget->asked, QStringList{QStringLiteral("Save")});
        QVERIFY(QFile::exists(path));
    }

    void anAddedPageShowsItsOwnPanel()
    {
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Display window1"));
        QVERIFY(runMenu(tree, {QStringLiteral("General Segment1")}, {QStringLiteral("Add Programs")}));
        QCOMPARE(tree->currentTreeItem()->text(0), QStringLiteral("Program2"));
        QCOMPARE(m_widget->shownPanel(), static_cast<QWidget *>(m_widget->programPanel()));
    }

    // A new display window's first window fills it, so what it plays is seen on the screen.
    void aNewDisplayWindowsFirstWindowShowsWhatItPlays()
    {
        ProjectTree *tree = addDisplay(QStringLiteral("Wall"), 400, 300);
        QVERIFY(tree);
        CommonWinObject *window = tree->allWindows().value(0);
        QVERIFY(window);
        QCOMPARE(QRect(window->x, window->y, window->width, window->height), QRect(0, 0, 400, 300));
        const QString picture = writePicture(m_dir.filePath(QStringLiteral("green.png")), QColor(0, 200, 0));
        QVERIFY(!picture.isEmpty());
        addPicture(window, picture, 30);
        m_widget->selectorButtonOf(QStringLiteral("Wall"))->click();
        m_widget->slotMenuPlay();
        MainPlayBKLabel *screen = m_widget->screenOf(QStringLiteral("Wall"));
        const QPoint middle = screen->mapToGlobal(QPoint(200, 150));
        // What the X server shows there, whichever window it belongs to.
        auto shown = [middle] {
            return QGuiApplication::primaryScreen()->grabWindow(0, middle.x(), middle.y(), 1, 1).toImage().pixelColor(0, 0);
        };
        QTRY_COMPARE_WITH_TIMEOUT(shown(), QColor(0, 200, 0), 10000);
        m_widget->slotMenuStop();
    }

    // A further window is a layer over the others and leaves them in view; windows copied from
    // a larger display window are fitted into a smaller one, and the operator is told.
    void windowsStayOnTheirDisplayWindow()
    {
        ProjectTree *wall = addDisplay(QStringLiteral("Wall"), 400, 300);
        QVERIFY(wall);
        const QStringList page{QStringLiteral("General Segment1"), QStringLiteral("Program1")};
        QVERIFY(runMenu(wall, page, {QStringLiteral("Add Common Window")}));
        CommonWinObject *added = wall->generalSegments.at(0)->programs.at(0)->windows.value(1);
        QVERIFY(added);
        QCOMPARE(QRect(added->x, added->y, added->width, added->height), QRect(100, 75, 200, 150));

        ProjectTree *big = addDisplay(QStringLiteral("Big"), 800, 600);
        QVERIFY(big);
        CommonWinObject *large = big->allWindows().value(0);
        large->x = 300;
        large->y = 100;
        large->width = 400;
        large->height = 450;
        QVERIFY(runMenu(big, page + QStringList{QStringLiteral("Common Window1")}, {QStringLiteral("Copy")}));
        QVERIFY(runMenu(wall, page + QStringList{QStringLiteral("Common Window1")}, {QStringLiteral("Paste")}));
        CommonWinObject *pasted = wall->generalSegments.at(0)->programs.at(0)->windows.value(0);
        QVERIFY(pasted && pasted->name.startsWith(QLatin1String("Common Window1-")));
        QCOMPARE(QRect(pasted->x, pasted->y, pasted->width, pasted->height), QRect(0, 0, 400, 300));
        QCOMPARE(m_watcher->messages.size(), 1);
        QVERIFY2(m_watcher->messages.constFirst().contains(QLatin1String("1 pasted window(s)")) &&
                     m_watcher->messages.constFirst().contains(QLatin1String("400 x 300")),
                 qPrintable(m_watcher->messages.constFirst()));
        QCOMPARE(m_widget->screenOf(QStringLiteral("Wall"))->findPlayWindow(pasted)->geometry(), QRect(0, 0, 400, 300));

        // A whole segment: each of its windows, one message.
        large->x = 600;
        large->width = 100;
        large->height = 100;
        QVERIFY(runMenu(big, page, {QStringLiteral("Add Common Window")}));
        QVERIFY(runMenu(big, {QStringLiteral("General Segment1")}, {QStringLiteral("Copy")}));
        m_watcher->messages.clear();
        QVERIFY(runMenu(wall, {QStringLiteral("General Segment1")}, {QStringLiteral("Paste")}));
        QCOMPARE(wall->generalSegments.size(), 2);
        for (const CommonWinObject *window : wall->generalSegments.at(1)->programs.at(0)->windows) {
            QVERIFY2(window->x >= 0 && window->y >= 0 && window->x + window->width <= 400 &&
                         window->y + window->height <= 300,
                     qPrintable(window->name));
        }
        QCOMPARE(m_watcher->messages.size(), 1);
        QVERIFY(m_watcher->messages.constFirst().contains(QLatin1String("2 pasted window(s)")));
        // Pasted where it fits, nothing to tell.
        QVERIFY(runMenu(wall, page + QStringList{QStringLiteral("Common Window1")}, {QStringLiteral("Copy")}));
        m_watcher->messages.clear();
        QVERIFY(runMenu(big, page + QStringList{QStringLiteral("Common Window1")}, {QStringLiteral("Paste")}));
        QVERIFY(m_watcher->messages.isEmpty());
    }

    // The window panel bounds its fields by the display window as it is now, also when it was
    // enlarged while the panel was open.
    void theWindowPanelFollowsAnEnlargedDisplayWindow()
    {
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Display window1"));
        QVERIFY(clickNode(tree,
                          treeNode(tree, {QStringLiteral("General Segment1"), QStringLiteral("Program1"),
                                          QStringLiteral("Common Window1")}),
                          Qt::LeftButton));
        CommonWinObject *window = tree->allWindows().value(0);
        QCOMPARE(m_widget->selectedWindow(), window);
        m_watcher->dialogHandlers << [](QWidget *modal) {
            auto *dialog = qobject_cast<DisplaySettingsDialog *>(modal);
            QVERIFY(dialog);
            dialog->setValues(dialog->name(), 0, 0, 1000, 600, 1);
            dialog->okButton()->click();
        };
        m_widget->slotDisplayWindowSetting();
        QVERIFY(m_watcher->answered());
        QCOMPARE(m_widget->displaySize(QStringLiteral("Display window1")), QSize(1000, 600));
        QSpinBox *width = m_widget->windowPanel()->findChild<QSpinBox *>(QStringLiteral("widthSpin"));
        QSpinBox *height = m_widget->windowPanel()->findChild<QSpinBox *>(QStringLiteral("heightSpin"));
        QVERIFY(width && height && width->isVisible());
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("800"));
        QTest::keyClick(width, Qt::Key_Return);
        height->selectAll();
        QTest::keyClicks(height, QStringLiteral("450"));
        QTest::keyClick(height, Qt::Key_Return);
        QCOMPARE(QSize(window->width, window->height), QSize(800, 450));
    }

    // Selecting a node shows what it would show: a page its own windows, a segment its first
    // page. Windows made meanwhile (a pasted segment's, a loaded scheme's) wait for their page.
    void selectingANodePreviewsWhatItWouldShow()
    {
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Display window1"));
        const QStringList g1{QStringLiteral("General Segment1")};
        QVERIFY(runMenu(tree, g1, {QStringLiteral("Add Programs")}));
        QVERIFY(runMenu(tree, g1 + QStringList{QStringLiteral("Program2")}, {QStringLiteral("Add Common Window")}));
        const auto shown = [this] {
            QStringList pages;
            for (const CommonPlayWindow *pw : qAsConst(m_widget->screenOf(QStringLiteral("Display window1"))->playWindows)) {
                if (pw->isVisible())
                    pages << pw->winObject->segmentName + QLatin1Char('/') + pw->winObject->programName;
            }
            return pages;
        };
        QVERIFY(clickNode(tree, treeNode(tree, g1 + QStringList{QStringLiteral("Program2")}), Qt::LeftButton));
        QCOMPARE(shown(), QStringList{QStringLiteral("General Segment1/Program2")});
        QVERIFY(clickNode(tree, treeNode(tree, g1), Qt::LeftButton));
        QCOMPARE(shown(), QStringList{QStringLiteral("General Segment1/Program1")});

        QVERIFY(runMenu(tree, g1, {QStringLiteral("Copy")}));
        QVERIFY(runMenu(tree, g1, {QStringLiteral("Paste")}));
        const QString pasted = tree->generalSegments.value(1) ? tree->generalSegments.at(1)->name : QString();
        QCOMPARE(tree->currentTreeItem()->text(0), pasted);
        QCOMPARE(shown(), QStringList{pasted + QStringLiteral("/Program1")});

        const QString path = m_dir.filePath(QStringLiteral("preview.schx"));
        m_widget->savePaths << path;
        m_widget->slotSaveAsDoc();
        QVERIFY(m_widget->openSchemeFile(path, false));
        tree = m_widget->treeOf(QStringLiteral("Display window1"));
        QCOMPARE(shown(), QStringList());
        QVERIFY(clickNode(tree, treeNode(tree, {pasted}), Qt::LeftButton));
        QCOMPARE(shown(), QStringList{pasted + QStringLiteral("/Program1")});
        QVERIFY(clickNode(tree, treeNode(tree, {pasted, QStringLiteral("Program2")}), Qt::LeftButton));
        QCOMPARE(shown(), QStringList{pasted + QStringLiteral("/Program2")});
    }

    // The copy is the buffer's own: the segment's display window can go before the paste.
    void segmentCopiedInADeletedDisplayWindowPastesIntoAnother()
    {
        ProjectTree *a = m_widget->treeOf(QStringLiteral("Display window1"));
        QVERIFY(a);
        const QStringList window1{QStringLiteral("General Segment1"), QStringLiteral("Program1"),
                                  QStringLiteral("Common Window1")};
        QVERIFY(runMenu(a, window1, {QStringLiteral("Add Media"), QStringLiteral("Digital Clock")}));
        QVERIFY(runMenu(a, {QStringLiteral("General Segment1")}, {QStringLiteral("Copy")}));
        ProjectTree *b = addDisplay(QStringLiteral("B"));
        QVERIFY(b);
        QVERIFY(runMenu(b, window1, {QStringLiteral("Add Media"), QStringLiteral("Simple Text")}));
        m_widget->selectorButtonOf(QStringLiteral("Display window1"))->click();
        QCOMPARE(m_widget->currentDisplayName(), QStringLiteral("Display window1"));
        m_watcher->answers << QMessageBox::Yes;
        m_widget->slotDeleteDisplayWindow();
        QVERIFY(m_watcher->answered());
        QVERIFY(!m_widget->treeOf(QStringLiteral("Display window1")));
        QTest::qWait(0); // the deleted tree goes with the event loop

        QVERIFY(runMenu(b, {QStringLiteral("General Segment1")}, {QStringLiteral("Paste")}));
        // Pasted names count on from every paste of the run: "General Segment1-n".
        const QString pastedName = b->generalSegments.value(1) ? b->generalSegments.at(1)->name : QString();
        QVERIFY(pastedName.startsWith(QLatin1String("General Segment1-")));
        QCOMPARE(outline(b), QStringLiteral("G:General Segment1{Program1[Common Window1(1)]} | G:") +
                                 pastedName + QStringLiteral("{Program1[Common Window1(1)]}"));
        QVERIFY(recordsFollowTree(b, m_widget->screenOf(QStringLiteral("B"))));
        CommonWinObject *pasted = b->generalSegments.at(1)->programs.at(0)->windows.at(0);
        QCOMPARE(pasted->media.at(0)->type, QStringLiteral("digitalClock"));
        QVERIFY(unique(mediaIds(b)));
    }

    // A page copied before its segment was deleted still pastes, whole, into its new place.
    void pageCopiedBeforeItsSegmentWasDeletedPastes()
    {
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Display window1"));
        const QStringList p1{QStringLiteral("General Segment1"), QStringLiteral("Program1")};
        QVERIFY(runMenu(tree, p1 + QStringList{QStringLiteral("Common Window1")},
                        {QStringLiteral("Add Media"), QStringLiteral("Scrolling Text")}));
        QVERIFY(runMenu(tree, p1, {QStringLiteral("Copy")}));
        QVERIFY(runMenu(tree, QStringList{}, {QStringLiteral("Add Common Segment")}));
        m_watcher->answers << QMessageBox::Yes;
        QVERIFY(runMenu(tree, {QStringLiteral("General Segment1")}, {QStringLiteral("Delete")}));
        QVERIFY(m_watcher->answered());
        QVERIFY(runMenu(tree, {QStringLiteral("General Segment2")}, {QStringLiteral("Add Programs")}));
        QVERIFY(runMenu(tree, {QStringLiteral("General Segment2"), QStringLiteral("Program1")},
                        {QStringLiteral("Paste")}));
        QCOMPARE(outline(tree),
                 QStringLiteral("G:General Segment2{Program1[] Program1-2[Common Window1(1)]}"));
        QVERIFY(recordsFollowTree(tree, m_widget->screenOf(tree->displayName)));
    }

    // Deleting "General Segment1" of two and adding one never repeats a name in use.
    void newSegmentNamesAreNeverInUse()
    {
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Display window1"));
        QVERIFY(runMenu(tree, QStringList{}, {QStringLiteral("Add Common Segment")}));
        m_watcher->answers << QMessageBox::Yes;
        QVERIFY(runMenu(tree, {QStringLiteral("General Segment1")}, {QStringLiteral("Delete")}));
        QVERIFY(m_watcher->answered());
        QVERIFY(runMenu(tree, QStringList{}, {QStringLiteral("Add Common Segment")}));
        QCOMPARE(tree->generalSegments.size(), 2);
        QVERIFY(tree->generalSegments.at(0)->name != tree->generalSegments.at(1)->name);
        QVERIFY(recordsFollowTree(tree, m_widget->screenOf(tree->displayName)));
    }

    // The presets place the selected window in whole pixels on its display window and move its
    // play window; with the window deleted, or while the display window plays, they do nothing.
    void presetsPlaceTheSelectedWindowOnly()
    {
        ProjectTree *tree = addDisplay(QStringLiteral("Wall"), 1000, 500);
        QVERIFY(tree);
        const QStringList w1{QStringLiteral("General Segment1"), QStringLiteral("Program1"),
                             QStringLiteral("Common Window1")};
        CommonWinObject *window = tree->allWindows().value(0);
        QVERIFY(window);
        window->width = 300;
        window->height = 100;
        QVERIFY(runMenu(tree, w1, {QStringLiteral("Window Position"), QStringLiteral("Center")}));
        QCOMPARE(QRect(window->x, window->y, window->width, window->height), QRect(350, 200, 300, 100));
        QVERIFY(runMenu(tree, w1, {QStringLiteral("Window Size"), QStringLiteral("Horizontal 1/3")}));
        QCOMPARE(window->x, 0);
        QCOMPARE(window->width, 333);
        CommonPlayWindow *pw = m_widget->screenOf(QStringLiteral("Wall"))->findPlayWindow(window);
        QVERIFY(pw);
        QCOMPARE(pw->geometry().x(), 0);
        QCOMPARE(pw->geometry().width(), 333);
        // Not while the display window plays.
        QVERIFY(runMenu(tree, w1, {QStringLiteral("Add Media"), QStringLiteral("Digital Clock")}));
        m_widget->selectorButtonOf(QStringLiteral("Wall"))->click();
        m_widget->slotMenuPlay();
        QTRY_VERIFY(m_widget->playingDisplays().contains(QStringLiteral("Wall")));
        tree->windowSizeActions.at(0)->trigger();
        QCOMPARE(QRect(window->x, window->y, window->width, window->height), QRect(0, 200, 333, 100));
        m_widget->slotMenuStop();
        QTRY_VERIFY(m_widget->isEditingEnabled());

        QVERIFY(runMenu(tree, w1.mid(0, 2), {QStringLiteral("Add Common Window")}));
        CommonWinObject *other = tree->generalSegments.at(0)->programs.at(0)->windows.value(1);
        QVERIFY(other && other != window);
        const QRect before(other->x, other->y, other->width, other->height);
        m_watcher->answers << QMessageBox::Yes;
        QVERIFY(runMenu(tree, w1, {QStringLiteral("Delete")}));
        QVERIFY(m_watcher->answered());
        tree->windowSizeActions.at(0)->trigger(); // the menu's entry, with no window left selected
        tree->windowPositionActions.at(0)->trigger();
        QCOMPARE(QRect(other->x, other->y, other->width, other->height), before);
        QVERIFY(recordsFollowTree(tree, m_widget->screenOf(QStringLiteral("Wall"))));
    }

    // A window copied from a cycle segment, pasted into a general page of another display
    // window, becomes a general window there with new numbers, and plays.
    void cycleWindowPastedIntoAnotherDisplayWindowPlaysThere()
    {
        ProjectTree *a = m_widget->treeOf(QStringLiteral("Display window1"));
        QVERIFY(runMenu(a, QStringList{},
                        {QStringLiteral("Add Inserted Segment"), QStringLiteral("Cycle Inserted")}));
        const QStringList cw{QStringLiteral("Cycle Inserted Segment1"), QStringLiteral("Program1"),
                             QStringLiteral("Common Window1")};
        QVERIFY(runMenu(a, cw.mid(0, 1), {QStringLiteral("Add Programs")}));
        QVERIFY(runMenu(a, cw.mid(0, 2), {QStringLiteral("Add Common Window")}));
        QVERIFY(runMenu(a, cw, {QStringLiteral("Add Media"), QStringLiteral("Digital Clock")}));
        QVERIFY(runMenu(a, cw, {QStringLiteral("Copy")}));
        ProjectTree *b = addDisplay(QStringLiteral("B"));
        QVERIFY(b);
        QVERIFY(runMenu(b,
                        {QStringLiteral("General Segment1"), QStringLiteral("Program1"),
                         QStringLiteral("Common Window1")},
                        {QStringLiteral("Paste")}));
        QCOMPARE(outline(b),
                 QStringLiteral("G:General Segment1{Program1[Common Window1(0),Common Window1-2(1)]}"));
        QVERIFY(recordsFollowTree(b, m_widget->screenOf(QStringLiteral("B"))));
        // Pasted below the window pasted on: one layer under it.
        CommonWinObject *pasted = b->generalSegments.at(0)->programs.at(0)->windows.first();
        QCOMPARE(pasted->segmentKind, generalKind);
        QCOMPARE(pasted->media.size(), 1);
        LumoraMediaObject *clock = pasted->media.at(0);
        // Numbered by the tree it now belongs to.
        QCOMPARE(clock->mediaId, b->mediaCounter);
        QVERIFY(unique(mediaIds(b)));

        m_widget->selectorButtonOf(QStringLiteral("B"))->click();
        m_widget->slotMenuPlay();
        CommonPlayWindow *pw = m_widget->screenOf(QStringLiteral("B"))->findPlayWindow(pasted);
        QVERIFY(pw);
        QTRY_VERIFY_WITH_TIMEOUT(pw->currentItem == clock && pw->isVisible() && pw->digitalClock &&
                                     pw->digitalClock->isVisible(),
                                 10000);
        m_widget->slotMenuStop();
    }

    // A pasted timing segment owns its time points: deleting the copy's point, then the copy,
    // leaves the original's point in place.
    void pastedTimingSegmentOwnsItsTimePoints()
    {
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Display window1"));
        QVERIFY(runMenu(tree, QStringList{},
                        {QStringLiteral("Add Inserted Segment"), QStringLiteral("Timing Inserted")}));
        TimingObject *original = tree->timingSegments.at(0);
        auto *point = new TimePoint;
        point->time = QTime(12, 30);
        original->timePoints << point;
        QVERIFY(runMenu(tree, {original->name},
                        {
                            QStringLiteral("Copy"),
                        }));
        QVERIFY(runMenu(tree, {original->name}, {QStringLiteral("Paste")}));
        QCOMPARE(tree->timingSegments.size(), 2);
        TimingObject *copy = tree->timingSegments.at(1);
        QCOMPARE(copy->timePoints.size(), 1);
        QVERIFY(copy->timePoints.at(0) != point);
        delete copy->timePoints.takeFirst();
        m_watcher->answers << QMessageBox::Yes;
        QVERIFY(runMenu(tree, {copy->name}, {QStringLiteral("Delete")}));
        QVERIFY(m_watcher->answered());
        QCOMPARE(tree->timingSegments, QList<TimingObject *>{original});
        QCOMPARE(original->timePoints.size(), 1);
        QCOMPARE(original->timePoints.at(0)->time, QTime(12, 30));
    }

    // "Clear Media" on the window whose item is selected and was played last: the selection
    // and the play window's list let go of the freed items, and the window plays its new ones.
    void clearMediaWhileItsItemIsSelected()
    {
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Display window1"));
        const QStringList w1{QStringLiteral("General Segment1"), QStringLiteral("Program1"),
                             QStringLiteral("Common Window1")};
        QVERIFY(runMenu(tree, w1, {QStringLiteral("Add Media"), QStringLiteral("Digital Clock")}));
        QVERIFY(runMenu(tree, w1, {QStringLiteral("Add Media"), QStringLiteral("Simple Text")}));
        CommonWinObject *window = tree->allWindows().value(0);
        CommonPlayWindow *pw = m_widget->screenOf(tree->displayName)->findPlayWindow(window);
        QVERIFY(pw);
        m_widget->slotMenuPlay();
        QTRY_VERIFY_WITH_TIMEOUT(pw->currentItem && window->media.contains(pw->currentItem), 10000);
        m_widget->slotMenuStop();
        QTRY_VERIFY(m_widget->isEditingEnabled());
        m_widget->slotSelectMediaObject(window->media.at(0));
        m_watcher->answers << QMessageBox::Yes;
        QVERIFY(runMenu(tree, w1, {QStringLiteral("Clear Media")}));
        QVERIFY(m_watcher->answered());
        QVERIFY(window->media.isEmpty());
        QVERIFY(!m_widget->selectedMedia());
        QVERIFY(pw->mediaList.isEmpty());
        QVERIFY(!pw->currentItem);
        QVERIFY(runMenu(tree, w1, {QStringLiteral("Add Media"), QStringLiteral("Analog Clock")}));
        m_widget->slotMenuPlay();
        QTRY_VERIFY_WITH_TIMEOUT(pw->currentItem == window->media.value(0) && pw->analogClock->isVisible(),
                                 10000);
        m_widget->slotMenuStop();
    }

private:
    ProjectTree *addDisplay(const QString &name, int width = 320, int height = 160)
    {
        PlayWinObject values;
        values.name = name;
        values.x = 600;
        values.y = 300;
        values.width = width;
        values.height = height;
        if (!m_widget->createDisplayWindow(values, true))
            return nullptr;
        return m_widget->treeOf(name);
    }

    // Builds the fixture through the menus; nullptr (with the failing step named) when a step fails.
    // Runs `entries` on `node` (two entries: the second on the node current after the first),
    // answering Yes to deletes and clears.
    void runEntry(ProjectTree *tree, const QStringList &node, const QStringList &entries)
    {
        for (int i = 0; i < 4; ++i)
            m_watcher->answers << QMessageBox::Yes;
        // A copied window is added from the buffer: the window is copied first.
        if (entries.first() == QLatin1String("Add Copied Window"))
            QVERIFY(runMenu(tree, node + QStringList{QStringLiteral("Common Window1")},
                            {QStringLiteral("Copy")}));
        ProjectTreeItem *target = treeNode(tree, node);
        for (const QString &entry : entries) {
            if (entry == QLatin1String("Add Media") || entry == QLatin1String("Add Inserted Segment")) {
                QVERIFY(runMenu(tree, target, entries));
                break;
            }
            QVERIFY2(runMenu(tree, target, {entry}), qPrintable(entry));
            target = tree->currentTreeItem();
        }
        QVERIFY(m_watcher->answered());
    }

    // The scheme as Save writes it.
    QByteArray savedScheme()
    {
        const QString path = m_dir.filePath(QStringLiteral("undo.schx"));
        QString error;
        if (!m_widget->prodoc()->save(path, &error))
            return error.toUtf8();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    ProjectTree *buildEntryFixture()
    {
        ProjectTree *tree = m_widget->treeOf(QStringLiteral("Display window1"));
        const QStringList g1{QStringLiteral("General Segment1")};
        const QStringList p1 = g1 + QStringList{QStringLiteral("Program1")};
        const QStringList w1 = p1 + QStringList{QStringLiteral("Common Window1")};
        const QList<QPair<QStringList, QStringList>> steps{
            {w1, {QStringLiteral("Add Media"), QStringLiteral("Simple Text")}},
            {w1, {QStringLiteral("Add Media"), QStringLiteral("Digital Clock")}},
            {p1, {QStringLiteral("Add Common Window")}},
            {g1, {QStringLiteral("Add Programs")}},
            {{}, {QStringLiteral("Add Inserted Segment"), QStringLiteral("Cycle Inserted")}},
            {{}, {QStringLiteral("Add Inserted Segment"), QStringLiteral("Timing Inserted")}}};
        for (const auto &step : steps) {
            if (!tree || !runMenu(tree, step.first, step.second)) {
                QTest::qFail(qPrintable(QStringLiteral("fixture step %1 on %2")
                                            .arg(step.second.join(QLatin1Char('/')),
                                                 step.first.join(QLatin1Char('/')))),
                             __FILE__, __LINE__);
                return nullptr;
            }
        }
        return tree;
    }

    QTemporaryDir m_dir;
    ModalWatcher *m_watcher = nullptr;
    ScriptedWidget *m_widget = nullptr;
};

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
