#include "prodoc.h"

#include "displaywindowset.h"
#include "editor/projecttree.h"
#include "editor/projectwidget.h"
#include "import/officeservice.h"
#include "importui/officeprogressdialog.h"
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "model/timingobject.h"
#include "monitorwin.h"
#include "widget.h"

#include <QDir>
#include <QFileInfo>

namespace {
// A relative media path names a file beside the scheme, so that a scheme and its media can
// move together (the demo is installed that way).
void resolvePath(QString &path, const QDir &schemeFolder)
{
    if (!path.isEmpty() && QDir::isRelativePath(path) && !path.contains(QLatin1String("://")))
        path = QDir::cleanPath(schemeFolder.absoluteFilePath(path));
}

void resolvePaths(LumoraMediaObject *media, const QDir &schemeFolder)
{
    resolvePath(media->video.filePath, schemeFolder);
    resolvePath(media->image.backgroundImage, schemeFolder);
    if (media->type != QLatin1String("image") && media->type != QLatin1String("office"))
        return;
    // The picture itself is read when it plays, by the play window at its size.
    resolvePath(media->image.filePath, schemeFolder);
}

// The file keeps each naming counter as it was; names made after a load continue one above it.
void adjustPages(QList<ProgramObject *> &pages, const QDir &schemeFolder)
{
    for (ProgramObject *page : pages) {
        page->windowCounter += 1;
        for (CommonWinObject *window : qAsConst(page->windows)) {
            for (LumoraMediaObject *media : qAsConst(window->media))
                resolvePaths(media, schemeFolder);
        }
    }
}
} // namespace

Prodoc::Prodoc(Widget *mainWindow)
    : m_mainWindow(mainWindow)
{}

QByteArray Prodoc::encode() const
{
    QVector<SchemeWriter::Source> sources;
    const DisplayWindowSet *displays = m_mainWindow->displays();
    for (const PlayWinObject *window : displays->windows()) {
        SchemeWriter::Source source;
        source.window = window;
        if (ProjectTree *tree = displays->tree(window->name))
            source.schedule = &tree->schedule;
        sources << source;
    }
    return SchemeWriter::encode(displays->counter(), sources);
}

bool Prodoc::isModified() const
{
    return encode() != m_unmodified;
}

void Prodoc::markUnmodified() const
{
    m_unmodified = encode();
}

bool Prodoc::save(const QString &path, QString *errorString) const
{
    const QByteArray bytes = encode();
    if (!SchemeWriter::saveBytes(path, bytes, errorString))
        return false;
    m_unmodified = bytes;
    return true;
}

bool Prodoc::read(const QString &path, Scheme &scheme, QString *errorString) const
{
    SchemeReader reader;
    if (!reader.readFile(path)) {
        if (errorString)
            *errorString = reader.errorString();
        scheme.clear();
        return false;
    }
    scheme = reader.takeScheme();
    m_schemeFolder = QFileInfo(path).absolutePath();
    // Display windows are known by name everywhere; a file naming two alike cannot be shown.
    QStringList names;
    for (const auto &entry : scheme.displayWindows) {
        if (names.contains(entry->window.name)) {
            if (errorString)
                *errorString = tr("two display windows are named \"%1\"").arg(entry->window.name);
            scheme.clear();
            return false;
        }
        names << entry->window.name;
    }
    return true;
}

bool Prodoc::open(const QString &path, QString *errorString)
{
    Scheme scheme;
    if (!read(path, scheme, errorString))
        return false;
    m_mainWindow->slotClearCurrentAllScheme();
    load(scheme);
    m_path = path;
    // Taken after loading, which makes media paths absolute and names continue above the
    // stored counters: what the operator sees unchanged must not count as an edit.
    markUnmodified();
    return true;
}

void Prodoc::close()
{
    m_mainWindow->slotClearCurrentAllScheme();
    m_path.clear();
    markUnmodified();
}

void Prodoc::load(Scheme &scheme)
{
    m_mainWindow->displays()->setCounter(scheme.displayWindowCounter);
    for (const auto &entry : scheme.displayWindows) {
        ProjectWidget *treeWidget = m_mainWindow->createDisplayWindow(entry->window, false);
        if (!treeWidget)
            continue;
        DisplaySchedule &schedule = entry->schedule;
        for (GeneralObject *segment : qAsConst(schedule.generalSegments)) {
            segment->programCounter += 1;
            adjustPages(segment->programs, QDir(m_schemeFolder));
        }
        for (CycleObject *segment : qAsConst(schedule.cycleSegments)) {
            segment->programCounter += 1;
            adjustPages(segment->programs, QDir(m_schemeFolder));
        }
        for (TimingObject *segment : qAsConst(schedule.timingSegments)) {
            segment->programCounter += 1;
            adjustPages(segment->programs, QDir(m_schemeFolder));
        }
        treeWidget->tree()->restoreSchedule(schedule);
    }
    scheme.clear();
    m_mainWindow->selectFirstDisplayWindowAfterLoad();
    // Office items are in place already; their pages follow while the operator watches.
    const auto jobs = OfficeService::instance()->pendingJobs();
    if (!jobs.isEmpty()) {
        auto *progress = new OfficeProgressDialog(m_mainWindow);
        progress->setAttribute(Qt::WA_DeleteOnClose);
        for (const auto &job : jobs)
            progress->watch(job.data());
    }
}
