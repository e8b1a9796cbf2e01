// Prints the wall time the scheduler needs for simulated days of a realistic scheme:
// four general segments with time windows, a cycle insert every 30 minutes, four timing points.
// Run: QT_QPA_PLATFORM=offscreen bench_scheduleday [days]
#include "playrig.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int days = argc > 1 ? qMax(1, atoi(argv[1])) : 3;
    const QDate monday(2024, 3, 4);

    PlayRig r(QDateTime(monday, QTime(0, 0, 1)));
    GeneralObject *allDay = r.build.general("AllDay");
    r.build.page(allDay, "AD1", {45, 30});
    r.build.page(allDay, "AD2", {60});
    r.build.page(r.build.general("Morning", QTime(7, 0), QTime(9, 0)), "M1", {20});
    GeneralObject *lunch = r.build.general("Lunch", QTime(12, 0), QTime(13, 0));
    ProgramObject *l1 = r.build.page(lunch, "L1", {20});
    l1->playMode = ProgramObject::ByLength;
    l1->playLength = QTime(0, 2, 0);
    r.build.page(lunch, "L2", {40});
    r.build.page(r.build.general("Evening", QTime(18, 0), QTime(22, 0)), "E1", {90});
    r.build.page(r.build.cycle("Advert", 30, 1), "A1", {15});
    TimingObject *news = r.build.timing("News", {QTime(8, 0), QTime(12, 30), QTime(17, 0), QTime(21, 0)}, 0);
    news->playMinutes = 1;
    r.build.page(news, "N1", {90});

    QElapsedTimer elapsed;
    elapsed.start();
    r.press();
    r.clock.runUntil(QDateTime(monday.addDays(days), QTime(0, 0, 1)));
    const qint64 ms = elapsed.elapsed();
    std::printf("simulated days: %d\n", days);
    std::printf("timer expiries: %lld\n", static_cast<long long>(r.clock.firedCount()));
    std::printf("hand-overs: %d\n", int(r.host.started.size()));
    std::printf("wall time: %lld ms (%.1f ms per simulated day)\n", static_cast<long long>(ms),
                double(ms) / days);
    return 0;
}
