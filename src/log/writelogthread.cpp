#include "writelogthread.h"

#include "databaseconn.h"

#include <QDeadlineTimer>

namespace {
// A row that cannot be stored (disk full, file locked for long) is retried a few
// times before it is given up; the thread never spins on a broken database.
constexpr int InsertAttempts = 5;
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
                                const QString &result)
{
    QMutexLocker lock(&m_mutex);
    m_pending.enqueue({name, length, beginDate, endDate, beginTime, endTime, result});
    m_wake.wakeAll();
}

int writeLogThread::pendingRows() const
{
    QMutexLocker lock(&m_mutex);
    return m_pending.size() + (m_busy ? 1 : 0);
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

void writeLogThread::run()
{
    // The connection is created and used on this thread only.
    dataBaseConn conn;
    QMutexLocker lock(&m_mutex);
    for (;;) {
        while (m_pending.isEmpty() && !m_stopping) {
            m_idle.wakeAll();
            m_wake.wait(&m_mutex);
        }
        if (m_pending.isEmpty())
            break;
        const QStringList row = m_pending.dequeue();
        m_busy = true;
        lock.unlock();
        for (int attempt = 0; attempt < InsertAttempts; ++attempt) {
            if (conn.insertLog(row.at(0), row.at(1), row.at(2), row.at(3), row.at(4), row.at(5), row.at(6)))
                break;
            QThread::msleep(50);
        }
        lock.relock();
        m_busy = false;
    }
    m_idle.wakeAll();
}
