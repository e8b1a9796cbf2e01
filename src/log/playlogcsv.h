#pragma once

#include "playlogentry.h"
#include "playlogsummaryrow.h"

#include <QByteArray>
#include <QStringList>

// CSV in UTF-8 with a header row, fields quoted as RFC 4180 asks (comma, quote, CR or LF
// inside a field; quotes doubled) and CRLF line ends. The column names are fixed English
// keys so that scripts read every export the same way, whatever the interface language, and
// dates and times are ISO 8601 local times with milliseconds ("2026-12-08T19:54:25.146"),
// which spreadsheets and date libraries read as times. Names and results are as stored.
class PlayLogCsv
{
public:
    static QByteArray line(const QStringList &fields);

    static QByteArray rowsHeader();
    static QByteArray rowLine(const PlayLogEntry &entry);
    static QByteArray summaryHeader();
    static QByteArray summaryLine(const PlayLogSummaryRow &row);

    // "yyyy-MM-ddTHH:mm:ss.zzz" of a stored "yyyy-MM-dd HH:mm:ss:zzz" (or its two columns);
    // text that is not that is passed through.
    static QString isoTime(const QString &date, const QString &time);
    static QString isoTime(const QString &dateTime);
};
