#pragma once

#include <QStringList>

namespace Weekdays {

// Day names are stored and compared in English whatever the interface language.
inline const QStringList &all()
{
    static const QStringList days{QStringLiteral("Monday"),    QStringLiteral("Tuesday"),
                                  QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                                  QStringLiteral("Friday"),    QStringLiteral("Saturday"),
                                  QStringLiteral("Sunday")};
    return days;
}

// Qt's dayOfWeek(): 1 = Monday .. 7 = Sunday.
inline QString nameOf(int dayOfWeek)
{
    return (dayOfWeek >= 1 && dayOfWeek <= 7) ? all().at(dayOfWeek - 1) : QString();
}

} // namespace Weekdays
