#include "logfilekeeper.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

namespace {
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;
const char *const DamagedInfix = ".damaged-";
} // namespace

LogFileKeeper &LogFileKeeper::instance()
{
    static LogFileKeeper keeper;
    return keeper;
}

bool LogFileKeeper::setAside(const QString &path, quint64 seenGeneration)
{
    QWriteLocker lock(&m_lock);
    if (m_generation.loadAcquire() != seenGeneration)
        return true;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString target = path + QLatin1String(DamagedInfix) + stamp;
    for (int n = 2; QFile::exists(target); ++n)
        target = path + QLatin1String(DamagedInfix) + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(path, target)) {
        qWarning().noquote()
            << QStringLiteral("play log %1 is damaged and could not be moved aside").arg(path);
        return false;
    }
    // A journal left beside the damaged file would be replayed into the new one.
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        const QString side = path + QLatin1String(suffix);
        if (QFile::exists(side))
            QFile::rename(side, target + QLatin1String(suffix));
    }
    m_generation.fetchAndAddOrdered(1);
    qWarning().noquote()
        << QStringLiteral("play log %1 was damaged: kept as %2, a new log was started").arg(path, target);
    return true;
}

bool LogFileKeeper::isDamage(const QSqlError &error)
{
    if (error.type() == QSqlError::NoError)
        return false;
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    return ok && (code == SqliteCorrupt || code == SqliteNotADatabase);
}

QStringList LogFileKeeper::setAsideFiles(const QString &path)
{
    const QFileInfo info(path);
    const QString prefix = info.fileName() + QLatin1String(DamagedInfix);
    QStringList found;
    const QStringList names = info.dir().entryList({prefix + QLatin1Char('*')}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        if (!name.endsWith(QLatin1String("-journal")) && !name.endsWith(QLatin1String("-wal")) &&
            !name.endsWith(QLatin1String("-shm")))
            found << info.dir().filePath(name);
    }
    return found;
}
