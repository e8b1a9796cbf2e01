#include "digitalclocktext.h"

#include "clockshift.h"

#include <QStringList>

QString DigitalClockText::weekdayName(int dayOfWeek)
{
    switch (dayOfWeek) {
    case 1:
        return tr("Monday");
    case 2:
        return tr("Tuesday");
    case 3:
        return tr("Wednesday");
    case 4:
        return tr("Thursday");
    case 5:
        return tr("Friday");
    case 6:
        return tr("Saturday");
    case 7:
        return tr("Sunday");
    default:
        return QString();
    }
}

DigitalClockText DigitalClockText::compute(const Settings &s, const QDateTime &now)
{
    DigitalClockText out;
    const ClockShift shifted = ClockShift::shift(now, s.timeDiffMode, s.timeDiff);

    const QStringList t = shifted.time.toString(QStringLiteral("HH.mm.ss")).split(QLatin1Char('.'));
    out.hour = t.value(0);
    out.minute = t.value(1);
    out.second = t.value(2);
    const int hour = out.hour.toInt();
    // Noon begins the afternoon: 12:30 is PM and 00:10 is AM.
    if (s.showHalfDay)
        out.ampm = hour < 12 ? tr("AM") : tr("PM");

    QStringList timeParts;
    if (s.showHour) {
        QString h = out.hour;
        // A 12-hour clock counts 12, 01, ... 11: midnight and noon both read 12.
        if (s.hour12)
            h = QStringLiteral("%1").arg(hour % 12 == 0 ? 12 : hour % 12, 2, 10, QLatin1Char('0'));
        timeParts << h;
    }
    if (s.showMinute)
        timeParts << out.minute;
    if (s.showSecond)
        timeParts << out.second;
    out.time = timeParts.join(QLatin1Char(':'));

    const QStringList d = shifted.date.toString(QStringLiteral("yyyy.MM.dd")).split(QLatin1Char('.'));
    out.year = d.value(0);
    if (s.twoDigitYear)
        out.year = out.year.right(2);
    out.month = d.value(1);
    out.day = d.value(2);
    QStringList dateParts;
    auto add = [&dateParts](bool shown, const QString &part) {
        if (shown)
            dateParts << part;
    };
    switch (s.dateStyle) {
    case 1:
        add(s.showDay, out.day);
        add(s.showMonth, out.month);
        add(s.showYear, out.year);
        break;
    case 2:
        add(s.showMonth, out.month);
        add(s.showDay, out.day);
        add(s.showYear, out.year);
        break;
    default:
        add(s.showYear, out.year);
        add(s.showMonth, out.month);
        add(s.showDay, out.day);
        break;
    }
    out.date = dateParts.join(QLatin1Char('/'));

    if (s.showWeek)
        out.weekday = weekdayName(shifted.date.dayOfWeek());
    return out;
}
