#include "log/databaseconn.h"
#include "log/playlogtablemodel.h"
#include "log/viewer/journalwin.h"
#include "log/viewer/summarychart.h"
#include "playlogfixture.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

QStringList row(const QString &name, const QString &beginDate, const QString &beginTime,
                const QString &endDate, const QString &endTime, const QString &length)
{
    return {name, length, beginDate, endDate, beginTime, endTime, QStringLiteral("success")};
}

QStringList tableRow(QAbstractItemModel *model, int r)
{
    QStringList texts;
    for (int c = 0; c < model->columnCount(); ++c)
        texts << model->index(r, c).data().toString();
    return texts;
}

QStringList headers(QAbstractItemModel *model)
{
    QStringList texts;
    for (int c = 0; c < model->columnCount(); ++c)
        texts << model->headerData(c, Qt::Horizontal).toString();
    return texts;
}

// Every text of the dialog the operator reads (the calendar's digits aside).
QStringList visibleTexts(QWidget *root)
{
    QStringList texts;
    auto own = [](QWidget *w) {
        for (QWidget *up = w->parentWidget(); up; up = up->parentWidget()) {
            if (qobject_cast<QCalendarWidget *>(up))
                return false;
        }
        return true;
    };
    for (QLabel *label : root->findChildren<QLabel *>()) {
        if (own(label) && !label->text().isEmpty())
            texts << label->text();
    }
    for (QPushButton *button : root->findChildren<QPushButton *>()) {
        if (own(button) && !button->text().isEmpty())
            texts << button->text();
    }
    for (QTableView *view : root->findChildren<QTableView *>()) {
        if (own(view))
            texts << headers(view->model());
    }
    for (QTabWidget *tabs : root->findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    }
    for (SummaryChart *chart : root->findChildren<SummaryChart *>())
        texts << chart->chart()->title();
    return texts;
}

} // namespace

class TestJournalWin : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_db = m_dir->filePath(QStringLiteral("log.db"));
        dataBaseConn::setDatabasePath(m_db);
    }

    void searchShowsRowsSummaryAndExports()
    {
        QVERIFY(PlayLogFixture::addRows(
            m_db, {row("Digital Clock", "2024-05-01", "09:05:03:120", "2024-05-01", "09:05:13:120", "10"),
                   row("lobby.mp4", "2024-05-01", "23:59:50:000", "2024-05-02", "00:00:05:000", "-86385"),
                   row("Analog Clock", "2024-05-02", "10:00:00:000", "2024-05-02", "10:00:30:500", "30"),
                   row("lobby.mp4", "2024-05-02", "11:00:00:000", "2024-05-02", "11:00:05:000", "5"),
                   row("Analog Clock", "2024-05-03", "10:00:00:000", "2024-05-03", "10:00:30:000", "30")}));
        QFile aside(m_db + QStringLiteral(".damaged-2024-04-30-101010"));
        QVERIFY(aside.open(QIODevice::WriteOnly));
        aside.close();

        JournalWin win;
        win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win));
        auto *from = win.findChild<QDateEdit *>(QStringLiteral("fromDate"));
        auto *to = win.findChild<QDateEdit *>(QStringLiteral("toDate"));
        auto *calendar = win.findChild<QCalendarWidget *>(QStringLiteral("calendar"));
        auto *table = win.findChild<QTableView *>(QStringLiteral("resultTable"));
        auto *summary = win.findChild<QTableWidget *>(QStringLiteral("summaryTable"));
        auto *note = win.findChild<QLabel *>(QStringLiteral("noteLabel"));
        QVERIFY(from && to && calendar && table && summary && note);
        QCOMPARE(from->date(), QDate::currentDate());

        // One calendar serves both dates.
        const QList<QPushButton *> dateButtons = win.findChildren<QPushButton *>();
        QPushButton *fromButton = nullptr;
        QPushButton *toButton = nullptr;
        for (QPushButton *b : dateButtons) {
            if (b->styleSheet().contains(QStringLiteral("date.png")))
                (fromButton ? toButton : fromButton) = b;
        }
        QVERIFY(fromButton && toButton);
        QTest::mouseClick(fromButton, Qt::LeftButton);
        QVERIFY(calendar->isVisible());
        emit calendar->clicked(QDate(2024, 5, 1));
        QVERIFY(!calendar->isVisible());
        QTest::mouseClick(toButton, Qt::LeftButton);
        emit calendar->clicked(QDate(2024, 5, 2));
        QCOMPARE(from->date(), QDate(2024, 5, 1));
        QCOMPARE(to->date(), QDate(2024, 5, 2));

        win.findChild<QLineEdit *>(QStringLiteral("keyword"))->setText(QStringLiteral("clock"));
        QSignalSpy summaryReady(&win, &JournalWin::sigSummaryReady);
        QTest::mouseClick(win.findChild<QPushButton *>(QStringLiteral("lookUpButton")), Qt::LeftButton);
        QCOMPARE(table->model()->rowCount(), 2);
        QCOMPARE(tableRow(table->model(), 0), QStringList({"Digital Clock", "10", "2024-05-01 09:05:03:120",
                                                           "2024-05-01 09:05:13:120", "success"}));
        QCOMPARE(tableRow(table->model(), 1).value(0), QStringLiteral("Analog Clock"));
        QTRY_COMPARE_WITH_TIMEOUT(summaryReady.count(), 1, 30000);

        // A second search replaces the first; the summary counts the real time shown.
        win.findChild<QLineEdit *>(QStringLiteral("keyword"))->setText(QStringLiteral("lobby"));
        win.slotFindDate();
        QCOMPARE(table->model()->rowCount(), 2);
        QCOMPARE(tableRow(table->model(), 0).value(2), QStringLiteral("2024-05-01 23:59:50:000"));
        QTRY_COMPARE_WITH_TIMEOUT(summaryReady.count(), 2, 30000);
        QCOMPARE(summary->rowCount(), 1);
        QCOMPARE(summary->item(0, 1)->text(), QStringLiteral("2"));
        QCOMPARE(summary->item(0, 2)->text(), QStringLiteral("20.000"));
        QCOMPARE(win.findChild<SummaryChart *>()->barCount(), 2); // two days

        QVERIFY(note->isVisible());
        QVERIFY(note->text().contains(QStringLiteral("log.db.damaged-2024-04-30-101010")));

        QSignalSpy exported(&win, &JournalWin::sigExportFinished);
        const QString rowsCsv = m_dir->filePath(QStringLiteral("rows.csv"));
        win.exportCsv(rowsCsv, false);
        QTRY_COMPARE_WITH_TIMEOUT(exported.count(), 1, 30000);
        QVERIFY(exported.at(0).at(0).toBool());
        const QString summaryCsv = m_dir->filePath(QStringLiteral("summary.csv"));
        win.exportCsv(summaryCsv, true);
        QTRY_COMPARE_WITH_TIMEOUT(exported.count(), 2, 30000);
        QCOMPARE(readAll(rowsCsv),
                 QByteArray("Name,Duration,StartTime,StopTime,Result,Path\r\n"
                            "lobby.mp4,-86385,2024-05-01T23:59:50.000,2024-05-02T00:00:05.000,success,\r\n"
                            "lobby.mp4,5,2024-05-02T11:00:00.000,2024-05-02T11:00:05.000,success,\r\n"));
        QCOMPARE(readAll(summaryCsv),
                 QByteArray("Name,Plays,Seconds,FirstPlay,LastPlay,NotShown,Path\r\n"
                            "lobby.mp4,2,20.000,2024-05-01T23:59:50.000,2024-05-02T11:00:00.000,0,\r\n"));

        // The viewer empties before it is shown again.
        win.clearResults();
        QCOMPARE(table->model()->rowCount(), 0);
        QCOMPARE(summary->rowCount(), 0);

        // Opened again, it shows today's rows of every name, whatever was searched before.
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        QVERIFY(PlayLogFixture::addRows(m_db, {row("today.png", today, "08:00:00:000", today, "08:00:05:000", "5"),
                                               row("Weather", today, "09:00:00:000", today, "09:00:10:000", "10")}));
        win.openOnToday();
        QCOMPARE(from->date(), QDate::currentDate());
        QCOMPARE(to->date(), QDate::currentDate());
        QCOMPARE(table->model()->rowCount(), 2);
        QCOMPARE(tableRow(table->model(), 0).value(0), QStringLiteral("today.png"));
        QTRY_COMPARE_WITH_TIMEOUT(summary->rowCount(), 2, 30000);
    }

    void languageSwitchRetranslatesEveryText()
    {
        JournalWin win;
        win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win));
        const QStringList english = visibleTexts(&win);
        QVERIFY(english.contains(QStringLiteral("Look up")));
        QTranslator chinese;
        QVERIFY(chinese.load(QStringLiteral(":/images/deskTop_eng_ch.qm")));
        QCoreApplication::installTranslator(&chinese);
        QCoreApplication::processEvents();
        const QStringList translated = visibleTexts(&win);
        QCoreApplication::removeTranslator(&chinese);
        QCoreApplication::processEvents();
        QCOMPARE(visibleTexts(&win), english);
        QCOMPARE(translated.size(), english.size());
        for (int i = 0; i < english.size(); ++i)
            QVERIFY2(translated.at(i) != english.at(i), qPrintable(english.at(i)));
    }

    void millionRowsOpenAtOnceAndScrollToTheEnd()
    {
        constexpr int Rows = 1000000;
        QVERIFY(PlayLogFixture::addBusyMonth(m_db, Rows, 30));
        JournalWin win;
        win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win));
        win.findChild<QDateEdit *>(QStringLiteral("fromDate"))->setDate(QDate(2026, 1, 1));
        win.findChild<QDateEdit *>(QStringLiteral("toDate"))->setDate(QDate(2026, 1, 30));
        QSignalSpy summaryReady(&win, &JournalWin::sigSummaryReady);
        win.slotFindDate();
        auto *table = win.findChild<QTableView *>(QStringLiteral("resultTable"));
        PlayLogTableModel *model = win.resultModel();
        // Open with the first page only.
        QVERIFY(model->rowCount() > 0 && model->rowCount() <= PlayLogTableModel::PageRows);
        QCOMPARE(tableRow(model, 0).value(0), QStringLiteral("item-0.mp4"));

        QDeadlineTimer deadline(600000);
        while (model->canFetchMore(QModelIndex()) && !deadline.hasExpired()) {
            table->scrollToBottom();
            QCoreApplication::processEvents();
        }
        QCOMPARE(model->rowCount(), Rows);
        table->scrollToBottom();
        QCoreApplication::processEvents();
        QCOMPARE(table->verticalScrollBar()->value(), table->verticalScrollBar()->maximum());
        QCOMPARE(tableRow(model, Rows - 1).value(0), QStringLiteral("item-7.mp4"));
        QCOMPARE(tableRow(model, Rows - 1).value(2).left(10), QStringLiteral("2026-01-30"));
        QVERIFY(QTime::fromString(tableRow(model, Rows - 1).value(2).mid(11), QStringLiteral("HH:mm:ss:zzz"))
                    .isValid());
        // Only the last pages' texts are held, not the month.
        QVERIFY(model->heldRows() <= PlayLogTableModel::CachedPages * PlayLogTableModel::PageRows);
        // Back at the top, the first rows are read again.
        QCOMPARE(tableRow(model, 1).value(0), QStringLiteral("item-1.mp4"));
        QTRY_COMPARE_WITH_TIMEOUT(summaryReady.count(), 1, 120000);
        auto *summary = win.findChild<QTableWidget *>(QStringLiteral("summaryTable"));
        QCOMPARE(summary->rowCount(), 8);
        QCOMPARE(summary->item(0, 1)->text(), QString::number(Rows / 8));
    }

private:
    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_db;
};

QTEST_MAIN(TestJournalWin)
#include "test_journalwin.moc"
