#pragma once

#include <QString>

namespace AutoStart {

// Where the per-user auto-start entry for the given value name lives.
QString entryPath(const QString &valueName);

// Writes the entry that starts `programPath` with the desktop session. Disabling
// keeps the entry but marks it hidden, as the value is emptied rather than deleted.
// Failure is reported to the caller, which may ignore it.
bool writeEntry(const QString &valueName, const QString &programPath, bool enabled);

} // namespace AutoStart
