// Imports 200 JPEG photos of 4000 x 3000 into one window of a real schedule tree, with the
// progress dialog on screen, and prints the time taken, the peak memory of the process and
// the longest pause of the event loop while the import ran.
//
//   bench_import [count] [window width] [window height]     (defaults 200 320 240)
//
// LUMORA_LANGUAGE=0 or 1 shows the texts in Chinese or English; LUMORA_SHOT=<file.png> saves
// a picture of the screen a second into the import.
#include "appcore/translations.h"
#include "editor/mediaimport.h"
#include "editor/projecttree.h"
#include "editor/projectwidget.h"
#include "model/commonwinobject.h"
#include "model/lumoramediaobject.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {
qint64 peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// One photo-like picture (a gradient with detail, so it compresses like a photo), copied
// under `count` names.
bool makePhotos(const QString &folder, int count, QStringList &paths)
{
    QImage photo(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient gradient(0, 0, 4000, 3000);
    gradient.setColorAt(0, QColor(20, 60, 140));
    gradient.setColorAt(1, QColor(230, 180, 60));
    painter.fillRect(photo.rect(), gradient);
    for (int i = 0; i < 400; ++i) {
        painter.setPen(QColor::fromHsv((i * 37) % 360, 200, 220));
        painter.drawEllipse(QPoint((i * 97) % 4000, (i * 61) % 3000), 40 + i % 90, 30 + i % 70);
    }
    painter.end();
    const QString first = folder + QStringLiteral("/photo0000.jpg");
    if (!photo.save(first, "JPEG", 90))
        return false;
    paths << first;
    for (int i = 1; i < count; ++i) {
        const QString path = folder + QStringLiteral("/photo%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        if (!QFile::copy(first, path))
            return false;
        paths << path;
    }
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int count = args.size() > 1 ? args.at(1).toInt() : 200;
    const int width = args.size() > 2 ? args.at(2).toInt() : 320;
    const int height = args.size() > 3 ? args.at(3).toInt() : 240;

    if (qEnvironmentVariableIsSet("LUMORA_LANGUAGE"))
        installTranslations(qEnvironmentVariableIntValue("LUMORA_LANGUAGE"));
    const QString shot = qEnvironmentVariable("LUMORA_SHOT");

    QTemporaryDir dir;
    QStringList paths;
    if (!dir.isValid() || !makePhotos(dir.path(), count, paths)) {
        std::fprintf(stderr, "bench_import: cannot write the photos\n");
        return 1;
    }
    const qint64 peakBefore = peakMemoryKiB();

    ProjectWidget widget(QStringLiteral("Hall"));
    ProjectTree *tree = widget.tree();
    tree->buildDefaultSchedule();
    tree->slotSelectItemChecked();
    CommonWinObject *window = tree->getCurCommonWin();
    window->width = width;
    window->height = height;
    widget.resize(400, 600);
    widget.show();

    // A 5 ms timer: the gap between two of its ticks is how long the event loop was away.
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestPause = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestPause = qMax(longestPause, now - lastTick);
        lastTick = now;
    });

    QElapsedTimer total;
    int added = 0;
    QTimer::singleShot(200, [&] {
        clock.start();
        ticker.start();
        total.start();
        MediaImport *import = tree->importMediaFiles(paths);
        if (!import) {
            app.exit(1);
            return;
        }
        if (!shot.isEmpty()) {
            QTimer::singleShot(1000, [&] { QGuiApplication::primaryScreen()->grabWindow(0).save(shot); });
        }
        QObject::connect(import, &MediaImport::finished, [&](int n) {
            added = n;
            const qint64 now = clock.elapsed();
            longestPause = qMax(longestPause, now - lastTick);
            ticker.stop();
            app.exit(0);
        });
    });
    const int status = app.exec();
    const qint64 msecs = total.elapsed();
    std::printf("photos: %d of 4000x3000 into a %dx%d window, items added: %d\n", count, width, height,
                added);
    std::printf("time: %lld ms (%.1f ms a photo)\n", msecs, count ? double(msecs) / count : 0.0);
    std::printf("peak memory (VmHWM): %lld MiB (before the import: %lld MiB)\n", peakMemoryKiB() / 1024,
                peakBefore / 1024);
    std::printf("longest event-loop pause: %lld ms (target: none over 250 ms)\n", longestPause);
    return status;
}
