// The schedule tree never shows the dotted focus rectangle on its nodes, and draws everything
// else as before. Trees are drawn into pictures with and without the style and compared; the
// base style is "Windows", which draws the rectangle whenever an item view has the focus.
#include "editor/nofocusrectanglestyle.h"
#include "editor/projecttree.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionFocusRect>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {
// A window with a tree of three nodes, the middle one current, and a line edit to take the
// focus away from the tree.
struct TreeWindow
{
    explicit TreeWindow(QStyle *treeStyle)
    {
        auto *layout = new QHBoxLayout(&window);
        tree = new QTreeWidget;
        tree->setHeaderHidden(true);
        tree->setStyle(treeStyle);
        other = new QLineEdit;
        layout->addWidget(tree);
        layout->addWidget(other);
        auto *root = new QTreeWidgetItem(tree, QStringList{QStringLiteral("Add Schedule")});
        auto *segment = new QTreeWidgetItem(root, QStringList{QStringLiteral("General Segment1")});
        new QTreeWidgetItem(segment, QStringList{QStringLiteral("Program1")});
        tree->expandAll();
        tree->setCurrentItem(segment);
        window.resize(400, 200);
        window.move(100, 100);
    }

    QImage treePicture(QWidget *focused)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        focused->setFocus(Qt::OtherFocusReason);
        if (!QTest::qWaitFor([focused] { return focused->hasFocus(); }, 2000))
            return QImage();
        QImage picture(tree->size(), QImage::Format_RGB32);
        picture.fill(Qt::white);
        tree->render(&picture);
        return picture;
    }

    QWidget window;
    QTreeWidget *tree = nullptr;
    QLineEdit *other = nullptr;
};

// The rows where two pictures differ.
QList<int> differingRows(const QImage &a, const QImage &b)
{
    QList<int> rows;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                rows << y;
                break;
            }
        }
    }
    return rows;
}

QImage drawFocusRect(const QStyle &style, const QWidget *widget)
{
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QStyleOptionFocusRect option;
    option.rect = QRect(2, 2, 36, 16);
    option.state = QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    option.backgroundColor = Qt::white;
    option.palette = QApplication::palette();
    QPainter painter(&picture);
    style.drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, widget);
    return picture;
}

bool allWhite(const QImage &picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                return false;
        }
    }
    return true;
}
} // namespace

class TestNoFocusRectangleStyle : public QObject
{
    Q_OBJECT

private slots:
    void aFocusedTreeIsDrawnAsAnUnfocusedOne()
    {
        std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Windows")));
        QVERIFY(base);
        TreeWindow plain(base.get());
        const QImage unfocused = plain.treePicture(plain.other);
        const QImage focused = plain.treePicture(plain.tree);
        QVERIFY(!unfocused.isNull() && !focused.isNull());
        // The base style draws the rectangle, on the current node's row only.
        const QList<int> rows = differingRows(unfocused, focused);
        QVERIFY2(!rows.isEmpty(), "the base style drew no focus rectangle to suppress");
        const QRect current = plain.tree->visualItemRect(plain.tree->currentItem());
        const int top = plain.tree->viewport()->mapTo(plain.tree, current.topLeft()).y();
        QVERIFY(rows.first() >= top && rows.last() < top + current.height());

        // With the style the focused tree is exactly the unfocused one: the rectangle is gone
        // and nothing else is drawn differently.
        auto *style = new NoFocusRectangleStyle(QStyleFactory::create(QStringLiteral("Windows")));
        TreeWindow styled(style);
        const QImage styledFocused = styled.treePicture(styled.tree);
        QVERIFY(!styledFocused.isNull());
        QCOMPARE(styledFocused, unfocused);
        styled.tree->setStyle(nullptr);
        delete style;
    }

    void onlyTreesLoseTheRectangle()
    {
        NoFocusRectangleStyle style(QStyleFactory::create(QStringLiteral("Windows")));
        std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Windows")));
        QTreeWidget tree;
        ProjectTree scheduleTree(QStringLiteral("Hall")); // a tree by inheritance
        QListWidget list;
        QLineEdit edit;
        QVERIFY(allWhite(drawFocusRect(style, &tree)));
        QVERIFY(allWhite(drawFocusRect(style, &scheduleTree)));
        // Other widgets, and a drawing for no widget, keep the base style's rectangle.
        QVERIFY(!allWhite(drawFocusRect(*base, &list)));
        QCOMPARE(drawFocusRect(style, &list), drawFocusRect(*base, &list));
        QCOMPARE(drawFocusRect(style, &edit), drawFocusRect(*base, &edit));
        QCOMPARE(drawFocusRect(style, nullptr), drawFocusRect(*base, nullptr));
    }
};

QTEST_MAIN(TestNoFocusRectangleStyle)
#include "test_nofocusrectanglestyle.moc"
