// Load and save times of a large scheme (10 000 media items over several display
// windows) and the process's peak memory. Target: load and save each under 200 ms.

#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "model/timepoint.h"
#include "model/timingobject.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int DisplayWindows = 4;
constexpr int GeneralSegments = 5;
constexpr int Programs = 5;
constexpr int Windows = 4;
constexpr int MediaPerWindow = 25; // 4 * 5 * 5 * 4 * 25 = 10 000 items
constexpr int Runs = 7;

const char *const types[] = {"video",         "image",         "office",      "txt",          "simpleText",
                             "singleRowText", "scrollingText", "analogClock", "digitalClock", "digitalTimer",
                             "URL",           "streaming",     "videoDevice", "weather"};

LumoraMediaObject *makeMedia(const CommonWinObject &w, int id)
{
    auto *m = new LumoraMediaObject;
    m->type = QString::fromLatin1(types[id % (sizeof types / sizeof *types)]);
    m->mediaId = id;
    m->displayWindowName = w.displayWindowName;
    m->segmentName = w.segmentName;
    m->programName = w.programName;
    m->windowName = w.name;
    const QString file = QStringLiteral("/srv/signage/media/item-%1").arg(id);
    m->video.filePath = file + QStringLiteral(".mp4");
    m->video.totalLength = QTime(0, 3, 12, 480);
    m->image.filePath = file + QStringLiteral(".jpg");
    m->text.text = QStringLiteral("Opening hours: Monday to Friday 08:00-20:00, item %1").arg(id);
    m->url.address = QStringLiteral("https://example.com/board/%1").arg(id);
    m->weather.location1 = QStringLiteral("Shenzhen");
    return m;
}

Scheme generate()
{
    Scheme scheme;
    scheme.displayWindowCounter = DisplayWindows;
    int id = 0;
    for (int d = 0; d < DisplayWindows; ++d) {
        Scheme::DisplayWindow &entry = scheme.addDisplayWindow();
        entry.window.name = QStringLiteral("Display window%1").arg(d + 1);
        entry.window.x = d * 1920;
        entry.window.width = 1920;
        entry.window.height = 1080;
        for (int s = 0; s < GeneralSegments; ++s) {
            auto *g = new GeneralObject;
            g->displayWindowName = entry.window.name;
            g->name = QStringLiteral("General Segment%1").arg(s + 1);
            g->allDay = false;
            g->fromTime = QTime(8, 0);
            g->toTime = QTime(20, 0);
            g->programCounter = Programs;
            entry.schedule.generalSegments.append(g);
            for (int p = 0; p < Programs; ++p) {
                auto *program = new ProgramObject;
                program->displayWindowName = g->displayWindowName;
                program->segmentName = g->name;
                program->name = QStringLiteral("Program%1").arg(p + 1);
                program->playMode = p % 3;
                program->backgroundMusic = QStringList{QStringLiteral("/srv/signage/music/loop.mp3")};
                program->windowCounter = Windows;
                g->programs.append(program);
                for (int w = 0; w < Windows; ++w) {
                    auto *window = new CommonWinObject;
                    window->segmentKind = QStringLiteral("generalSegment");
                    window->displayWindowName = program->displayWindowName;
                    window->segmentName = program->segmentName;
                    window->programName = program->name;
                    window->name = QStringLiteral("Common Window%1").arg(w + 1);
                    window->width = 960;
                    window->height = 540;
                    program->windows.append(window);
                    for (int i = 0; i < MediaPerWindow; ++i)
                        window->media.append(makeMedia(*window, id++));
                }
            }
        }
        auto *cycle = new CycleObject;
        cycle->displayWindowName = entry.window.name;
        cycle->name = QStringLiteral("Cycle Inserted Segment1");
        entry.schedule.cycleSegments.append(cycle);
        auto *timing = new TimingObject;
        timing->displayWindowName = entry.window.name;
        timing->name = QStringLiteral("Timing Inserted Segment1");
        for (int t = 0; t < 24; ++t) {
            auto *point = new TimePoint;
            point->time = QTime(t, 30);
            point->weekdays = QStringList{QStringLiteral("Monday"), QStringLiteral("Friday")};
            timing->timePoints.append(point);
        }
        entry.schedule.timingSegments.append(timing);
    }
    return scheme;
}

long peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

struct Figures
{
    double best;
    double median;
};

Figures summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

} // namespace

int main()
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    const QString path = dir.filePath(QStringLiteral("bench.schx"));
    const Scheme scheme = generate();
    const long afterGenerate = peakKiB();

    std::vector<double> encodes, saves, loads, steps;
    int items = 0;
    qint64 stepBytes = 0;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QByteArray bytes = SchemeWriter::encode(scheme);
        encodes.push_back(timer.nsecsElapsed() / 1e6);

        // An undo step of the editor: the encoding, compressed as the history keeps it.
        timer.restart();
        stepBytes = qCompress(SchemeWriter::encode(scheme), 1).size();
        steps.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        QString error;
        if (!SchemeWriter::save(path, scheme, &error)) {
            fprintf(stderr, "save failed: %s\n", qPrintable(error));
            return 1;
        }
        saves.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        SchemeReader reader;
        if (!reader.readFile(path)) {
            fprintf(stderr, "load failed: %s\n", qPrintable(reader.errorString()));
            return 1;
        }
        const Scheme loaded = reader.takeScheme();
        loads.push_back(timer.nsecsElapsed() / 1e6);
        items = loaded.mediaCount();
    }

    const Figures encode = summarise(encodes);
    const Figures save = summarise(saves);
    const Figures load = summarise(loads);
    const Figures step = summarise(steps);
    printf("scheme: %d display windows, %d media items, file %lld bytes\n", DisplayWindows, items,
           QFileInfo(path).size());
    printf("encode only:                    best %.1f ms, median %.1f ms\n", encode.best, encode.median);
    printf("save (encode + write + commit): best %.1f ms, median %.1f ms (target < 200 ms)\n", save.best,
           save.median);
    printf("load (read + decode):           best %.1f ms, median %.1f ms (target < 200 ms)\n", load.best,
           load.median);
    printf("undo step (encode + compress):  best %.1f ms, median %.1f ms, %lld bytes; 100 steps hold %.1f MiB\n",
           step.best, step.median, stepBytes, 101.0 * double(stepBytes) / (1024.0 * 1024.0));
    printf("peak memory (VmHWM): %ld KiB after generating, %ld KiB at the end\n", afterGenerate, peakKiB());
    return save.median < 200 && load.median < 200 ? 0 : 3;
}
