#pragma once

#include "weekdays.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

class ProgramObject;

// A cycle-inserted segment ("cycleSegment"): inserted every playEvery minutes.
class CycleObject
{
public:
    CycleObject() = default;
    ~CycleObject();
    CycleObject(const CycleObject &) = delete;
    CycleObject &operator=(const CycleObject &) = delete;

    QString name;
    QString displayWindowName;
    qint32 playEvery = 30;
    qint32 playMode = 1; // 1 times, 0 duration
    qint32 playMinutes = 5;
    qint32 playSeconds = 0;
    qint32 playTimes = 1;
    bool specifiedDate = false;
    QDate fromDate;
    QDate toDate;
    QStringList weekdays = Weekdays::all();
    bool allDay = true;
    QTime fromTime;
    QTime toTime;
    qint32 programCounter = 0;
    QList<ProgramObject *> programs;
};
