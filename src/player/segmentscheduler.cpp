#include "segmentscheduler.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "clock/duetime.h"
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/programobject.h"
#include "model/timingobject.h"
#include "pagerules.h"
#include "playhost.h"
#include "segmentrules.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QMediaPlaylist>
#include <QUrl>

using SegmentKind = SegmentScheduler::SegmentKind;
using InsertState = SegmentScheduler::InsertState;

namespace {
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

InsertState insertStateOf(SegmentKind kind)
{
    return kind == SegmentKind::Cycle ? InsertState::CycleInsert : InsertState::TimingInsert;
}
} // namespace

QString SegmentScheduler::keyword(SegmentKind kind)
{
    switch (kind) {
    case SegmentKind::General:
        return QStringLiteral("generalSegment");
    case SegmentKind::Cycle:
        return QStringLiteral("cycleSegment");
    case SegmentKind::Timing:
        return QStringLiteral("timingSegment");
    }
    return QString();
}

bool SegmentScheduler::kindOf(const QString &word, SegmentKind *kind)
{
    for (SegmentKind k : {SegmentKind::General, SegmentKind::Cycle, SegmentKind::Timing}) {
        if (word == keyword(k)) {
            if (kind)
                *kind = k;
            return true;
        }
    }
    return false;
}

SegmentScheduler::SegmentScheduler(const QString &displayWindowName, QObject *parent)
    : QObject(parent)
    , m_displayName(displayWindowName)
    , m_clock(&Clock::current())
{
    // Created in this order, as timers due at the same instant of the virtual clock fire in
    // the order they were made.
    laneOf(SegmentKind::General).checkTimer = makeTimer(&SegmentScheduler::slotPlayTimeout);
    laneOf(SegmentKind::General).lengthTimer = makeTimer(&SegmentScheduler::slotGeneralProTimeout);
    laneOf(SegmentKind::Cycle).checkTimer = makeTimer(&SegmentScheduler::slotPlayCycleObj);
    laneOf(SegmentKind::Cycle).lengthTimer = makeTimer(&SegmentScheduler::slotCyclePlayTimeout);
    laneOf(SegmentKind::Timing).checkTimer = makeTimer(&SegmentScheduler::slotPlayTimingObj);
    laneOf(SegmentKind::Timing).lengthTimer = makeTimer(&SegmentScheduler::slotTimingPlayTimeout);
    m_restartTimer = makeTimer(&SegmentScheduler::slotRestart);
    m_restartTimer->setSingleShot(true);
    // Re-armed for the next whole second at every firing rather than repeating with a period,
    // which would keep the phase of whenever play began and add up the lateness of each tick.
    laneOf(SegmentKind::General).checkTimer->setSingleShot(true);
    laneOf(SegmentKind::Timing).checkTimer->setSingleShot(true);

    m_musicPlayer = new QMediaPlayer(this);
    m_musicPlaylist = new QMediaPlaylist(this);
}

SegmentScheduler::~SegmentScheduler() = default;

void SegmentScheduler::armForNextSecond(ClockTimer *timer)
{
    timer->start(1000 - m_clock->now().time().msec() + secondPhaseMsecs);
}

ClockTimer *SegmentScheduler::makeTimer(void (SegmentScheduler::*slot)())
{
    ClockTimer *timer = m_clock->createTimer(this);
    connect(timer, &ClockTimer::timeout, this, slot);
    return timer;
}

// ---------------------------------------------------------------- start, pause, stop

void SegmentScheduler::slotStartPlay(const QString &name)
{
    // An operator's command replaces a restart still pending from midnight.
    if (name == m_displayName)
        m_restartTimer->stop();

    slotStartTimePlay(name);
    slotStartCyclePlay(name);
    if (name != m_displayName)
        return;

    Lane &general = laneOf(SegmentKind::General);
    if (m_playing) {
        if (!m_paused) {
            m_paused = true;
            general.checkTimer->stop();
            updateTimerHolds();
            m_musicPlayer->pause();
        } else {
            m_paused = false;
            // Seconds that passed while paused are not caught up.
            m_tickSeconds.reset();
            armForNextSecond(general.checkTimer);
            updateTimerHolds();
            if (!m_musicPlaylist->isEmpty())
                m_musicPlayer->play();
            if (m_host)
                m_host->slotRealPlayContinue(m_handedAny ? keyword(m_lastHanded) : QString());
        }
        return;
    }

    if (SegmentRules::mediaCount(m_schedule) < 1) {
        // A refused start leaves nothing running, so the next press starts the check timers
        // afresh instead of toggling them off.
        for (SegmentKind kind : {SegmentKind::Cycle, SegmentKind::Timing}) {
            Lane &insert = laneOf(kind);
            insert.checkTimer->stop();
            insert.started = insert.paused = false;
        }
        // The catalogues keep these texts under the schedule tree, which showed them first.
        const QString title = QCoreApplication::translate("ProjectTree", "info");
        const QString text =
            QCoreApplication::translate("ProjectTree", "The schedule is empty,please add program!");
        if (m_host)
            m_host->showInformation(title, text);
        else
            qWarning().noquote() << title << text;
        emit sigBeginPlayFailed();
        return;
    }

    m_playing = true;
    slotPlayTimeout();
    if (m_host)
        m_host->slotGetRealBeginWinInfo(m_displayName);
    if (m_playing)
        armForNextSecond(general.checkTimer);
}

void SegmentScheduler::slotStopPlay(const QString &name)
{
    if (name != m_displayName)
        return;
    m_restartTimer->stop();
    if (!m_playing)
        return;
    stopPlaying(PlayHost::Cut::Stop);
    m_tickSeconds.reset();
    m_timingSeconds.reset();
}

void SegmentScheduler::slotRestart()
{
    emit sigRestarting();
    slotStartPlay(m_displayName);
}

void SegmentScheduler::stopPlaying(PlayHost::Cut cut)
{
    for (SegmentKind kind : {SegmentKind::Timing, SegmentKind::Cycle, SegmentKind::General})
        laneOf(kind).checkTimer->stop();
    for (SegmentKind kind : {SegmentKind::General, SegmentKind::Cycle, SegmentKind::Timing})
        laneOf(kind).lengthTimer->stop();
    for (Lane &lane : m_lanes) {
        lane.remaining = -1;
        lane.started = lane.paused = false;
        lane.pages.clear();
        lane.pageIndex = 0;
        lane.windows.clear();
    }
    m_playing = m_generalActive = false;
    m_currentGeneral = nullptr;
    m_currentGeneralIndex = 0;
    m_insertState = InsertState::Stopped;
    if (m_host)
        m_host->stopRealPlay(m_displayName, cut);
    m_paused = false;
    laneOf(SegmentKind::General).passCount = 0;
    m_musicPlayer->stop();
    m_musicPlaylist->clear();
    m_musicPage = nullptr;
    if (m_host)
        m_host->removePlayingDisplay(m_displayName);
}

void SegmentScheduler::slotStartCyclePlay(const QString &name)
{
    const QList<CycleObject *> &segments = m_schedule.cycleSegments;
    if (name != m_displayName || segments.isEmpty())
        return;
    Lane &cycle = laneOf(SegmentKind::Cycle);
    const int interval = PageRules::cycleIntervalMsecs(segments.last()->playEvery);
    if (!cycle.started) {
        cycle.started = true;
        cycle.paused = false;
        cycle.checkTimer->start(interval);
        if (m_host)
            m_host->slotGetRealBeginWinInfo(m_displayName);
    } else if (!cycle.paused) {
        cycle.paused = true;
        cycle.checkTimer->stop();
    } else {
        cycle.paused = false;
        cycle.checkTimer->start(interval);
    }
}

void SegmentScheduler::slotStartTimePlay(const QString &name)
{
    if (name != m_displayName || m_schedule.timingSegments.isEmpty())
        return;
    Lane &timing = laneOf(SegmentKind::Timing);
    if (!timing.started) {
        timing.started = true;
        timing.paused = false;
        armForNextSecond(timing.checkTimer);
        if (m_host)
            m_host->slotGetRealBeginWinInfo(m_displayName);
    } else if (!timing.paused) {
        timing.paused = true;
        timing.checkTimer->stop();
    } else {
        timing.paused = false;
        m_timingSeconds.reset();
        armForNextSecond(timing.checkTimer);
    }
}

// ---------------------------------------------------------------- general segments

void SegmentScheduler::slotPlayTimeout()
{
    if (m_playing && !m_paused)
        armForNextSecond(laneOf(SegmentKind::General).checkTimer);
    const QDateTime now = m_clock->now();
    const SecondTracker::Range seconds = m_tickSeconds.advance(now);
    if (seconds.containsMidnight()) {
        const qint64 midnight = seconds.last - seconds.last % secondsPerDay;
        stopPlaying(PlayHost::Cut::Midnight);
        // Time points from midnight on are looked at again once play has restarted.
        m_timingSeconds.rewindTo(midnight - 1);
        m_restartTimer->start(restartDelayMsecs);
        return;
    }
    if (m_insertState == InsertState::CycleInsert || m_insertState == InsertState::TimingInsert)
        return;
    m_insertState = InsertState::General;

    const QList<GeneralObject *> &segments = m_schedule.generalSegments;
    if (!m_generalActive) {
        if (segments.isEmpty())
            return;
        const int last = segments.size() - 1;
        if (SegmentRules::isEligible(*segments.at(last), now)) {
            startGeneralSegment(last);
        } else {
            m_generalActive = false;
            slotPlayLowLevelGeneralObj();
        }
        return;
    }

    // The list may have been rearranged since the segment started.
    m_currentGeneralIndex = segments.indexOf(m_currentGeneral);
    if (m_currentGeneralIndex < 0) {
        invalidateGeneralWindows(PlayHost::Cut::Schedule);
        m_generalActive = false;
        m_currentGeneral = nullptr;
        slotPlayLowLevelGeneralObj();
        return;
    }
    const int preempting = SegmentRules::preemptingSegment(segments, m_currentGeneralIndex, now);
    if (preempting >= 0) {
        invalidateGeneralWindows(PlayHost::Cut::Schedule);
        startGeneralSegment(preempting);
    }
    if (!SegmentRules::isEligible(*m_currentGeneral, now)) {
        invalidateGeneralWindows(PlayHost::Cut::Schedule);
        m_generalActive = false;
        slotPlayLowLevelGeneralObj();
    }
}

void SegmentScheduler::slotPlayLowLevelGeneralObj()
{
    if (m_generalActive || m_schedule.generalSegments.size() < 2)
        return;
    const int index = SegmentRules::fallbackSegment(m_schedule.generalSegments, m_clock->now());
    if (index >= 0)
        startGeneralSegment(index);
}

void SegmentScheduler::startGeneralSegment(int index)
{
    Lane &general = laneOf(SegmentKind::General);
    // A page-length timer of the segment being left must not advance the new one.
    discardLength(SegmentKind::General);
    m_generalActive = true;
    m_currentGeneral = m_schedule.generalSegments.at(index);
    m_currentGeneralIndex = index;
    general.pages = SegmentRules::playablePages(SegmentRules::pagesOf(*m_currentGeneral), m_displayName);
    general.pageIndex = 0;
    general.passCount = 0;
    general.windows.clear();
    if (general.pages.isEmpty())
        return;
    ProgramObject *page = general.pages.first();
    loadBackgroundMusic(page);
    general.windows = SegmentRules::windowsOf(*page, m_displayName);
    for (CommonWinObject *window : qAsConst(general.windows))
        playWindow(SegmentKind::General, window);
    if (page->playMode == ProgramObject::ByLength)
        armLength(SegmentKind::General, PageRules::pageLengthMsecs(page->playLength));
}

void SegmentScheduler::invalidateGeneralWindows(PlayHost::Cut cut)
{
    if (!m_host)
        return;
    const QString kind = keyword(SegmentKind::General);
    for (ProgramObject *page : qAsConst(laneOf(SegmentKind::General).pages)) {
        for (CommonWinObject *window : qAsConst(page->windows))
            m_host->slotPlayInvalid(m_displayName, kind, window, cut);
    }
}

void SegmentScheduler::invalidateWindows(SegmentKind kind, const QList<CommonWinObject *> &windows,
                                         PlayHost::Cut cut)
{
    if (!m_host)
        return;
    for (CommonWinObject *window : windows)
        m_host->slotPlayInvalid(m_displayName, keyword(kind), window, cut);
}

// ---------------------------------------------------------------- inserts

void SegmentScheduler::slotPlayCycleObj()
{
    const QList<CycleObject *> &segments = m_schedule.cycleSegments;
    if (m_insertState == InsertState::TimingInsert || !m_playing || m_paused || segments.isEmpty())
        return;
    CycleObject *segment = segments.last();
    if (!SegmentRules::isEligible(*segment, m_clock->now()))
        return;
    const QList<ProgramObject *> pages = SegmentRules::playablePages(SegmentRules::pagesOf(*segment), m_displayName);
    // An insert with nothing to show would never end its pass and hold the general programme off.
    if (pages.isEmpty())
        return;
    if (m_insertState == InsertState::CycleInsert)
        invalidateWindows(SegmentKind::Cycle, laneOf(SegmentKind::Cycle).windows, PlayHost::Cut::Insert);
    startInsert(SegmentKind::Cycle, segment->playMode, segment->playMinutes, segment->playSeconds, pages);
}

void SegmentScheduler::slotPlayTimingObj()
{
    Lane &timing = laneOf(SegmentKind::Timing);
    if (timing.started && !timing.paused)
        armForNextSecond(timing.checkTimer);
    SecondTracker::Range seconds = m_timingSeconds.advance(m_clock->now());
    if (seconds.containsMidnight() && seconds.last - seconds.last % secondsPerDay != m_deferredMidnight) {
        // The tick is about to restart play for the new day; points from midnight on are
        // left to the first check after the restart rather than started and cut at once.
        m_deferredMidnight = seconds.last - seconds.last % secondsPerDay;
        m_timingSeconds.rewindTo(m_deferredMidnight - 1);
        seconds.last = m_deferredMidnight - 1;
    }
    const QList<TimingObject *> &segments = m_schedule.timingSegments;
    if (!m_playing || m_paused || segments.isEmpty() || seconds.isEmpty())
        return;
    TimingObject *segment = segments.last();
    // Several seconds reached at once (a late check) start the insert once.
    bool reached = false;
    for (qint64 second = seconds.first; second <= seconds.last && !reached; ++second)
        reached = SegmentRules::timePointAt(*segment, second) >= 0;
    if (!reached)
        return;
    const QList<ProgramObject *> pages = SegmentRules::playablePages(SegmentRules::pagesOf(*segment), m_displayName);
    if (pages.isEmpty())
        return;
    if (m_insertState == InsertState::CycleInsert) {
        // The timing insert ends the cycle insert it interrupts.
        invalidateWindows(SegmentKind::Cycle, laneOf(SegmentKind::Cycle).windows, PlayHost::Cut::Insert);
        discardInsert(SegmentKind::Cycle);
    } else if (m_insertState == InsertState::TimingInsert) {
        // Started again before its first page was shown through, the insert would show nothing
        // whole and log nothing: points one second apart would hold it at its start for ever.
        // Such a point only asks for what is already on show, and is passed over.
        if (!timing.firstPassShown)
            return;
        invalidateWindows(SegmentKind::Timing, timing.windows, PlayHost::Cut::Insert);
    }
    startInsert(SegmentKind::Timing, segment->playMode, segment->playMinutes, segment->playSeconds, pages);
}

// The insert of `kind` takes the screen with its first page; a play mode of 0 plays it for
// its duration, any other for one pass of its pages.
void SegmentScheduler::startInsert(SegmentKind kind, int playMode, int minutes, int seconds,
                                   const QList<ProgramObject *> &pages)
{
    Lane &insert = laneOf(kind);
    insert.pages = pages;
    insert.pageIndex = 0;
    insert.firstPassShown = false;
    ProgramObject *page = insert.pages.first();
    loadBackgroundMusic(page);
    insert.windows = SegmentRules::windowsOf(*page, m_displayName);
    m_insertState = insertStateOf(kind);
    updateTimerHolds();
    if (playMode == 0)
        armLength(kind, PageRules::insertDurationMsecs(minutes, seconds));
    else
        discardLength(kind);
    for (CommonWinObject *window : qAsConst(insert.windows))
        playWindow(kind, window);
}

void SegmentScheduler::slotCyclePlayTimeout()
{
    insertTimeout(SegmentKind::Cycle);
}

void SegmentScheduler::slotTimingPlayTimeout()
{
    insertTimeout(SegmentKind::Timing);
}

void SegmentScheduler::insertTimeout(SegmentKind kind)
{
    discardLength(kind);
    if (m_insertState != insertStateOf(kind)) {
        discardInsert(kind);
        return;
    }
    invalidateWindows(kind, laneOf(kind).windows, PlayHost::Cut::Schedule);
    endInsert(kind);
}

void SegmentScheduler::endInsert(SegmentKind kind)
{
    discardInsert(kind);
    resumeGeneralProgramme();
}

// Forgets the insert's pages, windows and duration timer.
void SegmentScheduler::discardInsert(SegmentKind kind)
{
    discardLength(kind);
    Lane &insert = laneOf(kind);
    insert.pages.clear();
    insert.windows.clear();
    insert.pageIndex = 0;
}

void SegmentScheduler::resumeGeneralProgramme()
{
    m_insertState = InsertState::General;
    updateTimerHolds();
    const Lane &general = laneOf(SegmentKind::General);
    // The insert's music must not go on under the general page.
    const bool onPage = m_generalActive && general.pageIndex >= 0 && general.pageIndex < general.pages.size();
    showPageMusic(onPage ? general.pages.at(general.pageIndex) : nullptr);
    const QList<CommonWinObject *> windows = general.windows;
    for (CommonWinObject *window : windows)
        playWindow(SegmentKind::General, window);
}

// ---------------------------------------------------------------- page sequencing

void SegmentScheduler::slotGeneralProTimeout()
{
    Lane &general = laneOf(SegmentKind::General);
    discardLength(SegmentKind::General);
    // The windows of the page being left stop here; nothing else would stop them.
    invalidateWindows(SegmentKind::General, general.windows, PlayHost::Cut::Schedule);
    general.windows.clear();
    general.pageIndex = PageRules::afterLengthExpiry(general.pageIndex, general.pages.size());
    general.passCount = 0;
    if (general.pageIndex >= general.pages.size())
        return;
    ProgramObject *page = general.pages.at(general.pageIndex);
    if (page->playMode == ProgramObject::ByLength)
        armLength(SegmentKind::General, PageRules::pageLengthMsecs(page->playLength));
    showPageMusic(page);
    showPage(SegmentKind::General);
}

// Hands every window of the lane's current page over.
void SegmentScheduler::showPage(SegmentKind kind)
{
    Lane &lane = laneOf(kind);
    lane.windows = SegmentRules::windowsOf(*lane.pages.at(lane.pageIndex), m_displayName);
    for (CommonWinObject *window : qAsConst(lane.windows))
        playWindow(kind, window);
}

void SegmentScheduler::slotCurProgramRealPlayEnd(const QString &name, CommonWinObject *window)
{
    Q_UNUSED(window)
    if (name != m_displayName || !m_playing || !m_handedAny)
        return;
    if (m_lastHanded == SegmentKind::General)
        generalPassEnded();
    else
        insertPassEnded(m_lastHanded);
}

void SegmentScheduler::generalPassEnded()
{
    Lane &general = laneOf(SegmentKind::General);
    if (general.pages.isEmpty()) {
        general.pageIndex = 0;
        return;
    }
    // A general pass cannot end while an insert holds the general windows paused.
    if (m_insertState != InsertState::General)
        return;
    const ProgramObject *before = general.pages.value(general.pageIndex, general.pages.first());
    const PageRules::GeneralStep step = PageRules::afterGeneralPass(
        general.pageIndex, general.passCount, general.pages.size(), before->playMode, before->playTimes);
    general.pageIndex = step.index;
    general.passCount = step.playCount;
    general.windows.clear();
    ProgramObject *page = general.pages.at(general.pageIndex);
    showPageMusic(page);
    if (step.advanced) {
        if (page->playMode == ProgramObject::ByLength)
            armLength(SegmentKind::General, PageRules::pageLengthMsecs(page->playLength));
        else
            discardLength(SegmentKind::General);
    }
    showPage(SegmentKind::General);
}

void SegmentScheduler::insertPassEnded(SegmentKind kind)
{
    if (m_insertState != insertStateOf(kind))
        return;
    Lane &insert = laneOf(kind);
    insert.windows.clear();
    insert.firstPassShown = true;
    bool byTimes = true;
    if (kind == SegmentKind::Cycle && !m_schedule.cycleSegments.isEmpty())
        byTimes = m_schedule.cycleSegments.last()->playMode == 1;
    else if (kind == SegmentKind::Timing && !m_schedule.timingSegments.isEmpty())
        byTimes = m_schedule.timingSegments.last()->playMode == 1;
    const PageRules::InsertStep step =
        PageRules::afterInsertPass(insert.pageIndex, insert.pages.size(), byTimes);
    if (step.over) {
        endInsert(kind);
        return;
    }
    insert.pageIndex = step.index;
    if (insert.pageIndex >= insert.pages.size())
        return;
    showPageMusic(insert.pages.at(insert.pageIndex));
    showPage(kind);
}

// ---------------------------------------------------------------- hand-over and music

void SegmentScheduler::playWindow(SegmentKind kind, CommonWinObject *window)
{
    bool held = false;
    switch (kind) {
    case SegmentKind::General:
        held = holdsWindow(m_schedule.generalSegments, window);
        break;
    case SegmentKind::Cycle:
        held = holdsWindow(m_schedule.cycleSegments, window);
        break;
    case SegmentKind::Timing:
        held = holdsWindow(m_schedule.timingSegments, window);
        break;
    }
    if (!held)
        return;
    m_lastHanded = kind;
    m_handedAny = true;
    if (m_host)
        m_host->slotRealPlayCommonWinObj(m_displayName, keyword(kind), window, window->media);
}

void SegmentScheduler::loadBackgroundMusic(ProgramObject *page)
{
    m_musicPlayer->stop();
    m_musicPlaylist->clear();
    m_musicPage = page;
    if (!page)
        return;
    for (const QString &path : qAsConst(page->backgroundMusic)) {
        // A file that is gone is skipped rather than left to fail on every loop.
        if (QFileInfo(path).isFile())
            m_musicPlaylist->addMedia(QMediaContent(QUrl::fromLocalFile(path)));
    }
    m_musicPlaylist->setPlaybackMode(QMediaPlaylist::Loop);
    m_musicPlayer->setPlaylist(m_musicPlaylist);
    if (!m_musicPlaylist->isEmpty())
        m_musicPlayer->play();
}

void SegmentScheduler::showPageMusic(ProgramObject *page)
{
    // A page's music loops while the page shows; another pass of the same page goes on with it.
    if (page != m_musicPage)
        loadBackgroundMusic(page);
}

// ---------------------------------------------------------------- timers

void SegmentScheduler::updateTimerHolds()
{
    const bool insertPlaying =
        m_insertState == InsertState::CycleInsert || m_insertState == InsertState::TimingInsert;
    holdLength(SegmentKind::General, m_paused || insertPlaying);
    holdLength(SegmentKind::Cycle, m_paused);
    holdLength(SegmentKind::Timing, m_paused);
}

// Stops the lane's length timer, keeping what it had left, or starts it again for that time;
// both counted from when the hold or its end was due (see DueTime).
void SegmentScheduler::holdLength(SegmentKind kind, bool suspend)
{
    Lane &lane = laneOf(kind);
    if (suspend) {
        if (lane.lengthTimer->isActive()) {
            lane.remaining =
                lane.lengthTimer->remainingTime() + int(m_clock->steadyMsecs() - DueTime::begin(*m_clock).at);
            lane.lengthTimer->stop();
        }
    } else if (lane.remaining >= 0) {
        lane.lengthTimer->start(DueTime::intervalAfterBegin(*m_clock, lane.remaining));
        lane.remaining = -1;
    }
}

void SegmentScheduler::armLength(SegmentKind kind, int msec)
{
    Lane &lane = laneOf(kind);
    lane.remaining = -1;
    // A page or insert length runs from when the page or insert was due to begin.
    lane.lengthTimer->start(DueTime::intervalAfterBegin(*m_clock, msec));
}

void SegmentScheduler::discardLength(SegmentKind kind)
{
    Lane &lane = laneOf(kind);
    lane.remaining = -1;
    lane.lengthTimer->stop();
}
