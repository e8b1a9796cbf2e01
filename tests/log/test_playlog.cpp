#include "log/databaseconn.h"
#include "log/logfilekeeper.h"
#include "log/playlogexport.h"
#include "log/playlogreader.h"
#include "log/playlogrow.h"
#include "log/playoutcome.h"
#include "log/writelogthread.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include <memory>
#include <vector>

class TestPlayLog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        dataBaseConn::setDatabasePath(m_dir->filePath(QStringLiteral("log.db")));
    }

    // A log written before rows had details (or by a player in Chinese) is read as it is; its
    // first new row brings the detail table, and a label is one item in either language.
    void olderLogsTakeDetailsAndLabelsMatchInEitherLanguage()
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
            db.setDatabaseName(dataBaseConn::databasePath());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("create table LOGINFOS (name varchar,length varchar,beginDate date,"
                                          "endDate date,beginTime varchar,endTime varchar,result varchar)")));
            QVERIFY(q.exec(QStringLiteral("insert into LOGINFOS values('数字时钟','10','2026-02-01','2026-02-01',"
                                          "'10:00:00:000','10:00:10:000','成功')")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("old"));
        {
            dataBaseConn conn;
            PlayLogDetail detail;
            detail.outcome = PlayOutcomes::keyword(PlayOutcome::CutByInsert);
            detail.shownMs = 4200;
            QVERIFY(conn.insertLog(QStringLiteral("Digital Clock"), QStringLiteral("4"), QStringLiteral("2026-02-01"),
                                   QStringLiteral("2026-02-01"), QStringLiteral("11:00:00:000"),
                                   QStringLiteral("11:00:30:000"),
                                   PlayOutcomes::resultText(PlayOutcome::CutByInsert), detail));
            for (const QString &keyword : {QStringLiteral("数字"), QStringLiteral("digital clock")}) {
                const auto rows = conn.queryLogs(keyword, QStringLiteral("2026-02-01"), QStringLiteral("2026-02-01"));
                QCOMPARE(rows.size(), 2);
                QCOMPARE(rows.at(0).at(6), QStringLiteral("成功"));
                QCOMPARE(rows.at(1).at(6), QStringLiteral("cut short by an insert"));
            }
            QVERIFY(conn.queryLogs(QStringLiteral("Weather"), QStringLiteral("2026-02-01"),
                                   QStringLiteral("2026-02-01")).isEmpty());
        }
        PlayLogReader reader(dataBaseConn::databasePath());
        PlayLogFilter filter;
        filter.keyword = QStringLiteral("数字时钟");
        QVector<PlayLogEntry> entries;
        QVERIFY(reader.fetchRange(filter, 1, 10, 10, &entries));
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.at(0).shownMs, Q_INT64_C(-1));
        QCOMPARE(entries.at(1).outcome, QStringLiteral("cut-insert"));
        QCOMPARE(entries.at(1).shownMs, Q_INT64_C(4200));
        QVector<PlayLogSummaryRow> summary;
        QVERIFY(reader.summary(filter, &summary));
        QCOMPARE(summary.size(), 1);
        QCOMPARE(summary.at(0).name, QStringLiteral("Digital Clock"));
        QCOMPARE(summary.at(0).plays, Q_INT64_C(2));
        // 10 s from the older row's times, 4.2 s from the newer row's detail.
        QCOMPARE(summary.at(0).shownMs, Q_INT64_C(14200));
        QCOMPARE(PlayOutcomes::displayResult(QStringLiteral("成功")), QStringLiteral("success"));
        QCOMPARE(PlayOutcomes::displayName(QStringLiteral("数字时钟")), QStringLiteral("Digital Clock"));
    }

    // Rows leave the device keyed by the file's UUID and a sequence number: an older file takes
    // both on its first write, numbers are never given twice (not even after the rows holding
    // the highest were removed), and a damaged file set aside leaves its successor a UUID and a
    // sequence of its own.
    void rowsCarryAnIdentityThatOutlivesUpgradesRemovalsAndDamage()
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
            db.setDatabaseName(dataBaseConn::databasePath());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("create table LOGINFOS (name varchar,length varchar,beginDate date,"
                                          "endDate date,beginTime varchar,endTime varchar,result varchar)")));
            QVERIFY(q.exec(QStringLiteral("create table PLAYDETAILS (logId integer primary key,path text,"
                                          "outcome text,shownMs integer)")));
            QVERIFY(
                q.exec(QStringLiteral("insert into LOGINFOS values('old.png','5','2026-02-01','2026-02-01',"
                                      "'10:00:00:000','10:00:05:000','success')")));
            QVERIFY(q.exec(QStringLiteral("insert into PLAYDETAILS values(1,'/m/old.png','shown',5000)")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("old"));

        const qint64 base = QDateTime(QDate(2026, 3, 29), QTime(0, 30), Qt::UTC).toMSecsSinceEpoch();
        QString firstUuid;
        {
            dataBaseConn conn;
            // The clock set back an hour between the second and third rows: the UTC times go
            // back, the sequence does not.
            const qint64 starts[] = {base, base + 3600000, base + 1800000};
            for (int i = 0; i < 3; ++i)
                QVERIFY(insertDetailed(conn, QStringLiteral("clip%1.mp4").arg(i), starts[i], 7200,
                                       i == 0 ? 42 : 0));
            firstUuid = conn.logUuid();
        }
        QVERIFY(!QUuid::fromString(firstUuid).isNull());

        PlayLogExport file(dataBaseConn::databasePath());
        QString uuid;
        qint64 lastSeq = 0;
        QVERIFY(file.identity(&uuid, &lastSeq));
        QCOMPARE(uuid, firstUuid);
        QCOMPARE(lastSeq, Q_INT64_C(3));
        QVector<PlayLogExportRow> rows;
        QVERIFY(file.rowsAfter(0, 100, &rows));
        QCOMPARE(rows.size(), 3); // the row from before has no number and stays local
        QCOMPARE(rows.at(0).seq, Q_INT64_C(1));
        QCOMPARE(rows.at(0).name, QStringLiteral("clip0.mp4"));
        QCOMPARE(rows.at(0).path, QStringLiteral("/bundle/clip0.mp4"));
        QCOMPARE(rows.at(0).startUtcMs, base);
        QCOMPARE(rows.at(0).endUtcMs, base + 10000);
        QCOMPARE(rows.at(0).utcOffset, 7200);
        QCOMPARE(rows.at(0).screen, QStringLiteral("Front"));
        QCOMPARE(rows.at(0).window, QStringLiteral("Day/Page 1/Window 1"));
        QCOMPARE(rows.at(0).bundle, Q_INT64_C(42));
        QCOMPARE(rows.at(0).hash, QString(64, QLatin1Char('a')));
        QCOMPARE(rows.at(1).bundle, Q_INT64_C(0));
        QCOMPARE(rows.at(2).seq, Q_INT64_C(3));
        QVERIFY(rows.at(2).startUtcMs < rows.at(1).startUtcMs);
        QVERIFY(file.rowsAfter(2, 100, &rows));
        QCOMPARE(rows.size(), 1);

        // Only delivered rows that are old enough go, from both tables.
        QCOMPARE(file.removeDelivered(2, base + 7200000), 2);
        QCOMPARE(file.countAfter(0), Q_INT64_C(1));
        QCOMPARE(countRows(QStringLiteral("LOGINFOS")), 2);
        QCOMPARE(file.removeDelivered(3, base + 7200000), 1);
        QCOMPARE(countRows(QStringLiteral("PLAYDETAILS")), 1);
        {
            dataBaseConn conn;
            QVERIFY(insertDetailed(conn, QStringLiteral("next.mp4"), base + 7200000, 7200, 0));
        }
        QVERIFY(file.rowsAfter(0, 100, &rows));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).seq, Q_INT64_C(4));

        // Damage: the next write sets the file aside and starts another with its own identity.
        {
            QFile raw(dataBaseConn::databasePath());
            QVERIFY(raw.open(QIODevice::ReadWrite));
            raw.write(QByteArray(100, 'x'));
        }
        {
            dataBaseConn conn;
            QVERIFY(insertDetailed(conn, QStringLiteral("after.mp4"), base + 9000000, 7200, 0));
        }
        QCOMPARE(LogFileKeeper::setAsideFiles(dataBaseConn::databasePath()).size(), 1);
        QVERIFY(file.identity(&uuid, &lastSeq));
        QVERIFY(uuid != firstUuid);
        QCOMPARE(lastSeq, Q_INT64_C(1));
        QVERIFY(file.rowsAfter(0, 100, &rows));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).name, QStringLiteral("after.mp4"));
    }

    void freshFileGetsTheTableOnce()
    {
        QVERIFY(!QFile::exists(dataBaseConn::databasePath()));
        {
            dataBaseConn first;
            QVERIFY(QFile::exists(dataBaseConn::databasePath()));
            QVERIFY(first.insertLog(QStringLiteral("a.mp4"), QStringLiteral("5"),
                                    QStringLiteral("2026-01-01"), QStringLiteral("2026-01-01"),
                                    QStringLiteral("10:00:00:000"), QStringLiteral("10:00:05:000"),
                                    QStringLiteral("success")));
        }
        dataBaseConn second; // finds the table, keeps the row
        QCOMPARE(
            second.queryLogs(QString(), QStringLiteral("2026-01-01"), QStringLiteral("2026-01-01")).size(),
            1);
        QCOMPARE(tableSql(),
                 QStringLiteral("CREATE TABLE LOGINFOS (name varchar,length varchar,beginDate date,"
                                "endDate date,beginTime varchar,endTime varchar,result varchar)")
                     .toLower());
    }

    void midnightCrossingLength()
    {
        const QStringList row =
            playLogColumns(QStringLiteral("Digital Clock"), QDate(2026, 3, 1), QTime(23, 59, 50),
                           QDate(2026, 3, 2), QTime(0, 0, 5), QStringLiteral("success"));
        QCOMPARE(row, QStringList({QStringLiteral("Digital Clock"), QStringLiteral("-86385"),
                                   QStringLiteral("2026-03-01"), QStringLiteral("2026-03-02"),
                                   QStringLiteral("23:59:50:000"), QStringLiteral("00:00:05:000"),
                                   QStringLiteral("success")}));
        dataBaseConn conn;
        QVERIFY(insert(conn, row));
        const auto rows =
            conn.queryLogs(QString(), QStringLiteral("2026-03-01"), QStringLiteral("2026-03-01"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first(), row);
    }

    void searchMatchesSubstringIgnoringCaseWithinInclusiveDates()
    {
        dataBaseConn conn;
        insert(conn, row(QStringLiteral("Digital Clock"), QStringLiteral("2026-05-01")));
        insert(conn, row(QStringLiteral("Analog Clock"), QStringLiteral("2026-05-02")));
        insert(conn, row(QStringLiteral("lobby.mp4"), QStringLiteral("2026-05-02")));
        insert(conn, row(QStringLiteral("Analog Clock"), QStringLiteral("2026-05-03")));
        insert(conn, row(QStringLiteral("Digital Timer"), QStringLiteral("2026-04-30")));

        const auto clocks = conn.queryLogs(QStringLiteral("clock"), QStringLiteral("2026-05-01"),
                                           QStringLiteral("2026-05-02"));
        QCOMPARE(names(clocks),
                 QStringList({QStringLiteral("Digital Clock"), QStringLiteral("Analog Clock")}));

        const auto sameDay =
            conn.queryLogs(QString(), QStringLiteral("2026-05-02"), QStringLiteral("2026-05-02"));
        QCOMPARE(names(sameDay), QStringList({QStringLiteral("Analog Clock"), QStringLiteral("lobby.mp4")}));

        QCOMPARE(conn.queryLogs(QString(), QStringLiteral("2026-01-01"), QStringLiteral("2026-12-31")).size(),
                 5);
        QVERIFY(
            conn.queryLogs(QString(), QStringLiteral("2026-05-03"), QStringLiteral("2026-05-01")).isEmpty());
    }

    void hostileKeywordsAreText()
    {
        dataBaseConn conn;
        insert(conn, row(QStringLiteral("Joe's promo.mp4"), QStringLiteral("2026-06-01")));
        insert(conn, row(QStringLiteral("sale 50%.png"), QStringLiteral("2026-06-01")));
        insert(conn, row(QStringLiteral("sale 5.png"), QStringLiteral("2026-06-01")));
        insert(conn, row(QStringLiteral("a_b.png"), QStringLiteral("2026-06-01")));
        insert(conn, row(QStringLiteral("axb.png"), QStringLiteral("2026-06-01")));
        const QString day = QStringLiteral("2026-06-01");

        QCOMPARE(names(conn.queryLogs(QStringLiteral("Joe's"), day, day)),
                 QStringList{QStringLiteral("Joe's promo.mp4")});
        QCOMPARE(names(conn.queryLogs(QStringLiteral("0%"), day, day)),
                 QStringList{QStringLiteral("sale 50%.png")});
        QCOMPARE(names(conn.queryLogs(QStringLiteral("a_b"), day, day)),
                 QStringList{QStringLiteral("a_b.png")});
        QVERIFY(conn.queryLogs(QStringLiteral("' or '1'='1"), day, day).isEmpty());
        QVERIFY(conn.queryLogs(QStringLiteral("x'; drop table LOGINFOS; --"), day, day).isEmpty());
        QCOMPARE(conn.queryLogs(QString(), day, day).size(), 5);
    }

    void burstFromTenWritersLosesNothing()
    {
        {
            dataBaseConn create;
        }
        std::vector<std::unique_ptr<writeLogThread>> writers;
        for (int w = 0; w < 10; ++w)
            writers.emplace_back(new writeLogThread);
        // Each play window hands over rows back to back without waiting for the writer.
        for (int i = 0; i < 100; ++i) {
            for (int w = 0; w < 10; ++w) {
                writers[w]->setLogInfo(QStringLiteral("w%1-%2").arg(w).arg(i, 3, 10, QLatin1Char('0')),
                                       QStringLiteral("5"), QStringLiteral("2026-07-01"),
                                       QStringLiteral("2026-07-01"), QStringLiteral("10:00:00:000"),
                                       QStringLiteral("10:00:05:000"), QStringLiteral("success"));
                writers[w]->start();
            }
        }
        for (auto &w : writers)
            QVERIFY(w->waitUntilIdle(60000));
        writers.clear();

        dataBaseConn conn;
        const auto rows =
            conn.queryLogs(QString(), QStringLiteral("2026-07-01"), QStringLiteral("2026-07-01"));
        QCOMPARE(rows.size(), 1000);
        // Per window, rows arrive in the order they were handed over.
        for (int w = 0; w < 10; ++w) {
            const QStringList mine = names(conn.queryLogs(
                QStringLiteral("w%1-").arg(w), QStringLiteral("2026-07-01"), QStringLiteral("2026-07-01")));
            QStringList sorted = mine;
            sorted.sort();
            QCOMPARE(mine.size(), 100);
            QCOMPARE(mine, sorted);
        }
    }

    void rowsQueuedAtShutdownAreWritten()
    {
        {
            dataBaseConn create;
        }
        {
            writeLogThread writer;
            writer.setLogInfo(QStringLiteral("late.png"), QStringLiteral("1"), QStringLiteral("2026-08-01"),
                              QStringLiteral("2026-08-01"), QStringLiteral("10:00:00:000"),
                              QStringLiteral("10:00:01:000"), QStringLiteral("success"));
            // destroyed without start(): the row must still reach the file
        }
        dataBaseConn conn;
        QCOMPARE(
            conn.queryLogs(QStringLiteral("late"), QStringLiteral("2026-08-01"), QStringLiteral("2026-08-01"))
                .size(),
            1);
    }

private:
    static QStringList row(const QString &name, const QString &date)
    {
        return {name,
                QStringLiteral("5"),
                date,
                date,
                QStringLiteral("10:00:00:000"),
                QStringLiteral("10:00:05:000"),
                QStringLiteral("success")};
    }

    static bool insert(dataBaseConn &conn, const QStringList &r)
    {
        return conn.insertLog(r[0], r[1], r[2], r[3], r[4], r[5], r[6]);
    }

    static bool insertDetailed(dataBaseConn &conn, const QString &name, qint64 startUtcMs, int offset,
                               qint64 bundle)
    {
        PlayLogDetail detail;
        detail.path = QStringLiteral("/bundle/") + name;
        detail.outcome = PlayOutcomes::keyword(PlayOutcome::Shown);
        detail.shownMs = 10000;
        detail.startUtcMs = startUtcMs;
        detail.endUtcMs = startUtcMs + 10000;
        detail.utcOffset = offset;
        detail.screen = QStringLiteral("Front");
        detail.window = QStringLiteral("Day/Page 1/Window 1");
        detail.bundle = bundle;
        detail.hash = bundle ? QString(64, QLatin1Char('a')) : QString();
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(startUtcMs, Qt::OffsetFromUTC, offset);
        const QStringList columns =
            playLogColumns(name, local.date(), local.time(), local.date(), local.time().addSecs(10), 10000,
                           PlayOutcomes::resultText(PlayOutcome::Shown));
        return conn.insertLog(columns[0], columns[1], columns[2], columns[3], columns[4], columns[5],
                              columns[6], detail);
    }

    static int countRows(const QString &table)
    {
        int count = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
            db.setDatabaseName(dataBaseConn::databasePath());
            if (db.open()) {
                QSqlQuery q(QStringLiteral("select count(*) from %1").arg(table), db);
                if (q.next())
                    count = q.value(0).toInt();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("count"));
        return count;
    }

    static QStringList names(const QList<QStringList> &rows)
    {
        QStringList out;
        for (const QStringList &r : rows)
            out << r.first();
        return out;
    }

    static QString tableSql()
    {
        QString sql;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("probe"));
            db.setDatabaseName(dataBaseConn::databasePath());
            if (db.open()) {
                QSqlQuery q(QStringLiteral("select sql from sqlite_master where type='table' and name='LOGINFOS'"),
                            db);
                int count = 0;
                while (q.next()) {
                    sql = q.value(0).toString();
                    ++count;
                }
                if (count != 1)
                    sql = QStringLiteral("%1 tables").arg(count);
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("probe"));
        return sql.toLower();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestPlayLog)
#include "test_playlog.moc"
