#pragma once

#include <QString>
#include <QStringList>

// Where Lumora finds its own files and keeps what it writes: the one rule the player, its
// companion and the tools share.
//
// Lumora comes in two layouts. A portable folder holds the programs with their data beside them
// (the build tree, an unpacked copy, an install made with LUMORA_PORTABLE); an installed Lumora
// follows the file-system hierarchy (programs in bin, the companion in libexec/lumora, shared
// data in share/lumora). What the program writes (settings, the play log, the office cache, the
// recovery copies) stays in a portable folder as long as that folder can be written. An
// installed Lumora, or a portable folder that cannot be written (a read-only medium, /opt),
// writes into the user's XDG folders instead, unless an administrator put a writable folder with
// its own setting.ini there.
namespace AppLocations {

enum class Mode
{
    Portable, // everything in the program's folder
    User      // the user's XDG folders
};

// The folder of the running program, with forward slashes; QCoreApplication's by default.
QString programDirectory();
void setProgramDirectory(const QString &directory);

// Decided afresh at each call, from what is on the disk now.
Mode mode();

// Where the shared read-only data lies: the city lists, the demo scheme.
QString dataDirectory();
// The companion server and the player, found from whichever of them (or of the tools) asks.
QString companionPath();
QString playerPath();

// setting.ini: the one the program writes, and below it the system-wide defaults an
// administrator sets, lowest first (the XDG configuration folders, in User mode only).
QString settingsFile();
QStringList defaultSettingsFiles();

// The play log, the recovery copies and the copy an unsaved scheme plays from.
QString stateDirectory();
// The office documents' PDF pages.
QString cacheDirectory();
// Locks of this user's processes.
QString runtimeDirectory();

// The play log. In User mode a log kept by an earlier version in its fallback folder
// (~/.local/share/LumoraPlayer) is moved here first, so that no row is left behind.
QString playLogPath();

// Whether the folder exists or could be made, and can be written.
bool ensureWritable(const QString &directory);

} // namespace AppLocations
