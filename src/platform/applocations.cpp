#include "applocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString kFolder = QStringLiteral("Lumora");

QString &programDirectoryRef()
{
    static QString directory;
    return directory;
}

QString joined(const QString &directory, const char *relative)
{
    return QDir::cleanPath(directory + QLatin1Char('/') + QLatin1String(relative));
}

// The folder the programs of an install by the hierarchy live in, seen from the companion in
// libexec too; the program's own folder otherwise.
QString binDirectory()
{
    const QString dir = AppLocations::programDirectory();
    const QString fromLibexec = joined(dir, LUMORA_LIBEXEC_TO_BIN);
    if (fromLibexec != dir && !QFileInfo::exists(dir + QStringLiteral("/LumoraPlayer")) &&
        QFileInfo::exists(fromLibexec + QStringLiteral("/LumoraPlayer")))
        return fromLibexec;
    return dir;
}

// An install by the hierarchy: its shared data is where the layout puts it, not beside the program.
bool installedLayout()
{
    const QString bin = binDirectory();
    const QString data = joined(bin, LUMORA_BIN_TO_DATA);
    return data != bin && QFileInfo(data + QStringLiteral("/city.txt")).isFile();
}

QString userFolder(QStandardPaths::StandardLocation location)
{
    return QStandardPaths::writableLocation(location) + QLatin1Char('/') + kFolder;
}

} // namespace

namespace AppLocations {

QString programDirectory()
{
    const QString &dir = programDirectoryRef();
    if (!dir.isEmpty())
        return dir;
    return QDir::fromNativeSeparators(QCoreApplication::applicationDirPath());
}

void setProgramDirectory(const QString &directory)
{
    QString dir = directory;
    dir.replace(QLatin1Char('\\'), QLatin1Char('/'));
    programDirectoryRef() = dir;
}

Mode mode()
{
    const QString dir = binDirectory();
    if (!QFileInfo(dir).isWritable())
        return Mode::User;
    if (QFileInfo::exists(dir + QStringLiteral("/setting.ini")))
        return Mode::Portable;
    return installedLayout() ? Mode::User : Mode::Portable;
}

QString dataDirectory()
{
    const QString bin = binDirectory();
    return installedLayout() ? joined(bin, LUMORA_BIN_TO_DATA) : bin;
}

QString companionPath()
{
    const QString bin = binDirectory();
    const QString installed = joined(bin, LUMORA_BIN_TO_LIBEXEC) + QStringLiteral("/LumoraPlayerServer");
    if (QFileInfo::exists(installed))
        return installed;
    return bin + QStringLiteral("/LumoraPlayerServer");
}

QString playerPath()
{
    return binDirectory() + QStringLiteral("/LumoraPlayer");
}

QString settingsFile()
{
    if (mode() == Mode::Portable)
        return binDirectory() + QStringLiteral("/setting.ini");
    return userFolder(QStandardPaths::GenericConfigLocation) + QStringLiteral("/setting.ini");
}

QStringList defaultSettingsFiles()
{
    if (mode() == Mode::Portable)
        return {};
    // The first location is the user's own folder; the rest are the system's, most important first.
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    if (!folders.isEmpty())
        folders.removeFirst();
    std::reverse(folders.begin(), folders.end());
    QStringList files;
    for (const QString &folder : folders) {
        const QString file = folder + QLatin1Char('/') + kFolder + QStringLiteral("/setting.ini");
        if (QFileInfo(file).isFile())
            files << file;
    }
    return files;
}

QString stateDirectory()
{
    if (mode() == Mode::Portable)
        return binDirectory();
    const QString dir = userFolder(QStandardPaths::GenericDataLocation);
    QDir().mkpath(dir);
    return dir;
}

QString cacheDirectory()
{
    if (mode() == Mode::Portable)
        return binDirectory() + QStringLiteral("/tmp");
    return userFolder(QStandardPaths::GenericCacheLocation);
}

QString runtimeDirectory()
{
    if (mode() == Mode::Portable)
        return binDirectory();
    // Without XDG_RUNTIME_DIR Qt makes a private folder of this user's under /tmp.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

QString playLogPath()
{
    const QString path = stateDirectory() + QStringLiteral("/log.db");
    if (mode() != Mode::User || QFileInfo::exists(path))
        return path;
    const QString legacy =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/LumoraPlayer/log.db");
    if (!QFileInfo::exists(legacy))
        return path;
    // Where it cannot be moved (another file system, no rights), it is read where it is. A
    // journal moves with its log, or neither moves: a log without its journal can lose rows.
    if (!QFile::rename(legacy, path))
        return legacy;
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        const QString from = legacy + QLatin1String(suffix);
        if (QFileInfo::exists(from) && !QFile::rename(from, path + QLatin1String(suffix))) {
            QFile::rename(path, legacy);
            return legacy;
        }
    }
    return path;
}

bool ensureWritable(const QString &directory)
{
    return QDir().mkpath(directory) && QFileInfo(directory).isWritable();
}

} // namespace AppLocations
