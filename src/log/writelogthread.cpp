#include "writelogthread.h"

#include "databaseconn.h"

#include <QDeadlineTimer>
#include <QDebug>

namespace {
// A row that cannot be stored (disk full, read-only file, a lock held for long) stays at the
// head of the queue and is tried again, less often the longer the trouble lasts. Only a
// queue this long (hours of busy play, tens of megabytes) gives up its oldest rows.
constexpr int FirstRetryMs = 100;
constexpr int LastRetryMs = 5000;
constexpr int MaxQueuedRows = 200000;
} // namespace

writeLogThread::writeLogThread(QObject *parent)
    : QThread(parent)
{}

writeLogThread::~writeLogThread()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stopping = true;
        m_wake.wakeAll();
    }
    if (!isRunning() && !m_pending.isEmpty())
        run(); // rows queued without a start are still written
    wait();
}

void writeLogThread::setLogInfo(const QString &name, const QString &length, const QString &beginDate,
                                const QString &endDate, const QString &beginTime, const QString &endTime,
                                const QString &result, const PlayLogDetail &detail)
{
    QMutexLocker lock(&m_mutex);
    if (m_pending.size() >= MaxQueuedRows) {
        const Row dropped = m_pending.dequeue();
        qWarning().noquote() << QStringLiteral("play log unwritable for long: row dropped: %1").arg(dropped.text());
    }
    m_pending.enqueue({{name, length, beginDate, endDate, beginTime, endTime, result}, detail});
    m_wake.wakeAll();
}

int writeLogThread::pendingRows() const
{
    QMutexLocker lock(&m_mutex);
    return m_pending.size(); // the row being written stays at the head until stored
}

bool writeLogThread::waitUntilIdle(unsigned long timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs == ULONG_MAX ? QDeadlineTimer::Forever
                                                   : QDeadlineTimer(qint64(timeoutMs)));
    QMutexLocker lock(&m_mutex);
    while (!m_pending.isEmpty() || m_busy) {
        if (!isRunning())
            return false;
        if (!m_idle.wait(&m_mutex, deadline))
            return false;
    }
    return true;
}

QString writeLogThread::Row::text() const
{
    QString line = columns.join(QLatin1Char(','));
    if (!detail.isEmpty())
        line += QStringLiteral(",%1,%2").arg(detail.outcome, detail.path);
    return line;
}

void writeLogThread::run()
{
    // The connection is created and used on this thread only.
    dataBaseConn conn;
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
            m_wake.wait(&m_mutex, ulong(retryMs)); // a stop or a new row ends the pause early
        const Row row = m_pending.head();
        m_busy = true;
        lock.unlock();
        const QStringList &c = row.columns;
        const bool stored = conn.insertLog(c.at(0), c.at(1), c.at(2), c.at(3), c.at(4), c.at(5), c.at(6), row.detail);
        lock.relock();
        m_busy = false;
        if (stored) {
            m_pending.dequeue();
            retryMs = 0;
        } else if (m_stopping) {
            // Shutting down with a file that takes no rows: say what is lost.
            qWarning().noquote() << QStringLiteral("play log %1 unwritable (%2): %3 rows not written")
                                        .arg(dataBaseConn::databasePath(), conn.lastErrorText())
                                        .arg(m_pending.size());
            for (const Row &lost : qAsConst(m_pending))
                qWarning().noquote() << QStringLiteral("play log row not written: %1").arg(lost.text());
            m_pending.clear();
        } else {
            if (retryMs == 0)
                qWarning().noquote() << QStringLiteral("play log %1 unwritable (%2): rows kept, retrying")
                                            .arg(dataBaseConn::databasePath(), conn.lastErrorText());
            retryMs = qBound(FirstRetryMs, retryMs * 2, LastRetryMs);
        }
    }
    m_idle.wakeAll();
}
