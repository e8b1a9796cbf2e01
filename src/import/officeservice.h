#pragma once

#include <QList>
#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QThreadPool>

class OfficeJob;

// Turns office documents into pages, one document at a time, off the GUI thread, for whoever
// asks (the media import, the scheme loader). Requests wait in one queue; a request for a
// document already waiting or running joins that job. The PDF of every document is kept in
// the cache folder and reused while the source is not newer.
//
// A run longer than CConverter::timeLimit() on the clock service is stopped.
class OfficeService : public QObject
{
    Q_OBJECT

public:
    explicit OfficeService(const QString &cacheDir, QObject *parent = nullptr);
    ~OfficeService() override;

    // The process-wide service, caching in OfficeCache::defaultDirectory(); made on first use.
    static OfficeService *instance();
    // Makes `service` (not owned) the process-wide one; nullptr goes back to the default.
    static void installInstance(OfficeService *service);

    QString cacheDirectory() const { return m_cacheDir; }
    // A job for `sourcePath`; never null. A path that is not an office document gives a job
    // that finishes with ok() false. The job lives while anyone holds it (the service does
    // until it has finished); a caller that only connects to it need not keep it.
    QSharedPointer<OfficeJob> request(const QString &sourcePath);
    // Jobs waiting or running, in queue order (the running one first).
    QList<QSharedPointer<OfficeJob>> pendingJobs() const { return m_queue; }
    // Cancels every waiting and running job.
    void cancelAll();

signals:
    // A job was queued or ended: pendingJobs() changed.
    void queueChanged();

private:
    friend class OfficeJob;
    void startNext();
    void cancelJob(OfficeJob *job);
    void finishJob(OfficeJob *job);

    QString m_cacheDir;
    QList<QSharedPointer<OfficeJob>> m_queue;
    QThreadPool m_pool;
};
