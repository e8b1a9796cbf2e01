// The main window's side of the editing operations: records a tree is about to free take
// their play windows and the editor's selection with them; the window presets; layer moves
// restack the play windows.
#include "displaywindowset.h"
#include "editor/projecttree.h"
#include "editor/projectwidget.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/timingobject.h"
#include "model/windowpreset.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "widget.h"

#include <QAction>

namespace {
template<typename T> void forgetUnless(T *&pointer, const QList<T *> &alive)
{
    if (pointer && !alive.contains(pointer))
        pointer = nullptr;
}
} // namespace

void Widget::connectEditing(ProjectTree *tree)
{
    // tree -> main window: removals are announced before the records are freed
    connect(tree, &ProjectTree::deleteSegmentObj, this, &Widget::slotDeleteSegmentObj);
    connect(tree, &ProjectTree::deleteCycleSegmentObj, this, &Widget::slotDeleteCycleSegmentObj);
    connect(tree, &ProjectTree::deleteTimingSegmentObj, this, &Widget::slotDeleteTimingSegmentObj);
    connect(tree, &ProjectTree::clearSegmentObj, this, &Widget::slotClearSegmentObj);
    connect(tree, &ProjectTree::deleteProgramObj, this, &Widget::slotDeleteProgramObj);
    connect(tree, &ProjectTree::deleteCommonWinObj, this, &Widget::slotDeleteCommonWinObj);
    connect(tree, &ProjectTree::clearCommonWinObjs, this, &Widget::slotClearCommonWinObjs);
    connect(tree, &ProjectTree::clearMediaObjs, this, &Widget::slotClearMediaObjs);
    connect(tree, &ProjectTree::sigDeleteMediaObject, this, &Widget::slotDeleteMediaObject);
    connect(tree, &ProjectTree::sigSelectMediaObject, this, &Widget::slotSelectMediaObject);
    connect(tree, &ProjectTree::sigAddProgram, this, &Widget::slotAddProgram);
    connect(tree, &ProjectTree::sigMoveupCommonWin, this, &Widget::slotMoveupCommonWin);
    connect(tree, &ProjectTree::sigMovedownCommonWin, this, &Widget::slotMovedownCommonWin);
    connect(tree, &ProjectTree::sigEdited, this, [this](const QString &step) { noteEdit(step); });
    for (auto signal : {&ProjectTree::sigAddVideoObject, &ProjectTree::sigAddImageObject,
                        &ProjectTree::sigAddDigitalClockObject, &ProjectTree::sigAddAnalogClockObject,
                        &ProjectTree::sigAddDigitalTimerObject, &ProjectTree::sigAddUrlObject,
                        &ProjectTree::sigAddStreamingObject, &ProjectTree::sigAddVideoDeviceObject,
                        &ProjectTree::sigAddWeatherObject, &ProjectTree::sigAddSimpleTextObject,
                        &ProjectTree::sigAddSingleLineTextObject, &ProjectTree::sigAddRollingTextObject})
        connect(tree, signal, this, &Widget::slotAddMediaObject);
    // The presets of a tree's window menu act on that tree's current window.
    for (int i = 0; i < tree->windowPositionActions.size(); ++i)
        connect(tree->windowPositionActions.at(i), &QAction::triggered, this,
                [this, tree, i] { applyPreset(tree, WindowPreset::Center + i); });
    for (int i = 0; i < tree->windowSizeActions.size(); ++i)
        connect(tree->windowSizeActions.at(i), &QAction::triggered, this,
                [this, tree, i] { applyPreset(tree, WindowPreset::FullScreen + i); });
}

QSize Widget::displaySize(const QString &displayName) const
{
    const PlayWinObject *window = m_displays->window(displayName);
    return window ? QSize(window->width, window->height) : QSize();
}

// Play windows and selections that point at records no tree holds any more go now, while
// those records still exist.
void Widget::dropRemovedRecords()
{
    QList<GeneralObject *> generals;
    QList<CycleObject *> cycles;
    QList<TimingObject *> timings;
    QList<ProgramObject *> pages;
    QList<CommonWinObject *> windows;
    QList<LumoraMediaObject *> media;
    for (ProjectWidget *treeWidget : m_displays->treeWidgets()) {
        ProjectTree *tree = treeWidget->tree();
        generals << tree->generalSegments;
        cycles << tree->cycleSegments;
        timings << tree->timingSegments;
        pages << tree->schedule.allPrograms();
        windows << tree->allWindows();
        media << tree->allMedia();
    }
    for (MainPlayBKLabel *screen : m_displays->screens()) {
        const QList<CommonPlayWindow *> playWindows = screen->playWindows;
        for (CommonPlayWindow *pw : playWindows) {
            if (windows.contains(pw->winObject))
                continue;
            pw->stopWindowPlay();
            screen->playWindows.removeOne(pw);
            delete pw;
        }
    }
    forgetUnless(m_currentGeneralObject, generals);
    forgetUnless(m_currentCycleObject, cycles);
    forgetUnless(m_currentTimingObject, timings);
    forgetUnless(m_selectedGeneral, generals);
    forgetUnless(m_selectedCycle, cycles);
    forgetUnless(m_selectedTiming, timings);
    forgetUnless(m_selectedPage, pages);
    forgetUnless(m_selectedWindow, windows);
    forgetUnless(m_selectedMedia, media);
    syncPanels();
}

void Widget::slotDeleteSegmentObj(GeneralObject *segment)
{
    Q_UNUSED(segment)
    dropRemovedRecords();
}

void Widget::slotDeleteCycleSegmentObj(CycleObject *segment)
{
    Q_UNUSED(segment)
    dropRemovedRecords();
}

void Widget::slotDeleteTimingSegmentObj(TimingObject *segment)
{
    Q_UNUSED(segment)
    dropRemovedRecords();
}

void Widget::slotClearSegmentObj()
{
    dropRemovedRecords();
}

void Widget::slotDeleteProgramObj(ProgramObject *page)
{
    Q_UNUSED(page)
    dropRemovedRecords();
}

void Widget::slotDeleteCommonWinObj(CommonWinObject *window)
{
    Q_UNUSED(window)
    dropRemovedRecords();
}

void Widget::slotClearCommonWinObjs()
{
    dropRemovedRecords();
}

void Widget::slotClearMediaObjs(CommonWinObject *window)
{
    if (!window)
        return;
    if (m_selectedMedia && window->media.contains(m_selectedMedia))
        m_selectedMedia = nullptr;
    syncPanels();
    if (MainPlayBKLabel *screen = screenOf(window->displayWindowName)) {
        if (CommonPlayWindow *pw = screen->findPlayWindow(window))
            pw->stopWindowPlay();
    }
}

void Widget::slotDeleteMediaObject(LumoraMediaObject *media)
{
    if (m_selectedMedia == media)
        m_selectedMedia = nullptr;
    syncPanels();
    for (MainPlayBKLabel *screen : m_displays->screens()) {
        for (CommonPlayWindow *pw : qAsConst(screen->playWindows)) {
            if (pw->currentItem == media || pw->mediaList.contains(media))
                pw->stopWindowPlay();
        }
    }
}

void Widget::slotAddProgram(ProgramObject *page)
{
    m_selectedPage = page;
}

// The play windows of the page stacked in its window list's order, bottom layer first.
void Widget::restackPage(const CommonWinObject *window)
{
    MainPlayBKLabel *screen = screenOf(window->displayWindowName);
    ProjectTree *tree = treeOf(window->displayWindowName);
    if (!screen || !tree)
        return;
    const QList<ProgramObject *> *pages = tree->programsOf(window->segmentKind, window->segmentName);
    if (!pages)
        return;
    for (const ProgramObject *page : *pages) {
        if (page->name != window->programName)
            continue;
        for (const CommonWinObject *layer : page->windows) {
            if (CommonPlayWindow *pw = screen->findPlayWindow(layer))
                pw->raise();
        }
    }
}

void Widget::slotMoveupCommonWin(CommonWinObject *window)
{
    if (window)
        restackPage(window);
}

void Widget::slotMovedownCommonWin(CommonWinObject *window)
{
    if (window)
        restackPage(window);
}

void Widget::applyPreset(ProjectTree *tree, int preset)
{
    if (!tree || playingDisplays().contains(tree->displayName))
        return;
    CommonWinObject *window = tree->getCurCommonWin();
    const QSize area = displaySize(tree->displayName);
    if (!window || !area.isValid() || !tree->allWindows().contains(window))
        return;
    const QRect placed = WindowPreset::apply(
        WindowPreset::Preset(preset), QRect(window->x, window->y, window->width, window->height), area);
    window->x = placed.x();
    window->y = placed.y();
    window->width = placed.width();
    window->height = placed.height();
    if (MainPlayBKLabel *screen = screenOf(tree->displayName))
        screen->applyWindowProperties(window);
    slotWindowPanelChanged(nullptr);
}

void Widget::setWinPosCenterSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::Center);
}

void Widget::setWinPosCenterHSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::CenterHorizontally);
}

void Widget::setWinPosCenterVSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::CenterVertically);
}

void Widget::setWinPosLeftSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::Left);
}

void Widget::setWinPosRightSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::Right);
}

void Widget::setWinPosTopSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::Top);
}

void Widget::setWinPosBottomSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::Bottom);
}

void Widget::setWinSizeFullscreenSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::FullScreen);
}

void Widget::setWinSizeHFullscreenSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::HorizontalFull);
}

void Widget::setWinSizeHHalfSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::HorizontalHalf);
}

void Widget::setWinSizeHThirdSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::HorizontalThird);
}

void Widget::setWinSizeHQuarterSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::HorizontalQuarter);
}

void Widget::setWinSizeVFullscreenSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::VerticalFull);
}

void Widget::setWinSizeVHalfSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::VerticalHalf);
}

void Widget::setWinSizeVThirdSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::VerticalThird);
}

void Widget::setWinSizeVQuarterSlot()
{
    applyPreset(treeOf(currentDisplayName()), WindowPreset::VerticalQuarter);
}
