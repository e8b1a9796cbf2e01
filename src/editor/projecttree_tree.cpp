// The tree role of ProjectTree: its nodes, the restore operations the scheme loader and the
// default schedule use, the selection step and the context menus.
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/playwinobject.h"
#include "model/programobject.h"
#include "model/timingobject.h"
#include "model/weekdays.h"
#include "player/segmentscheduler.h"
#include "projecttree.h"
#include "projecttreeitem.h"
#include "treehost.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidgetItemIterator>

namespace {
const QString rootKind = QStringLiteral("playprogramme");
const QString generalKind = SegmentScheduler::keyword(SegmentScheduler::SegmentKind::General);
const QString cycleKind = SegmentScheduler::keyword(SegmentScheduler::SegmentKind::Cycle);
const QString timingKind = SegmentScheduler::keyword(SegmentScheduler::SegmentKind::Timing);
const QString programKind = QStringLiteral("program");
const QString windowKind = QStringLiteral("generalwin");
const QSize itemSize(50, 25);
// The messages of a node's problems; a node without any has none.
constexpr int ProblemsRole = Qt::UserRole + 1;
const QColor problemColor(240, 180, 41);

QIcon iconOf(const QString &kind)
{
    if (kind == programKind || kind == windowKind)
        return QIcon(QStringLiteral(":/images/disconnect.png"));
    return QIcon();
}

bool isSegmentKind(const QString &kind)
{
    return SegmentScheduler::kindOf(kind, nullptr);
}

template<typename Segment>
Segment *findByName(const QList<Segment *> &segments, const QString &name, const QString &displayName)
{
    for (Segment *segment : segments) {
        if (segment->name == name && segment->displayWindowName == displayName)
            return segment;
    }
    return nullptr;
}
} // namespace

ProjectTreeItem *ProjectTree::makeItem(const QString &kind, const QString &text, QTreeWidgetItem *parent)
{
    auto *item = new ProjectTreeItem(kind, text, parent);
    item->setSizeHint(0, itemSize);
    item->setToolTip(0, text);
    item->setIcon(0, iconOf(kind));
    return item;
}

ProjectTreeItem *ProjectTree::createRootItem()
{
    if (m_rootItem)
        return m_rootItem;
    m_rootItem = makeItem(rootKind, tr("Add Schedule"), nullptr);
    QFont bold = m_rootItem->font(0);
    bold.setWeight(75);
    m_rootItem->setFont(0, bold);
    addTopLevelItem(m_rootItem);
    m_rootItem->setExpanded(true);
    return m_rootItem;
}

ProjectTreeItem *ProjectTree::restoreGeneralSegment(GeneralObject *segment)
{
    segment->displayWindowName = displayName;
    generalSegments.append(segment);
    ProjectTreeItem *item = makeItem(generalKind, segment->name, createRootItem());
    m_rootItem->setExpanded(true);
    return item;
}

ProjectTreeItem *ProjectTree::restoreCycleSegment(CycleObject *segment)
{
    segment->displayWindowName = displayName;
    cycleSegments.append(segment);
    ProjectTreeItem *item = makeItem(cycleKind, segment->name, createRootItem());
    m_rootItem->setExpanded(true);
    return item;
}

ProjectTreeItem *ProjectTree::restoreTimingSegment(TimingObject *segment)
{
    segment->displayWindowName = displayName;
    timingSegments.append(segment);
    ProjectTreeItem *item = makeItem(timingKind, segment->name, createRootItem());
    m_rootItem->setExpanded(true);
    return item;
}

ProjectTreeItem *ProjectTree::restoreProgram(ProjectTreeItem *segmentItem, ProgramObject *page)
{
    QList<ProgramObject *> *pages = programsOf(segmentItem->kind(), segmentItem->name());
    if (!pages) {
        delete page;
        return nullptr;
    }
    page->displayWindowName = displayName;
    page->segmentName = segmentItem->name();
    pages->append(page);
    ProjectTreeItem *item = makeItem(programKind, page->name, segmentItem);
    segmentItem->setExpanded(true);
    return item;
}

ProjectTreeItem *ProjectTree::restoreWindow(ProjectTreeItem *programItem, CommonWinObject *window,
                                            int listIndex)
{
    ProgramObject *page = findProgram(programItem);
    auto *segmentItem = static_cast<ProjectTreeItem *>(programItem->parent());
    if (!page || !segmentItem) {
        delete window;
        return nullptr;
    }
    window->displayWindowName = displayName;
    window->segmentName = page->segmentName;
    window->programName = page->name;
    window->segmentKind = segmentItem->kind();
    if (listIndex < 0 || listIndex > page->windows.size())
        listIndex = page->windows.size();
    page->windows.insert(listIndex, window);
    for (LumoraMediaObject *media : qAsConst(window->media)) {
        media->displayWindowName = displayName;
        media->segmentName = window->segmentName;
        media->programName = window->programName;
        media->windowName = window->name;
        mediaCounter = qMax(mediaCounter, media->mediaId);
        if (media->type == QLatin1String("office"))
            restoreOfficeMedia(media);
    }
    ProjectTreeItem *item = makeItem(windowKind, window->name, programItem);
    orderWindowItems(programItem);
    programItem->setExpanded(true);
    emit sigAddCommonWin(window, displayName, window->segmentKind);
    return item;
}

void ProjectTree::restoreSchedule(DisplaySchedule &loaded)
{
    createRootItem();
    auto restorePages = [this](ProjectTreeItem *segmentItem, QList<ProgramObject *> &pages) {
        const QList<ProgramObject *> taken = pages;
        pages.clear();
        for (ProgramObject *page : taken) {
            const QList<CommonWinObject *> windows = page->windows;
            page->windows.clear();
            ProjectTreeItem *pageItem = restoreProgram(segmentItem, page);
            for (CommonWinObject *window : windows) {
                if (pageItem)
                    restoreWindow(pageItem, window);
                else
                    delete window;
            }
        }
    };
    const QList<GeneralObject *> generals = loaded.generalSegments;
    const QList<CycleObject *> cycles = loaded.cycleSegments;
    const QList<TimingObject *> timings = loaded.timingSegments;
    loaded.generalSegments.clear();
    loaded.cycleSegments.clear();
    loaded.timingSegments.clear();
    for (GeneralObject *segment : generals) {
        QList<ProgramObject *> pages = segment->programs;
        segment->programs.clear();
        restorePages(restoreGeneralSegment(segment), pages);
    }
    for (CycleObject *segment : cycles) {
        QList<ProgramObject *> pages = segment->programs;
        segment->programs.clear();
        restorePages(restoreCycleSegment(segment), pages);
    }
    for (TimingObject *segment : timings) {
        QList<ProgramObject *> pages = segment->programs;
        segment->programs.clear();
        restorePages(restoreTimingSegment(segment), pages);
    }
}

void ProjectTree::buildDefaultSchedule()
{
    createRootItem();
    auto *segment = new GeneralObject;
    segment->name = tr("General Segment") + QLatin1Char('1');
    segment->weekdays = Weekdays::all();
    segment->programCounter = 1;
    ProjectTreeItem *segmentItem = restoreGeneralSegment(segment);

    auto *page = new ProgramObject;
    page->name = tr("Program") + QLatin1Char('1');
    page->backgroundColor = QColor(0, 0, 0);
    page->windowCounter = 1;
    ProjectTreeItem *pageItem = restoreProgram(segmentItem, page);

    auto *window = new CommonWinObject;
    window->name = tr("Common Window") + QLatin1Char('1');
    window->frameColor = QColor(255, 0, 0);
    // The only window of the page fills the display window: what it plays is seen at once.
    const QSize area = m_host ? m_host->displaySize(displayName) : QSize();
    if (area.isValid()) {
        window->width = area.width();
        window->height = area.height();
    }
    ProjectTreeItem *windowItem = restoreWindow(pageItem, window);

    setCurrentTreeItem(windowItem);
    windowItem->setSelected(true);
    if (m_host)
        m_host->checkSchedule(m_rootItem->text(0));
}

// ---------------------------------------------------------------- lookup

GeneralObject *ProjectTree::findGeneral(const QString &name) const
{
    return findByName(generalSegments, name, displayName);
}

CycleObject *ProjectTree::findCycle(const QString &name) const
{
    return findByName(cycleSegments, name, displayName);
}

TimingObject *ProjectTree::findTiming(const QString &name) const
{
    return findByName(timingSegments, name, displayName);
}

QList<ProgramObject *> *ProjectTree::programsOf(const QString &kind, const QString &segmentName) const
{
    if (kind == generalKind) {
        if (GeneralObject *segment = findGeneral(segmentName))
            return &segment->programs;
    } else if (kind == cycleKind) {
        if (CycleObject *segment = findCycle(segmentName))
            return &segment->programs;
    } else if (kind == timingKind) {
        if (TimingObject *segment = findTiming(segmentName))
            return &segment->programs;
    }
    return nullptr;
}

ProgramObject *ProjectTree::findProgram(const ProjectTreeItem *programItem) const
{
    if (!programItem || programItem->kind() != programKind)
        return nullptr;
    auto *segmentItem = static_cast<const ProjectTreeItem *>(programItem->parent());
    if (!segmentItem)
        return nullptr;
    const QList<ProgramObject *> *pages = programsOf(segmentItem->kind(), segmentItem->name());
    if (!pages)
        return nullptr;
    for (ProgramObject *page : *pages) {
        if (page->name == programItem->name())
            return page;
    }
    return nullptr;
}

CommonWinObject *ProjectTree::findWindow(const ProjectTreeItem *windowItem) const
{
    if (!windowItem || windowItem->kind() != windowKind)
        return nullptr;
    ProgramObject *page = findProgram(static_cast<const ProjectTreeItem *>(windowItem->parent()));
    if (!page)
        return nullptr;
    for (CommonWinObject *window : qAsConst(page->windows)) {
        if (window->name == windowItem->name())
            return window;
    }
    return nullptr;
}

ProjectTreeItem *ProjectTree::segmentItem(const QString &kind, const QString &name) const
{
    if (!m_rootItem)
        return nullptr;
    for (int i = 0; i < m_rootItem->childCount(); ++i) {
        auto *item = static_cast<ProjectTreeItem *>(m_rootItem->child(i));
        if (item->kind() == kind && item->name() == name)
            return item;
    }
    return nullptr;
}

ProjectTreeItem *ProjectTree::nodeOf(const QString &segmentKind, const QString &segment, const QString &page,
                                     const QString &window) const
{
    if (segmentKind.isEmpty())
        return m_rootItem;
    ProjectTreeItem *item = segmentItem(segmentKind, segment);
    for (const QString &name : {page, window}) {
        if (!item || name.isEmpty())
            return item;
        ProjectTreeItem *child = nullptr;
        for (int i = 0; i < item->childCount() && !child; ++i) {
            if (item->child(i)->text(0) == name)
                child = static_cast<ProjectTreeItem *>(item->child(i));
        }
        item = child;
    }
    return item;
}

// ---------------------------------------------------------------- problems

void ProjectTree::markProblems(const QHash<QTreeWidgetItem *, QStringList> &problems)
{
    QList<QTreeWidgetItem *> nodes;
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        nodes << *it;
    for (QTreeWidgetItem *node : qAsConst(nodes)) {
        const QStringList messages = problems.value(node);
        if (messages.isEmpty() && node->data(0, ProblemsRole).isNull())
            continue;
        auto *item = static_cast<ProjectTreeItem *>(node);
        if (messages.isEmpty()) {
            item->setData(0, ProblemsRole, QVariant());
            item->setIcon(0, iconOf(item->kind()));
            item->setData(0, Qt::ForegroundRole, QVariant());
            item->setToolTip(0, item->text(0));
            continue;
        }
        item->setData(0, ProblemsRole, messages);
        item->setIcon(0, QIcon(QStringLiteral(":/images/tree_problem.png")));
        item->setForeground(0, problemColor);
        QStringList tip{item->text(0)};
        for (const QString &message : messages)
            tip << QStringLiteral("\u2022 ") + message;
        item->setToolTip(0, tip.join(QLatin1Char('\n')));
    }
}

QStringList ProjectTree::problemsAt(const QTreeWidgetItem *item) const
{
    return item ? item->data(0, ProblemsRole).toStringList() : QStringList();
}

// ---------------------------------------------------------------- selection

void ProjectTree::setCurrentTreeItem(ProjectTreeItem *item)
{
    m_currentItem = item;
    if (item)
        setCurrentItem(item);
}

void ProjectTree::runSelectionStep(ProjectTreeItem *item)
{
    if (!item)
        return;
    const QString kind = item->kind();
    if (kind == rootKind) {
        if (m_host)
            m_host->checkSchedule(item->text(0));
    } else if (kind == generalKind) {
        if (m_host)
            m_host->checkSegment(findGeneral(item->name()));
    } else if (kind == cycleKind) {
        if (m_host)
            m_host->checkCycleSegment(findCycle(item->name()));
    } else if (kind == timingKind) {
        if (m_host)
            m_host->checkTimingSegment(findTiming(item->name()));
    } else if (kind == programKind) {
        slotProgramSelected();
    } else if (kind == windowKind) {
        slotCommonSelected();
    }
}

void ProjectTree::slotSelectItemChecked()
{
    m_lastActedItem = m_currentItem;
    runSelectionStep(m_currentItem);
}

void ProjectTree::slotProgramSelected()
{
    ProjectTreeItem *item = m_currentItem;
    ProgramObject *page = findProgram(item);
    if (!page)
        return;
    auto *segment = static_cast<ProjectTreeItem *>(item->parent());
    currentSegmentKindSelected = segment->kind();
    currentSegmentName = segment->name();
    currentProgramName = page->name;
    if (m_host)
        m_host->checkProgram(page, currentSegmentKindSelected);
}

void ProjectTree::slotCommonSelected()
{
    ProjectTreeItem *item = m_currentItem;
    CommonWinObject *window = findWindow(item);
    if (!window)
        return;
    auto *pageItem = static_cast<ProjectTreeItem *>(item->parent());
    auto *segment = static_cast<ProjectTreeItem *>(pageItem->parent());
    currentSegmentKindSelected = segment->kind();
    currentSegmentName = segment->name();
    currentProgramName = pageItem->name();
    m_currentWindow = window;
    if (m_host)
        m_host->checkWindow(window);
}

void ProjectTree::mouseReleaseEvent(QMouseEvent *event)
{
    auto *item = static_cast<ProjectTreeItem *>(itemAt(event->pos()));
    if (item) {
        m_currentItem = item;
        const bool single = selectedItems().size() == 1;
        if (single && item != m_lastActedItem) {
            m_lastActedItem = item;
            runSelectionStep(item);
        }
        if (single && event->button() == Qt::RightButton) {
            if (QMenu *menu = menuOf(item))
                menu->popup(event->globalPos());
        }
    }
    QTreeWidget::mouseReleaseEvent(event);
}

QMenu *ProjectTree::menuOf(const ProjectTreeItem *item) const
{
    if (!item)
        return nullptr;
    if (item->kind() == rootKind)
        return rootMenu;
    if (isSegmentKind(item->kind()))
        return segmentMenu;
    if (item->kind() == programKind)
        return programMenu;
    if (item->kind() == windowKind)
        return windowMenu;
    return nullptr;
}

void ProjectTree::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Control)
        controlHeld = true;
    // Copy, Paste and Delete act on the current node as its menu's entries do (the menu shows
    // the keys); each menu has its own entry for them, so the tree picks the one that fits.
    if (QMenu *menu = selectedItems().size() == 1 ? menuOf(m_currentItem) : nullptr) {
        for (QAction *action : menu->actions()) {
            const QKeySequence pressed(event->key() | int(event->modifiers() & ~Qt::KeypadModifier));
            if (!action->shortcut().isEmpty() && pressed == action->shortcut() && action->isEnabled()) {
                action->trigger();
                event->accept();
                return;
            }
        }
    }
    QTreeWidget::keyPressEvent(event);
}

void ProjectTree::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Control)
        controlHeld = false;
    QTreeWidget::keyReleaseEvent(event);
}

void ProjectTree::slotModifySchedule(const QString &oldName, PlayWinObject *displayWindow)
{
    if (!displayWindow || oldName != displayName || displayWindow->name == displayName)
        return;
    const QString name = displayWindow->name;
    displayName = name;
    m_scheduler->setDisplayName(name);
    auto renamePages = [&name](const QList<ProgramObject *> &pages) {
        for (ProgramObject *page : pages) {
            page->displayWindowName = name;
            for (CommonWinObject *window : qAsConst(page->windows)) {
                window->displayWindowName = name;
                for (LumoraMediaObject *media : qAsConst(window->media))
                    media->displayWindowName = name;
            }
        }
    };
    for (GeneralObject *segment : qAsConst(generalSegments)) {
        segment->displayWindowName = name;
        renamePages(segment->programs);
    }
    for (CycleObject *segment : qAsConst(cycleSegments)) {
        segment->displayWindowName = name;
        renamePages(segment->programs);
    }
    for (TimingObject *segment : qAsConst(timingSegments)) {
        segment->displayWindowName = name;
        renamePages(segment->programs);
    }
}

// ---------------------------------------------------------------- menus

void ProjectTree::buildMenus()
{
    auto add = [this](QMenu *menu, QList<QAction *> &list, void (ProjectTree::*slot)()) {
        QAction *action = menu->addAction(QString());
        if (slot) {
            connect(action, &QAction::triggered, this, slot);
            // An entry of the Add Media menu is named by the menu: the files an import adds
            // arrive later as "Add Media" and must make one step with it.
            connect(action, &QAction::triggered, this, [this, menu, action] {
                emit sigEdited(menu == m_addMediaMenu ? menu->title() : action->text());
            });
        }
        // The conventional keys, shown in the menu; the tree itself passes them on (keyPressEvent).
        const QKeySequence::StandardKey key =
            (slot == &ProjectTree::copySegmentSlot || slot == &ProjectTree::copyProgramSlot ||
             slot == &ProjectTree::copyWindowSlot)
                ? QKeySequence::Copy
            : (slot == &ProjectTree::pasteSegmentSlot || slot == &ProjectTree::pasteProgramSlot ||
               slot == &ProjectTree::pasteWindowSlot)
                ? QKeySequence::Paste
            : (slot == &ProjectTree::deleteSegmentSlot || slot == &ProjectTree::deleteProgramSlot ||
               slot == &ProjectTree::deleteWindowSlot)
                ? QKeySequence::Delete
                : QKeySequence::UnknownKey;
        if (key != QKeySequence::UnknownKey) {
            action->setShortcut(key);
            action->setShortcutContext(Qt::WidgetShortcut);
        }
        list << action;
        return action;
    };

    rootMenu = new QMenu(this);
    add(rootMenu, m_rootActions, &ProjectTree::addSegmentSlot);
    m_insertedMenu = rootMenu->addMenu(QString());
    m_rootActions << m_insertedMenu->menuAction();
    add(m_insertedMenu, m_rootActions, &ProjectTree::addTimingSegmentSlot);
    add(m_insertedMenu, m_rootActions, &ProjectTree::addCycleSegmentSlot);
    add(rootMenu, m_rootActions, &ProjectTree::addCopyedTimesSlot);
    add(rootMenu, m_rootActions, &ProjectTree::clearAllTimesSlot);

    segmentMenu = new QMenu(this);
    for (auto slot :
         {&ProjectTree::addProgramSlot, &ProjectTree::copySegmentSlot, &ProjectTree::pasteSegmentSlot,
          &ProjectTree::moveupSegmentSlot, &ProjectTree::movedownSegmentSlot, &ProjectTree::deleteSegmentSlot,
          &ProjectTree::clearProgramSlot})
        add(segmentMenu, m_segmentActions, slot);

    programMenu = new QMenu(this);
    for (auto slot :
         {&ProjectTree::addCommonWindowSlot, &ProjectTree::moveupProgramSlot,
          &ProjectTree::movedownProgramSlot, &ProjectTree::copyProgramSlot, &ProjectTree::pasteProgramSlot,
          &ProjectTree::deleteProgramSlot, &ProjectTree::addCopiedWindowSlot, &ProjectTree::clearWindowSlot})
        add(programMenu, m_programActions, slot);

    windowMenu = new QMenu(this);
    m_addMediaMenu = windowMenu->addMenu(QString());
    m_windowActions << m_addMediaMenu->menuAction();
    add(m_addMediaMenu, m_mediaActions, &ProjectTree::addMediaFileSlot);
    add(m_addMediaMenu, m_mediaActions, &ProjectTree::addSimpleTextSlot);
    add(m_addMediaMenu, m_mediaActions, &ProjectTree::addSingleRowTextSlot);
    add(m_addMediaMenu, m_mediaActions, &ProjectTree::addScrollingTextSlot);
    m_addMediaMenu->addSeparator();
    add(m_addMediaMenu, m_mediaActions, &ProjectTree::addAnalogClockSlot);
    add(m_addMediaMenu, m_mediaActions, &ProjectTree::addDigitalClockSlot);
    m_addMediaMenu->addSeparator();
    add(m_addMediaMenu, m_mediaActions, &ProjectTree::addDigitalTimerSlot);
    m_addMediaMenu->addSeparator();
    add(m_addMediaMenu, m_mediaActions, &ProjectTree::addWeatherSlot);
    add(m_addMediaMenu, m_mediaActions, &ProjectTree::addUrlSlot);
    m_addMediaMenu->addSeparator();
    add(m_addMediaMenu, m_mediaActions, &ProjectTree::addStreamingSlot);
    add(m_addMediaMenu, m_mediaActions, &ProjectTree::addVideoDeviceSlot);
    add(windowMenu, m_windowActions, &ProjectTree::clearMediaFileSlot);
    m_positionMenu = windowMenu->addMenu(QString());
    m_windowActions << m_positionMenu->menuAction();
    for (int i = 0; i < 7; ++i)
        windowPositionActions << m_positionMenu->addAction(QString());
    m_sizeMenu = windowMenu->addMenu(QString());
    m_windowActions << m_sizeMenu->menuAction();
    for (int i = 0; i < 9; ++i)
        windowSizeActions << m_sizeMenu->addAction(QString());
    // The presets are carried out by the main window; announced here, they are looked at once
    // the action is over.
    for (QAction *action : windowPositionActions + windowSizeActions)
        connect(action, &QAction::triggered, this, [this, action] { emit sigEdited(action->text()); });
    for (auto slot :
         {&ProjectTree::moveupLayerSlot, &ProjectTree::movedownLayerSlot, &ProjectTree::copyWindowSlot,
          &ProjectTree::pasteWindowSlot, &ProjectTree::deleteWindowSlot})
        add(windowMenu, m_windowActions, slot);

    retranslate();
}

void ProjectTree::retranslate()
{
    if (m_rootItem) {
        m_rootItem->setText(0, tr("Add Schedule"));
        m_rootItem->setToolTip(0, m_rootItem->text(0));
    }
    const QStringList rootTexts{tr("Add Common Segment"), tr("Add Inserted Segment"), tr("Timing Inserted"),
                                tr("Cycle Inserted"),     tr("Add Copied Segment"),   tr("Clear")};
    const QStringList segmentTexts{tr("Add Programs"), tr("Copy"),   tr("Paste"),         tr("Move Up"),
                                   tr("Move Down"),    tr("Delete"), tr("Clear Programs")};
    const QStringList programTexts{
        tr("Add Common Window"), tr("Move Up"),     tr("Move Down"), tr("Copy"), tr("Paste"), tr("Delete"),
        tr("Add Copied Window"), tr("Clear Window")};
    const QStringList mediaTexts{tr("File"),           tr("Simple Text"),  tr("Single-row Text"),
                                 tr("Scrolling Text"), tr("Analog Clock"), tr("Digital Clock"),
                                 tr("Digital Timer"),  tr("Weather"),      tr("Url"),
                                 tr("Streaming"),      tr("Video Device")};
    const QStringList windowTexts{tr("Add Media"),
                                  tr("Clear Media"),
                                  tr("Window Position"),
                                  tr("Window Size"),
                                  tr("Move Up by One Layer"),
                                  tr("Move Down by One Layer"),
                                  tr("Copy"),
                                  tr("Paste"),
                                  tr("Delete")};
    const QStringList positionTexts{tr("Center"),
                                    tr("Horizontally Center"),
                                    tr("Vertically Center"),
                                    tr("Placed to the Left"),
                                    tr("Placed to the  Right"),
                                    tr("Placed at the Top"),
                                    tr("Placed at the Bottom")};
    const QStringList sizeTexts{
        tr("Full-screen"),    tr("Horizontal Full-screen"), tr("Horizontal 1/2"),
        tr("Horizontal 1/3"), tr("Horizontal 1/4"),         tr("Vertical Full-screen"),
        tr("Vertical 1/2"),   tr("Vertical 1/3"),           tr("Vertical 1/4")};
    auto apply = [](const QList<QAction *> &actions, const QStringList &texts) {
        for (int i = 0; i < actions.size() && i < texts.size(); ++i)
            actions.at(i)->setText(texts.at(i));
    };
    apply(m_rootActions, rootTexts);
    apply(m_segmentActions, segmentTexts);
    apply(m_programActions, programTexts);
    apply(m_mediaActions, mediaTexts);
    apply(m_windowActions, windowTexts);
    apply(windowPositionActions, positionTexts);
    apply(windowSizeActions, sizeTexts);
}
