#pragma once

#include <QProxyStyle>

// Draws a tree without the dotted focus rectangle on its items; everything else is the
// base style's drawing.
class NoFocusRectangleStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit NoFocusRectangleStyle(QStyle *baseStyle = nullptr);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
