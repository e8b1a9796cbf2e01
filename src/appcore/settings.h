#pragma once

#include <QString>
#include <QStringList>

// The process-wide settings read once at start-up from "setting.ini" and written back by the
// dialogs; where that file lies is AppLocations' rule (platform/applocations.h).
struct AppSettings
{
    int language = 0;      // 0 Chinese, 1 English, other: no translation
    int backStageFlag = 0; // backstage mode of the display windows
    int start = 0;         // 1: start with the desktop session
    int play = 0;          // 1: open a scheme automatically at start-up
    int playType = 0;      // 0: "SchemePath", 1: "LastSchemePath"
    QString schemePath;
    QString lastSchemePath;
    int hardDecode = 1; // edited by hand only; never written
    QString closeType;  // "normal" after an orderly close
    QString centralLog; // the address the log viewer last opened the fleet's central log at
};

AppSettings &appSettings();

// The executable's directory with forward slashes.
QString applicationDirectory();
void setApplicationDirectory(const QString &directory);

QString settingsFilePath();
// The files settings are read from, lowest first: an administrator's defaults, then the user's.
QStringList settingsFiles();

// Where the program keeps what it writes for itself (the play log, the recovery copies).
QString stateDirectory();

// A missing key keeps the in-memory value, so a missing file yields the defaults; an installed
// Lumora reads the system-wide defaults first.
void readSettings();
// Writes the six keys "Language", "Start", "Play", "PlayType", "SchemePath" and "LastSchemePath".
// Each writer returns false when the file could not be written (a read-only application
// directory, a full disk), so that the operator can be told.
bool writeSettings();
bool writeBackStageFlag();
bool writeCloseType();
bool writeCentralLog();
