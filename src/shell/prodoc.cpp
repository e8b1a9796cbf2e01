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
#include "model/schemefiles.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "model/timingobject.h"
#include "monitorwin.h"
#include "widget.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The file keeps each naming counter as it was; names made after a load continue one above it.
void adjustPages(QList<ProgramObject *> &pages)
{
    for (ProgramObject *page : pages)
        page->windowCounter += 1;
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

void Prodoc::resetHistory()
{
    m_history = {Step{QString(), qCompress(encode(), 1), false}};
    m_current = 0;
}

bool Prodoc::recordStep(const QString &name, bool mergeable, const void *subject)
{
    if (m_current < 0)
        resetHistory();
    const QByteArray now = qCompress(encode(), 1);
    if (now == m_history.at(m_current).scheme)
        return false;
    // Doing something new drops what could have been redone.
    while (m_history.size() > m_current + 1)
        m_history.removeLast();
    Step &last = m_history.last();
    constexpr qint64 kMergeMsecs = 2000;
    if (mergeable && last.mergeable && last.name == name && last.subject == subject && m_current > 0 &&
        m_lastStep.isValid() && m_lastStep.elapsed() < kMergeMsecs) {
        last.scheme = now;
    } else {
        m_history.append(Step{name, now, mergeable, subject});
        if (m_history.size() > MaxUndoSteps + 1)
            m_history.removeFirst();
        m_current = m_history.size() - 1;
    }
    m_lastStep.start();
    return true;
}

bool Prodoc::undo()
{
    if (!canUndo())
        return false;
    m_lastStep.invalidate();
    --m_current;
    return restore(m_history.at(m_current).scheme);
}

bool Prodoc::redo()
{
    if (!canRedo())
        return false;
    m_lastStep.invalidate();
    ++m_current;
    return restore(m_history.at(m_current).scheme);
}

qint64 Prodoc::historyBytes() const
{
    qint64 bytes = 0;
    for (const Step &step : m_history)
        bytes += step.scheme.size();
    return bytes;
}

bool Prodoc::restore(const QByteArray &compressed)
{
    SchemeReader reader;
    if (!reader.read(qUncompress(compressed)))
        return false; // cannot happen for bytes this program encoded; nothing is touched then
    Scheme scheme = reader.takeScheme();
    m_mainWindow->slotClearCurrentAllScheme();
    load(scheme, Source::Snapshot);
    return true;
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
    // A relative media path names a file beside the scheme (the demo is installed that way).
    SchemeFiles::resolveRelative(scheme, m_schemeFolder);
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
    // A save of this file that was killed before its rename left its temporary file.
    SchemeWriter::removeLeftovers(path);
    // Taken after loading, which makes media paths absolute and names continue above the
    // stored counters: what the operator sees unchanged must not count as an edit.
    markUnmodified();
    resetHistory();
    return true;
}

bool Prodoc::openRecovered(const QString &copyPath, const QString &originPath, QString *errorString)
{
    if (!open(copyPath, errorString))
        return false;
    m_path = originPath;
    m_unmodified.clear();
    return true;
}

void Prodoc::close()
{
    m_mainWindow->slotClearCurrentAllScheme();
    m_path.clear();
    markUnmodified();
    resetHistory();
}

void Prodoc::load(Scheme &scheme, Source source)
{
    m_mainWindow->displays()->setCounter(scheme.displayWindowCounter);
    for (const auto &entry : scheme.displayWindows) {
        ProjectWidget *treeWidget = m_mainWindow->createDisplayWindow(entry->window, false);
        if (!treeWidget)
            continue;
        DisplaySchedule &schedule = entry->schedule;
        if (source == Source::Snapshot) {
            treeWidget->tree()->restoreSchedule(schedule);
            continue;
        }
        for (GeneralObject *segment : qAsConst(schedule.generalSegments)) {
            segment->programCounter += 1;
            adjustPages(segment->programs);
        }
        for (CycleObject *segment : qAsConst(schedule.cycleSegments)) {
            segment->programCounter += 1;
            adjustPages(segment->programs);
        }
        for (TimingObject *segment : qAsConst(schedule.timingSegments)) {
            segment->programCounter += 1;
            adjustPages(segment->programs);
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
