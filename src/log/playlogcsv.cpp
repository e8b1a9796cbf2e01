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

QByteArray PlayLogCsv::rowsHeader()
{
    return line({QStringLiteral("Name"), QStringLiteral("Duration"), QStringLiteral("StartTime"),
                 QStringLiteral("StopTime"), QStringLiteral("Result")});
}

QByteArray PlayLogCsv::rowLine(const PlayLogEntry &entry)
{
    return line({entry.name, entry.length, entry.startText(), entry.stopText(), entry.result});
}

QByteArray PlayLogCsv::summaryHeader()
{
    return line({QStringLiteral("Name"), QStringLiteral("Plays"), QStringLiteral("Seconds"),
                 QStringLiteral("FirstPlay"), QStringLiteral("LastPlay"), QStringLiteral("NotShown"),
                 QStringLiteral("Path")});
}

QByteArray PlayLogCsv::summaryLine(const PlayLogSummaryRow &row)
{
    return line({row.name, QString::number(row.plays), row.secondsText(), row.firstPlay, row.lastPlay,
                 QString::number(row.notShown), row.path});
}
