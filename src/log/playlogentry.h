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

    QString startText() const { return beginDate + QLatin1Char(' ') + beginTime; }
    QString stopText() const { return endDate + QLatin1Char(' ') + endTime; }
};
