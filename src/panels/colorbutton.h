#pragma once

#include <QColor>
#include <QPushButton>

// A button that shows a colour as its face; pressing it is where a panel asks for a new one.
class ColorButton : public QPushButton
{
    Q_OBJECT

public:
    explicit ColorButton(QWidget *parent = nullptr);

    void setColor(const QColor &color);
    QColor color() const { return m_color; }

    // The colour dialog, starting at `initial`; an invalid colour when the operator cancels.
    static QColor ask(QWidget *parent, const QColor &initial);

private:
    QColor m_color;
};
