#pragma once

#include "weekdays.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

class ProgramObject;

// A general segment ("generalSegment"); owns its program pages.
class GeneralObject
{
public:
    GeneralObject() = default;
    ~GeneralObject();
    GeneralObject(const GeneralObject &) = delete;
    GeneralObject &operator=(const GeneralObject &) = delete;

    QString name;
    QString displayWindowName;
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
