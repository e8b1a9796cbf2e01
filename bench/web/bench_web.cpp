// Memory and processes of the player's play windows: four windows cycling pictures, clocks, a
// weather panel and a capture item for a simulated day part with no web item, then a fifth
// window showing one web page. Prints the resident memory of this process, the number of
// web engine processes below it and their memory; then the share of a core an animated page
// costs while its item shows and once the item has ended. Run under xvfb-run.
#include "clock/virtualclock.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "render/urlwin.h"
#include "schemebuilder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>

#include <cstdio>
#include <unistd.h>

using namespace SchemeBuilder;

namespace {
qint64 residentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Web engine processes anywhere below this process.
QList<qint64> engineProcesses()
{
    QHash<qint64, qint64> parentOf;
    QSet<qint64> engine;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!stat.open(QIODevice::ReadOnly) || !cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray s = stat.readAll();
        parentOf.insert(pid, s.mid(s.lastIndexOf(')') + 2).split(' ').value(1).toLongLong());
        if (cmdline.readAll().contains("QtWebEngineProcess"))
            engine.insert(pid);
    }
    QList<qint64> below;
    for (qint64 pid : engine) {
        for (qint64 p = parentOf.value(pid); p > 1; p = parentOf.value(p)) {
            if (p == getpid()) {
                below << pid;
                break;
            }
        }
    }
    return below;
}

void report(const char *when)
{
    const QList<qint64> engine = engineProcesses();
    qint64 engineKiB = 0;
    for (qint64 pid : engine)
        engineKiB += residentKiB(pid);
    std::printf("%-44s player RSS %7.1f MiB, web engine processes %d (RSS %7.1f MiB)\n", when,
                residentKiB(getpid()) / 1024.0, int(engine.size()), engineKiB / 1024.0);
    std::fflush(stdout);
}

// CPU time (user and system) of this process and the web engine processes below it, in ms.
qint64 cpuMs()
{
    QList<qint64> pids = engineProcesses();
    pids << getpid();
    qint64 ticks = 0;
    for (qint64 pid : pids) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray s = stat.readAll();
        const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
        ticks += fields.value(11).toLongLong() + fields.value(12).toLongLong(); // utime, stime
    }
    return ticks * 1000 / sysconf(_SC_CLK_TCK);
}

// Share of one core the player and its web engine used over `ms` of wall time, events running.
double coreShare(qint64 ms)
{
    const qint64 before = cpuMs();
    QElapsedTimer wall;
    wall.start();
    // Waits in the event loop, as the player does: polling would itself keep a core busy.
    QEventLoop loop;
    QTimer::singleShot(int(ms), &loop, &QEventLoop::quit);
    loop.exec();
    return 100.0 * double(cpuMs() - before) / double(wall.elapsed());
}

LumoraMediaObject *item(const char *type, int seconds)
{
    auto *m = new LumoraMediaObject;
    m->type = QLatin1String(type);
    const QTime length = QTime(0, 0).addSecs(seconds);
    m->digitalClock.playTime = length;
    m->analogClock.playTime = length;
    m->weather.length = length;
    m->weather.location2 = QStringLiteral("北京");
    m->videoDevice.length = length;
    m->url.length = length;
    return m;
}

void run(VirtualClock &clock, qint64 msec)
{
    for (qint64 done = 0; done < msec; done += 1000) {
        clock.advance(1000);
        QCoreApplication::processEvents();
    }
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Its weather panel measures memory, not a service: nothing leaves this machine.
    qputenv("LUMORA_WEATHER_PROVIDER", "none");
    QApplication app(argc, argv);
    const qint64 minutes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 120;
    QTemporaryDir dir;
    for (int i = 0; i < 3; ++i) {
        QImage picture(640, 360, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(i * 120, 200, 220));
        picture.save(dir.filePath(QStringLiteral("p%1.png").arg(i)));
    }

    VirtualClock clock(QDateTime(QDate(2026, 3, 2), QTime(8, 0)));
    Clock::setCurrent(&clock);
    ProgramObject page;
    page.name = QStringLiteral("P1");
    page.segmentName = QStringLiteral("S1");
    page.displayWindowName = QStringLiteral("D1");
    {
        MainPlayBKLabel surface(QStringLiteral("D1"), nullptr, false);
        surface.setGeometry(0, 0, 1280, 720);
        surface.show();
        QList<CommonPlayWindow *> windows;
        const QList<QList<LumoraMediaObject *>> lists = {
            {image(dir.filePath("p0.png"), 5), image(dir.filePath("p1.png"), 5), item("digitalClock", 5)},
            {item("analogClock", 7), image(dir.filePath("p2.png"), 3)},
            {item("weather", 10), item("digitalClock", 4)},
            {item("videoDevice", 6), image(dir.filePath("p1.png"), 4)}};
        for (int i = 0; i < lists.size(); ++i) {
            CommonWinObject *w = window(&page, QStringLiteral("W%1").arg(i), lists.at(i),
                                        QRect(i % 2 * 640, i / 2 * 360, 640, 360));
            CommonPlayWindow *pw = surface.showCommonWindow(false, w);
            pw->setMediaList(w->media);
            pw->startWindowPlay();
            windows << pw;
        }
        run(clock, 60 * 1000);
        report("four windows, no web item, after 1 min:");
        QElapsedTimer wall;
        wall.start();
        run(clock, minutes * 60 * 1000);
        report(qPrintable(QStringLiteral("four windows, no web item, after %1 min:").arg(minutes + 1)));

        QFile html(dir.filePath(QStringLiteral("page.html")));
        html.open(QIODevice::WriteOnly);
        html.write(
            "<html><body style='background:#204080;color:white;font:40px sans-serif'>Lumora</body></html>");
        html.close();
        LumoraMediaObject *web = item("URL", 3600);
        web->url.address = html.fileName();
        CommonWinObject *w = window(&page, QStringLiteral("Web"), {web}, QRect(320, 180, 640, 360));
        CommonPlayWindow *pw = surface.showCommonWindow(false, w);
        pw->setMediaList(w->media);
        pw->startWindowPlay();
        QElapsedTimer loading;
        loading.start();
        while (loading.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        report("plus one web item shown, 5 s later:");
        run(clock, 10 * 60 * 1000);
        report("plus one web item, 10 min later:");
        for (CommonPlayWindow *window : windows)
            window->stopWindowPlay();
        pw->stopWindowPlay();

        // A page that animates without pause: what it costs while its item shows, and what is
        // left once the item has ended and the page waits hidden for its next turn.
        QFile busy(dir.filePath(QStringLiteral("busy.html")));
        busy.open(QIODevice::WriteOnly);
        busy.write("<html><body style='margin:0;background:#000'><canvas id=c width=1280 height=720></canvas>"
                   "<script>const c=document.getElementById('c').getContext('2d');let t=0;"
                   "function f(){t++;for(let i=0;i<400;i++){c.fillStyle='hsl('+((t+i)%360)+',80%,50%)';"
                   "c.fillRect((i*37+t*5)%1280,(i*53+t*3)%720,60,60);}requestAnimationFrame(f);}f();"
                   // a ticker driven by a timer, as many signage pages are: drawing frames
                   // stops with the view, timers do not
                   "let n=0;setInterval(()=>{for(let i=0;i<200000;i++)n=(n*31+i)%1000003;"
                   "document.title=n;},10);"
                   "</script></body></html>");
        busy.close();
        LumoraMediaObject *animated = item("URL", 3600);
        animated->url.address = busy.fileName();
        CommonWinObject *bw = window(&page, QStringLiteral("Busy"), {animated}, QRect(0, 0, 1280, 720));
        CommonPlayWindow *bpw = surface.showCommonWindow(false, bw);
        bpw->setMediaList(bw->media);
        bpw->startWindowPlay();
        coreShare(5000); // loading
        std::printf("%-44s %5.1f %% of a core\n", "animated web page shown:", coreShare(10000));
        bpw->stopWindowPlay();
        coreShare(1000);
        std::printf("%-44s %5.1f %% of a core\n", "its item ended, page hidden:", coreShare(10000));
        std::fflush(stdout);
    }
    Clock::setCurrent(nullptr);
    return 0;
}
