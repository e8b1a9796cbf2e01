#pragma once

#include <QDate>
#include <QString>

// What a search of the play log asks for: rows whose beginDate lies in [from, to] (a null
// date leaves that side open) and whose name contains `keyword` as plain text, ASCII case
// ignored (an empty keyword matches every name).
struct PlayLogFilter
{
    QDate from;
    QDate to;
    QString keyword;

    // Both bounds given and from after to: nothing can match.
    bool isEmptyRange() const { return from.isValid() && to.isValid() && from > to; }
    // One day only: activity is shown per hour rather than per day.
    bool isSingleDay() const { return from.isValid() && from == to; }
};
