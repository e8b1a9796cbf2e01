#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstance::SingleInstance(const QString &key)
    : m_key(key)
{
}

SingleInstance::~SingleInstance()
{
    // Closing the descriptor releases the lock; the file stays, as removing it would race a
    // start that has just opened it.
    if (m_fd >= 0)
        ::close(m_fd);
}

QString SingleInstance::sessionKey(const QString &base)
{
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("WAYLAND_DISPLAY");
    // ":0" and ":0.0" are one display; the key keeps to characters a file name can hold.
    display.remove(QRegularExpression(QStringLiteral("\\.\\d+$")));
    display.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    return QStringLiteral("%1-%2-%3").arg(base).arg(::getuid()).arg(display);
}

QString SingleInstance::lockPath() const
{
    // Qt checks that the runtime folder is this user's alone, and makes a private one under
    // the temporary folder where the session names none.
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        return QString();
    return dir + QLatin1Char('/') + m_key + QStringLiteral(".lock");
}

bool SingleInstance::tryAcquire()
{
    if (m_held)
        return true;
    const QString path = lockPath();
    if (path.isEmpty()) {
        std::fprintf(stderr, "LumoraPlayer: no runtime folder for the single-instance lock; running without it.\n");
        m_held = true;
        return true;
    }
    // Close-on-exec: a child (the companion, the web engine) must not inherit the lock and hold
    // it past its player.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        std::fprintf(stderr, "LumoraPlayer: cannot open %s (%s); running without the single-instance lock.\n",
                     QFile::encodeName(path).constData(), std::strerror(errno));
        m_held = true;
        return true;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_held = true;
    return true;
}
