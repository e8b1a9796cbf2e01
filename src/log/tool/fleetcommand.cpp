#include "fleetcommand.h"

#include "fleetlog/fleetlogstore.h"
#include "fleetlog/fleetreport.h"
#include "log/playlogcsv.h"

#include <cstdio>

namespace FleetCommand {

const char *const usageText =
    "       lumora-log --fleet postgresql://... search|summary [--from yyyy-MM-dd] [--to yyyy-MM-dd]\n"
    "                  [--keyword TEXT] [--device D] [--group G] [--item TEXT]\n"
    "                  [--by item|device|group|day|hour] [--csv]\n";

const char *const helpText =
    "\n"
    "Fleet (--fleet ADDRESS): the same from the fleet's central play log, which \"lumora-fleet\n"
    "collect\" keeps in PostgreSQL (ADDRESS is a libpq URI, e.g. postgresql://lumora@/lumora?host=\n"
    "/run/postgresql). Dates, days, hours and times are each device's own local time, as its rows\n"
    "logged it, so a day is the device's day wherever it is.\n"
    "  search    adds the device (and in CSV the display window, window, bundle and content hash)\n"
    "  summary   plays, seconds shown, first and last start and rows not shown, per --by:\n"
    "            item (default; the same columns as the local summary), device, group (a device\n"
    "            in two groups counts in both), day or hour; read from the summary the collector\n"
    "            keeps, whole hours, so --from and --to are whole days\n"
    "  --device D         only the device D\n"
    "  --group G          only the devices of group G (as their last upload named their groups)\n"
    "  --item TEXT        only the item TEXT: its file or address, or its name when it has none\n";

namespace {

constexpr int Ok = 0;
constexpr int Usage = 1;
constexpr int Failure = 2;

void out(const QByteArray &bytes)
{
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void err(const QString &message)
{
    const QByteArray bytes = QByteArray("lumora-log: ") + message.toLocal8Bit() + '\n';
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

int usage(const QString &message)
{
    err(message);
    return Usage;
}

QByteArray tabLine(const QStringList &fields)
{
    QStringList clean;
    for (QString f : fields)
        clean << f.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return clean.join(QLatin1Char('\t')).toUtf8() + '\n';
}

QString keyHeader(FleetReport::By by)
{
    switch (by) {
    case FleetReport::By::Item:
        return QStringLiteral("Name");
    case FleetReport::By::Device:
        return QStringLiteral("Device");
    case FleetReport::By::Group:
        return QStringLiteral("Group");
    case FleetReport::By::Day:
        return QStringLiteral("Day");
    case FleetReport::By::Hour:
        return QStringLiteral("Hour");
    }
    return QString();
}

} // namespace

int run(QStringList args)
{
    QString address;
    QString command;
    FleetReport::Filter filter;
    FleetReport::By by = FleetReport::By::Item;
    bool byGiven = false;
    bool csv = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--csv")) {
            csv = true;
            continue;
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            if (!command.isEmpty())
                return usage(QStringLiteral("unknown argument \"%1\"").arg(arg));
            command = arg;
            continue;
        }
        static const QStringList valued{QStringLiteral("--fleet"),  QStringLiteral("--from"),
                                        QStringLiteral("--to"),     QStringLiteral("--keyword"),
                                        QStringLiteral("--device"), QStringLiteral("--group"),
                                        QStringLiteral("--item"),   QStringLiteral("--by")};
        if (!valued.contains(arg))
            return usage(QStringLiteral("unknown argument \"%1\"").arg(arg));
        if (i + 1 >= args.size())
            return usage(QStringLiteral("%1 needs a value").arg(arg));
        const QString value = args.at(++i);
        if (arg == QLatin1String("--fleet")) {
            address = value;
        } else if (arg == QLatin1String("--keyword")) {
            filter.keyword = value;
        } else if (arg == QLatin1String("--device")) {
            filter.device = value;
        } else if (arg == QLatin1String("--group")) {
            filter.group = value;
        } else if (arg == QLatin1String("--item")) {
            filter.item = value;
        } else if (arg == QLatin1String("--by")) {
            if (!FleetReport::byFromText(value, &by))
                return usage(
                    QStringLiteral("--by takes item, device, group, day or hour, not \"%1\"").arg(value));
            byGiven = true;
        } else {
            const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
            if (!date.isValid())
                return usage(QStringLiteral("%1 takes a date as yyyy-MM-dd, not \"%2\"").arg(arg, value));
            (arg == QLatin1String("--from") ? filter.from : filter.to) = date;
        }
    }
    if (command != QLatin1String("search") && command != QLatin1String("summary"))
        return usage(command.isEmpty() ? QStringLiteral("a command is needed")
                                       : QStringLiteral("unknown command \"%1\"").arg(command));
    if (byGiven && command == QLatin1String("search"))
        return usage(QStringLiteral("--by is for summary"));

    FleetLogStore store(address, QStringLiteral("lumora-log-fleet"));
    QString error;
    if (!store.openForReading(&error)) {
        err(error);
        return Failure;
    }
    FleetReport report(store.database());

    if (command == QLatin1String("search")) {
        const QByteArray header =
            csv ? PlayLogCsv::line(
                      {QStringLiteral("Device"), QStringLiteral("Name"), QStringLiteral("Duration"),
                       QStringLiteral("StartTime"), QStringLiteral("StopTime"), QStringLiteral("Result"),
                       QStringLiteral("Path"), QStringLiteral("Screen"), QStringLiteral("Window"),
                       QStringLiteral("Bundle"), QStringLiteral("Hash")})
                : tabLine({QStringLiteral("Device"), QStringLiteral("Name"), QStringLiteral("Duration"),
                           QStringLiteral("StartTime"), QStringLiteral("StopTime"),
                           QStringLiteral("Result")});
        out(header);
        const bool ok = report.search(filter, [csv](const FleetReport::SearchRow &row) {
            const PlayLogEntry &e = row.entry;
            if (csv)
                out(PlayLogCsv::line(
                    {row.device, e.name, e.length, PlayLogCsv::isoTime(e.beginDate, e.beginTime),
                     PlayLogCsv::isoTime(e.endDate, e.endTime), e.result, e.path, row.screen, row.window,
                     row.bundle < 0 ? QString() : QString::number(row.bundle), row.hash}));
            else
                out(tabLine({row.device, e.name, e.length, e.startText(), e.stopText(), e.result}));
            return true;
        });
        if (!ok) {
            err(QStringLiteral("cannot read the fleet's play log: %1").arg(report.errorText()));
            return Failure;
        }
        return Ok;
    }

    QVector<FleetReport::SummaryRow> rows;
    if (!report.summary(filter, by, &rows)) {
        err(QStringLiteral("cannot read the fleet's play log: %1").arg(report.errorText()));
        return Failure;
    }
    const bool items = by == FleetReport::By::Item;
    QStringList header{keyHeader(by),
                       QStringLiteral("Plays"),
                       QStringLiteral("Seconds"),
                       QStringLiteral("FirstPlay"),
                       QStringLiteral("LastPlay"),
                       QStringLiteral("NotShown")};
    if (items)
        header << QStringLiteral("Path");
    out(csv ? PlayLogCsv::line(header) : tabLine(header));
    for (const FleetReport::SummaryRow &row : qAsConst(rows)) {
        const PlayLogSummaryRow &s = row.sums;
        QStringList fields{row.key,
                           QString::number(s.plays),
                           s.secondsText(),
                           csv ? PlayLogCsv::isoTime(s.firstPlay) : s.firstPlay,
                           csv ? PlayLogCsv::isoTime(s.lastPlay) : s.lastPlay,
                           QString::number(s.notShown)};
        if (items)
            fields << s.path;
        out(csv ? PlayLogCsv::line(fields) : tabLine(fields));
    }
    return Ok;
}

} // namespace FleetCommand
