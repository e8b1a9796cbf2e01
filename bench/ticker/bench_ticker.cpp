// A 1920 x 200 scrolling text, run for a while at speeds 1, 5 and 10 with fonts of 32 and
// 64 points, once as the renderer draws it (position from the elapsed time, one frame per
// display period from the pre-drawn strip) and once the straightforward way (a label moved
// on every tick of the speed table). Prints, for each run: the speed achieved against the
// table, the CPU used by this process as a share of one core, and the steps between two
// consecutive frames of a 60 Hz display (largest against average).
//
// The display is modelled at the phase most kind to the painting (half a period after the
// first paint), so a step above the usual one means a paint came more than half a period
// late: the thread or the X server did not get the processor in time. On a busy machine
// (builds running on the same two cores) that happens now and then, to both versions; the
// renderer then shows the time each frame was due for and spreads the catch-up, and
// --trace shows where the largest step came from (late frame or slow paint).
//
// Usage: bench_ticker [seconds per run, default 10] [--only SPEED:FONT] [--repeat N]
//        [--trace]; run under xvfb-run.

#include "clock/clocktimer.h"
#include "model/lumoramediaobject.h"
#include "render/textwidget.h"
#include "textcore/scrollspeed.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

struct Sample
{
    qint64 ns;
    int x;
};

// Records where a moving widget is each time it is painted.
class PaintRecorder : public QObject
{
public:
    QWidget *target = nullptr;
    QElapsedTimer *clock = nullptr;
    std::vector<Sample> samples;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == target && event->type() == QEvent::Paint)
            samples.push_back({clock->nsecsElapsed(), target->x()});
        return false;
    }
};

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec / 1e6;
}

struct Figures
{
    double pps = 0;
    double cpu = 0;
    double avgStep = 0;
    int maxStep = 0;
    int paints = 0;
    qint64 maxStepAtNs = 0; // display refresh that showed the largest step
};

// Diagnostics: with --trace, the paints around the largest step are printed.
bool traceRuns = false;

void tracePaints(const std::vector<Sample> &s, const Figures &f)
{
    if (!traceRuns)
        return;
    std::printf("  largest step at %.1f ms; paints around it (ms, x, gap):\n", f.maxStepAtNs / 1e6);
    for (size_t i = 1; i < s.size(); ++i) {
        if (std::llabs(s[i].ns - f.maxStepAtNs) < 60000000)
            std::printf("    %9.2f %6d %6.2f\n", s[i].ns / 1e6, s[i].x, (s[i].ns - s[i - 1].ns) / 1e6);
    }
    qint64 worst = 0;
    size_t at = 0;
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i].ns - s[i - 1].ns > worst) {
            worst = s[i].ns - s[i - 1].ns;
            at = i;
        }
    }
    if (at)
        std::printf("  longest gap between paints %.2f ms ending at %.1f ms\n", worst / 1e6, s[at].ns / 1e6);
}

// Distance covered between samples, leaving out the jumps back at a wrap.
Figures analyse(const std::vector<Sample> &s, int direction, double wallSeconds, double cpu)
{
    Figures f;
    f.cpu = cpu / wallSeconds;
    f.paints = static_cast<int>(s.size());
    if (s.size() < 2)
        return f;
    auto forward = [direction](int from, int to) {
        const int d = direction == 0 ? from - to : to - from;
        return d >= 0 ? d : -1; // -1: a wrap
    };
    long long distance = 0;
    for (size_t i = 1; i < s.size(); ++i) {
        const int d = forward(s[i - 1].x, s[i].x);
        if (d > 0)
            distance += d;
    }
    const double span = (s.back().ns - s.front().ns) / 1e9;
    f.pps = span > 0 ? distance / span : 0;

    // A 60 Hz display shows, at each refresh, the last picture painted before it; its phase
    // is not tied to the painting (half a period after the first paint).
    const double period = 1e9 / 60.0;
    size_t next = 0;
    int shown = s.front().x;
    long long moved = 0;
    int frames = 0;
    int movingFrames = 0;
    for (double t = s.front().ns + period / 2; t < s.back().ns; t += period) {
        int x = shown;
        while (next < s.size() && s[next].ns <= t)
            x = s[next++].x;
        const int d = forward(shown, x);
        if (d >= 0) {
            ++frames;
            moved += d;
            if (d > 0)
                ++movingFrames;
            if (d > f.maxStep) {
                f.maxStep = d;
                f.maxStepAtNs = static_cast<qint64>(t);
            }
        }
        shown = x;
    }
    // Below one pixel a frame, the steps that show are the frames that move.
    const double perFrame = frames ? double(moved) / frames : 0;
    f.avgStep = perFrame >= 1.0 ? perFrame : (movingFrames ? double(moved) / movingFrames : 0);
    return f;
}

void report(const char *version, int speed, int font, const Figures &f)
{
    const double table = ScrollSpeed::pixelsPerSecond(speed, font, 0);
    std::printf("%-15s speed %2d font %2d  table %7.1f px/s  achieved %7.1f px/s (%+6.2f %%)  cpu %5.1f %%  "
                "paints %5d  step avg %6.2f max %3d (%.2fx)\n",
                version, speed, font, table, f.pps, table > 0 ? (f.pps / table - 1.0) * 100.0 : 0.0,
                f.cpu * 100.0, f.paints, f.avgStep, f.maxStep, f.avgStep > 0 ? f.maxStep / f.avgStep : 0.0);
    std::fflush(stdout);
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

const QString Text =
    QStringLiteral("Lumora LED ticker: smooth and cheap scrolling text across the whole screen");

Figures runRenderer(QWidget *screen, int speed, int font, int ms)
{
    LumoraMediaObject item;
    item.text.text = Text;
    item.text.fontFamily = QStringLiteral("DejaVu Sans");
    item.text.fontSize = font;
    item.text.rollSpeed = speed;
    item.text.playToEnd = false;
    item.text.textColor = QColor(255, 200, 0);
    textWidget w(screen);
    w.setGeometry(0, 0, 1920, 200);
    w.show();
    w.setupItem(item, textWidget::ScrollingMode);
    QElapsedTimer clock;
    PaintRecorder rec;
    rec.target = w.stripLabel;
    rec.clock = &clock;
    w.stripLabel->installEventFilter(&rec);
    std::vector<Sample> frames;
    if (traceRuns) {
        QObject::connect(w.scrollTimer, &ClockTimer::timeout, &w, [&]() {
            frames.push_back({clock.nsecsElapsed(), w.x});
        });
    }
    runFor(300); // settle
    w.setUp();
    rec.samples.clear();
    clock.start();
    const double cpu0 = cpuSeconds();
    runFor(ms);
    const double cpu = cpuSeconds() - cpu0;
    const double wall = clock.nsecsElapsed() / 1e9;
    w.stopScroll();
    const Figures f = analyse(rec.samples, 0, wall, cpu);
    tracePaints(rec.samples, f);
    if (traceRuns) {
        std::printf("  frames (ms, x):");
        for (const Sample &fr : frames) {
            if (std::llabs(fr.ns - f.maxStepAtNs) < 60000000)
                std::printf(" %.2f:%d", fr.ns / 1e6, fr.x);
        }
        std::printf("\n");
        // Lateness of each frame against the schedule of the first one, and the time from a
        // frame to its paint: tells a starved thread from a slow paint.
        double worstLate = 0;
        double worstPaint = 0;
        size_t p = 0;
        for (size_t i = 0; i < frames.size(); ++i) {
            worstLate = std::max(
                worstLate, (frames[i].ns - frames[0].ns) / 1e6 -
                               std::round((frames[i].ns - frames[0].ns) / 1e6 / textWidget::framePeriod()) *
                                   textWidget::framePeriod());
            while (p < rec.samples.size() && rec.samples[p].ns < frames[i].ns)
                ++p;
            if (p < rec.samples.size() && (i + 1 == frames.size() || rec.samples[p].ns < frames[i + 1].ns))
                worstPaint = std::max(worstPaint, (rec.samples[p].ns - frames[i].ns) / 1e6);
        }
        std::printf("  latest frame %.2f ms after its slot; longest frame-to-paint %.2f ms\n", worstLate,
                    worstPaint);
    }
    return f;
}

// The straightforward ticker: a label with the text, moved by the table's step on every
// tick of the table's interval.
Figures runLabel(QWidget *screen, int speed, int font, int ms)
{
    QLabel label(screen);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(font);
    label.setFont(f);
    label.setStyleSheet(QStringLiteral("color: rgb(255,200,0); background: transparent"));
    label.setText(Text);
    label.adjustSize();
    const int textWidth = label.width();
    label.move(1920, (200 - label.height()) / 2);
    label.show();
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    const int step = ScrollSpeed::step(speed, font, 0);
    QObject::connect(&tick, &QTimer::timeout, &label, [&]() {
        int x = label.x() - step;
        if (x < -(textWidth + font))
            x = 1920;
        label.move(x, label.y());
    });
    QElapsedTimer clock;
    PaintRecorder rec;
    rec.target = &label;
    rec.clock = &clock;
    label.installEventFilter(&rec);
    runFor(300);
    rec.samples.clear();
    clock.start();
    const double cpu0 = cpuSeconds();
    tick.start(ScrollSpeed::tickInterval(speed));
    runFor(ms);
    const double cpu = cpuSeconds() - cpu0;
    const double wall = clock.nsecsElapsed() / 1e9;
    tick.stop();
    return analyse(rec.samples, 0, wall, cpu);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int seconds = 10;
    int onlySpeed = 0;
    int onlyFont = 0;
    int repeat = 1;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--trace")
            traceRuns = true;
        else if (a == "--only" && i + 1 < argc)
            std::sscanf(argv[++i], "%d:%d", &onlySpeed, &onlyFont);
        else if (a == "--repeat" && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else
            seconds = std::max(1, a.toInt());
    }
    QWidget screen;
    screen.setWindowFlags(Qt::FramelessWindowHint);
    screen.setStyleSheet(QStringLiteral("background:black"));
    screen.setGeometry(0, 0, 1920, 200);
    screen.show();
    runFor(500);
    std::printf("1920 x 200 scrolling text, %d s per run, frame period %.2f ms\n", seconds,
                textWidget::framePeriod());
    for (int round = 0; round < repeat; ++round) {
        for (int font : {32, 64}) {
            for (int speed : {1, 5, 10}) {
                if ((onlySpeed && speed != onlySpeed) || (onlyFont && font != onlyFont))
                    continue;
                report("renderer", speed, font, runRenderer(&screen, speed, font, seconds * 1000));
                report("label-per-tick", speed, font, runLabel(&screen, speed, font, seconds * 1000));
            }
        }
    }
    return 0;
}
