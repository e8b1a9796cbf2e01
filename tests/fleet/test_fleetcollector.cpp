#include "../buildpaths.h"
#include "collectorprocess.h"
#include "fleet/mqttlink.h"
#include "fleetlog/logbatch.h"
#include "fleetsite.h"
#include "pgcluster.h"
#include "playlogsql.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <memory>

namespace {

const qint64 Start = 1796817600000LL; // 2026-12-09 12:00 UTC

LogBatch makeBatch(const QUuid &log, qint64 after, qint64 upTo)
{
    LogBatch batch;
    batch.groups = QStringList{QStringLiteral("lobby")};
    batch.timeZone = QStringLiteral("Europe/Berlin");
    batch.log = log;
    batch.after = after;
    batch.upTo = upTo;
    for (qint64 seq = after + 1; seq <= upTo; ++seq) {
        LogRow row;
        row.seq = seq;
        row.name = QStringLiteral("ad-%1.mp4").arg(seq % 5);
        row.path = QStringLiteral("/media/ad-%1.mp4").arg(seq % 5);
        row.startMs = Start + seq * 10000;
        row.endMs = row.startMs + 10000;
        row.offsetSeconds = 3600;
        row.screen = QStringLiteral("Screen 1");
        row.window = QStringLiteral("Window 1");
        row.bundle = 1;
        row.hash = QString(64, QLatin1Char('c'));
        row.outcome = seq % 11 == 0 ? QStringLiteral("unreadable") : QStringLiteral("shown");
        row.shownMs = seq % 11 == 0 ? 0 : 10000;
        batch.rows.append(row);
    }
    return batch;
}

bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QTest::qWait(50);
    }
    return true;
}

// A device's end of the upload, as the agent does it: publish, and trust only the collector's
// acknowledgement.
class TestDevice
{
public:
    TestDevice(FleetSite &site, const QString &name)
        : m_name(name)
    {
        const QString folder = QFileInfo(site.settingsOf(name)).absolutePath() + QStringLiteral("/fleet/");
        MqttSettings settings;
        settings.port = site.brokerPort();
        settings.clientId = name;
        settings.caFile = folder + QStringLiteral("ca.crt");
        settings.certFile = folder + QStringLiteral("device.crt");
        settings.keyFile = folder + QStringLiteral("device.key");
        m_link.setSettings(settings);
        m_link.subscribe(QStringLiteral("lumora/v1/dev/%1/logack").arg(name));
        QObject::connect(
            &m_link, &MqttLink::messageReceived,
            [this](const QString &topic, const QByteArray &payload, bool) {
                if (!topic.endsWith(QLatin1String("/logack")))
                    return;
                const QJsonObject logs =
                    QJsonDocument::fromJson(payload).object().value(QStringLiteral("logs")).toObject();
                for (auto it = logs.begin(); it != logs.end(); ++it)
                    m_acked.insert(it.key(), qint64(it.value().toDouble()));
            });
        m_link.start();
    }

    bool waitConnected()
    {
        return waitFor([this] { return m_link.isConnected(); }, 30000);
    }
    MqttLink &link() { return m_link; }
    qint64 acked(const QUuid &log) const { return m_acked.value(log.toString(QUuid::WithoutBraces), -1); }
    int publish(const QByteArray &payload, const QString &device = QString())
    {
        return m_link.publish(QStringLiteral("lumora/v1/dev/%1/log").arg(device.isEmpty() ? m_name : device),
                              payload, 1, false);
    }

    // Sends `batches` and whatever the collector has not acknowledged again, from its cursor,
    // until the cursor is at the last batch's end.
    bool upload(const QVector<LogBatch> &batches, int ms)
    {
        const QUuid log = batches.first().log;
        const qint64 end = batches.last().upTo;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            const qint64 cursor = acked(log);
            for (const LogBatch &batch : batches) {
                if (batch.upTo > cursor)
                    publish(batch.encode());
            }
            if (waitFor([&] { return acked(log) >= end; }, 10000))
                return true;
        }
        return false;
    }

private:
    QString m_name;
    MqttLink m_link;
    QHash<QString, qint64> m_acked;
};

} // namespace

class TestFleetCollector : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_site = std::make_unique<FleetSite>(m_dir.path());
        QString error;
        QVERIFY2(m_site->init(&error), qPrintable(error));
        QString output;
        QVERIFY2(m_site->tool({QStringLiteral("ca"), QStringLiteral("collector")}, &output) == 0,
                 qPrintable(output));
        QVERIFY2(m_site->enroll(QStringLiteral("dev-a"), {QStringLiteral("lobby")}, &error),
                 qPrintable(error));
        QVERIFY2(m_site->enroll(QStringLiteral("dev-b"), {}, &error), qPrintable(error));
        QVERIFY2(m_site->startBroker(&error), qPrintable(error));
        m_pg = std::make_unique<PgCluster>(m_dir.path());
        QVERIFY2(m_pg->start(&error), qPrintable(error));
        QVERIFY(m_pg->psql(QStringLiteral("create database fleet"), nullptr));
        QVERIFY(startCollector());
    }

    void cleanupTestCase()
    {
        if (m_collector.process()) {
            m_collector.process()->terminate();
            QVERIFY(m_collector.process()->waitForFinished(10000));
            QCOMPARE(m_collector.process()->exitCode(), 0);
        }
        m_collector.reset();
        m_pg.reset();
        m_site.reset();
    }

    void storesABatchAndAcknowledgesIt()
    {
        TestDevice device(*m_site, QStringLiteral("dev-a"));
        QVERIFY(device.waitConnected());
        const QUuid log = QUuid::createUuid();
        QVERIFY2(device.upload({makeBatch(log, 0, 100)}, 60000), qPrintable(collectorLog()));
        QCOMPARE(rows(QStringLiteral("dev-a")), 100);
        QCOMPARE(
            m_pg->value(QStringLiteral("select groups::text || ' ' || time_zone from devices where device = "
                                       "'dev-a'"),
                        QStringLiteral("fleet")),
            QStringLiteral("{lobby} Europe/Berlin"));
        // Retained: a device that connects later (an agent after a restart) finds its cursor.
        TestDevice later(*m_site, QStringLiteral("dev-a"));
        QVERIFY(waitFor([&] { return later.acked(log) == 100; }, 30000));
    }

    void refusesForgedAndBrokenPayloadsAndGoesOn()
    {
        TestDevice device(*m_site, QStringLiteral("dev-a"));
        QVERIFY(device.waitConnected());
        const QUuid log = QUuid::createUuid();
        const int refusedBefore = collectorLog().count(QStringLiteral("refused a batch"));
        device.publish(QByteArray("\x00\x00\x01\x00 this is no zlib", 20));
        device.publish(qCompress("{\"format\":1, \"rows\": [", 6));
        device.publish(qCompress(QJsonDocument(QJsonObject{{QStringLiteral("format"), 1},
                                                           {QStringLiteral("log"), QStringLiteral("x")}})
                                     .toJson(),
                                 6));
        device.publish(makeBatch(log, 0, LogBatch::MaxRows + 1).encode());
        LogBatch outside = makeBatch(log, 0, 10);
        outside.rows.last().seq = 11;
        device.publish(outside.encode());
        // Another device's topic: the broker's ACL keeps it from the collector.
        device.publish(makeBatch(log, 0, 10).encode(), QStringLiteral("dev-b"));
        // A payload that names another device is still the sender's.
        QJsonObject named = QJsonDocument::fromJson(qUncompress(makeBatch(log, 0, 10).encode())).object();
        named.insert(QStringLiteral("device"), QStringLiteral("dev-b"));
        device.publish(qCompress(QJsonDocument(named).toJson(QJsonDocument::Compact), 6));
        QVERIFY2(waitFor([&] { return device.acked(log) == 10; }, 60000), qPrintable(collectorLog()));
        QVERIFY2(
            waitFor(
                [&] { return collectorLog().count(QStringLiteral("refused a batch")) >= refusedBefore + 5; },
                30000),
            qPrintable(collectorLog()));
        QCOMPARE(m_collector.process()->state(), QProcess::Running);
        QCOMPARE(rows(QStringLiteral("dev-b")), 0);
        QCOMPARE(m_pg->value(QStringLiteral("select count(*) from play_rows where log_uuid = '%1'")
                                 .arg(log.toString(QUuid::WithoutBraces)),
                             QStringLiteral("fleet")),
                 QStringLiteral("10"));
    }

    void aBatchSentWhileTheCollectorIsAwayWaitsAtTheBroker()
    {
        TestDevice device(*m_site, QStringLiteral("dev-a"));
        QVERIFY(device.waitConnected());
        m_collector.process()->terminate();
        QVERIFY(m_collector.process()->waitForFinished(10000));
        QCOMPARE(m_collector.process()->exitCode(), 0);
        const QUuid log = QUuid::createUuid();
        QSignalSpy published(&device.link(), &MqttLink::published);
        QVERIFY(device.publish(makeBatch(log, 0, 20).encode()) >= 0);
        QVERIFY(published.wait(10000));
        // Sent once: the collector's session kept it.
        QVERIFY(startCollector());
        QVERIFY2(waitFor([&] { return device.acked(log) == 20; }, 60000), qPrintable(collectorLog()));
    }

    void aCollectorKilledInTheMiddleLosesAndDoublesNothing()
    {
        TestDevice device(*m_site, QStringLiteral("dev-b"));
        QVERIFY(device.waitConnected());
        const QUuid log = QUuid::createUuid();
        QVector<LogBatch> batches;
        for (qint64 after = 0; after < 60000; after += 10000)
            batches.append(makeBatch(log, after, after + 10000));
        for (const LogBatch &batch : qAsConst(batches))
            QVERIFY(device.publish(batch.encode()) >= 0);
        // Killed once the first batch is in and the others are on their way or in a transaction.
        QVERIFY2(waitFor([&] { return rows(QStringLiteral("dev-b")) > 0; }, 120000),
                 qPrintable(collectorLog()));
        ::kill(pid_t(m_collector.process()->processId()), SIGKILL);
        QVERIFY(m_collector.process()->waitForFinished(10000));
        const int held = rows(QStringLiteral("dev-b"));
        QVERIFY(held < 60000);
        qInfo("killed with %d of 60000 rows held", held);
        QVERIFY(startCollector());
        QVERIFY2(device.upload(batches, 240000), qPrintable(collectorLog()));
        QCOMPARE(rows(QStringLiteral("dev-b")), 60000);
        QCOMPARE(
            m_pg->value(QStringLiteral("select sum(plays) + sum(not_shown) from play_hours where device = "
                                       "'dev-b'"),
                        QStringLiteral("fleet")),
            QStringLiteral("60000"));
        QCOMPARE(m_pg->value(summaryMismatchSql(), QStringLiteral("fleet")), QStringLiteral("0"));
    }

private:
    bool startCollector()
    {
        return m_collector.start(BuildPaths::path("LUMORA_FLEET_TOOL"), m_site->caFolder(),
                                 m_pg->address(QStringLiteral("fleet")));
    }

    QString collectorLog() { return m_collector.log(); }

    int rows(const QString &device)
    {
        return m_pg
            ->value(QStringLiteral("select count(*) from play_rows where device = '%1'").arg(device),
                    QStringLiteral("fleet"))
            .toInt();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<FleetSite> m_site;
    std::unique_ptr<PgCluster> m_pg;
    CollectorProcess m_collector;
};

QTEST_GUILESS_MAIN(TestFleetCollector)
#include "test_fleetcollector.moc"
