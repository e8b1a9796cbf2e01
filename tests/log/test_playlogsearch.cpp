#include "buildpaths.h"
#include "log/databaseconn.h"
#include "log/playlogcsv.h"
#include "log/playlogreader.h"
#include "log/playlogtablemodel.h"
#include "log/writelogthread.h"
#include "playlogfixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

namespace {

QStringList row(const QString &name, const QString &beginDate, const QString &beginTime,
                const QString &endDate, const QString &endTime, const QString &length = QStringLiteral("5"))
{
    return {name, length, beginDate, endDate, beginTime, endTime, QStringLiteral("success")};
}

// The log every search below runs on. Names are chosen so that each hostile keyword
// has exactly one literal match and at least one row a wildcard reading would also take.
QList<QStringList> searchedRows()
{
    return {
        row("Digital Clock", "2026-05-01", "09:05:03:120", "2026-05-01", "09:05:08:120"),
        row("Analog Clock", "2026-05-01", "23:59:50:000", "2026-05-02", "00:00:05:000", "-86385"),
        row("O'Brien.mp4", "2026-05-02", "08:00:00:000", "2026-05-02", "08:00:10:000"),
        row("sale 100%.png", "2026-05-02", "09:00:00:000", "2026-05-02", "09:00:05:000"),
        row("sale 1000.png", "2026-05-02", "09:00:05:000", "2026-05-02", "09:00:10:000"),
        row("a_b.png", "2026-05-02", "10:00:00:000", "2026-05-02", "10:00:05:000"),
        row("axb.png", "2026-05-02", "10:00:05:000", "2026-05-02", "10:00:10:000"),
        row("' OR '1'='1.png", "2026-05-03", "11:00:00:000", "2026-05-03", "11:00:05:000"),
        row("lobby.mp4", "2026-05-03", "12:00:00:000", "2026-05-03", "12:00:05:000"),
        row("DIGITAL CLOCK", "2026-04-30", "12:00:00:000", "2026-04-30", "12:00:05:000"),
    };
}

struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QStringList &args)
{
    QProcess process;
    process.start(BuildPaths::path("LUMORA_LOG_TOOL"), args);
    ToolRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// Parses CSV with Python's csv module: the rows as lists of strings, header included.
QList<QStringList> pythonCsv(const QByteArray &csv, bool *ok)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv,io,json,sys\n"
                                 "data=sys.stdin.buffer.read().decode('utf-8')\n"
                                 "print(json.dumps(list(csv.reader(io.StringIO(data, newline='')))))")});
    python.write(csv);
    python.closeWriteChannel();
    QList<QStringList> rows;
    *ok = python.waitForFinished(60000) && python.exitCode() == 0;
    if (!*ok)
        return rows;
    const QJsonArray array = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    for (const QJsonValue &line : array) {
        QStringList fields;
        for (const QJsonValue &field : line.toArray())
            fields << field.toString();
        rows << fields;
    }
    return rows;
}

// A log as `index` leaves it: a busy stretch of 45 000 rows over three days (more than one
// slice of the reader's walk), the rows above, one row of an earlier day written after them (the
// clock was set back), and details for a few rows.
bool buildLog(const QString &path, PlayLogFixture::Index index)
{
    QList<QStringList> rows = searchedRows();
    rows << row("item-3 late.mp4", "2026-01-02", "08:00:00:000", "2026-01-02", "08:00:05:000");
    return PlayLogFixture::addBusyMonth(path, 45000, 3, index) &&
           PlayLogFixture::addRows(path, rows, index) &&
           PlayLogFixture::withDatabase(path, index, [](QSqlDatabase &db) {
               QSqlQuery details(db);
               return details.exec(QStringLiteral("create table PLAYDETAILS (logId integer primary key,path "
                                                  "text,outcome text,shownMs integer)")) &&
                      details.exec(QStringLiteral(
                          "insert into PLAYDETAILS select rowid,'/media/lobby/'||name,'shown',1500 from "
                          "LOGINFOS where rowid in (15004,15012,45004,45011)"));
           });
}

QByteArray fileDigest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestPlayLogSearch : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_db = m_dir->filePath(QStringLiteral("log.db"));
    }

    void searchFindsTheSameRowsThroughToolAndModel_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("same day, the midnight row under its start")
            << "2026-05-01"
            << "2026-05-01"
            << "" << QStringList{"Digital Clock", "Analog Clock"};
        QTest::newRow("from after to") << "2026-05-03"
                                       << "2026-05-01"
                                       << "" << QStringList{};
        QTest::newRow("open start") << ""
                                    << "2026-05-01"
                                    << "clock"
                                    << QStringList{"Digital Clock", "Analog Clock", "DIGITAL CLOCK"};
        QTest::newRow("open end") << "2026-05-03"
                                  << ""
                                  << "" << QStringList{"' OR '1'='1.png", "lobby.mp4"};
        QTest::newRow("clock") << "2026-05-01"
                               << "2026-05-03"
                               << "clock" << QStringList{"Digital Clock", "Analog Clock"};
        QTest::newRow("O'Brien") << ""
                                 << ""
                                 << "O'Brien" << QStringList{"O'Brien.mp4"};
        QTest::newRow("%") << ""
                           << ""
                           << "0%" << QStringList{"sale 100%.png"};
        QTest::newRow("_") << ""
                           << ""
                           << "a_b" << QStringList{"a_b.png"};
        QTest::newRow("injection") << ""
                                   << ""
                                   << "' OR '1'='1" << QStringList{"' OR '1'='1.png"};
    }

    void searchFindsTheSameRowsThroughToolAndModel()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, keyword);
        QFETCH(QStringList, names);
        QVERIFY(PlayLogFixture::addRows(m_db, searchedRows()));

        QStringList args{QStringLiteral("search"), QStringLiteral("--db"), m_db, QStringLiteral("--csv")};
        if (!from.isEmpty())
            args << QStringLiteral("--from") << from;
        if (!to.isEmpty())
            args << QStringLiteral("--to") << to;
        if (!keyword.isEmpty())
            args << QStringLiteral("--keyword") << keyword;
        const ToolRun run = runTool(args);
        QCOMPARE(run.exitCode, 0);
        bool parsed = false;
        const QList<QStringList> csv = pythonCsv(run.out, &parsed);
        QVERIFY(parsed);
        QCOMPARE(csv.value(0), QStringList({"Name", "Duration", "StartTime", "StopTime", "Result", "Path"}));
        QStringList toolNames;
        for (int i = 1; i < csv.size(); ++i)
            toolNames << csv.at(i).value(0);
        QCOMPARE(toolNames, names);

        PlayLogTableModel model;
        model.setPath(m_db);
        PlayLogFilter filter;
        filter.from = QDate::fromString(from, Qt::ISODate);
        filter.to = QDate::fromString(to, Qt::ISODate);
        filter.keyword = keyword;
        QVERIFY(model.search(filter));
        while (model.canFetchMore(QModelIndex()))
            model.fetchMore(QModelIndex());
        QStringList modelNames;
        for (int r = 0; r < model.rowCount(); ++r)
            modelNames << model.index(r, 0).data().toString();
        QCOMPARE(modelNames, names);
        // The rows the tool and the viewer show agree column for column, the CSV's times
        // written as ISO 8601.
        for (int r = 0; r < model.rowCount(); ++r) {
            QStringList shown;
            for (int c = 0; c < 5; ++c) {
                const QString text = model.index(r, c).data().toString();
                shown << (c == 2 || c == 3 ? PlayLogCsv::isoTime(text) : text);
            }
            QCOMPARE(shown, csv.at(r + 1).mid(0, 5));
        }
    }

    void summaryCountsPlaysAndRealSecondsShown()
    {
        // lobby.mp4: 5.5 s, then 15 s across midnight (stored length negative), then one
        // day and 2 s across two midnights, which a player asleep in a pause can log.
        QVERIFY(PlayLogFixture::addRows(
            m_db, {row("lobby.mp4", "2026-05-01", "10:00:00:000", "2026-05-01", "10:00:05:500", "5"),
                   row("lobby.mp4", "2026-05-01", "23:59:50:000", "2026-05-02", "00:00:05:000", "-86385"),
                   row("clock, big", "2026-05-02", "08:00:00:250", "2026-05-02", "08:01:00:000", "59"),
                   row("lobby.mp4", "2026-05-02", "23:59:59:000", "2026-05-04", "00:00:01:000", "-86398"),
                   row("other.png", "2026-05-05", "08:00:00:000", "2026-05-05", "08:00:05:000")}));

        const ToolRun run =
            runTool({QStringLiteral("summary"), QStringLiteral("--db"), m_db, QStringLiteral("--to"),
                     QStringLiteral("2026-05-04"), QStringLiteral("--csv")});
        QCOMPARE(run.exitCode, 0);
        bool parsed = false;
        const QList<QStringList> csv = pythonCsv(run.out, &parsed);
        QVERIFY(parsed);
        // 5.5 + 15 + 86402 = 86422.5 s for three plays; 59.75 s for the clock.
        const QList<QStringList> expected{
            {"Name", "Plays", "Seconds", "FirstPlay", "LastPlay", "NotShown", "Path"},
            {"clock, big", "1", "59.750", "2026-05-02T08:00:00.250", "2026-05-02T08:00:00.250", "0", ""},
            {"lobby.mp4", "3", "86422.500", "2026-05-01T10:00:00.000", "2026-05-02T23:59:59.000", "0", ""},
        };
        QCOMPARE(csv, expected);

        // The same figures reach the viewer through the reader, with the plays per day.
        PlayLogReader reader(m_db);
        PlayLogFilter filter;
        filter.to = QDate(2026, 5, 4);
        QVector<PlayLogSummaryRow> rows;
        QVERIFY(reader.summary(filter, &rows));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(1).shownMs, Q_INT64_C(86422500));
        QVector<QPair<QString, qint64>> perDay;
        QVERIFY(reader.playsPerPeriod(filter, false, &perDay));
        QCOMPARE(perDay, (QVector<QPair<QString, qint64>>{{"2026-05-01", 2}, {"2026-05-02", 2}}));
        QVector<QPair<QString, qint64>> perHour;
        filter.from = filter.to = QDate(2026, 5, 1);
        QVERIFY(reader.playsPerPeriod(filter, true, &perHour));
        QCOMPARE(perHour, (QVector<QPair<QString, qint64>>{{"2026-05-01 10", 1}, {"2026-05-01 23", 1}}));
    }

    void csvOfAwkwardNamesReadsBackInPython()
    {
        const QList<QStringList> rows{
            row("comma, inside.mp4", "2026-05-01", "10:00:00:000", "2026-05-01", "10:00:05:000"),
            row("say \"hi\".png", "2026-05-01", "10:00:05:000", "2026-05-01", "10:00:10:000"),
            row("two\nlines\r\n.txt", "2026-05-01", "10:00:10:000", "2026-05-01", "10:00:15:000"),
            row(QString::fromUtf8("大厅 广告.mp4"), "2026-05-01", "10:00:15:000", "2026-05-01",
                "10:00:20:000"),
        };
        QVERIFY(PlayLogFixture::addRows(m_db, rows));
        const ToolRun run =
            runTool({QStringLiteral("search"), QStringLiteral("--db"), m_db, QStringLiteral("--csv")});
        QCOMPARE(run.exitCode, 0);
        bool parsed = false;
        const QList<QStringList> csv = pythonCsv(run.out, &parsed);
        QVERIFY(parsed);
        QCOMPARE(csv.size(), rows.size() + 1);
        for (int i = 0; i < rows.size(); ++i) {
            const QStringList &r = rows.at(i);
            const QString begin = r[2] + "T" + r[4].left(8) + "." + r[4].right(3);
            const QString end = r[3] + "T" + r[5].left(8) + "." + r[5].right(3);
            QCOMPARE(csv.at(i + 1), QStringList({r[0], r[1], begin, end, r[6], QString()}));
        }
        // Python's own date parser reads every start and stop time.
        QProcess python;
        python.start(QStringLiteral("python3"),
                     {QStringLiteral("-c"),
                      QStringLiteral("import csv,io,sys,datetime\n"
                                     "rows=list(csv.reader(io.StringIO(sys.stdin.buffer.read().decode(), newline='')))\n"
                                     "t=[datetime.datetime.fromisoformat(x) for r in rows[1:] for x in r[2:4]]\n"
                                     "print(len(t), t[0].microsecond, t[-1].isoformat(timespec='milliseconds'))")});
        python.write(run.out);
        python.closeWriteChannel();
        QVERIFY(python.waitForFinished(60000));
        QCOMPARE(python.exitCode(), 0);
        QCOMPARE(python.readAllStandardOutput().trimmed(), QByteArray("8 0 2026-05-01T10:00:20.000"));
    }

    void toolExitStatusesAndNeverWrites()
    {
        QVERIFY(PlayLogFixture::addRows(m_db, searchedRows()));
        const QByteArray before = fileDigest(m_db);
        const QStringList entries = QDir(m_dir->path()).entryList(QDir::Files);

        QCOMPARE(runTool({}).exitCode, 1);
        QCOMPARE(runTool({QStringLiteral("list"), QStringLiteral("--db"), m_db}).exitCode, 1);
        const ToolRun badDate = runTool({QStringLiteral("search"), QStringLiteral("--db"), m_db,
                                         QStringLiteral("--from"), QStringLiteral("2026-13-01")});
        QCOMPARE(badDate.exitCode, 1);
        QVERIFY(badDate.err.contains("Usage:"));
        QCOMPARE(
            runTool({QStringLiteral("search"), QStringLiteral("--db"), m_db, QStringLiteral("--keyword")})
                .exitCode,
            1);
        QCOMPARE(runTool({QStringLiteral("summary"), QStringLiteral("--db"),
                          m_dir->filePath(QStringLiteral("none.db"))})
                     .exitCode,
                 2);
        QCOMPARE(runTool({QStringLiteral("search"), QStringLiteral("--db"), m_db}).exitCode, 0);
        QCOMPARE(runTool({QStringLiteral("summary"), QStringLiteral("--db"), m_db}).exitCode, 0);

        const QString damaged = m_dir->filePath(QStringLiteral("random.db"));
        QFile random(damaged);
        QVERIFY(random.open(QIODevice::WriteOnly));
        for (int i = 0; i < 4096; ++i)
            random.putChar(char(QRandomGenerator::global()->bounded(256)));
        random.close();
        const QByteArray damagedBefore = fileDigest(damaged);
        const ToolRun onDamaged = runTool({QStringLiteral("search"), QStringLiteral("--db"), damaged});
        QCOMPARE(onDamaged.exitCode, 2);
        QVERIFY(onDamaged.err.contains("damaged"));
        QCOMPARE(onDamaged.out, QByteArray());

        // Reading never touched a file: same bytes, no journal or new file beside them.
        QCOMPARE(fileDigest(m_db), before);
        QCOMPARE(fileDigest(damaged), damagedBefore);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
                 entries + QStringList{QStringLiteral("random.db")});
    }

    void unindexedLogReadsAsTheIndexedOneAndStaysUntouched_data()
    {
        QTest::addColumn<QStringList>("filter");
        QTest::addColumn<int>("searchRows");

        // 1 875 of the busy day's rows, and the late one.
        QTest::newRow("one day, keyword")
            << QStringList{"--from", "2026-01-02", "--to", "2026-01-02", "--keyword", "item-3"} << 1876;
        QTest::newRow("open start, a label in Chinese")
            << QStringList{"--to", "2026-05-01", "--keyword", "数字"} << 1;
        QTest::newRow("open end") << QStringList{"--from", "2026-05-02"} << 7;
        QTest::newRow("keyword only, a wildcard taken literally") << QStringList{"--keyword", "0%"} << 1;
        QTest::newRow("everything") << QStringList{} << 45011;
        QTest::newRow("from after to") << QStringList{"--from", "2026-05-03", "--to", "2026-05-01"} << 0;
    }

    // A log without the beginDate index (an older file, or one copied from another PC) gives the
    // rows and sums of the same log with it, and reading it neither adds the index nor touches
    // the file.
    void unindexedLogReadsAsTheIndexedOneAndStaysUntouched()
    {
        QFETCH(QStringList, filter);
        QFETCH(int, searchRows);
        const QString indexed = m_dir->filePath(QStringLiteral("indexed.db"));
        const QString plain = m_dir->filePath(QStringLiteral("copied.db"));
        QVERIFY(buildLog(indexed, PlayLogFixture::Index::Made));
        QVERIFY(buildLog(plain, PlayLogFixture::Index::None));
        const QDateTime longAgo(QDate(2025, 3, 1), QTime(12, 0));
        {
            QFile file(plain);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
        }
        const QByteArray before = fileDigest(plain);
        const QStringList entries = QDir(m_dir->path()).entryList(QDir::Files);

        for (const QStringList &form : {QStringList{"search", "--csv"}, QStringList{"search"},
                                        QStringList{"summary", "--csv"}, QStringList{"summary"}}) {
            const ToolRun fromIndexed = runTool(form + QStringList{"--db", indexed} + filter);
            const ToolRun fromPlain = runTool(form + QStringList{"--db", plain} + filter);
            QCOMPARE(fromIndexed.exitCode, 0);
            QCOMPARE(fromPlain.exitCode, 0);
            QCOMPARE(fromPlain.err, QByteArray());
            QCOMPARE(fromPlain.out, fromIndexed.out);
            if (form.first() == QLatin1String("search"))
                QCOMPARE(fromPlain.out.count('\n'), searchRows + 1);
            else
                QCOMPARE(fromPlain.out.count('\n') > 1, searchRows > 0);
        }
        // The viewer pages through the same rows.
        const auto option = [&filter](const char *name) { return filter.value(filter.indexOf(name) + 1); };
        PlayLogFilter asked;
        asked.from = QDate::fromString(option("--from"), Qt::ISODate);
        asked.to = QDate::fromString(option("--to"), Qt::ISODate);
        asked.keyword = filter.contains("--keyword") ? option("--keyword") : QString();
        QStringList shown[2];
        for (int i = 0; i < 2; ++i) {
            PlayLogTableModel model;
            model.setPath(i == 0 ? indexed : plain);
            QVERIFY(model.search(asked));
            while (model.canFetchMore(QModelIndex()))
                model.fetchMore(QModelIndex());
            for (int r = 0; r < model.rowCount(); ++r)
                shown[i] << model.index(r, 0).data().toString() + model.index(r, 2).data().toString();
        }
        QCOMPARE(shown[1].size(), searchRows);
        QCOMPARE(shown[1], shown[0]);

        QCOMPARE(fileDigest(plain), before);
        QCOMPARE(QFileInfo(plain).lastModified(), longAgo);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), entries);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(plain);
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            QVERIFY(db.open());
            QSqlQuery indexes(db);
            QVERIFY(indexes.exec(QStringLiteral("select count(*) from sqlite_master where type='index'")));
            QVERIFY(indexes.next());
            QCOMPARE(indexes.value(0).toInt(), 0);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
    }

    void busyLogIsWaitedForNotReadAsEmpty()
    {
        QVERIFY(PlayLogFixture::addRows(m_db, searchedRows()));
        // A writer holds the file locked, as a long insert burst would, until told to stop.
        QSemaphore locked;
        QSemaphore release;
        QThread *holder = QThread::create([this, &locked, &release] {
            {
                QSqlDatabase db =
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
                db.setDatabaseName(m_db);
                db.open();
                QSqlQuery lock(db);
                lock.exec(QStringLiteral("begin exclusive"));
                locked.release();
                release.tryAcquire(1, 60000);
                lock.exec(QStringLiteral("commit"));
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("holder"));
        });
        holder->start();
        QVERIFY(locked.tryAcquire(1, 60000));

        PlayLogReader impatient(m_db, 50);
        QVector<PlayLogSummaryRow> rows;
        QVERIFY(!impatient.summary(PlayLogFilter(), &rows));
        QCOMPARE(impatient.status(), PlayLogReader::Status::Busy);
        QVERIFY(rows.isEmpty());

        QProcess tool;
        tool.start(BuildPaths::path("LUMORA_LOG_TOOL"),
                   {QStringLiteral("summary"), QStringLiteral("--db"), m_db});
        QVERIFY(tool.waitForStarted(60000));
        QThread::msleep(300); // the tool meets the lock and waits
        release.release();
        holder->wait();
        delete holder;
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(tool.readAllStandardOutput().count('\n'), searchedRows().size() + 1);
    }

    void damagedLogIsSetAsideAndWritingCarriesOn()
    {
        QFile random(m_db);
        QVERIFY(random.open(QIODevice::WriteOnly));
        for (int i = 0; i < 8192; ++i)
            random.putChar(char(QRandomGenerator::global()->bounded(256)));
        random.close();
        const QByteArray damagedBytes = fileDigest(m_db);
        dataBaseConn::setDatabasePath(m_db);

        // Two play windows write at once; the second opened the damaged file too.
        writeLogThread first;
        writeLogThread second;
        for (int i = 0; i < 20; ++i) {
            first.setLogInfo(QStringLiteral("first-%1.png").arg(i), "5", "2026-06-01", "2026-06-01",
                             "10:00:00:000", "10:00:05:000", "success");
            second.setLogInfo(QStringLiteral("second-%1.png").arg(i), "5", "2026-06-01", "2026-06-01",
                              "10:00:00:000", "10:00:05:000", "success");
            first.start();
            second.start();
        }
        QVERIFY(first.waitUntilIdle(60000));
        QVERIFY(second.waitUntilIdle(60000));

        const QStringList aside =
            QDir(m_dir->path()).entryList({QStringLiteral("log.db.damaged-*")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(fileDigest(m_dir->filePath(aside.first())), damagedBytes);

        const ToolRun run = runTool({QStringLiteral("summary"), QStringLiteral("--db"), m_db});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(aside.first().toUtf8()), run.err.constData());
        PlayLogReader reader(m_db);
        QVector<PlayLogSummaryRow> rows;
        QVERIFY(reader.summary(PlayLogFilter(), &rows));
        QCOMPARE(rows.size(), 40);
    }

    void unwritableLogKeepsRowsUntilItCanBeWritten()
    {
        // The directory is missing (an unmounted disk): nothing can be stored for now.
        const QString later = m_dir->filePath(QStringLiteral("later/log.db"));
        dataBaseConn::setDatabasePath(later);
        writeLogThread writer;
        for (int i = 0; i < 3; ++i) {
            writer.setLogInfo(QStringLiteral("kept-%1.png").arg(i), "1", "2026-07-01", "2026-07-01",
                              "10:00:00:000", "10:00:01:000", "success");
            writer.start();
        }
        QVERIFY(!writer.waitUntilIdle(1500));
        QCOMPARE(writer.pendingRows(), 3);

        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("later")));
        QVERIFY(writer.waitUntilIdle(60000));
        PlayLogReader reader(later);
        QVector<PlayLogSummaryRow> rows;
        QVERIFY(reader.summary(PlayLogFilter(), &rows));
        QCOMPARE(rows.size(), 3);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_db;
};

QTEST_GUILESS_MAIN(TestPlayLogSearch)
#include "test_playlogsearch.moc"
