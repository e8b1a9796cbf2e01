#pragma once

#include "playlogentry.h"
#include "playlogsummaryrow.h"

#include <QByteArray>
#include <QStringList>

// CSV in UTF-8 with a header row, fields quoted as RFC 4180 asks (comma, quote, CR or LF
// inside a field; quotes doubled) and CRLF line ends. The column names are fixed English
// keys so that scripts read every export the same way, whatever the interface language.
class PlayLogCsv
{
public:
    static QByteArray line(const QStringList &fields);

    static QByteArray rowsHeader();
    static QByteArray rowLine(const PlayLogEntry &entry);
    static QByteArray summaryHeader();
    static QByteArray summaryLine(const PlayLogSummaryRow &row);
};
