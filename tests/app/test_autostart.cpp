#include "platform/autostart.h"

#include <QTemporaryDir>
#include <QtTest>

class TestAutoStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
    }

    void entryLivesInXdgAutostart()
    {
        QCOMPARE(AutoStart::entryPath(QStringLiteral("LUMORAPLAYER")),
                 m_dir.path() + QStringLiteral("/autostart/LUMORAPLAYER.desktop"));
    }

    void enabledThenDisabledKeepsTheFile()
    {
        const QString program = QStringLiteral("/opt/lumora/LumoraPlayer");
        QVERIFY(AutoStart::writeEntry(QStringLiteral("LUMORAPLAYER"), program, true));
        const QString path = AutoStart::entryPath(QStringLiteral("LUMORAPLAYER"));
        QCOMPARE(readKey(path, "Type"), QStringLiteral("Application"));
        QCOMPARE(readKey(path, "Hidden"), QStringLiteral("false"));
        QCOMPARE(readKey(path, "Exec"), QStringLiteral("\"/opt/lumora/LumoraPlayer\""));

        QVERIFY(AutoStart::writeEntry(QStringLiteral("LUMORAPLAYER"), program, false));
        QVERIFY(QFile::exists(path));
        QCOMPARE(readKey(path, "Hidden"), QStringLiteral("true"));
        QCOMPARE(readKey(path, "Exec"), QStringLiteral("\"/opt/lumora/LumoraPlayer\""));
    }

    void awkwardPathIsQuoted()
    {
        QVERIFY(AutoStart::writeEntry(QStringLiteral("LUMORAPLAYER"), QStringLiteral("/opt/my $app \"x\"/LumoraPlayer"), true));
        QCOMPARE(readKey(AutoStart::entryPath(QStringLiteral("LUMORAPLAYER")), "Exec"),
                 QStringLiteral("\"/opt/my \\\\$app \\\\\"x\\\\\"/LumoraPlayer\""));
    }

    void unwritableLocationFails()
    {
        QTemporaryDir dir;
        QFile blocker(dir.path() + QStringLiteral("/cfg"));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the directory should be
        blocker.close();
        qputenv("XDG_CONFIG_HOME", blocker.fileName().toLocal8Bit());
        QVERIFY(!AutoStart::writeEntry(QStringLiteral("LUMORAPLAYER"), QStringLiteral("/x"), true));
        qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
    }

private:
    // Read by hand: QSettings caches files it has seen within the same second.
    static QString readKey(const QString &path, const QByteArray &key)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        for (const QByteArray &line : f.readAll().split('\n')) {
            if (line.startsWith(key + '='))
                return QString::fromUtf8(line.mid(key.size() + 1));
        }
        return QString();
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestAutoStart)
#include "test_autostart.moc"
