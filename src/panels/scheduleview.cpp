#include "scheduleview.h"

#include "clock/clock.h"
#include "model/cycleobject.h"
#include "model/displayschedule.h"
#include "model/generalobject.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "player/segmentrules.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum DateTarget { FromDate = 1, ToDate = 2 };
// A range longer than this is cut here: the table is read, not scrolled for months.
constexpr int MaxDays = 92;
} // namespace

ScheduleView::ScheduleView(QWidget *parent)
    : NodePanel(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    m_rangeLabel = new QLabel(this);
    column->addWidget(m_rangeLabel);

    auto *row = new QHBoxLayout;
    m_fromLabel = new QLabel(this);
    row->addWidget(m_fromLabel);
    m_fromButton = new QPushButton(this);
    m_fromButton->setFixedHeight(28);
    row->addWidget(m_fromButton);
    m_toLabel = new QLabel(this);
    row->addWidget(m_toLabel);
    m_toButton = new QPushButton(this);
    m_toButton->setFixedHeight(28);
    row->addWidget(m_toButton);
    row->addSpacing(12);
    m_refresh = new QPushButton(this);
    m_refresh->setFixedSize(80, 28);
    row->addWidget(m_refresh);
    row->addStretch(1);
    column->addLayout(row);

    m_table = new QTableWidget(0, 3, this);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setColumnWidth(0, 130);
    m_table->setColumnWidth(1, 220);
    column->addWidget(m_table, 1);

    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_note->setTextFormat(Qt::RichText);
    column->addWidget(m_note);

    const QDate today = Clock::current().now().date();
    m_from = today;
    m_to = today.addDays(6);
    connect(m_fromButton, &QPushButton::clicked, this, &ScheduleView::slotFromDateSelect);
    connect(m_toButton, &QPushButton::clicked, this, &ScheduleView::slotToDateSelect);
    connect(m_refresh, &QPushButton::clicked, this, &ScheduleView::slotRefresh);
    retranslateUi();
    showRange();
}

void ScheduleView::retranslateUi()
{
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
}

void ScheduleView::showSchedule(const DisplaySchedule *schedule)
{
    m_schedule = schedule;
    refill();
}

void ScheduleView::fillControls()
{
    slotRefresh();
}

void ScheduleView::showRange()
{
    m_fromButton->setText(m_from.toString(QStringLiteral("yyyy-MM-dd")));
    m_toButton->setText(m_to.toString(QStringLiteral("yyyy-MM-dd")));
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
    if (target == FromDate)
        m_from = day;
    else
        m_to = day;
    if (m_to < m_from)
        std::swap(m_from, m_to);
    showRange();
    slotRefresh();
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
