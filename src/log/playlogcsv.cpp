#include "playlogcsv.h"

QByteArray PlayLogCsv::line(const QStringList &fields)
{
    QByteArray out;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        const QByteArray text = fields.at(i).toUtf8();
        if (text.contains(',') || text.contains('"') || text.contains('\r') || text.contains('\n')) {
            QByteArray quoted = text;
            quoted.replace('"', "\"\"");
            out += '"' + quoted + '"';
        } else {
            out += text;
        }
    }
    out += "\r\n";
    return out;
}

QString PlayLogCsv::isoTime(const QString &date, const QString &time)
{
    // Stored times are "HH:mm:ss:zzz": the last colon is the one before the milliseconds.
    if (date.size() != 10 || time.size() != 12 || time.at(8) != QLatin1Char(':'))
        return date + QLatin1Char(' ') + time;
    return date + QLatin1Char('T') + time.leftRef(8) + QLatin1Char('.') + time.rightRef(3);
}

QString PlayLogCsv::isoTime(const QString &dateTime)
{
    const int space = dateTime.indexOf(QLatin1Char(' '));
    return space < 0 ? dateTime : isoTime(dateTime.left(space), dateTime.mid(space + 1));
}

QByteArray PlayLogCsv::rowsHeader()
{
    return line({QStringLiteral("Name"), QStringLiteral("Duration"), QStringLiteral("StartTime"),
                 QStringLiteral("StopTime"), QStringLiteral("Result"), QStringLiteral("Path")});
}

QByteArray PlayLogCsv::rowLine(const PlayLogEntry &entry)
{
    return line({entry.name, entry.length, isoTime(entry.beginDate, entry.beginTime),
                 isoTime(entry.endDate, entry.endTime), entry.result, entry.path});
}

QByteArray PlayLogCsv::summaryHeader()
{
    return line({QStringLiteral("Name"), QStringLiteral("Plays"), QStringLiteral("Seconds"),
                 QStringLiteral("FirstPlay"), QStringLiteral("LastPlay"), QStringLiteral("NotShown"),
                 QStringLiteral("Path")});
}

QByteArray PlayLogCsv::summaryLine(const PlayLogSummaryRow &row)
{
    return line({row.name, QString::number(row.plays), row.secondsText(), isoTime(row.firstPlay),
                 isoTime(row.lastPlay), QString::number(row.notShown), row.path});
}
