// Wall time of simulating 24 hours of a busy scheme: four display windows, each with two
// pages of two windows of three 5 s pictures (entry and exit effects on every other one),
// and a cycle insert every 10 minutes. Then the same hours and one of the shipped demo
// (scrolling texts, clocks, a count timer, a video), or of the scheme file given second,
// with the peak resident memory so far. Prints the figures.
//
// bench_simulateday [hours [scheme.schx]]
#include "schemebuilder.h"
#include "buildpaths.h"
#include "model/schemereader.h"
#include "simulate/simulator.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <sys/resource.h>

#include <cstdio>

namespace {

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Simulates `hours` of the scheme file from midnight; false when it cannot be read.
bool simulateFile(const QString &file, qint64 hours)
{
    SchemeReader reader;
    if (!reader.readFile(file)) {
        printf("%s: not simulated (%s)\n", qPrintable(file), qPrintable(reader.errorString()));
        return false;
    }
    // Media paths are relative to the scheme, as for the player.
    const QString before = QDir::currentPath();
    QDir::setCurrent(QFileInfo(file).absolutePath());
    qint64 rows = 0;
    QElapsedTimer wall;
    wall.start();
    {
        Simulator simulator(reader.scheme(), QDateTime(QDate(2026, 12, 9), QTime(0, 0)), false,
                            [&rows](const QString &) { ++rows; });
        simulator.run(hours * 3600 * 1000);
    }
    const double seconds = wall.elapsed() / 1000.0;
    QDir::setCurrent(before);
    printf("simulated %lld h of %s: %.2f s wall, %lld log rows, peak resident memory %.1f MiB\n", hours,
           qPrintable(QFileInfo(file).fileName()), seconds, rows, peakMiB());
    return true;
}

} // namespace

using namespace SchemeBuilder;

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 hours = argc > 1 ? QByteArray(argv[1]).toLongLong() : 24;
    const QString demo = argc > 2 ? QString::fromLocal8Bit(argv[2]) : BuildPaths::path("LUMORA_DEMO_SCHEME");

    Scheme scheme;
    for (int d = 1; d <= 4; ++d) {
        Scheme::DisplayWindow &dw = display(scheme, QStringLiteral("Display %1").arg(d));
        GeneralObject *s = general(dw, QStringLiteral("S1"));
        for (int p = 1; p <= 2; ++p) {
            ProgramObject *pg = page(s, QStringLiteral("P%1").arg(p));
            for (int w = 1; w <= 2; ++w) {
                QList<LumoraMediaObject *> media;
                for (int i = 1; i <= 3; ++i) {
                    LumoraMediaObject *m =
                        image(QStringLiteral("/media/p%1w%2i%3.png").arg(p).arg(w).arg(i), 5);
                    if (i % 2 == 1) {
                        m->image.entryEffectEnabled = m->image.exitEffectEnabled = true;
                        m->image.entryEffect = 0; // Random
                        m->image.exitEffect = 0;
                    }
                    media << m;
                }
                window(pg, QStringLiteral("W%1").arg(w), media, QRect(w * 100 - 100, 0, 100, 100));
            }
        }
        CycleObject *c = cycle(dw, QStringLiteral("C1"), 10);
        ProgramObject *cp = page(c, QStringLiteral("CP1"));
        window(cp, QStringLiteral("CW1"),
               {image(QStringLiteral("/media/ad1.png"), 5), image(QStringLiteral("/media/ad2.png"), 5)});
    }

    qint64 rows = 0;
    QElapsedTimer wall;
    wall.start();
    {
        Simulator simulator(
            scheme, QDateTime(QDate(2026, 3, 2), QTime(0, 0, 30)), true,
            [&rows](const QString &line) { rows += line.startsWith(QLatin1Char('#')) ? 0 : 1; });
        simulator.run(hours * 3600 * 1000);
    }
    const double seconds = wall.elapsed() / 1000.0;
    printf("simulated %lld h of 4 display windows (5 s items, effects, cycle insert): %.2f s wall, %lld log "
           "rows\n",
           hours, seconds, rows);

    if (QFileInfo::exists(demo)) {
        simulateFile(demo, 1);
        simulateFile(demo, hours);
    } else {
        printf("%s not built: no demo figures\n", qPrintable(demo));
    }
    return 0;
}
