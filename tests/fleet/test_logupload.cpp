#include "../buildpaths.h"
#include "collectorprocess.h"
#include "fleetsite.h"
#include "log/databaseconn.h"
#include "log/logfilekeeper.h"
#include "log/playlogexport.h"
#include "log/playlogrow.h"
#include "log/playoutcome.h"
#include "pgcluster.h"
#include "playlogsql.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <memory>

namespace {

const qint64 WeekStart = 1796169600000LL; // 2026-12-02 00:00 UTC

bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QTest::qWait(100);
    }
    return true;
}

// Per item: rows, rows shown and milliseconds shown; "item|rows|shown|ms" lines, sorted, so
// that the device's log and the central store can be compared as texts.
QString localTotals(const QString &logPath)
{
    QStringList lines;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("totals"));
        db.setDatabaseName(logPath);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("select path, count(*), sum(outcome<>'missing'), "
                                  "sum(case when outcome<>'missing' then shownMs else 0 end) "
                                  "from PLAYDETAILS where seq is not null group by path"));
            while (q.next())
                lines << QStringLiteral("%1|%2|%3|%4")
                             .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                  q.value(3).toString());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("totals"));
    lines.sort();
    return lines.join(QLatin1Char('\n'));
}

} // namespace

// Play-log rows from agents to the collector and its store, with every part real: the shipped
// broker configuration, lumora-fleet collect, a private PostgreSQL, headless agents reading log
// files the way the player writes them. Whatever fails in between, each row arrives once.
class TestLogUpload : public QObject
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
        for (const QString &device :
             {QStringLiteral("week"), QStringLiteral("crash"), QStringLiteral("mend")})
            QVERIFY2(m_site->enroll(device, {QStringLiteral("lobby")}, &error), qPrintable(error));
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
            m_collector.process()->waitForFinished(10000);
        }
        m_collector.reset();
        m_site.reset();
        m_pg.reset();
    }

    // A week offline (a row every 10 s) comes back: the whole backlog arrives, each row once,
    // with the same plays and seconds per item as the device's own log.
    void aWeekOfflineArrivesExactlyOnce()
    {
        const QString log = logOf(QStringLiteral("week"));
        QVERIFY(writeRows(log, 60480, WeekStart, 10000));
        QString error;
        QVERIFY2(m_site->startAgent(QStringLiteral("week"), &error, {QStringLiteral("--log"), log}),
                 qPrintable(error));
        QVERIFY2(waitFor([&] { return acked(QStringLiteral("week")) == 60480; }, 300000),
                 qPrintable(collectorLog()));
        QCOMPARE(rows(QStringLiteral("week")), 60480);
        QCOMPARE(centralTotals(QStringLiteral("week")), localTotals(log));
        QCOMPARE(m_pg->value(summaryMismatchSql(), QStringLiteral("fleet")), QStringLiteral("0"));
        // Rows that arrive later go the same way.
        QVERIFY(writeRows(log, 30, WeekStart + 60480 * 10000LL, 10000));
        QVERIFY(waitFor([&] { return acked(QStringLiteral("week")) == 60510; }, 60000));
        QCOMPARE(rows(QStringLiteral("week")), 60510);
        m_site->killAgent(QStringLiteral("week"));
    }

    // The collector killed with a batch half stored, the agent killed between its send and the
    // acknowledgement: after restarts nothing is missing and nothing counted twice.
    void killsOnEitherSideLoseAndDoubleNothing()
    {
        const QString device = QStringLiteral("crash");
        const QString log = logOf(device);
        QVERIFY(writeRows(log, 20000, WeekStart, 10000));
        QString error;
        QProcess *agent = m_site->startAgent(device, &error, {QStringLiteral("--log"), log});
        QVERIFY2(agent, qPrintable(error));
        QVERIFY(waitFor([&] { return rows(device) > 0; }, 60000));
        ::kill(pid_t(m_collector.process()->processId()), SIGKILL);
        m_collector.process()->waitForFinished(10000);
        const int storedAtKill = rows(device);
        QVERIFY(storedAtKill < 20000);
        QVERIFY(startCollector());

        // Held by a stopped collector, the next batch is sent but never answered; the agent dies
        // waiting, and its successor finds the rows either acknowledged or sends them again.
        QVERIFY(waitFor([&] { return rows(device) > storedAtKill; }, 120000));
        ::kill(pid_t(m_collector.process()->processId()), SIGSTOP);
        QTest::qWait(3000);
        m_site->killAgent(device);
        ::kill(pid_t(m_collector.process()->processId()), SIGCONT);
        QVERIFY(m_site->startAgent(device, &error, {QStringLiteral("--log"), log}));
        QVERIFY2(waitFor([&] { return acked(device) == 20000; }, 300000), qPrintable(collectorLog()));
        QCOMPARE(rows(device), 20000);
        QCOMPARE(centralTotals(device), localTotals(log));
        QCOMPARE(m_pg->value(summaryMismatchSql(), QStringLiteral("fleet")), QStringLiteral("0"));
        m_site->killAgent(device);
    }

    // A damaged log set aside and its successor: rows of both files arrive, each under its own
    // UUID; and rows whose UTC times go back (the clock set back an hour) or fall in a
    // daylight-saving change keep their order by sequence.
    void bothFilesOfADamagedLogArriveInTheirOrder()
    {
        const QString device = QStringLiteral("mend");
        const QString log = logOf(device);
        QVERIFY(writeRows(log, 500, WeekStart, 10000));
        QString oldUuid;
        qint64 last = 0;
        QVERIFY(PlayLogExport(log).identity(&oldUuid, &last));
        QVERIFY(LogFileKeeper::instance().setAside(log, LogFileKeeper::instance().generation()));
        QCOMPARE(LogFileKeeper::setAsideFiles(log).size(), 1);

        // The new file, written by the player's own writer: Berlin's spring change at 01:00 UTC
        // (offset +1 h, then +2 h), then the clock set back an hour.
        const qint64 change = 1774746000000LL; // 2026-03-29 01:00 UTC
        const struct
        {
            qint64 start;
            int offset;
        } played[] = {{change - 20000, 3600},
                      {change - 5000, 3600},
                      {change + 5000, 7200},
                      {change + 3600000, 7200},
                      {change + 10000, 7200}};
        dataBaseConn::setDatabasePath(log);
        {
            dataBaseConn conn;
            int n = 0;
            for (const auto &p : played) {
                PlayLogDetail detail;
                detail.path = QStringLiteral("/media/dst-%1.png").arg(n++);
                detail.outcome = PlayOutcomes::keyword(PlayOutcome::Shown);
                detail.shownMs = 5000;
                detail.startUtcMs = p.start;
                detail.endUtcMs = p.start + 5000;
                detail.utcOffset = p.offset;
                const QDateTime local = QDateTime::fromMSecsSinceEpoch(p.start, Qt::OffsetFromUTC, p.offset);
                const QStringList c = playLogColumns(QFileInfo(detail.path).fileName(), local.date(),
                                                     local.time(), local.date(), local.time().addSecs(5),
                                                     5000, PlayOutcomes::resultText(PlayOutcome::Shown));
                QVERIFY(conn.insertLog(c[0], c[1], c[2], c[3], c[4], c[5], c[6], detail));
            }
        }
        QString newUuid;
        QVERIFY(PlayLogExport(log).identity(&newUuid, &last));
        QVERIFY(newUuid != oldUuid);

        QString error;
        QVERIFY2(m_site->startAgent(device, &error, {QStringLiteral("--log"), log}), qPrintable(error));
        QVERIFY2(waitFor(
                     [&] {
                         const QJsonObject cursors = cursorsOf(device);
                         return cursors.value(oldUuid).toInt() == 500 && cursors.value(newUuid).toInt() == 5;
                     },
                     120000),
                 qPrintable(collectorLog()));
        QCOMPARE(
            m_pg->value(QStringLiteral("select count(*) from play_rows where device='mend' and log_uuid='%1'")
                            .arg(oldUuid),
                        QStringLiteral("fleet")),
            QStringLiteral("500"));
        QCOMPARE(
            m_pg->value(QStringLiteral("select string_agg(path || '@' || start_ms, ' ' order by seq) from "
                                       "play_rows where device='mend' and log_uuid='%1'")
                            .arg(newUuid),
                        QStringLiteral("fleet")),
            QStringLiteral("/media/dst-0.png@%1 /media/dst-1.png@%2 /media/dst-2.png@%3 /media/dst-3.png@%4 "
                           "/media/dst-4.png@%5")
                .arg(played[0].start)
                .arg(played[1].start)
                .arg(played[2].start)
                .arg(played[3].start)
                .arg(played[4].start));
        // The local hour follows the offset the row was played with, across the change.
        QCOMPARE(
            m_pg->value(QStringLiteral("select string_agg(to_char(local_start, 'HH24:MI:SS'), ' ' order by "
                                       "seq) from play_rows where device='mend' and log_uuid='%1'")
                            .arg(newUuid),
                        QStringLiteral("fleet")),
            QStringLiteral("01:59:40 01:59:55 03:00:05 04:00:00 03:00:10"));
        // The report lists them as the device logged them, not by the times they carry.
        QProcess report;
        report.start(BuildPaths::path("LUMORA_LOG_TOOL"),
                     {QStringLiteral("--fleet"), m_pg->address(QStringLiteral("fleet")),
                      QStringLiteral("search"), QStringLiteral("--device"), device,
                      QStringLiteral("--keyword"), QStringLiteral("dst-")});
        QVERIFY(report.waitForFinished(60000));
        QCOMPARE(report.exitCode(), 0);
        QStringList listed;
        const QStringList lines = QString::fromUtf8(report.readAllStandardOutput()).split(QLatin1Char('\n'));
        for (const QString &line : lines.mid(1)) {
            if (!line.isEmpty())
                listed << line.section(QLatin1Char('\t'), 1, 1) + QLatin1Char('@') +
                              line.section(QLatin1Char('\t'), 3, 3).section(QLatin1Char(' '), 1);
        }
        QCOMPARE(listed.join(QLatin1Char(' ')),
                 QStringLiteral("dst-0.png@01:59:40:000 dst-1.png@01:59:55:000 dst-2.png@03:00:05:000 "
                                "dst-3.png@04:00:00:000 dst-4.png@03:00:10:000"));
        // Sent at once when asked, not at the next look at the log.
        QString output;
        QCOMPARE(m_site->tool({QStringLiteral("command"), device, QStringLiteral("collect")}, &output), 0);
        m_site->killAgent(device);
    }

private:
    QString logOf(const QString &device) const
    {
        return QFileInfo(m_site->settingsOf(device)).absolutePath() + QStringLiteral("/log.db");
    }

    // `count` rows, one every `stepMs` from `startUtcMs`, in the player's own file format: the
    // file made by the player's store, the rows written in one transaction as its writer would
    // write them one by one. Five items, one of them a file that was missing now and then.
    bool writeRows(const QString &path, int count, qint64 startUtcMs, qint64 stepMs)
    {
        dataBaseConn::setDatabasePath(path);
        {
            dataBaseConn create;
            if (create.logUuid().isEmpty())
                return false;
        }
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bulk"));
            db.setDatabaseName(path);
            if (db.open() && db.transaction()) {
                QSqlQuery seqQuery(QStringLiteral("select value from LOGMETA where key='seq'"), db);
                qint64 seq = seqQuery.next() ? seqQuery.value(0).toLongLong() : -1;
                seqQuery.finish();
                QSqlQuery row(db);
                QSqlQuery detail(db);
                row.prepare(QStringLiteral("insert into LOGINFOS values(?,?,?,?,?,?,?)"));
                detail.prepare(
                    QStringLiteral("insert into PLAYDETAILS(logId,path,outcome,shownMs,seq,startUtcMs,"
                                   "endUtcMs,utcOffset,screen,playWindow,bundle,hash) "
                                   "values(?,?,?,?,?,?,?,?,?,?,?,?)"));
                ok = seq >= 0;
                for (int i = 0; i < count && ok; ++i) {
                    const qint64 start = startUtcMs + i * stepMs;
                    const int item = int(seq % 5);
                    const bool missing = item == 4 && seq % 3 == 0;
                    const qint64 shown = missing ? 0 : 9000 + item * 100;
                    const QDateTime local = QDateTime::fromMSecsSinceEpoch(start, Qt::OffsetFromUTC, 3600);
                    const QString name = QStringLiteral("ad-%1.mp4").arg(item);
                    const QStringList c = playLogColumns(
                        name, local.date(), local.time(), local.date(), local.time().addMSecs(int(shown)),
                        shown,
                        PlayOutcomes::resultText(missing ? PlayOutcome::FileMissing : PlayOutcome::Shown));
                    for (const QString &value : c)
                        row.addBindValue(value);
                    ok = row.exec();
                    ++seq;
                    const QVariantList values{row.lastInsertId(),
                                              QVariant(QStringLiteral("/media/") + name),
                                              QVariant(PlayOutcomes::keyword(
                                                  missing ? PlayOutcome::FileMissing : PlayOutcome::Shown)),
                                              QVariant(shown),
                                              QVariant(seq),
                                              QVariant(start),
                                              QVariant(start + shown),
                                              QVariant(3600),
                                              QVariant(QStringLiteral("Front")),
                                              QVariant(QStringLiteral("Day/Page 1/Window 1")),
                                              QVariant(QVariant::LongLong),
                                              QVariant(QString())};
                    for (const QVariant &value : values)
                        detail.addBindValue(value);
                    ok = ok && detail.exec();
                }
                QSqlQuery counter(db);
                ok = ok &&
                     counter.exec(QStringLiteral("update LOGMETA set value='%1' where key='seq'").arg(seq)) &&
                     db.commit();
                if (!ok)
                    qWarning() << row.lastError().text() << detail.lastError().text();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bulk"));
        return ok;
    }

    bool startCollector()
    {
        return m_collector.start(BuildPaths::path("LUMORA_FLEET_TOOL"), m_site->caFolder(),
                                 m_pg->address(QStringLiteral("fleet")));
    }

    QString collectorLog() { return m_collector.log(); }

    // The agent's acknowledged cursors, as it keeps them on disk.
    QJsonObject cursorsOf(const QString &device) const
    {
        QFile file(m_site->stateOf(device) + QStringLiteral("/logcursor.json"));
        if (!file.open(QIODevice::ReadOnly))
            return QJsonObject();
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    qint64 acked(const QString &device) const
    {
        QString uuid;
        qint64 last = 0;
        if (!PlayLogExport(logOf(device)).identity(&uuid, &last))
            return -1;
        return qint64(cursorsOf(device).value(uuid).toDouble(-1));
    }

    int rows(const QString &device)
    {
        return m_pg
            ->value(QStringLiteral("select count(*) from play_rows where device='%1'").arg(device),
                    QStringLiteral("fleet"))
            .toInt();
    }

    QString centralTotals(const QString &device)
    {
        QString out;
        m_pg->psql(
            QStringLiteral("select path, count(*), count(*) filter (where shown), "
                           "coalesce(sum(shown_ms) filter (where shown), 0) from play_rows where device='%1' "
                           "group by path order by path")
                .arg(device),
            &out, QStringLiteral("fleet"));
        QStringList lines = out.trimmed().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        lines.sort();
        return lines.join(QLatin1Char('\n'));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<FleetSite> m_site;
    std::unique_ptr<PgCluster> m_pg;
    CollectorProcess m_collector;
};

QTEST_GUILESS_MAIN(TestLogUpload)
#include "test_logupload.moc"
