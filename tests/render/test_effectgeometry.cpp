// The entry and exit effects' start and end points and curtain rectangles, worked out by
// hand for a 400 x 300 window with a frame 6 pixels wide (origin 3, 3; media 3..396 x 3..296).
#include "render/effectgeometry.h"

#include <QSet>
#include <QtTest>

using namespace EffectGeometry;

namespace {
const QSize size(400, 300);
constexpr int frame = 6;

QRect R(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}
} // namespace

Q_DECLARE_METATYPE(QRect)

class TestEffectGeometry : public QObject
{
    Q_OBJECT

private slots:
    void slidesEnterFromTheirPointToTheOrigin_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QPoint>("entryStart");
        QTest::addColumn<QPoint>("exitEnd");
        QTest::newRow("1 from right") << 1 << QPoint(397, 3) << QPoint(-400, 3);
        QTest::newRow("2 from left") << 2 << QPoint(-397, 3) << QPoint(400, 3);
        QTest::newRow("3 from top") << 3 << QPoint(3, -297) << QPoint(3, 300);
        QTest::newRow("4 from bottom") << 4 << QPoint(3, 297) << QPoint(3, -300);
        QTest::newRow("5 from bottom right") << 5 << QPoint(397, 297) << QPoint(-400, -300);
        QTest::newRow("6 from bottom left") << 6 << QPoint(-397, 297) << QPoint(400, -300);
        QTest::newRow("7 from top left") << 7 << QPoint(-397, -297) << QPoint(400, 300);
        QTest::newRow("8 from top right") << 8 << QPoint(397, -297) << QPoint(-400, 300);
    }
    void slidesEnterFromTheirPointToTheOrigin()
    {
        QFETCH(int, effect);
        QFETCH(QPoint, entryStart);
        QFETCH(QPoint, exitEnd);
        QVERIFY(isSlide(effect));
        QVERIFY(!isReveal(effect));
        const Slide in = entrySlide(effect, size, frame);
        QCOMPARE(in.start, entryStart);
        QCOMPARE(in.end, QPoint(3, 3));
        const Slide out = exitSlide(effect, size, frame);
        QCOMPARE(out.start, QPoint(3, 3));
        QCOMPARE(out.end, exitEnd);
    }

    void withoutFrameTheOriginIsTheCorner()
    {
        QCOMPARE(origin(0), QPoint(0, 0));
        QCOMPARE(entrySlide(1, size, 0).start, QPoint(400, 0));
        QCOMPARE(mediaRect(size, 0), R(0, 0, 399, 299));
        // An odd frame halves downwards.
        QCOMPARE(origin(5), QPoint(2, 2));
    }

    void revealEntryCurtains_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QRect>("firstStart");
        QTest::addColumn<QRect>("firstEnd");
        QTest::addColumn<bool>("two");
        QTest::addColumn<QRect>("secondStart");
        QTest::addColumn<QRect>("secondEnd");
        const QRect m = R(3, 3, 396, 296);
        QTest::newRow("9") << 9 << m << R(6, 3, 5, 296) << false << QRect() << QRect();
        QTest::newRow("10") << 10 << m << R(397, 3, 396, 296) << false << QRect() << QRect();
        QTest::newRow("11") << 11 << m << R(3, 297, 396, 296) << false << QRect() << QRect();
        QTest::newRow("12") << 12 << m << R(3, 3, 396, 2) << false << QRect() << QRect();
        QTest::newRow("13") << 13 << R(3, 3, 202, 296) << R(3, 3, 2, 296) << true << R(200, 3, 399, 296)
                            << R(397, 3, 396, 296);
        QTest::newRow("14") << 14 << m << R(200, 3, 199, 296) << true << R(200, 3, 399, 296)
                            << R(397, 3, 396, 296);
        QTest::newRow("15") << 15 << R(3, 3, 396, 152) << R(3, 3, 396, 2) << true << R(3, 150, 396, 299)
                            << R(3, 297, 396, 296);
        QTest::newRow("16") << 16 << m << R(3, 150, 396, 149) << true << R(3, 150, 396, 299)
                            << R(3, 297, 396, 296);
        QTest::newRow("17") << 17 << m << R(200, 150, 199, 149) << true << R(3, 150, 396, 299)
                            << R(3, 297, 396, 296);
    }
    void revealEntryCurtains()
    {
        QFETCH(int, effect);
        QFETCH(QRect, firstStart);
        QFETCH(QRect, firstEnd);
        QFETCH(bool, two);
        QFETCH(QRect, secondStart);
        QFETCH(QRect, secondEnd);
        QVERIFY(isReveal(effect));
        const Curtains c = entryCurtains(effect, size, frame);
        QCOMPARE(c.firstStart, firstStart);
        QCOMPARE(c.firstEnd, firstEnd);
        QCOMPARE(c.twoCurtains, two);
        if (two) {
            QCOMPARE(c.secondStart, secondStart);
            QCOMPARE(c.secondEnd, secondEnd);
        }
    }

    void revealExitCurtains_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QRect>("firstStart");
        QTest::addColumn<QRect>("firstEnd");
        QTest::addColumn<bool>("two");
        QTest::addColumn<QRect>("secondStart");
        QTest::addColumn<QRect>("secondEnd");
        const QRect m = R(3, 3, 396, 296);
        QTest::newRow("9") << 9 << R(400, 3, 399, 296) << m << false << QRect() << QRect();
        QTest::newRow("10") << 10 << R(3, 3, 2, 296) << m << false << QRect() << QRect();
        QTest::newRow("11") << 11 << R(3, 3, 396, 2) << m << false << QRect() << QRect();
        QTest::newRow("12") << 12 << R(3, 300, 396, 299) << m << false << QRect() << QRect();
        QTest::newRow("13") << 13 << R(200, 3, 199, 296) << m << false << QRect() << QRect();
        QTest::newRow("14") << 14 << R(3, 3, 2, 296) << R(3, 3, 202, 296) << true << R(400, 3, 399, 296)
                            << R(200, 3, 399, 296);
        QTest::newRow("15") << 15 << R(3, 150, 396, 149) << m << false << QRect() << QRect();
        QTest::newRow("16") << 16 << R(3, 3, 396, 2) << R(3, 3, 396, 152) << true << R(3, 300, 396, 299)
                            << R(3, 150, 396, 299);
        QTest::newRow("17") << 17 << R(200, 150, 199, 149) << m << false << QRect() << QRect();
    }
    void revealExitCurtains()
    {
        QFETCH(int, effect);
        QFETCH(QRect, firstStart);
        QFETCH(QRect, firstEnd);
        QFETCH(bool, two);
        QFETCH(QRect, secondStart);
        QFETCH(QRect, secondEnd);
        const Curtains c = exitCurtains(effect, size, frame);
        QCOMPARE(c.firstStart, firstStart);
        QCOMPARE(c.firstEnd, firstEnd);
        QCOMPARE(c.twoCurtains, two);
        if (two) {
            QCOMPARE(c.secondStart, secondStart);
            QCOMPARE(c.secondEnd, secondEnd);
        }
    }

    void zeroLinesHaveNoArea()
    {
        // A curtain that has shrunk to its line covers nothing of the media.
        for (int effect = 9; effect <= 17; ++effect) {
            const Curtains c = entryCurtains(effect, size, frame);
            QVERIFY2(c.firstEnd.isEmpty(), qPrintable(QString::number(effect)));
            QVERIFY(exitCurtains(effect, size, frame).firstStart.isEmpty());
        }
    }

    void randomCoversOneToSeventeenOnly()
    {
        QSet<int> seen;
        for (quint32 r = 0; r < 1000; ++r) {
            const int e = resolve(0, r * 2654435761u);
            QVERIFY2(e >= 1 && e <= 17, qPrintable(QString::number(e)));
            seen.insert(e);
        }
        QCOMPARE(seen.size(), 17);
        QCOMPARE(resolve(0, 17), 17); // remainder 0 is 17
        QCOMPARE(resolve(0, 34), 17);
        QCOMPARE(resolve(0, 18), 1);
        QCOMPARE(resolve(5, 0), 5);
        QSet<int> drawn;
        for (int i = 0; i < 2000; ++i)
            drawn.insert(resolveRandom(0));
        QCOMPARE(drawn.size(), 17);
        QVERIFY(!drawn.contains(0));
    }

    void speedsAreTenthsOfASecond()
    {
        QCOMPARE(durationMsecs(5), 500);
        QCOMPARE(durationMsecs(1), 100);
        QCOMPARE(durationMsecs(-3), 0);
        QVERIFY(!isSlide(0) && !isReveal(0) && !isReveal(18));
    }
};

QTEST_APPLESS_MAIN(TestEffectGeometry)
#include "test_effectgeometry.moc"
