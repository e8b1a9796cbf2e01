#include "processes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

namespace Processes {

namespace {

// comm is cut at 15 characters, so longer names are checked against argv[0].
bool exeNameMatches(pid_t pid, const QString &name)
{
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!cmdline.open(QIODevice::ReadOnly))
        return false;
    const QByteArray argv0 = cmdline.read(4096).split('\0').value(0);
    return QFileInfo(QString::fromLocal8Bit(argv0)).fileName() == name;
}

} // namespace

int killByExactName(const QString &name)
{
    if (name.isEmpty())
        return 0;
    int count = 0;
    const pid_t self = ::getpid();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool ok = false;
        const pid_t pid = entry.toInt(&ok);
        if (!ok || pid == self)
            continue;
        QFile comm(QStringLiteral("/proc/%1/comm").arg(entry));
        if (!comm.open(QIODevice::ReadOnly))
            continue;
        // comm holds at most 15 characters of the name; compare whole names only.
        const QString procName = QString::fromLocal8Bit(comm.read(64)).trimmed();
        if (procName == name.left(15) && (name.size() <= 15 || exeNameMatches(pid, name)))
            count += ::kill(pid, SIGKILL) == 0 ? 1 : 0;
    }
    return count;
}

bool startDetached(const QString &program, const QStringList &arguments)
{
    const QFileInfo info(program);
    if (!info.exists() || !info.isExecutable())
        return false;
    return QProcess::startDetached(program, arguments, info.absolutePath());
}

} // namespace Processes
