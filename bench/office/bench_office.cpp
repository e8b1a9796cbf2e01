// Figures of a 100-page office document (LibreOffice needed; run under xvfb-run):
//   conversion  time from the request to the finished job (LibreOffice and the page count);
//   drawing     time to draw every page at scale 2, in page order, as play does;
//   memory      peak resident size of a player playing a scheme with the document, against the
//               same scheme with a picture in its place (each played in a process of its own);
//   GUI pause   the longest gap of a 10 ms GUI-thread timer while the import runs with its
//               progress dialog on show.
//
//   bench_office [pages] [seconds of play]      (defaults: 100 pages, 100 s)
#include "appcore/settings.h"
#include "editor/projecttree.h"
#include "import/cconverter.h"
#include "import/officejob.h"
#include "import/officeservice.h"
#include "importui/officeprogressdialog.h"
#include "log/databaseconn.h"
#include "model/commonwinobject.h"
#include "model/generalobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemewriter.h"
#include "scriptedwidget.h"
#include "shell/mainmenubklabel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <cstdio>

namespace {
QByteArray flatText(int pages)
{
    QByteArray body;
    for (int p = 0; p < pages; ++p) {
        body += p == 0 ? "<text:h>" : "<text:h text:style-name=\"Break\">";
        body += "Page " + QByteArray::number(p + 1) + "</text:h>\n";
        for (int line = 0; line < 30; ++line)
            body += "<text:p>The quick brown fox jumps over the lazy dog, line " + QByteArray::number(line) +
                    ".</text:p>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
           "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
           "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
           "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" office:version=\"1.2\" "
           "office:mimetype=\"application/vnd.oasis.opendocument.text\">\n"
           "<office:automatic-styles><style:style style:name=\"Break\" style:family=\"paragraph\">"
           "<style:paragraph-properties fo:break-before=\"page\"/></style:style></office:automatic-styles>\n"
           "<office:body><office:text>\n" +
           body + "</office:text></office:body></office:document>\n";
}

long statusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void wait(int msec)
{
    QEventLoop loop;
    QTimer::singleShot(msec, &loop, &QEventLoop::quit);
    loop.exec();
}

// Child: opens `scheme` in the real main window, plays it for `seconds`, prints peak memory.
int play(const QString &scheme, const QString &cacheDir, int seconds)
{
    const QString home = QFileInfo(scheme).absolutePath();
    setApplicationDirectory(home);
    dataBaseConn::setDatabasePath(home + QStringLiteral("/log.db"));
    OfficeService service(cacheDir);
    OfficeService::installInstance(&service);
    ScriptedWidget widget;
    widget.show();
    widget.openPaths << scheme;
    emit widget.mainMenu()->sigOpenDoc();
    // Pages come from the cache; play starts once they are known.
    QElapsedTimer ready;
    ready.start();
    while (!service.pendingJobs().isEmpty() && ready.elapsed() < 60000)
        wait(50);
    const long before = statusKb("VmRSS:");
    widget.slotStartLast();
    wait(seconds * 1000);
    std::printf("%ld %ld\n", before, statusKb("VmHWM:"));
    std::fflush(stdout);
    emit widget.mainMenu()->sigStop();
    OfficeService::installInstance(nullptr);
    return 0;
}

QString writeScheme(const QString &path, const QString &mediaPath, bool office)
{
    Scheme scheme;
    scheme.displayWindowCounter = 1;
    Scheme::DisplayWindow &dw = scheme.addDisplayWindow();
    dw.window.name = QStringLiteral("Hall");
    dw.window.width = 960;
    dw.window.height = 540;
    auto *segment = new GeneralObject;
    segment->name = QStringLiteral("General Segment1");
    segment->displayWindowName = dw.window.name;
    segment->weekdays = Weekdays::all();
    auto *page = new ProgramObject;
    page->name = QStringLiteral("Program1");
    page->segmentName = segment->name;
    page->displayWindowName = dw.window.name;
    auto *window = new CommonWinObject;
    window->name = QStringLiteral("Common Window1");
    window->segmentKind = QStringLiteral("generalSegment");
    window->displayWindowName = dw.window.name;
    window->segmentName = segment->name;
    window->programName = page->name;
    window->width = 960;
    window->height = 540;
    LumoraMediaObject *item = addPicture(window, mediaPath, 1);
    item->mediaId = 1;
    if (office)
        item->type = QStringLiteral("office");
    page->windows << window;
    segment->programs << page;
    dw.schedule.generalSegments << segment;
    return SchemeWriter::save(path, scheme) ? path : QString();
}

long childPeak(const QString &scheme, const QString &cacheDir, int seconds, long *before)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--play"), scheme, cacheDir, QString::number(seconds)});
    if (!child.waitForFinished((seconds + 120) * 1000))
        return -1;
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    *before = figures.value(0).toLong();
    return figures.value(1).toLong();
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--play"))
        return play(args.value(2), args.value(3), args.value(4).toInt());
    const int pages = args.size() > 1 ? args.value(1).toInt() : 100;
    const int seconds = args.size() > 2 ? args.value(2).toInt() : 100;

    QTemporaryDir dir;
    QTemporaryDir profile;
    const QString fodt = dir.filePath(QStringLiteral("long.fodt"));
    QFile f(fodt);
    if (!f.open(QIODevice::WriteOnly) || f.write(flatText(pages)) < 0)
        return 1;
    f.close();
    QProcess make;
    make.start(QStringLiteral("soffice"),
               {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("docx"),
                QStringLiteral("--outdir"), dir.path(), fodt});
    if (!make.waitForFinished(300000) || !QFile::exists(dir.filePath(QStringLiteral("long.docx")))) {
        std::fprintf(stderr, "LibreOffice could not make the document\n");
        return 1;
    }
    const QString docx = dir.filePath(QStringLiteral("long.docx"));
    const QString cacheDir = dir.filePath(QStringLiteral("tmp"));

    // ---- import with its progress dialog, the GUI thread watched by a 10 ms timer
    OfficeService service(cacheDir);
    QWidget mainWindow;
    mainWindow.resize(400, 300);
    mainWindow.show();
    OfficeProgressDialog progress(&mainWindow);
    qint64 longestPause = 0;
    QElapsedTimer gap;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestPause = qMax(longestPause, gap.restart() - 10);
        mainWindow.update();
    });
    QElapsedTimer conversion;
    conversion.start();
    const QSharedPointer<OfficeJob> job = service.request(docx);
    progress.watch(job.data());
    gap.start();
    tick.start(10);
    QEventLoop loop;
    QObject::connect(job.data(), &OfficeJob::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const qint64 conversionMs = conversion.elapsed();
    tick.stop();
    if (!job->ok()) {
        std::fprintf(stderr, "conversion failed: %s\n", qPrintable(job->message()));
        return 1;
    }

    // ---- every page drawn in order, as a play window's loader does
    QElapsedTimer drawing;
    drawing.start();
    qint64 slowest = 0;
    const OfficePageList list = job->pages();
    for (int i = 0; i < list.size(); ++i) {
        QElapsedTimer one;
        one.start();
        const QImage page = list.at(i);
        slowest = qMax(slowest, one.elapsed());
        if (page.isNull())
            std::fprintf(stderr, "page %d could not be drawn\n", i + 1);
    }
    const qint64 drawingMs = drawing.elapsed();

    std::printf("pages                      %d (document of %d)\n", list.size(), pages);
    std::printf("conversion                 %lld ms\n", conversionMs);
    std::printf("drawing all pages          %lld ms (%.0f ms a page, slowest %lld ms)\n", drawingMs,
                double(drawingMs) / qMax(1, list.size()), slowest);
    std::printf("longest GUI-thread pause   %lld ms during the import (target: none over 250 ms)\n",
                longestPause);
    std::fflush(stdout);

    // ---- the player's memory, with the document and with a picture in its place
    QImage picture(1190, 1684, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QString png = dir.filePath(QStringLiteral("page.png"));
    picture.save(png);
    const QString withDoc = writeScheme(dir.filePath(QStringLiteral("office.schx")), docx, true);
    const QString without = writeScheme(dir.filePath(QStringLiteral("picture.schx")), png, false);
    long docBefore = 0;
    long baseBefore = 0;
    const long docPeak = childPeak(withDoc, cacheDir, seconds, &docBefore);
    const long basePeak = childPeak(without, cacheDir, seconds, &baseBefore);
    std::printf("player peak, document      %ld MB (%ld MB before play, %d s of play)\n", docPeak / 1024,
                docBefore / 1024, seconds);
    std::printf("player peak, picture       %ld MB (%ld MB before play)\n", basePeak / 1024,
                baseBefore / 1024);
    std::printf("difference                 %ld MB (target: under 300 MB)\n", (docPeak - basePeak) / 1024);
    return 0;
}
