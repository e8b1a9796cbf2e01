#pragma once

#include "fleetlog/logbatch.h"

#include <QDateTime>
#include <QStringList>
#include <QUuid>
#include <QVector>

// Small hand-made uploads of one device, for the tests of the central play log and its readers.
namespace LogBatchSamples {

inline const QString &hash()
{
    static const QString value(64, QLatin1Char('e'));
    return value;
}

struct Row
{
    const char *utcStart; // "yyyy-MM-dd HH:mm:ss"
    const char *name;
    const char *path;
    qint64 shownMs;
    const char *outcome;
};

// One log file's rows numbered from 1, played at `offset` seconds east of UTC; a row with a path
// came in bundle 5 with hash().
inline LogBatch batchOf(const QStringList &groups, const QString &zone, int offset, const QVector<Row> &rows,
                        const QString &window = QStringLiteral("Window 1"))
{
    LogBatch batch;
    batch.groups = groups;
    batch.timeZone = zone;
    batch.log = QUuid::createUuid();
    batch.upTo = rows.size();
    for (int i = 0; i < rows.size(); ++i) {
        const Row &r = rows.at(i);
        LogRow row;
        row.seq = i + 1;
        row.name = QString::fromUtf8(r.name);
        row.path = QString::fromUtf8(r.path);
        QDateTime start =
            QDateTime::fromString(QLatin1String(r.utcStart), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        start.setTimeSpec(Qt::UTC);
        row.startMs = start.toMSecsSinceEpoch();
        row.endMs = row.startMs + r.shownMs;
        row.offsetSeconds = offset;
        row.screen = QStringLiteral("Screen 1");
        row.window = window;
        row.bundle = row.path.isEmpty() ? -1 : 5;
        row.hash = row.path.isEmpty() ? QString() : hash();
        row.outcome = QString::fromLatin1(r.outcome);
        row.shownMs = r.shownMs;
        batch.rows.append(row);
    }
    return batch;
}

} // namespace LogBatchSamples
