#pragma once

#include <QAtomicInteger>
#include <QReadWriteLock>
#include <QString>
#include <QStringList>

class QSqlError;

// The one owner of the play-log file's identity inside the process.
//
// A damaged log.db (SQLite reports it corrupt or not a database) is moved aside to
// "log.db.damaged-<date>" and a new file is started; every writer compares the generation
// it opened with the current one before each insert and reopens when it changed, so no
// row goes into the renamed file. Inserts hold the lock for reading, the move holds it for
// writing: a move never happens in the middle of an insert.
class LogFileKeeper
{
public:
    static LogFileKeeper &instance();

    // Bumped by every move; read without the lock (also by a holder of the read lock).
    quint64 generation() const { return m_generation.loadAcquire(); }
    QReadWriteLock &lock() { return m_lock; }

    // Moves the damaged file at `path` aside unless another writer already did so since
    // `seenGeneration`. True when the caller should reopen (moved now or earlier).
    bool setAside(const QString &path, quint64 seenGeneration);

    // SQLite's corrupt and not-a-database results; busy, full and I/O errors are not damage.
    static bool isDamage(const QSqlError &error);
    // Damaged files set aside beside `path`, oldest first.
    static QStringList setAsideFiles(const QString &path);

private:
    LogFileKeeper() = default;

    mutable QReadWriteLock m_lock;
    QAtomicInteger<quint64> m_generation{0};
};
