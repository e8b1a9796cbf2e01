#include "segmentpanel.h"

#include "clock/clock.h"
#include "panelkit.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/weekdays.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
enum DateTarget { FromDate = 1, ToDate = 2 };

QDate shownDate(const QDate &stored)
{
    return stored.isValid() ? stored : Clock::current().now().date();
}
} // namespace

SegmentPanel::SegmentPanel(QWidget *parent)
    : NodePanel(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);

    auto *nameRow = new QGridLayout;
    m_nameLabel = addLabel(nameRow, 0, 0);
    m_name = new QLineEdit(this);
    m_name->setReadOnly(true);
    m_name->setFixedWidth(220);
    nameRow->addWidget(m_name, 0, 1);
    nameRow->setColumnStretch(2, 1);
    column->addLayout(nameRow);

    m_playBox = new QGroupBox(this);
    auto *play = new QGridLayout(m_playBox);
    auto spin = [this](int low, int high) {
        auto *box = new QSpinBox(this);
        PanelKit::offerRange(box, low, high);
        box->setFixedWidth(80);
        return box;
    };
    m_everyLabel = addLabel(play, 0, 0);
    m_every = spin(1, 5000);
    play->addWidget(m_every, 0, 1);
    m_everyUnit = new QLabel(this);
    play->addWidget(m_everyUnit, 0, 2);
    m_byDuration = new QRadioButton(this);
    play->addWidget(m_byDuration, 1, 0, Qt::AlignRight);
    m_minutes = spin(0, 5000);
    play->addWidget(m_minutes, 1, 1);
    m_minutesUnit = new QLabel(this);
    play->addWidget(m_minutesUnit, 1, 2);
    // From 0: a duration of whole minutes has no seconds.
    m_seconds = spin(0, 5000);
    play->addWidget(m_seconds, 1, 3);
    m_secondsUnit = new QLabel(this);
    play->addWidget(m_secondsUnit, 1, 4);
    m_byTimes = new QRadioButton(this);
    play->addWidget(m_byTimes, 2, 0, Qt::AlignRight);
    m_times = spin(1, 5000);
    play->addWidget(m_times, 2, 1);
    m_timesUnit = new QLabel(this);
    play->addWidget(m_timesUnit, 2, 2);
    play->setColumnStretch(5, 1);
    column->addWidget(m_playBox);

    auto *dates = new QGridLayout;
    m_specifiedDate = new QCheckBox(this);
    dates->addWidget(m_specifiedDate, 0, 0, 1, 7);
    auto dateEdit = [this] {
        auto *edit = new QDateEdit(this);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        // Dates are picked from the calendar, so that a refused pick leaves nothing half-typed.
        edit->setReadOnly(true);
        edit->setButtonSymbols(QAbstractSpinBox::NoButtons);
        edit->setFixedWidth(100);
        return edit;
    };
    m_fromDateLabel = addLabel(dates, 1, 0);
    m_fromDate = dateEdit();
    dates->addWidget(m_fromDate, 1, 1);
    m_fromDateButton = makeDateButton();
    dates->addWidget(m_fromDateButton, 1, 2);
    m_toDateLabel = addLabel(dates, 1, 3);
    m_toDate = dateEdit();
    dates->addWidget(m_toDate, 1, 4);
    m_toDateButton = makeDateButton();
    dates->addWidget(m_toDateButton, 1, 5);
    dates->setColumnStretch(6, 1);
    column->addLayout(dates);

    m_daysBox = new QGroupBox(this);
    auto *days = new QGridLayout(m_daysBox);
    for (int i = 0; i < 7; ++i) {
        auto *box = new QCheckBox(this);
        days->addWidget(box, i / 4, i % 4);
        m_days << box;
    }
    column->addWidget(m_daysBox);

    m_timeBox = new QGroupBox(this);
    auto *times = new QGridLayout(m_timeBox);
    m_allDay = new QCheckBox(this);
    times->addWidget(m_allDay, 0, 0, 1, 5);
    auto timeEdit = [this] {
        auto *edit = new QTimeEdit(this);
        edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
        edit->setFixedWidth(100);
        return edit;
    };
    m_fromTimeLabel = addLabel(times, 1, 0);
    m_fromTime = timeEdit();
    times->addWidget(m_fromTime, 1, 1);
    m_toTimeLabel = addLabel(times, 1, 2);
    m_toTime = timeEdit();
    times->addWidget(m_toTime, 1, 3);
    times->setColumnStretch(4, 1);
    column->addWidget(m_timeBox);
    column->addStretch(1);

    connect(m_name, &QLineEdit::textEdited, this, &SegmentPanel::slotSegmentNameChange);
    connect(m_every, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &SegmentPanel::slotsegmentPlayEveryChanged);
    connect(m_byDuration, &QRadioButton::toggled, this, &SegmentPanel::slotSegmentPlayMin);
    connect(m_minutes, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &SegmentPanel::slotsegmentPlayMinChanged);
    connect(m_seconds, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &SegmentPanel::slotsegmentPlaySecChanged);
    connect(m_byTimes, &QRadioButton::toggled, this, &SegmentPanel::slotSegmentPlayTimes);
    connect(m_times, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &SegmentPanel::slotsegmentPlayTimesChanged);
    connect(m_specifiedDate, &QCheckBox::toggled, this, &SegmentPanel::slotSpcifiedDateChecked);
    connect(m_fromDateButton, &QPushButton::clicked, this, &SegmentPanel::slotSegmentFromDateSelect);
    connect(m_toDateButton, &QPushButton::clicked, this, &SegmentPanel::slotSegmentToDateSelect);
    const QList<void (SegmentPanel::*)(bool)> daySlots{
        &SegmentPanel::slotMondayChecked,    &SegmentPanel::slotTuesdayChecked,
        &SegmentPanel::slotWednesdayChecked, &SegmentPanel::slotThursdayChecked,
        &SegmentPanel::slotFridayChecked,    &SegmentPanel::slotSaturdayChecked,
        &SegmentPanel::slotSundayChecked};
    for (int i = 0; i < 7; ++i)
        connect(m_days.at(i), &QCheckBox::toggled, this, daySlots.at(i));
    connect(m_allDay, &QCheckBox::toggled, this, &SegmentPanel::slotAllDayChecked);
    connect(m_fromTime, &QTimeEdit::timeChanged, this, &SegmentPanel::slotSegmengFromTimeChanged);
    connect(m_toTime, &QTimeEdit::timeChanged, this, &SegmentPanel::slotSegmengToTimeChanged);

    retranslateUi();
}

void SegmentPanel::retranslateUi()
{
    m_nameLabel->setText(tr("Name:"));
    m_playBox->setTitle(tr("Play Property"));
    m_everyLabel->setText(tr("Every"));
    m_everyUnit->setText(tr("minutes"));
    m_byDuration->setText(tr("Play"));
    m_minutesUnit->setText(tr("minutes"));
    m_secondsUnit->setText(tr("seconds"));
    m_byTimes->setText(tr("Play"));
    m_timesUnit->setText(tr("times"));
    m_specifiedDate->setText(tr("Specified date"));
    m_fromDateLabel->setText(tr("From"));
    m_toDateLabel->setText(tr("to"));
    m_daysBox->setTitle(tr("Effective Day of the Work"));
    const QStringList dayTexts{tr("Monday"), tr("Tuesday"),  tr("Wednesday"), tr("Thursday"),
                               tr("Friday"), tr("Saturday"), tr("Sunday")};
    for (int i = 0; i < 7; ++i)
        m_days.at(i)->setText(dayTexts.at(i));
    m_timeBox->setTitle(tr("Effective Time of the Day"));
    m_allDay->setText(tr("All Day"));
    m_fromTimeLabel->setText(tr("From"));
    m_toTimeLabel->setText(tr("to"));
}

void SegmentPanel::showGeneral(GeneralObject *segment)
{
    m_general = segment;
    m_cycle = nullptr;
    refill();
}

void SegmentPanel::showCycle(CycleObject *segment)
{
    m_general = nullptr;
    m_cycle = segment;
    refill();
}

void SegmentPanel::fillControls()
{
    auto fillCommon = [this](const auto &s) {
        m_name->setText(s.name);
        m_specifiedDate->setChecked(s.specifiedDate);
        m_fromDate->setDate(shownDate(s.fromDate));
        m_toDate->setDate(shownDate(s.toDate));
        for (int i = 0; i < 7; ++i)
            m_days.at(i)->setChecked(s.weekdays.contains(Weekdays::all().at(i)));
        m_allDay->setChecked(s.allDay);
        m_fromTime->setTime(s.fromTime.isValid() ? s.fromTime : QTime(0, 0, 0));
        m_toTime->setTime(s.toTime.isValid() ? s.toTime : QTime(23, 59, 59));
    };
    if (m_general)
        fillCommon(*m_general);
    if (m_cycle) {
        fillCommon(*m_cycle);
        PanelKit::showValue(m_every, m_cycle->playEvery);
        m_byDuration->setChecked(m_cycle->playMode == 0);
        m_byTimes->setChecked(m_cycle->playMode != 0);
        PanelKit::showValue(m_minutes, m_cycle->playMinutes);
        PanelKit::showValue(m_seconds, m_cycle->playSeconds);
        PanelKit::showValue(m_times, m_cycle->playTimes);
    }
    m_playBox->setVisible(m_cycle != nullptr);
    enableAlternatives();
}

void SegmentPanel::enableAlternatives()
{
    m_minutes->setEnabled(m_byDuration->isChecked());
    m_seconds->setEnabled(m_byDuration->isChecked());
    m_times->setEnabled(m_byTimes->isChecked());
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_fromDate, m_toDate, m_fromDateButton, m_toDateButton})
        w->setEnabled(m_specifiedDate->isChecked());
    m_fromTime->setEnabled(!m_allDay->isChecked());
    m_toTime->setEnabled(!m_allDay->isChecked());
}

template<typename F> void SegmentPanel::store(F change)
{
    if (!acceptChange())
        return;
    if (m_general) {
        change(*m_general);
        emit sigSegmentChanged(m_general);
    } else {
        change(*m_cycle);
        emit sigCycleSegmentChanged(m_cycle);
    }
}

void SegmentPanel::slotSegmentNameChange(const QString &name)
{
    // Names are given by the tree and stay as they are.
    Q_UNUSED(name)
    refill();
}

void SegmentPanel::slotsegmentPlayEveryChanged(int minutes)
{
    if (m_cycle && acceptChange()) {
        m_cycle->playEvery = minutes;
        emit sigCycleSegmentChanged(m_cycle);
    }
}

void SegmentPanel::slotSegmentPlayMin(bool checked)
{
    enableAlternatives();
    if (checked && m_cycle && acceptChange()) {
        m_cycle->playMode = 0;
        emit sigCycleSegmentChanged(m_cycle);
    }
}

void SegmentPanel::slotsegmentPlayMinChanged(int minutes)
{
    if (m_cycle && acceptChange()) {
        m_cycle->playMinutes = minutes;
        emit sigCycleSegmentChanged(m_cycle);
    }
}

void SegmentPanel::slotsegmentPlaySecChanged(int seconds)
{
    if (m_cycle && acceptChange()) {
        m_cycle->playSeconds = seconds;
        emit sigCycleSegmentChanged(m_cycle);
    }
}

void SegmentPanel::slotSegmentPlayTimes(bool checked)
{
    enableAlternatives();
    if (checked && m_cycle && acceptChange()) {
        m_cycle->playMode = 1;
        emit sigCycleSegmentChanged(m_cycle);
    }
}

void SegmentPanel::slotsegmentPlayTimesChanged(int times)
{
    if (m_cycle && acceptChange()) {
        m_cycle->playTimes = times;
        emit sigCycleSegmentChanged(m_cycle);
    }
}

void SegmentPanel::slotSpcifiedDateChecked(bool checked)
{
    enableAlternatives();
    // The dates shown are the ones that apply from now on, also where none was stored yet.
    const QDate from = m_fromDate->date();
    const QDate to = m_toDate->date();
    store([&](auto &s) {
        s.specifiedDate = checked;
        if (checked && !s.fromDate.isValid())
            s.fromDate = from;
        if (checked && !s.toDate.isValid())
            s.toDate = to;
    });
}

void SegmentPanel::slotSegmentFromDateSelect()
{
    m_pendingDate = FromDate;
    openCalendar(m_fromDateButton, m_fromDate->date(), FromDate);
}

void SegmentPanel::slotSegmentToDateSelect()
{
    m_pendingDate = ToDate;
    openCalendar(m_toDateButton, m_toDate->date(), ToDate);
}

void SegmentPanel::calendarClicked(int target, const QDate &day)
{
    m_pendingDate = target;
    slotCalenderWinClicked(day);
}

void SegmentPanel::slotCalenderWinClicked(const QDate &day)
{
    if (!day.isValid() || !canStore())
        return;
    const QDate from = m_pendingDate == FromDate ? day : m_fromDate->date();
    const QDate to = m_pendingDate == ToDate ? day : m_toDate->date();
    // A range that ends before it begins would never match: the pick is refused.
    if (to < from)
        return;
    store([&](auto &s) {
        s.fromDate = from;
        s.toDate = to;
    });
    refill();
}

void SegmentPanel::storeDays()
{
    QStringList days;
    for (int i = 0; i < 7; ++i) {
        if (m_days.at(i)->isChecked())
            days << Weekdays::all().at(i);
    }
    store([&](auto &s) { s.weekdays = days; });
}

void SegmentPanel::slotMondayChecked(bool checked)
{
    Q_UNUSED(checked)
    storeDays();
}

void SegmentPanel::slotTuesdayChecked(bool checked)
{
    Q_UNUSED(checked)
    storeDays();
}

void SegmentPanel::slotWednesdayChecked(bool checked)
{
    Q_UNUSED(checked)
    storeDays();
}

void SegmentPanel::slotThursdayChecked(bool checked)
{
    Q_UNUSED(checked)
    storeDays();
}

void SegmentPanel::slotFridayChecked(bool checked)
{
    Q_UNUSED(checked)
    storeDays();
}

void SegmentPanel::slotSaturdayChecked(bool checked)
{
    Q_UNUSED(checked)
    storeDays();
}

void SegmentPanel::slotSundayChecked(bool checked)
{
    Q_UNUSED(checked)
    storeDays();
}

void SegmentPanel::slotAllDayChecked(bool checked)
{
    enableAlternatives();
    const QTime from = m_fromTime->time();
    const QTime to = m_toTime->time();
    store([&](auto &s) {
        s.allDay = checked;
        // The hours shown are the ones that apply once "All Day" is cleared.
        if (!checked && !s.fromTime.isValid())
            s.fromTime = from;
        if (!checked && !s.toTime.isValid())
            s.toTime = to;
    });
}

void SegmentPanel::slotAllTimeChecked()
{
    slotAllDayChecked(m_allDay->isChecked());
}

void SegmentPanel::slotSegmengFromTimeChanged(const QTime &time)
{
    store([&](auto &s) { s.fromTime = time; });
}

void SegmentPanel::slotSegmengToTimeChanged(const QTime &time)
{
    store([&](auto &s) { s.toTime = time; });
}
