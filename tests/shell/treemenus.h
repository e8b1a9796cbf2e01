#pragma once

#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

// Drives a schedule tree as the operator does: nodes found by their texts, right-clicked, and
// the context menu that opens clicked through entry by entry. Helpers return false rather than
// check, so the calling test function can stop.

// The node at `path` below the root ("General Segment1", "Program1", "Common Window1").
inline ProjectTreeItem *treeNode(ProjectTree *tree, const QStringList &path)
{
    QTreeWidgetItem *node = tree->rootItem();
    for (const QString &text : path) {
        QTreeWidgetItem *found = nullptr;
        for (int i = 0; node && i < node->childCount() && !found; ++i) {
            if (node->child(i)->text(0) == text)
                found = node->child(i);
        }
        node = found;
    }
    return static_cast<ProjectTreeItem *>(node);
}

inline bool clickNode(ProjectTree *tree, QTreeWidgetItem *node, Qt::MouseButton button = Qt::LeftButton)
{
    if (!node)
        return false;
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), button, {}, tree->visualItemRect(node).center());
    return true;
}

// Right-clicks `node`, then clicks `entries` in the menu that opened (submenus open on the
// way); true when the last entry fired once.
inline bool runMenu(ProjectTree *tree, QTreeWidgetItem *node, const QStringList &entries)
{
    if (!clickNode(tree, node, Qt::RightButton))
        return false;
    QMenu *menu = nullptr;
    if (!QTest::qWaitFor(
            [&menu] { return (menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())); }, 5000))
        return false;
    for (int i = 0; i < entries.size(); ++i) {
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000))
            return false;
        QAction *action = nullptr;
        for (QAction *candidate : menu->actions()) {
            if (candidate->text() == entries.at(i))
                action = candidate;
        }
        if (!action || !action->isEnabled() || !action->isVisible()) {
            menu->close();
            return false;
        }
        const QPoint at = menu->actionGeometry(action).center();
        if (i + 1 < entries.size()) {
            QMenu *sub = action->menu();
            if (!sub)
                return false;
            // The arrow key opens the submenu at once, as for an operator using the keyboard;
            // the pointer's way waits for the style's hover delay.
            menu->setActiveAction(action);
            if (!sub->isVisible())
                QTest::keyClick(menu, Qt::Key_Right);
            menu = sub;
            continue;
        }
        QSignalSpy fired(action, &QAction::triggered);
        QTest::mouseClick(menu, Qt::LeftButton, {}, at);
        return fired.size() == 1;
    }
    return false;
}

inline bool runMenu(ProjectTree *tree, const QStringList &nodePath, const QStringList &entries)
{
    return runMenu(tree, treeNode(tree, nodePath), entries);
}
