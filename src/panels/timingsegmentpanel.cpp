#include "timingsegmentpanel.h"

#include "panelkit.h"
#include "model/timepoint.h"
#include "model/timepointtext.h"
#include "model/timingobject.h"
#include "timingsegmenttimepropertywin.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

TimingSegmentPanel::TimingSegmentPanel(QWidget *parent)
    : NodePanel(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(10);
    m_nameLabel = addLabel(grid, 0, 0);
    m_name = new QLineEdit(this);
    m_name->setReadOnly(true);
    m_name->setFixedWidth(220);
    grid->addWidget(m_name, 0, 1, Qt::AlignLeft);

    m_listLabel = addLabel(grid, 1, 0);
    m_listLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto *listRow = new QHBoxLayout;
    m_table = new QTableWidget(0, 1, this);
    m_table->horizontalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setFixedSize(320, 180);
    listRow->addWidget(m_table);
    auto *buttons = new QVBoxLayout;
    auto button = [this, buttons](const char *picture) {
        auto *b = new QPushButton(this);
        b->setFixedSize(30, 30);
        b->setIcon(QIcon(QLatin1String(picture)));
        b->setIconSize(QSize(24, 24));
        buttons->addWidget(b);
        return b;
    };
    m_add = button(":/images/add_time.png");
    m_edit = button(":/images/edit_time.png");
    m_delete = button(":/images/del_time.png");
    buttons->addStretch(1);
    listRow->addLayout(buttons);
    listRow->addStretch(1);
    grid->addLayout(listRow, 1, 1);

    m_reachedLabel = addLabel(grid, 2, 0);
    m_reachedLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto *play = new QGridLayout;
    auto spin = [this](int low, int high) {
        auto *box = new QSpinBox(this);
        PanelKit::offerRange(box, low, high);
        box->setFixedWidth(80);
        return box;
    };
    m_byDuration = new QRadioButton(this);
    m_byDuration->setChecked(true);
    play->addWidget(m_byDuration, 0, 0);
    m_minutes = spin(1, 1000);
    play->addWidget(m_minutes, 0, 1);
    m_minutesUnit = new QLabel(this);
    play->addWidget(m_minutesUnit, 0, 2);
    m_seconds = spin(0, 1000);
    play->addWidget(m_seconds, 0, 3);
    m_secondsUnit = new QLabel(this);
    play->addWidget(m_secondsUnit, 0, 4);
    m_byTimes = new QRadioButton(this);
    play->addWidget(m_byTimes, 1, 0);
    m_times = spin(0, 1000);
    play->addWidget(m_times, 1, 1);
    m_timesUnit = new QLabel(this);
    play->addWidget(m_timesUnit, 1, 2);
    play->setColumnStretch(5, 1);
    grid->addLayout(play, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    connect(m_add, &QPushButton::clicked, this, &TimingSegmentPanel::sigAddRequested);
    connect(m_edit, &QPushButton::clicked, this, &TimingSegmentPanel::sigEditRequested);
    connect(m_delete, &QPushButton::clicked, this, &TimingSegmentPanel::sigDeleteRequested);
    connect(m_byDuration, &QRadioButton::toggled, this, &TimingSegmentPanel::slotPlayModeChanged);
    connect(m_minutes, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &TimingSegmentPanel::slotMinutesChanged);
    connect(m_seconds, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &TimingSegmentPanel::slotSecondsChanged);
    connect(m_times, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &TimingSegmentPanel::slotTimesChanged);
    enableAlternatives();
    retranslateUi();
}

void TimingSegmentPanel::retranslateUi()
{
    m_nameLabel->setText(tr("Name:"));
    m_listLabel->setText(tr("Time Point List"));
    m_reachedLabel->setText(tr("When reached the\n time point,"));
    m_byDuration->setText(tr("Play"));
    m_minutesUnit->setText(tr("minutes"));
    m_secondsUnit->setText(tr("seconds"));
    m_byTimes->setText(tr("Play"));
    m_timesUnit->setText(tr("times"));
    m_add->setToolTip(tr("Add"));
    m_edit->setToolTip(tr("Edit"));
    m_delete->setToolTip(tr("Delete"));
}

void TimingSegmentPanel::showTiming(TimingObject *segment)
{
    m_timing = segment;
    refill();
}

void TimingSegmentPanel::fillControls()
{
    m_name->setText(m_timing->name);
    // The texts are not stored with the points: they are made from the fields, in the
    // language of the moment.
    m_table->setRowCount(0);
    for (TimePoint *point : qAsConst(m_timing->timePoints)) {
        point->label = TimePointText::displayText(*point);
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        m_table->setItem(row, 0, new QTableWidgetItem(point->label));
    }
    m_byDuration->setChecked(m_timing->playMode == 0);
    m_byTimes->setChecked(m_timing->playMode != 0);
    PanelKit::showValue(m_minutes, m_timing->playMinutes);
    PanelKit::showValue(m_seconds, m_timing->playSeconds);
    PanelKit::showValue(m_times, m_timing->playTimes);
    enableAlternatives();
}

void TimingSegmentPanel::enableAlternatives()
{
    m_minutes->setEnabled(m_byDuration->isChecked());
    m_seconds->setEnabled(m_byDuration->isChecked());
    m_times->setEnabled(m_byTimes->isChecked());
}

void TimingSegmentPanel::slotPlayModeChanged()
{
    enableAlternatives();
    if (!acceptChange())
        return;
    m_timing->playMode = m_byDuration->isChecked() ? 0 : 1;
    emit sigTimingSegmentChanged(m_timing);
}

void TimingSegmentPanel::slotMinutesChanged(int minutes)
{
    if (!acceptChange())
        return;
    m_timing->playMinutes = minutes;
    emit sigTimingSegmentChanged(m_timing);
}

void TimingSegmentPanel::slotSecondsChanged(int seconds)
{
    if (!acceptChange())
        return;
    m_timing->playSeconds = seconds;
    emit sigTimingSegmentChanged(m_timing);
}

void TimingSegmentPanel::slotTimesChanged(int times)
{
    if (!acceptChange())
        return;
    m_timing->playTimes = times;
    emit sigTimingSegmentChanged(m_timing);
}

void TimingSegmentPanel::addTimePoint(TimingSegmentTimePropertyWin *dialog)
{
    if (!canStore())
        return;
    dialog->slotCheckedAllWeek();
    dialog->slotSpcifiedDateChecked(dialog->specifiedDateBox()->isChecked());
    if (!dialog->run() || !m_timing)
        return;
    auto *point = new TimePoint;
    dialog->storeInto(*point);
    point->label = TimePointText::displayText(*point);
    m_timing->timePoints.append(point);
    emit sigTimingSegmentChanged(m_timing);
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, 0, new QTableWidgetItem(point->label));
}

void TimingSegmentPanel::editTimePoint(TimingSegmentTimePropertyWin *dialog)
{
    if (!canStore())
        return;
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_timing->timePoints.size()) {
        QMessageBox::information(this, tr("info"), tr("please select the time point to edit!"));
        return;
    }
    TimePoint *point = m_timing->timePoints.at(row);
    dialog->fillFrom(*point);
    if (!dialog->run() || !m_timing || !m_timing->timePoints.contains(point))
        return;
    dialog->storeInto(*point);
    point->label = TimePointText::displayText(*point);
    emit sigTimingSegmentChanged(m_timing);
    if (QTableWidgetItem *item = m_table->item(row, 0))
        item->setText(point->label);
}

void TimingSegmentPanel::deleteTimePoint()
{
    if (!canStore())
        return;
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_timing->timePoints.size()) {
        QMessageBox::information(this, tr("info"), tr("please select the time point to delete!"));
        return;
    }
    if (QMessageBox::question(this, tr("info"), tr("Are you sure to delete the selected time point?"),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    if (!m_timing || row >= m_timing->timePoints.size())
        return;
    delete m_timing->timePoints.takeAt(row);
    emit sigTimingSegmentChanged(m_timing);
    m_table->removeRow(row);
}
