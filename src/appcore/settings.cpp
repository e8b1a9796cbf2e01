#include "settings.h"

#include "platform/applocations.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

AppSettings &appSettings()
{
    static AppSettings settings;
    return settings;
}

QString applicationDirectory()
{
    return AppLocations::programDirectory();
}

void setApplicationDirectory(const QString &directory)
{
    AppLocations::setProgramDirectory(directory);
}

QString settingsFilePath()
{
    return AppLocations::settingsFile();
}

QStringList settingsFiles()
{
    return AppLocations::defaultSettingsFiles() << settingsFilePath();
}

QString stateDirectory()
{
    return AppLocations::stateDirectory();
}

namespace {

void readFile(const QString &path, AppSettings &s)
{
    QSettings ini(path, QSettings::IniFormat);
    s.language = ini.value(QStringLiteral("Language"), s.language).toInt();
    s.backStageFlag = ini.value(QStringLiteral("BackStageFlag"), s.backStageFlag).toInt();
    s.start = ini.value(QStringLiteral("Start"), s.start).toInt();
    s.play = ini.value(QStringLiteral("Play"), s.play).toInt();
    s.playType = ini.value(QStringLiteral("PlayType"), s.playType).toInt();
    s.schemePath = ini.value(QStringLiteral("SchemePath"), s.schemePath).toString();
    s.lastSchemePath = ini.value(QStringLiteral("LastSchemePath"), s.lastSchemePath).toString();
    s.hardDecode = ini.value(QStringLiteral("HardDecode"), s.hardDecode).toInt();
    s.closeType = ini.value(QStringLiteral("CloseType"), s.closeType).toString();
    s.centralLog = ini.value(QStringLiteral("CentralLog"), s.centralLog).toString();
}

// The file's folder is made first: an installed Lumora's first write makes the user's folder.
QString writableSettingsFile()
{
    const QString path = settingsFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

} // namespace

void readSettings()
{
    AppSettings &s = appSettings();
    // An administrator's defaults first, the user's own choices over them.
    for (const QString &path : settingsFiles())
        readFile(path, s);
}

namespace {

bool flushed(QSettings &ini)
{
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace

bool writeSettings()
{
    const AppSettings &s = appSettings();
    QSettings ini(writableSettingsFile(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Language"), s.language);
    ini.setValue(QStringLiteral("Start"), s.start);
    ini.setValue(QStringLiteral("Play"), s.play);
    ini.setValue(QStringLiteral("PlayType"), s.playType);
    ini.setValue(QStringLiteral("SchemePath"), s.schemePath);
    ini.setValue(QStringLiteral("LastSchemePath"), s.lastSchemePath);
    return flushed(ini);
}

bool writeBackStageFlag()
{
    QSettings ini(writableSettingsFile(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("BackStageFlag"), appSettings().backStageFlag);
    return flushed(ini);
}

bool writeCloseType()
{
    QSettings ini(writableSettingsFile(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("CloseType"), appSettings().closeType);
    return flushed(ini);
}

bool writeCentralLog()
{
    QSettings ini(writableSettingsFile(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("CentralLog"), appSettings().centralLog);
    return flushed(ini);
}
