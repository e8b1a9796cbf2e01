#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

class Scheme;

// Finds what would keep a scheme from playing as the operator expects: media files that
// do not exist, pictures that cannot be read, windows outside their display window, segments
// that can never play, timing segments that never fire and schedules without any media item.
// (Videos are opened by SchemeProblems in import, with the library that plays them.)
class SchemeChecker
{
    Q_DECLARE_TR_FUNCTIONS(SchemeChecker)

public:
    struct Warning
    {
        QString where;   // e.g. displayWindows[0].generalSegments[1].programs[0]
        QString message; // one line
    };

    // A relative media path names a file in `baseFolder`, the scheme's folder, as the player
    // finds it beside the scheme; an empty one leaves it to the working directory.
    static QList<Warning> check(const Scheme &scheme, const QString &baseFolder = QString());
};
