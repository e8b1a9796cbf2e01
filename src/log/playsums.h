#pragma once

#include "playlogsummaryrow.h"

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QPair>
#include <QVector>

// Adds up play-log rows, one at a time, into plays and time shown per name and plays per
// day or hour. The texts handed in may point into a statement's buffers: whatever is kept
// is copied.
class PlaySums
{
public:
    // `path`, `outcome` and `shownMs` come from the row's detail: empty and -1 for a row
    // without one.
    void add(const QByteArray &name, const QByteArray &beginDate, const QByteArray &beginTime,
             const QByteArray &endDate, const QByteArray &endTime, bool byHour,
             const QByteArray &path = QByteArray(), const QByteArray &outcome = QByteArray(),
             qint64 shownMs = -1);

    // By name (a fixed label in either language is one name), then path, as SQLite orders text.
    QVector<PlayLogSummaryRow> items() const;
    // "yyyy-MM-dd" or "yyyy-MM-dd HH", in time order.
    QVector<QPair<QString, qint64>> periods() const;

    // From the begin to the end date-time; 0 when either cannot be read.
    static qint64 shownMs(const QByteArray &beginDate, const QByteArray &beginTime, const QByteArray &endDate,
                          const QByteArray &endTime);

private:
    struct Item
    {
        QByteArray name;
        QByteArray path;
        qint64 plays = 0;
        qint64 notShown = 0;
        qint64 shownMs = 0;
        QByteArray first; // "yyyy-MM-dd HH:mm:ss:zzz"
        QByteArray last;
    };

    // Keyed by the path, or by the name for rows without one ('\0' keeps the two apart).
    QHash<QByteArray, Item> m_items;
    QByteArray m_key;
    QMap<QByteArray, qint64> m_periods;
    QByteArray m_lastPeriod;
    qint64 *m_lastPeriodCount = nullptr;
};
