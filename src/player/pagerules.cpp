#include "pagerules.h"

#include "model/lumoramediaobject.h"
#include "model/programobject.h"

#include <QtGlobal>

#include <limits>

namespace PageRules {

namespace {
int clampToInt(qint64 value)
{
    return int(qBound<qint64>(0, value, std::numeric_limits<int>::max()));
}
} // namespace

int lengthMsecs(const QTime &length)
{
    if (!length.isValid())
        return 0;
    return (length.hour() * 3600 + length.minute() * 60 + length.second()) * 1000;
}

int videoMsecs(const VideoProperties &v)
{
    if (v.clipEnabled)
        return qMax(0, (v.clipStart.secsTo(v.clipEnd) + 1) * 1000);
    const QTime &t = v.totalLength;
    int msec = 0;
    if (t.isValid()) {
        msec = t.hour() * 3600000 + t.minute() * 60000 + t.second() * 1000;
        if (t.msec() > 200)
            msec += t.msec() - 200;
    }
    if (msec <= 0 && v.probedMsecs > 0)
        return clampToInt(v.probedMsecs);
    return msec;
}

int itemMsecs(int msecs)
{
    return qMax(MinItemMsecs, msecs);
}

int pageLengthMsecs(const QTime &length)
{
    return qMax(1000, lengthMsecs(length));
}

int insertDurationMsecs(int minutes, int seconds)
{
    return clampToInt((qMax<qint64>(0, minutes) * 60 + qMax<qint64>(0, seconds)) * 1000);
}

int cycleIntervalMsecs(int playEvery)
{
    return clampToInt(qMax<qint64>(1, playEvery) * 60000);
}

GeneralStep afterGeneralPass(int index, int playCount, int pageCount, int playMode, int playTimes)
{
    GeneralStep step;
    if (pageCount <= 0)
        return step;
    step.index = (index >= 0 && index < pageCount) ? index : 0;
    step.playCount = playCount;
    if (playMode == ProgramObject::ByTimes) {
        ++step.playCount;
        if (step.playCount >= qMax(1, playTimes)) {
            ++step.index;
            step.playCount = 0;
            step.advanced = true;
        }
    }
    if (step.index >= pageCount)
        step.index = 0;
    return step;
}

int afterLengthExpiry(int index, int pageCount)
{
    if (pageCount <= 0)
        return 0;
    const int next = index + 1;
    return (next >= pageCount || next < 0) ? 0 : next;
}

InsertStep afterInsertPass(int index, int pageCount, bool byTimes)
{
    InsertStep step;
    step.index = index + 1;
    if (step.index >= pageCount || step.index < 0) {
        step.index = 0;
        step.over = byTimes;
    }
    return step;
}

} // namespace PageRules
