#include "screenplayhost.h"

#include "commonplaywindow.h"
#include "log/playoutcome.h"
#include "mainplaybklabel.h"
#include "model/commonwinobject.h"
#include "model/programobject.h"
#include "player/segmentscheduler.h"

#include <QMessageBox>

namespace {
const QString generalKind = SegmentScheduler::keyword(SegmentScheduler::SegmentKind::General);

// What the row of the item a play window showed says when the window is stopped for `cut`.
PlayOutcome outcomeOf(PlayHost::Cut cut)
{
    switch (cut) {
    case PlayHost::Cut::Schedule:
        return PlayOutcome::CutBySchedule;
    case PlayHost::Cut::Insert:
        return PlayOutcome::CutByInsert;
    case PlayHost::Cut::Stop:
        return PlayOutcome::CutByStop;
    case PlayHost::Cut::Midnight:
        return PlayOutcome::CutAtMidnight;
    }
    return PlayOutcome::CutByStop;
}
} // namespace

ScreenPlayHost::ScreenPlayHost(QObject *parent)
    : QObject(parent)
{}

ScreenPlayHost::~ScreenPlayHost() = default;

void ScreenPlayHost::addDisplay(SegmentScheduler *scheduler, MainPlayBKLabel *screen)
{
    if (scheduler) {
        scheduler->setPlayHost(this);
        m_schedulers.append(scheduler);
        // A scheduler goes with its tree, which may be deleted before its screen.
        connect(scheduler, &QObject::destroyed, this,
                [this, scheduler] { m_schedulers.removeOne(scheduler); });
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
    for (SegmentScheduler *scheduler : QList<SegmentScheduler *>(m_schedulers)) {
        if (scheduler->displayName() != name)
            continue;
        disconnect(this, nullptr, scheduler, nullptr);
        scheduler->setPlayHost(nullptr);
        m_schedulers.removeOne(scheduler);
    }
    if (MainPlayBKLabel *s = screen(name)) {
        disconnect(s, nullptr, this, nullptr);
        m_screens.removeOne(s);
    }
    if (m_playingDisplays.removeAll(name) > 0)
        emit sigPlayingDisplaysChanged();
}

void ScreenPlayHost::renameDisplay(const QString &oldName, const QString &newName)
{
    const int at = m_playingDisplays.indexOf(oldName);
    if (at >= 0)
        m_playingDisplays.replace(at, newName);
    if (m_currentDisplayName == oldName)
        m_currentDisplayName = newName;
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

void ScreenPlayHost::slotGetRealBeginWinInfo(const QString &displayName)
{
    const bool began = !m_playingDisplays.contains(displayName);
    if (began)
        m_playingDisplays.append(displayName);
    if (MainPlayBKLabel *s = screen(displayName)) {
        // An item previewed in the editor gives way to the schedule.
        for (CommonPlayWindow *pw : qAsConst(s->playWindows))
            pw->stopPreview();
        s->realPlayMode = true;
        s->update();
        // Players are created and their first files loaded now, while the first page still
        // comes, rather than in the middle of a hand-over.
        for (CommonPlayWindow *pw : qAsConst(s->playWindows)) {
            pw->prepareFirstVideo();
            pw->selected = false;
        }
        s->selected = false;
    }
    if (began)
        emit sigPlayingDisplaysChanged();
}

void ScreenPlayHost::slotRealPlayContinue(const QString &kind)
{
    for (MainPlayBKLabel *s : qAsConst(m_screens)) {
        for (CommonPlayWindow *pw : qAsConst(s->playWindows)) {
            if (pw->winObject && pw->winObject->displayWindowName == m_currentDisplayName &&
                pw->segmentKind == kind)
                pw->resumeWindowPlay();
        }
    }
}

void ScreenPlayHost::slotPlayInvalid(const QString &displayName, const QString &kind, CommonWinObject *window,
                                     Cut cut)
{
    Q_UNUSED(kind)
    // Every kind: the scheduler also discards insert windows it cuts short.
    MainPlayBKLabel *s = screen(displayName);
    if (!s || !window)
        return;
    for (CommonPlayWindow *pw : qAsConst(s->playWindows)) {
        if (pw->shows(window)) {
            pw->stopWindowPlay(outcomeOf(cut));
            pw->listEnded = false;
            pw->hide();
        }
    }
}

void ScreenPlayHost::slotRealPlayCommonWinObj(const QString &displayName, const QString &kind,
                                              CommonWinObject *window, QList<LumoraMediaObject *> media)
{
    m_currentSegmentKind = kind;
    showPageBackground(displayName, window);
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
            // An insert's window of another kind gives way to this one.
            pw->stopWindowPlay(PlayOutcome::CutByInsert);
            pw->listEnded = false;
            pw->hide();
        }
    }
}

void ScreenPlayHost::stopRealPlay(const QString &displayName, Cut cut)
{
    if (MainPlayBKLabel *s = screen(displayName)) {
        for (CommonPlayWindow *pw : qAsConst(s->playWindows)) {
            pw->stopWindowPlay(outcomeOf(cut));
            pw->listEnded = false;
        }
    }
}

void ScreenPlayHost::removePlayingDisplay(const QString &displayName)
{
    const bool stopped = m_playingDisplays.removeAll(displayName) > 0;
    if (MainPlayBKLabel *s = screen(displayName)) {
        s->realPlayMode = false;
        s->update();
    }
    if (stopped)
        emit sigPlayingDisplaysChanged();
}

void ScreenPlayHost::showInformation(const QString &title, const QString &text)
{
    QMessageBox::information(m_informationParent, title, text, QMessageBox::Ok);
}

// The page of `window` shows its background on the screen behind its windows.
void ScreenPlayHost::showPageBackground(const QString &displayName, const CommonWinObject *window)
{
    MainPlayBKLabel *s = screen(displayName);
    if (!s || !window)
        return;
    for (const SegmentScheduler *scheduler : qAsConst(m_schedulers)) {
        if (scheduler->displayName() != displayName)
            continue;
        for (const ProgramObject *page : scheduler->schedule().allPrograms()) {
            if (page->windows.contains(const_cast<CommonWinObject *>(window))) {
                s->setPageBackground(page->backgroundColor, page->backgroundImage, page->backgroundDisplayType);
                return;
            }
        }
    }
}

void ScreenPlayHost::slotCurProgramRealPlayEnd(const QString &name, CommonWinObject *window)
{
    emit sigCurProgramRealPlayEnd(name, window);
}
