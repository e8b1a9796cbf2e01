#include "playevents.h"

#include "databaseconn.h"
#include "logfilekeeper.h"

#include <QAtomicInteger>
#include <QDeadlineTimer>
#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace PlayEvents {
const char *const VideoStalled = "videoStalled";
const char *const RendererDied = "rendererDied";
const char *const OpenFailed = "openFailed";
} // namespace PlayEvents

namespace {

// Events are few (a handful an hour on a bad day), so a queue this long means the file has
// refused them for days; only then do the oldest go.
constexpr int MaxQueuedEvents = 10000;
constexpr int FirstRetryMs = 100;
constexpr int LastRetryMs = 5000;

const char *const CreateStatement =
    "create table if not exists PLAYEVENTS (id integer primary key,utcMs integer,utcOffset integer,"
    "screen text,window text,item text,path text,kind text,mended integer,detail text)";

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("lumora-events-%1").arg(++counter);
}

QString describe(const PlayEvent &e)
{
    return QStringLiteral("%1 %2/%3 %4 %5").arg(e.kind, e.screen, e.window, e.item, e.detail);
}

} // namespace

PlayEventStore::PlayEventStore()
    : m_connectionName(newConnectionName())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(dataBaseConn::databasePath());
    // The play log's writers share the file: wait for their lock rather than lose an event.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    m_generation = LogFileKeeper::instance().generation();
}

PlayEventStore::~PlayEventStore()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlError PlayEventStore::prepareFile()
{
    if (m_generation != LogFileKeeper::instance().generation()) {
        // The file this connection had open was moved aside: start on the new one.
        m_db.close();
        m_generation = LogFileKeeper::instance().generation();
        m_tableChecked = false;
    }
    if (!m_db.isOpen() && !m_db.open())
        return m_db.lastError();
    if (m_tableChecked)
        return QSqlError();
    QSqlQuery create(m_db);
    if (!create.exec(QString::fromLatin1(CreateStatement)))
        return create.lastError();
    m_tableChecked = true;
    return QSqlError();
}

QSqlError PlayEventStore::insertRow(const PlayEvent &e)
{
    QSqlQuery query(m_db);
    if (!query.prepare(QStringLiteral("insert into PLAYEVENTS(utcMs,utcOffset,screen,window,item,path,kind,"
                                      "mended,detail) values(?,?,?,?,?,?,?,?,?)")))
        return query.lastError();
    query.addBindValue(e.utcMs);
    query.addBindValue(e.utcOffset);
    query.addBindValue(e.screen);
    query.addBindValue(e.window);
    query.addBindValue(e.item);
    query.addBindValue(e.path);
    query.addBindValue(e.kind);
    query.addBindValue(e.mended ? 1 : 0);
    query.addBindValue(e.detail);
    return query.exec() ? QSqlError() : query.lastError();
}

bool PlayEventStore::insert(const PlayEvent &event)
{
    LogFileKeeper &keeper = LogFileKeeper::instance();
    for (int attempt = 0; attempt < 2; ++attempt) {
        QSqlError error;
        {
            QReadLocker lock(&keeper.lock());
            error = prepareFile();
            if (error.type() == QSqlError::NoError)
                error = insertRow(event);
            if (error.type() == QSqlError::NoError)
                return true;
            m_lastErrorText = error.text();
        }
        if (!LogFileKeeper::isDamage(error) || !keeper.setAside(dataBaseConn::databasePath(), m_generation))
            return false;
    }
    return false;
}

QList<PlayEvent> PlayEventStore::readAll()
{
    QList<PlayEvent> events;
    QReadLocker lock(&LogFileKeeper::instance().lock());
    if (prepareFile().type() != QSqlError::NoError)
        return events;
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("select utcMs,utcOffset,screen,window,item,path,kind,mended,detail from "
                                   "PLAYEVENTS order by id")))
        return events;
    while (query.next()) {
        PlayEvent e;
        e.utcMs = query.value(0).toLongLong();
        e.utcOffset = query.value(1).toInt();
        e.screen = query.value(2).toString();
        e.window = query.value(3).toString();
        e.item = query.value(4).toString();
        e.path = query.value(5).toString();
        e.kind = query.value(6).toString();
        e.mended = query.value(7).toInt() != 0;
        e.detail = query.value(8).toString();
        events.append(e);
    }
    return events;
}

PlayEventWriter::PlayEventWriter(QObject *parent)
    : QThread(parent)
{}

PlayEventWriter::~PlayEventWriter()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stopping = true;
        m_wake.wakeAll();
    }
    wait();
}

void PlayEventWriter::add(const PlayEvent &event)
{
    {
        QMutexLocker lock(&m_mutex);
        if (m_pending.size() >= MaxQueuedEvents)
            qWarning().noquote() << "play event not written:" << describe(m_pending.dequeue());
        m_pending.enqueue(event);
        m_wake.wakeAll();
    }
    if (!isRunning())
        start(QThread::LowPriority);
}

bool PlayEventWriter::waitUntilIdle(unsigned long timeoutMs)
{
    QDeadlineTimer deadline{qint64(timeoutMs)};
    QMutexLocker lock(&m_mutex);
    while (!m_pending.isEmpty() || m_busy) {
        if (!isRunning() || !m_idle.wait(&m_mutex, deadline))
            return false;
    }
    return true;
}

void PlayEventWriter::run()
{
    // The connection is made and used on this thread only.
    PlayEventStore store;
    QMutexLocker lock(&m_mutex);
    int retryMs = 0;
    for (;;) {
        while (m_pending.isEmpty() && !m_stopping) {
            m_idle.wakeAll();
            m_wake.wait(&m_mutex);
        }
        if (m_pending.isEmpty())
            break;
        if (retryMs > 0 && !m_stopping)
            m_wake.wait(&m_mutex, ulong(retryMs));
        const PlayEvent event = m_pending.head();
        m_busy = true;
        lock.unlock();
        const bool stored = store.insert(event);
        lock.relock();
        m_busy = false;
        if (stored) {
            m_pending.dequeue();
            retryMs = 0;
        } else if (m_stopping) {
            for (const PlayEvent &lost : qAsConst(m_pending))
                qWarning().noquote() << "play event not written (" << store.lastErrorText()
                                     << "):" << describe(lost);
            m_pending.clear();
        } else {
            if (retryMs == 0)
                qWarning().noquote() << QStringLiteral("play log %1 takes no events (%2): kept, retrying")
                                            .arg(dataBaseConn::databasePath(), store.lastErrorText());
            retryMs = qBound(FirstRetryMs, retryMs * 2, LastRetryMs);
        }
    }
    m_idle.wakeAll();
}
