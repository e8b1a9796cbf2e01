#include "cconverter.h"

#include "mupdfdocument.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {
QMutex g_settingsMutex;
QString g_program = QStringLiteral("soffice");
int g_timeLimit = 180000;

// LibreOffice starts oosplash, which starts soffice.bin: the run gets a process group of
// its own so that a time limit or a cancel can end all of them.
class GroupProcess : public QProcess
{
public:
    using QProcess::QProcess;
    ~GroupProcess() override { killGroup(); }

    void noteStarted() { m_group = processId(); }
    // Also ends what the first process left running after it exited.
    void killGroup()
    {
        if (m_group > 0) {
            ::kill(-pid_t(m_group), SIGKILL);
            m_group = 0;
            waitForFinished(5000);
        }
    }

protected:
    void setupChildProcess() override { ::setpgid(0, 0); }

private:
    qint64 m_group = 0;
};

bool readablePdf(const QString &path)
{
    const auto doc = MuPDF::loadDocument(path);
    return doc && doc->numPages() > 0;
}

// The one PDF LibreOffice wrote into `dir` (it names it after the source), or "".
QString writtenPdf(const QString &dir)
{
    const QFileInfoList pdfs =
        QDir(dir).entryInfoList({QStringLiteral("*.pdf"), QStringLiteral("*.PDF")}, QDir::Files);
    return pdfs.size() == 1 ? pdfs.first().absoluteFilePath() : QString();
}
} // namespace

void CConverter::setProgram(const QString &program)
{
    QMutexLocker lock(&g_settingsMutex);
    g_program = program;
}

QString CConverter::program()
{
    QMutexLocker lock(&g_settingsMutex);
    return g_program;
}

QString CConverter::resolvedProgram()
{
    const QString p = program();
    if (p.contains(QLatin1Char('/')))
        return QFileInfo(p).isExecutable() ? p : QString();
    return QStandardPaths::findExecutable(p);
}

void CConverter::setTimeLimit(int msecs)
{
    QMutexLocker lock(&g_settingsMutex);
    g_timeLimit = msecs;
}

int CConverter::timeLimit()
{
    QMutexLocker lock(&g_settingsMutex);
    return g_timeLimit;
}

QString CConverter::componentName(Kind kind)
{
    switch (kind) {
    case Kind::Word:
        return QStringLiteral("LibreOffice Writer");
    case Kind::PowerPoint:
        return QStringLiteral("LibreOffice Impress");
    case Kind::Excel:
        return QStringLiteral("LibreOffice Calc");
    }
    return QString();
}

bool CConverter::componentInstalled(Kind kind)
{
    const QString found = resolvedProgram();
    if (found.isEmpty())
        return false;
    // soffice is a link into LibreOffice's program folder, which holds one library per part.
    const QDir programDir = QFileInfo(QFileInfo(found).canonicalFilePath()).absoluteDir();
    if (!programDir.exists(QStringLiteral("soffice.bin")))
        return true;
    const char *library = kind == Kind::Word         ? "libswlo.so"
                          : kind == Kind::PowerPoint ? "libsdlo.so"
                                                     : "libsclo.so";
    return programDir.exists(QLatin1String(library));
}

bool CConverter::convertWordToPdf(const QString &source, const QString &target, int)
{
    return convert(Kind::Word, source, target) == Outcome::Converted;
}

bool CConverter::convertPowerPointToPdf(const QString &source, const QString &target, int)
{
    return convert(Kind::PowerPoint, source, target) == Outcome::Converted;
}

bool CConverter::convertExcelToPdf(const QString &source, const QString &target, int)
{
    return convert(Kind::Excel, source, target) == Outcome::Converted;
}

CConverter::Outcome CConverter::convert(Kind kind, const QString &source, const QString &target,
                                        const std::atomic_bool *cancel, int timeLimitMsecs)
{
    Q_UNUSED(kind)
    QFile::remove(target);
    const QString soffice = resolvedProgram();
    if (soffice.isEmpty())
        return Outcome::ProgramMissing;
    if (timeLimitMsecs <= 0)
        timeLimitMsecs = timeLimit();

    // Output and profile in folders of this run only: a second LibreOffice (the operator's own,
    // or a run cut short) never shares them, and whatever a cut run leaves goes with them.
    const QString work = QFileInfo(target).absolutePath();
    QDir().mkpath(work);
    QTemporaryDir outDir(work + QStringLiteral("/.convert-XXXXXX"));
    QTemporaryDir profileDir;
    if (!outDir.isValid() || !profileDir.isValid())
        return Outcome::NoPdf;

    GroupProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardOutputFile(QProcess::nullDevice());
    const QStringList args = {
        QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profileDir.path()).toString(),
        QStringLiteral("--headless"),
        QStringLiteral("--norestore"),
        QStringLiteral("--nolockcheck"),
        QStringLiteral("--convert-to"),
        QStringLiteral("pdf"),
        QStringLiteral("--outdir"),
        outDir.path(),
        QFileInfo(source).absoluteFilePath(),
    };
    process.start(soffice, args);
    if (!process.waitForStarted(30000))
        return Outcome::ProgramMissing;
    process.noteStarted();

    QElapsedTimer clock;
    clock.start();
    while (!process.waitForFinished(50)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (cancel && cancel->load()) {
            process.killGroup();
            return Outcome::Cancelled;
        }
        if (clock.elapsed() > timeLimitMsecs) {
            process.killGroup();
            return Outcome::TimedOut;
        }
    }
    process.killGroup();
    // The exit status proves nothing: LibreOffice exits 0 when it wrote no PDF.
    const QString written = writtenPdf(outDir.path());
    if (written.isEmpty())
        return Outcome::NoPdf;
    if (!readablePdf(written))
        return Outcome::UnreadablePdf;
    if (!QFile::rename(written, target))
        return Outcome::NoPdf;
    return Outcome::Converted;
}
