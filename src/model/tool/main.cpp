// lumora-scheme: inspect, build and check .schx scheme files without the player.

#include "import/schemeproblems.h"
#include "model/scheme.h"
#include "model/schemechecker.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "schemejson.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <cstdio>

namespace {

// Exit statuses.
constexpr int Ok = 0;
constexpr int Warnings = 1; // check only
constexpr int Failure = 2;  // usage error, unreadable or damaged input

// A JSON scheme is text; anything this large is not one.
constexpr qint64 MaxJsonSize = 256 * 1024 * 1024;

const char *const usageText = "Usage: lumora-scheme dump FILE.schx\n"
                              "       lumora-scheme build FILE.json OUT.schx\n"
                              "       lumora-scheme check FILE.schx\n"
                              "       lumora-scheme simulate FILE.schx --start YYYY-MM-DDTHH:MM:SS[.zzz] "
                              "--duration SECONDS [--events] [--stats] [--media-folder DIR]\n"
                              "       lumora-scheme --help | --version\n";

const char *const helpText =
    "Inspects, builds and checks Lumora scheme files (.schx).\n"
    "\n"
    "Commands:\n"
    "  dump FILE.schx             print the scheme as JSON\n"
    "  build FILE.json OUT.schx   write the scheme given as JSON (the dump format) to OUT.schx\n"
    "  check FILE.schx            report damage, then one warning per line: missing media files\n"
    "                             and ones that cannot be read as what they are shown as,\n"
    "                             windows outside their display window, segments that can never\n"
    "                             play, timing segments that never fire, schedules without media\n"
    "  simulate FILE.schx --start DATETIME --duration SECONDS [--events] [--stats]\n"
    "           [--media-folder DIR]\n"
    "                             play the scheme on a virtual clock from DATETIME for SECONDS and\n"
    "                             print the play-log rows real play would write (display window,\n"
    "                             window, then the seven log columns, tab-separated); --events adds\n"
    "                             segment, insert and page changes as lines starting with \"#\";\n"
    "                             --stats prints the rows, the time taken and the peak memory\n"
    "                             on standard error at the end; with --media-folder, relative\n"
    "                             media paths name files in DIR instead of beside the file\n"
    "\n"
    "Options:\n"
    "  -h, --help                 show this help\n"
    "  -v, --version              show the version\n"
    "\n"
    "Exit status: 0 success (check: no warning), 1 check found warnings,\n"
    "2 usage error or a file that cannot be read, is damaged or does not fit the format.\n";

void out(const QByteArray &bytes)
{
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

int fail(const QString &message)
{
    fflush(stdout);
    fprintf(stderr, "lumora-scheme: %s\n", message.toLocal8Bit().constData());
    return Failure;
}

int usageError(const QString &message)
{
    fail(message);
    fputs(usageText, stderr);
    return Failure;
}

bool readScheme(const QString &path, SchemeReader &reader)
{
    if (reader.readFile(path))
        return true;
    if (reader.status() == SchemeReader::Damaged)
        fail(QStringLiteral("%1: %2").arg(path, reader.errorString()));
    else
        fail(reader.errorString());
    return false;
}

int dump(const QString &path)
{
    SchemeReader reader;
    if (!readScheme(path, reader))
        return Failure;
    out(SchemeJson::toJson(reader.scheme()));
    return Ok;
}

int build(const QString &jsonPath, const QString &outPath)
{
    QFile file(jsonPath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot open %1: %2").arg(jsonPath, file.errorString()));
    const QByteArray json = file.read(MaxJsonSize + 1);
    if (json.size() > MaxJsonSize)
        return fail(QStringLiteral("%1 is larger than %2 bytes").arg(jsonPath).arg(MaxJsonSize));
    Scheme scheme;
    QString error;
    if (!SchemeJson::fromJson(json, &scheme, &error))
        return fail(QStringLiteral("%1: %2").arg(jsonPath, error));
    if (!SchemeWriter::save(outPath, scheme, &error))
        return fail(error);
    return Ok;
}

int check(const QString &path)
{
    SchemeReader reader;
    if (!readScheme(path, reader))
        return Failure;
    // The player finds a relative media path beside the scheme, so the check looks there too,
    // wherever it is run from.
    const QList<SchemeChecker::Warning> warnings =
        SchemeProblems::check(reader.scheme(), QFileInfo(path).absolutePath());
    for (const SchemeChecker::Warning &w : warnings)
        out((w.where + QStringLiteral(": ") + w.message).toUtf8() + '\n');
    return warnings.isEmpty() ? Ok : Warnings;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumora-scheme"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMORA_VERSION));

    QStringList args = QCoreApplication::arguments().mid(1);
    // The simulation plays the scheme through the real play windows, which need widgets this
    // tool does not link: the lumora-simulate program beside it runs it.
    if (!args.isEmpty() && args.first() == QLatin1String("simulate")) {
        const int status = QProcess::execute(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("lumora-simulate")),
            args.mid(1));
        return status < 0 ? fail(QStringLiteral("cannot run lumora-simulate")) : status;
    }
    for (const QString &arg : args) {
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            out(usageText);
            out("\n");
            out(helpText);
            return Ok;
        }
        if (arg == QLatin1String("-v") || arg == QLatin1String("--version")) {
            out("lumora-scheme " LUMORA_VERSION "\n");
            return Ok;
        }
    }
    // "--" ends the options, so that file names may start with a dash.
    const int dashes = args.indexOf(QStringLiteral("--"));
    for (int i = 0; i < (dashes < 0 ? args.size() : dashes); ++i) {
        if (args.at(i).startsWith(QLatin1Char('-')) && args.at(i) != QLatin1String("-"))
            return usageError(QStringLiteral("unknown option %1").arg(args.at(i)));
    }
    if (dashes >= 0)
        args.removeAt(dashes);
    if (args.isEmpty())
        return usageError(QStringLiteral("no command given"));

    const QString command = args.takeFirst();
    if (command == QLatin1String("dump")) {
        if (args.size() != 1)
            return usageError(QStringLiteral("dump takes one file"));
        return dump(args.at(0));
    }
    if (command == QLatin1String("build")) {
        if (args.size() != 2)
            return usageError(QStringLiteral("build takes a JSON file and an output file"));
        return build(args.at(0), args.at(1));
    }
    if (command == QLatin1String("check")) {
        if (args.size() != 1)
            return usageError(QStringLiteral("check takes one file"));
        return check(args.at(0));
    }
    return usageError(QStringLiteral("unknown command %1").arg(command));
}
