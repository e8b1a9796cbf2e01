#pragma once

#include "appcore/settings.h"

#include <QDir>
#include <QFile>
#include <QString>

// Lays out the folders of an install by the hierarchy under `root` (programs in usr/bin, shared
// data in usr/share/lumora) and makes usr/bin the application directory, so that the program
// keeps what it writes in the user's XDG folders, as an installed Lumora does.
inline bool pretendInstalled(const QString &root)
{
    if (!QDir().mkpath(root + QStringLiteral("/usr/bin")) || !QDir().mkpath(root + QStringLiteral("/usr/share/lumora")))
        return false;
    QFile cities(root + QStringLiteral("/usr/share/lumora/city.txt"));
    if (!cities.open(QIODevice::WriteOnly))
        return false;
    cities.close();
    setApplicationDirectory(root + QStringLiteral("/usr/bin"));
    return true;
}
