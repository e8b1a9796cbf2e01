#include "projecttreeitem.h"

ProjectTreeItem::ProjectTreeItem(const QString &kind, const QString &text, QTreeWidgetItem *parent)
    : QTreeWidgetItem(parent, QStringList(text), 0)
    , m_kind(kind)
{}
