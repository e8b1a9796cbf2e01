#include "officeservice.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "officecache.h"
#include "officejob.h"
#include "officepipeline.h"
#include "pdfpagesource.h"

#include <QDir>
#include <QFileInfo>
#include <QFutureInterface>
#include <QFutureWatcher>
#include <QTimer>

OfficeService::OfficeService(const QString &cacheDir, QObject *parent)
    : QObject(parent)
    , m_cacheDir(cacheDir)
{
    m_pool.setMaxThreadCount(1);
}

OfficeService::~OfficeService()
{
    for (const auto &job : qAsConst(m_queue))
        job->m_cancel->store(true);
    m_pool.waitForDone();
}

namespace {
OfficeService *g_installed = nullptr;
}

OfficeService *OfficeService::instance()
{
    if (g_installed)
        return g_installed;
    static OfficeService *service = nullptr;
    if (!service)
        service = new OfficeService(OfficeCache::defaultDirectory(), qApp);
    return service;
}

void OfficeService::installInstance(OfficeService *service)
{
    g_installed = service;
}

QSharedPointer<OfficeJob> OfficeService::request(const QString &sourcePath)
{
    const QString absolute = QDir::cleanPath(QFileInfo(sourcePath).absoluteFilePath());
    for (const auto &job : qAsConst(m_queue)) {
        if (job->m_source == absolute && !job->m_cancel->load())
            return job;
    }
    CConverter::Kind kind = CConverter::Kind::Word;
    OfficeCache::kindOf(absolute, &kind);
    // Deleted later, never inside one of its own signals.
    QSharedPointer<OfficeJob> job(new OfficeJob(absolute, kind, this), &QObject::deleteLater);
    m_queue.append(job);
    emit queueChanged();
    // Later, so the caller connects first and the GUI thread never waits here.
    QTimer::singleShot(0, this, &OfficeService::startNext);
    return job;
}

void OfficeService::cancelAll()
{
    const QList<QSharedPointer<OfficeJob>> jobs = m_queue;
    for (const auto &job : jobs)
        cancelJob(job.data());
}

void OfficeService::cancelJob(OfficeJob *job)
{
    if (job->m_finished || job->m_cancel->load())
        return;
    job->m_cancel->store(true);
    if (!job->m_started) {
        job->m_message = OfficePipeline::tr("The conversion of %1 was cancelled.")
                             .arg(QFileInfo(job->m_source).fileName());
        QTimer::singleShot(0, job, [this, job] { finishJob(job); });
    }
}

void OfficeService::startNext()
{
    if (m_queue.isEmpty() || m_queue.first()->m_started)
        return;
    OfficeJob *job = m_queue.first().data();
    if (job->m_cancel->load())
        return; // its finish is on its way
    job->m_started = true;

    // The time limit runs on the clock service, like every other timer of the player.
    job->m_limit = Clock::current().createTimer(job);
    job->m_limit->setSingleShot(true);
    auto timedOut = job->m_timedOut;
    auto cancel = job->m_cancel;
    connect(job->m_limit, &ClockTimer::timeout, job, [timedOut, cancel] {
        timedOut->store(true);
        cancel->store(true);
    });
    job->m_limit->start(CConverter::timeLimit());

    QFutureInterface<OfficePipeline::Result> work;
    work.reportStarted();
    auto *watcher = new QFutureWatcher<OfficePipeline::Result>(job);
    connect(watcher, &QFutureWatcher<OfficePipeline::Result>::progressValueChanged, job, [job](int pages) {
        job->m_pages = pages;
        emit job->progress(pages);
    });
    connect(watcher, &QFutureWatcher<OfficePipeline::Result>::finished, job, [this, job, watcher] {
        const OfficePipeline::Result r =
            watcher->future().resultCount() ? watcher->result() : OfficePipeline::Result();
        job->m_ok = r.ok;
        job->m_converted = r.converted;
        job->m_pdf = r.pdfPath;
        job->m_message = r.message;
        if (r.ok) {
            job->m_pages = r.pageCount;
            job->m_pageList = OfficePageList(
                QSharedPointer<const OfficePageSource>(new PdfPageSource(r.pdfPath, r.pageCount)));
        }
        finishJob(job);
    });
    watcher->setFuture(work.future());

    const QString source = job->m_source;
    const QString cacheDir = m_cacheDir;
    m_pool.start([work, source, cacheDir, cancel, timedOut]() mutable {
        const OfficePipeline::Result r = OfficePipeline::run(
            source, cacheDir, *cancel, *timedOut, [&work](int pages) { work.setProgressValue(pages); });
        work.reportResult(r);
        work.reportFinished();
    });
}

void OfficeService::finishJob(OfficeJob *job)
{
    if (job->m_finished)
        return;
    job->m_finished = true;
    if (job->m_limit)
        job->m_limit->stop();
    // Held until the signals are out.
    QSharedPointer<OfficeJob> held;
    for (int i = 0; i < m_queue.size(); ++i) {
        if (m_queue.at(i).data() == job)
            held = m_queue.takeAt(i);
    }
    if (job->m_message.isEmpty() && !job->m_ok)
        job->m_message =
            OfficePipeline::tr("%1 could not be converted.").arg(QFileInfo(job->m_source).fileName());
    emit job->progress(job->m_pages);
    emit job->finished(job->m_ok, job->m_pdf, job->m_message);
    emit queueChanged();
    startNext();
}
