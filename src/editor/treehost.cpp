#include "treehost.h"

#include <QDebug>

TreeHost::~TreeHost() = default;

void TreeHost::showInformation(const QString &title, const QString &text)
{
    qWarning().noquote() << title << text;
}
