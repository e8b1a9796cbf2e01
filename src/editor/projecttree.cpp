#include "projecttree.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "clock/duetime.h"
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/programobject.h"
#include "model/timingobject.h"
#include "player/pagerules.h"
#include "player/playhost.h"
#include "player/segmentrules.h"

#include <QFileInfo>
#include <QMediaPlayer>
#include <QMediaPlaylist>
#include <QMessageBox>
#include <QUrl>

namespace {
const QString generalKind = QStringLiteral("generalSegment");
const QString cycleKind = QStringLiteral("cycleSegment");
const QString timingKind = QStringLiteral("timingSegment");
// The per-second checks are armed for each whole second of the clock, so they run in step
// with the seconds they look at, whatever the phase play was started in. A timer that fires
// a hair early (the timers and the time of day are different clocks) sees a second already
// covered, does nothing and is armed again for the boundary a millisecond away.
constexpr int secondPhaseMsecs = 0;
constexpr int restartDelayMsecs = 2000;
constexpr int secondsPerDay = 86400;

template<typename Segment> bool holdsWindow(const QList<Segment *> &segments, const CommonWinObject *window)
{
    for (const Segment *segment : segments) {
        for (const ProgramObject *page : segment->programs) {
            if (page->windows.contains(const_cast<CommonWinObject *>(window)))
                return true;
        }
    }
    return false;
}

// Stops `timer`, keeping what it had left in `remaining`, or starts it again for that time;
// both counted from when the hold or its end was due (see DueTime).
void hold(const Clock &clock, ClockTimer *timer, int &remaining, bool suspend)
{
    if (suspend) {
        if (timer->isActive()) {
            remaining = timer->remainingTime() + int(clock.steadyMsecs() - DueTime::begin(clock).at);
            timer->stop();
        }
    } else if (remaining >= 0) {
        timer->start(DueTime::intervalAfterBegin(clock, remaining));
        remaining = -1;
    }
}
} // namespace

ProjectTree::ProjectTree(const QString &displayWindowName, QWidget *parent)
    : QTreeWidget(parent)
    , displayName(displayWindowName)
    , m_clock(&Clock::current())
{
    playTimer = makeTimer(&ProjectTree::slotPlayTimeout);
    generalProgramTimer = makeTimer(&ProjectTree::slotGeneralProTimeout);
    cycleCheckTimer = makeTimer(&ProjectTree::slotPlayCycleObj);
    cyclePlayTimer = makeTimer(&ProjectTree::slotCyclePlayTimeout);
    timingCheckTimer = makeTimer(&ProjectTree::slotPlayTimingObj);
    timingPlayTimer = makeTimer(&ProjectTree::slotTimingPlayTimeout);
    m_restartTimer = makeTimer(&ProjectTree::slotRestart);
    m_restartTimer->setSingleShot(true);
    // Re-armed for the next whole second at every firing rather than repeating with a period,
    // which would keep the phase of whenever play began and add up the lateness of each tick.
    playTimer->setSingleShot(true);
    timingCheckTimer->setSingleShot(true);

    bkMusicPlayer = new QMediaPlayer(this);
    bkMusicPlaylist = new QMediaPlaylist(this);

    buildMenus();
}

ProjectTree::~ProjectTree() = default;

void ProjectTree::armForNextSecond(ClockTimer *timer)
{
    timer->start(1000 - m_clock->now().time().msec() + secondPhaseMsecs);
}

ClockTimer *ProjectTree::makeTimer(void (ProjectTree::*slot)())
{
    ClockTimer *timer = m_clock->createTimer(this);
    connect(timer, &ClockTimer::timeout, this, slot);
    return timer;
}

// ---------------------------------------------------------------- start, pause, stop

void ProjectTree::slotStartPlay(const QString &name)
{
    // An operator's command replaces a restart still pending from midnight.
    if (name == displayName)
        m_restartTimer->stop();

    QTreeWidgetItem *root = topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
    if (root)
        setCurrentItem(root);
    if (m_host) {
        m_host->checkSchedule(root ? root->text(0) : QString());
        m_host->slotStopCurPreview();
    }
    slotStartTimePlay(name);
    slotStartCyclePlay(name);
    if (name != displayName)
        return;

    if (playing) {
        if (!paused) {
            paused = true;
            playTimer->stop();
            updateTimerHolds();
            bkMusicPlayer->pause();
        } else {
            paused = false;
            // Seconds that passed while paused are not caught up.
            m_tickSeconds.reset();
            armForNextSecond(playTimer);
            updateTimerHolds();
            if (!bkMusicPlaylist->isEmpty())
                bkMusicPlayer->play();
            if (m_host)
                m_host->slotRealPlayContinue(currentSegmentKind);
        }
        return;
    }

    if (SegmentRules::mediaCount(schedule) < 1) {
        // A refused start leaves nothing running, so the next press starts the check timers
        // afresh instead of toggling them off.
        cycleCheckTimer->stop();
        timingCheckTimer->stop();
        cycleStarted = cyclePaused = timingStarted = timingPaused = false;
        const QString title = tr("info");
        const QString text = tr("The schedule is empty,please add program!");
        if (m_host)
            m_host->showInformation(title, text);
        else
            QMessageBox::information(window(), title, text, QMessageBox::Ok);
        emit sigBeginPlayFailed();
        return;
    }

    playing = true;
    slotPlayTimeout();
    if (m_host)
        m_host->slotGetRealBeginWinInfo(displayName);
    if (playing)
        armForNextSecond(playTimer);
}

void ProjectTree::slotStopPlay(const QString &name)
{
    if (name != displayName)
        return;
    m_restartTimer->stop();
    if (!playing)
        return;
    stopPlaying();
    m_tickSeconds.reset();
    m_timingSeconds.reset();
}

void ProjectTree::slotRestart()
{
    slotStartPlay(displayName);
}

void ProjectTree::stopPlaying()
{
    for (ClockTimer *timer :
         {timingCheckTimer, cycleCheckTimer, playTimer, generalProgramTimer, cyclePlayTimer, timingPlayTimer})
        timer->stop();
    m_generalRemaining = m_cycleRemaining = m_timingRemaining = -1;
    playing = generalActive = false;
    cycleStarted = cyclePaused = timingStarted = timingPaused = false;
    generalPrograms.clear();
    cyclePrograms.clear();
    timingPrograms.clear();
    generalProgramIndex = cycleProgramIndex = timingProgramIndex = 0;
    generalWindows.clear();
    cycleWindows.clear();
    timingWindows.clear();
    currentGeneral = nullptr;
    currentGeneralIndex = 0;
    insertState = -1;
    if (m_host)
        m_host->stopRealPlay(displayName);
    paused = false;
    playCount = 0;
    bkMusicPlayer->stop();
    bkMusicPlaylist->clear();
    m_musicPage = nullptr;
    if (m_host)
        m_host->removePlayingDisplay(displayName);
}

void ProjectTree::slotStartCyclePlay(const QString &name)
{
    if (name != displayName || cycleSegments.isEmpty())
        return;
    const int interval = PageRules::cycleIntervalMsecs(cycleSegments.last()->playEvery);
    if (!cycleStarted) {
        cycleStarted = true;
        cyclePaused = false;
        cycleCheckTimer->start(interval);
        if (m_host)
            m_host->slotGetRealBeginWinInfo(displayName);
    } else if (!cyclePaused) {
        cyclePaused = true;
        cycleCheckTimer->stop();
    } else {
        cyclePaused = false;
        cycleCheckTimer->start(interval);
    }
}

void ProjectTree::slotStartTimePlay(const QString &name)
{
    if (name != displayName || timingSegments.isEmpty())
        return;
    if (!timingStarted) {
        timingStarted = true;
        timingPaused = false;
        armForNextSecond(timingCheckTimer);
        if (m_host)
            m_host->slotGetRealBeginWinInfo(displayName);
    } else if (!timingPaused) {
        timingPaused = true;
        timingCheckTimer->stop();
    } else {
        timingPaused = false;
        m_timingSeconds.reset();
        armForNextSecond(timingCheckTimer);
    }
}

// ---------------------------------------------------------------- general segments

void ProjectTree::slotPlayTimeout()
{
    if (playing && !paused)
        armForNextSecond(playTimer);
    const QDateTime now = m_clock->now();
    const SecondTracker::Range seconds = m_tickSeconds.advance(now);
    if (seconds.containsMidnight()) {
        const qint64 midnight = seconds.last - seconds.last % secondsPerDay;
        stopPlaying();
        // Time points from midnight on are looked at again once play has restarted.
        m_timingSeconds.rewindTo(midnight - 1);
        m_restartTimer->start(restartDelayMsecs);
        return;
    }
    if (insertState == 1 || insertState == 2)
        return;
    insertState = 0;

    if (!generalActive) {
        if (generalSegments.isEmpty())
            return;
        const int last = generalSegments.size() - 1;
        if (SegmentRules::isEligible(*generalSegments.at(last), now)) {
            startGeneralSegment(last);
        } else {
            generalActive = false;
            slotPlayLowLevelGeneralObj();
        }
        return;
    }

    // The list may have been rearranged since the segment started.
    currentGeneralIndex = generalSegments.indexOf(currentGeneral);
    if (currentGeneralIndex < 0) {
        invalidateGeneralWindows();
        generalActive = false;
        currentGeneral = nullptr;
        slotPlayLowLevelGeneralObj();
        return;
    }
    const int preempting = SegmentRules::preemptingSegment(generalSegments, currentGeneralIndex, now);
    if (preempting >= 0) {
        invalidateGeneralWindows();
        startGeneralSegment(preempting);
    }
    if (!SegmentRules::isEligible(*currentGeneral, now)) {
        invalidateGeneralWindows();
        generalActive = false;
        slotPlayLowLevelGeneralObj();
    }
}

void ProjectTree::slotPlayLowLevelGeneralObj()
{
    if (generalActive || generalSegments.size() < 2)
        return;
    const int index = SegmentRules::fallbackSegment(generalSegments, m_clock->now());
    if (index >= 0)
        startGeneralSegment(index);
}

void ProjectTree::startGeneralSegment(int index)
{
    // A page-length timer of the segment being left must not advance the new one.
    discardTimer(generalProgramTimer);
    generalActive = true;
    currentGeneral = generalSegments.at(index);
    currentGeneralIndex = index;
    generalPrograms = SegmentRules::pagesOf(*currentGeneral);
    generalProgramIndex = 0;
    playCount = 0;
    generalWindows.clear();
    if (generalPrograms.isEmpty())
        return;
    ProgramObject *page = generalPrograms.first();
    loadBackgroundMusic(page);
    generalWindows = SegmentRules::windowsOf(*page, displayName);
    for (CommonWinObject *window : qAsConst(generalWindows))
        playGeneralWindow(window);
    if (page->playMode == ProgramObject::ByLength)
        armTimer(generalProgramTimer, PageRules::pageLengthMsecs(page->playLength));
}

void ProjectTree::invalidateGeneralWindows()
{
    if (!m_host)
        return;
    for (ProgramObject *page : qAsConst(generalPrograms)) {
        for (CommonWinObject *window : qAsConst(page->windows))
            m_host->slotPlayInvalid(displayName, generalKind, window);
    }
}

void ProjectTree::invalidateWindows(const QString &kind, const QList<CommonWinObject *> &windows)
{
    if (!m_host)
        return;
    for (CommonWinObject *window : windows)
        m_host->slotPlayInvalid(displayName, kind, window);
}

// ---------------------------------------------------------------- inserts

void ProjectTree::slotPlayCycleObj()
{
    if (insertState == 2 || !playing || paused || cycleSegments.isEmpty())
        return;
    CycleObject *segment = cycleSegments.last();
    if (!SegmentRules::isEligible(*segment, m_clock->now()))
        return;
    const QList<ProgramObject *> pages = SegmentRules::pagesOf(*segment);
    // An insert with nothing to show would never end its pass and hold the general programme off.
    if (!SegmentRules::holdsMedia(pages))
        return;
    if (insertState == 1)
        invalidateWindows(cycleKind, cycleWindows);
    cyclePrograms = pages;
    cycleProgramIndex = 0;
    ProgramObject *page = cyclePrograms.first();
    loadBackgroundMusic(page);
    cycleWindows = SegmentRules::windowsOf(*page, displayName);
    insertState = 1;
    updateTimerHolds();
    if (segment->playMode == 0)
        armTimer(cyclePlayTimer, PageRules::insertDurationMsecs(segment->playMinutes, segment->playSeconds));
    else
        discardTimer(cyclePlayTimer);
    for (CommonWinObject *window : qAsConst(cycleWindows))
        playCycleWindow(window);
}

void ProjectTree::slotCyclePlayTimeout()
{
    discardTimer(cyclePlayTimer);
    if (insertState != 1) {
        discardCycleInsert();
        return;
    }
    invalidateWindows(cycleKind, cycleWindows);
    endCycleInsert();
}

void ProjectTree::endCycleInsert()
{
    discardCycleInsert();
    resumeGeneralProgramme();
}

// Forgets the cycle insert's pages, windows and duration timer.
void ProjectTree::discardCycleInsert()
{
    discardTimer(cyclePlayTimer);
    cyclePrograms.clear();
    cycleWindows.clear();
    cycleProgramIndex = 0;
}

void ProjectTree::slotPlayTimingObj()
{
    if (timingStarted && !timingPaused)
        armForNextSecond(timingCheckTimer);
    SecondTracker::Range seconds = m_timingSeconds.advance(m_clock->now());
    if (seconds.containsMidnight() && seconds.last - seconds.last % secondsPerDay != m_deferredMidnight) {
        // The tick is about to restart play for the new day; points from midnight on are
        // left to the first check after the restart rather than started and cut at once.
        m_deferredMidnight = seconds.last - seconds.last % secondsPerDay;
        m_timingSeconds.rewindTo(m_deferredMidnight - 1);
        seconds.last = m_deferredMidnight - 1;
    }
    if (!playing || paused || timingSegments.isEmpty() || seconds.isEmpty())
        return;
    TimingObject *segment = timingSegments.last();
    // Several seconds reached at once (a late check) start the insert once.
    bool reached = false;
    for (qint64 second = seconds.first; second <= seconds.last && !reached; ++second)
        reached = SegmentRules::timePointAt(*segment, second) >= 0;
    if (!reached)
        return;
    const QList<ProgramObject *> pages = SegmentRules::pagesOf(*segment);
    if (!SegmentRules::holdsMedia(pages))
        return;
    if (insertState == 1) {
        // The timing insert ends the cycle insert it interrupts.
        invalidateWindows(cycleKind, cycleWindows);
        discardCycleInsert();
    } else if (insertState == 2) {
        invalidateWindows(timingKind, timingWindows);
    }
    timingPrograms = pages;
    timingProgramIndex = 0;
    ProgramObject *page = timingPrograms.first();
    loadBackgroundMusic(page);
    timingWindows = SegmentRules::windowsOf(*page, displayName);
    insertState = 2;
    updateTimerHolds();
    if (segment->playMode == 0)
        armTimer(timingPlayTimer, PageRules::insertDurationMsecs(segment->playMinutes, segment->playSeconds));
    else
        discardTimer(timingPlayTimer);
    for (CommonWinObject *window : qAsConst(timingWindows))
        playTimingWindow(window);
}

void ProjectTree::slotTimingPlayTimeout()
{
    discardTimer(timingPlayTimer);
    if (insertState != 2) {
        discardTimingInsert();
        return;
    }
    invalidateWindows(timingKind, timingWindows);
    endTimingInsert();
}

void ProjectTree::endTimingInsert()
{
    discardTimingInsert();
    resumeGeneralProgramme();
}

// Forgets the timing insert's pages, windows and duration timer.
void ProjectTree::discardTimingInsert()
{
    discardTimer(timingPlayTimer);
    timingPrograms.clear();
    timingWindows.clear();
    timingProgramIndex = 0;
}

void ProjectTree::resumeGeneralProgramme()
{
    insertState = 0;
    updateTimerHolds();
    // The insert's music must not go on under the general page.
    const bool onPage =
        generalActive && generalProgramIndex >= 0 && generalProgramIndex < generalPrograms.size();
    showPageMusic(onPage ? generalPrograms.at(generalProgramIndex) : nullptr);
    const QList<CommonWinObject *> windows = generalWindows;
    for (CommonWinObject *window : windows)
        playGeneralWindow(window);
}

// ---------------------------------------------------------------- page sequencing

void ProjectTree::slotGeneralProTimeout()
{
    discardTimer(generalProgramTimer);
    // The windows of the page being left stop here; nothing else would stop them.
    invalidateWindows(generalKind, generalWindows);
    generalWindows.clear();
    generalProgramIndex = PageRules::afterLengthExpiry(generalProgramIndex, generalPrograms.size());
    playCount = 0;
    if (generalProgramIndex >= generalPrograms.size())
        return;
    ProgramObject *page = generalPrograms.at(generalProgramIndex);
    if (page->playMode == ProgramObject::ByLength)
        armTimer(generalProgramTimer, PageRules::pageLengthMsecs(page->playLength));
    showPageMusic(page);
    generalWindows = SegmentRules::windowsOf(*page, displayName);
    for (CommonWinObject *window : qAsConst(generalWindows))
        playGeneralWindow(window);
}

void ProjectTree::slotCurProgramRealPlayEnd(const QString &name, CommonWinObject *window)
{
    Q_UNUSED(window)
    if (name != displayName || !playing)
        return;
    if (currentSegmentKind == generalKind)
        generalPassEnded();
    else if (currentSegmentKind == cycleKind)
        cyclePassEnded();
    else if (currentSegmentKind == timingKind)
        timingPassEnded();
}

void ProjectTree::generalPassEnded()
{
    if (generalPrograms.isEmpty()) {
        generalProgramIndex = 0;
        return;
    }
    // A general pass cannot end while an insert holds the general windows paused.
    if (insertState != 0)
        return;
    const ProgramObject *before = generalPrograms.value(generalProgramIndex, generalPrograms.first());
    const PageRules::GeneralStep step = PageRules::afterGeneralPass(
        generalProgramIndex, playCount, generalPrograms.size(), before->playMode, before->playTimes);
    generalProgramIndex = step.index;
    playCount = step.playCount;
    generalWindows.clear();
    ProgramObject *page = generalPrograms.at(generalProgramIndex);
    showPageMusic(page);
    if (step.advanced) {
        if (page->playMode == ProgramObject::ByLength)
            armTimer(generalProgramTimer, PageRules::pageLengthMsecs(page->playLength));
        else
            discardTimer(generalProgramTimer);
    }
    generalWindows = SegmentRules::windowsOf(*page, displayName);
    for (CommonWinObject *w : qAsConst(generalWindows))
        playGeneralWindow(w);
}

void ProjectTree::cyclePassEnded()
{
    if (insertState != 1)
        return;
    cycleWindows.clear();
    const bool byTimes = cycleSegments.isEmpty() || cycleSegments.last()->playMode == 1;
    const PageRules::InsertStep step =
        PageRules::afterInsertPass(cycleProgramIndex, cyclePrograms.size(), byTimes);
    if (step.over) {
        endCycleInsert();
        return;
    }
    cycleProgramIndex = step.index;
    if (cycleProgramIndex >= cyclePrograms.size())
        return;
    ProgramObject *page = cyclePrograms.at(cycleProgramIndex);
    showPageMusic(page);
    cycleWindows = SegmentRules::windowsOf(*page, displayName);
    for (CommonWinObject *w : qAsConst(cycleWindows))
        playCycleWindow(w);
}

void ProjectTree::timingPassEnded()
{
    if (insertState != 2)
        return;
    timingWindows.clear();
    const bool byTimes = timingSegments.isEmpty() || timingSegments.last()->playMode == 1;
    const PageRules::InsertStep step =
        PageRules::afterInsertPass(timingProgramIndex, timingPrograms.size(), byTimes);
    if (step.over) {
        endTimingInsert();
        return;
    }
    timingProgramIndex = step.index;
    if (timingProgramIndex >= timingPrograms.size())
        return;
    ProgramObject *page = timingPrograms.at(timingProgramIndex);
    showPageMusic(page);
    timingWindows = SegmentRules::windowsOf(*page, displayName);
    for (CommonWinObject *w : qAsConst(timingWindows))
        playTimingWindow(w);
}

// ---------------------------------------------------------------- hand-over and music

void ProjectTree::playGeneralWindow(CommonWinObject *window)
{
    if (holdsWindow(generalSegments, window))
        handOver(generalKind, window);
}

void ProjectTree::playCycleWindow(CommonWinObject *window)
{
    if (holdsWindow(cycleSegments, window))
        handOver(cycleKind, window);
}

void ProjectTree::playTimingWindow(CommonWinObject *window)
{
    if (holdsWindow(timingSegments, window))
        handOver(timingKind, window);
}

void ProjectTree::handOver(const QString &kind, CommonWinObject *window)
{
    currentSegmentKind = kind;
    if (m_host)
        m_host->slotRealPlayCommonWinObj(displayName, kind, window, window->media);
}

void ProjectTree::loadBackgroundMusic(ProgramObject *page)
{
    bkMusicPlayer->stop();
    bkMusicPlaylist->clear();
    m_musicPage = page;
    if (!page)
        return;
    for (const QString &path : qAsConst(page->backgroundMusic)) {
        // A file that is gone is skipped rather than left to fail on every loop.
        if (QFileInfo(path).isFile())
            bkMusicPlaylist->addMedia(QMediaContent(QUrl::fromLocalFile(path)));
    }
    bkMusicPlaylist->setPlaybackMode(QMediaPlaylist::Loop);
    bkMusicPlayer->setPlaylist(bkMusicPlaylist);
    if (!bkMusicPlaylist->isEmpty())
        bkMusicPlayer->play();
}

void ProjectTree::showPageMusic(ProgramObject *page)
{
    // A page's music loops while the page shows; another pass of the same page goes on with it.
    if (page != m_musicPage)
        loadBackgroundMusic(page);
}

// ---------------------------------------------------------------- timers

void ProjectTree::updateTimerHolds()
{
    const bool insertPlaying = insertState == 1 || insertState == 2;
    hold(*m_clock, generalProgramTimer, m_generalRemaining, paused || insertPlaying);
    hold(*m_clock, cyclePlayTimer, m_cycleRemaining, paused);
    hold(*m_clock, timingPlayTimer, m_timingRemaining, paused);
}

void ProjectTree::armTimer(ClockTimer *timer, int msec)
{
    if (timer == generalProgramTimer)
        m_generalRemaining = -1;
    else if (timer == cyclePlayTimer)
        m_cycleRemaining = -1;
    else if (timer == timingPlayTimer)
        m_timingRemaining = -1;
    // A page or insert length runs from when the page or insert was due to begin.
    timer->start(DueTime::intervalAfterBegin(*m_clock, msec));
}

void ProjectTree::discardTimer(ClockTimer *timer)
{
    if (timer == generalProgramTimer)
        m_generalRemaining = -1;
    else if (timer == cyclePlayTimer)
        m_cycleRemaining = -1;
    else if (timer == timingPlayTimer)
        m_timingRemaining = -1;
    timer->stop();
}

// ---------------------------------------------------------------- editor support

void ProjectTree::slotShowSegmentInfo()
{
    if (!m_host || m_host->currentDisplayWindowName() != displayName)
        return;
    m_host->setCurrentSegmentObjects(generalSegments.isEmpty() ? nullptr : generalSegments.last(),
                                     cycleSegments.isEmpty() ? nullptr : cycleSegments.last(),
                                     timingSegments.isEmpty() ? nullptr : timingSegments.last());
}
