#include "wheelguard.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QWheelEvent>

WheelGuard::WheelGuard(QObject *parent)
    : QObject(parent)
{}

void WheelGuard::guardApplication()
{
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app || app->findChild<WheelGuard *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    app->installEventFilter(new WheelGuard(app));
    // Controls made before the guard are polished already and never pass by it again.
    const QList<QWidget *> widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets)
        keepWheelFromFocusing(widget);
}

bool WheelGuard::guards(const QWidget *widget)
{
    // A scroll bar is there to be wheeled; views and scroll areas scroll, they hold no value.
    return qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QComboBox *>(widget) ||
           (qobject_cast<const QAbstractSlider *>(widget) && !qobject_cast<const QScrollBar *>(widget));
}

void WheelGuard::keepWheelFromFocusing(QWidget *widget)
{
    // The toolkit hands a control with the wheel focus policy the focus before anyone sees the
    // wheel event, and a focused control takes the wheel: such a control would still step
    // under a passing wheel. A click or Tab still focuses it.
    if (guards(widget) && (widget->focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus)
        widget->setFocusPolicy(Qt::StrongFocus);
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Polish) {
        if (watched->isWidgetType())
            keepWheelFromFocusing(static_cast<QWidget *>(watched));
        return false;
    }
    if (event->type() != QEvent::Wheel || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (!guards(widget) || widget->hasFocus())
        return false;
    // Not taken here: the toolkit offers a wheel from the window system to the parents in
    // turn, up to the scroll area that scrolls with it.
    event->ignore();
    return true;
}
