#pragma once

#include <QList>
#include <QString>

class ProgramObject;
class TimePoint;

// A timing-inserted segment ("timingSegment"): starts at its time points.
class TimingObject
{
public:
    TimingObject() = default;
    ~TimingObject();
    TimingObject(const TimingObject &) = delete;
    TimingObject &operator=(const TimingObject &) = delete;

    QString name;
    QString displayWindowName;
    QList<TimePoint *> timePoints;
    qint32 playMode = 1; // 1 times, 0 duration
    qint32 playMinutes = 5;
    qint32 playSeconds = 0;
    qint32 playTimes = 1;
    qint32 programCounter = 0;
    QList<ProgramObject *> programs;
};
