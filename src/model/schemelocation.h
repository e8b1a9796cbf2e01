#pragma once

#include <QString>

class Scheme;

// The records a checker's `where` (e.g. displayWindows[0].generalSegments[1].programs[0]) points
// at, by the names the operator knows them by: display window, segment, page, window and item.
// As deep as `where` goes; the fields below that stay empty.
struct SchemeLocation
{
    QString displayWindow; // empty when `where` names nothing in the scheme
    QString segmentKind;   // "generalSegment", "cycleSegment" or "timingSegment"
    QString segment;
    QString page;
    QString window;
    int item = -1;      // in the window's media list
    QString itemType;   // its type keyword
    QString itemFile;   // the file it shows, when it shows one
    int timePoint = -1; // among the timing segment's time points

    static SchemeLocation find(const Scheme &scheme, const QString &where);
};
