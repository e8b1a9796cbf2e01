#include "../fleet/logbatchsamples.h"
#include "../fleet/pgcluster.h"
#include "appcore/settings.h"
#include "fleetlog/fleetlogstore.h"
#include "fleetlog/fleetreport.h"
#include "fleetlog/logbatch.h"
#include "log/databaseconn.h"
#include "log/playlogtablemodel.h"
#include "log/viewer/fleetlogworker.h"
#include "log/viewer/journalwin.h"
#include "log/viewer/summarychart.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <signal.h>

namespace {

using LogBatchSamples::batchOf;
using LogBatchSamples::Row;
const QString Hash = LogBatchSamples::hash();

QStringList tableRow(const QAbstractItemModel *model, int r)
{
    QStringList texts;
    for (int c = 0; c < model->columnCount(); ++c)
        texts << model->index(r, c).data().toString();
    return texts;
}

QStringList comboTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void choose(QComboBox *combo, const QString &name)
{
    const int index = name.isEmpty() ? 0 : combo->findData(name);
    QVERIFY2(index >= 0, qPrintable(name));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The log viewer over the fleet's central play log: three devices in two groups and two time
// zones, stored through FleetLogStore in a private cluster, read back through the dialog.
class TestJournalWinCentral : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString program = m_dir.filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(program));
        setApplicationDirectory(program);
        dataBaseConn::setDatabasePath(m_dir.filePath(QStringLiteral("log.db")));
        m_pg = std::make_unique<PgCluster>(m_dir.path());
        QString error;
        QVERIFY2(m_pg->start(&error), qPrintable(error));
        QVERIFY(m_pg->psql(QStringLiteral("create database fleet"), nullptr));
        FleetLogStore store(m_pg->address(QStringLiteral("fleet")), QStringLiteral("test-writer"));
        QVERIFY2(store.open(&error), qPrintable(error));
        const LogBatch a = batchOf({QStringLiteral("lobby")}, QStringLiteral("Europe/Berlin"), 3600,
                                   {{"2026-12-09 22:30:00", "ad.mp4", "/m/ad.mp4", 10000, "shown"},
                                    {"2026-12-09 23:10:00", "ad.mp4", "/m/ad.mp4", 10500, "shown"},
                                    {"2026-12-09 23:20:00", "Digital Clock", "", 5000, "shown"},
                                    {"2026-12-09 23:30:00", "ad.mp4", "/m/ad.mp4", 0, "missing"}});
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
        m_address = m_pg->address(QStringLiteral("fleet"));
    }

    void cleanupTestCase()
    {
        // A test that failed while the server was stopped must not leave it so.
        if (m_stoppedServer > 0)
            ::kill(m_stoppedServer, SIGCONT);
        m_pg.reset();
    }

    void devicesAndGroupsFilterTheRowsAndTheSummary()
    {
        JournalWin win;
        win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win));
        win.findChild<QDateEdit *>(QStringLiteral("fromDate"))->setDate(QDate(2026, 12, 9));
        win.findChild<QDateEdit *>(QStringLiteral("toDate"))->setDate(QDate(2026, 12, 10));
        auto *devices = win.findChild<QComboBox *>(QStringLiteral("deviceCombo"));
        auto *groups = win.findChild<QComboBox *>(QStringLiteral("groupCombo"));
        auto *address = win.findChild<QLineEdit *>(QStringLiteral("addressEdit"));
        auto *table = win.findChild<QTableView *>(QStringLiteral("resultTable"));
        auto *summary = win.findChild<QTableWidget *>(QStringLiteral("summaryTable"));
        QVERIFY(devices && groups && address && table && summary);
        QVERIFY(!devices->isVisible());

        QSignalSpy opened(&win, &JournalWin::sigCentralOpened);
        QSignalSpy searched(&win, &JournalWin::sigCentralSearchFinished);
        QSignalSpy summarized(&win, &JournalWin::sigSummaryReady);
        QTest::mouseClick(win.findChild<QPushButton *>(QStringLiteral("centralButton")), Qt::LeftButton);
        QVERIFY(address->isVisible());
        address->setText(m_address);
        QTest::mouseClick(win.findChild<QPushButton *>(QStringLiteral("openButton")), Qt::LeftButton);
        QVERIFY(win.isCentral());
        QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 60000);
        QVERIFY(devices->isVisible() && groups->isVisible());
        QCOMPARE(comboTexts(devices), QStringList({"All devices", "dev-a", "dev-b", "dev-c"}));
        QCOMPARE(comboTexts(groups), QStringList({"All groups", "lobby", "north"}));
        QTRY_COMPARE_WITH_TIMEOUT(searched.count(), 1, 60000);
        QAbstractItemModel *model = table->model();
        QCOMPARE(model->rowCount(), 8);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Device"));
        QVERIFY(model->headerData(3, Qt::Horizontal, Qt::ToolTipRole).toString().contains("local time"));
        // The address is remembered without asking the store anything.
        QCOMPARE(QSettings(settingsFilePath(), QSettings::IniFormat)
                     .value(QStringLiteral("CentralLog"))
                     .toString(),
                 m_address);

        // One device: its rows only, in its own local time, and the summary FleetReport makes.
        choose(devices, QStringLiteral("dev-a"));
        QTRY_COMPARE_WITH_TIMEOUT(searched.count(), 2, 60000);
        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(tableRow(model, 0), QStringList({"dev-a", "ad.mp4", "10", "2026-12-09 23:30:00:000",
                                                  "2026-12-09 23:30:10:000", "success"}));
        for (int r = 0; r < model->rowCount(); ++r)
            QCOMPARE(tableRow(model, r).value(0), QStringLiteral("dev-a"));
        QTRY_COMPARE_WITH_TIMEOUT(summarized.count(), 2, 60000);
        FleetReport::Filter filter;
        filter.from = QDate(2026, 12, 9);
        filter.to = QDate(2026, 12, 10);
        filter.device = QStringLiteral("dev-a");
        compareSummary(summary, filter);
        QCOMPARE(win.findChild<SummaryChart *>()->barCount(), 2); // two local days

        // One group: the rows of its devices only.
        devices->setCurrentIndex(0);
        choose(groups, QStringLiteral("north"));
        QTRY_COMPARE_WITH_TIMEOUT(searched.count(), 3, 60000);
        QCOMPARE(model->rowCount(), 4);
        QSet<QString> shown;
        for (int r = 0; r < model->rowCount(); ++r)
            shown << tableRow(model, r).value(0);
        QCOMPARE(shown, QSet<QString>({"dev-b", "dev-c"}));
        QTRY_COMPARE_WITH_TIMEOUT(summarized.count(), 3, 60000);
        filter.device.clear();
        filter.group = QStringLiteral("north");
        compareSummary(summary, filter);

        // Exported as the player's own log is: the summary by the same code, the rows with their device.
        QSignalSpy exported(&win, &JournalWin::sigExportFinished);
        const QString summaryCsv = m_dir.filePath(QStringLiteral("summary.csv"));
        win.exportCsv(summaryCsv, true);
        QTRY_COMPARE_WITH_TIMEOUT(exported.count(), 1, 60000);
        QCOMPARE(readAll(summaryCsv),
                 QByteArray("Name,Plays,Seconds,FirstPlay,LastPlay,NotShown,Path\r\n"
                            "Digital Clock,1,7.000,2026-12-10T00:20:00.000,2026-12-10T00:20:00.000,0,\r\n"
                            "ad.mp4,2,40.000,2026-12-09T23:30:00.000,2026-12-10T00:15:00.000,0,/m/ad.mp4\r\n"
                            "other.png,1,8.000,2026-12-10T09:00:00.000,2026-12-10T09:00:00.000,0,"
                            "/m/other.png\r\n"));
        const QString rowsCsv = m_dir.filePath(QStringLiteral("rows.csv"));
        win.exportCsv(rowsCsv, false);
        QTRY_COMPARE_WITH_TIMEOUT(exported.count(), 2, 60000);
        QVERIFY(exported.at(1).at(0).toBool());
        const QList<QByteArray> lines = readAll(rowsCsv).split('\n');
        QCOMPARE(lines.size(), 6); // header, four rows, the empty end
        QCOMPARE(lines.at(0), QByteArray("Device,Name,Duration,StartTime,StopTime,Result,Path,Screen,Window,"
                                         "Bundle,Hash\r"));
        QCOMPARE(lines.at(1), QByteArray("dev-b,ad.mp4,20,2026-12-09T23:30:00.000,2026-12-09T23:30:20.000,"
                                         "success,/m/ad.mp4,Screen 1,Window 1,5,") +
                                  Hash.toLatin1() + '\r');
        QVERIFY(lines.at(4).startsWith("dev-c,other.png,"));

        // Back to this player's log; the address is offered again next time.
        QTest::mouseClick(win.findChild<QPushButton *>(QStringLiteral("localButton")), Qt::LeftButton);
        QVERIFY(!win.isCentral());
        QCOMPARE(table->model(), static_cast<QAbstractItemModel *>(win.resultModel()));
        QVERIFY(!devices->isVisible());
        JournalWin again;
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QTest::mouseClick(again.findChild<QPushButton *>(QStringLiteral("centralButton")), Qt::LeftButton);
        QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("addressEdit"))->text(), m_address);
    }

    void theViewersConnectionRefusesWrites()
    {
        // Even when the address asks for a writable session.
        for (const QString &address : QStringList{
                 m_address, m_address + QStringLiteral("&options=-cdefault_transaction_read_only%3Doff")}) {
            FleetLogWorker::Problem problem = FleetLogWorker::ReadFailed;
            QString error;
            {
                QSqlDatabase db =
                    FleetLogWorker::openReadOnly(address, QStringLiteral("test-viewer"), &problem, &error);
                QVERIFY2(db.isValid(), qPrintable(error));
                QSqlQuery query(db);
                for (const char *sql : {"insert into devices (device) values ('intruder')",
                                        "delete from play_rows", "create table intruder (a int)"}) {
                    QVERIFY2(!query.exec(QLatin1String(sql)), sql);
                    QVERIFY2(query.lastError().text().contains(QLatin1String("read-only transaction")),
                             qPrintable(query.lastError().text()));
                }
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("test-viewer"));
        }
        QCOMPARE(m_pg->value(QStringLiteral("select count(*) from devices"), QStringLiteral("fleet")),
                 QStringLiteral("3"));
        QCOMPARE(m_pg->value(QStringLiteral("select count(*) from play_rows"), QStringLiteral("fleet")),
                 QStringLiteral("8"));
    }

    void aStoreOutOfReachIsSaidAndTheDialogKeepsWorking()
    {
        JournalWin win;
        win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win));
        auto *note = win.findChild<QLabel *>(QStringLiteral("noteLabel"));
        QSignalSpy problems(&win, &JournalWin::sigCentralProblem);

        // No server at the socket folder.
        win.openCentral(QStringLiteral("postgresql://lumora@/fleet?host=%1")
                            .arg(m_dir.filePath(QStringLiteral("nowhere"))));
        QTRY_COMPARE_WITH_TIMEOUT(problems.count(), 1, 60000);
        QVERIFY2(note->isVisible() && note->text().contains(QLatin1String("cannot be reached")),
                 qPrintable(note->text()));

        // A database without the central log.
        win.openCentral(m_pg->address(QStringLiteral("postgres")));
        QTRY_COMPARE_WITH_TIMEOUT(problems.count(), 2, 60000);
        QVERIFY2(note->text().contains(QLatin1String("holds no central play log")), qPrintable(note->text()));

        // A server that takes the connection and never answers: opening returns at once, the
        // dialog says it is connecting, and gives up after the connection's time limit.
        bool ok = false;
        m_stoppedServer =
            readAll(m_dir.filePath(QStringLiteral("pg/data/postmaster.pid"))).split('\n').value(0).toInt(&ok);
        QVERIFY(ok && m_stoppedServer > 0);
        QCOMPARE(::kill(m_stoppedServer, SIGSTOP), 0);
        QSignalSpy searched(&win, &JournalWin::sigCentralSearchFinished);
        win.openCentral(m_address);
        QVERIFY2(note->text().contains(QLatin1String("Connecting")), qPrintable(note->text()));
        QTRY_COMPARE_WITH_TIMEOUT(problems.count(), 3, 120000);
        QVERIFY2(note->text().contains(QLatin1String("cannot be reached")), qPrintable(note->text()));
        QCOMPARE(::kill(m_stoppedServer, SIGCONT), 0);
        m_stoppedServer = 0;

        // Back up: the next look-up connects again.
        win.findChild<QDateEdit *>(QStringLiteral("fromDate"))->setDate(QDate(2026, 12, 9));
        win.findChild<QDateEdit *>(QStringLiteral("toDate"))->setDate(QDate(2026, 12, 10));
        win.slotFindDate();
        QTRY_COMPARE_WITH_TIMEOUT(searched.count(), 1, 60000);
        QCOMPARE(win.findChild<QTableView *>(QStringLiteral("resultTable"))->model()->rowCount(), 8);
        QVERIFY(!note->isVisible());
    }

    void aNewSearchAbandonsOneThatWaits()
    {
        // A summary that waits for a lock stands for a slow query.
        QSqlDatabase locker =
            QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("test-locker"));
        QString error;
        QVERIFY2(FleetLogStore::applyAddress(m_address, &locker, &error), qPrintable(error));
        QVERIFY2(locker.open(), qPrintable(locker.lastError().text()));
        QVERIFY(locker.transaction());
        QSqlQuery lock(locker);
        QVERIFY(lock.exec(QStringLiteral("lock table play_hours in access exclusive mode")));

        {
            JournalWin win;
            win.show();
            // Released before the dialog, which waits for its workers as it closes.
            bool locked = true;
            const auto release = qScopeGuard([&] {
                if (locked)
                    locker.rollback();
            });
            QVERIFY(QTest::qWaitForWindowExposed(&win));
            win.findChild<QDateEdit *>(QStringLiteral("fromDate"))->setDate(QDate(2026, 12, 9));
            win.findChild<QDateEdit *>(QStringLiteral("toDate"))->setDate(QDate(2026, 12, 10));
            QSignalSpy opened(&win, &JournalWin::sigCentralOpened);
            QSignalSpy searched(&win, &JournalWin::sigCentralSearchFinished);
            QSignalSpy summarized(&win, &JournalWin::sigSummaryReady);
            win.openCentral(m_address);
            QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 60000);
            const QString waiting =
                QStringLiteral("select count(*) from pg_stat_activity "
                               "where application_name = 'lumora-viewer' and wait_event_type = 'Lock'");
            QTRY_COMPARE_WITH_TIMEOUT(m_pg->value(waiting), QStringLiteral("1"), 60000);

            choose(win.findChild<QComboBox *>(QStringLiteral("deviceCombo")), QStringLiteral("dev-c"));
            QTRY_VERIFY_WITH_TIMEOUT(
                m_pg->log().contains(QLatin1String("canceling statement due to user request")), 60000);
            QCOMPARE(searched.count(), 0);
            QVERIFY(locker.rollback());
            locked = false;

            QTRY_COMPARE_WITH_TIMEOUT(searched.count(), 1, 60000);
            QTRY_COMPARE_WITH_TIMEOUT(summarized.count(), 1, 60000);
            const QAbstractItemModel *model =
                win.findChild<QTableView *>(QStringLiteral("resultTable"))->model();
            QCOMPARE(model->rowCount(), 1);
            QCOMPARE(tableRow(model, 0).value(0), QStringLiteral("dev-c"));
            auto *summary = win.findChild<QTableWidget *>(QStringLiteral("summaryTable"));
            QCOMPARE(summary->rowCount(), 1);
            QCOMPARE(summary->item(0, 0)->text(), QStringLiteral("other.png"));
        }
        lock.finish();
        locker.close();
        locker = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("test-locker"));
    }

private:
    void compareSummary(QTableWidget *summary, const FleetReport::Filter &filter)
    {
        QString error;
        FleetLogStore store(m_address, QStringLiteral("test-report"));
        QVERIFY2(store.openForReading(&error), qPrintable(error));
        FleetReport report(store.database());
        QVector<FleetReport::SummaryRow> rows;
        QVERIFY2(report.summary(filter, FleetReport::By::Item, &rows), qPrintable(report.errorText()));
        QVERIFY(!rows.isEmpty());
        QCOMPARE(summary->rowCount(), rows.size());
        for (int r = 0; r < rows.size(); ++r) {
            const PlayLogSummaryRow &s = rows.at(r).sums;
            QCOMPARE(summary->item(r, 0)->text(), s.name);
            QCOMPARE(summary->item(r, 1)->text(), QString::number(s.plays));
            QCOMPARE(summary->item(r, 2)->text(), s.secondsText());
            QCOMPARE(summary->item(r, 3)->text(), s.firstPlay);
            QCOMPARE(summary->item(r, 4)->text(), s.lastPlay);
        }
    }

    QTemporaryDir m_dir;
    std::unique_ptr<PgCluster> m_pg;
    QString m_address;
    qint64 m_stoppedServer = 0;
};

QTEST_MAIN(TestJournalWinCentral)
#include "test_journalwin_central.moc"
