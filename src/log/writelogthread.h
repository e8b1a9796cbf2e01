#pragma once

#include "playlogrow.h"

#include <QMutex>
#include <QQueue>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>

class dataBaseConn;

// The play window's log writer. Rows handed over with setLogInfo() are queued and
// written in order on this thread through its own connection; a row that arrives
// while an earlier one is being written waits its turn instead of being dropped, and
// a row the file does not take (disk full, read-only) stays queued and is retried.
class writeLogThread : public QThread
{
    Q_OBJECT

public:
    explicit writeLogThread(QObject *parent = nullptr);
    // Writes every row still queued before the thread ends.
    ~writeLogThread() override;

    // Queues one row: name, length, beginDate, endDate, beginTime, endTime, result.
    void setLogInfo(const QString &name, const QString &length, const QString &beginDate,
                    const QString &endDate, const QString &beginTime, const QString &endTime,
                    const QString &result, const PlayLogDetail &detail = PlayLogDetail());

    // Rows queued but not yet stored (for tests and shutdown diagnostics).
    int pendingRows() const;
    // Blocks until every queued row has been stored; for shutdown and tests only.
    bool waitUntilIdle(unsigned long timeoutMs = ULONG_MAX);

protected:
    void run() override;

private:
    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    QWaitCondition m_idle;
    struct Row
    {
        QStringList columns;
        PlayLogDetail detail;
        QString text() const;
    };
    QQueue<Row> m_pending;
    bool m_busy = false;
    bool m_stopping = false;
};
