#include "contentstore.h"

#include "sha256stream.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// fsync on a descriptor opened for reading is enough on Linux, for files and folders alike.
bool syncPath(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

int removeUnkept(const QString &folder, const QSet<QByteArray> &keep)
{
    int removed = 0;
    QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (keep.contains(name.toLatin1()))
            continue;
        if (dir.remove(name))
            ++removed;
    }
    return removed;
}

} // namespace

ContentStore::ContentStore(const QString &folder)
    : m_folder(folder)
{}

bool ContentStore::ensureFolders(QString *error) const
{
    for (const char *sub : {"files", "partial", "bundles"}) {
        const QString path = m_folder + QLatin1Char('/') + QLatin1String(sub);
        if (!QDir().mkpath(path)) {
            if (error)
                *error = QStringLiteral("cannot make the folder %1").arg(path);
            return false;
        }
    }
    return true;
}

// Every path is built from a checked name only: a hash from a manifest is data from outside.
QString ContentStore::filePath(const QByteArray &sha256) const
{
    if (!Sha256Stream::isHexDigest(sha256))
        return QString();
    return m_folder + QStringLiteral("/files/") + QString::fromLatin1(sha256);
}

QString ContentStore::partialPath(const QByteArray &sha256) const
{
    if (!Sha256Stream::isHexDigest(sha256))
        return QString();
    return m_folder + QStringLiteral("/partial/") + QString::fromLatin1(sha256);
}

bool ContentStore::has(const QByteArray &sha256, qint64 size) const
{
    const QString path = filePath(sha256);
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && info.size() == size;
}

bool ContentStore::commit(const QByteArray &sha256, qint64 size, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!Sha256Stream::isHexDigest(sha256))
        return fail(QStringLiteral("\"%1\" is not a content name").arg(QString::fromLatin1(sha256.left(80))));
    const QString partial = partialPath(sha256);
    const QString target = filePath(sha256);
    const QFileInfo info(partial);
    if (!info.isFile())
        return fail(QStringLiteral("%1 is not there").arg(partial));
    if (info.size() != size) {
        QFile::remove(partial);
        return fail(QStringLiteral("%1 has %2 bytes, not %3")
                        .arg(QString::fromLatin1(sha256))
                        .arg(info.size())
                        .arg(size));
    }
    // The data must be on the disk before the name says it is whole: after a crash between the
    // rename and the write-back, the name would otherwise stand for a file of zeros or nothing.
    if (!syncPath(partial))
        return fail(QStringLiteral("cannot write %1 to the disk: %2").arg(partial, systemError()));
    // Hashed from the file itself: a short write along the way shows here, whatever was sent.
    const QByteArray digest = Sha256Stream::ofFile(partial);
    if (digest.isEmpty())
        return fail(QStringLiteral("cannot read %1").arg(partial));
    if (digest != sha256) {
        QFile::remove(partial);
        return fail(QStringLiteral("%1 arrived with the hash %2")
                        .arg(QString::fromLatin1(sha256), QString::fromLatin1(digest)));
    }
    // rename() replaces a file that is already there in one step: the same bytes either way.
    if (::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0)
        return fail(QStringLiteral("cannot move %1 to %2: %3").arg(partial, target, systemError()));
    // The folders hold the names; a crash must not bring the partial one back in place of the other.
    syncPath(m_folder + QStringLiteral("/files"));
    syncPath(m_folder + QStringLiteral("/partial"));
    return true;
}

int ContentStore::removeAllBut(const QSet<QByteArray> &keep)
{
    return removeUnkept(m_folder + QStringLiteral("/files"), keep) +
           removeUnkept(m_folder + QStringLiteral("/partial"), keep);
}

qint64 ContentStore::freeBytes() const
{
    // Before ensureFolders the store's folder may not be there yet; its file system is that of
    // the nearest folder that is.
    QString path = QFileInfo(m_folder).absoluteFilePath();
    for (int up = 0; up < 256 && !QFileInfo::exists(path); ++up)
        path = QFileInfo(path).absolutePath();
    const QStorageInfo storage(path);
    if (!storage.isValid() || !storage.isReady())
        return -1;
    return storage.bytesAvailable();
}
