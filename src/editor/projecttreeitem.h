#pragma once

#include <QTreeWidgetItem>

// A node of a schedule tree. It holds no pointer to its record: the record is found by the
// node's kind keyword and its text (the record's name) among its parent's records.
class ProjectTreeItem : public QTreeWidgetItem
{
public:
    ProjectTreeItem(const QString &kind, const QString &text, QTreeWidgetItem *parent = nullptr);

    QString kind() const { return m_kind; }
    QString name() const { return text(0); }

    // Set by the editing operations only.
    QString extra1;
    QString extra2;
    QString extra3;

private:
    QString m_kind;
};
