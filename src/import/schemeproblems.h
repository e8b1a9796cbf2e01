#pragma once

#include "model/schemechecker.h"

#include <QList>
#include <QString>

class Scheme;

// What keeps a scheme from playing as expected, as `lumora-scheme check` and the editor
// report it: SchemeChecker's findings, then the videos libmpv cannot open or that tell no
// length where none is stored. Opens every video file once, several side by side: it blocks
// for as long as that takes, so it runs on a worker thread or in a tool.
class SchemeProblems
{
    Q_DECLARE_TR_FUNCTIONS(SchemeChecker)

public:
    // A relative media path names a file in `baseFolder`, the scheme's folder, as the player
    // finds it beside the scheme; the warnings keep the path as stored.
    static QList<SchemeChecker::Warning> check(const Scheme &scheme, const QString &baseFolder);
};
