#include "../buildpaths.h"
#include "fleetlog/fleetlogstore.h"
#include "fleetlog/logbatch.h"
#include "logbatchsamples.h"
#include "pgcluster.h"

#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using LogBatchSamples::Row;
const QString Hash = LogBatchSamples::hash();

LogBatch batchOf(const QStringList &groups, const QString &zone, int offset, const QVector<Row> &rows)
{
    return LogBatchSamples::batchOf(groups, zone, offset, rows, QStringLiteral("Window, left"));
}

} // namespace

// Three devices in two groups and two time zones, with rows on both sides of their local
// midnight; every figure below was counted by hand from the rows.
class TestFleetReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_pg = std::make_unique<PgCluster>(m_dir.path());
        QString error;
        QVERIFY2(m_pg->start(&error), qPrintable(error));
        QVERIFY(m_pg->psql(QStringLiteral("create database fleet"), nullptr));
        FleetLogStore store(m_pg->address(QStringLiteral("fleet")));
        QVERIFY2(store.open(&error), qPrintable(error));
        // Berlin, UTC+1 in December.
        const LogBatch a = batchOf({QStringLiteral("lobby")}, QStringLiteral("Europe/Berlin"), 3600,
                                   {{"2026-12-09 22:30:00", "ad.mp4", "/m/ad.mp4", 10000, "shown"},
                                    {"2026-12-09 23:10:00", "ad.mp4", "/m/ad.mp4", 10500, "shown"},
                                    {"2026-12-09 23:20:00", "Digital Clock", "", 5000, "shown"},
                                    {"2026-12-09 23:30:00", "ad.mp4", "/m/ad.mp4", 0, "missing"}});
        // New York, UTC-5: the same local times five hours and more later.
        const LogBatch b = batchOf({QStringLiteral("lobby"), QStringLiteral("north")},
                                   QStringLiteral("America/New_York"), -18000,
                                   {{"2026-12-10 04:30:00", "ad.mp4", "/m/ad.mp4", 20000, "shown"},
                                    {"2026-12-10 05:15:00", "ad.mp4", "/m/ad.mp4", 20000, "cut-insert"},
                                    {"2026-12-10 05:20:00", "数字时钟", "", 7000, "shown"}});
        const LogBatch c = batchOf({QStringLiteral("north")}, QStringLiteral("Europe/Berlin"), 3600,
                                   {{"2026-12-10 08:00:00", "other.png", "/m/other.png", 8000, "shown"}});
        FleetLogStore::Stored stored;
        QVERIFY2(store.store(QStringLiteral("dev-a"), a, &stored, &error), qPrintable(error));
        QVERIFY2(store.store(QStringLiteral("dev-b"), b, &stored, &error), qPrintable(error));
        QVERIFY2(store.store(QStringLiteral("dev-c"), c, &stored, &error), qPrintable(error));
    }

    void cleanupTestCase() { m_pg.reset(); }

    void summaries_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("per device")
            << QStringList{QStringLiteral("--by"), QStringLiteral("device")}
            << QStringLiteral("Device\tPlays\tSeconds\tFirstPlay\tLastPlay\tNotShown\n"
                              "dev-a\t3\t25.500\t2026-12-09 23:30:00:000\t2026-12-10 00:30:00:000\t1\n"
                              "dev-b\t3\t47.000\t2026-12-09 23:30:00:000\t2026-12-10 00:20:00:000\t0\n"
                              "dev-c\t1\t8.000\t2026-12-10 09:00:00:000\t2026-12-10 09:00:00:000\t0\n");
        // A fixed label logged in Chinese is the same item as in English.
        QTest::newRow("per item")
            << QStringList()
            << QStringLiteral(
                   "Name\tPlays\tSeconds\tFirstPlay\tLastPlay\tNotShown\tPath\n"
                   "Digital Clock\t2\t12.000\t2026-12-10 00:20:00:000\t2026-12-10 00:20:00:000\t0\t\n"
                   "ad.mp4\t4\t60.500\t2026-12-09 23:30:00:000\t2026-12-10 00:30:00:000\t1\t/m/ad.mp4\n"
                   "other.png\t1\t8.000\t2026-12-10 09:00:00:000\t2026-12-10 "
                   "09:00:00:000\t0\t/m/other.png\n");
        QTest::newRow("per group")
            << QStringList{QStringLiteral("--by"), QStringLiteral("group")}
            << QStringLiteral("Group\tPlays\tSeconds\tFirstPlay\tLastPlay\tNotShown\n"
                              "lobby\t6\t72.500\t2026-12-09 23:30:00:000\t2026-12-10 00:30:00:000\t1\n"
                              "north\t4\t55.000\t2026-12-09 23:30:00:000\t2026-12-10 09:00:00:000\t0\n");
        // Each device's own day: 23:30 in Berlin and 23:30 in New York are both the 9th.
        QTest::newRow("per day")
            << QStringList{QStringLiteral("--by"), QStringLiteral("day")}
            << QStringLiteral("Day\tPlays\tSeconds\tFirstPlay\tLastPlay\tNotShown\n"
                              "2026-12-09\t2\t30.000\t2026-12-09 23:30:00:000\t2026-12-09 23:30:00:000\t0\n"
                              "2026-12-10\t5\t50.500\t2026-12-10 00:10:00:000\t2026-12-10 09:00:00:000\t1\n");
        QTest::newRow("per hour of one device")
            << QStringList{QStringLiteral("--by"), QStringLiteral("hour"), QStringLiteral("--device"),
                           QStringLiteral("dev-a")}
            << QStringLiteral(
                   "Hour\tPlays\tSeconds\tFirstPlay\tLastPlay\tNotShown\n"
                   "2026-12-09 23\t1\t10.000\t2026-12-09 23:30:00:000\t2026-12-09 23:30:00:000\t0\n"
                   "2026-12-10 00\t2\t15.500\t2026-12-10 00:10:00:000\t2026-12-10 00:30:00:000\t1\n");
        QTest::newRow("one day per device")
            << QStringList{QStringLiteral("--by"),   QStringLiteral("device"),
                           QStringLiteral("--from"), QStringLiteral("2026-12-10"),
                           QStringLiteral("--to"),   QStringLiteral("2026-12-10")}
            << QStringLiteral("Device\tPlays\tSeconds\tFirstPlay\tLastPlay\tNotShown\n"
                              "dev-a\t2\t15.500\t2026-12-10 00:10:00:000\t2026-12-10 00:30:00:000\t1\n"
                              "dev-b\t2\t27.000\t2026-12-10 00:15:00:000\t2026-12-10 00:20:00:000\t0\n"
                              "dev-c\t1\t8.000\t2026-12-10 09:00:00:000\t2026-12-10 09:00:00:000\t0\n");
        QTest::newRow("one group's items in CSV")
            << QStringList{QStringLiteral("--group"), QStringLiteral("north"), QStringLiteral("--csv")}
            << QStringLiteral(
                   "Name,Plays,Seconds,FirstPlay,LastPlay,NotShown,Path\r\n"
                   "Digital Clock,1,7.000,2026-12-10T00:20:00.000,2026-12-10T00:20:00.000,0,\r\n"
                   "ad.mp4,2,40.000,2026-12-09T23:30:00.000,2026-12-10T00:15:00.000,0,/m/ad.mp4\r\n"
                   "other.png,1,8.000,2026-12-10T09:00:00.000,2026-12-10T09:00:00.000,0,/m/other.png\r\n");
        QTest::newRow("one item per device")
            << QStringList{QStringLiteral("--item"), QStringLiteral("/m/ad.mp4"), QStringLiteral("--by"),
                           QStringLiteral("device")}
            << QStringLiteral("Device\tPlays\tSeconds\tFirstPlay\tLastPlay\tNotShown\n"
                              "dev-a\t2\t20.500\t2026-12-09 23:30:00:000\t2026-12-10 00:30:00:000\t1\n"
                              "dev-b\t2\t40.000\t2026-12-09 23:30:00:000\t2026-12-10 00:15:00:000\t0\n");
        QTest::newRow("a label's keyword in Chinese")
            << QStringList{QStringLiteral("--keyword"), QStringLiteral("数字")}
            << QStringLiteral(
                   "Name\tPlays\tSeconds\tFirstPlay\tLastPlay\tNotShown\tPath\n"
                   "Digital Clock\t2\t12.000\t2026-12-10 00:20:00:000\t2026-12-10 00:20:00:000\t0\t\n");
    }

    void summaries()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QString output;
        QCOMPARE(tool(QStringList{QStringLiteral("summary")} + arguments, &output), 0);
        QCOMPARE(output, expected);
    }

    void searches()
    {
        QString output;
        QCOMPARE(tool({QStringLiteral("search"), QStringLiteral("--device"), QStringLiteral("dev-a"),
                       QStringLiteral("--csv")},
                      &output),
                 0);
        QCOMPARE(output,
                 QStringLiteral(
                     "Device,Name,Duration,StartTime,StopTime,Result,Path,Screen,Window,Bundle,Hash\r\n"
                     "dev-a,ad.mp4,10,2026-12-09T23:30:00.000,2026-12-09T23:30:10.000,success,/m/ad.mp4,"
                     "Screen 1,\"Window, left\",5,%1\r\n"
                     "dev-a,ad.mp4,11,2026-12-10T00:10:00.000,2026-12-10T00:10:10.500,success,/m/ad.mp4,"
                     "Screen 1,\"Window, left\",5,%1\r\n"
                     "dev-a,Digital Clock,5,2026-12-10T00:20:00.000,2026-12-10T00:20:05.000,success,,"
                     "Screen 1,\"Window, left\",,\r\n"
                     "dev-a,ad.mp4,0,2026-12-10T00:30:00.000,2026-12-10T00:30:00.000,file missing,/m/ad.mp4,"
                     "Screen 1,\"Window, left\",5,%1\r\n")
                     .arg(Hash));
        QCOMPARE(tool({QStringLiteral("search"), QStringLiteral("--from"), QStringLiteral("2026-12-09"),
                       QStringLiteral("--to"), QStringLiteral("2026-12-09")},
                      &output),
                 0);
        QCOMPARE(
            output,
            QStringLiteral("Device\tName\tDuration\tStartTime\tStopTime\tResult\n"
                           "dev-a\tad.mp4\t10\t2026-12-09 23:30:00:000\t2026-12-09 23:30:10:000\tsuccess\n"
                           "dev-b\tad.mp4\t20\t2026-12-09 23:30:00:000\t2026-12-09 23:30:20:000\tsuccess\n"));
        QCOMPARE(tool({QStringLiteral("search"), QStringLiteral("--group"), QStringLiteral("north"),
                       QStringLiteral("--keyword"), QStringLiteral("CLOCK")},
                      &output),
                 0);
        QCOMPARE(output,
                 QStringLiteral(
                     "Device\tName\tDuration\tStartTime\tStopTime\tResult\n"
                     "dev-b\t数字时钟\t7\t2026-12-10 00:20:00:000\t2026-12-10 00:20:07:000\tsuccess\n"));
    }

    void refusals()
    {
        QString output;
        QCOMPARE(tool({QStringLiteral("summary"), QStringLiteral("--by"), QStringLiteral("week")}, &output),
                 1);
        QCOMPARE(
            tool({QStringLiteral("search"), QStringLiteral("--from"), QStringLiteral("9.12.2026")}, &output),
            1);
        QProcess process;
        process.start(BuildPaths::path("LUMORA_LOG_TOOL"),
                      {QStringLiteral("--fleet"), m_pg->address(QStringLiteral("postgres")),
                       QStringLiteral("summary")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains("no fleet play log"));
    }

private:
    int tool(const QStringList &arguments, QString *output)
    {
        QProcess process;
        process.start(BuildPaths::path("LUMORA_LOG_TOOL"),
                      QStringList{QStringLiteral("--fleet"), m_pg->address(QStringLiteral("fleet"))} +
                          arguments);
        if (!process.waitForFinished(60000))
            return -1;
        *output = QString::fromUtf8(process.readAllStandardOutput());
        const QByteArray errors = process.readAllStandardError();
        if (!errors.isEmpty())
            qInfo("%s", errors.constData());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<PgCluster> m_pg;
};

QTEST_GUILESS_MAIN(TestFleetReport)
#include "test_fleetreport.moc"
