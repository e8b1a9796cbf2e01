#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

// The texts a digital clock shows at one moment. Widget-free.
class DigitalClockText
{
    Q_DECLARE_TR_FUNCTIONS(digitalClockWidget)

public:
    struct Settings
    {
        int dateStyle = 0; // 0 year/month/day, 1 day/month/year, 2 month/day/year
        bool showYear = true;
        bool showMonth = true;
        bool showDay = true;
        bool showHour = true;
        bool showMinute = true;
        bool showSecond = true;
        bool showHalfDay = true; // AM/PM
        bool showWeek = true;
        bool twoDigitYear = false;
        bool hour12 = false;
        int timeDiffMode = 0; // 0 ahead, 1 behind
        QTime timeDiff = QTime(0, 0, 0);
    };

    QString year, month, day, date, weekday, hour, minute, second, time, ampm;

    static DigitalClockText compute(const Settings &settings, const QDateTime &now);
    // The translated English day name of `dayOfWeek` (1 Monday .. 7 Sunday).
    static QString weekdayName(int dayOfWeek);
};
