#pragma once

#include "nodepanel.h"

class DisplaySchedule;
class QTableWidget;

// The view of a display window's whole schedule (its root node): for each day of a chosen
// range, which segments may play and when timing segments cut in, and how they take turns.
class ScheduleView : public NodePanel
{
    Q_OBJECT

public:
    explicit ScheduleView(QWidget *parent = nullptr);

    void showSchedule(const DisplaySchedule *schedule);
    QTableWidget *table() const { return m_table; }

public slots:
    void slotFromDateSelect();
    void slotToDateSelect();
    void slotRefresh();

protected:
    bool hasRecord() const override { return m_schedule != nullptr; }
    void fillControls() override;
    void retranslateUi() override;
    void calendarClicked(int target, const QDate &day) override;

private:
    void showRange();

    const DisplaySchedule *m_schedule = nullptr;
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
