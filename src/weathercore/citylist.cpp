#include "citylist.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

QStringList CityList::readLines(const QString &path)
{
    QStringList lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&file);
    in.setCodec("UTF-8");
    while (!in.atEnd())
        lines << in.readLine().trimmed();
    return lines;
}

QStringList CityList::provinces(const QString &directory)
{
    QStringList entries;
    for (const QString &line : readLines(directory + QStringLiteral("/province.txt"))) {
        if (!line.isEmpty())
            entries << line;
    }
    return entries;
}

QString CityList::provinceCode(const QString &provinceEntry)
{
    const QStringList fields =
        provinceEntry.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    return fields.size() > 1 ? fields.at(1) : QString();
}

QStringList CityList::citiesIn(const QStringList &cityLines, const QString &code)
{
    QStringList cities;
    if (code.isEmpty())
        return cities;
    for (const QString &line : cityLines) {
        if (line.left(5) == code)
            cities << line.mid(10);
    }
    return cities;
}

QStringList CityList::citiesOf(const QString &directory, const QString &provinceEntry)
{
    return citiesIn(readLines(directory + QStringLiteral("/city.txt")), provinceCode(provinceEntry));
}
