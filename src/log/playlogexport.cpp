#include "playlogexport.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <functional>

namespace {

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("lumora-log-export-%1").arg(++counter);
}

// Runs `work` on the file opened under a connection of its own, removed again before return.
bool withFile(const QString &path, bool readOnly, int busyWaitMs, QString *errorText,
              const std::function<bool(QSqlDatabase &)> &work)
{
    if (!QFileInfo(path).isFile()) {
        *errorText = QStringLiteral("no log file");
        return false;
    }
    const QString name = newConnectionName();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("%1QSQLITE_BUSY_TIMEOUT=%2")
                                 .arg(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;") : QString())
                                 .arg(busyWaitMs));
        if (db.open())
            ok = work(db);
        else
            *errorText = db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

PlayLogExport::PlayLogExport(const QString &path, int busyWaitMs)
    : m_path(path)
    , m_busyWaitMs(busyWaitMs)
{}

bool PlayLogExport::identity(QString *uuid, qint64 *lastSeq)
{
    m_errorText.clear();
    return withFile(m_path, true, m_busyWaitMs, &m_errorText, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("select key,value from LOGMETA where key in ('uuid','seq')"))) {
            m_errorText = query.lastError().text();
            return false;
        }
        uuid->clear();
        *lastSeq = 0;
        while (query.next()) {
            if (query.value(0).toString() == QLatin1String("uuid"))
                *uuid = query.value(1).toString();
            else
                *lastSeq = query.value(1).toLongLong();
        }
        if (uuid->isEmpty())
            m_errorText = QStringLiteral("the log has no identity yet");
        return !uuid->isEmpty();
    });
}

bool PlayLogExport::rowsAfter(qint64 afterSeq, int limit, QVector<PlayLogExportRow> *rows)
{
    m_errorText.clear();
    rows->clear();
    return withFile(m_path, true, m_busyWaitMs, &m_errorText, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.prepare(QStringLiteral(
                "select D.seq,L.name,D.path,D.startUtcMs,D.endUtcMs,D.utcOffset,D.screen,D.playWindow,"
                "D.bundle,D.hash,D.outcome,D.shownMs from PLAYDETAILS D join LOGINFOS L on L.rowid=D.logId "
                "where D.seq>? order by D.seq limit ?"))) {
            m_errorText = query.lastError().text();
            return false;
        }
        query.addBindValue(afterSeq);
        query.addBindValue(limit);
        if (!query.exec()) {
            m_errorText = query.lastError().text();
            return false;
        }
        while (query.next()) {
            PlayLogExportRow row;
            row.seq = query.value(0).toLongLong();
            row.name = query.value(1).toString();
            row.path = query.value(2).toString();
            row.startUtcMs = query.value(3).toLongLong();
            row.endUtcMs = query.value(4).toLongLong();
            row.utcOffset = query.value(5).toInt();
            row.screen = query.value(6).toString();
            row.window = query.value(7).toString();
            row.bundle = query.value(8).toLongLong();
            row.hash = query.value(9).toString();
            row.outcome = query.value(10).toString();
            row.shownMs = query.value(11).toLongLong();
            rows->append(row);
        }
        // A damaged page ends the walk with an error: what came before it is still good.
        if (query.lastError().type() != QSqlError::NoError) {
            m_errorText = query.lastError().text();
            return false;
        }
        return true;
    });
}

qint64 PlayLogExport::startOf(qint64 seq)
{
    m_errorText.clear();
    qint64 start = 0;
    withFile(m_path, true, m_busyWaitMs, &m_errorText, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (!query.prepare(
                QStringLiteral("select startUtcMs from PLAYDETAILS where seq<=? and seq is not null "
                               "order by seq desc limit 1")))
            return false;
        query.addBindValue(seq);
        if (query.exec() && query.next())
            start = query.value(0).toLongLong();
        return true;
    });
    return start;
}

qint64 PlayLogExport::countAfter(qint64 afterSeq)
{
    m_errorText.clear();
    qint64 count = -1;
    withFile(m_path, true, m_busyWaitMs, &m_errorText, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (!query.prepare(QStringLiteral("select count(*) from PLAYDETAILS where seq>?")))
            return false;
        query.addBindValue(afterSeq);
        if (!query.exec() || !query.next()) {
            m_errorText = query.lastError().text();
            return false;
        }
        count = query.value(0).toLongLong();
        return true;
    });
    return count;
}

int PlayLogExport::removeDelivered(qint64 deliveredSeq, qint64 beforeUtcMs)
{
    m_errorText.clear();
    int removed = -1;
    withFile(m_path, false, m_busyWaitMs, &m_errorText, [&](QSqlDatabase &db) {
        if (!db.transaction()) {
            m_errorText = db.lastError().text();
            return false;
        }
        QSqlQuery rows(db);
        QSqlQuery details(db);
        const QString which =
            QStringLiteral("select logId from PLAYDETAILS where seq is not null and seq<=? and startUtcMs<?");
        if (rows.prepare(QStringLiteral("delete from LOGINFOS where rowid in (%1)").arg(which))) {
            rows.addBindValue(deliveredSeq);
            rows.addBindValue(beforeUtcMs);
            if (rows.exec() && details.prepare(QStringLiteral("delete from PLAYDETAILS where seq is not null "
                                                              "and seq<=? and startUtcMs<?"))) {
                removed = rows.numRowsAffected();
                details.addBindValue(deliveredSeq);
                details.addBindValue(beforeUtcMs);
                if (details.exec() && db.commit())
                    return true;
            }
        }
        m_errorText = rows.lastError().type() != QSqlError::NoError      ? rows.lastError().text()
                      : details.lastError().type() != QSqlError::NoError ? details.lastError().text()
                                                                         : db.lastError().text();
        removed = -1;
        db.rollback();
        return false;
    });
    return removed;
}
