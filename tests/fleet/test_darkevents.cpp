// What the agent keeps of its player's dark screens: a bounded list of the last day, and "dark"
// while an event the player could not mend is recent and its window has not played again.

#include "fleet/darkevents.h"

#include <QtTest>

namespace {

QJsonObject message(const QString &window, bool mended, qint64 utcMs)
{
    return QJsonObject{
        {QStringLiteral("op"), QStringLiteral("playEvent")},      {QStringLiteral("utcMs"), utcMs},
        {QStringLiteral("screen"), QStringLiteral("D")},          {QStringLiteral("window"), window},
        {QStringLiteral("kind"), QStringLiteral("videoStalled")}, {QStringLiteral("mended"), mended}};
}

} // namespace

class TestDarkEvents : public QObject
{
    Q_OBJECT

private slots:
    void darkWhileAnUnmendedEventIsRecentAndItsWindowDark()
    {
        DarkEvents events;
        const qint64 t0 = Q_INT64_C(1800000000000);
        events.add(message(QStringLiteral("a"), true, t0), t0);
        QVERIFY(!events.dark(t0));
        events.add(message(QStringLiteral("b"), false, t0), t0);
        QVERIFY(events.dark(t0 + 1000));
        // Another window playing again changes nothing; its own does.
        events.resumed(QStringLiteral("D"), QStringLiteral("a"), t0 + 2000);
        QVERIFY(events.dark(t0 + 2000));
        events.resumed(QStringLiteral("D"), QStringLiteral("b"), t0 + 3000);
        QVERIFY(!events.dark(t0 + 3000));
        QVERIFY(events.events(t0 + 3000).last().toObject().contains(QStringLiteral("playsAgain")));
        // Without news, dark ends by age.
        events.add(message(QStringLiteral("c"), false, t0 + 4000), t0 + 4000);
        QCOMPARE(events.msecsToLight(t0 + 4000), DarkEvents::DarkMsecs);
        QVERIFY(events.dark(t0 + 4000 + DarkEvents::DarkMsecs - 1));
        QVERIFY(!events.dark(t0 + 4000 + DarkEvents::DarkMsecs));

        QJsonObject state;
        events.describe(&state, t0 + 5000);
        QCOMPARE(state.value(QStringLiteral("darkEvents")).toArray().size(), 3);
        QVERIFY(state.value(QStringLiteral("dark")).toBool());
    }

    void theListKeepsTheLastOnesOfTheLastDay()
    {
        DarkEvents events;
        const qint64 t0 = Q_INT64_C(1800000000000);
        for (int i = 0; i < 50; ++i)
            events.add(message(QString::number(i), true, t0 + i), t0 + i);
        const QJsonArray kept = events.events(t0 + 50);
        QCOMPARE(kept.size(), DarkEvents::MaxEvents);
        QCOMPARE(kept.last().toObject().value(QStringLiteral("window")).toString(), QStringLiteral("49"));
        QVERIFY(events.events(t0 + 49 + DarkEvents::KeepMsecs + 1).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestDarkEvents)
#include "test_darkevents.moc"
