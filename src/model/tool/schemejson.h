#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class Scheme;

// The JSON form of a scheme used by the lumora-scheme tool. Keys are the record field
// names; a media item carries its live group under the group's name. Dump and build use
// the same form, so a dumped scheme builds back into the same bytes.
class SchemeJson
{
    Q_DECLARE_TR_FUNCTIONS(SchemeJson)

public:
    // Indented JSON, keys in file order.
    static QByteArray toJson(const Scheme &scheme);

    // Fills scheme (which should be empty) from JSON. On failure returns false and names
    // the offending path in errorString, e.g. "displayWindows[0].generalSegments[1].weekdays[2]".
    static bool fromJson(const QByteArray &json, Scheme *scheme, QString *errorString);
};
