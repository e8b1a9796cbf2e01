// The screens of the display windows and the play windows on them: the schedulers' hand-overs
// arrive here. The screens themselves come from the render library.
#include "menubutton.h"
#include "monitorwin.h"
#include "playwinobject.h"
#include "widget.h"

MainPlayBKLabel *Widget::createScreen(const PlayWinObject &window)
{
    Q_UNUSED(window)
    return nullptr;
}

MainPlayBKLabel *Widget::screenOf(const QString &displayName) const
{
    Q_UNUSED(displayName)
    return nullptr;
}

void Widget::applyScreenGeometry(MainPlayBKLabel *screen, const PlayWinObject &window)
{
    Q_UNUSED(screen)
    Q_UNUSED(window)
}

void Widget::destroyScreen(MainPlayBKLabel *screen)
{
    Q_UNUSED(screen)
}

void Widget::pauseWindowsOf(const QString &displayName)
{
    Q_UNUSED(displayName)
}

void Widget::slotGetRealBeginWinInfo(const QString &displayName)
{
    if (!playingDisplays.contains(displayName))
        playingDisplays << displayName;
    setEditingEnabled(false);
}

void Widget::slotRealPlayContinue(const QString &kind)
{
    Q_UNUSED(kind)
}

void Widget::slotPlayInvalid(const QString &displayName, const QString &kind, CommonWinObject *window)
{
    Q_UNUSED(displayName)
    Q_UNUSED(kind)
    Q_UNUSED(window)
}

void Widget::slotRealPlayCommonWinObj(const QString &displayName, const QString &kind,
                                      CommonWinObject *window, QList<LumoraMediaObject *> media)
{
    Q_UNUSED(displayName)
    Q_UNUSED(window)
    Q_UNUSED(media)
    currentSegmentKind = kind;
}

void Widget::stopRealPlay(const QString &displayName)
{
    Q_UNUSED(displayName)
}

void Widget::slotAddCommonWin(CommonWinObject *window, const QString &displayName, const QString &segmentKind)
{
    Q_UNUSED(window)
    Q_UNUSED(displayName)
    Q_UNUSED(segmentKind)
}

void Widget::checkProgram(ProgramObject *page, const QString &segmentKind)
{
    Q_UNUSED(page)
    Q_UNUSED(segmentKind)
}

void Widget::checkWindow(CommonWinObject *window)
{
    Q_UNUSED(window)
}

void Widget::slotWinHide()
{
    const bool hide = !screensHidden;
    screensHidden = hide;
    m_hiddenScreens.insert(currentDisplayName, hide);
    m_hideButton->setText(hide ? tr("winshow") : tr("winhide"));
}

void Widget::slotOverallLock()
{
    windowsLockedAll = !windowsLockedAll;
    m_lockButton->setText(windowsLockedAll ? tr("winunlock") : tr("winlock"));
    m_lockButton->update();
}
