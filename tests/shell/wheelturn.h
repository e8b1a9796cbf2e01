#pragma once

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>

// Turns the mouse wheel `notches` notches (up for positive) over `control`, handed
// over as the window system hands it: to the innermost widget under the pointer and marked
// spontaneous, so that the toolkit's focus-on-wheel and its offering the wheel to the parents in
// turn take part. False when no part of the control can be pointed at.
inline bool turnWheelOver(QWidget *control, int notches)
{
    // Where the operator can point at it: a panel may cut a control off at its edge.
    const QRegion visible = control->visibleRegion();
    if (visible.isEmpty())
        return false;
    QWidget *window = control->window();
    const QPoint inWindow = control->mapTo(window, visible.begin()->center());
    QWidget *target = window->childAt(inWindow);
    if (!target || (target != control && !control->isAncestorOf(target)))
        return false;
    const QPoint local = target->mapFrom(window, inWindow);
    QWheelEvent wheel(local, target->mapToGlobal(local), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(target, &wheel);
    return true;
}

// Scrolls the panels holding `control` until it is in view, as the operator does before
// pointing at it.
inline void bringIntoView(QWidget *control)
{
    for (QWidget *w = control->parentWidget(); w; w = w->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(w))
            area->ensureWidgetVisible(control);
    }
}

// The spin boxes, date and time edits, combo boxes and sliders of `surface` an operator can
// see, in the order they were made.
inline QList<QWidget *> valueControls(QWidget *surface)
{
    QList<QWidget *> controls;
    const QList<QWidget *> widgets = surface->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        const bool valued = qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w) ||
                            (qobject_cast<QAbstractSlider *>(w) && !qobject_cast<QScrollBar *>(w));
        if (valued && w->isVisible())
            controls << w;
    }
    return controls;
}

// What `control` shows as its value.
inline QString shownValue(QWidget *control)
{
    if (auto *box = qobject_cast<QAbstractSpinBox *>(control))
        return box->text();
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return QString::number(combo->currentIndex()) + QLatin1Char('|') + combo->currentText();
    if (auto *slider = qobject_cast<QAbstractSlider *>(control))
        return QString::number(slider->value());
    return QString();
}
