#include "projectwidget.h"

#include "nofocusrectanglestyle.h"
#include "projecttree.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

ProjectWidget::ProjectWidget(const QString &displayWindowName, QWidget *parent)
    : QWidget(parent)
    , m_displayWindowName(displayWindowName)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    column->addLayout(row);

    m_tree = new ProjectTree(displayWindowName, this);
    m_tree->setFixedWidth(TreeWidth);
    m_tree->setRootIsDecorated(true);
    // One unnamed column: a header would only show its number.
    m_tree->setHeaderHidden(true);
    // The style outlives no one: the widget owns it and the tree is its child.
    m_style = new NoFocusRectangleStyle;
    m_style->setParent(this);
    m_tree->setStyle(m_style);
    row->addWidget(m_tree);
    row->addStretch(1);
}

ProjectWidget::~ProjectWidget()
{
    // The tree goes first so that it never paints with a deleted style.
    delete m_tree;
    m_tree = nullptr;
}

void ProjectWidget::setDisplayWindowName(const QString &name)
{
    m_displayWindowName = name;
}
