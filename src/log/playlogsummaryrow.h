#pragma once

#include <QString>

// Proof of play for one media item over the searched rows. Time shown is measured from the
// begin and end date-times, so items that ran across midnight count their real length.
struct PlayLogSummaryRow
{
    QString name;
    qint64 plays = 0;
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
