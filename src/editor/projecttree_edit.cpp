// The editing operations behind the schedule tree's context menus. Adding a program page is
// here already because loading and playing depend on its numbering; the other operations
// arrive with the editor.
#include "cycleobject.h"
#include "generalobject.h"
#include "programobject.h"
#include "projecttree.h"
#include "projecttreeitem.h"
#include "timingobject.h"

namespace {
// The naming counter of the segment a page is added to.
qint32 *programCounterOf(ProjectTree *tree, const QString &kind, const QString &name)
{
    if (kind == QLatin1String("generalSegment")) {
        if (GeneralObject *segment = tree->findGeneral(name))
            return &segment->programCounter;
    } else if (kind == QLatin1String("cycleSegment")) {
        if (CycleObject *segment = tree->findCycle(name))
            return &segment->programCounter;
    } else if (kind == QLatin1String("timingSegment")) {
        if (TimingObject *segment = tree->findTiming(name))
            return &segment->programCounter;
    }
    return nullptr;
}
} // namespace

void ProjectTree::addProgramSlot()
{
    ProjectTreeItem *segment = currentTreeItem();
    if (!segment)
        return;
    qint32 *counter = programCounterOf(this, segment->kind(), segment->name());
    if (!counter)
        return;
    ++*counter;
    auto *page = new ProgramObject;
    page->name = tr("Program") + QString::number(*counter);
    ProjectTreeItem *item = restoreProgram(segment, page);
    if (!item)
        return;
    setCurrentTreeItem(item);
    emit sigAddProgram(page);
}

void ProjectTree::addSegmentSlot() {}

void ProjectTree::addTimingSegmentSlot() {}

void ProjectTree::addCycleSegmentSlot() {}

void ProjectTree::addCopyedTimesSlot() {}

void ProjectTree::clearAllTimesSlot() {}

void ProjectTree::copySegmentSlot() {}

void ProjectTree::pasteSegmentSlot() {}

void ProjectTree::moveupSegmentSlot() {}

void ProjectTree::movedownSegmentSlot() {}

void ProjectTree::deleteSegmentSlot() {}

void ProjectTree::clearProgramSlot() {}

void ProjectTree::addCommonWindowSlot() {}

void ProjectTree::moveupProgramSlot() {}

void ProjectTree::movedownProgramSlot() {}

void ProjectTree::copyProgramSlot() {}

void ProjectTree::pasteProgramSlot() {}

void ProjectTree::deleteProgramSlot() {}

void ProjectTree::addCopiedWindowSlot() {}

void ProjectTree::clearWindowSlot() {}

void ProjectTree::addSimpleTextSlot() {}

void ProjectTree::addSingleRowTextSlot() {}

void ProjectTree::addScrollingTextSlot() {}

void ProjectTree::addAnalogClockSlot() {}

void ProjectTree::addDigitalClockSlot() {}

void ProjectTree::addDigitalTimerSlot() {}

void ProjectTree::addWeatherSlot() {}

void ProjectTree::addUrlSlot() {}

void ProjectTree::addStreamingSlot() {}

void ProjectTree::addVideoDeviceSlot() {}

void ProjectTree::clearMediaFileSlot() {}

void ProjectTree::moveupLayerSlot() {}

void ProjectTree::movedownLayerSlot() {}

void ProjectTree::copyWindowSlot() {}

void ProjectTree::pasteWindowSlot() {}

void ProjectTree::deleteWindowSlot() {}
