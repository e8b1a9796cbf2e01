#include "timepointtext.h"

#include "timepoint.h"
#include "weekdays.h"

#include <QCoreApplication>

namespace {
// The day names as the list shows them, each with its separator, Monday first.
QString shownDay(int index)
{
    switch (index) {
    case 0:
        return QCoreApplication::translate("TimePointText", "Monday,");
    case 1:
        return QCoreApplication::translate("TimePointText", "Tuesday,");
    case 2:
        return QCoreApplication::translate("TimePointText", "Wednesday,");
    case 3:
        return QCoreApplication::translate("TimePointText", "Thursday,");
    case 4:
        return QCoreApplication::translate("TimePointText", "Friday,");
    case 5:
        return QCoreApplication::translate("TimePointText", "Saturday,");
    default:
        return QCoreApplication::translate("TimePointText", "Sunday,");
    }
}
} // namespace

QString TimePointText::displayText(const TimePoint &point)
{
    QString text = QLatin1Char('[') + point.time.toString(QStringLiteral("HH:mm")) + QLatin1Char(']');
    if (point.specifiedDate) {
        text += QStringLiteral(" [") + point.fromDate.toString(QStringLiteral("yyyy-MM-dd")) +
                QCoreApplication::translate("TimePointText", " to ") +
                point.toDate.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(']');
    }
    QString days;
    int chosen = 0;
    for (int i = 0; i < Weekdays::all().size(); ++i) {
        if (point.weekdays.contains(Weekdays::all().at(i))) {
            days += shownDay(i);
            ++chosen;
        }
    }
    if (chosen > 0 && chosen < Weekdays::all().size()) {
        days.chop(1);
        text += QStringLiteral(" [") + days + QLatin1Char(']');
    }
    return text;
}
