#pragma once

#include <QString>
#include <QStringList>

// Names of new segments. The tree, the panels, the scheduler and the play windows find a
// segment by its kind and name, so a new name is never one already in use in that kind.
class SegmentNaming
{
public:
    // `base` + n for the first n from `first` upwards that is not in `taken`.
    static QString firstFree(const QString &base, int first, const QStringList &taken);
};
