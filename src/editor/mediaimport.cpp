#include "mediaimport.h"

#include "import/importrules.h"
#include "import/officejob.h"
#include "import/officeservice.h"
#include "import/preparedmedia.h"
#include "importui/importprogressdialog.h"
#include "model/commonwinobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "projecttree.h"
#include "projecttreeitem.h"
#include "treehost.h"

#include <QFileInfo>
#include <QFutureWatcher>
#include <QThread>
#include <QtConcurrent>

namespace {
// Files read ahead of the one being added: enough to keep the cores busy, few enough that
// texts waiting their turn cost little.
int jobsAhead()
{
    return qMax(2, QThread::idealThreadCount());
}
} // namespace

MediaImport::MediaImport(ProjectTree *tree, const QStringList &paths)
    : QObject(tree)
    , m_tree(tree)
{
    for (const QString &path : paths) {
        // The kind is known before any item exists: a file no kind takes leaves no item
        // behind and takes no media number.
        const QString kind = ImportRules::kindOf(path);
        if (!kind.isEmpty())
            m_jobs << Job{path, kind, nullptr};
    }
}

MediaImport::~MediaImport()
{
    // Reads still running finish on their own; their results are dropped with the watchers.
    for (Job &job : m_jobs)
        delete job.watcher;
    delete m_dialog;
}

bool MediaImport::start()
{
    ProjectTreeItem *windowItem = m_tree->currentTreeItem();
    m_window = m_tree->findWindow(windowItem);
    if (!m_window || m_jobs.isEmpty()) {
        m_finished = true;
        deleteLater();
        return false;
    }
    auto *pageItem = static_cast<ProjectTreeItem *>(windowItem->parent());
    auto *segmentItem = static_cast<ProjectTreeItem *>(pageItem->parent());
    m_segmentKind = segmentItem->kind();
    m_segmentName = segmentItem->name();
    m_programName = pageItem->name();
    m_windowName = windowItem->name();

    QWidget *parent = m_tree->parentWidget() ? m_tree->parentWidget() : m_tree;
    m_dialog = new ImportProgressDialog(parent);
    connect(m_dialog, &QProgressDialog::canceled, this, &MediaImport::cancel);
    m_dialog->begin(m_jobs.size());
    m_dialog->beginStep(0, m_jobs.first().path);
    launchJobs();
    return true;
}

void MediaImport::cancel()
{
    if (m_finished)
        return;
    m_cancelled = true;
    finish();
}

void MediaImport::launchJobs()
{
    while (m_launched < m_jobs.size() && m_launched - m_taken < jobsAhead()) {
        Job &job = m_jobs[m_launched++];
        job.watcher = new QFutureWatcher<PreparedMedia>;
        connect(job.watcher, &QFutureWatcher<PreparedMedia>::finished, this, &MediaImport::takeFinishedJobs);
        job.watcher->setFuture(QtConcurrent::run(&PreparedMedia::prepare, job.path, job.kind));
    }
}

void MediaImport::takeFinishedJobs()
{
    // A window-modal progress dialog turns the event loop while it updates, which can deliver
    // another finished read in the middle of this loop; the outer call takes it.
    if (m_taking)
        return;
    m_taking = true;
    // Results arrive in any order; items go in the order of the files.
    while (!m_finished && !m_office && m_taken < m_launched && m_jobs.at(m_taken).watcher->isFinished()) {
        const int step = m_taken++;
        Job &job = m_jobs[step];
        const PreparedMedia prepared = job.watcher->result();
        job.watcher->deleteLater();
        job.watcher = nullptr;
        if (prepared.kind == QLatin1String("office")) {
            convertOffice(step, prepared);
            break;
        }
        if (!addItem(prepared)) {
            finish();
            break;
        }
        if (m_finished)
            break;
        m_dialog->endStep(step);
        if (m_taken < m_jobs.size())
            m_dialog->beginStep(m_taken, m_jobs.at(m_taken).path);
    }
    m_taking = false;
    if (m_finished || m_office)
        return;
    if (m_taken == m_jobs.size()) {
        finish();
        return;
    }
    launchJobs();
}

void MediaImport::convertOffice(int step, const PreparedMedia &prepared)
{
    m_office = OfficeService::instance()->request(prepared.path);
    connect(m_office.data(), &OfficeJob::progress, m_dialog, &ImportProgressDialog::setPageCount);
    connect(m_office.data(), &OfficeJob::finished, this, [this, step, prepared] { officeFinished(step, prepared); });
}

void MediaImport::officeFinished(int step, const PreparedMedia &prepared)
{
    const QSharedPointer<OfficeJob> job = m_office;
    m_office.reset();
    if (m_finished || !job)
        return;
    if (job->ok()) {
        const OfficePageList pages = job->pages();
        if (!addItem(prepared, &pages)) {
            finish();
            return;
        }
    } else if (job->wasCancelled()) {
        cancel();
        return;
    } else if (job->kind() == CConverter::Kind::Word) {
        // Without Writer no later Word document can work either: the import ends here.
        m_stopMessage = job->message();
        finish();
        return;
    } else {
        // A presentation or spreadsheet that did not convert is left out; the rest goes on.
        m_skipMessages << job->message();
    }
    advanceAfter(step);
}

void MediaImport::advanceAfter(int step)
{
    m_dialog->endStep(step);
    if (m_taken < m_jobs.size())
        m_dialog->beginStep(m_taken, m_jobs.at(m_taken).path);
    takeFinishedJobs();
}

CommonWinObject *MediaImport::targetWindow() const
{
    // The window is found again by its names each time: an import must never append to a
    // window deleted while it ran.
    const QList<ProgramObject *> *pages = m_tree->programsOf(m_segmentKind, m_segmentName);
    if (!pages)
        return nullptr;
    for (ProgramObject *page : *pages) {
        if (page->name != m_programName)
            continue;
        for (CommonWinObject *window : qAsConst(page->windows)) {
            if (window->name == m_windowName)
                return window == m_window ? window : nullptr;
        }
    }
    return nullptr;
}

bool MediaImport::addItem(const PreparedMedia &prepared, const OfficePageList *officePages)
{
    CommonWinObject *window = targetWindow();
    if (!window)
        return false;
    if (prepared.stopImport) {
        m_stopMessage = prepared.stopMessage;
        return false;
    }
    auto *media = new LumoraMediaObject;
    media->type = prepared.kind;
    media->windowName = m_windowName;
    media->programName = m_programName;
    media->segmentName = m_segmentName;
    media->displayWindowName = m_tree->displayName;
    media->mediaId = m_tree->takeMediaId();
    if (prepared.kind == QLatin1String("video")) {
        media->video.filePath = prepared.path;
        // The stored length is a time of day: a file of a day or more keeps the longest one.
        if (prepared.videoMsecs > 0)
            media->video.totalLength = QTime(0, 0).addMSecs(int(qMin<qint64>(prepared.videoMsecs, 86399999)));
    } else if (prepared.kind == QLatin1String("txt")) {
        // A text file keeps its path where pictures keep theirs; its picture stays empty.
        media->image.filePath = prepared.path;
        media->text.text = prepared.text;
        if (prepared.textCut)
            m_cutTexts << QFileInfo(prepared.path).fileName();
    } else {
        media->image.filePath = prepared.path;
        if (officePages)
            media->image.pages = *officePages;
    }
    window->media.append(media);
    const int index = window->media.size() - 1;
    ++m_added;
    if (prepared.kind == QLatin1String("video"))
        emit m_tree->sigAddVideoObject(index, media);
    else if (prepared.kind == QLatin1String("txt"))
        emit m_tree->sigAddSimpleTextObject(index, media);
    else
        emit m_tree->sigAddImageObject(index, media);
    return true;
}

void MediaImport::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    for (Job &job : m_jobs) {
        if (job.watcher)
            job.watcher->disconnect(this);
    }
    if (m_office) {
        // Cancelled or stopped while a document converts: LibreOffice is ended and nothing it
        // wrote reaches the cache.
        const QSharedPointer<OfficeJob> job = m_office;
        m_office.reset();
        job->cancel();
    }
    if (m_dialog)
        m_dialog->hide();
    TreeHost *host = m_tree->treeHost();
    if (host && !m_stopMessage.isEmpty())
        host->showInformation(tr("info"), m_stopMessage);
    if (host && !m_skipMessages.isEmpty())
        host->showInformation(tr("info"), m_skipMessages.join(QLatin1Char('\n')));
    if (host && !m_cutTexts.isEmpty()) {
        host->showInformation(tr("info"), tr("These text files are longer than 1 MiB; only their first "
                                             "1 MiB was imported:\n%1")
                                              .arg(m_cutTexts.join(QLatin1Char('\n'))));
    }
    emit finished(m_added);
    deleteLater();
}
