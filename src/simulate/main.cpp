// lumora-simulate: plays a scheme on the virtual clock, headless, and prints what real play
// would write to the play log. Started by "lumora-scheme simulate".

#include "model/schemereader.h"
#include "simulator.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int Ok = 0;
constexpr int Failure = 2;
// Longer runs are refused: a year of a busy scheme would take hours.
constexpr qint64 MaxDurationSeconds = 366LL * 86400;

const char *const usageText = "Usage: lumora-scheme simulate FILE.schx --start YYYY-MM-DDTHH:MM:SS[.zzz] "
                              "--duration SECONDS [--events] [--stats] [--media-folder DIR]\n";

int fail(const QString &message, bool usage = false)
{
    fflush(stdout);
    fprintf(stderr, "lumora-scheme simulate: %s\n", message.toLocal8Bit().constData());
    if (usage)
        fputs(usageText, stderr);
    return Failure;
}

QDateTime parseStart(const QString &text)
{
    QDateTime start = QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"));
    if (!start.isValid())
        start = QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    return start;
}

} // namespace

int main(int argc, char *argv[])
{
    // Headless whatever the environment: nothing is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumora-simulate"));

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.contains(QStringLiteral("-h")) || args.contains(QStringLiteral("--help"))) {
        fputs(usageText, stdout);
        return Ok;
    }
    QString file;
    QString startText;
    QString durationText;
    QString mediaFolder;
    bool events = false;
    bool stats = false;
    bool dashes = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (!dashes && arg == QLatin1String("--")) {
            dashes = true;
        } else if (!dashes && (arg == QLatin1String("--start") || arg == QLatin1String("--duration") ||
                               arg == QLatin1String("--media-folder"))) {
            if (i + 1 >= args.size())
                return fail(QStringLiteral("%1 needs a value").arg(arg), true);
            QString &value = arg == QLatin1String("--start")      ? startText
                             : arg == QLatin1String("--duration") ? durationText
                                                                  : mediaFolder;
            value = args.at(++i);
        } else if (!dashes && arg == QLatin1String("--events")) {
            events = true;
        } else if (!dashes && arg == QLatin1String("--stats")) {
            stats = true;
        } else if (!dashes && arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            return fail(QStringLiteral("unknown option %1").arg(arg), true);
        } else if (file.isEmpty()) {
            file = arg;
        } else {
            return fail(QStringLiteral("simulate takes one file"), true);
        }
    }
    if (file.isEmpty())
        return fail(QStringLiteral("no scheme file given"), true);
    if (startText.isEmpty() || durationText.isEmpty())
        return fail(QStringLiteral("--start and --duration are required"), true);
    const QDateTime start = parseStart(startText);
    if (!start.isValid())
        return fail(QStringLiteral("--start %1 is not YYYY-MM-DDTHH:MM:SS[.zzz]").arg(startText), true);
    bool ok = false;
    const qint64 seconds = durationText.toLongLong(&ok);
    if (!ok || seconds < 0 || seconds > MaxDurationSeconds)
        return fail(QStringLiteral("--duration %1 is not a number of seconds from 0 to %2")
                        .arg(durationText)
                        .arg(MaxDurationSeconds),
                    true);

    SchemeReader reader;
    if (!reader.readFile(file)) {
        if (reader.status() == SchemeReader::Damaged)
            return fail(QStringLiteral("%1: %2").arg(file, reader.errorString()));
        return fail(reader.errorString());
    }
    // The player finds a relative media path beside the scheme; so do the lengths read here.
    // A copy of a scheme written elsewhere (the editor's unsaved one) names the folder of its
    // original instead.
    if (!mediaFolder.isEmpty() && !QFileInfo(mediaFolder).isDir())
        return fail(QStringLiteral("--media-folder %1 is not a folder").arg(mediaFolder), true);
    QDir::setCurrent(mediaFolder.isEmpty() ? QFileInfo(file).absolutePath() : mediaFolder);

    Simulator simulator(reader.scheme(), start, events, [](const QString &line) {
        const QByteArray bytes = line.toUtf8() + '\n';
        fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    });
    QElapsedTimer wall;
    wall.start();
    simulator.run(seconds * 1000);
    fflush(stdout);
    if (stats) {
        // Peak resident memory of the whole run: a long simulation must cost no more than a
        // short one beyond the rows it prints.
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        fprintf(stderr, "simulated %lld s: %d rows in %.1f s, peak resident memory %.1f MiB\n", seconds,
                simulator.rowCount(), wall.elapsed() / 1000.0, usage.ru_maxrss / 1024.0);
    }
    return Ok;
}
