#pragma once

#include <QObject>

class QScrollBar;
class QWidget;

// Keeps the mouse wheel from changing a value the operator only scrolled across: over a spin box,
// combo box or slider without the keyboard focus, the wheel scrolls the panel instead.
class WheelGuard : public QObject
{
    Q_OBJECT

public:
    // Guards every such control inside `panel`, scrolling `scrollBar`.
    static void install(QWidget *panel, QScrollBar *scrollBar);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WheelGuard(QScrollBar *scrollBar, QObject *parent);

    QScrollBar *m_scrollBar;
};
