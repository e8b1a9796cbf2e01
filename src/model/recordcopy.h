#pragma once

#include <QList>

class CommonWinObject;
class CycleObject;
class GeneralObject;
class LumoraMediaObject;
class ProgramObject;
class TimePoint;
class TimingObject;

// Deep copies of schedule records: new objects for the node and everything below it, every
// field copied, lists in their order. Names, ancestor names, counters and media numbers come
// along as they are; the place a copy goes to sets the ancestor names and numbers afresh.
class RecordCopy
{
public:
    static LumoraMediaObject *copyOf(const LumoraMediaObject &media);
    static CommonWinObject *copyOf(const CommonWinObject &window);
    static ProgramObject *copyOf(const ProgramObject &page);
    static GeneralObject *copyOf(const GeneralObject &segment);
    static CycleObject *copyOf(const CycleObject &segment);
    static TimingObject *copyOf(const TimingObject &segment);
    static TimePoint *copyOf(const TimePoint &point);

    // Every media item below `pages`, in play order.
    static QList<LumoraMediaObject *> mediaOf(const QList<ProgramObject *> &pages);
    static QList<CommonWinObject *> windowsOf(const QList<ProgramObject *> &pages);
};
