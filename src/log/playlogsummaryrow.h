#pragma once

#include <QString>

// Proof of play for one media item over the searched rows: one file (two files of one name are
// two items), or one name for rows that did not record their file. Time shown is what the
// rows' detail recorded (pauses under an insert left out); for older rows it is measured from
// the begin and end date-times, so items that ran across midnight count their real length.
struct PlayLogSummaryRow
{
    QString name; // as stored (the English form of a fixed label)
    QString path; // the item's file or address; empty for rows that did not record it
    qint64 plays = 0;    // rows of the item that was on screen, whole or cut short
    qint64 notShown = 0; // rows of the item that could not be shown (missing, unreadable)
    qint64 shownMs = 0;
    QString firstPlay; // "yyyy-MM-dd HH:mm:ss:zzz" of the earliest start
    QString lastPlay;  // the same for the latest start

    // Seconds with milliseconds, "." as separator whatever the locale.
    QString secondsText() const
    {
        const qint64 whole = shownMs / 1000;
        const qint64 ms = qAbs(shownMs % 1000);
        const QString sign = (shownMs < 0 && whole == 0) ? QStringLiteral("-") : QString();
        return sign + QString::number(whole) + QLatin1Char('.') +
               QStringLiteral("%1").arg(ms, 3, 10, QLatin1Char('0'));
    }
};
