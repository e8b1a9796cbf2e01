#include "textcore/colorpen.h"

#include <QLinearGradient>
#include <QPen>
#include <QtTest>

Q_DECLARE_METATYPE(QGradientStops)

class TestColorPen : public QObject
{
    Q_OBJECT

private slots:
    void stopsPerMode_data();
    void stopsPerMode();
    void gradientLines();
    void verticalFollowsEndToEnd();
    void plainModeUsesTextColour();
    void unknownModeLeavesPenUnchanged();
};

namespace {
const QColor R(255, 0, 0), G(0, 255, 0), B(0, 0, 255), C(0, 255, 255), M(255, 0, 255), Y(255, 255, 0);
}

void TestColorPen::stopsPerMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QGradientStops>("expected");
    const QGradientStops six{{0.0, R}, {0.2, C}, {0.4, G}, {0.6, Y}, {0.8, B}, {1.0, M}};
    QTest::newRow("horizontal") << 1 << six;
    QTest::newRow("vertical") << 2 << six;
    QTest::newRow("angle") << 3 << six;
    QTest::newRow("three-colour streamer")
        << 4 << QGradientStops{{0.0, R}, {0.2, R}, {0.3, G}, {0.4, G}, {0.5, Y},
                               {0.6, R}, {0.7, R}, {0.8, G}, {0.9, G}, {1.0, Y}};
    QTest::newRow("rainbow streamer")
        << 5 << QGradientStops{{0.0, R}, {0.1, Y}, {0.2, G}, {0.3, C}, {0.4, B}, {0.5, M},
                               {0.6, R}, {0.7, Y}, {0.8, G}, {0.9, C}, {1.0, B}};
}

void TestColorPen::stopsPerMode()
{
    QFETCH(int, mode);
    QFETCH(QGradientStops, expected);
    QPen pen;
    ColorPen::Geometry g{100, 400, 640, true, 100};
    ColorPen::apply(pen, mode, Qt::white, g);
    const QGradient *gradient = pen.brush().gradient();
    QVERIFY(gradient);
    QCOMPARE(gradient->type(), QGradient::LinearGradient);
    QCOMPARE(gradient->stops(), expected);
}

void TestColorPen::gradientLines()
{
    const ColorPen::Geometry g{100, 400, 640, true, 100};
    auto line = [&g](int mode) {
        QPen pen;
        ColorPen::apply(pen, mode, Qt::white, g);
        const auto *lg = static_cast<const QLinearGradient *>(pen.brush().gradient());
        return qMakePair(lg->start(), lg->finalStop());
    };
    QCOMPARE(line(1), qMakePair(QPointF(0, 100), QPointF(400, 100)));
    QCOMPARE(line(3), qMakePair(QPointF(0, 0), QPointF(400, 100)));
    QCOMPARE(line(4), qMakePair(QPointF(0, 100), QPointF(400, 100)));
    QCOMPARE(line(5), qMakePair(QPointF(0, 100), QPointF(400, 100)));
}

void TestColorPen::verticalFollowsEndToEnd()
{
    QCOMPARE(ColorPen::gradientStart(2, {100, 400, 640, true, 120}), QPointF(400, 0));
    QCOMPARE(ColorPen::gradientEnd(2, {100, 400, 640, true, 120}), QPointF(400, 100));
    QCOMPARE(ColorPen::gradientStart(2, {100, 400, 640, false, 120}), QPointF(640, 0));
    QCOMPARE(ColorPen::gradientEnd(2, {100, 400, 640, false, 120}), QPointF(640, 120));
}

void TestColorPen::plainModeUsesTextColour()
{
    QPen pen(Qt::blue);
    ColorPen::apply(pen, 0, QColor(12, 34, 56), {});
    QCOMPARE(pen.brush().style(), Qt::SolidPattern);
    QCOMPARE(pen.color(), QColor(12, 34, 56));
}

void TestColorPen::unknownModeLeavesPenUnchanged()
{
    for (int mode : {-1, 6, 99}) {
        QPen pen(QColor(1, 2, 3));
        ColorPen::apply(pen, mode, QColor(200, 0, 0), {100, 400, 640, true, 100});
        QCOMPARE(pen.color(), QColor(1, 2, 3));
        QCOMPARE(pen.brush().style(), Qt::SolidPattern);
    }
}

QTEST_APPLESS_MAIN(TestColorPen)
#include "test_colorpen.moc"
