#include "wheelguard.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QWheelEvent>

WheelGuard::WheelGuard(QScrollBar *scrollBar, QObject *parent)
    : QObject(parent)
    , m_scrollBar(scrollBar)
{}

void WheelGuard::install(QWidget *panel, QScrollBar *scrollBar)
{
    auto *guard = new WheelGuard(scrollBar, panel);
    const QList<QWidget *> widgets = panel->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        const bool valued = qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<QComboBox *>(widget) ||
                            (qobject_cast<QAbstractSlider *>(widget) && widget != scrollBar &&
                             !qobject_cast<QScrollBar *>(widget));
        if (!valued)
            continue;
        // A click or Tab gives the focus; the wheel alone does not.
        widget->setFocusPolicy(Qt::StrongFocus);
        widget->installEventFilter(guard);
    }
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->hasFocus())
        return false;
    if (m_scrollBar)
        QApplication::sendEvent(m_scrollBar, event);
    return true;
}
