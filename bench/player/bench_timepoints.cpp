// Prints what the once-a-second time point lookup costs for a timing segment with many points,
// all at different seconds of the day: the check runs every second of play.
// Run: bench_timepoints [points]
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "model/weekdays.h"
#include "player/secondtracker.h"
#include "player/segmentrules.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>

#include <cstdio>

namespace {
// Microseconds per lookup over an hour of seconds.
double perLookup(const TimingObject &segment, qint64 first, int *found)
{
    const int seconds = 3600;
    *found = 0;
    QElapsedTimer elapsed;
    elapsed.start();
    for (int s = 0; s < seconds; ++s)
        *found += SegmentRules::timePointAt(segment, first + s) >= 0;
    return double(elapsed.nsecsElapsed()) / seconds / 1000.0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? qMax(1, atoi(argv[1])) : 100000;
    TimingObject segment;
    for (int i = 0; i < count; ++i) {
        auto *point = new TimePoint;
        point->time = QTime(0, 0).addSecs(i % 86400);
        point->weekdays = Weekdays::all();
        segment.timePoints.append(point);
    }
    const qint64 monday = SecondTracker::localSecond(QDateTime(QDate(2027, 1, 4), QTime(10, 0)));
    int found = 0;
    std::printf("time points: %d\n", count);
    const double every = perLookup(segment, monday, &found);
    std::printf("every day, an hour from 10:00: %d seconds with a point, %.1f us per lookup\n", found, every);
    // Points of another day are all looked at and none is taken: the longest lookup.
    for (TimePoint *point : qAsConst(segment.timePoints))
        point->weekdays = QStringList{QStringLiteral("Sunday")};
    const double none = perLookup(segment, monday, &found);
    std::printf("Sundays only, looked up on a Monday: %d seconds with a point, %.1f us per lookup\n", found,
                none);
    return 0;
}
