#pragma once

#include "nodepanel.h"

#include <QByteArray>

#include <functional>

class DisplaySchedule;
class QScrollBar;
class QTabWidget;
class QTableWidget;
class QTimer;
class TimelineChart;
class TimelineRun;

// The view of a display window's whole schedule (its root node). The timeline: what every
// display window of the scheme plays when on a chosen day or the seven days from it, as the
// player's own schedulers play the scheme as edited (a simulation run in a child process,
// drawn as it comes in). The days: for each day of a chosen range, which segments may play
// and when timing segments cut in, and how they take turns.
class ScheduleView : public NodePanel
{
    Q_OBJECT

public:
    // The scheme as it stands in the editor, for a simulation of it: its encoding as it would
    // be saved, and the folder its relative media paths name files in.
    struct EditedScheme
    {
        QByteArray encoded;
        QString mediaFolder;
    };
    using SchemeSource = std::function<EditedScheme()>;

    explicit ScheduleView(QWidget *parent = nullptr);

    // Where the timeline gets the scheme; without one it shows nothing.
    void setSchemeSource(SchemeSource source) { m_schemeSource = std::move(source); }
    // `displayName` is the display window `schedule` belongs to; the timeline lists it first.
    void showSchedule(const DisplaySchedule *schedule, const QString &displayName = QString());
    // The display windows that play: their rows of today mark "now".
    void setPlayingDisplays(const QStringList &names);
    // The scheme changed (an undo, a tree command) while this may be on show: a timeline on
    // show is run again if what it would simulate is not what it shows.
    void schemeChanged();

    QTableWidget *table() const { return m_table; }
    QTabWidget *tabs() const { return m_tabs; }
    TimelineChart *timelineChart() const { return m_chart; }
    TimelineRun *timelineRun() const { return m_run; }
    // Says why there is no timeline, when a run failed.
    QLabel *timelineNotice() const { return m_notice; }
    QDate timelineDay() const { return m_day; }

public slots:
    void slotFromDateSelect();
    void slotToDateSelect();
    void slotRefresh();
    // Shows the timeline of `day` (and the six days after it in the week view).
    void showTimelineDay(const QDate &day);
    void showWeek(bool week);
    // Simulates the scheme as it stands again, changed or not.
    void slotRefreshTimeline();

protected:
    bool hasRecord() const override { return m_schedule != nullptr; }
    void fillControls() override;
    void retranslateUi() override;
    void calendarClicked(int target, const QDate &day) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QWidget *buildTimelinePage();
    QWidget *buildDaysPage();
    void showRange();
    // Runs the simulation unless the one on show (or running) is of the same scheme and days;
    // `again`: runs it whatever it is of.
    void updateTimeline(bool again);
    void showTimelineState();
    void syncScrollBar();

    const DisplaySchedule *m_schedule = nullptr;
    QString m_displayName;
    SchemeSource m_schemeSource;

    QTabWidget *m_tabs;
    QWidget *m_timelinePage;
    QPushButton *m_previousDay;
    QPushButton *m_dayButton;
    QPushButton *m_nextDay;
    QPushButton *m_today;
    QPushButton *m_dayMode;
    QPushButton *m_weekMode;
    QPushButton *m_timelineRefresh;
    QLabel *m_status;
    TimelineChart *m_chart;
    QScrollBar *m_scroll;
    QLabel *m_notice;
    QLabel *m_hint;
    TimelineRun *m_run;
    QTimer *m_nowTimer;
    QTimer *m_redraw;
    QDate m_day;
    bool m_week = false;
    // What the timeline on show was simulated from, and whether that run is over.
    QByteArray m_runScheme;
    QString m_runFolder;
    QDate m_runDay;
    int m_runDays = 0;
    bool m_runOver = false;

    QDate m_from;
    QDate m_to;
    QLabel *m_rangeLabel;
    QLabel *m_fromLabel;
    QPushButton *m_fromButton;
    QLabel *m_toLabel;
    QPushButton *m_toButton;
    QPushButton *m_refresh;
    QTableWidget *m_table;
    QLabel *m_note;
};
