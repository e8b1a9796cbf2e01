// The main window's side of the property area: the panel of the node selected in a tree or of
// the media item selected in the window panel's list, and what follows a panel's change (the
// announcement and the preview on the screen). The panels themselves, and which of them shows,
// are the PropertyArea's; the panels write into the records.
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
#include "panels/programpanel.h"
#include "panels/scheduleview.h"
#include "panels/segmentpanel.h"
#include "panels/timingsegmentpanel.h"
#include "panels/timingsegmenttimepropertywin.h"
#include "panels/windowpanel.h"
#include "prodoc.h"
#include "propertyarea.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "render/playlabel.h"
#include "widget.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QVBoxLayout>

SegmentPanel *Widget::segmentPanel() const
{
    return m_properties->segmentPanel();
}

TimingSegmentPanel *Widget::timingSegmentPanel() const
{
    return m_properties->timingSegmentPanel();
}

ProgramPanel *Widget::programPanel() const
{
    return m_properties->programPanel();
}

WindowPanel *Widget::windowPanel() const
{
    return m_properties->windowPanel();
}

ScheduleView *Widget::scheduleView() const
{
    return m_properties->scheduleView();
}

TimingSegmentTimePropertyWin *Widget::timePointWin() const
{
    return m_properties->timePointWin();
}

QWidget *Widget::shownPanel() const
{
    return m_properties->shownPanel();
}

MediaPanel *Widget::shownMediaPanel() const
{
    return m_properties->shownMediaPanel();
}

QList<MediaPanel *> Widget::mediaPanels() const
{
    return m_properties->mediaPanels();
}

void Widget::connectMediaPanel(MediaPanel *panel)
{
    connect(panel, &MediaPanel::sigLumoraMediaChanged, this, &Widget::slotMediaPanelChanged);
    connect(panel, &MediaPanel::sigVideoSeek, this, [this, panel](float seconds) {
        if (CommonPlayWindow *pw = previewWindowOf(panel->media()))
            pw->videoPlayer->on_file_seek(int(seconds));
    });
}

void Widget::addMediaPanel(MediaPanel *panel)
{
    m_properties->addMediaPanel(panel);
}

void Widget::connectPanels()
{
    // The timeline simulates the scheme as edited, saved or not; relative media paths name
    // files beside the scheme's file.
    m_properties->scheduleView()->setSchemeSource([this] {
        ScheduleView::EditedScheme scheme;
        scheme.encoded = m_prodoc->encoded();
        scheme.mediaFolder =
            m_prodoc->path().isEmpty() ? QDir::currentPath() : QFileInfo(m_prodoc->path()).absolutePath();
        return scheme;
    });
    for (MediaPanel *panel : m_properties->mediaPanels())
        connectMediaPanel(panel);
    connect(m_properties, &PropertyArea::sigMediaPanelAdded, this, &Widget::connectMediaPanel);
    connect(m_properties->segmentPanel(), &SegmentPanel::sigSegmentChanged, this, &Widget::sigSegmentChanged);
    connect(m_properties->segmentPanel(), &SegmentPanel::sigCycleSegmentChanged, this, &Widget::sigCycleSegmentChanged);
    connect(m_properties->timingSegmentPanel(), &TimingSegmentPanel::sigTimingSegmentChanged, this,
            &Widget::sigTimingSegmentChanged);
    connect(m_properties->timingSegmentPanel(), &TimingSegmentPanel::sigAddRequested, this, &Widget::slotTimingSegmentAdd);
    connect(m_properties->timingSegmentPanel(), &TimingSegmentPanel::sigEditRequested, this, &Widget::slotTimingSegmentEdit);
    connect(m_properties->timingSegmentPanel(), &TimingSegmentPanel::sigDeleteRequested, this, &Widget::slotTimingSegmentDel);
    connect(m_properties->programPanel(), &ProgramPanel::sigProgramChanged, this, &Widget::slotProgramPanelChanged);
    connect(m_properties->windowPanel(), &WindowPanel::sigCommonWinChanged, this, &Widget::slotWindowPanelChanged);
    connect(m_properties->windowPanel(), &WindowPanel::sigMediaRowSelected, this,
            &Widget::slotCommonItemTableSelectionChanged);
    connect(m_properties->windowPanel(), &WindowPanel::sigMediaUnselected, this, &Widget::slotCommonItemTableUnSelected);
    // The media-list commands go to the tree holding the window, whose records they change.
    connect(m_properties->windowPanel(), &WindowPanel::sigDeleteMedia, this, [this](LumoraMediaObject *media, int row) {
        emit sigDeleteMedia(media, row);
        if (ProjectTree *tree = m_selectedWindow ? treeOf(m_selectedWindow->displayWindowName) : nullptr)
            tree->slotDeleteMedia(media, row);
    });
    connect(m_properties->windowPanel(), &WindowPanel::sigPasteMedia, this,
            [this](LumoraMediaObject *media, CommonWinObject *window, int row) {
                emit sigPasteMedia(media, window, row);
                if (ProjectTree *tree = treeOf(window->displayWindowName))
                    tree->slotPasteMedia(media, window, row);
            });
    connect(m_properties->windowPanel(), &WindowPanel::sigSwapMedia, this, [this](int first, int second) {
        emit sigSwapMedia(first, second);
        if (ProjectTree *tree = m_selectedWindow ? treeOf(m_selectedWindow->displayWindowName) : nullptr)
            tree->slotSwapMedia(first, second);
    });
    // Whatever a panel or the screen stores into the records is an edit of the scheme.
    // A panel stores every keystroke; the steps of one field typed in a row make one undo.
    const auto step = [this](const char *name, const void *record) { noteEdit(tr(name), true, record); };
    connect(this, &Widget::sigSegmentChanged, this, [step](GeneralObject *s) { step(QT_TR_NOOP("Edit Segment"), s); });
    connect(this, &Widget::sigCycleSegmentChanged, this,
            [step](CycleObject *s) { step(QT_TR_NOOP("Edit Segment"), s); });
    connect(this, &Widget::sigTimingSegmentChanged, this,
            [step](TimingObject *s) { step(QT_TR_NOOP("Edit Segment"), s); });
    connect(this, &Widget::sigProgramChanged, this, [step](ProgramObject *p) { step(QT_TR_NOOP("Edit Page"), p); });
    connect(this, &Widget::sigCommonWinChanged, this,
            [step](CommonWinObject *w) { step(QT_TR_NOOP("Edit Window"), w); });
    connect(this, &Widget::sigCommonWinNameChanged, this,
            [step](CommonWinObject *w) { step(QT_TR_NOOP("Edit Window"), w); });
    connect(this, &Widget::sigLumoraMediaChanged, this,
            [step](int, LumoraMediaObject *m) { step(QT_TR_NOOP("Edit Media"), m); });
    connect(this, &Widget::sigDeleteMedia, this, [this] { noteEdit(tr("Delete Media")); });
    connect(this, &Widget::sigPasteMedia, this, [this] { noteEdit(tr("Paste Media")); });
    connect(this, &Widget::sigSwapMedia, this, [this] { noteEdit(tr("Move Media")); });
}

void Widget::connectScreenToPanels(MainPlayBKLabel *screen)
{
    // Position feedback of the previewed video; the screen passes it on only outside real play.
    connect(screen, &MainPlayBKLabel::sigSetVideoRange, this, [this](float seconds) {
        if (MediaPanel *panel = m_properties->shownMediaPanel())
            panel->setVideoRange(seconds);
    });
    connect(screen, &MainPlayBKLabel::sigSetVideoProgress, this, [this](float seconds) {
        if (MediaPanel *panel = m_properties->shownMediaPanel())
            panel->setVideoProgress(seconds);
    });
    connect(screen, &MainPlayBKLabel::sigWindowGeometryEdited, this, [this](CommonWinObject *window) {
        if (window && window == m_properties->windowPanel()->window())
            m_properties->windowPanel()->refresh();
        emit sigCommonWinChanged(window);
    });
}

void Widget::showPanel(QWidget *panel)
{
    m_properties->showPanel(panel);
}

void Widget::hideAllSetupLabel()
{
    m_properties->hideMediaPanels();
}

// ---------------------------------------------------------------- tree selection

void Widget::checkSchedule(const QString &rootText)
{
    Q_UNUSED(rootText)
    m_selectedGeneral = nullptr;
    m_selectedCycle = nullptr;
    m_selectedTiming = nullptr;
    m_selectedPage = nullptr;
    m_selectedWindow = nullptr;
    m_selectedMedia = nullptr;
    ProjectTree *tree = treeOf(currentDisplayName());
    m_properties->scheduleView()->showSchedule(tree ? &tree->schedule : nullptr, currentDisplayName());
    showPanel(m_properties->scheduleView());
    hidePreview(currentDisplayName());
}

// A tree that is not shown has no say in the panels: they belong to the current display window.
// A segment shows its first page, as it would begin to play.
void Widget::checkSegment(GeneralObject *segment)
{
    if (!segment || segment->displayWindowName != currentDisplayName())
        return;
    showGeneralInfo(segment);
    previewPage(segment->displayWindowName, QStringLiteral("generalSegment"), segment->programs.value(0));
}

void Widget::checkCycleSegment(CycleObject *segment)
{
    if (!segment || segment->displayWindowName != currentDisplayName())
        return;
    showCycleInfo(segment);
    previewPage(segment->displayWindowName, QStringLiteral("cycleSegment"), segment->programs.value(0));
}

void Widget::checkTimingSegment(TimingObject *segment)
{
    if (!segment || segment->displayWindowName != currentDisplayName())
        return;
    showTimingInfo(segment);
    previewPage(segment->displayWindowName, QStringLiteral("timingSegment"), segment->programs.value(0));
}

void Widget::showGeneralInfo(GeneralObject *segment)
{
    m_selectedGeneral = segment;
    m_properties->segmentPanel()->showGeneral(segment);
    showPanel(m_properties->segmentPanel());
}

void Widget::showCycleInfo(CycleObject *segment)
{
    m_selectedCycle = segment;
    m_properties->segmentPanel()->showCycle(segment);
    showPanel(m_properties->segmentPanel());
}

void Widget::showTimingInfo(TimingObject *segment)
{
    m_selectedTiming = segment;
    m_properties->timingSegmentPanel()->showTiming(segment);
    showPanel(m_properties->timingSegmentPanel());
}

void Widget::checkProgram(ProgramObject *page, const QString &segmentKind)
{
    Q_UNUSED(segmentKind)
    if (!page || page->displayWindowName != currentDisplayName())
        return;
    m_selectedPage = page;
    m_properties->programPanel()->showProgram(page);
    showPanel(m_properties->programPanel());
    previewPage(page->displayWindowName, segmentKind, page);
}

void Widget::checkWindow(CommonWinObject *window)
{
    if (!window || window->displayWindowName != currentDisplayName())
        return;
    m_selectedWindow = window;
    m_selectedMedia = nullptr;
    m_properties->windowPanel()->showWindow(window, displaySize(window->displayWindowName));
    showPanel(m_properties->windowPanel());
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
    m_properties->keepOnly(m_selectedGeneral, m_selectedCycle, m_selectedTiming, m_selectedPage, m_selectedWindow,
                           m_selectedMedia);
}

// ---------------------------------------------------------------- media list

void Widget::slotCommonItemTableSelectionChanged(int row)
{
    if (!m_selectedWindow)
        return;
    emit sigSelectedMedia(m_selectedWindow->name, row);
    if (ProjectTree *tree = treeOf(m_selectedWindow->displayWindowName))
        tree->slotSelectMedia(m_selectedWindow->name, row);
}

void Widget::slotCommonItemTableUnSelected()
{
    m_selectedMedia = nullptr;
    hideAllSetupLabel();
    MainPlayBKLabel *screen = m_selectedWindow ? screenOf(m_selectedWindow->displayWindowName) : nullptr;
    if (CommonPlayWindow *pw =
            screen && !screen->realPlayMode ? screen->findPlayWindow(m_selectedWindow) : nullptr)
        pw->stopPreview();
}

void Widget::slotSelectMediaObject(LumoraMediaObject *media)
{
    m_selectedMedia = media;
    hideAllSetupLabel();
    if (!media)
        return;
    const int row = m_selectedWindow ? m_selectedWindow->media.indexOf(media) : -1;
    m_properties->showMediaPanel(media, row);
    previewMedia(media);
}

void Widget::slotAddMediaObject(int index, LumoraMediaObject *media)
{
    // Imported files arrive after their menu entry is over, each when it has been read: the
    // arrivals of one import make one step.
    noteEdit(tr("Add Media"), true);
    // A new item of the window on show appears in its list at once, selected, with its panel.
    if (!media || !m_selectedWindow || m_properties->windowPanel()->window() != m_selectedWindow ||
        !m_selectedWindow->media.contains(media)) {
        m_selectedMedia = media;
        return;
    }
    m_properties->windowPanel()->refresh();
    {
        const QSignalBlocker blocker(m_properties->windowPanel());
        m_properties->windowPanel()->selectMediaRow(index);
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
    if (!media || !m_selectedWindow || !m_selectedWindow->media.contains(const_cast<LumoraMediaObject *>(media)))
        return nullptr;
    MainPlayBKLabel *screen = screenOf(m_selectedWindow->displayWindowName);
    if (!screen || screen->realPlayMode)
        return nullptr;
    return screen->findPlayWindow(m_selectedWindow);
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
        m_properties->windowPanel()->refresh();
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
    m_properties->timingSegmentPanel()->addTimePoint(m_properties->timePointWin());
    noteEdit(tr("Add Time Point"));
}

void Widget::slotTimingSegmentEdit()
{
    m_properties->timingSegmentPanel()->editTimePoint(m_properties->timePointWin());
    noteEdit(tr("Edit Time Point"));
}

void Widget::slotTimingSegmentDel()
{
    m_properties->timingSegmentPanel()->deleteTimePoint();
    noteEdit(tr("Delete Time Point"));
}
