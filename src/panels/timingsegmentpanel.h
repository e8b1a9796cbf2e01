#pragma once

#include "nodepanel.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class TimingObject;
class TimingSegmentTimePropertyWin;

// The panel of a timing-inserted segment: its time points, one row each, and how long it
// plays when one is reached.
class TimingSegmentPanel : public NodePanel
{
    Q_OBJECT

public:
    explicit TimingSegmentPanel(QWidget *parent = nullptr);

    void showTiming(TimingObject *segment);
    TimingObject *timing() const { return m_timing; }
    QTableWidget *timePointTable() const { return m_table; }

    // The three commands beside the table, through the dialog the main window keeps.
    void addTimePoint(TimingSegmentTimePropertyWin *dialog);
    void editTimePoint(TimingSegmentTimePropertyWin *dialog);
    void deleteTimePoint();

signals:
    void sigTimingSegmentChanged(TimingObject *segment);
    // The add, edit and delete buttons.
    void sigAddRequested();
    void sigEditRequested();
    void sigDeleteRequested();

private slots:
    void slotPlayModeChanged();
    void slotMinutesChanged(int minutes);
    void slotSecondsChanged(int seconds);
    void slotTimesChanged(int times);

protected:
    bool hasRecord() const override { return m_timing != nullptr; }
    void fillControls() override;
    void retranslateUi() override;

private:
    void enableAlternatives();

    TimingObject *m_timing = nullptr;
    QLabel *m_nameLabel;
    QLineEdit *m_name;
    QLabel *m_listLabel;
    QTableWidget *m_table;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QLabel *m_reachedLabel;
    QRadioButton *m_byDuration;
    QSpinBox *m_minutes;
    QLabel *m_minutesUnit;
    QSpinBox *m_seconds;
    QLabel *m_secondsUnit;
    QRadioButton *m_byTimes;
    QSpinBox *m_times;
    QLabel *m_timesUnit;
};
