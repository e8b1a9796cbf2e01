#pragma once

#include <QString>

// One stored play-log row as read back, with the columns' texts as written.
struct PlayLogEntry
{
    qint64 rowid = 0;
    QString name;
    QString length;
    QString beginDate;
    QString endDate;
    QString beginTime;
    QString endTime;
    QString result;
    // From the row's detail; empty (and -1) for rows written without one.
    QString path;
    QString outcome;
    qint64 shownMs = -1;

    QString startText() const { return beginDate + QLatin1Char(' ') + beginTime; }
    QString stopText() const { return endDate + QLatin1Char(' ') + endTime; }
};
