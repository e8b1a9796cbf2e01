// Play control commands of the main window: top-bar play, stop and lock, and the main
// menu's control section. The buttons keep their state in flags and derive their captions
// from them, so a language change never turns a caption into a different command.
#include "editor/projecttree.h"
#include "mainmenubklabel.h"
#include "menubutton.h"
#include "monitorwin.h"
#include "player/segmentscheduler.h"
#include "propertyarea.h"
#include "widget.h"

QString Widget::playButtonText() const
{
    return m_playButton->text();
}

QString Widget::lockButtonText() const
{
    return m_lockButton->text();
}

QString Widget::hideButtonText() const
{
    return m_hideButton->text();
}

void Widget::slotMenuPlay()
{
    m_mainMenu->hide();
    if (m_playButtonPlaying)
        return;
    startCurrentDisplay();
}

void Widget::startCurrentDisplay()
{
    const QString name = currentDisplayName();
    ProjectTree *tree = treeOf(name);
    // A paused schedule goes on: it was asked about when it started, and nothing is edited
    // while anything plays.
    if (tree && tree->scheduler()->isPlaying()) {
        startDisplays({name});
        return;
    }
    playAfterCheck({name});
}

void Widget::startDisplays(const QStringList &displayNames)
{
    m_overallPaused = false;
    // The button turns to "pause" once the schedule really plays: one with nothing to play
    // says so and leaves it on "play".
    for (const QString &name : displayNames)
        emit sigStartPlay(name);
    setPlayButtonFromTree();
}

void Widget::slotMenuPause()
{
    m_mainMenu->hide();
    if (!m_playButtonPlaying)
        return;
    m_overallPaused = true;
    setPlayButtonPlaying(false);
    emit sigStartPlay(currentDisplayName());
    pauseWindowsOf(currentDisplayName());
    m_playButton->update();
}

void Widget::slotMenuStop()
{
    m_mainMenu->hide();
    slotOverallStop();
}

void Widget::slotOverallPlay()
{
    if (!m_playButtonPlaying) {
        startCurrentDisplay();
        return;
    }
    m_overallPaused = true;
    setPlayButtonPlaying(false);
    emit sigStartPlay(currentDisplayName());
    pauseWindowsOf(currentDisplayName());
    m_playButton->update();
}

void Widget::slotOverallStop()
{
    cancelPendingPlay();
    emit sigStopPlay(currentDisplayName());
    m_overallPaused = false;
    setPlayButtonPlaying(false);
    m_playButton->update();
    m_stopButton->update();
    // Editing comes back only when nothing plays any more: a schedule being edited while
    // another display window plays it would be changed under the scheduler's feet.
    if (playingDisplays().isEmpty())
        setEditingEnabled(true);
}

void Widget::slotBeginPlayFailed()
{
    m_overallPaused = false;
    setPlayButtonPlaying(false);
    m_playButton->update();
}

void Widget::setEditingEnabled(bool enabled)
{
    m_treeColumn->setEnabled(enabled);
    m_properties->setEditingEnabled(enabled);
}

bool Widget::isEditingEnabled() const
{
    return m_treeColumn->isEnabled() && m_properties->isEditingEnabled();
}

void Widget::startTree(const QString &displayName)
{
    if (ProjectTree *tree = treeOf(displayName)) {
        // The delayed start makes it play; one already playing is left as it is, not paused.
        if (!tree->scheduler()->isPlaying() || tree->scheduler()->isPaused())
            tree->slotStartPlay(displayName);
    }
}

void Widget::setCurrentSegmentObjects(GeneralObject *general, CycleObject *cycle, TimingObject *timing)
{
    m_currentGeneralObject = general;
    m_currentCycleObject = cycle;
    m_currentTimingObject = timing;
}
