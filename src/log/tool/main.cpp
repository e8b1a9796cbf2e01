// lumora-log: proof of play from the command line, read straight from the player's log.db.

#include "fleetcommand.h"
#include "log/playlogcsv.h"
#include "log/playlogreader.h"
#include "platform/applocations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>

namespace {

// Exit statuses.
constexpr int Ok = 0;
constexpr int Usage = 1;   // bad arguments
constexpr int Failure = 2; // unreadable or damaged log

const char *const usageText =
    "Usage: lumora-log search  [--db FILE] [--from yyyy-MM-dd] [--to yyyy-MM-dd] [--keyword TEXT] [--csv]\n"
    "       lumora-log summary [--db FILE] [--from yyyy-MM-dd] [--to yyyy-MM-dd] [--keyword TEXT] [--csv]\n"
    "       lumora-log --help | --version\n";

const char *const helpText =
    "Reads the player's play log (never writes to it).\n"
    "\n"
    "Commands:\n"
    "  search    every played item that started in the date range and whose name contains\n"
    "            the keyword: name, duration (seconds shown), start, stop, result (\"success\"\n"
    "            when shown; otherwise what kept it off screen or cut it short)\n"
    "  summary   per media item (per file: two files of one name are two items): plays,\n"
    "            seconds shown, first and last start, rows not shown, path\n"
    "\n"
    "Options:\n"
    "  --db FILE          the log to read (default: the player's log.db)\n"
    "  --from yyyy-MM-dd  first start date, inclusive (default: no limit)\n"
    "  --to yyyy-MM-dd    last start date, inclusive (default: no limit)\n"
    "  --keyword TEXT     part of the name, taken literally, ASCII case ignored; the names of\n"
    "                     clocks, texts and the like match in English or Chinese\n"
    "  --csv              CSV (UTF-8, header row, RFC 4180 quoting) instead of tab-separated text\n"
    "  -h, --help         show this help\n"
    "  -v, --version      show the version\n"
    "\n"
    "Exit status: 0 success, 1 bad arguments, 2 a log that is missing, unreadable or damaged.\n";

void out(const QByteArray &bytes)
{
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void err(const QString &message)
{
    const QByteArray bytes = message.toLocal8Bit() + '\n';
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

int usage(const QString &message)
{
    err(QStringLiteral("lumora-log: ") + message);
    fputs(usageText, stderr);
    return Usage;
}

QByteArray tabLine(const QStringList &fields)
{
    QStringList clean;
    for (QString f : fields)
        clean << f.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return clean.join(QLatin1Char('\t')).toUtf8() + '\n';
}

// The log the player beside this tool writes.
QString defaultLogPath()
{
    return AppLocations::playLogPath();
}

int readFailure(const PlayLogReader &reader)
{
    switch (reader.status()) {
    case PlayLogReader::Status::Missing:
        err(QStringLiteral("lumora-log: no play log at %1").arg(reader.path()));
        break;
    case PlayLogReader::Status::Busy:
        err(QStringLiteral("lumora-log: %1 stayed locked by the player: %2")
                .arg(reader.path(), reader.errorText()));
        break;
    case PlayLogReader::Status::Damaged:
        err(QStringLiteral("lumora-log: %1 is damaged: %2").arg(reader.path(), reader.errorText()));
        break;
    default:
        err(QStringLiteral("lumora-log: cannot read %1: %2").arg(reader.path(), reader.errorText()));
        break;
    }
    return Failure;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumora-log"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMORA_VERSION));
    QStringList args = app.arguments().mid(1);

    if (args.contains(QStringLiteral("-h")) || args.contains(QStringLiteral("--help"))) {
        fputs(usageText, stdout);
        fputs(FleetCommand::usageText, stdout);
        fputs("\n", stdout);
        fputs(helpText, stdout);
        fputs(FleetCommand::helpText, stdout);
        return Ok;
    }
    if (args.contains(QStringLiteral("-v")) || args.contains(QStringLiteral("--version"))) {
        out(QByteArray("lumora-log " LUMORA_VERSION "\n"));
        return Ok;
    }
    if (args.isEmpty())
        return usage(QStringLiteral("a command is needed"));
    if (args.contains(QStringLiteral("--fleet")))
        return FleetCommand::run(args);
    const QString command = args.takeFirst();
    if (command != QLatin1String("search") && command != QLatin1String("summary"))
        return usage(QStringLiteral("unknown command \"%1\"").arg(command));

    PlayLogFilter filter;
    QString db;
    bool csv = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--csv")) {
            csv = true;
            continue;
        }
        const bool takesValue = arg == QLatin1String("--db") || arg == QLatin1String("--from") ||
                                arg == QLatin1String("--to") || arg == QLatin1String("--keyword");
        if (!takesValue)
            return usage(QStringLiteral("unknown argument \"%1\"").arg(arg));
        if (i + 1 >= args.size())
            return usage(QStringLiteral("%1 needs a value").arg(arg));
        const QString value = args.at(++i);
        if (arg == QLatin1String("--db")) {
            db = value;
        } else if (arg == QLatin1String("--keyword")) {
            filter.keyword = value;
        } else {
            const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
            if (!date.isValid())
                return usage(QStringLiteral("%1 takes a date as yyyy-MM-dd, not \"%2\"").arg(arg, value));
            (arg == QLatin1String("--from") ? filter.from : filter.to) = date;
        }
    }

    PlayLogReader reader(db.isEmpty() ? defaultLogPath() : db);
    for (const QString &aside : reader.setAsideFiles())
        err(QStringLiteral("lumora-log: note: a damaged play log was set aside as %1").arg(aside));

    if (command == QLatin1String("search")) {
        const QByteArray header =
            csv ? PlayLogCsv::rowsHeader()
                : tabLine({QStringLiteral("Name"), QStringLiteral("Duration"), QStringLiteral("StartTime"),
                           QStringLiteral("StopTime"), QStringLiteral("Result")});
        bool started = false;
        const bool ok = reader.forEach(filter, [&](const PlayLogEntry &e) {
            if (!started)
                out(header);
            started = true;
            out(csv ? PlayLogCsv::rowLine(e)
                    : tabLine({e.name, e.length, e.startText(), e.stopText(), e.result}));
            return true;
        });
        if (!ok)
            return readFailure(reader);
        if (!started)
            out(header);
        return Ok;
    }

    QVector<PlayLogSummaryRow> rows;
    if (!reader.summary(filter, &rows) && reader.status() != PlayLogReader::Status::Ok)
        return readFailure(reader);
    out(csv ? PlayLogCsv::summaryHeader()
            : tabLine({QStringLiteral("Name"), QStringLiteral("Plays"), QStringLiteral("Seconds"),
                       QStringLiteral("FirstPlay"), QStringLiteral("LastPlay"), QStringLiteral("NotShown"),
                       QStringLiteral("Path")}));
    for (const PlayLogSummaryRow &row : qAsConst(rows)) {
        out(csv ? PlayLogCsv::summaryLine(row)
                : tabLine({row.name, QString::number(row.plays), row.secondsText(), row.firstPlay,
                           row.lastPlay, QString::number(row.notShown), row.path}));
    }
    return Ok;
}
