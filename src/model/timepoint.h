#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

// One start time of a timing-inserted segment.
class TimePoint
{
public:
    QString label; // run-time only, never stored
    QTime time;
    bool specifiedDate = false;
    QDate fromDate;
    QDate toDate;
    QStringList weekdays; // a new point holds no day
};
