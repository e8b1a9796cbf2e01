#include "applicationfont.h"

#include <QFont>
#include <QGuiApplication>

void applyApplicationFont()
{
    const QString family = QStringLiteral("微软雅黑");
    QFont::insertSubstitutions(family, {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK"),
                                        QStringLiteral("WenQuanYi Micro Hei")});
    QFont font(family);
    font.setPixelSize(14);
    QGuiApplication::setFont(font);
}
