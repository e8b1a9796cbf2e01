#include "screenplayhost.h"

#include "commonplaywindow.h"
#include "mainplaybklabel.h"
#include "player/segmentscheduler.h"
#include "model/commonwinobject.h"

namespace {
const QString generalKind = SegmentScheduler::keyword(SegmentScheduler::SegmentKind::General);
} // namespace

ScreenPlayHost::ScreenPlayHost(QObject *parent)
    : QObject(parent)
{}

ScreenPlayHost::~ScreenPlayHost() = default;

void ScreenPlayHost::addDisplay(SegmentScheduler *scheduler, MainPlayBKLabel *screen)
{
    if (scheduler) {
        scheduler->setPlayHost(this);
        m_schedulers.insert(scheduler->displayName(), scheduler);
        // scheduler <- main window
        connect(this, &ScreenPlayHost::sigCurProgramRealPlayEnd, scheduler,
                &SegmentScheduler::slotCurProgramRealPlayEnd);
    }
    if (screen) {
        m_screens.append(screen);
        // screen -> main window
        connect(screen, &MainPlayBKLabel::sigCurProgramRealPlayEnd, this,
                &ScreenPlayHost::slotCurProgramRealPlayEnd);
    }
}

void ScreenPlayHost::removeDisplay(const QString &name)
{
    if (SegmentScheduler *scheduler = m_schedulers.take(name)) {
        disconnect(this, nullptr, scheduler, nullptr);
        scheduler->setPlayHost(nullptr);
    }
    if (MainPlayBKLabel *s = screen(name)) {
        disconnect(s, nullptr, this, nullptr);
        m_screens.removeOne(s);
    }
    playingDisplays.removeAll(name);
}

MainPlayBKLabel *ScreenPlayHost::screen(const QString &name) const
{
    for (MainPlayBKLabel *s : m_screens) {
        if (s->name == name)
            return s;
    }
    return nullptr;
}

void ScreenPlayHost::pauseDisplay(const QString &name)
{
    for (MainPlayBKLabel *s : qAsConst(m_screens)) {
        for (CommonPlayWindow *pw : qAsConst(s->playWindows)) {
            if (pw->winObject && pw->winObject->displayWindowName == name)
                pw->pauseWindowPlay();
        }
    }
}

void ScreenPlayHost::checkSchedule(const QString &rootText)
{
    Q_UNUSED(rootText)
}

void ScreenPlayHost::slotStopCurPreview() {}

void ScreenPlayHost::slotGetRealBeginWinInfo(const QString &displayName)
{
    if (!playingDisplays.contains(displayName))
        playingDisplays.append(displayName);
    if (MainPlayBKLabel *s = screen(displayName)) {
        s->realPlayMode = true;
        s->update();
        // Players are created and their first files loaded now, while the first page still
        // comes, rather than in the middle of a hand-over.
        for (CommonPlayWindow *pw : qAsConst(s->playWindows))
            pw->prepareFirstVideo();
    }
}

void ScreenPlayHost::slotRealPlayContinue(const QString &kind)
{
    for (MainPlayBKLabel *s : qAsConst(m_screens)) {
        for (CommonPlayWindow *pw : qAsConst(s->playWindows)) {
            if (pw->winObject && pw->winObject->displayWindowName == currentDisplayName &&
                pw->segmentKind == kind)
                pw->resumeWindowPlay();
        }
    }
}

void ScreenPlayHost::slotPlayInvalid(const QString &displayName, const QString &kind, CommonWinObject *window)
{
    Q_UNUSED(kind)
    // Every kind: the scheduler also discards insert windows it cuts short.
    MainPlayBKLabel *s = screen(displayName);
    if (!s || !window)
        return;
    for (CommonPlayWindow *pw : qAsConst(s->playWindows)) {
        if (pw->shows(window)) {
            pw->stopWindowPlay();
            pw->listEnded = false;
            pw->hide();
        }
    }
}

void ScreenPlayHost::slotRealPlayCommonWinObj(const QString &displayName, const QString &kind,
                                              CommonWinObject *window, QList<LumoraMediaObject *> media)
{
    currentSegmentKind = kind;
    MainPlayBKLabel *s = screen(displayName);
    if (!s || !window)
        return;
    const bool general = kind == generalKind;
    for (CommonPlayWindow *pw : qAsConst(s->playWindows)) {
        if (pw->shows(window)) {
            const bool sameMedia = pw->mediaList == media;
            if (!sameMedia)
                pw->setMediaList(media);
            pw->update();
            pw->segmentKind = kind;
            // Only an item that was interrupted can go on; anything else starts afresh.
            const bool canResume = pw->paused && sameMedia && !pw->currentType.isEmpty();
            if (general && canResume) {
                pw->resumeWindowPlay();
            } else {
                pw->startWindowPlay();
                if (!general)
                    pw->resumeWindowPlay();
            }
            continue;
        }
        if (!pw->winObject || pw->winObject->displayWindowName != window->displayWindowName ||
            pw->segmentKind == kind)
            continue;
        if (pw->segmentKind == generalKind) {
            // A general window that plays is paused so that it resumes after the insert; one
            // that shows nothing is only hidden, so that it never "resumes" nothing.
            const bool playing = !pw->isHidden() && !pw->currentType.isEmpty() && !pw->mediaList.isEmpty();
            pw->hide();
            if (!general && playing)
                pw->pauseWindowPlay();
        } else {
            pw->stopWindowPlay();
            pw->listEnded = false;
            pw->hide();
        }
    }
}

void ScreenPlayHost::stopRealPlay(const QString &displayName)
{
    if (MainPlayBKLabel *s = screen(displayName)) {
        for (CommonPlayWindow *pw : qAsConst(s->playWindows)) {
            pw->stopWindowPlay();
            pw->listEnded = false;
        }
    }
}

void ScreenPlayHost::removePlayingDisplay(const QString &displayName)
{
    playingDisplays.removeAll(displayName);
    if (MainPlayBKLabel *s = screen(displayName)) {
        s->realPlayMode = false;
        s->update();
    }
}

void ScreenPlayHost::setCurrentSegmentObjects(GeneralObject *general, CycleObject *cycle,
                                              TimingObject *timing)
{
    Q_UNUSED(general)
    Q_UNUSED(cycle)
    Q_UNUSED(timing)
}

void ScreenPlayHost::slotCurProgramRealPlayEnd(const QString &name, CommonWinObject *window)
{
    emit sigCurProgramRealPlayEnd(name, window);
}
