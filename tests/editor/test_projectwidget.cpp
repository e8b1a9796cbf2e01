// The container of a display window's schedule tree: its name, the tree's fixed column and
// the style that keeps the focus rectangle off the nodes.
#include "editor/nofocusrectanglestyle.h"
#include "editor/projecttree.h"
#include "editor/projectwidget.h"

#include <QtTest>

class TestProjectWidget : public QObject
{
    Q_OBJECT

private slots:
    void theScheduleTreeWearsTheStyle()
    {
        ProjectWidget container(QStringLiteral("Hall"));
        QCOMPARE(container.displayWindowName(), QStringLiteral("Hall"));
        ProjectTree *tree = container.tree();
        QVERIFY(tree);
        QCOMPARE(tree->displayName, QStringLiteral("Hall"));
        QVERIFY(qobject_cast<NoFocusRectangleStyle *>(tree->style()));
        QCOMPARE(tree->width(), 290);
        QCOMPARE(tree->minimumWidth(), 290);
        QCOMPARE(tree->maximumWidth(), 290);
        QVERIFY(tree->rootIsDecorated());
        QVERIFY(tree->isHeaderHidden());
        // Tree first, then the stretch, without margins: the column does not widen the tree.
        container.resize(600, 400);
        container.show();
        QVERIFY(QTest::qWaitForWindowExposed(&container));
        QCOMPARE(tree->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(tree->height(), container.height());
        QCOMPARE(tree->width(), 290);
        container.setDisplayWindowName(QStringLiteral("Foyer"));
        QCOMPARE(container.displayWindowName(), QStringLiteral("Foyer"));
    }
};

QTEST_MAIN(TestProjectWidget)
#include "test_projectwidget.moc"
