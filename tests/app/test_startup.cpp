// Starts the real LumoraPlayer from a private application directory and checks
// what start-up leaves behind: the single instance, the companion, the clean-up of
// a leftover scrolling process and the abnormal-end marker.

#include "buildpaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>
#include <unistd.h>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        QVERIFY(
            QFile::copy(BuildPaths::path("LUMORA_PLAYER_BINARY"), appPath(QStringLiteral("LumoraPlayer"))));
        QVERIFY(QFile::copy(BuildPaths::path("LUMORA_SERVER_BINARY"),
                            appPath(QStringLiteral("LumoraPlayerServer"))));
        m_config.reset(new QTemporaryDir);
    }

    void cleanup()
    {
        for (QProcess *p : qAsConst(m_processes)) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(3000);
            }
            delete p;
        }
        m_processes.clear();
        // A player or companion a failed step left behind would hold the instance or the
        // suite's output open for every later case.
        killExe(appPath(QStringLiteral("LumoraPlayer")));
        killExe(appPath(QStringLiteral("LumoraPlayerServer")));
    }

    void withoutDisplaySaysSoAndExits2()
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(appPath(QStringLiteral("LumoraPlayer")), {});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 2);
        const QByteArray err = p.readAllStandardError().trimmed();
        QVERIFY(!err.isEmpty());
        QCOMPARE(err.count('\n'), 0);

        // --version and --help still answer on a terminal without a display.
        p.start(appPath(QStringLiteral("LumoraPlayer")), {QStringLiteral("--version")});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().contains(LUMORA_VERSION));
        p.start(appPath(QStringLiteral("LumoraPlayer")), {QStringLiteral("--help")});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().contains("--play"));
    }

    void singleInstanceSurvivesAKilledHolder()
    {
        QProcess *first = startPlayer();
        QVERIFY(waitForMainWindow(first));

        // A second start leaves at once with status 0 while the first runs.
        QProcess *second = startPlayer();
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);

        // A killed holder must not keep the next start from running.
        ::kill(pid_t(first->processId()), SIGKILL);
        QVERIFY(first->waitForFinished(20000));
        QProcess *third = startPlayer();
        QVERIFY(waitForMainWindow(third));
        QVERIFY(!third->waitForFinished(1000));
    }

    // One instance per user and graphical display: a second display of the same user runs its
    // own player, a second start on the same display leaves.
    void eachDisplayHasItsOwnInstance()
    {
        QProcess *first = startPlayer();
        QVERIFY(waitForMainWindow(first));

        // A number far from the low ones a desktop, xvfb-run or another machine's X server
        // sharing this network namespace may hold.
        QProcess *server = track(new QProcess);
        const int number = 1000 + int(QCoreApplication::applicationPid() % 20000);
        server->start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(number), QStringLiteral("-displayfd"),
                                               QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                                               QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                                               QStringLiteral("tcp")});
        QVERIFY(server->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(server->canReadLine(), 20000);
        const QString display = QLatin1Char(':') + QString::fromLatin1(server->readLine()).trimmed();
        QCOMPARE(display, QStringLiteral(":%1").arg(number));

        QProcess *second = startPlayer(display);
        QTRY_VERIFY_WITH_TIMEOUT(!xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                           QStringLiteral("--pid"), QString::number(second->processId()),
                                           QStringLiteral("--name"), QStringLiteral(" - Lumora$")},
                                          display)
                                      .isEmpty(),
                                 60000);
        QCOMPARE(first->state(), QProcess::Running);

        QProcess *third = startPlayer();
        QVERIFY(third->waitForFinished(10000));
        QCOMPARE(third->exitStatus(), QProcess::NormalExit);
        QCOMPARE(third->exitCode(), 0);
        QCOMPARE(second->state(), QProcess::Running);
    }

    // Started by the session's autostart entry while the systemd user unit is enabled, the player
    // leaves the start to the unit and says so; without the unit it runs.
    void anAutostartedPlayerLeavesTheStartToAnEnabledUnit()
    {
        const QString wants = m_config->filePath(QStringLiteral("systemd/user/graphical-session.target.wants"));
        QVERIFY(QDir().mkpath(wants));
        QFile link(wants + QStringLiteral("/lumora-player.service"));
        QVERIFY(link.open(QIODevice::WriteOnly));
        link.close();
        QProcess *left = startPlayer(QString(), {QStringLiteral("--autostart")});
        QVERIFY(left->waitForFinished(20000));
        QCOMPARE(left->exitStatus(), QProcess::NormalExit);
        QCOMPARE(left->exitCode(), 0);

        QVERIFY(link.remove());
        QProcess *runs = startPlayer(QString(), {QStringLiteral("--autostart")});
        QVERIFY(waitForMainWindow(runs));
    }

    // Run as root without the sandbox switch in its environment, the player turns the web
    // engine's sandbox off itself and says so in one line.
    void asRootTheWebEngineSandboxIsOffAndSaidOnce()
    {
        if (::geteuid() != 0)
            QSKIP("needs root");
        auto *player = track(new QProcess);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config->path());
        env.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
        player->setProcessEnvironment(env);
        player->start(appPath(QStringLiteral("LumoraPlayer")), {});
        QVERIFY(player->waitForStarted());
        QVERIFY(waitForMainWindow(player));
        ::kill(pid_t(player->processId()), SIGTERM);
        QVERIFY(player->waitForFinished(20000));
        QCOMPARE(player->exitCode(), 0);
        const QByteArray err = player->readAllStandardError();
        QCOMPARE(err.count("without the web engine's sandbox"), 1);
    }

    void orderlyCloseMarkerIsConsumed()
    {
        {
            QSettings ini(appPath(QStringLiteral("setting.ini")), QSettings::IniFormat);
            ini.setValue(QStringLiteral("CloseType"), QStringLiteral("normal"));
        }
        QProcess *player = startPlayer();
        QVERIFY(waitForMainWindow(player));
        QTRY_COMPARE_WITH_TIMEOUT(closeType(), QStringLiteral(""), 20000);
        QVERIFY(QSettings(appPath(QStringLiteral("setting.ini")), QSettings::IniFormat)
                    .contains(QStringLiteral("CloseType")));
    }

    // A service manager's stop (SIGTERM) or Ctrl+C (SIGINT) ends the player as its close
    // button does, without asking: status 0, and the end marked orderly, so the next start is
    // not taken for a crash.
    void terminationSignalsEndThePlayerInOrder()
    {
        for (int signalNumber : {SIGTERM, SIGINT}) {
            QFile::remove(appPath(QStringLiteral("setting.ini")));
            QProcess *player = startPlayer();
            QVERIFY(waitForMainWindow(player));
            QCOMPARE(closeType(), QStringLiteral("<missing>"));
            ::kill(pid_t(player->processId()), signalNumber);
            QVERIFY(player->waitForFinished(20000));
            QCOMPARE(player->exitStatus(), QProcess::NormalExit);
            QCOMPARE(player->exitCode(), 0);
            QCOMPARE(closeType(), QStringLiteral("normal"));
        }
    }

    void companionStartsAndLeftoverScrollerEnds()
    {
        // Stand-ins: "rollingText" must be ended, "rollingTextX" must survive.
        const QString sleepBinary = QStringLiteral("/bin/sleep");
        QVERIFY(QFile::copy(sleepBinary, appPath(QStringLiteral("rollingText"))));
        QVERIFY(QFile::copy(sleepBinary, appPath(QStringLiteral("rollingTextX"))));
        QProcess *scroller = track(new QProcess);
        scroller->start(appPath(QStringLiteral("rollingText")), {QStringLiteral("60")});
        QProcess *lookalike = track(new QProcess);
        lookalike->start(appPath(QStringLiteral("rollingTextX")), {QStringLiteral("60")});
        QVERIFY(scroller->waitForStarted() && lookalike->waitForStarted());

        QProcess *player = startPlayer();
        QVERIFY(waitForMainWindow(player));
        QTRY_COMPARE_WITH_TIMEOUT(scroller->state(), QProcess::NotRunning, 20000);
        QCOMPARE(lookalike->state(), QProcess::Running);
        QTRY_VERIFY_WITH_TIMEOUT(exeRunning(appPath(QStringLiteral("LumoraPlayerServer"))), 20000);

        // The companion leaves by itself once no player is left.
        player->kill();
        player->waitForFinished(3000);
        QTRY_VERIFY_WITH_TIMEOUT(!exeRunning(appPath(QStringLiteral("LumoraPlayerServer"))), 15000);
    }

    void hotKeyRaisesTheMainWindowFromAnotherClient()
    {
        QProcess *player = startPlayer();
        QVERIFY(waitForMainWindow(player));
        const QString mainWindow = windowOf(player->processId(), QStringLiteral(" - Lumora$"));
        QVERIFY(!mainWindow.isEmpty());

        // Another program's window takes the focus.
        QProcess *other = track(new QProcess);
        other->start(QStringLiteral("display"),
                     {QStringLiteral("-title"), QStringLiteral("other-client"), QStringLiteral("-size"),
                      QStringLiteral("300x300"), QStringLiteral("xc:blue")});
        QVERIFY(other->waitForStarted());
        QString otherWindow;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(otherWindow = windowOf(other->processId(), QStringLiteral("other-client"))).isEmpty(), 10000);
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), otherWindow});
        QTRY_COMPARE_WITH_TIMEOUT(focusedWindow(), otherWindow, 20000);

        xdotool({QStringLiteral("key"), QStringLiteral("ctrl+q")});
        // The focus goes to the player's main window (the one search found may be its
        // client-leader twin, so compare by the window's name and process).
        QTRY_COMPARE_WITH_TIMEOUT(xdotool({QStringLiteral("getwindowpid"), focusedWindow()}),
                                  QString::number(player->processId()), 20000);
        QVERIFY(xdotool({QStringLiteral("getwindowname"), focusedWindow()}).endsWith(QLatin1String(" - Lumora")));
        QCOMPARE(player->state(), QProcess::Running);
    }

private:
    static QString xdotool(const QStringList &args, const QString &display = QString())
    {
        QProcess p;
        if (!display.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("DISPLAY"), display);
            p.setProcessEnvironment(env);
        }
        p.start(QStringLiteral("xdotool"), args);
        p.waitForFinished(5000);
        return QString::fromLatin1(p.readAllStandardOutput()).trimmed();
    }

    static QString windowOf(qint64 pid, const QString &name)
    {
        return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                        QString::number(pid), QStringLiteral("--name"), name})
            .split(QLatin1Char('\n'))
            .value(0);
    }

    static QString focusedWindow() { return xdotool({QStringLiteral("getwindowfocus")}); }

    QString appPath(const QString &name) const { return m_dir->path() + QLatin1Char('/') + name; }

    QProcess *track(QProcess *p)
    {
        m_processes.append(p);
        return p;
    }

    QProcess *startPlayer(const QString &display = QString(), const QStringList &arguments = {})
    {
        auto *p = track(new QProcess);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config->path());
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(appPath(QStringLiteral("LumoraPlayer")), arguments);
        p->waitForStarted();
        return p;
    }

    // The main window is mapped when a window of that process is titled "<scheme> - Lumora".
    static bool waitForMainWindow(QProcess *p)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 15000) {
            if (p->state() != QProcess::Running)
                return false;
            QProcess search;
            search.start(QStringLiteral("xdotool"),
                         {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                          QString::number(p->processId()), QStringLiteral("--name"),
                          QStringLiteral(" - Lumora$")});
            search.waitForFinished(5000);
            if (search.exitCode() == 0 && !search.readAllStandardOutput().trimmed().isEmpty())
                return true;
            QTest::qWait(100);
        }
        return false;
    }

    QString closeType() const
    {
        return QSettings(appPath(QStringLiteral("setting.ini")), QSettings::IniFormat)
            .value(QStringLiteral("CloseType"), QStringLiteral("<missing>"))
            .toString();
    }

    static QList<qint64> pidsOfExe(const QString &exe)
    {
        QList<qint64> pids;
        const QStringList entries =
            QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &entry : entries) {
            const QString target = QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(entry));
            if (target == exe)
                pids.append(entry.toLongLong());
        }
        return pids;
    }

    static bool exeRunning(const QString &exe) { return !pidsOfExe(exe).isEmpty(); }

    static void killExe(const QString &exe)
    {
        for (qint64 pid : pidsOfExe(exe))
            ::kill(pid_t(pid), SIGKILL);
    }

    QScopedPointer<QTemporaryDir> m_dir;
    QScopedPointer<QTemporaryDir> m_config;
    QList<QProcess *> m_processes;
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
