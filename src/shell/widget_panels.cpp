// The property area of the main window: which panel shows for the selected node or media
// item, and what follows a panel's change (the announcement and the preview on the screen).
// The panels themselves write into the records.
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "editor/projectwidget.h"
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/timingobject.h"
#include "panels/mediapanel.h"
#include "panels/mediapanels.h"
#include "panels/programpanel.h"
#include "panels/scheduleview.h"
#include "panels/segmentpanel.h"
#include "panels/timingsegmentpanel.h"
#include "panels/timingsegmenttimepropertywin.h"
#include "panels/windowpanel.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "render/playlabel.h"
#include "widget.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

void Widget::buildPanels(QVBoxLayout *area)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(12);
    m_nodePanels = new QStackedWidget(m_propertyArea);
    m_emptyPanel = new QWidget(m_nodePanels);
    m_scheduleView = new ScheduleView(m_nodePanels);
    m_segmentPanel = new SegmentPanel(m_nodePanels);
    m_timingPanel = new TimingSegmentPanel(m_nodePanels);
    m_programPanel = new ProgramPanel(m_nodePanels);
    m_windowPanel = new WindowPanel(m_nodePanels);
    for (QWidget *panel : std::initializer_list<QWidget *>{m_emptyPanel, m_scheduleView, m_segmentPanel,
                                                           m_timingPanel, m_programPanel, m_windowPanel}) {
        m_nodePanels->addWidget(panel);
        // Only the panel on show sets how narrow the column may be: the window panel's list
        // shares the area with the panel of its selected item.
        if (panel != m_windowPanel)
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    row->addWidget(m_nodePanels, 1);

    // The media panel of the item selected in the window panel's list, beside that list.
    m_mediaArea = new QScrollArea(m_propertyArea);
    m_mediaArea->setObjectName(QStringLiteral("mediaArea"));
    m_mediaArea->setWidgetResizable(true);
    m_mediaArea->setFrameShape(QFrame::NoFrame);
    auto *holder = new QWidget;
    holder->setObjectName(QStringLiteral("mediaHolder"));
    m_mediaLayout = new QVBoxLayout(holder);
    m_mediaLayout->setContentsMargins(0, 0, 0, 0);
    m_mediaArea->setWidget(holder);
    m_mediaArea->hide();
    row->addWidget(m_mediaArea, 1);
    area->addLayout(row, 1);

    for (MediaPanel *panel : createMediaPanels(holder))
        addMediaPanel(panel);
    m_timePointWin = new TimingSegmentTimePropertyWin(this);
    m_nodePanels->setCurrentWidget(m_emptyPanel);
}

void Widget::addMediaPanel(MediaPanel *panel)
{
    panel->setParent(m_mediaArea->widget());
    panel->hide();
    m_mediaLayout->addWidget(panel);
    // A panel added later takes the kinds it edits over from the ones before it.
    m_mediaPanels.prepend(panel);
    connect(panel, &MediaPanel::sigLumoraMediaChanged, this, &Widget::slotMediaPanelChanged);
    connect(panel, &MediaPanel::sigVideoSeek, this, [this, panel](float seconds) {
        if (CommonPlayWindow *pw = previewWindowOf(panel->media()))
            pw->videoPlayer->on_file_seek(int(seconds));
    });
}

void Widget::connectPanels()
{
    connect(m_segmentPanel, &SegmentPanel::sigSegmentChanged, this, &Widget::sigSegmentChanged);
    connect(m_segmentPanel, &SegmentPanel::sigCycleSegmentChanged, this, &Widget::sigCycleSegmentChanged);
    connect(m_timingPanel, &TimingSegmentPanel::sigTimingSegmentChanged, this,
            &Widget::sigTimingSegmentChanged);
    connect(m_timingPanel, &TimingSegmentPanel::sigAddRequested, this, &Widget::slotTimingSegmentAdd);
    connect(m_timingPanel, &TimingSegmentPanel::sigEditRequested, this, &Widget::slotTimingSegmentEdit);
    connect(m_timingPanel, &TimingSegmentPanel::sigDeleteRequested, this, &Widget::slotTimingSegmentDel);
    connect(m_programPanel, &ProgramPanel::sigProgramChanged, this, &Widget::slotProgramPanelChanged);
    connect(m_windowPanel, &WindowPanel::sigCommonWinChanged, this, &Widget::slotWindowPanelChanged);
    connect(m_windowPanel, &WindowPanel::sigMediaRowSelected, this,
            &Widget::slotCommonItemTableSelectionChanged);
    connect(m_windowPanel, &WindowPanel::sigMediaUnselected, this, &Widget::slotCommonItemTableUnSelected);
    // The media-list commands go to the tree holding the window, whose records they change.
    connect(m_windowPanel, &WindowPanel::sigDeleteMedia, this, [this](LumoraMediaObject *media, int row) {
        emit sigDeleteMedia(media, row);
        if (ProjectTree *tree = selectedWindow ? treeOf(selectedWindow->displayWindowName) : nullptr)
            tree->slotDeleteMedia(media, row);
    });
    connect(m_windowPanel, &WindowPanel::sigPasteMedia, this,
            [this](LumoraMediaObject *media, CommonWinObject *window, int row) {
                emit sigPasteMedia(media, window, row);
                if (ProjectTree *tree = treeOf(window->displayWindowName))
                    tree->slotPasteMedia(media, window, row);
            });
    connect(m_windowPanel, &WindowPanel::sigSwapMedia, this, [this](int first, int second) {
        emit sigSwapMedia(first, second);
        if (ProjectTree *tree = selectedWindow ? treeOf(selectedWindow->displayWindowName) : nullptr)
            tree->slotSwapMedia(first, second);
    });
}

void Widget::connectScreenToPanels(MainPlayBKLabel *screen)
{
    // Position feedback of the previewed video; the screen passes it on only outside real play.
    connect(screen, &MainPlayBKLabel::sigSetVideoRange, this, [this](float seconds) {
        if (m_shownMediaPanel)
            m_shownMediaPanel->setVideoRange(seconds);
    });
    connect(screen, &MainPlayBKLabel::sigSetVideoProgress, this, [this](float seconds) {
        if (m_shownMediaPanel)
            m_shownMediaPanel->setVideoProgress(seconds);
    });
    connect(screen, &MainPlayBKLabel::sigWindowGeometryEdited, this, [this](CommonWinObject *window) {
        if (window && window == m_windowPanel->window())
            m_windowPanel->refresh();
        emit sigCommonWinChanged(window);
    });
}

QWidget *Widget::shownPanel() const
{
    QWidget *panel = m_nodePanels->currentWidget();
    return panel == m_emptyPanel ? nullptr : panel;
}

void Widget::showPanel(QWidget *panel)
{
    m_nodePanels->setCurrentWidget(panel ? panel : m_emptyPanel);
    if (panel != m_windowPanel)
        hideAllSetupLabel();
}

void Widget::hideAllSetupLabel()
{
    for (MediaPanel *panel : qAsConst(m_mediaPanels)) {
        panel->hide();
        panel->clearMedia();
    }
    m_shownMediaPanel = nullptr;
    m_mediaArea->hide();
    m_windowPanel->setCompact(false);
    m_nodePanels->setMaximumWidth(QWIDGETSIZE_MAX);
}

// ---------------------------------------------------------------- tree selection

void Widget::checkSchedule(const QString &rootText)
{
    Q_UNUSED(rootText)
    selectedGeneral = nullptr;
    selectedCycle = nullptr;
    selectedTiming = nullptr;
    selectedPage = nullptr;
    selectedWindow = nullptr;
    selectedMedia = nullptr;
    ProjectTree *tree = treeOf(currentDisplayName());
    m_scheduleView->showSchedule(tree ? &tree->schedule : nullptr);
    showPanel(m_scheduleView);
    MainPlayBKLabel *screen = screenOf(currentDisplayName());
    if (!screen || screen->realPlayMode)
        return;
    for (CommonPlayWindow *pw : qAsConst(screen->playWindows)) {
        pw->stopPreview();
        pw->hide();
    }
}

// A tree that is not shown has no say in the panels: they belong to the current display window.
void Widget::checkSegment(GeneralObject *segment)
{
    if (segment && segment->displayWindowName == currentDisplayName())
        showGeneralInfo(segment);
}

void Widget::checkCycleSegment(CycleObject *segment)
{
    if (segment && segment->displayWindowName == currentDisplayName())
        showCycleInfo(segment);
}

void Widget::checkTimingSegment(TimingObject *segment)
{
    if (segment && segment->displayWindowName == currentDisplayName())
        showTimingInfo(segment);
}

void Widget::showGeneralInfo(GeneralObject *segment)
{
    selectedGeneral = segment;
    m_segmentPanel->showGeneral(segment);
    showPanel(m_segmentPanel);
}

void Widget::showCycleInfo(CycleObject *segment)
{
    selectedCycle = segment;
    m_segmentPanel->showCycle(segment);
    showPanel(m_segmentPanel);
}

void Widget::showTimingInfo(TimingObject *segment)
{
    selectedTiming = segment;
    m_timingPanel->showTiming(segment);
    showPanel(m_timingPanel);
}

void Widget::checkProgram(ProgramObject *page, const QString &segmentKind)
{
    Q_UNUSED(segmentKind)
    if (!page || page->displayWindowName != currentDisplayName())
        return;
    selectedPage = page;
    m_programPanel->showProgram(page);
    showPanel(m_programPanel);
    if (MainPlayBKLabel *screen = screenOf(page->displayWindowName); screen && !screen->realPlayMode)
        screen->setPageBackground(page->backgroundColor, page->backgroundImage, page->backgroundDisplayType);
    if (page->windows.isEmpty()) {
        if (MainPlayBKLabel *screen = screenOf(currentDisplayName()); screen && !screen->realPlayMode) {
            for (CommonPlayWindow *pw : qAsConst(screen->playWindows)) {
                pw->stopPreview();
                pw->hide();
            }
        }
        return;
    }
    showPagePreview(page->windows.first(), false);
}

void Widget::checkWindow(CommonWinObject *window)
{
    if (!window || window->displayWindowName != currentDisplayName())
        return;
    selectedWindow = window;
    selectedMedia = nullptr;
    m_windowPanel->showWindow(window, displaySize(window->displayWindowName));
    showPanel(m_windowPanel);
    hideAllSetupLabel();
    showPageBackground(window);
    showPagePreview(window, true);
}

void Widget::showCurrentNodePanel()
{
    ProjectTree *tree = treeOf(currentDisplayName());
    if (tree && tree->currentTreeItem())
        tree->slotSelectItemChecked();
    else
        checkSchedule(QString());
}

void Widget::syncPanels()
{
    if (m_segmentPanel->general() && m_segmentPanel->general() != selectedGeneral)
        m_segmentPanel->showGeneral(nullptr);
    if (m_segmentPanel->cycle() && m_segmentPanel->cycle() != selectedCycle)
        m_segmentPanel->showCycle(nullptr);
    if (m_timingPanel->timing() && m_timingPanel->timing() != selectedTiming)
        m_timingPanel->showTiming(nullptr);
    if (m_programPanel->program() && m_programPanel->program() != selectedPage)
        m_programPanel->showProgram(nullptr);
    if (m_windowPanel->window() && m_windowPanel->window() != selectedWindow)
        m_windowPanel->showWindow(nullptr, QSize());
    if (m_shownMediaPanel && m_shownMediaPanel->media() != selectedMedia)
        hideAllSetupLabel();
    QWidget *shown = m_nodePanels->currentWidget();
    const bool empty = (shown == m_segmentPanel && !m_segmentPanel->general() && !m_segmentPanel->cycle()) ||
                       (shown == m_timingPanel && !m_timingPanel->timing()) ||
                       (shown == m_programPanel && !m_programPanel->program()) ||
                       (shown == m_windowPanel && !m_windowPanel->window());
    if (empty)
        showPanel(nullptr);
    // The media list changes after its announcement: read it again once the tree is done.
    QTimer::singleShot(0, m_windowPanel, &WindowPanel::refresh);
}

// ---------------------------------------------------------------- media list

void Widget::slotCommonItemTableSelectionChanged(int row)
{
    if (!selectedWindow)
        return;
    emit sigSelectedMedia(selectedWindow->name, row);
    if (ProjectTree *tree = treeOf(selectedWindow->displayWindowName))
        tree->slotSelectMedia(selectedWindow->name, row);
}

void Widget::slotCommonItemTableUnSelected()
{
    selectedMedia = nullptr;
    hideAllSetupLabel();
    MainPlayBKLabel *screen = selectedWindow ? screenOf(selectedWindow->displayWindowName) : nullptr;
    if (CommonPlayWindow *pw =
            screen && !screen->realPlayMode ? screen->findPlayWindow(selectedWindow) : nullptr)
        pw->stopPreview();
}

void Widget::slotSelectMediaObject(LumoraMediaObject *media)
{
    selectedMedia = media;
    hideAllSetupLabel();
    if (!media)
        return;
    const int row = selectedWindow ? selectedWindow->media.indexOf(media) : -1;
    for (MediaPanel *panel : qAsConst(m_mediaPanels)) {
        if (panel->kinds().contains(media->type)) {
            panel->showMedia(media, row);
            panel->show();
            m_shownMediaPanel = panel;
            m_windowPanel->setCompact(true);
            m_nodePanels->setMaximumWidth(240);
            m_mediaArea->show();
            break;
        }
    }
    previewMedia(media);
}

void Widget::slotAddMediaObject(int index, LumoraMediaObject *media)
{
    // A new item of the window on show appears in its list at once, selected, with its panel.
    if (!media || !selectedWindow || m_windowPanel->window() != selectedWindow ||
        !selectedWindow->media.contains(media)) {
        selectedMedia = media;
        return;
    }
    m_windowPanel->refresh();
    {
        const QSignalBlocker blocker(m_windowPanel);
        m_windowPanel->selectMediaRow(index);
    }
    slotSelectMediaObject(media);
}

// ---------------------------------------------------------------- changes and preview

ProgramObject *Widget::pageOf(const CommonWinObject *window) const
{
    ProjectTree *tree = window ? treeOf(window->displayWindowName) : nullptr;
    const QList<ProgramObject *> *pages =
        tree ? tree->programsOf(window->segmentKind, window->segmentName) : nullptr;
    if (!pages)
        return nullptr;
    for (ProgramObject *page : *pages) {
        if (page->name == window->programName)
            return page;
    }
    return nullptr;
}

void Widget::showPageBackground(const CommonWinObject *window)
{
    MainPlayBKLabel *screen = window ? screenOf(window->displayWindowName) : nullptr;
    if (const ProgramObject *page = pageOf(window); screen && page)
        screen->setPageBackground(page->backgroundColor, page->backgroundImage, page->backgroundDisplayType);
}

CommonPlayWindow *Widget::previewWindowOf(const LumoraMediaObject *media) const
{
    if (!media || !selectedWindow || !selectedWindow->media.contains(const_cast<LumoraMediaObject *>(media)))
        return nullptr;
    MainPlayBKLabel *screen = screenOf(selectedWindow->displayWindowName);
    if (!screen || screen->realPlayMode)
        return nullptr;
    return screen->findPlayWindow(selectedWindow);
}

void Widget::previewMedia(LumoraMediaObject *media)
{
    if (CommonPlayWindow *pw = previewWindowOf(media))
        pw->previewItem(media);
}

void Widget::slotMediaPanelChanged(int row, LumoraMediaObject *media)
{
    emit sigLumoraMediaChanged(row, media);
    previewMedia(media);
}

void Widget::slotWindowPanelChanged(CommonWinObject *window)
{
    if (!window) {
        // A preset moved the selected window: the panel shows where it went.
        m_windowPanel->refresh();
        return;
    }
    if (MainPlayBKLabel *screen = screenOf(window->displayWindowName))
        screen->applyWindowProperties(window);
    emit sigCommonWinChanged(window);
}

void Widget::slotProgramPanelChanged(ProgramObject *page)
{
    MainPlayBKLabel *screen = page ? screenOf(page->displayWindowName) : nullptr;
    if (screen && !screen->realPlayMode)
        screen->setPageBackground(page->backgroundColor, page->backgroundImage, page->backgroundDisplayType);
    emit sigProgramChanged(page);
}

// ---------------------------------------------------------------- time points

void Widget::slotTimingSegmentAdd()
{
    m_timingPanel->addTimePoint(m_timePointWin);
}

void Widget::slotTimingSegmentEdit()
{
    m_timingPanel->editTimePoint(m_timePointWin);
}

void Widget::slotTimingSegmentDel()
{
    m_timingPanel->deleteTimePoint();
}
