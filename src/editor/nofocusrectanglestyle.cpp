#include "nofocusrectanglestyle.h"

#include <QWidget>

NoFocusRectangleStyle::NoFocusRectangleStyle(QStyle *baseStyle)
    : QProxyStyle(baseStyle)
{}

void NoFocusRectangleStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                          QPainter *painter, const QWidget *widget) const
{
    if (element == PE_FrameFocusRect && widget && widget->inherits("QTreeView"))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
