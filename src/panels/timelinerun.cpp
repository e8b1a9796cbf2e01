#include "timelinerun.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sys/resource.h>

namespace {
// A line longer than this is not one the simulation prints.
constexpr int MaxLineBytes = 1 << 20;
// The end of standard error kept for the notice of a failed run.
constexpr int MaxErrorBytes = 4096;
constexpr int Niceness = 10;

// Real play on this machine comes before a forecast of it: while something plays, the
// simulation runs niced.
class NicedProcess : public QProcess
{
public:
    using QProcess::QProcess;
    bool niced = false;

protected:
    void setupChildProcess() override
    {
        // Runs in the child between fork and exec: nothing but the system call.
        if (niced)
            (void)::setpriority(PRIO_PROCESS, 0, Niceness);
    }
};
} // namespace

TimelineRun::TimelineRun(QObject *parent)
    : QObject(parent)
{}

TimelineRun::~TimelineRun()
{
    // The processes still parented here are killed and reaped by their destructors.
    release();
}

QString TimelineRun::program()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString beside = QDir(appDir).filePath(QStringLiteral("lumora-simulate"));
#if defined(LUMORA_BUILD_SIMULATE)
    // Programs and tests run from a build tree are built in folders of their own; the tree's
    // top is the nearest folder above with CMake's cache. An installed program has the
    // simulation beside it and never looks.
    if (!QFileInfo(beside).isExecutable()) {
        for (QDir dir(appDir);;) {
            if (QFileInfo::exists(dir.filePath(QStringLiteral("CMakeCache.txt"))))
                return dir.filePath(QStringLiteral(LUMORA_BUILD_SIMULATE));
            if (!dir.cdUp())
                break;
        }
    }
#endif
    return beside;
}

void TimelineRun::start(const QByteArray &scheme, const QString &mediaFolder, const QDate &firstDay, int days)
{
    release();
    m_timeline = Timeline(firstDay, days);
    m_pending.clear();
    m_errors.clear();

    const QString simulate = program();
    if (!QFileInfo(simulate).isExecutable()) {
        fail(tr("The simulation program is missing: %1").arg(QDir::toNativeSeparators(simulate)));
        return;
    }
    // The scheme as edited may not be saved: the run reads a copy, and finds the media of
    // the original's folder through --media-folder.
    m_file.reset(new QTemporaryFile(QDir::temp().filePath(QStringLiteral("lumora-timeline-XXXXXX.schx"))));
    if (!m_file->open() || m_file->write(scheme) != scheme.size() || !m_file->flush()) {
        const QString reason = m_file->errorString();
        fail(tr("The scheme could not be written for the simulation: %1").arg(reason));
        return;
    }
    m_file->close();

    QStringList args{m_file->fileName(),
                     QStringLiteral("--start"),
                     QDateTime(firstDay, QTime(0, 0)).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")),
                     QStringLiteral("--duration"),
                     QString::number(qint64(days) * 86400),
                     QStringLiteral("--events")};
    if (!mediaFolder.isEmpty() && QFileInfo(mediaFolder).isDir())
        args << QStringLiteral("--media-folder") << mediaFolder;

    auto *process = new NicedProcess(this);
    process->niced = m_yielding;
    m_process = process;
    connect(m_process, &QProcess::readyReadStandardOutput, this, &TimelineRun::readOutput);
    connect(m_process, &QProcess::readyReadStandardError, this, [this] {
        m_errors += m_process->readAllStandardError();
        if (m_errors.size() > MaxErrorBytes)
            m_errors = m_errors.right(MaxErrorBytes);
    });
    connect(m_process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            &TimelineRun::processEnded);
    connect(m_process, &QProcess::errorOccurred, this, &TimelineRun::processError);
    m_process->start(simulate, args, QIODevice::ReadOnly);
}

void TimelineRun::setYielding(bool yielding)
{
    m_yielding = yielding;
    // Only ever niced further: taking it back is not for an ordinary user.
    if (yielding && m_process && m_process->processId() > 0)
        (void)::setpriority(PRIO_PROCESS, id_t(m_process->processId()), Niceness);
}

void TimelineRun::stop()
{
    release();
}

void TimelineRun::release()
{
    if (m_process) {
        QProcess *process = m_process;
        m_process = nullptr;
        disconnect(process, nullptr, this, nullptr);
        if (process->state() == QProcess::NotRunning) {
            process->deleteLater();
        } else {
            // Reaped when its end is seen, without waiting for it here.
            connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), process,
                    &QObject::deleteLater);
            process->kill();
        }
    }
    m_file.reset();
}

void TimelineRun::readOutput()
{
    if (!m_process)
        return;
    m_pending += m_process->readAllStandardOutput();
    int from = 0;
    bool added = false;
    for (int end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n', from)) {
        const QString line = QString::fromUtf8(m_pending.constData() + from, end - from);
        from = end + 1;
        if (!m_timeline.addLine(line)) {
            fail(tr("The simulation printed something that is not a timeline: %1").arg(line.left(80)));
            return;
        }
        added = true;
    }
    m_pending.remove(0, from);
    if (m_pending.size() > MaxLineBytes) {
        fail(tr("The simulation printed something that is not a timeline: %1")
                 .arg(QString::fromUtf8(m_pending.left(80))));
        return;
    }
    if (added)
        emit progressed();
}

void TimelineRun::processEnded(int exitCode, QProcess::ExitStatus status)
{
    readOutput();
    if (!m_process)
        return; // it printed garbage, and that was said
    if (status != QProcess::NormalExit) {
        fail(tr("The simulation stopped unexpectedly."));
        return;
    }
    if (exitCode != 0) {
        // Its last line says why, after the program's name.
        QString reason = QString::fromUtf8(m_errors).trimmed().split(QLatin1Char('\n')).last();
        const QString prefix = QStringLiteral("simulate: ");
        if (reason.contains(prefix))
            reason = reason.mid(reason.indexOf(prefix) + prefix.size());
        // The copy's name means nothing to the operator.
        const QString copy = m_file ? m_file->fileName() + QStringLiteral(": ") : QString();
        if (!copy.isEmpty() && reason.startsWith(copy))
            reason = reason.mid(copy.size());
        if (reason.isEmpty())
            reason = tr("exit status %1").arg(exitCode);
        fail(tr("The simulation refused the scheme: %1").arg(reason));
        return;
    }
    if (!m_pending.isEmpty() && !m_timeline.addLine(QString::fromUtf8(m_pending))) {
        fail(tr("The simulation printed something that is not a timeline: %1")
                 .arg(QString::fromUtf8(m_pending.left(80))));
        return;
    }
    m_pending.clear();
    release();
    m_timeline.finish();
    emit progressed();
    emit finished();
}

void TimelineRun::processError(QProcess::ProcessError error)
{
    // A crash is reported by its end as well; only a start that failed has nothing after it.
    if (error != QProcess::FailedToStart || !m_process)
        return;
    fail(tr("The simulation program could not be started: %1").arg(m_process->errorString()));
}

void TimelineRun::fail(const QString &reason)
{
    release();
    m_timeline = Timeline(m_timeline.firstDay(), m_timeline.days());
    emit failed(reason);
}
