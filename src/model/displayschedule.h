#pragma once

#include <QList>

class GeneralObject;
class CycleObject;
class TimingObject;
class ProgramObject;

// The three segment lists of one display window. The schedule tree owns one;
// the scheme codec reads and writes it without needing the tree.
class DisplaySchedule
{
public:
    DisplaySchedule() = default;
    ~DisplaySchedule();
    DisplaySchedule(const DisplaySchedule &) = delete;
    DisplaySchedule &operator=(const DisplaySchedule &) = delete;

    void clear();
    // Exchanges the lists: how a tree takes over the segments of a freshly read scheme.
    void swap(DisplaySchedule &other) noexcept;
    // The pages of every segment: general, then cycle, then timing segments, each in order.
    QList<ProgramObject *> allPrograms() const;

    QList<GeneralObject *> generalSegments;
    QList<CycleObject *> cycleSegments;
    QList<TimingObject *> timingSegments;
};
