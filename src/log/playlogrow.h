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
