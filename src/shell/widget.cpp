#include "widget.h"

#include "settings.h"

#include <QCloseEvent>

Widget::Widget(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Lumora"));
    setMinimumSize(1024, 715);
    resize(1024, 715);
}

Widget::~Widget() = default;

void Widget::openSchemeFromCommandLine(const QString &path)
{
    Q_UNUSED(path)
}

void Widget::slotOpenSettingsDoc(const QString &path)
{
    Q_UNUSED(path)
}

void Widget::slotOpenLastDoc(const QString &path)
{
    Q_UNUSED(path)
}

void Widget::slotRaiseWindow()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void Widget::closeEvent(QCloseEvent *event)
{
    appSettings().closeType = QStringLiteral("normal");
    writeCloseType();
    event->accept();
}
