#pragma once

#include <QObject>

class QWidget;

// Keeps the mouse wheel from changing a value the operator only scrolled across: over a spin
// box, combo box, date or time edit or slider without the keyboard focus, the wheel goes on to
// whatever holds the control (the panel's scroll area, a list) as if the control were not
// there. A click or Tab gives the control the focus, and from then on the wheel steps it.
//
// One guard watches the whole application, so every panel and dialog, made now or later, is
// covered without asking for it.
class WheelGuard : public QObject
{
    Q_OBJECT

public:
    // Guards the application from now on; once is enough, more calls change nothing.
    static void guardApplication();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WheelGuard(QObject *parent);

    static bool guards(const QWidget *widget);
    static void keepWheelFromFocusing(QWidget *widget);
};
