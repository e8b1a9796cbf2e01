#include "projecttree.h"

#include "player/segmentscheduler.h"
#include "treehost.h"

ProjectTree::ProjectTree(const QString &displayWindowName, QWidget *parent)
    : QTreeWidget(parent)
    , m_scheduler(std::make_unique<SegmentScheduler>(displayWindowName))
    , schedule(m_scheduler->schedule())
    , displayName(displayWindowName)
{
    connect(m_scheduler.get(), &SegmentScheduler::sigBeginPlayFailed, this, &ProjectTree::sigBeginPlayFailed);
    // A restart after midnight shows the schedule as a press of play does.
    connect(m_scheduler.get(), &SegmentScheduler::sigRestarting, this, &ProjectTree::showScheduleForPlay);
    buildMenus();
}

ProjectTree::~ProjectTree() = default;

void ProjectTree::showScheduleForPlay()
{
    QTreeWidgetItem *root = topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
    if (root)
        setCurrentItem(root);
    if (m_host) {
        m_host->checkSchedule(root ? root->text(0) : QString());
        m_host->slotStopCurPreview();
    }
}

void ProjectTree::slotStartPlay(const QString &name)
{
    showScheduleForPlay();
    m_scheduler->slotStartPlay(name);
}

void ProjectTree::slotStopPlay(const QString &name)
{
    m_scheduler->slotStopPlay(name);
}

void ProjectTree::slotShowSegmentInfo()
{
    if (!m_host || m_host->currentDisplayWindowName() != displayName)
        return;
    m_host->setCurrentSegmentObjects(generalSegments.isEmpty() ? nullptr : generalSegments.last(),
                                     cycleSegments.isEmpty() ? nullptr : cycleSegments.last(),
                                     timingSegments.isEmpty() ? nullptr : timingSegments.last());
}
