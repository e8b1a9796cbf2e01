#pragma once

#include "nodepanel.h"

class CycleObject;
class GeneralObject;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTimeEdit;

// The panel of a general or a cycle-inserted segment: its dates, days and hours, and for a
// cycle segment how often it is inserted and how long it plays.
class SegmentPanel : public NodePanel
{
    Q_OBJECT

public:
    explicit SegmentPanel(QWidget *parent = nullptr);

    // Shows `segment` (one of the two; the other nullptr).
    void showGeneral(GeneralObject *segment);
    void showCycle(CycleObject *segment);
    GeneralObject *general() const { return m_general; }
    CycleObject *cycle() const { return m_cycle; }

signals:
    void sigSegmentChanged(GeneralObject *segment);
    void sigCycleSegmentChanged(CycleObject *segment);

public slots:
    void slotSegmentNameChange(const QString &name);
    void slotsegmentPlayEveryChanged(int minutes);
    void slotSegmentPlayMin(bool checked);
    void slotsegmentPlayMinChanged(int minutes);
    void slotsegmentPlaySecChanged(int seconds);
    void slotSegmentPlayTimes(bool checked);
    void slotsegmentPlayTimesChanged(int times);
    void slotSpcifiedDateChecked(bool checked);
    void slotSegmentFromDateSelect();
    void slotSegmentToDateSelect();
    void slotCalenderWinClicked(const QDate &day);
    void slotMondayChecked(bool checked);
    void slotTuesdayChecked(bool checked);
    void slotWednesdayChecked(bool checked);
    void slotThursdayChecked(bool checked);
    void slotFridayChecked(bool checked);
    void slotSaturdayChecked(bool checked);
    void slotSundayChecked(bool checked);
    void slotAllDayChecked(bool checked);
    void slotAllTimeChecked();
    void slotSegmengFromTimeChanged(const QTime &time);
    void slotSegmengToTimeChanged(const QTime &time);

protected:
    bool hasRecord() const override { return m_general || m_cycle; }
    void fillControls() override;
    void retranslateUi() override;
    void calendarClicked(int target, const QDate &day) override;

private:
    template<typename F> void store(F change);
    void storeDays();
    void enableAlternatives();

    GeneralObject *m_general = nullptr;
    CycleObject *m_cycle = nullptr;
    int m_pendingDate = 0; // 1 from, 2 to

    QLabel *m_nameLabel;
    QLineEdit *m_name;
    QGroupBox *m_playBox;
    QLabel *m_everyLabel;
    QSpinBox *m_every;
    QLabel *m_everyUnit;
    QRadioButton *m_byDuration;
    QSpinBox *m_minutes;
    QLabel *m_minutesUnit;
    QSpinBox *m_seconds;
    QLabel *m_secondsUnit;
    QRadioButton *m_byTimes;
    QSpinBox *m_times;
    QLabel *m_timesUnit;
    QCheckBox *m_specifiedDate;
    QLabel *m_fromDateLabel;
    QDateEdit *m_fromDate;
    QPushButton *m_fromDateButton;
    QLabel *m_toDateLabel;
    QDateEdit *m_toDate;
    QPushButton *m_toDateButton;
    QGroupBox *m_daysBox;
    QList<QCheckBox *> m_days;
    QGroupBox *m_timeBox;
    QCheckBox *m_allDay;
    QLabel *m_fromTimeLabel;
    QTimeEdit *m_fromTime;
    QLabel *m_toTimeLabel;
    QTimeEdit *m_toTime;
};
