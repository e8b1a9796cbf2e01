#pragma once

#include <QString>
#include <QStringList>

namespace AutoStart {

// Where the per-user auto-start entry for the given value name lives.
QString entryPath(const QString &valueName);

// Writes the entry that starts `programPath` with the desktop session. Disabling
// keeps the entry but marks it hidden, as the value is emptied rather than deleted.
// Failure is reported to the caller, which may ignore it.
// `arguments` are plain options, written after the program.
bool writeEntry(const QString &valueName, const QString &programPath, bool enabled,
                const QStringList &arguments = {});

// Whether the systemd user unit `unitName` is enabled for this user, by the user or for every
// user by the administrator: then the unit starts the program, and the entry above must not.
bool serviceEnabled(const QString &unitName);

} // namespace AutoStart
