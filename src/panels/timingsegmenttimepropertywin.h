#pragma once

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimeEdit;
class TimePoint;

// The dialog that adds or edits one time point of a timing-inserted segment: its time, an
// optional date range and its days. Made once and reused, so it keeps its values between uses.
class TimingSegmentTimePropertyWin : public QDialog
{
    Q_OBJECT

public:
    explicit TimingSegmentTimePropertyWin(QWidget *parent = nullptr);

    // Runs the dialog; true when the operator confirmed with "ok". Each run starts as
    // cancelled, so Esc or the close button never counts as an earlier "ok".
    bool run();
    // 0 after "ok", 1 otherwise.
    int resultFlag() const { return m_result; }

    // Sets the controls from `point`, and writes them into `point` (seconds 0).
    void fillFrom(const TimePoint &point);
    void storeInto(TimePoint &point) const;

    QTimeEdit *timeEdit() const { return m_time; }
    QCheckBox *specifiedDateBox() const { return m_specifiedDate; }
    QDateEdit *fromDateEdit() const { return m_fromDate; }
    QDateEdit *toDateEdit() const { return m_toDate; }
    QList<QCheckBox *> dayBoxes() const { return m_days; }
    QPushButton *okButton() const { return m_ok; }

public slots:
    void slotSpcifiedDateChecked(bool on);
    void slotCheckedAllWeek();
    void slotOK();
    void slotCancel();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();
    void pickDate(QDateEdit *edit, QPushButton *button);

    int m_result = 1;
    QGroupBox *m_timeBox;
    QTimeEdit *m_time;
    QCheckBox *m_specifiedDate;
    QLabel *m_fromLabel;
    QDateEdit *m_fromDate;
    QPushButton *m_fromButton;
    QLabel *m_toLabel;
    QDateEdit *m_toDate;
    QPushButton *m_toButton;
    QGroupBox *m_dayBox;
    QList<QCheckBox *> m_days;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};
