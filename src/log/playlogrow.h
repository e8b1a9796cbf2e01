#pragma once

#include <QDate>
#include <QStringList>
#include <QTime>

// The seven LOGINFOS column texts for an item that started at begin and was logged at end.
// The length is QTime::secsTo of the two times of day, so an item that ran across
// midnight is logged with a negative length, as stored logs have always been.
inline QStringList playLogColumns(const QString &name, const QDate &beginDate, const QTime &beginTime,
                                  const QDate &endDate, const QTime &endTime, const QString &result)
{
    return {name,
            QString::number(beginTime.secsTo(endTime)),
            beginDate.toString(QStringLiteral("yyyy-MM-dd")),
            endDate.toString(QStringLiteral("yyyy-MM-dd")),
            beginTime.toString(QStringLiteral("HH:mm:ss:zzz")),
            endTime.toString(QStringLiteral("HH:mm:ss:zzz")),
            result};
}

// The same columns for a row whose length is the time the item was on screen, measured on a
// clock that never jumps: whole seconds, rounded, never negative, whatever the wall clock did
// between begin and end (a step, midnight, a pause under an insert).
inline QStringList playLogColumns(const QString &name, const QDate &beginDate, const QTime &beginTime,
                                  const QDate &endDate, const QTime &endTime, qint64 shownMs,
                                  const QString &result)
{
    QStringList columns = playLogColumns(name, beginDate, beginTime, endDate, endTime, result);
    columns[1] = QString::number((qMax<qint64>(0, shownMs) + 500) / 1000);
    return columns;
}

// What a row holds beyond the seven columns, in the table PLAYDETAILS beside LOGINFOS: the
// item's file (or address), so that two files of one name stay apart, the outcome keyword
// (see PlayOutcome) and the milliseconds shown; and what makes the row one of its own across
// many devices: its start and end as UTC milliseconds with the local offset of the start (the
// text columns are local time without a zone), the display window and the window it played
// in, and, when it came in a published bundle, that bundle and the file's SHA-256. The store
// adds the row's sequence number. Empty for rows written without them.
struct PlayLogDetail
{
    QString path;
    QString outcome;
    qint64 shownMs = -1;

    qint64 startUtcMs = 0;
    qint64 endUtcMs = 0;
    int utcOffset = 0; // seconds east of UTC at the start
    QString screen;
    QString window;
    qint64 bundle = 0; // 0: not from a bundle
    QString hash;

    bool isEmpty() const { return outcome.isEmpty(); }
};
