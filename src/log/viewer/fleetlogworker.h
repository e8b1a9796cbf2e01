#pragma once

#include "fleetlog/fleetreport.h"
#include "log/playlogentry.h"
#include "log/playlogsummaryrow.h"

#include <QAtomicInt>
#include <QMetaType>
#include <QObject>
#include <QPair>
#include <QSqlDatabase>
#include <QStringList>
#include <QVector>

#include <functional>

// One row of the central log as the viewer lists it.
struct CentralLogRow
{
    QString device;
    PlayLogEntry entry;
};

// The log viewer's side of the fleet's central play log: one connection to the PostgreSQL
// store, made on the thread this object is moved to and opened read-only, so that a query
// that waits on the network never holds the dialog. Jobs run in the order they were posted;
// results go back by queued signals tagged with the generation of the request, and the viewer
// drops those a newer request replaced. A worker whose thread was asked to stop (see
// QThread::requestInterruption) stops reading at the next row and runs no further job.
class FleetLogWorker : public QObject
{
    Q_OBJECT

public:
    enum Problem {
        Unreachable, // no connection: wrong address, server down or not answering
        NotAStore,   // connected, but the database holds no central play log
        NewerStore,  // made by a newer Lumora
        ReadFailed,  // a query failed
        WriteFailed, // the CSV file could not be written
    };

    static constexpr int ChunkRows = 500;
    // How long a connection may take before the store counts as unreachable, unless the
    // address says otherwise (connect_timeout).
    static constexpr int ConnectTimeoutSeconds = 10;

    // `cancelBackend`: the server process of a worker this one replaces, whose query is
    // cancelled once this one is connected (0: none).
    explicit FleetLogWorker(const QString &address, int cancelBackend = 0);
    ~FleetLogWorker() override;

    // Called on the viewer's thread: each posts one job.
    void postOpen(bool listDevices);
    void postSummary(int generation, const FleetReport::Filter &filter, bool byHour);
    // At most `rowLimit` rows; more are reported as truncated.
    void postSearch(int generation, const FleetReport::Filter &filter, int rowLimit);
    // Every matching row, as CSV, into `path` (replaced only when complete).
    void postExport(const FleetReport::Filter &filter, const QString &path);

    // Safe from any thread.
    bool isBusy() const { return m_queued.loadAcquire() > 0; }
    int backendPid() const { return m_backendPid.loadAcquire(); }

    // Opens `address` as the viewer does, on the calling thread, under `connectionName`: a
    // session in which every transaction is read-only from its first statement, times in UTC
    // (the queries format local times themselves), and a bounded wait for the server. An
    // invalid database and `problem`/`error` set when it fails.
    static QSqlDatabase openReadOnly(const QString &address, const QString &connectionName, Problem *problem,
                                     QString *error);

signals:
    void opened(const QStringList &devices, const QStringList &groups);
    // generation 0: the connection itself
    void failed(int generation, int problem, const QString &detail);
    void summaryFound(int generation, const QVector<PlayLogSummaryRow> &rows,
                      const QVector<QPair<QString, qint64>> &counts, bool byHour);
    void rowsFound(int generation, const QVector<CentralLogRow> &rows);
    void searchFinished(int generation, bool truncated);
    void exportFinished(bool ok, const QString &path);

private:
    void post(std::function<void()> job);
    bool ensureOpen(int generation);
    static bool stopping();

    QString m_address;
    int m_cancelBackend = 0;
    QString m_connectionName;
    QSqlDatabase m_db;
    bool m_openFailed = false;
    QAtomicInt m_queued;
    QAtomicInt m_backendPid;
};

Q_DECLARE_METATYPE(CentralLogRow)
Q_DECLARE_METATYPE(PlayLogSummaryRow)
