#pragma once

#include "playlogrow.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

// One connection to the play-log database "log.db": its table LOGINFOS, the seven text
// columns every reader of the file knows, and beside it PLAYDETAILS, keyed by the LOGINFOS
// rowid, with what those columns cannot say (the item's path, the outcome, the exact time
// shown, UTC times, where it played, and a sequence number that only grows within the file,
// whose UUID LOGMETA holds). Older files get PLAYDETAILS, or its later columns, on their first
// write; their earlier rows have no detail, or no sequence.
// Each instance registers a connection of its own name, so a writer thread and
// the log viewer never share a connection across threads.
class dataBaseConn : public QObject
{
    Q_OBJECT

public:
    explicit dataBaseConn(QObject *parent = nullptr);
    ~dataBaseConn() override;

    // Where "log.db" lives. Start-up points it at the application directory, so a
    // program started from any working directory still records every row.
    static void setDatabasePath(const QString &path);
    static QString databasePath();

    bool openDatabase();
    QString lastErrorText() const { return m_lastErrorText; }
    void ensureTable();
    bool createTable();
    // True when the row was stored, with its detail (when it has one) in the same
    // transaction. A damaged file is moved aside and the row goes into a new one; a busy, full
    // or read-only file gives false and the caller tries again later.
    bool insertLog(const QString &name, const QString &length, const QString &beginDate,
                   const QString &endDate, const QString &beginTime, const QString &endTime,
                   const QString &result, const PlayLogDetail &detail = PlayLogDetail());
    // Rows whose name contains `keyword` (ASCII case ignored) and whose beginDate lies in
    // [from, to] ("yyyy-MM-dd", inclusive), in insertion order; each row holds the seven
    // columns in table order.
    QList<QStringList> queryLogs(const QString &keyword, const QString &from, const QString &to);

    QString connectionName() const { return m_connectionName; }
    // The UUID of the file rows go into now (empty when it cannot be opened).
    QString logUuid();

private:
    // Runs with the keeper's read lock held: reopens after a move, creates the table when
    // missing. Returns the error that says the file is damaged, if any.
    QSqlError prepareFile();
    // Brings a file of an older form up to the current one: the later PLAYDETAILS columns, the
    // file's identity and the sequence index.
    QSqlError upgradeFile();
    bool setAsideDamaged(const QSqlError &error);
    QSqlError insertRow(std::initializer_list<const QString *> columns, const PlayLogDetail &detail);

    QSqlDatabase m_db;
    QString m_lastErrorText;
    QString m_connectionName;
    quint64 m_generation = 0;
    bool m_tableChecked = false;
};
