#pragma once

#include <QStringList>

// lumora-log --fleet: search and summary over the fleet's central play log in PostgreSQL
// (what lumora-fleet collect stores), with the exit statuses of lumora-log.
namespace FleetCommand {

extern const char *const usageText;
extern const char *const helpText;

// `args` as given after the program's name, "--fleet ADDRESS" among them.
int run(QStringList args);

} // namespace FleetCommand
