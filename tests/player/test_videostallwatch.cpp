// When a video on show counts as stalled and when it is loaded again: once per stall, at once the
// first time, then further and further apart while reloads do not help, never closer than the
// back-off, and afresh once it has moved steadily again.

#include "player/videostallwatch.h"

#include <QtTest>

class TestVideoStallWatch : public QObject
{
    Q_OBJECT

private slots:
    void aStallIsReportedOnceAndReloadsBackOff()
    {
        VideoStallWatch watch;
        const QString stream = QStringLiteral("http://127.0.0.1:9/live.ts");
        watch.begin(0, stream);
        qint64 t = 0;
        double position = 0;
        // Moving, then paused under an insert for long: neither is a stall.
        for (; t <= 10000; t += 1000)
            QVERIFY(!watch.sample(t, position = t / 1000.0, true).stalled);
        for (; t <= 30000; t += 1000)
            QVERIFY(!watch.sample(t, position, false).stalled);

        // Stuck: reported once, after StallMsecs, and loaded again at once.
        QList<qint64> stalls, reloads;
        QList<bool> afterReload;
        const qint64 stuckFrom = t - 1000; // the last paused look
        for (; t <= stuckFrom + 300000; t += 1000) {
            const VideoStallWatch::Step step = watch.sample(t, position, true);
            if (step.stalled) {
                stalls << t - stuckFrom;
                afterReload << step.afterReload;
            }
            if (step.reload) {
                reloads << t - stuckFrom;
                watch.reloaded(t);
            }
            QVERIFY(!step.resumed);
        }
        QCOMPARE(stalls.first(), VideoStallWatch::StallMsecs);
        QCOMPARE(reloads.first(), VideoStallWatch::StallMsecs);
        QCOMPARE(afterReload.first(), false);
        QVERIFY(!afterReload.mid(1).contains(false));
        // Each reload waits at least the back-off of the failures before it, and never longer
        // than the longest wait plus the time to find the stall again.
        for (int i = 1; i < reloads.size(); ++i) {
            const qint64 gap = reloads.at(i) - reloads.at(i - 1);
            QVERIFY2(gap >= qMax(VideoStallWatch::backoffMsecs(i), VideoStallWatch::OpeningMsecs),
                     qPrintable(QString::number(gap)));
            QVERIFY(gap <= VideoStallWatch::LongestWaitMsecs + VideoStallWatch::OpeningMsecs);
        }
        QVERIFY2(reloads.size() >= 5 && reloads.size() <= 12, qPrintable(QString::number(reloads.size())));

        // It moves again: said once; after steady progress a new stall is reloaded at once.
        int resumed = 0;
        const qint64 movingFrom = t;
        for (; t <= movingFrom + VideoStallWatch::HealthyMsecs + 2000; t += 1000, position += 1)
            resumed += watch.sample(t, position, true).resumed ? 1 : 0;
        QCOMPARE(resumed, 1);
        VideoStallWatch::Step step;
        const qint64 stuckAgain = t;
        while (!step.stalled && t < stuckAgain + 60000)
            step = watch.sample(t += 1000, position, true);
        QVERIFY(step.stalled && step.reload && !step.afterReload);
    }

    // An item that never shows a position is given OpeningMsecs; the back-off carries over to the
    // same address started again, not to another.
    void openingIsGivenLongerAndTheBackOffIsPerAddress()
    {
        VideoStallWatch watch;
        watch.begin(0, QStringLiteral("a"));
        qint64 t = 0;
        VideoStallWatch::Step step;
        while (!step.stalled)
            step = watch.sample(t += 1000, -1, true);
        QCOMPARE(t, VideoStallWatch::OpeningMsecs);
        watch.reloaded(t);
        QVERIFY(watch.reloadWaitMsecs(t) > 0);
        watch.begin(t, QStringLiteral("a"));
        QVERIFY(watch.reloadWaitMsecs(t) > 0);
        watch.begin(t, QStringLiteral("b"));
        QCOMPARE(watch.reloadWaitMsecs(t), Q_INT64_C(0));
    }
};

QTEST_APPLESS_MAIN(TestVideoStallWatch)
#include "test_videostallwatch.moc"
