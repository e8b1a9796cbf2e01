// Where the programs find their parts and keep what they write, in both layouts, from the
// files on the disk: a portable folder, an install by the file-system hierarchy, an
// administrator's defaults under the XDG configuration folders, a log left by an earlier version.
#include "appcore/settings.h"
#include "platform/applocations.h"
#include "weathercore/weatherconfig.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool touch(const QString &path, const QByteArray &content = QByteArray())
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestAppLocations : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_DIRS"})
            qputenv(name, path(QStringLiteral("xdg/") + QLatin1String(name)).toLocal8Bit());
        appSettings() = AppSettings();
    }

    // A folder holding the programs and their data is portable: everything lies in it.
    void aPortableFolderKeepsEverything()
    {
        QVERIFY(touch(path(QStringLiteral("app/city.txt"))));
        QVERIFY(touch(path(QStringLiteral("app/LumoraPlayerServer"))));
        AppLocations::setProgramDirectory(path(QStringLiteral("app")));
        QCOMPARE(AppLocations::mode(), AppLocations::Mode::Portable);
        QCOMPARE(AppLocations::dataDirectory(), path(QStringLiteral("app")));
        QCOMPARE(AppLocations::companionPath(), path(QStringLiteral("app/LumoraPlayerServer")));
        QCOMPARE(AppLocations::settingsFile(), path(QStringLiteral("app/setting.ini")));
        QCOMPARE(AppLocations::playLogPath(), path(QStringLiteral("app/log.db")));
        QCOMPARE(AppLocations::cacheDirectory(), path(QStringLiteral("app/tmp")));
        QVERIFY(AppLocations::defaultSettingsFiles().isEmpty());
    }

    // Installed by the hierarchy, the programs find each other and the data, and write into
    // the user's folders; a setting.ini an administrator put beside the programs makes that
    // folder portable again.
    void anInstallWritesIntoTheUsersFolders()
    {
        QVERIFY(touch(path(QStringLiteral("usr/bin/LumoraPlayer"))));
        QVERIFY(touch(path(QStringLiteral("usr/libexec/lumora/LumoraPlayerServer"))));
        QVERIFY(touch(path(QStringLiteral("usr/share/lumora/city.txt"))));
        for (const QString &program : {QStringLiteral("usr/bin"), QStringLiteral("usr/libexec/lumora")}) {
            AppLocations::setProgramDirectory(path(program));
            QCOMPARE(AppLocations::mode(), AppLocations::Mode::User);
            QCOMPARE(AppLocations::dataDirectory(), path(QStringLiteral("usr/share/lumora")));
            QCOMPARE(AppLocations::companionPath(), path(QStringLiteral("usr/libexec/lumora/LumoraPlayerServer")));
            QCOMPARE(AppLocations::playerPath(), path(QStringLiteral("usr/bin/LumoraPlayer")));
            QCOMPARE(AppLocations::settingsFile(), path(QStringLiteral("xdg/XDG_CONFIG_HOME/Lumora/setting.ini")));
            QCOMPARE(AppLocations::playLogPath(), path(QStringLiteral("xdg/XDG_DATA_HOME/Lumora/log.db")));
            QCOMPARE(AppLocations::cacheDirectory(), path(QStringLiteral("xdg/XDG_CACHE_HOME/Lumora")));
        }
        AppLocations::setProgramDirectory(path(QStringLiteral("usr/bin")));
        // The first write makes the user's folder.
        appSettings().language = 1;
        QVERIFY(writeSettings());
        QCOMPARE(QSettings(path(QStringLiteral("xdg/XDG_CONFIG_HOME/Lumora/setting.ini")), QSettings::IniFormat)
                     .value(QStringLiteral("Language"))
                     .toInt(),
                 1);
        QVERIFY(!QFile::exists(path(QStringLiteral("usr/bin/setting.ini"))));

        QVERIFY(touch(path(QStringLiteral("usr/bin/setting.ini"))));
        QCOMPARE(AppLocations::mode(), AppLocations::Mode::Portable);
        QCOMPARE(AppLocations::settingsFile(), path(QStringLiteral("usr/bin/setting.ini")));
        QCOMPARE(AppLocations::dataDirectory(), path(QStringLiteral("usr/share/lumora")));
    }

    // The administrator's defaults come first and the user's own choices over them: the
    // start-up scheme and the decoding from the system, the language from the user; the user's
    // weather service over the system's.
    void theUsersChoicesGoOverTheAdministratorsDefaults()
    {
        QVERIFY(touch(path(QStringLiteral("usr/bin/LumoraPlayer"))));
        QVERIFY(touch(path(QStringLiteral("usr/share/lumora/city.txt"))));
        AppLocations::setProgramDirectory(path(QStringLiteral("usr/bin")));
        const QString system = path(QStringLiteral("etc/xdg"));
        const QString vendor = path(QStringLiteral("etc/vendor"));
        qputenv("XDG_CONFIG_DIRS", (system + QLatin1Char(':') + vendor).toLocal8Bit());
        QVERIFY(touch(vendor + QStringLiteral("/Lumora/setting.ini"),
                      "[General]\nHardDecode=1\nLanguage=1\nSchemePath=/srv/vendor.schx\n"));
        QVERIFY(touch(system + QStringLiteral("/Lumora/setting.ini"),
                      "[General]\nHardDecode=0\nPlay=1\nSchemePath=/srv/lobby.schx\n"
                      "WeatherProvider=telematics\nWeatherHost=weather.example\nWeatherKey=site\n"));
        QCOMPARE(AppLocations::defaultSettingsFiles(),
                 QStringList({vendor + QStringLiteral("/Lumora/setting.ini"), system + QStringLiteral("/Lumora/setting.ini")}));
        QCOMPARE(WeatherConfig::fromSettingsFiles(settingsFiles()).host, QStringLiteral("weather.example"));

        QVERIFY(touch(settingsFilePath(), "[General]\nLanguage=0\nWeatherProvider=none\n"));
        readSettings();
        const AppSettings &s = appSettings();
        QCOMPARE(s.hardDecode, 0);
        QCOMPARE(s.play, 1);
        QCOMPARE(s.schemePath, QStringLiteral("/srv/lobby.schx"));
        QCOMPARE(s.language, 0);
        QCOMPARE(WeatherConfig::fromSettingsFiles(settingsFiles()).provider, WeatherConfig::None);
        // What the program writes goes to the user's file only.
        QVERIFY(writeSettings());
        QVERIFY(QSettings(system + QStringLiteral("/Lumora/setting.ini"), QSettings::IniFormat)
                    .value(QStringLiteral("LastSchemePath"))
                    .isNull());
    }

    // The log an earlier version kept in its fallback folder moves, with its journal, to where
    // the player and lumora-log now look, and is never lost when it cannot move.
    void aLogOfAnEarlierVersionIsTakenAlong()
    {
        QVERIFY(touch(path(QStringLiteral("usr/bin/LumoraPlayer"))));
        QVERIFY(touch(path(QStringLiteral("usr/share/lumora/city.txt"))));
        AppLocations::setProgramDirectory(path(QStringLiteral("usr/bin")));
        const QString legacy = path(QStringLiteral("xdg/XDG_DATA_HOME/LumoraPlayer/log.db"));
        QVERIFY(touch(legacy, "rows"));
        QVERIFY(touch(legacy + QStringLiteral("-journal"), "journal"));
        const QString moved = path(QStringLiteral("xdg/XDG_DATA_HOME/Lumora/log.db"));
        QCOMPARE(AppLocations::playLogPath(), moved);
        QVERIFY(!QFile::exists(legacy));
        QFile log(moved);
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), QByteArray("rows"));
        QVERIFY(QFile::exists(moved + QStringLiteral("-journal")));

        // A log of this version is never replaced by an older one found later.
        QVERIFY(touch(legacy, "older"));
        QCOMPARE(AppLocations::playLogPath(), moved);
        QVERIFY(QFile::exists(legacy));
    }

private:
    QString path(const QString &name) const { return m_dir->path() + QLatin1Char('/') + name; }

    QScopedPointer<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestAppLocations)
#include "test_applocations.moc"
