#include "databaseconn.h"

#include "logfilekeeper.h"
#include "playoutcome.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QUuid>

namespace {

QString &databasePathRef()
{
    static QString path = QStringLiteral("log.db");
    return path;
}

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("lumora-log-%1").arg(++counter);
}

const char *const CreateStatement =
    "create table LOGINFOS (name varchar,length varchar,beginDate date,endDate date,beginTime varchar,"
    "endTime varchar,result varchar)";

// Keyed by the LOGINFOS rowid, so that a row and its detail are found together in one
// lookup; the text columns of LOGINFOS stay exactly as readers of older files expect.
const char *const CreateDetailStatement =
    "create table if not exists PLAYDETAILS (logId integer primary key,path text,outcome text,"
    "shownMs integer,seq integer,startUtcMs integer,endUtcMs integer,utcOffset integer,screen text,"
    "playWindow text,bundle integer,hash text)";

// Columns PLAYDETAILS gained after its first form, added to older files on their first write.
const char *const LaterDetailColumns[][2] = {
    {"seq", "integer"}, {"startUtcMs", "integer"}, {"endUtcMs", "integer"}, {"utcOffset", "integer"},
    {"screen", "text"}, {"playWindow", "text"},    {"bundle", "integer"},   {"hash", "text"},
};

// The file's own identity: a UUID made with the table, and the last sequence number given.
// The counter lives here rather than as max(seq), so that a number is never given twice,
// even after the newest rows were removed.
const char *const CreateMetaStatement =
    "create table if not exists LOGMETA (key text primary key,value text)";

} // namespace

dataBaseConn::dataBaseConn(QObject *parent)
    : QObject(parent)
    , m_connectionName(newConnectionName())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(databasePath());
    // Several writers share the file; wait for the lock rather than lose a row.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    m_generation = LogFileKeeper::instance().generation();
    ensureTable();
}

dataBaseConn::~dataBaseConn()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void dataBaseConn::setDatabasePath(const QString &path)
{
    databasePathRef() = path;
}

QString dataBaseConn::databasePath()
{
    return databasePathRef();
}

bool dataBaseConn::openDatabase()
{
    if (m_db.isOpen())
        return true;
    if (m_db.open())
        return true;
    m_lastErrorText = m_db.lastError().text();
    qDebug().noquote()
        << QCoreApplication::translate("dataBaseConn", "unable to open database:%1").arg(m_lastErrorText);
    return false;
}

QSqlError dataBaseConn::prepareFile()
{
    if (m_generation != LogFileKeeper::instance().generation()) {
        // The file this connection had open was moved aside: start on the new one.
        m_db.close();
        m_generation = LogFileKeeper::instance().generation();
        m_tableChecked = false;
    }
    if (!openDatabase())
        return QSqlError();
    if (m_tableChecked)
        return QSqlError();
    QSqlQuery probe(m_db);
    if (!probe.exec(
            QStringLiteral("select name from sqlite_master where type='table' and name='LOGINFOS'"))) {
        m_lastErrorText = probe.lastError().text();
        return probe.lastError();
    }
    if (!probe.next()) {
        QSqlQuery create(m_db);
        if (!create.exec(QString::fromLatin1(CreateStatement))) {
            m_lastErrorText = create.lastError().text();
            return create.lastError();
        }
    }
    probe.finish();
    QSqlQuery details(m_db);
    if (!details.exec(QString::fromLatin1(CreateDetailStatement))) {
        m_lastErrorText = details.lastError().text();
        return details.lastError();
    }
    const QSqlError upgraded = upgradeFile();
    if (upgraded.type() != QSqlError::NoError) {
        m_lastErrorText = upgraded.text();
        return upgraded;
    }
    // Searches go by beginDate; an index keeps them fast on a log of years.
    QSqlQuery index(m_db);
    index.exec(QStringLiteral("create index if not exists LOGINFOS_beginDate on LOGINFOS(beginDate)"));
    m_tableChecked = true;
    return QSqlError();
}

QSqlError dataBaseConn::upgradeFile()
{
    QSqlQuery columns(m_db);
    if (!columns.exec(QStringLiteral("pragma table_info(PLAYDETAILS)")))
        return columns.lastError();
    QStringList have;
    while (columns.next())
        have << columns.value(1).toString();
    columns.finish();
    for (const auto &column : LaterDetailColumns) {
        if (have.contains(QLatin1String(column[0])))
            continue;
        QSqlQuery add(m_db);
        // Another writer may have added it since the look above.
        if (!add.exec(QStringLiteral("alter table PLAYDETAILS add column %1 %2")
                          .arg(QLatin1String(column[0]), QLatin1String(column[1]))) &&
            !add.lastError().text().contains(QLatin1String("duplicate column")))
            return add.lastError();
    }
    QSqlQuery meta(m_db);
    if (!meta.exec(QString::fromLatin1(CreateMetaStatement)))
        return meta.lastError();
    // Writers open the file together at start: only the first one writes the identity, the
    // others only look (a write here would make them queue for the lock one after another).
    QSqlQuery known(m_db);
    if (known.exec(QStringLiteral("select count(*) from LOGMETA where key in ('uuid','seq')")) &&
        known.next() && known.value(0).toInt() == 2)
        return QSqlError();
    known.finish();
    QSqlQuery identity(m_db);
    identity.prepare(QStringLiteral("insert or ignore into LOGMETA(key,value) values('uuid',?),('seq','0')"));
    identity.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (!identity.exec())
        return identity.lastError();
    QSqlQuery index(m_db);
    if (!index.exec(QStringLiteral("create unique index if not exists PLAYDETAILS_seq on PLAYDETAILS(seq)")))
        return index.lastError();
    return QSqlError();
}

QString dataBaseConn::logUuid()
{
    QReadLocker lock(&LogFileKeeper::instance().lock());
    if (prepareFile().type() != QSqlError::NoError || !m_db.isOpen())
        return QString();
    QSqlQuery query(m_db);
    if (query.exec(QStringLiteral("select value from LOGMETA where key='uuid'")) && query.next())
        return query.value(0).toString();
    return QString();
}

bool dataBaseConn::setAsideDamaged(const QSqlError &error)
{
    if (!LogFileKeeper::isDamage(error))
        return false;
    return LogFileKeeper::instance().setAside(databasePath(), m_generation);
}

void dataBaseConn::ensureTable()
{
    LogFileKeeper &keeper = LogFileKeeper::instance();
    for (int attempt = 0; attempt < 2; ++attempt) {
        QSqlError error;
        {
            QReadLocker lock(&keeper.lock());
            error = prepareFile();
        }
        if (!m_db.isOpen()) {
            qDebug().noquote() << m_lastErrorText;
            return;
        }
        if (!setAsideDamaged(error))
            return;
    }
}

bool dataBaseConn::createTable()
{
    if (!openDatabase()) {
        qDebug().noquote() << m_lastErrorText;
        return false;
    }
    QSqlQuery query(m_db);
    query.exec(QString::fromLatin1(CreateStatement));
    return true;
}

bool dataBaseConn::insertLog(const QString &name, const QString &length, const QString &beginDate,
                             const QString &endDate, const QString &beginTime, const QString &endTime,
                             const QString &result, const PlayLogDetail &detail)
{
    LogFileKeeper &keeper = LogFileKeeper::instance();
    for (int attempt = 0; attempt < 2; ++attempt) {
        QSqlError error;
        {
            QReadLocker lock(&keeper.lock());
            error = prepareFile();
            if (!m_db.isOpen()) {
                qDebug().noquote() << m_lastErrorText;
                return false;
            }
            if (error.type() == QSqlError::NoError) {
                error = insertRow({&name, &length, &beginDate, &endDate, &beginTime, &endTime, &result},
                                  detail);
                if (error.type() == QSqlError::NoError)
                    return true;
                m_lastErrorText = error.text();
            }
        }
        if (!setAsideDamaged(error))
            return false;
    }
    return false;
}

QSqlError dataBaseConn::insertRow(std::initializer_list<const QString *> columns, const PlayLogDetail &detail)
{
    // Both rows or neither: a row without its detail would be read as an older row.
    if (!detail.isEmpty() && !m_db.transaction())
        return m_db.lastError();
    QSqlQuery query(m_db);
    QSqlError error;
    if (query.prepare(QStringLiteral(
            "insert into LOGINFOS(name,length,beginDate,endDate,beginTime,endTime,result)"
            "values(?,?,?,?,?,?,?)"))) {
        for (const QString *value : columns)
            query.addBindValue(*value);
        if (query.exec()) {
            if (detail.isEmpty())
                return QSqlError();
            const qint64 logId = query.lastInsertId().toLongLong();
            QSqlQuery counter(m_db);
            QSqlQuery more(m_db);
            if (counter.exec(QStringLiteral(
                    "update LOGMETA set value=cast(value as integer)+1 where key='seq' returning value")) &&
                counter.next()) {
                const qint64 seq = counter.value(0).toLongLong();
                counter.finish();
                if (more.prepare(QStringLiteral(
                        "insert or replace into "
                        "PLAYDETAILS(logId,path,outcome,shownMs,seq,startUtcMs,endUtcMs,"
                        "utcOffset,screen,playWindow,bundle,hash) values(?,?,?,?,?,?,?,?,?,?,?,?)"))) {
                    more.addBindValue(logId);
                    more.addBindValue(detail.path);
                    more.addBindValue(detail.outcome);
                    more.addBindValue(detail.shownMs);
                    more.addBindValue(seq);
                    more.addBindValue(detail.startUtcMs);
                    more.addBindValue(detail.endUtcMs);
                    more.addBindValue(detail.utcOffset);
                    more.addBindValue(detail.screen);
                    more.addBindValue(detail.window);
                    more.addBindValue(detail.bundle > 0 ? QVariant(detail.bundle)
                                                        : QVariant(QVariant::LongLong));
                    more.addBindValue(detail.hash);
                    if (more.exec() && m_db.commit())
                        return QSqlError();
                }
            }
            error = counter.lastError().type() != QSqlError::NoError ? counter.lastError()
                    : more.lastError().type() != QSqlError::NoError  ? more.lastError()
                                                                     : m_db.lastError();
        } else {
            error = query.lastError();
        }
    } else {
        error = query.lastError();
    }
    if (!detail.isEmpty())
        m_db.rollback();
    return error;
}

QList<QStringList> dataBaseConn::queryLogs(const QString &keyword, const QString &from, const QString &to)
{
    QList<QStringList> rows;
    if (!openDatabase()) {
        qDebug().noquote() << m_lastErrorText;
        return rows;
    }
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    QStringList names;
    query.prepare(QStringLiteral("select * FROM LOGINFOS  where %1 and beginDate between ? and ?")
                      .arg(PlayOutcomes::nameCondition(keyword, &names)));
    for (const QString &value : qAsConst(names))
        query.addBindValue(value);
    query.addBindValue(from);
    query.addBindValue(to);
    if (!query.exec())
        return rows;
    const QSqlRecord record = query.record();
    const int columns[] = {
        record.indexOf(QStringLiteral("name")),      record.indexOf(QStringLiteral("length")),
        record.indexOf(QStringLiteral("beginDate")), record.indexOf(QStringLiteral("endDate")),
        record.indexOf(QStringLiteral("beginTime")), record.indexOf(QStringLiteral("endTime")),
        record.indexOf(QStringLiteral("result"))};
    while (query.next()) {
        QStringList row;
        row.reserve(7);
        for (const int column : columns)
            row << query.value(column).toString();
        rows.append(row);
    }
    return rows;
}
