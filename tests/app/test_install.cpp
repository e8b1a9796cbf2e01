// Installs the build as a package would (cmake --install into a prefix of its own), makes the
// install read-only and runs it as a user would: the player, its companion and lumora-log find
// each other in that layout, the administrator's defaults are read, and everything the
// programs write lands in the user's XDG folders it was given, nothing in the install.
#include "screenscheme.h"
#include "buildpaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>

namespace {

// Every file and folder under `root` with its size and change time.
QMap<QString, QString> snapshot(const QString &root)
{
    QMap<QString, QString> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        files.insert(info.filePath(), QStringLiteral("%1 %2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch()));
    }
    return files;
}

void setWritable(const QString &root, bool writable)
{
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    QStringList paths{root};
    while (it.hasNext())
        paths << it.next();
    for (const QString &path : qAsConst(paths)) {
        QFile::Permissions p = QFile::permissions(path);
        const QFile::Permissions write = QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
        QFile::setPermissions(path, writable ? (p | QFile::WriteOwner | QFile::WriteUser) : (p & ~write));
    }
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_prefix = m_root.filePath(QStringLiteral("usr"));
        const QString build = BuildPaths::path("LUMORA_BUILD_DIR");
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), build, QStringLiteral("--prefix"), m_prefix});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
        for (const char *file : {"bin/LumoraPlayer", "bin/lumora-log", "bin/lumora-scheme", "bin/lumora-simulate",
                                 "libexec/lumora/LumoraPlayerServer", "share/lumora/city.txt",
                                 "share/lumora/province.txt", "share/lumora/demo/demo.schx",
                                 "lib/systemd/user/lumora-player.service"})
            QVERIFY2(QFileInfo::exists(m_prefix + QLatin1Char('/') + QLatin1String(file)), file);
        setWritable(m_prefix, false);
    }

    void cleanupTestCase()
    {
        if (m_player && m_player->state() != QProcess::NotRunning) {
            m_player->kill();
            m_player->waitForFinished(5000);
        }
        killExe(m_prefix + QStringLiteral("/libexec/lumora/LumoraPlayerServer"));
        setWritable(m_root.path(), true);
    }

    void aReadOnlyInstallKeepsEverythingInTheUsersFolders()
    {
        const QString home = m_root.filePath(QStringLiteral("home"));
        const QString runtime = m_root.filePath(QStringLiteral("runtime"));
        const QString system = m_root.filePath(QStringLiteral("etc-xdg"));
        const QString media = m_root.filePath(QStringLiteral("media"));
        for (const QString &dir : QStringList{home, runtime, system + QStringLiteral("/Lumora"), media})
            QVERIFY(QDir().mkpath(dir));
        QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString scheme = media + QStringLiteral("/lobby.schx");
        QVERIFY(writeScheme(scheme, media));
        // The administrator's start-up scheme, for every user of the machine.
        {
            QSettings defaults(system + QStringLiteral("/Lumora/setting.ini"), QSettings::IniFormat);
            defaults.setValue(QStringLiteral("Play"), 1);
            defaults.setValue(QStringLiteral("PlayType"), 0);
            defaults.setValue(QStringLiteral("SchemePath"), scheme);
            defaults.setValue(QStringLiteral("CloseType"), QStringLiteral("normal"));
        }
        const QMap<QString, QString> installed = snapshot(m_prefix);
        const QMap<QString, QString> systemBefore = snapshot(system);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), system);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_player = new QProcess(this);
        m_player->setProcessEnvironment(env);
        m_player->setProcessChannelMode(QProcess::ForwardedChannels);
        m_player->start(m_prefix + QStringLiteral("/bin/LumoraPlayer"), {});
        QVERIFY(m_player->waitForStarted(10000));

        const QString settings = home + QStringLiteral("/.config/Lumora/setting.ini");
        const QString log = home + QStringLiteral("/.local/share/Lumora/log.db");
        const QString cache = home + QStringLiteral("/.cache/Lumora");
        // Played from the administrator's choice: the start of play is recorded in the user's file.
        QTRY_COMPARE_WITH_TIMEOUT(QSettings(settings, QSettings::IniFormat).value(QStringLiteral("LastSchemePath")).toString(),
                                  scheme, 60000);
        // The office document's pages were made into the user's cache.
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(cache).entryList({QStringLiteral("*.pdf")}, QDir::Files).isEmpty(), 180000);
        // The companion runs from the install's libexec folder, its lock in the runtime folder.
        QTRY_VERIFY_WITH_TIMEOUT(companionRuns(m_prefix + QStringLiteral("/libexec/lumora/LumoraPlayerServer")), 20000);
        QVERIFY(QFileInfo::exists(runtime + QStringLiteral("/LumoraPlayerServer.lock")));

        // Rows of the picture, found by lumora-log through the same rule.
        QByteArray rows;
        QTRY_VERIFY_WITH_TIMEOUT((rows = logSearch(env)).contains("green.png"), 60000);
        ::kill(pid_t(m_player->processId()), SIGTERM);
        QVERIFY(m_player->waitForFinished(30000));
        QCOMPARE(m_player->exitCode(), 0);
        QCOMPARE(QSettings(settings, QSettings::IniFormat).value(QStringLiteral("CloseType")).toString(),
                 QStringLiteral("normal"));
        QVERIFY(QFileInfo(log).isFile());

        QCOMPARE(snapshot(m_prefix), installed);
        QCOMPARE(snapshot(system), systemBefore);
        // In the user's home, only the XDG folders were written.
        const QMap<QString, QString> written = snapshot(home);
        for (auto it = written.cbegin(); it != written.cend(); ++it) {
            const QString relative = QDir(home).relativeFilePath(it.key());
            const bool xdg = relative == QLatin1String(".config") || relative == QLatin1String(".local") ||
                             relative.startsWith(QLatin1String(".config/")) ||
                             relative.startsWith(QLatin1String(".local/share")) ||
                             relative.startsWith(QLatin1String(".cache"));
            QVERIFY2(xdg, qPrintable(relative));
        }
    }

private:
    bool writeScheme(const QString &file, const QString &folder)
    {
        QImage picture(32, 32, QImage::Format_RGB32);
        picture.fill(Qt::green);
        if (!picture.save(folder + QStringLiteral("/green.png")))
            return false;
        // Rich text under a Word name: the office suite reads it by its content.
        QFile document(folder + QStringLiteral("/notice.doc"));
        if (!document.open(QIODevice::WriteOnly) ||
            document.write("{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helvetica;}\\f0\\pard Opening hours 9-18.\\par}") <= 0)
            return false;
        document.close();
        return writeScreenScheme(file, QStringLiteral("Lobby screen"),
                                 {{QStringLiteral("image"), folder + QStringLiteral("/green.png")},
                                  {QStringLiteral("office"), document.fileName()}});
    }

    QByteArray logSearch(const QProcessEnvironment &env) const
    {
        QProcess tool;
        tool.setProcessEnvironment(env);
        tool.start(m_prefix + QStringLiteral("/bin/lumora-log"), {QStringLiteral("search")});
        tool.waitForFinished(30000);
        return tool.readAllStandardOutput();
    }

    static bool companionRuns(const QString &path)
    {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)) == canonical)
                return true;
        }
        return false;
    }

    static void killExe(const QString &path)
    {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)) == canonical)
                ::kill(pid_t(pid.toInt()), SIGKILL);
        }
    }

    QTemporaryDir m_root;
    QString m_prefix;
    QProcess *m_player = nullptr;
};

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
