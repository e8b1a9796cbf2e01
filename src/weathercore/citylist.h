#pragma once

#include <QString>
#include <QStringList>

// The province and city lists of the weather panel, read from "province.txt" and "city.txt"
// in the application directory.
//
// A province entry is "<name> <five-digit code>". A city line starts with its province's
// code; the city's name starts at the eleventh character. Lines are trimmed, cities keep
// file order, a missing file gives an empty list.
class CityList
{
public:
    static QStringList provinces(const QString &directory);
    static QStringList citiesOf(const QString &directory, const QString &provinceEntry);

    // The code of a province entry: its second blank-separated field ("" when there is none).
    static QString provinceCode(const QString &provinceEntry);
    static QStringList citiesIn(const QStringList &cityLines, const QString &code);
    static QStringList readLines(const QString &path);
};
