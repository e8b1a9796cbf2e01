#include "fleetlog/fleetlogstore.h"
#include "fleetlog/logbatch.h"
#include "pgcluster.h"
#include "playlogsql.h"

#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const qint64 Start = 1796817600000LL; // 2026-12-09 12:00 UTC
const QUuid LogA(QStringLiteral("0b0e8f5c-6b1f-4a51-9f59-1f2d3c4b5a69"));
const QUuid LogB(QStringLiteral("5d7c3a1e-2f4b-4c6d-8e9f-0a1b2c3d4e5f"));

// Rows after < seq <= upTo, one every 10 s of 9 s each (every seventh file missing), skipping
// those in `gaps`.
LogBatch makeBatch(const QUuid &log, qint64 after, qint64 upTo, const QList<qint64> &gaps = {})
{
    LogBatch batch;
    batch.groups = QStringList{QStringLiteral("lobby"), QStringLiteral("north")};
    batch.timeZone = QStringLiteral("Europe/Berlin");
    batch.log = log;
    batch.after = after;
    batch.upTo = upTo;
    for (qint64 seq = after + 1; seq <= upTo; ++seq) {
        if (gaps.contains(seq))
            continue;
        LogRow row;
        row.seq = seq;
        row.name = seq % 3 == 0 ? QStringLiteral("Digital Clock") : QStringLiteral("ad-%1.mp4").arg(seq % 2);
        row.path = seq % 3 == 0 ? QString() : QStringLiteral("/media/ad-%1.mp4").arg(seq % 2);
        row.startMs = Start + seq * 10000;
        row.endMs = row.startMs + 9000;
        row.offsetSeconds = 3600;
        row.screen = QStringLiteral("Screen 1");
        row.window = QStringLiteral("Window 1");
        row.bundle = 3;
        row.outcome = seq % 7 == 0 ? QStringLiteral("missing") : QStringLiteral("shown");
        row.shownMs = seq % 7 == 0 ? 0 : 9000;
        batch.rows.append(row);
    }
    return batch;
}

} // namespace

class TestFleetLogStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_cluster = std::make_unique<PgCluster>(m_dir.path());
        QString error;
        QVERIFY2(m_cluster->start(&error), qPrintable(error));
        QVERIFY(m_cluster->psql(QStringLiteral("create database store"), nullptr));
    }

    void cleanupTestCase() { m_cluster.reset(); }

    void schemaIsMadeOnceAndVersioned()
    {
        QString error;
        {
            FleetLogStore store(m_cluster->address(QStringLiteral("store")));
            QVERIFY2(store.open(&error), qPrintable(error));
        }
        // A second open finds it made and changes nothing; a reader finds it.
        FleetLogStore again(m_cluster->address(QStringLiteral("store")), QStringLiteral("again"));
        QVERIFY2(again.open(&error), qPrintable(error));
        FleetLogStore reader(m_cluster->address(QStringLiteral("store")), QStringLiteral("reader"));
        QVERIFY2(reader.openForReading(&error), qPrintable(error));
        QCOMPARE(m_cluster->value(QStringLiteral("select value from lumora_meta where key = 'schema'"),
                                  QStringLiteral("store")),
                 QString::number(FleetLogStore::SchemaVersion));
        // A database the collector never wrote to is no store to report from.
        FleetLogStore empty(m_cluster->address(QStringLiteral("postgres")), QStringLiteral("empty"));
        QVERIFY(!empty.openForReading(&error));
        QVERIFY(error.contains(QStringLiteral("no fleet play log")));
        FleetLogStore nowhere(QStringLiteral("postgresql://lumora@/store?host=%1/none").arg(m_dir.path()),
                              QStringLiteral("nowhere"));
        QVERIFY(!nowhere.open(&error));
    }

    void batchesCountOnceAndTheCursorOnlyCoversWhatIsHeld()
    {
        FleetLogStore store(m_cluster->address(QStringLiteral("store")));
        QString error;
        QVERIFY2(store.open(&error), qPrintable(error));
        const QString a = LogA.toString(QUuid::WithoutBraces);
        const QString b = LogB.toString(QUuid::WithoutBraces);
        struct Step
        {
            const char *what;
            QUuid log;
            qint64 after;
            qint64 upTo;
            QList<qint64> gaps;
            qint64 inserted;
            qint64 ackedA;
        };
        const Step steps[] = {
            {"first batch", LogA, 0, 100, {}, 100, 100},
            {"the same again", LogA, 0, 100, {}, 0, 100},
            {"overlapping", LogA, 50, 150, {}, 50, 150},
            // Past the cursor: kept, the cursor stays; the device sends again from 150.
            {"past the cursor", LogA, 200, 300, {}, 100, 150},
            {"the hole", LogA, 150, 200, {}, 50, 200},
            {"resent from the cursor", LogA, 200, 300, {}, 0, 300},
            // Rows lost in a damaged file: the range still counts as covered.
            {"with gaps", LogA, 300, 400, {310, 311, 399}, 97, 400},
            {"an older range", LogA, 0, 40, {}, 0, 400},
            {"another log file", LogB, 0, 30, {}, 30, 400},
        };
        qint64 total = 0;
        for (const Step &step : steps) {
            FleetLogStore::Stored stored;
            QVERIFY2(store.store(QStringLiteral("dev-a"),
                                 makeBatch(step.log, step.after, step.upTo, step.gaps), &stored, &error),
                     qPrintable(error));
            QVERIFY2(stored.inserted == step.inserted, step.what);
            QVERIFY2(stored.acked.value(a) == step.ackedA, step.what);
            total += stored.inserted;
        }
        FleetLogStore::Stored stored;
        QVERIFY2(store.store(QStringLiteral("dev-b"), makeBatch(LogA, 10, 20), &stored, &error),
                 qPrintable(error));
        // Another device's log of the same UUID is its own: the cursor starts at 0 there.
        QCOMPARE(stored.acked, (QHash<QString, qint64>{{a, 0}}));
        total += stored.inserted;
        QVERIFY2(store.store(QStringLiteral("dev-a"), makeBatch(LogB, 30, 30), &stored, &error),
                 qPrintable(error));
        QCOMPARE(stored.acked, (QHash<QString, qint64>{{a, 400}, {b, 30}}));

        QCOMPARE(m_cluster->value(QStringLiteral("select count(*) from play_rows"), QStringLiteral("store")),
                 QString::number(total));
        QCOMPARE(m_cluster->value(QStringLiteral("select count(*) from play_rows where device = 'dev-a' and "
                                                 "log_uuid = '%1'")
                                      .arg(a),
                                  QStringLiteral("store")),
                 QStringLiteral("397"));
        QCOMPARE(m_cluster->value(summaryMismatchSql(), QStringLiteral("store")), QStringLiteral("0"));
        // The summary's totals, counted by hand: log A's seq 1..400 but three gaps and log B's
        // 1..30, every seventh file missing.
        int plays = 0;
        int notShown = 0;
        for (int seq = 1; seq <= 400; ++seq) {
            if (seq == 310 || seq == 311 || seq == 399)
                continue;
            (seq % 7 == 0 ? notShown : plays)++;
        }
        for (int seq = 1; seq <= 30; ++seq)
            (seq % 7 == 0 ? notShown : plays)++;
        QCOMPARE(m_cluster->value(
                     QStringLiteral("select sum(plays) || ' ' || sum(not_shown) || ' ' || sum(shown_ms) "
                                    "from play_hours where device = 'dev-a' and hour < '2026-12-09 15:00'"),
                     QStringLiteral("store")),
                 QStringLiteral("%1 %2 %3").arg(plays).arg(notShown).arg(qint64(plays) * 9000));
        // Local time: 12:00:10 UTC is 13:00:10 in Berlin.
        QCOMPARE(m_cluster->value(QStringLiteral("select min(local_start) from play_rows"),
                                  QStringLiteral("store")),
                 QStringLiteral("2026-12-09 13:00:10"));
        QCOMPARE(m_cluster->value(QStringLiteral("select groups::text || ' ' || time_zone from devices "
                                                 "where device = 'dev-a'"),
                                  QStringLiteral("store")),
                 QStringLiteral("{lobby,north} Europe/Berlin"));
    }

    void aStoreThatWentAwayIsConnectedAgain()
    {
        FleetLogStore store(m_cluster->address(QStringLiteral("store")));
        QString error;
        QVERIFY2(store.open(&error), qPrintable(error));
        FleetLogStore::Stored stored;
        QVERIFY2(store.store(QStringLiteral("dev-c"), makeBatch(LogA, 0, 10), &stored, &error),
                 qPrintable(error));
        m_cluster->stop();
        QVERIFY(!store.store(QStringLiteral("dev-c"), makeBatch(LogA, 10, 20), &stored, &error));
        QVERIFY2(m_cluster->start(&error), qPrintable(error));
        QVERIFY2(store.store(QStringLiteral("dev-c"), makeBatch(LogA, 10, 20), &stored, &error),
                 qPrintable(error));
        QCOMPARE(stored.inserted, 10);
        QCOMPARE(stored.acked.value(LogA.toString(QUuid::WithoutBraces)), 20);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<PgCluster> m_cluster;
};

QTEST_GUILESS_MAIN(TestFleetLogStore)
#include "test_fleetlogstore.moc"
