#pragma once

#include <QString>
#include <QStringList>

namespace Processes {

// Ends every process whose executable name is exactly `name` (never a substring
// match), other than this one. Returns how many were signalled.
int killByExactName(const QString &name);

// Starts `program` detached from this process; false when it is missing or cannot start.
bool startDetached(const QString &program, const QStringList &arguments = {});

} // namespace Processes
