#include "settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString &applicationDirectoryRef()
{
    static QString directory;
    return directory;
}

} // namespace

AppSettings &appSettings()
{
    static AppSettings settings;
    return settings;
}

const QString &applicationDirectory()
{
    return applicationDirectoryRef();
}

void setApplicationDirectory(const QString &directory)
{
    QString dir = directory;
    dir.replace(QLatin1Char('\\'), QLatin1Char('/'));
    applicationDirectoryRef() = dir;
}

QString settingsFilePath()
{
    return applicationDirectory() + QStringLiteral("/setting.ini");
}

QString stateDirectory()
{
    const QString dir = applicationDirectory();
    if (!dir.isEmpty() && QFileInfo(dir).isWritable())
        return dir;
    const QString fallback = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(fallback);
    return fallback;
}

void readSettings()
{
    AppSettings &s = appSettings();
    QSettings ini(settingsFilePath(), QSettings::IniFormat);
    s.language = ini.value(QStringLiteral("Language"), s.language).toInt();
    s.backStageFlag = ini.value(QStringLiteral("BackStageFlag"), s.backStageFlag).toInt();
    s.start = ini.value(QStringLiteral("Start"), s.start).toInt();
    s.play = ini.value(QStringLiteral("Play"), s.play).toInt();
    s.playType = ini.value(QStringLiteral("PlayType"), s.playType).toInt();
    s.schemePath = ini.value(QStringLiteral("SchemePath"), s.schemePath).toString();
    s.lastSchemePath = ini.value(QStringLiteral("LastSchemePath"), s.lastSchemePath).toString();
    s.hardDecode = ini.value(QStringLiteral("HardDecode"), s.hardDecode).toInt();
    s.closeType = ini.value(QStringLiteral("CloseType"), s.closeType).toString();
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
    QSettings ini(settingsFilePath(), QSettings::IniFormat);
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
    QSettings ini(settingsFilePath(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("BackStageFlag"), appSettings().backStageFlag);
    return flushed(ini);
}

bool writeCloseType()
{
    QSettings ini(settingsFilePath(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("CloseType"), appSettings().closeType);
    return flushed(ini);
}
