#include "scheduleview.h"

#include "clock/clock.h"
#include "model/cycleobject.h"
#include "model/displayschedule.h"
#include "model/generalobject.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "panelkit.h"
#include "player/segmentrules.h"
#include "timelinechart.h"
#include "timelinerun.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
enum DateTarget { FromDate = 1, ToDate = 2, TimelineDay = 3 };
// A range longer than this is cut here: the table is read, not scrolled for months.
constexpr int MaxDays = 92;
constexpr int WeekDays = 7;
} // namespace

ScheduleView::ScheduleView(QWidget *parent)
    : NodePanel(parent)
{
    // The console look, tabs included, as the media panels have it.
    PanelKit::applyLook(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_tabs = new QTabWidget(this);
    column->addWidget(m_tabs);

    m_run = new TimelineRun(this);
    // Only moves the mark: where "now" is comes from the clock service as the chart draws.
    m_nowTimer = new QTimer(this);
    m_nowTimer->setInterval(1000);
    const QDate today = Clock::current().now().date();
    m_day = today;
    m_from = today;
    m_to = today.addDays(6);

    m_timelinePage = buildTimelinePage();
    m_tabs->addTab(m_timelinePage, QString());
    m_tabs->addTab(buildDaysPage(), QString());

    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { updateTimeline(false); });
    // Output comes in many small pieces: the chart follows them a few times a second.
    m_redraw = new QTimer(this);
    m_redraw->setSingleShot(true);
    m_redraw->setInterval(100);
    connect(m_redraw, &QTimer::timeout, this, &ScheduleView::showTimelineState);
    connect(m_run, &TimelineRun::progressed, this, [this] {
        if (!m_redraw->isActive())
            m_redraw->start();
    });
    connect(m_run, &TimelineRun::finished, this, [this] {
        m_runOver = true;
        showTimelineState();
    });
    connect(m_run, &TimelineRun::failed, this, [this](const QString &reason) {
        m_runOver = true;
        m_notice->setText(reason);
        m_notice->show();
        showTimelineState();
    });
    connect(m_nowTimer, &QTimer::timeout, m_chart, qOverload<>(&QWidget::update));
    retranslateUi();
    showRange();
    showTimelineState();
}

QWidget *ScheduleView::buildTimelinePage()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(0, 8, 0, 0);
    column->setSpacing(6);

    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    const auto button = [this, page, row](int width) {
        auto *b = new QPushButton(page);
        b->setFixedHeight(28);
        if (width > 0)
            b->setFixedWidth(width);
        row->addWidget(b);
        return b;
    };
    m_previousDay = button(30);
    m_previousDay->setText(QStringLiteral("<"));
    m_dayButton = button(0);
    m_dayButton->setMinimumWidth(130);
    m_nextDay = button(30);
    m_nextDay->setText(QStringLiteral(">"));
    // The panel's buttons are padded for words; an arrow needs its narrow width for itself.
    for (QPushButton *b : {m_previousDay, m_nextDay})
        b->setStyleSheet(QStringLiteral("QPushButton { padding: 4px 2px; }"));
    m_today = button(0);
    row->addSpacing(10);
    m_dayMode = button(0);
    m_weekMode = button(0);
    for (QPushButton *b : {m_dayMode, m_weekMode})
        b->setCheckable(true);
    auto *modes = new QButtonGroup(page);
    modes->addButton(m_dayMode);
    modes->addButton(m_weekMode);
    m_dayMode->setChecked(true);
    row->addSpacing(10);
    m_timelineRefresh = button(0);
    row->addSpacing(10);
    m_status = new QLabel(page);
    m_status->setStyleSheet(QStringLiteral("color: #8fa0b4;"));
    row->addWidget(m_status, 1);
    column->addLayout(row);

    m_chart = new TimelineChart;
    auto *area = new QScrollArea(page);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidget(m_chart);
    column->addWidget(area, 1);

    m_scroll = new QScrollBar(Qt::Horizontal, page);
    column->addWidget(m_scroll);

    m_notice = new QLabel(page);
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral(
        "color: #ffd2cc; background: #3a2326; border: 1px solid #7a3a3f; border-radius: 3px; padding: 6px;"));
    m_notice->hide();
    column->addWidget(m_notice);

    m_hint = new QLabel(page);
    m_hint->setWordWrap(true);
    m_hint->setStyleSheet(QStringLiteral("color: #8fa0b4;"));
    column->addWidget(m_hint);

    connect(m_previousDay, &QPushButton::clicked, this,
            [this] { showTimelineDay(m_day.addDays(m_week ? -WeekDays : -1)); });
    connect(m_nextDay, &QPushButton::clicked, this,
            [this] { showTimelineDay(m_day.addDays(m_week ? WeekDays : 1)); });
    connect(m_today, &QPushButton::clicked, this, [this] { showTimelineDay(Clock::current().now().date()); });
    connect(m_dayButton, &QPushButton::clicked, this,
            [this] { openCalendar(m_dayButton, m_day, TimelineDay); });
    connect(m_dayMode, &QPushButton::clicked, this, [this] { showWeek(false); });
    connect(m_weekMode, &QPushButton::clicked, this, [this] { showWeek(true); });
    connect(m_timelineRefresh, &QPushButton::clicked, this, &ScheduleView::slotRefreshTimeline);
    connect(m_chart, &TimelineChart::viewChanged, this, &ScheduleView::syncScrollBar);
    connect(m_scroll, &QScrollBar::valueChanged, this,
            [this](int seconds) { m_chart->setView(seconds * 1000LL, m_chart->viewSpan()); });
    syncScrollBar();
    return page;
}

QWidget *ScheduleView::buildDaysPage()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(0, 8, 0, 0);
    column->setSpacing(10);
    m_rangeLabel = new QLabel(page);
    column->addWidget(m_rangeLabel);

    auto *row = new QHBoxLayout;
    m_fromLabel = new QLabel(page);
    row->addWidget(m_fromLabel);
    m_fromButton = new QPushButton(page);
    m_fromButton->setFixedHeight(28);
    row->addWidget(m_fromButton);
    m_toLabel = new QLabel(page);
    row->addWidget(m_toLabel);
    m_toButton = new QPushButton(page);
    m_toButton->setFixedHeight(28);
    row->addWidget(m_toButton);
    row->addSpacing(12);
    m_refresh = new QPushButton(page);
    m_refresh->setFixedHeight(28);
    m_refresh->setMinimumWidth(80);
    row->addWidget(m_refresh);
    row->addStretch(1);
    column->addLayout(row);

    m_table = new QTableWidget(0, 3, page);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setColumnWidth(0, 130);
    m_table->setColumnWidth(1, 220);
    column->addWidget(m_table, 1);

    m_note = new QLabel(page);
    m_note->setWordWrap(true);
    m_note->setTextFormat(Qt::RichText);
    column->addWidget(m_note);

    connect(m_fromButton, &QPushButton::clicked, this, &ScheduleView::slotFromDateSelect);
    connect(m_toButton, &QPushButton::clicked, this, &ScheduleView::slotToDateSelect);
    connect(m_refresh, &QPushButton::clicked, this, &ScheduleView::slotRefresh);
    return page;
}

void ScheduleView::retranslateUi()
{
    m_tabs->setTabText(0, tr("Timeline"));
    m_tabs->setTabText(1, tr("Days"));
    m_previousDay->setToolTip(tr("Earlier"));
    m_nextDay->setToolTip(tr("Later"));
    m_today->setText(tr("Today"));
    m_dayMode->setText(tr("Day"));
    m_weekMode->setText(tr("Week"));
    m_timelineRefresh->setText(tr("Refresh"));
    m_hint->setText(tr("As the player plays the scheme from midnight. Hover a bar to see what shows; "
                       "the wheel zooms, a double click shows the whole day."));

    m_rangeLabel->setText(tr("Data Range of Schedule"));
    m_fromLabel->setText(tr("From"));
    m_toLabel->setText(tr("to"));
    m_refresh->setText(tr("Refresh"));
    m_table->setHorizontalHeaderLabels({tr("Date"), tr("General Segment"), tr("Inserted Segment")});
    // The console is dark: the note takes the light text colour of its labels.
    m_note->setText(QStringLiteral("<b>%1</b>%2 %3")
                        .arg(tr("About Priority&nbsp;:&nbsp;&nbsp;"),
                             tr("The timing inserted has higher priority than the cycle inserted one."),
                             tr("The latter segment has higher priority in the same type.&nbsp;&nbsp;")));
    showRange();
    showTimelineState();
}

void ScheduleView::showSchedule(const DisplaySchedule *schedule, const QString &displayName)
{
    m_schedule = schedule;
    m_displayName = displayName;
    m_chart->setLeadingDisplay(displayName);
    refill();
}

void ScheduleView::setPlayingDisplays(const QStringList &names)
{
    m_chart->setPlayingDisplays(names);
    m_run->setYielding(!names.isEmpty());
    if (names.isEmpty())
        m_nowTimer->stop();
    else if (!m_nowTimer->isActive())
        m_nowTimer->start();
}

void ScheduleView::fillControls()
{
    slotRefresh();
    updateTimeline(false);
}

void ScheduleView::showRange()
{
    m_fromButton->setText(m_from.toString(QStringLiteral("yyyy-MM-dd")));
    m_toButton->setText(m_to.toString(QStringLiteral("yyyy-MM-dd")));
    // Weekday names in the interface language (the name of its locale is a text of it).
    const QLocale locale(QCoreApplication::translate("NodePanel", "en_US"));
    QString day =
        m_day.toString(QStringLiteral("yyyy-MM-dd ")) + locale.toString(m_day, QStringLiteral("ddd"));
    if (m_week)
        day += QStringLiteral(" +6");
    m_dayButton->setText(day);
}

void ScheduleView::slotFromDateSelect()
{
    openCalendar(m_fromButton, m_from, FromDate);
}

void ScheduleView::slotToDateSelect()
{
    openCalendar(m_toButton, m_to, ToDate);
}

void ScheduleView::calendarClicked(int target, const QDate &day)
{
    if (target == TimelineDay) {
        showTimelineDay(day);
        return;
    }
    if (target == FromDate)
        m_from = day;
    else
        m_to = day;
    if (m_to < m_from)
        std::swap(m_from, m_to);
    showRange();
    slotRefresh();
}

void ScheduleView::showTimelineDay(const QDate &day)
{
    if (!day.isValid())
        return;
    m_day = day;
    showRange();
    updateTimeline(false);
}

void ScheduleView::showWeek(bool week)
{
    m_week = week;
    m_dayMode->setChecked(!week);
    m_weekMode->setChecked(week);
    showRange();
    updateTimeline(false);
}

void ScheduleView::slotRefreshTimeline()
{
    updateTimeline(true);
}

void ScheduleView::schemeChanged()
{
    updateTimeline(false);
}

void ScheduleView::showEvent(QShowEvent *event)
{
    NodePanel::showEvent(event);
    updateTimeline(false);
}

void ScheduleView::hideEvent(QHideEvent *event)
{
    // Another panel took the place: a run still going is of no use, and it costs the player
    // a processor. A minimised window is still this panel.
    if (!event->spontaneous() && m_run->isRunning()) {
        m_run->stop();
        m_runOver = false;
        m_runScheme.clear();
        showTimelineState();
    }
    NodePanel::hideEvent(event);
}

void ScheduleView::updateTimeline(bool again)
{
    if (!m_schemeSource || !m_schedule || !isVisible() || m_tabs->currentWidget() != m_timelinePage)
        return;
    const EditedScheme scheme = m_schemeSource();
    const int days = m_week ? WeekDays : 1;
    const bool same = scheme.encoded == m_runScheme && scheme.mediaFolder == m_runFolder &&
                      m_day == m_runDay && days == m_runDays;
    if (!again && same && (m_run->isRunning() || m_runOver))
        return;
    m_runScheme = scheme.encoded;
    m_runFolder = scheme.mediaFolder;
    m_runDay = m_day;
    m_runDays = days;
    m_runOver = false;
    m_notice->hide();
    m_run->start(scheme.encoded, scheme.mediaFolder, m_day, days);
    showTimelineState();
}

void ScheduleView::showTimelineState()
{
    m_redraw->stop();
    const Timeline &timeline = m_run->timeline();
    m_chart->setTimeline(timeline.firstDay().isValid() ? &timeline : nullptr);
    m_chart->setRunning(m_run->isRunning());
    if (m_run->isRunning()) {
        const qint64 reached = timeline.reached();
        const qint64 day = reached / Timeline::DayMsecs;
        const QTime time = QTime::fromMSecsSinceStartOfDay(int(reached - day * Timeline::DayMsecs));
        QString at = time.toString(QStringLiteral("HH:mm"));
        if (timeline.days() > 1)
            at = timeline.firstDay().addDays(day).toString(QStringLiteral("MM-dd ")) + at;
        m_status->setText(tr("Simulating… %1").arg(at));
        return;
    }
    bool plays = false;
    for (const Timeline::Display &d : timeline.displays())
        plays = plays || !d.lanes[Timeline::PageLane].isEmpty();
    QString status;
    if (m_runOver && timeline.isFinished() && !plays)
        status =
            timeline.days() > 1 ? tr("Nothing plays in these seven days.") : tr("Nothing plays on this day.");
    m_status->setText(status);
}

void ScheduleView::syncScrollBar()
{
    const int span = int(m_chart->viewSpan() / 1000);
    const QSignalBlocker blocker(m_scroll);
    m_scroll->setRange(0, int(Timeline::DayMsecs / 1000) - span);
    m_scroll->setPageStep(span);
    m_scroll->setSingleStep(std::max(1, span / 10));
    m_scroll->setValue(int(m_chart->viewStart() / 1000));
}

void ScheduleView::slotRefresh()
{
    m_table->setRowCount(0);
    if (!m_schedule)
        return;
    const int days = qMin(int(m_from.daysTo(m_to)) + 1, MaxDays);
    for (int i = 0; i < days; ++i) {
        const QDate day = m_from.addDays(i);
        QStringList general;
        for (const GeneralObject *s : m_schedule->generalSegments) {
            if (SegmentRules::dateAllows(s->specifiedDate, s->fromDate, s->toDate, day) &&
                SegmentRules::weekdayAllows(s->weekdays, day))
                general << (s->allDay ? s->name
                                      : QStringLiteral("%1 (%2-%3)")
                                            .arg(s->name, s->fromTime.toString(QStringLiteral("HH:mm")),
                                                 s->toTime.toString(QStringLiteral("HH:mm"))));
        }
        QStringList inserted;
        for (const CycleObject *s : m_schedule->cycleSegments) {
            if (SegmentRules::dateAllows(s->specifiedDate, s->fromDate, s->toDate, day) &&
                SegmentRules::weekdayAllows(s->weekdays, day))
                inserted << tr("%1 every %2 min").arg(s->name).arg(s->playEvery);
        }
        for (const TimingObject *s : m_schedule->timingSegments) {
            QStringList times;
            for (const TimePoint *point : s->timePoints) {
                if (SegmentRules::timePointApplies(*point, day))
                    times << point->time.toString(QStringLiteral("HH:mm"));
            }
            if (!times.isEmpty())
                inserted << QStringLiteral("%1 [%2]").arg(s->name, times.join(QLatin1Char(',')));
        }
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        m_table->setItem(row, 0, new QTableWidgetItem(day.toString(QStringLiteral("yyyy-MM-dd ddd"))));
        m_table->setItem(row, 1, new QTableWidgetItem(general.join(QStringLiteral(", "))));
        m_table->setItem(row, 2, new QTableWidgetItem(inserted.join(QStringLiteral(", "))));
    }
}
