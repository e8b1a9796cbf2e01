#include "newdisplaywindowbutton.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

newDisplayWindowButton::newDisplayWindowButton(const QString &displayWindowName, QWidget *parent)
    : QToolButton(parent)
{
    setObjectName(QStringLiteral("displayWindowButton"));
    setCheckable(true);
    setFixedSize(140, 40);
    setText(displayWindowName);
    setCursor(Qt::PointingHandCursor);
    m_settingAction = new QAction(this);
    m_addAction = new QAction(this);
    m_deleteAction = new QAction(this);
    retranslate();
    connect(this, &QToolButton::clicked, this, &newDisplayWindowButton::sigBtnChecked);
}

void newDisplayWindowButton::retranslate()
{
    m_settingAction->setText(tr("Led Display Parameter Setting"));
    m_addAction->setText(tr("Add Play Window"));
    m_deleteAction->setText(tr("Delete"));
}

void newDisplayWindowButton::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(m_settingAction);
    menu.addAction(m_addAction);
    menu.addAction(m_deleteAction);
    menu.exec(event->globalPos());
}
