#include "problemwatch.h"

#include "import/schemeproblems.h"
#include "model/scheme.h"
#include "model/schemereader.h"

#include <QFutureWatcher>
#include <QtConcurrent>

namespace {

QList<ProblemWatch::Problem> checkEncoded(const QByteArray &encoding, const QString &baseFolder)
{
    SchemeReader reader;
    // The main window's own encoding always decodes; nothing to report otherwise.
    if (!reader.read(encoding))
        return {};
    const Scheme &scheme = reader.scheme();
    QList<ProblemWatch::Problem> problems;
    for (const SchemeChecker::Warning &warning : SchemeProblems::check(scheme, baseFolder))
        problems.append({warning.where, warning.message, SchemeLocation::find(scheme, warning.where)});
    return problems;
}

} // namespace

ProblemWatch::ProblemWatch(QObject *parent)
    : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMsecs);
    connect(&m_settle, &QTimer::timeout, this, &ProblemWatch::start);
}

void ProblemWatch::setScheme(const QByteArray &encoding, const QString &baseFolder)
{
    const Key key{encoding, baseFolder, m_wanted.round};
    if (key == m_wanted)
        return;
    m_wanted = key;
    if (isCurrent()) {
        // Back to what was checked last (an edit taken back again).
        m_settle.stop();
        emit checked();
        return;
    }
    m_settle.start();
}

void ProblemWatch::checkNow()
{
    m_settle.stop();
    start();
}

void ProblemWatch::recheck()
{
    // The problems found last stay on show until the new ones are in.
    ++m_wanted.round;
    checkNow();
}

bool ProblemWatch::isCurrent() const
{
    return m_hasChecked && m_checkedKey == m_wanted;
}

void ProblemWatch::start()
{
    // One run at a time: one that is out of date is followed by the scheme as it stands.
    if (m_run || isCurrent())
        return;
    m_running = m_wanted;
    m_run = new QFutureWatcher<QList<Problem>>(this);
    connect(m_run, &QFutureWatcherBase::finished, this, &ProblemWatch::finished);
    m_run->setFuture(QtConcurrent::run(&checkEncoded, m_running.encoding, m_running.baseFolder));
}

void ProblemWatch::finished()
{
    const QList<Problem> problems = m_run->result();
    m_run->deleteLater();
    m_run = nullptr;
    if (m_running != m_wanted) {
        // Edited meanwhile: the next run starts once the edits have settled.
        if (!m_settle.isActive())
            start();
        return;
    }
    m_problems = problems;
    m_checkedKey = m_running;
    m_hasChecked = true;
    emit checked();
}
