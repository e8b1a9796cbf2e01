// The cost of a video in a play window against a bare mpv with the same kind of video output.
//
// Generates H.264 clips (640 x 360 and 1920 x 1080, 25 fps, 20 s) with ffmpeg, then for each
// size and each "HardDecode" path plays the clip in a play window of the clip's size (a child
// process running the real display surface, play window and video player) and in a bare mpv
// window of the same size, one after the other, in rounds. Over a fixed window after a
// warm-up it prints the CPU seconds of the player process and of the X server, the frames the
// player reports as dropped (video output / decoder) and the ratio Lumora / bare.
//
// Run under xvfb-run:
//   xvfb-run -a -s "-screen 0 1920x1080x24" bench_video [rounds=2] [window s=10] [warm-up s=5]
//       [sizes=640x360,1920x1080] [paths=1,0]
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "render/mpvwidget.h"
#include "render/playlabel.h"
#include "schemebuilder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

using namespace SchemeBuilder;

namespace {

// ---------------------------------------------------------------- the Lumora side (child process)

int runPlayWindow(const QStringList &args)
{
    // --lumora <clip> <width> <height> <HardDecode>
    const QString clip = args.value(2);
    const int width = args.value(3).toInt();
    const int height = args.value(4).toInt();

    ProgramObject page;
    page.name = QStringLiteral("P1");
    page.segmentName = QStringLiteral("S1");
    page.displayWindowName = QStringLiteral("D1");
    MainPlayBKLabel surface(QStringLiteral("D1"), nullptr, false);
    surface.hardDecode = args.value(5).toInt() == 1;
    surface.setGeometry(0, 0, width, height);
    surface.realPlayMode = true;
    surface.show();
    QList<LumoraMediaObject *> media;
    for (int i = 0; i < 4; ++i)
        media << video(clip, QTime(0, 0, 20));
    CommonWinObject *w = window(&page, QStringLiteral("W"), media, QRect(0, 0, width, height));
    CommonPlayWindow *pw = surface.showCommonWindow(false, w);
    pw->setMediaList(w->media);
    pw->startWindowPlay();

    auto observed = [pw](const char *name) {
        MpvWidget *mpv = pw->videoPlayer->mpvWidget();
        return mpv ? mpv->observed(QLatin1String(name)) : QVariant();
    };
    QTimer started;
    QObject::connect(&started, &QTimer::timeout, [&]() {
        if (observed("time-pos").toDouble() < 0.5)
            return;
        started.stop();
        std::printf("playing vo=%s hwdec=%s\n", qPrintable(observed("current-vo").toString()),
                    qPrintable(observed("hwdec-current").toString()));
        std::fflush(stdout);
    });
    started.start(50);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&]() {
        char line[64] = {};
        const ssize_t n = ::read(STDIN_FILENO, line, sizeof line - 1);
        if (n <= 0 || QByteArray(line).startsWith("quit")) {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        std::printf("drops %lld %lld\n", observed("frame-drop-count").toLongLong(),
                    observed("decoder-frame-drop-count").toLongLong());
        std::fflush(stdout);
    });
    const int rc = QCoreApplication::exec();
    pw->stopWindowPlay();
    return rc;
}

// ---------------------------------------------------------------- measuring (parent process)

double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray s = stat.readAll();
    // Fields after the command name: state is field 3, utime 14, stime 15.
    const QList<QByteArray> f = s.mid(s.lastIndexOf(')') + 2).split(' ');
    return (f.value(11).toLongLong() + f.value(12).toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

qint64 xServerPid()
{
    const QByteArray display = qgetenv("DISPLAY");
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> argv = cmdline.readAll().split('\0');
        if (argv.value(0).endsWith("Xvfb") && argv.contains(display))
            return pid;
    }
    return 0;
}

struct Figures
{
    double playerCpu = 0;
    double serverCpu = 0;
    qint64 voDrops = 0;
    qint64 decoderDrops = 0;
    QString output; // video output and decoder the player ended up with
    bool ok = false;
};

struct Sample
{
    double player = 0;
    double server = 0;
};

Sample sample(qint64 player, qint64 server)
{
    return {cpuSeconds(player), cpuSeconds(server)};
}

// Waits for a line from the child that starts with `prefix`.
QByteArray readLine(QProcess &p, const QByteArray &prefix, int msecs)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < msecs) {
        while (p.canReadLine()) {
            const QByteArray line = p.readLine().trimmed();
            if (line.startsWith(prefix))
                return line;
        }
        if (p.state() == QProcess::NotRunning)
            return {};
        p.waitForReadyRead(100);
    }
    return {};
}

Figures measureLumora(const QString &clip, const QSize &size, int hardDecode, int warmupMs, int windowMs)
{
    Figures f;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The only OpenGL under Xvfb is Mesa's software renderer, which mpv's own video output
    // refuses unless told; the bare player is told the same.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LUMORA_MPV_OPTIONS"), QStringLiteral("gpu-sw=yes"));
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--lumora"), clip, QString::number(size.width()), QString::number(size.height()),
             QString::number(hardDecode)});
    if (!p.waitForStarted())
        return f;
    const QByteArray playing = readLine(p, "playing", 30000);
    if (!playing.isEmpty()) {
        f.output = QString::fromUtf8(playing.mid(8));
        QThread::msleep(warmupMs);
        const Sample a = sample(p.processId(), xServerPid());
        p.write("drops\n");
        const QList<QByteArray> d0 = readLine(p, "drops", 5000).split(' ');
        QThread::msleep(windowMs);
        const Sample b = sample(p.processId(), xServerPid());
        p.write("drops\n");
        const QList<QByteArray> d1 = readLine(p, "drops", 5000).split(' ');
        f.playerCpu = b.player - a.player;
        f.serverCpu = b.server - a.server;
        f.voDrops = d1.value(1).toLongLong() - d0.value(1).toLongLong();
        f.decoderDrops = d1.value(2).toLongLong() - d0.value(2).toLongLong();
        f.ok = d0.size() == 3 && d1.size() == 3;
    }
    p.write("quit\n");
    if (!p.waitForFinished(10000))
        p.kill();
    p.waitForFinished();
    return f;
}

QVariant mpvProperty(QLocalSocket &socket, const char *name)
{
    QJsonObject request{
        {QStringLiteral("command"), QJsonArray{QStringLiteral("get_property"), QLatin1String(name)}}};
    socket.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    socket.flush();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        while (socket.canReadLine()) {
            const QJsonObject reply = QJsonDocument::fromJson(socket.readLine()).object();
            if (reply.contains(QStringLiteral("error")) && !reply.contains(QStringLiteral("event")))
                return reply.value(QStringLiteral("data")).toVariant();
        }
        socket.waitForReadyRead(100);
    }
    return {};
}

Figures measureBare(const QString &clip, const QSize &size, const QString &vo, const QString &hwdec,
                    int warmupMs, int windowMs, const QString &socketPath)
{
    Figures f;
    QStringList args{QStringLiteral("--no-config"),
                     QStringLiteral("--really-quiet"),
                     QStringLiteral("--loop-file=inf"),
                     QStringLiteral("--no-border"),
                     QStringLiteral("--osc=no"),
                     QStringLiteral("--audio-fallback-to-null=yes"),
                     QStringLiteral("--keepaspect=no"),
                     QStringLiteral("--geometry=%1x%2+0+0").arg(size.width()).arg(size.height()),
                     QStringLiteral("--vo=") + vo,
                     QStringLiteral("--hwdec=") + hwdec,
                     QStringLiteral("--input-ipc-server=") + socketPath};
    if (vo == QLatin1String("gpu"))
        args << QStringLiteral("--gpu-sw=yes");
    args << clip;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral("mpv"), args);
    if (!p.waitForStarted())
        return f;
    QLocalSocket socket;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 30000) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(200) && mpvProperty(socket, "time-pos").toDouble() >= 0.5)
            break;
        socket.abort();
        QThread::msleep(100);
    }
    if (socket.state() == QLocalSocket::ConnectedState) {
        f.output = QStringLiteral("vo=%1 hwdec=%2")
                       .arg(mpvProperty(socket, "current-vo").toString(),
                            mpvProperty(socket, "hwdec-current").toString());
        QThread::msleep(warmupMs);
        const Sample a = sample(p.processId(), xServerPid());
        const qint64 vo0 = mpvProperty(socket, "frame-drop-count").toLongLong();
        const qint64 dec0 = mpvProperty(socket, "decoder-frame-drop-count").toLongLong();
        QThread::msleep(windowMs);
        const Sample b = sample(p.processId(), xServerPid());
        f.voDrops = mpvProperty(socket, "frame-drop-count").toLongLong() - vo0;
        f.decoderDrops = mpvProperty(socket, "decoder-frame-drop-count").toLongLong() - dec0;
        f.playerCpu = b.player - a.player;
        f.serverCpu = b.server - a.server;
        f.ok = true;
    }
    p.terminate();
    if (!p.waitForFinished(10000))
        p.kill();
    p.waitForFinished();
    return f;
}

bool makeClip(const QString &path, const QSize &size)
{
    const QStringList args{QStringLiteral("-y"),
                           QStringLiteral("-loglevel"),
                           QStringLiteral("error"),
                           QStringLiteral("-f"),
                           QStringLiteral("lavfi"),
                           QStringLiteral("-i"),
                           QStringLiteral("testsrc2=s=%1x%2:r=25:d=20").arg(size.width()).arg(size.height()),
                           QStringLiteral("-c:v"),
                           QStringLiteral("libx264"),
                           QStringLiteral("-preset"),
                           QStringLiteral("veryfast"),
                           QStringLiteral("-pix_fmt"),
                           QStringLiteral("yuv420p"),
                           path};
    return QProcess::execute(QStringLiteral("ffmpeg"), args) == 0 && QFile::exists(path);
}

double mean(const QList<double> &values)
{
    double sum = 0;
    for (double v : values)
        sum += v;
    return values.isEmpty() ? 0 : sum / values.size();
}

void printFigures(const char *who, int round, const Figures &f)
{
    std::printf(
        "  round %d %-7s player %6.2f s  X server %6.2f s  total %6.2f s  dropped vo %lld dec %lld  (%s)\n",
        round, who, f.playerCpu, f.serverCpu, f.playerCpu + f.serverCpu, f.voDrops, f.decoderDrops,
        qPrintable(f.output));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (argc > 1 && qstrcmp(argv[1], "--lumora") == 0) {
        QApplication app(argc, argv);
        return runPlayWindow(app.arguments());
    }
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    const int rounds = qMax(1, a.value(1, QStringLiteral("2")).toInt());
    const int windowMs = qMax(1, a.value(2, QStringLiteral("10")).toInt()) * 1000;
    const int warmupMs = qMax(0, a.value(3, QStringLiteral("5")).toInt()) * 1000;
    const QStringList sizes = a.value(4, QStringLiteral("640x360,1920x1080")).split(QLatin1Char(','));
    const QStringList paths = a.value(5, QStringLiteral("1,0")).split(QLatin1Char(','));
    if (xServerPid() == 0) {
        std::fprintf(stderr, "no Xvfb found for DISPLAY; run under xvfb-run\n");
        return 1;
    }
    QTemporaryDir dir;
    std::printf("CPU seconds over %d s after a %d s warm-up; %d round(s), Lumora and bare mpv in turn\n",
                windowMs / 1000, warmupMs / 1000, rounds);
    struct Row
    {
        QString label;
        double lumora, bare;
        qint64 lumoraDrops, bareDrops;
    };
    QList<Row> rows;
    for (const QString &sizeText : sizes) {
        const QStringList wh = sizeText.split(QLatin1Char('x'));
        const QSize size(wh.value(0).toInt(), wh.value(1).toInt());
        const QString clip = dir.filePath(QStringLiteral("clip-%1.mp4").arg(sizeText));
        if (!makeClip(clip, size)) {
            std::fprintf(stderr, "ffmpeg could not make %s\n", qPrintable(clip));
            return 1;
        }
        for (const QString &path : paths) {
            const int hardDecode = path.toInt();
            std::printf("%s, HardDecode = %d\n", qPrintable(sizeText), hardDecode);
            QList<double> lumora, bare;
            qint64 lumoraDrops = 0, bareDrops = 0;
            for (int round = 1; round <= rounds; ++round) {
                const Figures l = measureLumora(clip, size, hardDecode, warmupMs, windowMs);
                printFigures("Lumora", round, l);
                // The bare player gets the video output the play window ended up with.
                QString vo = QStringLiteral("gpu");
                const int at = l.output.indexOf(QLatin1String("vo="));
                if (at >= 0 && !l.output.mid(at + 3).section(QLatin1Char(' '), 0, 0).isEmpty())
                    vo = l.output.mid(at + 3).section(QLatin1Char(' '), 0, 0);
                if (vo == QLatin1String("libmpv"))
                    vo = QStringLiteral("gpu");
                const Figures b = measureBare(clip, size, vo,
                                              hardDecode == 1 ? QStringLiteral("auto") : QStringLiteral("no"),
                                              warmupMs, windowMs, dir.filePath(QStringLiteral("mpv.sock")));
                printFigures("mpv", round, b);
                if (l.ok)
                    lumora << l.playerCpu + l.serverCpu;
                if (b.ok)
                    bare << b.playerCpu + b.serverCpu;
                lumoraDrops += l.voDrops + l.decoderDrops;
                bareDrops += b.voDrops + b.decoderDrops;
            }
            rows.append({QStringLiteral("%1 HardDecode=%2").arg(sizeText).arg(hardDecode), mean(lumora),
                         mean(bare), lumoraDrops, bareDrops});
        }
    }
    std::printf("\n%-24s %14s %14s %7s %14s\n", "clip, path", "Lumora (s)", "bare mpv (s)", "ratio",
                "dropped L/mpv");
    for (const Row &r : rows)
        std::printf("%-24s %14.2f %14.2f %7.2f %9lld/%lld\n", qPrintable(r.label), r.lumora, r.bare,
                    r.bare > 0 ? r.lumora / r.bare : 0.0, r.lumoraDrops, r.bareDrops);
    return 0;
}
