// The editing operations behind the schedule tree's context menus for segments and program
// pages. Every operation changes tree and records together and keeps each list in the order
// the tree shows: segments of one kind in their tree order, pages in their tree order.
// Whatever is removed is announced before it is freed, so that the main window drops its
// play windows and its selection while the records are still there.
#include "model/commonwinobject.h"
#include "model/copybuffers.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/recordcopy.h"
#include "model/segmentnaming.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "model/weekdays.h"
#include "player/segmentscheduler.h"
#include "projecttree.h"
#include "projecttreeitem.h"

#include <QMessageBox>

namespace {
const QString generalKind = SegmentScheduler::keyword(SegmentScheduler::SegmentKind::General);
const QString cycleKind = SegmentScheduler::keyword(SegmentScheduler::SegmentKind::Cycle);
const QString timingKind = SegmentScheduler::keyword(SegmentScheduler::SegmentKind::Timing);
const QString programKind = QStringLiteral("program");
const QString windowKind = QStringLiteral("generalwin");

bool isSegmentKind(const QString &kind)
{
    return SegmentScheduler::kindOf(kind, nullptr);
}

template<typename Segment> QStringList namesOf(const QList<Segment *> &segments)
{
    QStringList names;
    for (const Segment *segment : segments)
        names << segment->name;
    return names;
}

// The list in the order of `items` (records matched by name, first unmatched first); records
// without a node keep their place at the end.
template<typename Segment> void reorderByItems(QList<Segment *> &segments, const QStringList &itemNames)
{
    QList<Segment *> rest = segments;
    QList<Segment *> ordered;
    for (const QString &name : itemNames) {
        for (int i = 0; i < rest.size(); ++i) {
            if (rest.at(i)->name == name) {
                ordered << rest.takeAt(i);
                break;
            }
        }
    }
    segments = ordered + rest;
}
} // namespace

// ---------------------------------------------------------------- shared helpers

bool ProjectTree::askYesNo(const QString &text)
{
    QMessageBox box(QMessageBox::Question, tr("info"), text, QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool ProjectTree::editable() const
{
    // A schedule that plays is not edited: the scheduler holds its pages and windows.
    return !m_scheduler->isPlaying() && m_rootItem;
}

QString ProjectTree::segmentBaseName(const QString &kind) const
{
    if (kind == cycleKind)
        return tr("Cycle Inserted Segment");
    if (kind == timingKind)
        return tr("Timing Inserted Segment");
    return tr("General Segment");
}

QStringList ProjectTree::segmentNames(const QString &kind) const
{
    if (kind == cycleKind)
        return namesOf(cycleSegments);
    if (kind == timingKind)
        return namesOf(timingSegments);
    return namesOf(generalSegments);
}

QList<CommonWinObject *> ProjectTree::allWindows() const
{
    return RecordCopy::windowsOf(schedule.allPrograms());
}

QList<LumoraMediaObject *> ProjectTree::allMedia() const
{
    return RecordCopy::mediaOf(schedule.allPrograms());
}

ProjectTreeItem *ProjectTree::segmentItemOf(ProjectTreeItem *item) const
{
    while (item && !isSegmentKind(item->kind()))
        item = static_cast<ProjectTreeItem *>(item->parent());
    return item;
}

qint32 *ProjectTree::programCounterOfSegment(const ProjectTreeItem *segment) const
{
    if (!segment)
        return nullptr;
    if (segment->kind() == generalKind) {
        if (GeneralObject *found = findGeneral(segment->name()))
            return &found->programCounter;
    } else if (segment->kind() == cycleKind) {
        if (CycleObject *found = findCycle(segment->name()))
            return &found->programCounter;
    } else if (segment->kind() == timingKind) {
        if (TimingObject *found = findTiming(segment->name()))
            return &found->programCounter;
    }
    return nullptr;
}

// Each kind's list takes the order its nodes have under the root; the scheduler plays "in
// tree order" and takes the last cycle and timing segment from the lists.
void ProjectTree::followSegmentOrder()
{
    QStringList general, cycle, timing;
    for (int i = 0; i < m_rootItem->childCount(); ++i) {
        auto *item = static_cast<ProjectTreeItem *>(m_rootItem->child(i));
        if (item->kind() == generalKind)
            general << item->name();
        else if (item->kind() == cycleKind)
            cycle << item->name();
        else if (item->kind() == timingKind)
            timing << item->name();
    }
    reorderByItems(generalSegments, general);
    reorderByItems(cycleSegments, cycle);
    reorderByItems(timingSegments, timing);
}

// After records were taken out of the lists (and before they are freed): nothing of the
// tree's own state may point into them.
void ProjectTree::forgetRemoved()
{
    if (m_currentWindow && !allWindows().contains(m_currentWindow))
        m_currentWindow = nullptr;
    m_lastActedItem = nullptr;
}

// Pages with their windows under a segment node, every record renamed for its new place
// and every media item numbered anew.
void ProjectTree::buildPages(ProjectTreeItem *segmentItem, QList<ProgramObject *> pages)
{
    for (ProgramObject *page : pages) {
        const QList<CommonWinObject *> windows = page->windows;
        page->windows.clear();
        ProjectTreeItem *pageItem = restoreProgram(segmentItem, page);
        for (CommonWinObject *window : windows) {
            if (pageItem)
                buildWindow(pageItem, window);
            else
                delete window;
        }
    }
}

// ---------------------------------------------------------------- segments

ProjectTreeItem *ProjectTree::addSegmentOfKind(const QString &kind)
{
    if (!editable())
        return nullptr;
    const QStringList taken = segmentNames(kind);
    const QString name = SegmentNaming::firstFree(segmentBaseName(kind), taken.size() + 1, taken);
    ProjectTreeItem *item = nullptr;
    if (kind == generalKind) {
        auto *segment = new GeneralObject;
        segment->name = name;
        item = restoreGeneralSegment(segment);
    } else if (kind == cycleKind) {
        auto *segment = new CycleObject;
        segment->name = name;
        item = restoreCycleSegment(segment);
    } else {
        auto *segment = new TimingObject;
        segment->name = name;
        item = restoreTimingSegment(segment);
    }
    followSegmentOrder();
    return item;
}

void ProjectTree::addSegmentSlot()
{
    addSegmentOfKind(generalKind);
}

void ProjectTree::addCycleSegmentSlot()
{
    addSegmentOfKind(cycleKind);
}

void ProjectTree::addTimingSegmentSlot()
{
    addSegmentOfKind(timingKind);
}

void ProjectTree::copySegmentSlot()
{
    ProjectTreeItem *item = m_currentItem;
    if (!item || !isSegmentKind(item->kind()))
        return;
    CopyBuffers &buffers = CopyBuffers::instance();
    if (item->kind() == generalKind) {
        if (GeneralObject *segment = findGeneral(item->name()))
            buffers.copySegment(*segment);
    } else if (item->kind() == cycleKind) {
        if (CycleObject *segment = findCycle(item->name()))
            buffers.copySegment(*segment);
    } else if (TimingObject *segment = findTiming(item->name())) {
        buffers.copySegment(*segment);
    }
}

ProjectTreeItem *ProjectTree::restoreSegmentCopy(const QString &kind, const QString &name)
{
    const CopyBuffers &buffers = CopyBuffers::instance();
    QList<ProgramObject *> pages;
    ProjectTreeItem *item = nullptr;
    if (kind == generalKind && buffers.general()) {
        GeneralObject *copy = RecordCopy::copyOf(*buffers.general());
        copy->name = name;
        pages = copy->programs;
        copy->programs.clear();
        item = restoreGeneralSegment(copy);
    } else if (kind == cycleKind && buffers.cycle()) {
        CycleObject *copy = RecordCopy::copyOf(*buffers.cycle());
        copy->name = name;
        pages = copy->programs;
        copy->programs.clear();
        item = restoreCycleSegment(copy);
    } else if (kind == timingKind && buffers.timing()) {
        TimingObject *copy = RecordCopy::copyOf(*buffers.timing());
        copy->name = name;
        pages = copy->programs;
        copy->programs.clear();
        item = restoreTimingSegment(copy);
    }
    if (!item) {
        qDeleteAll(pages);
        return nullptr;
    }
    buildPages(item, pages);
    return item;
}

ProjectTreeItem *ProjectTree::pasteSegmentCopy()
{
    if (!editable())
        return nullptr;
    CopyBuffers &buffers = CopyBuffers::instance();
    const QString kind = buffers.segmentKind();
    QString copiedName;
    if (kind == generalKind && buffers.general())
        copiedName = buffers.general()->name;
    else if (kind == cycleKind && buffers.cycle())
        copiedName = buffers.cycle()->name;
    else if (kind == timingKind && buffers.timing())
        copiedName = buffers.timing()->name;
    else
        return nullptr;
    const QStringList taken = segmentNames(kind);
    const QString base = copiedName + QLatin1Char('-');
    const QString name = SegmentNaming::firstFree(base, buffers.copyCounter + 1, taken);
    buffers.copyCounter = name.mid(base.size()).toInt();
    return restoreSegmentCopy(kind, name);
}

void ProjectTree::addCopyedTimesSlot()
{
    ProjectTreeItem *item = pasteSegmentCopy();
    if (!item)
        return;
    followSegmentOrder();
    setCurrentTreeItem(item);
    slotSelectItemChecked();
    reportFitted();
}

void ProjectTree::pasteSegmentSlot()
{
    ProjectTreeItem *current = m_currentItem;
    if (!current || !isSegmentKind(current->kind()))
        return;
    ProjectTreeItem *item = pasteSegmentCopy();
    if (!item)
        return;
    // Directly below the segment pasted on; its kind's list follows the tree.
    m_rootItem->removeChild(item);
    m_rootItem->insertChild(m_rootItem->indexOfChild(current) + 1, item);
    item->setExpanded(true);
    for (int i = 0; i < item->childCount(); ++i)
        item->child(i)->setExpanded(true);
    followSegmentOrder();
    setCurrentTreeItem(item);
    slotSelectItemChecked();
    reportFitted();
}

void ProjectTree::moveSegment(int step)
{
    ProjectTreeItem *item = m_currentItem;
    if (!editable() || !item || !isSegmentKind(item->kind()))
        return;
    const int from = m_rootItem->indexOfChild(item);
    const int to = from + step;
    if (from < 0 || to < 0 || to >= m_rootItem->childCount())
        return;
    const bool expanded = item->isExpanded();
    m_rootItem->takeChild(from);
    m_rootItem->insertChild(to, item);
    item->setExpanded(expanded);
    followSegmentOrder();
    setCurrentTreeItem(item);
}

void ProjectTree::moveupSegmentSlot()
{
    moveSegment(-1);
}

void ProjectTree::movedownSegmentSlot()
{
    moveSegment(1);
}

// Takes the segment node and its record out, announces it, frees both.
void ProjectTree::removeSegmentItem(ProjectTreeItem *item)
{
    const QString kind = item->kind();
    const QString name = item->name();
    m_rootItem->removeChild(item);
    if (m_currentItem == item || (m_currentItem && segmentItemOf(m_currentItem) == item))
        m_currentItem = nullptr;
    if (kind == generalKind) {
        if (GeneralObject *segment = findGeneral(name)) {
            generalSegments.removeOne(segment);
            forgetRemoved();
            emit deleteSegmentObj(segment);
            delete segment;
        }
    } else if (kind == cycleKind) {
        if (CycleObject *segment = findCycle(name)) {
            cycleSegments.removeOne(segment);
            forgetRemoved();
            emit deleteCycleSegmentObj(segment);
            delete segment;
        }
    } else if (TimingObject *segment = findTiming(name)) {
        timingSegments.removeOne(segment);
        forgetRemoved();
        emit deleteTimingSegmentObj(segment);
        delete segment;
    }
    forgetRemoved();
    delete item;
}

void ProjectTree::deleteSegmentSlot()
{
    ProjectTreeItem *item = m_currentItem;
    if (!editable() || !item || !isSegmentKind(item->kind()))
        return;
    if (!askYesNo(tr("Are you sure to delete the current segment?")))
        return;
    removeSegmentItem(item);
    setCurrentTreeItem(m_rootItem);
    slotSelectItemChecked();
}

void ProjectTree::clearAllTimesSlot()
{
    if (!editable())
        return;
    if (!askYesNo(tr("Are you sure to delete all the segments?")))
        return;
    const QList<QTreeWidgetItem *> items = m_rootItem->takeChildren();
    DisplaySchedule removed;
    removed.swap(schedule);
    m_currentItem = nullptr;
    forgetRemoved();
    emit clearSegmentObj();
    removed.clear();
    qDeleteAll(items);
    setCurrentTreeItem(m_rootItem);
    slotSelectItemChecked();
}

void ProjectTree::clearProgramSlot()
{
    ProjectTreeItem *item = m_currentItem;
    if (!editable() || !item || !isSegmentKind(item->kind()))
        return;
    if (!askYesNo(tr("Are you sure to delete all the program pages of the current segment?")))
        return;
    QList<ProgramObject *> *pages = programsOf(item->kind(), item->name());
    if (!pages)
        return;
    const QList<ProgramObject *> removed = *pages;
    pages->clear();
    const QList<QTreeWidgetItem *> items = item->takeChildren();
    forgetRemoved();
    if (item->kind() == generalKind)
        emit deleteSegmentObj(findGeneral(item->name()));
    else if (item->kind() == cycleKind)
        emit deleteCycleSegmentObj(findCycle(item->name()));
    else
        emit deleteTimingSegmentObj(findTiming(item->name()));
    qDeleteAll(removed);
    qDeleteAll(items);
    setCurrentTreeItem(item);
    slotSelectItemChecked();
}

// ---------------------------------------------------------------- program pages

void ProjectTree::addProgramSlot()
{
    ProjectTreeItem *segment = currentTreeItem();
    if (!editable() || !segment)
        return;
    qint32 *counter = programCounterOfSegment(segment);
    QList<ProgramObject *> *pages = programsOf(segment->kind(), segment->name());
    if (!counter || !pages)
        return;
    ++*counter;
    QStringList taken;
    for (const ProgramObject *page : qAsConst(*pages))
        taken << page->name;
    auto *page = new ProgramObject;
    page->name = SegmentNaming::firstFree(tr("Program"), *counter, taken);
    *counter = page->name.mid(tr("Program").size()).toInt();
    ProjectTreeItem *item = restoreProgram(segment, page);
    if (!item)
        return;
    setCurrentTreeItem(item);
    emit sigAddProgram(page);
    // The new page is the one selected: its panel and its preview show, not the segment's.
    slotSelectItemChecked();
}

void ProjectTree::moveProgram(int step)
{
    ProjectTreeItem *item = m_currentItem;
    if (!editable() || !item || item->kind() != programKind)
        return;
    auto *segment = static_cast<ProjectTreeItem *>(item->parent());
    QList<ProgramObject *> *pages = programsOf(segment->kind(), segment->name());
    ProgramObject *page = findProgram(item);
    if (!pages || !page)
        return;
    const int from = segment->indexOfChild(item);
    const int to = from + step;
    const int listFrom = pages->indexOf(page);
    if (to < 0 || to >= segment->childCount() || listFrom + step < 0 || listFrom + step >= pages->size())
        return;
    const bool expanded = item->isExpanded();
    segment->takeChild(from);
    segment->insertChild(to, item);
    item->setExpanded(expanded);
    pages->move(listFrom, listFrom + step);
    setCurrentTreeItem(item);
}

void ProjectTree::moveupProgramSlot()
{
    moveProgram(-1);
}

void ProjectTree::movedownProgramSlot()
{
    moveProgram(1);
}

void ProjectTree::copyProgramSlot()
{
    if (ProgramObject *page = findProgram(m_currentItem))
        CopyBuffers::instance().copyPage(*page);
}

void ProjectTree::pasteProgramSlot()
{
    ProjectTreeItem *current = m_currentItem;
    const ProgramObject *copied = CopyBuffers::instance().page();
    ProgramObject *currentPage = findProgram(current);
    if (!editable() || !copied || !currentPage)
        return;
    auto *segment = static_cast<ProjectTreeItem *>(current->parent());
    qint32 *counter = programCounterOfSegment(segment);
    QList<ProgramObject *> *pages = programsOf(segment->kind(), segment->name());
    if (!counter || !pages)
        return;
    ++*counter;
    QStringList taken;
    for (const ProgramObject *page : qAsConst(*pages))
        taken << page->name;
    const QString base = copied->name + QLatin1Char('-');
    ProgramObject *copy = RecordCopy::copyOf(*copied);
    copy->name = SegmentNaming::firstFree(base, *counter, taken);
    *counter = copy->name.mid(base.size()).toInt();
    buildPages(segment, {copy});
    // Directly after the page pasted on, in the tree and in the list.
    ProjectTreeItem *item = static_cast<ProjectTreeItem *>(segment->child(segment->childCount() - 1));
    segment->removeChild(item);
    segment->insertChild(segment->indexOfChild(current) + 1, item);
    item->setExpanded(true);
    pages->removeOne(copy);
    pages->insert(pages->indexOf(currentPage) + 1, copy);
    setCurrentTreeItem(item);
    slotSelectItemChecked();
    reportFitted();
}

void ProjectTree::deleteProgramSlot()
{
    ProjectTreeItem *item = m_currentItem;
    ProgramObject *page = findProgram(item);
    if (!editable() || !page)
        return;
    if (!askYesNo(tr("Are you sure to delete the current program page?")))
        return;
    auto *segment = static_cast<ProjectTreeItem *>(item->parent());
    if (QList<ProgramObject *> *pages = programsOf(segment->kind(), segment->name()))
        pages->removeOne(page);
    segment->removeChild(item);
    m_currentItem = nullptr;
    forgetRemoved();
    emit deleteProgramObj(page);
    delete page;
    delete item;
    setCurrentTreeItem(segment);
    slotSelectItemChecked();
}
