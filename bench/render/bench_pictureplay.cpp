// Plays camera photos (4000 x 3000 JPEG) one after the other in a real play window, a second
// each, and prints the longest event-loop pause, how long the window showed no picture after
// the first one appeared (a hand-over that found its picture not ready) and the peak memory.
// Run under xvfb-run.
//
//   bench_pictureplay [count] [window width] [window height]     (defaults 20 1920 1080)
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "schemebuilder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {
qint64 statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

QString makePhoto(const QString &folder, int i)
{
    QImage photo(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient gradient(0, 0, 4000, 3000);
    gradient.setColorAt(0, QColor::fromHsv((i * 47) % 360, 200, 140));
    gradient.setColorAt(1, QColor(230, 180, 60));
    painter.fillRect(photo.rect(), gradient);
    for (int k = 0; k < 200; ++k) {
        painter.setPen(QColor::fromHsv((k * 37 + i) % 360, 200, 220));
        painter.drawEllipse(QPoint((k * 97) % 4000, (k * 61) % 3000), 40 + k % 90, 30 + k % 70);
    }
    painter.end();
    const QString path = folder + QStringLiteral("/photo%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
    return photo.save(path, "JPEG", 90) ? path : QString();
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int count = args.size() > 1 ? args.at(1).toInt() : 20;
    const int width = args.size() > 2 ? args.at(2).toInt() : 1920;
    const int height = args.size() > 3 ? args.at(3).toInt() : 1080;

    QTemporaryDir dir;
    QList<LumoraMediaObject *> items;
    for (int i = 0; i < count; ++i) {
        const QString path = dir.isValid() ? makePhoto(dir.path(), i) : QString();
        if (path.isEmpty()) {
            std::fprintf(stderr, "bench_pictureplay: cannot write the photos\n");
            return 1;
        }
        items << SchemeBuilder::image(path, 1);
    }
    ProgramObject page; // owns the window and its items
    page.name = QStringLiteral("P");
    page.segmentName = QStringLiteral("S");
    page.displayWindowName = QStringLiteral("Hall");
    CommonWinObject *window =
        SchemeBuilder::window(&page, QStringLiteral("W"), items, QRect(0, 0, width, height));
    const qint64 peakBefore = statusKiB("VmHWM:");

    // The play window exists before its page is handed over, as in a loaded scheme.
    MainPlayBKLabel surface(QStringLiteral("Hall"), nullptr, false);
    surface.setGeometry(0, 0, width, height);
    surface.realPlayMode = true;
    surface.show();
    CommonPlayWindow *pw = surface.showCommonWindow(false, window);

    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    qint64 longestPause = 0;
    qint64 missingMsecs = 0;
    qint64 shownAt = -1;
    int rows = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestPause = qMax(longestPause, now - lastTick);
        const bool showing =
            !pw->pictureLabel->isHidden() && !pw->pictureLabel->pixmap(Qt::ReturnByValue).isNull();
        if (showing && shownAt < 0)
            shownAt = now;
        else if (!showing && shownAt >= 0)
            missingMsecs += now - lastTick;
        lastTick = now;
    });
    QObject::connect(&surface, &MainPlayBKLabel::sigPlayLogRow, [&] {
        if (++rows < count)
            return;
        ticker.stop();
        app.exit(0);
    });
    QElapsedTimer playTime;
    QTimer::singleShot(1000, [&] {
        pw->setMediaList(window->media);
        lastTick = clock.elapsed();
        ticker.start();
        playTime.start();
        pw->startWindowPlay();
    });
    const int status = app.exec();
    std::printf("%d photos of 4000x3000 played in a %dx%d window, a second each: %lld ms\n", rows, width,
                height, playTime.elapsed());
    std::printf("first picture shown after: %lld ms; no picture shown after that: %lld ms\n",
                shownAt < 0 ? -1 : shownAt - (clock.elapsed() - playTime.elapsed()), missingMsecs);
    std::printf("longest event-loop pause: %lld ms\n", longestPause);
    std::printf("peak memory (VmHWM): %lld MiB (before play: %lld MiB; at the end: %lld MiB)\n",
                statusKiB("VmHWM:") / 1024, peakBefore / 1024, statusKiB("VmRSS:") / 1024);
    return status;
}
