#include "propertyarea.h"

#include "model/lumoramediaobject.h"
#include "panels/mediapanel.h"
#include "panels/mediapanels.h"
#include "panels/programpanel.h"
#include "panels/scheduleview.h"
#include "panels/segmentpanel.h"
#include "panels/timingsegmentpanel.h"
#include "panels/timingsegmenttimepropertywin.h"
#include "panels/windowpanel.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

PropertyArea::PropertyArea(QWidget *area, QVBoxLayout *layout, QWidget *dialogParent)
    : QObject(area)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(12);
    m_nodePanels = new QStackedWidget(area);
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
    m_mediaArea = new QScrollArea(area);
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
    layout->addLayout(row, 1);

    for (MediaPanel *panel : createMediaPanels(holder))
        addMediaPanel(panel);
    m_timePointWin = new TimingSegmentTimePropertyWin(dialogParent);
    m_nodePanels->setCurrentWidget(m_emptyPanel);
}

void PropertyArea::addMediaPanel(MediaPanel *panel)
{
    panel->setParent(m_mediaArea->widget());
    panel->hide();
    m_mediaLayout->addWidget(panel);
    // A panel added later takes the kinds it edits over from the ones before it.
    m_mediaPanels.prepend(panel);
    emit sigMediaPanelAdded(panel);
}

void PropertyArea::setEditingEnabled(bool enabled)
{
    for (int i = 0; i < m_nodePanels->count(); ++i) {
        if (m_nodePanels->widget(i) != m_scheduleView)
            m_nodePanels->widget(i)->setEnabled(enabled);
    }
    m_mediaArea->setEnabled(enabled);
}

bool PropertyArea::isEditingEnabled() const
{
    return m_mediaArea->isEnabled();
}

QWidget *PropertyArea::shownPanel() const
{
    QWidget *panel = m_nodePanels->currentWidget();
    return panel == m_emptyPanel ? nullptr : panel;
}

void PropertyArea::showPanel(QWidget *panel)
{
    m_nodePanels->setCurrentWidget(panel ? panel : m_emptyPanel);
    if (panel != m_windowPanel)
        hideMediaPanels();
}

bool PropertyArea::showMediaPanel(LumoraMediaObject *media, int row)
{
    for (MediaPanel *panel : qAsConst(m_mediaPanels)) {
        if (panel->kinds().contains(media->type)) {
            panel->showMedia(media, row);
            panel->show();
            m_shownMediaPanel = panel;
            m_windowPanel->setCompact(true);
            m_nodePanels->setMaximumWidth(240);
            m_mediaArea->show();
            return true;
        }
    }
    return false;
}

void PropertyArea::hideMediaPanels()
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

void PropertyArea::keepOnly(GeneralObject *general, CycleObject *cycle, TimingObject *timing,
                            ProgramObject *page, CommonWinObject *window, LumoraMediaObject *media)
{
    if (m_segmentPanel->general() && m_segmentPanel->general() != general)
        m_segmentPanel->showGeneral(nullptr);
    if (m_segmentPanel->cycle() && m_segmentPanel->cycle() != cycle)
        m_segmentPanel->showCycle(nullptr);
    if (m_timingPanel->timing() && m_timingPanel->timing() != timing)
        m_timingPanel->showTiming(nullptr);
    if (m_programPanel->program() && m_programPanel->program() != page)
        m_programPanel->showProgram(nullptr);
    if (m_windowPanel->window() && m_windowPanel->window() != window)
        m_windowPanel->showWindow(nullptr, QSize());
    if (m_shownMediaPanel && m_shownMediaPanel->media() != media)
        hideMediaPanels();
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
