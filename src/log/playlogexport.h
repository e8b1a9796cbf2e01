#pragma once

#include <QString>
#include <QVector>

// One play-log row as it leaves the device: everything that identifies it among the rows of
// every device (the file's UUID with the row's sequence number) and says what was shown, when
// (UTC, with the local offset of the start) and where.
struct PlayLogExportRow
{
    qint64 seq = 0;
    QString name;
    QString path;
    qint64 startUtcMs = 0;
    qint64 endUtcMs = 0;
    int utcOffset = 0;
    QString screen;
    QString window;
    qint64 bundle = 0;
    QString hash;
    QString outcome;
    qint64 shownMs = 0;
};

// Reads the rows of one play-log file in sequence order for upload, and removes rows that
// were delivered and have grown old. Each call opens the file under a connection of its own and
// closes it before it returns; reads are read-only and wait at most `busyWaitMs` for a writer,
// so the caller's event loop is never held for long.
class PlayLogExport
{
public:
    explicit PlayLogExport(const QString &path, int busyWaitMs = 250);

    // The file's UUID and the last sequence number it gave. False when the file cannot be read
    // or has no identity yet (no row with one was written).
    bool identity(QString *uuid, qint64 *lastSeq);
    // Rows with a sequence number above `afterSeq`, at most `limit`, in sequence order. A
    // damaged file gives what could be read before the damage, and false.
    bool rowsAfter(qint64 afterSeq, int limit, QVector<PlayLogExportRow> *rows);
    // The start (UTC ms) of the row numbered `seq`, or of the nearest one below it; 0 when none.
    qint64 startOf(qint64 seq);
    // Rows with a sequence number above `afterSeq` (for the backlog shown to the operator).
    qint64 countAfter(qint64 afterSeq);
    // Deletes rows (from both tables) with a sequence number at most `deliveredSeq` that
    // started before `beforeUtcMs`; rows never delivered stay, however old. The number removed,
    // or -1 when the file could not be written (busy, read-only, damaged).
    int removeDelivered(qint64 deliveredSeq, qint64 beforeUtcMs);

    QString errorText() const { return m_errorText; }

private:
    QString m_path;
    int m_busyWaitMs;
    QString m_errorText;
};
