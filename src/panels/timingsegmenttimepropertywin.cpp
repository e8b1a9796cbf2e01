#include "timingsegmenttimepropertywin.h"

#include "clock/clock.h"
#include "model/timepoint.h"
#include "model/weekdays.h"
#include "nodepanel.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

TimingSegmentTimePropertyWin::TimingSegmentTimePropertyWin(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("timePointDialog"));
    setFixedSize(540, 330);
    setStyleSheet(QStringLiteral("QDialog {border:1px solid #293855}"));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(16, 14, 16, 12);
    column->setSpacing(10);

    m_timeBox = new QGroupBox(this);
    auto *timeRow = new QHBoxLayout(m_timeBox);
    m_time = new QTimeEdit(this);
    m_time->setDisplayFormat(QStringLiteral("HH:mm"));
    m_time->setFixedWidth(90);
    timeRow->addWidget(m_time);
    timeRow->addStretch(1);
    column->addWidget(m_timeBox);

    auto *dates = new QGridLayout;
    m_specifiedDate = new QCheckBox(this);
    dates->addWidget(m_specifiedDate, 0, 0, 1, 7);
    const QDate today = Clock::current().now().date();
    auto dateEdit = [this, today] {
        auto *edit = new QDateEdit(today, this);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setFixedWidth(110);
        return edit;
    };
    auto dateButton = [this] {
        auto *button = new QPushButton(this);
        button->setFixedSize(19, 23);
        button->setStyleSheet(
            QStringLiteral("QPushButton, QPushButton:hover, QPushButton:pressed {border:none; min-width:0; "
                           "padding:0; border-image: url(:/images/date.png);}"));
        return button;
    };
    m_fromLabel = new QLabel(this);
    dates->addWidget(m_fromLabel, 1, 0, Qt::AlignRight);
    m_fromDate = dateEdit();
    dates->addWidget(m_fromDate, 1, 1);
    m_fromButton = dateButton();
    dates->addWidget(m_fromButton, 1, 2);
    m_toLabel = new QLabel(this);
    dates->addWidget(m_toLabel, 1, 3, Qt::AlignRight);
    m_toDate = dateEdit();
    dates->addWidget(m_toDate, 1, 4);
    m_toButton = dateButton();
    dates->addWidget(m_toButton, 1, 5);
    dates->setColumnStretch(6, 1);
    column->addLayout(dates);

    m_dayBox = new QGroupBox(this);
    auto *days = new QGridLayout(m_dayBox);
    for (int i = 0; i < 7; ++i) {
        auto *box = new QCheckBox(this);
        days->addWidget(box, i / 4, i % 4);
        m_days << box;
    }
    column->addWidget(m_dayBox);
    column->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);

    connect(m_specifiedDate, &QCheckBox::toggled, this,
            &TimingSegmentTimePropertyWin::slotSpcifiedDateChecked);
    connect(m_ok, &QPushButton::clicked, this, &TimingSegmentTimePropertyWin::slotOK);
    connect(m_cancel, &QPushButton::clicked, this, &TimingSegmentTimePropertyWin::slotCancel);
    connect(m_fromButton, &QPushButton::clicked, this, [this] { pickDate(m_fromDate, m_fromButton); });
    connect(m_toButton, &QPushButton::clicked, this, [this] { pickDate(m_toDate, m_toButton); });
    slotSpcifiedDateChecked(false);
    retranslateUi();
}

void TimingSegmentTimePropertyWin::retranslateUi()
{
    setWindowTitle(tr("Time Point Information"));
    m_timeBox->setTitle(tr("Time"));
    m_specifiedDate->setText(tr("Specified date"));
    m_fromLabel->setText(tr("From"));
    m_toLabel->setText(tr("To"));
    m_dayBox->setTitle(tr("Day"));
    const QStringList dayTexts{tr("Monday"), tr("Tuesday"),  tr("Wednesday"), tr("Thursday"),
                               tr("Friday"), tr("Saturday"), tr("Sunday")};
    for (int i = 0; i < 7; ++i)
        m_days.at(i)->setText(dayTexts.at(i));
    m_ok->setText(tr("ok"));
    m_cancel->setText(tr("cancel"));
}

void TimingSegmentTimePropertyWin::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

bool TimingSegmentTimePropertyWin::run()
{
    m_result = 1;
    exec();
    return m_result == 0;
}

void TimingSegmentTimePropertyWin::fillFrom(const TimePoint &point)
{
    m_specifiedDate->setChecked(point.specifiedDate);
    slotSpcifiedDateChecked(point.specifiedDate);
    if (point.fromDate.isValid())
        m_fromDate->setDate(point.fromDate);
    if (point.toDate.isValid())
        m_toDate->setDate(point.toDate);
    if (point.time.isValid())
        m_time->setTime(point.time);
    for (int i = 0; i < 7; ++i)
        m_days.at(i)->setChecked(point.weekdays.contains(Weekdays::all().at(i)));
}

void TimingSegmentTimePropertyWin::storeInto(TimePoint &point) const
{
    const QTime shown = m_time->time();
    point.time = QTime(shown.hour(), shown.minute(), 0, 0);
    point.specifiedDate = m_specifiedDate->isChecked();
    if (point.specifiedDate) {
        point.fromDate = m_fromDate->date();
        point.toDate = m_toDate->date();
    }
    point.weekdays.clear();
    for (int i = 0; i < 7; ++i) {
        if (m_days.at(i)->isChecked())
            point.weekdays << Weekdays::all().at(i);
    }
}

void TimingSegmentTimePropertyWin::slotSpcifiedDateChecked(bool on)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_fromDate, m_toDate, m_fromButton, m_toButton})
        w->setEnabled(on);
}

void TimingSegmentTimePropertyWin::slotCheckedAllWeek()
{
    for (QCheckBox *box : qAsConst(m_days))
        box->setChecked(true);
}

void TimingSegmentTimePropertyWin::slotOK()
{
    m_result = 0;
    hide();
}

void TimingSegmentTimePropertyWin::slotCancel()
{
    m_result = 1;
    hide();
}

void TimingSegmentTimePropertyWin::pickDate(QDateEdit *edit, QPushButton *button)
{
    QCalendarWidget *calendar = NodePanel::makeCalendar(this);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setSelectedDate(edit->date());
    connect(calendar, &QCalendarWidget::clicked, this, [edit, calendar](const QDate &day) {
        edit->setDate(day);
        calendar->close();
    });
    calendar->move(button->mapToGlobal(QPoint(0, button->height())));
    calendar->show();
}
