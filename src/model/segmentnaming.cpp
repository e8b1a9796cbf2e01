#include "segmentnaming.h"

QString SegmentNaming::firstFree(const QString &base, int first, const QStringList &taken)
{
    int n = qMax(first, 0);
    QString name = base + QString::number(n);
    while (taken.contains(name))
        name = base + QString::number(++n);
    return name;
}
