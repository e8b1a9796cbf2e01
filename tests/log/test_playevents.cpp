// The events of dark screens in the play log's file: written off the caller's thread beside the
// play log's rows, read back whole, and kept through a damaged file as the play log is.

#include "log/databaseconn.h"
#include "log/logfilekeeper.h"
#include "log/playevents.h"
#include "log/writelogthread.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

PlayEvent sampleEvent(const QString &kind, bool mended, qint64 utcMs)
{
    PlayEvent e;
    e.utcMs = utcMs;
    e.utcOffset = 8 * 3600;
    e.screen = QStringLiteral("大厅");
    e.window = QStringLiteral("window 1");
    e.item = QStringLiteral("Streaming Media");
    e.path = QStringLiteral("http://127.0.0.1:9/live.ts");
    e.kind = kind;
    e.mended = mended;
    e.detail = QStringLiteral("no progress at 12.0 s for 4 s; reloaded");
    return e;
}

} // namespace

class TestPlayEvents : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        dataBaseConn::setDatabasePath(m_dir->filePath(QStringLiteral("log.db")));
    }

    // Events and play-log rows share the file; an event has every column, in the table's own
    // types, and the writer stores them in the order they came.
    void eventsGoBesideThePlayLogInOrder()
    {
        {
            writeLogThread log;
            log.start();
            log.setLogInfo(QStringLiteral("a.mp4"), QStringLiteral("10"), QStringLiteral("2026-12-09"),
                           QStringLiteral("2026-12-09"), QStringLiteral("10:00:00:000"),
                           QStringLiteral("10:00:10:000"), QStringLiteral("success"));
            PlayEventWriter writer;
            writer.add(sampleEvent(QLatin1String(PlayEvents::VideoStalled), true, 1000));
            writer.add(sampleEvent(QLatin1String(PlayEvents::RendererDied), true, 2000));
            writer.add(sampleEvent(QLatin1String(PlayEvents::OpenFailed), false, 3000));
            QVERIFY(writer.waitUntilIdle(30000));
            QVERIFY(log.waitUntilIdle(30000));
        }
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(dataBaseConn::databasePath());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("select count(*) from LOGINFOS")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 1);
            QVERIFY(
                q.exec(QStringLiteral("select id,typeof(utcMs),utcOffset,screen,window,item,path,kind,mended,"
                                      "detail from PLAYEVENTS order by id")));
            QStringList kinds;
            while (q.next()) {
                QCOMPARE(q.value(1).toString(), QStringLiteral("integer"));
                QCOMPARE(q.value(2).toInt(), 8 * 3600);
                QCOMPARE(q.value(3).toString(), QStringLiteral("大厅"));
                QCOMPARE(q.value(4).toString(), QStringLiteral("window 1"));
                QCOMPARE(q.value(5).toString(), QStringLiteral("Streaming Media"));
                QCOMPARE(q.value(6).toString(), QStringLiteral("http://127.0.0.1:9/live.ts"));
                kinds << q.value(7).toString() + QLatin1Char('=') + q.value(8).toString();
                QVERIFY(q.value(9).toString().contains(QStringLiteral("reloaded")));
            }
            QCOMPARE(kinds, QStringList({QStringLiteral("videoStalled=1"), QStringLiteral("rendererDied=1"),
                                         QStringLiteral("openFailed=0")}));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
        PlayEventStore store;
        const QList<PlayEvent> read = store.readAll();
        QCOMPARE(read.size(), 3);
        QCOMPARE(read.at(2).utcMs, Q_INT64_C(3000));
        QVERIFY(!read.at(2).mended);
    }

    // A file that is no database is moved aside as the play log's writers move it, and the event
    // goes into a new file; a play-log writer that had the old file open follows to the new one.
    void aDamagedFileIsSetAsideAndTheEventKept()
    {
        writeLogThread log;
        log.start();
        log.setLogInfo(QStringLiteral("before"), QStringLiteral("1"), QStringLiteral("2026-12-09"),
                       QStringLiteral("2026-12-09"), QStringLiteral("10:00:00:000"),
                       QStringLiteral("10:00:01:000"), QStringLiteral("success"));
        QVERIFY(log.waitUntilIdle(30000));

        QFile file(dataBaseConn::databasePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(8192, 'x'));
        file.close();

        PlayEventWriter writer;
        writer.add(sampleEvent(QLatin1String(PlayEvents::VideoStalled), false, 5000));
        QVERIFY(writer.waitUntilIdle(30000));
        QCOMPARE(LogFileKeeper::setAsideFiles(dataBaseConn::databasePath()).size(), 1);

        log.setLogInfo(QStringLiteral("after"), QStringLiteral("1"), QStringLiteral("2026-12-09"),
                       QStringLiteral("2026-12-09"), QStringLiteral("10:00:01:000"),
                       QStringLiteral("10:00:02:000"), QStringLiteral("success"));
        QVERIFY(log.waitUntilIdle(30000));

        PlayEventStore store;
        const QList<PlayEvent> read = store.readAll();
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first().utcMs, Q_INT64_C(5000));
        dataBaseConn conn;
        const auto rows =
            conn.queryLogs(QString(), QStringLiteral("2026-12-09"), QStringLiteral("2026-12-09"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().first(), QStringLiteral("after"));
    }

private:
    QScopedPointer<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestPlayEvents)
#include "test_playevents.moc"
