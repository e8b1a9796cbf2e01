#include "colorbutton.h"

#include <QColorDialog>

ColorButton::ColorButton(QWidget *parent)
    : QPushButton(parent)
{
    setFixedSize(60, 24);
    setCursor(Qt::PointingHandCursor);
    setColor(QColor(0, 0, 0));
}

void ColorButton::setColor(const QColor &color)
{
    m_color = color;
    // The button's own sheet wins over the panel's, so the face is the colour itself; its size is
    // set here too, because a sheet's sizes override the widget's own.
    setStyleSheet(
        QStringLiteral("QPushButton { background: %1; border: 1px solid #8fa0b4; border-radius: 2px; "
                       "padding: 0; min-width: 58px; max-width: 58px; min-height: 22px; max-height: 22px; }"
                       "QPushButton:hover { border-color: #2fc4d6; }"
                       "QPushButton:disabled { background: #2a323d; border-color: #35404e; }")
            .arg(color.name()));
}

QColor ColorButton::ask(QWidget *parent, const QColor &initial)
{
    return QColorDialog::getColor(initial, parent, tr("Select Color"));
}
