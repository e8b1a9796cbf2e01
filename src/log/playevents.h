#pragma once

#include <QList>
#include <QMutex>
#include <QQueue>
#include <QSqlDatabase>
#include <QString>
#include <QThread>
#include <QWaitCondition>

class QSqlError;

// A screen that was dark while it should have played: a video whose position stopped, a web
// renderer that died, an item its window could not open. `mended` says the player put it right
// by itself (reloaded the video, loaded the page again); `detail` says what it saw and did.
struct PlayEvent
{
    qint64 utcMs = 0;
    int utcOffset = 0; // seconds east of UTC, the device's local time when it happened
    QString screen;    // display window
    QString window;
    QString item; // log name, as the play log names it
    QString path;
    QString kind; // one of PlayEvents::VideoStalled, RendererDied, OpenFailed
    bool mended = false;
    QString detail;
};

namespace PlayEvents {
extern const char *const VideoStalled;
extern const char *const RendererDied;
extern const char *const OpenFailed;
} // namespace PlayEvents

// The table PLAYEVENTS of "log.db" (dataBaseConn::databasePath()), beside the play log, through
// a connection of its own on the thread that made the store. A damaged file is moved aside
// through LogFileKeeper, as the play log's writers do, and the event goes into a new file.
class PlayEventStore
{
public:
    PlayEventStore();
    ~PlayEventStore();
    PlayEventStore(const PlayEventStore &) = delete;
    PlayEventStore &operator=(const PlayEventStore &) = delete;

    // False when the file takes no rows now (busy, full, read-only): the caller tries again.
    bool insert(const PlayEvent &event);
    // Every event of the file, oldest first; empty when it has none or cannot be read.
    QList<PlayEvent> readAll();
    QString lastErrorText() const { return m_lastErrorText; }

private:
    QSqlError prepareFile();
    QSqlError insertRow(const PlayEvent &event);

    QSqlDatabase m_db;
    QString m_connectionName;
    QString m_lastErrorText;
    quint64 m_generation = 0;
    bool m_tableChecked = false;
};

// Writes events on a thread of its own, in order; an event the file does not take waits and is
// tried again, so that the play window that reports it never waits on the disk.
class PlayEventWriter : public QThread
{
    Q_OBJECT

public:
    explicit PlayEventWriter(QObject *parent = nullptr);
    // Writes what is still queued before it goes.
    ~PlayEventWriter() override;

    void add(const PlayEvent &event);
    // Blocks until every queued event is stored; for shutdown and tests only.
    bool waitUntilIdle(unsigned long timeoutMs);

protected:
    void run() override;

private:
    QMutex m_mutex;
    QWaitCondition m_wake;
    QWaitCondition m_idle;
    QQueue<PlayEvent> m_pending;
    bool m_busy = false;
    bool m_stopping = false;
};
