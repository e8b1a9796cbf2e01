#include "playlogreader.h"

#include "logfilekeeper.h"
#include "playoutcome.h"
#include "playsums.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <sqlite3.h>

namespace {

constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;
// Rows looked at per statement when walking a rowid range: a few milliseconds of work.
constexpr qint64 SliceRowids = 20000;

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("lumora-log-reader-%1").arg(++counter);
}

enum class DatesBy {
    Index, // the dates select the rows through the beginDate index
    Scan,  // the dates are tested on each row of a walk along the rowid
};

// The filter as a condition with positional placeholders, and the values to bind. In a walk the
// dates are compared without the column's numeric affinity ("date" declares NUMERIC), which
// would try to read both texts of every comparison as numbers; a "yyyy-MM-dd" text never reads
// as one, so the order is the same and a walk of a million rows spares four million conversions.
QString condition(const PlayLogFilter &filter, QVariantList *values, DatesBy dates = DatesBy::Scan)
{
    const QString column =
        dates == DatesBy::Index ? QStringLiteral("beginDate") : QStringLiteral("+beginDate");
    QStringList parts;
    if (filter.from.isValid()) {
        parts << column + QStringLiteral(" >= ?");
        *values << filter.from.toString(QStringLiteral("yyyy-MM-dd"));
    }
    if (filter.to.isValid()) {
        parts << column + QStringLiteral(" <= ?");
        *values << filter.to.toString(QStringLiteral("yyyy-MM-dd"));
    }
    if (!filter.keyword.isEmpty()) {
        // A fixed label is found by its name in either language, whichever wrote the row.
        QStringList names;
        parts << PlayOutcomes::nameCondition(filter.keyword, &names);
        for (const QString &value : qAsConst(names))
            *values << value;
    }
    return parts.isEmpty() ? QStringLiteral("1") : parts.join(QStringLiteral(" and "));
}

// Milliseconds of a "HH:mm:ss:zzz" column.
QString dayMs(const char *column)
{
    const QString c = QLatin1String(column);
    return QStringLiteral("(substr(%1,1,2)*3600000+substr(%1,4,2)*60000+substr(%1,7,2)*1000+substr(%1,10,3))")
        .arg(c);
}

void bindAll(QSqlQuery &query, const QVariantList &values)
{
    for (const QVariant &value : values)
        query.addBindValue(value);
}

PlayLogEntry entryFrom(const QSqlQuery &query)
{
    PlayLogEntry e;
    e.rowid = query.value(0).toLongLong();
    e.name = query.value(1).toString();
    e.length = query.value(2).toString();
    e.beginDate = query.value(3).toString();
    e.endDate = query.value(4).toString();
    e.beginTime = query.value(5).toString();
    e.endTime = query.value(6).toString();
    e.result = query.value(7).toString();
    if (!query.value(10).isNull()) {
        e.path = query.value(8).toString();
        e.outcome = query.value(9).toString();
        e.shownMs = query.value(10).toLongLong();
    }
    return e;
}

// Rows with their detail, when the file has the detail table; the same columns without.
QString entrySource(bool details)
{
    return details ? QStringLiteral("L.rowid,name,length,beginDate,endDate,beginTime,endTime,result,path,"
                                    "outcome,shownMs from LOGINFOS L not indexed left join PLAYDETAILS D "
                                    "on D.logId = L.rowid")
                   : QStringLiteral("L.rowid,name,length,beginDate,endDate,beginTime,endTime,result,null,"
                                    "null,null from LOGINFOS L not indexed");
}

} // namespace

PlayLogReader::PlayLogReader(const QString &path, int busyWaitMs)
    : m_path(path)
    , m_busyWaitMs(busyWaitMs)
{}

QStringList PlayLogReader::setAsideFiles() const
{
    return LogFileKeeper::setAsideFiles(m_path);
}

bool PlayLogReader::prepare(QSqlQuery &query, const QString &sql)
{
    if (query.prepare(sql))
        return true;
    noteError(query.lastError());
    return false;
}

bool PlayLogReader::execute(QSqlQuery &query)
{
    if (query.exec())
        return true;
    noteError(query.lastError());
    return false;
}

void PlayLogReader::noteError(const QSqlError &error)
{
    m_errorText = error.text();
    const int code = error.nativeErrorCode().toInt() & 0xff;
    if (LogFileKeeper::isDamage(error))
        m_status = Status::Damaged;
    else if (code == SqliteBusy || code == SqliteLocked)
        m_status = Status::Busy;
    else
        m_status = Status::Failed;
}

bool PlayLogReader::run(const std::function<bool(QSqlDatabase &)> &work)
{
    m_status = Status::Ok;
    m_errorText.clear();
    const QFileInfo info(m_path);
    if (!info.exists()) {
        m_status = Status::Missing;
        return false;
    }
    if (!info.isReadable()) {
        m_status = Status::Failed;
        m_errorText = QStringLiteral("permission denied");
        return false;
    }
    const QString name = newConnectionName();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_path);
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyWaitMs));
        if (!db.open()) {
            m_status = Status::Failed;
            m_errorText = db.lastError().text();
        } else {
            QSqlQuery probe(db);
            probe.setForwardOnly(true);
            // Any index that starts with beginDate narrows a date range, whatever made it.
            if (prepare(probe, QStringLiteral(
                                   "select exists(select 1 from sqlite_master where type='table' and "
                                   "name='LOGINFOS'),exists(select 1 from sqlite_master where type='table' "
                                   "and name='PLAYDETAILS'),exists(select 1 from sqlite_master M join "
                                   "pragma_index_info(M.name) I where M.type='index' and "
                                   "M.tbl_name='LOGINFOS' and I.seqno=0 and I.name='beginDate')")) &&
                execute(probe) && probe.next()) {
                const bool hasTable = probe.value(0).toBool();
                m_hasDetails = probe.value(1).toBool();
                m_hasDateIndex = probe.value(2).toBool();
                probe.finish();
                // A file without the table yet holds no rows; that is not an error.
                ok = !hasTable || work(db);
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool PlayLogReader::rowidBounds(const PlayLogFilter &filter, qint64 *low, qint64 *high)
{
    *low = 0;
    *high = 0;
    if (filter.isEmptyRange())
        return run([](QSqlDatabase &) { return true; });
    return run([&](QSqlDatabase &db) { return boundsOn(db, filter, low, high); });
}

bool PlayLogReader::boundsOn(QSqlDatabase &db, const PlayLogFilter &filter, qint64 *low, qint64 *high)
{
    *low = 0;
    *high = 0;
    // Only the dates narrow the range, and only where the beginDate index answers them. Without
    // it, finding the range would read the whole table once before the rows are read again: the
    // whole table is the range then, and its ends are two lookups in the table's own tree.
    const bool narrow = m_hasDateIndex && (filter.from.isValid() || filter.to.isValid());
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (narrow) {
        PlayLogFilter dates = filter;
        dates.keyword.clear();
        QVariantList values;
        const QString where = condition(dates, &values, DatesBy::Index);
        if (!prepare(query, QStringLiteral("select min(rowid),max(rowid) from LOGINFOS where ") + where))
            return false;
        bindAll(query, values);
    } else if (!prepare(query, QStringLiteral("select (select min(rowid) from LOGINFOS),"
                                              "(select max(rowid) from LOGINFOS)"))) {
        return false;
    }
    if (!execute(query))
        return false;
    if (query.next() && !query.value(0).isNull()) {
        *low = query.value(0).toLongLong();
        *high = query.value(1).toLongLong();
    }
    return true;
}

bool PlayLogReader::sliceOn(QSqlDatabase &db, const PlayLogFilter &filter, qint64 firstRowid,
                            qint64 lastRowid, int limit, QVector<PlayLogEntry> *rows)
{
    QVariantList values;
    const QString where = condition(filter, &values);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!prepare(query, QStringLiteral("select %1 where L.rowid >= ? and L.rowid <= ? and ")
                                .arg(entrySource(m_hasDetails)) +
                            where + QStringLiteral(" order by L.rowid limit ?")))
        return false;
    query.addBindValue(firstRowid);
    query.addBindValue(lastRowid);
    bindAll(query, values);
    query.addBindValue(limit);
    if (!execute(query))
        return false;
    while (query.next())
        rows->append(entryFrom(query));
    return true;
}

bool PlayLogReader::fetchRange(const PlayLogFilter &filter, qint64 firstRowid, qint64 lastRowid, int limit,
                               QVector<PlayLogEntry> *rows)
{
    return run([&](QSqlDatabase &db) {
        // Walked along the rowid in slices so that each statement stays short, whatever
        // the number of rows the filter skips.
        for (qint64 start = firstRowid; start <= lastRowid && rows->size() < limit;) {
            const qint64 end = qMin(lastRowid, start + SliceRowids - 1);
            if (!sliceOn(db, filter, start, end, limit - rows->size(), rows))
                return false;
            start = end + 1;
        }
        return true;
    });
}

bool PlayLogReader::forEach(const PlayLogFilter &filter,
                            const std::function<bool(const PlayLogEntry &)> &sink)
{
    if (filter.isEmptyRange())
        return run([](QSqlDatabase &) { return true; });
    // One connection for the whole walk: its page cache carries the tree's upper pages from one
    // slice to the next, so every page of the range is read from the file once. No statement is
    // open while the sink works, and none holds the file between slices.
    return run([&](QSqlDatabase &db) {
        qint64 low = 0;
        qint64 high = 0;
        if (!boundsOn(db, filter, &low, &high))
            return false;
        QVector<PlayLogEntry> rows;
        for (qint64 start = low; high > 0 && start <= high; start += SliceRowids) {
            rows.clear();
            if (!sliceOn(db, filter, start, qMin(high, start + SliceRowids - 1), int(SliceRowids), &rows))
                return false;
            for (const PlayLogEntry &row : qAsConst(rows)) {
                if (!sink(row))
                    return true;
            }
        }
        return true;
    });
}

bool PlayLogReader::summary(const PlayLogFilter &filter, QVector<PlayLogSummaryRow> *rows)
{
    return summarize(filter, false, rows, nullptr);
}

bool PlayLogReader::playsPerPeriod(const PlayLogFilter &filter, bool byHour,
                                   QVector<QPair<QString, qint64>> *counts)
{
    return summarize(filter, byHour, nullptr, counts);
}

bool PlayLogReader::summarize(const PlayLogFilter &filter, bool byHour, QVector<PlayLogSummaryRow> *rows,
                              QVector<QPair<QString, qint64>> *counts)
{
    if (filter.isEmptyRange())
        return run([](QSqlDatabase &) { return true; });
    return run([&](QSqlDatabase &db) {
        // A month of busy play is a million rows: they are walked once through SQLite's own
        // interface, without a variant per value, and added up here.
        const QVariant handle = db.driver()->handle();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
            m_status = Status::Failed;
            m_errorText = QStringLiteral("not an SQLite connection");
            return false;
        }
        sqlite3 *sqlite = *static_cast<sqlite3 *const *>(handle.data());
        // The rows of a date range lie in a rowid range (the log is written as it plays):
        // walking that range of the table beats an index lookup per row on a long range.
        qint64 low = 0;
        qint64 high = 0;
        if (!boundsOn(db, filter, &low, &high))
            return false;
        if (high == 0) {
            if (rows)
                rows->clear();
            if (counts)
                counts->clear();
            return true;
        }
        QVariantList values{low, high};
        const QByteArray sql =
            ((m_hasDetails ? QStringLiteral("select name,beginDate,beginTime,endDate,endTime,path,outcome,"
                                            "shownMs from LOGINFOS L not indexed left join PLAYDETAILS D on "
                                            "D.logId = L.rowid where L.rowid >= ? and L.rowid <= ? and ")
                           : QStringLiteral("select name,beginDate,beginTime,endDate,endTime,null,null,null from "
                                            "LOGINFOS L not indexed where L.rowid >= ? and L.rowid <= ? and ")) +
             condition(filter, &values))
                .toUtf8();
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(sqlite, sql.constData(), sql.size(), &statement, nullptr) != SQLITE_OK) {
            noteSqliteError(sqlite);
            sqlite3_finalize(statement);
            return false;
        }
        QVector<QByteArray> bound;
        sqlite3_bind_int64(statement, 1, low);
        sqlite3_bind_int64(statement, 2, high);
        for (int i = 2; i < values.size(); ++i) {
            bound << values.at(i).toString().toUtf8();
            sqlite3_bind_text(statement, i + 1, bound.constLast().constData(), bound.constLast().size(),
                              SQLITE_STATIC);
        }
        PlaySums sums;
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
            auto text = [statement](int column) {
                const char *data = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
                return QByteArray::fromRawData(data ? data : "", sqlite3_column_bytes(statement, column));
            };
            const bool hasDetail = sqlite3_column_type(statement, 7) != SQLITE_NULL;
            sums.add(text(0), text(1), text(2), text(3), text(4), byHour, text(5), text(6),
                     hasDetail ? sqlite3_column_int64(statement, 7) : -1);
        }
        if (step != SQLITE_DONE)
            noteSqliteError(sqlite);
        sqlite3_finalize(statement);
        if (step != SQLITE_DONE)
            return false;
        if (rows)
            *rows = sums.items();
        if (counts)
            *counts = sums.periods();
        return true;
    });
}

void PlayLogReader::noteSqliteError(sqlite3 *sqlite)
{
    const int code = sqlite3_errcode(sqlite);
    m_errorText = QString::fromUtf8(sqlite3_errmsg(sqlite));
    noteError(QSqlError(QString(), m_errorText, QSqlError::StatementError, QString::number(code)));
}
