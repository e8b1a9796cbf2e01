#pragma once

#include <QList>
#include <QObject>

class CommonWinObject;
class CycleObject;
class GeneralObject;
class LumoraMediaObject;
class MediaPanel;
class ProgramObject;
class ProgramPanel;
class QScrollArea;
class QStackedWidget;
class QVBoxLayout;
class QWidget;
class ScheduleView;
class SegmentPanel;
class TimingObject;
class TimingSegmentPanel;
class TimingSegmentTimePropertyWin;
class WindowPanel;

// The property area of the main window: one node panel shows at a time (the schedule view,
// a segment, a timing segment, a page, a window), and beside the window panel the panel of the
// media item selected in its list. This decides which panel shows; the panels write into the
// records themselves, and what a change means for the scheme the main window connects.
class PropertyArea : public QObject
{
    Q_OBJECT

public:
    // Builds the panels into `layout`, a layout of `area`; the time-point dialog belongs to
    // `dialogParent`.
    PropertyArea(QWidget *area, QVBoxLayout *layout, QWidget *dialogParent);

    SegmentPanel *segmentPanel() const { return m_segmentPanel; }
    TimingSegmentPanel *timingSegmentPanel() const { return m_timingPanel; }
    ProgramPanel *programPanel() const { return m_programPanel; }
    WindowPanel *windowPanel() const { return m_windowPanel; }
    ScheduleView *scheduleView() const { return m_scheduleView; }
    TimingSegmentTimePropertyWin *timePointWin() const { return m_timePointWin; }

    // The node panel on show (nullptr for none), and `panel` shown in its place (nullptr: none).
    QWidget *shownPanel() const;
    void showPanel(QWidget *panel);
    // The media panels, the one added last first; the one on show (nullptr when none).
    QList<MediaPanel *> mediaPanels() const { return m_mediaPanels; }
    MediaPanel *shownMediaPanel() const { return m_shownMediaPanel; }
    // Adds a media panel beside those of createMediaPanels(); it takes over the kinds it edits.
    void addMediaPanel(MediaPanel *panel);
    // Shows the panel of `media`'s kind beside a narrowed window panel; false when none edits it.
    bool showMediaPanel(LumoraMediaObject *media, int row);
    // Hides the media panels and lets go of their items; the window panel takes the width again.
    void hideMediaPanels();
    // Whether the panels that edit take changes; the schedule view, which only shows, stays
    // usable either way, to follow the schedules as they play.
    void setEditingEnabled(bool enabled);
    bool isEditingEnabled() const;
    // Panels showing a record other than the one given let go of it (records about to be
    // freed), and a node panel left empty gives way to none.
    void keepOnly(GeneralObject *general, CycleObject *cycle, TimingObject *timing, ProgramObject *page,
                  CommonWinObject *window, LumoraMediaObject *media);

signals:
    // A media panel was added; the main window connects its changes.
    void sigMediaPanelAdded(MediaPanel *panel);

private:
    QStackedWidget *m_nodePanels = nullptr;
    QWidget *m_emptyPanel = nullptr;
    ScheduleView *m_scheduleView = nullptr;
    SegmentPanel *m_segmentPanel = nullptr;
    TimingSegmentPanel *m_timingPanel = nullptr;
    ProgramPanel *m_programPanel = nullptr;
    WindowPanel *m_windowPanel = nullptr;
    QScrollArea *m_mediaArea = nullptr;
    QVBoxLayout *m_mediaLayout = nullptr;
    QList<MediaPanel *> m_mediaPanels;
    MediaPanel *m_shownMediaPanel = nullptr;
    TimingSegmentTimePropertyWin *m_timePointWin = nullptr;
};
