#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QGridLayout;
class QLabel;
class QPushButton;

// Base of the property panels of the schedule's nodes. A panel writes straight into the record
// it shows; filling it never writes (the controls' signals are blocked while it fills), and a
// panel that is disabled (the editor is locked while a schedule plays) stores nothing: a
// change that reaches it anyway is undone by filling the panel again.
class NodePanel : public QWidget
{
    Q_OBJECT

public:
    explicit NodePanel(QWidget *parent = nullptr);

    // The calendar the date buttons open (created on first use).
    QCalendarWidget *calendar() const { return m_calendar; }
    // A calendar popup of the console's look, 240 x 205, child of `parent`.
    static QCalendarWidget *makeCalendar(QWidget *parent);

protected:
    // Whether a change may be stored: a record is shown and the panel is not locked.
    bool canStore() const { return hasRecord() && isEnabled(); }
    virtual bool hasRecord() const = 0;
    // Sets every control from the record; runs with the controls' signals blocked.
    virtual void fillControls() = 0;
    virtual void retranslateUi() = 0;
    // Fills the controls from the record without writing anything back.
    void refill();
    // Refuses a change while locked: the controls show the record again. Returns canStore().
    bool acceptChange();

    // A right-aligned label at (row, column) of `grid`.
    QLabel *addLabel(QGridLayout *grid, int row, int column);
    // The small calendar button beside a date.
    QPushButton *makeDateButton();
    // Opens the calendar under `anchor` on `date`; a click on a day runs calendarClicked(target, day).
    void openCalendar(QWidget *anchor, const QDate &date, int target);
    virtual void calendarClicked(int target, const QDate &day);

    void changeEvent(QEvent *event) override;

private:
    QCalendarWidget *m_calendar = nullptr;
    int m_calendarTarget = 0;
};
