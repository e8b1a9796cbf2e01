#include "appcore/settings.h"
#include "appcore/translations.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QFile::remove(m_dir.path() + QStringLiteral("/setting.ini"));
        setApplicationDirectory(m_dir.path());
        appSettings() = AppSettings();
    }

    void missingFileYieldsDefaults()
    {
        readSettings();
        const AppSettings &s = appSettings();
        QCOMPARE(s.language, 0);
        QCOMPARE(s.backStageFlag, 0);
        QCOMPARE(s.start, 0);
        QCOMPARE(s.play, 0);
        QCOMPARE(s.playType, 0);
        QVERIFY(s.schemePath.isEmpty());
        QVERIFY(s.lastSchemePath.isEmpty());
        QCOMPARE(s.hardDecode, 1);
        QVERIFY(s.closeType.isEmpty());
        QVERIFY(!QFile::exists(settingsFilePath()));
    }

    // A writable folder of its own is portable: its settings lie in it.
    void settingsFileLivesInApplicationDirectory()
    {
        setApplicationDirectory(QDir::toNativeSeparators(m_dir.path()).replace(QLatin1Char('/'), QLatin1Char('\\')));
        QCOMPARE(applicationDirectory(), m_dir.path());
        QCOMPARE(settingsFilePath(), m_dir.path() + QStringLiteral("/setting.ini"));
    }

    void roundTripOfTheSixKeys()
    {
        AppSettings &s = appSettings();
        s.language = 1;
        s.start = 1;
        s.play = 1;
        s.playType = 1;
        s.schemePath = QStringLiteral("/srv/schemes/lobby.schx");
        s.lastSchemePath = QStringLiteral("/srv/schemes/last one.schx");
        s.hardDecode = 0;    // never written by the program
        s.backStageFlag = 1; // written on its own
        s.closeType = QStringLiteral("normal");
        writeSettings();

        QSettings ini(settingsFilePath(), QSettings::IniFormat);
        QCOMPARE(ini.allKeys().size(), 6);
        QVERIFY(!ini.contains(QStringLiteral("HardDecode")));
        QVERIFY(!ini.contains(QStringLiteral("BackStageFlag")));
        QVERIFY(!ini.contains(QStringLiteral("CloseType")));

        appSettings() = AppSettings();
        readSettings();
        QCOMPARE(appSettings().language, 1);
        QCOMPARE(appSettings().start, 1);
        QCOMPARE(appSettings().play, 1);
        QCOMPARE(appSettings().playType, 1);
        QCOMPARE(appSettings().schemePath, QStringLiteral("/srv/schemes/lobby.schx"));
        QCOMPARE(appSettings().lastSchemePath, QStringLiteral("/srv/schemes/last one.schx"));
        QCOMPARE(appSettings().hardDecode, 1);
        QCOMPARE(appSettings().backStageFlag, 0);
    }

    void singleKeyWriters()
    {
        appSettings().backStageFlag = 1;
        writeBackStageFlag();
        appSettings().closeType = QStringLiteral("normal");
        writeCloseType();
        QSettings ini(settingsFilePath(), QSettings::IniFormat);
        QCOMPARE(ini.allKeys().size(), 2);
        QCOMPARE(ini.value(QStringLiteral("BackStageFlag")).toInt(), 1);
        QCOMPARE(ini.value(QStringLiteral("CloseType")).toString(), QStringLiteral("normal"));
    }

    void readKeepsInMemoryValueForMissingKeys()
    {
        {
            QSettings ini(settingsFilePath(), QSettings::IniFormat);
            ini.setValue(QStringLiteral("HardDecode"), 0);
            ini.setValue(QStringLiteral("Play"), 1);
        }
        appSettings().schemePath = QStringLiteral("kept.schx");
        readSettings();
        QCOMPARE(appSettings().hardDecode, 0);
        QCOMPARE(appSettings().play, 1);
        QCOMPARE(appSettings().schemePath, QStringLiteral("kept.schx"));
    }

    void garbageFileYieldsDefaults()
    {
        QFile f(settingsFilePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x00\xff\xfe garbage [[[ = = \n Language=abc\n");
        f.close();
        readSettings();
        QCOMPARE(appSettings().language, 0);
        QCOMPARE(appSettings().hardDecode, 1);
    }

    void languageChoosesTranslations()
    {
        QCOMPARE(QString::fromLatin1(programTranslationResource(0)), QStringLiteral(":/images/deskTop_eng_ch.qm"));
        QCOMPARE(QString::fromLatin1(toolkitTranslationResource(0)), QStringLiteral(":/images/qt_zh_CN.qm"));
        QCOMPARE(QString::fromLatin1(programTranslationResource(1)), QStringLiteral(":/images/deskTop_eng_en.qm"));
        // English must not pull another language's toolkit texts into standard dialogs.
        QVERIFY(QString::fromLatin1(toolkitTranslationResource(1)).isEmpty());
        QVERIFY(QString::fromLatin1(programTranslationResource(2)).isEmpty());
        QVERIFY(QString::fromLatin1(toolkitTranslationResource(2)).isEmpty());
        QVERIFY(QFile::exists(QStringLiteral(":/images/deskTop_eng_ch.qm")));
        QVERIFY(QFile::exists(QStringLiteral(":/images/deskTop_eng_en.qm")));
        QVERIFY(QFile::exists(QStringLiteral(":/images/qt_zh_CN.qm")));
    }

    void installedTranslationsChangeTexts()
    {
        // The toolkit's Chinese catalogue translates its own dialog buttons.
        QVERIFY(installTranslations(0));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
        QVERIFY(installTranslations(1));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
        // "Language" = 2: nothing installed, every text stays in its source wording.
        QVERIFY(installTranslations(2));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
