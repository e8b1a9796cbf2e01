#pragma once

#include "playlogentry.h"
#include "playlogfilter.h"
#include "playlogsummaryrow.h"

#include <QPair>
#include <QString>
#include <QVector>

#include <functional>

class QSqlDatabase;
class QSqlError;
struct sqlite3;
class QSqlQuery;

// Reads the play log without ever writing to it: the file is opened read-only under a
// connection name of its own for each call and closed before the call returns, so no
// statement stays open between calls and the writers never wait on a reader. A file
// locked by a writer is waited for; one that stays locked is reported, never read as empty.
class PlayLogReader
{
public:
    enum class Status {
        Ok,
        Missing, // no file yet: nothing has been played
        Busy,    // still locked by a writer after the wait
        Damaged, // SQLite says corrupt or not a database
        Failed,  // unreadable for another reason (permissions, I/O)
    };

    explicit PlayLogReader(const QString &path, int busyWaitMs = 5000);

    QString path() const { return m_path; }
    Status status() const { return m_status; }
    QString errorText() const { return m_errorText; }

    // Lowest and highest rowid that can match `filter` (0, 0 when none). Narrowed by the dates
    // only where the file has the beginDate index; otherwise the whole table's.
    bool rowidBounds(const PlayLogFilter &filter, qint64 *low, qint64 *high);
    // Matching rows with rowid in [firstRowid, lastRowid], in rowid order, at most `limit`.
    bool fetchRange(const PlayLogFilter &filter, qint64 firstRowid, qint64 lastRowid, int limit,
                    QVector<PlayLogEntry> *rows);
    // Every matching row in rowid order, read a slice at a time in one pass over the rows the
    // dates can select; `sink` returns false to stop.
    bool forEach(const PlayLogFilter &filter, const std::function<bool(const PlayLogEntry &)> &sink);
    // One row per item (its file, or its name for rows that did not record one), by name.
    bool summary(const PlayLogFilter &filter, QVector<PlayLogSummaryRow> *rows);
    // Plays per day ("yyyy-MM-dd") or per hour ("yyyy-MM-dd HH"), in time order.
    bool playsPerPeriod(const PlayLogFilter &filter, bool byHour, QVector<QPair<QString, qint64>> *counts);

    // Both of the above in one pass over the rows (either pointer may be null).
    bool summarize(const PlayLogFilter &filter, bool byHour, QVector<PlayLogSummaryRow> *rows,
                   QVector<QPair<QString, qint64>> *counts);

    // Damaged logs the player set aside beside this file.
    QStringList setAsideFiles() const;

private:
    bool run(const std::function<bool(QSqlDatabase &)> &work);
    bool prepare(QSqlQuery &query, const QString &sql);
    bool execute(QSqlQuery &query);
    void noteError(const QSqlError &error);
    void noteSqliteError(sqlite3 *sqlite);
    bool boundsOn(QSqlDatabase &db, const PlayLogFilter &filter, qint64 *low, qint64 *high);
    bool sliceOn(QSqlDatabase &db, const PlayLogFilter &filter, qint64 firstRowid, qint64 lastRowid,
                 int limit, QVector<PlayLogEntry> *rows);

    QString m_path;
    int m_busyWaitMs;
    Status m_status = Status::Ok;
    bool m_hasDetails = false;   // the file being read has PLAYDETAILS
    bool m_hasDateIndex = false; // and an index that starts with LOGINFOS.beginDate
    QString m_errorText;
};
