// Saves pictures of the log viewer over a generated week of play, showing the rows and the
// summary with its chart, in the language given (0 Chinese, 1 English), to look at by eye.

#include "log/databaseconn.h"
#include "log/viewer/journalwin.h"
#include "playlogfixture.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        fprintf(stderr, "usage: shot_journalwin 0|1 OUT-PREFIX\n");
        return 1;
    }
    QTranslator translator;
    if (QByteArray(argv[1]) == "0") {
        translator.load(QStringLiteral(":/images/deskTop_eng_ch.qm"));
        app.installTranslator(&translator);
    }
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("log.db"));
    dataBaseConn::setDatabasePath(db);
    PlayLogFixture::addBusyMonth(db, 70000, 7);
    PlayLogFixture::addRows(db, {{QString::fromUtf8("大厅 春季促销.mp4"), "15", "2026-01-03", "2026-01-03",
                                  "10:00:00:000", "10:00:15:000", "success"},
                                 {"Digital Clock", "-86385", "2026-01-03", "2026-01-04", "23:59:50:000",
                                  "00:00:05:000", "success"}});

    JournalWin win;
    win.move(40, 40);
    win.show();
    win.findChild<QDateEdit *>(QStringLiteral("fromDate"))->setDate(QDate(2026, 1, 1));
    win.findChild<QDateEdit *>(QStringLiteral("toDate"))->setDate(QDate(2026, 1, 7));
    QObject::connect(&win, &JournalWin::sigSummaryReady, &app, [&] {
        QTimer::singleShot(300, &app, [&] {
            win.grab().save(QString::fromLocal8Bit(argv[2]) + QStringLiteral("-rows.png"));
            win.findChild<QTabWidget *>()->setCurrentIndex(1);
            QTimer::singleShot(300, &app, [&] {
                win.grab().save(QString::fromLocal8Bit(argv[2]) + QStringLiteral("-summary.png"));
                app.quit();
            });
        });
    });
    win.slotFindDate();
    return app.exec();
}
