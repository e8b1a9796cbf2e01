// The companion the player starts at every launch (beside it in a portable folder, in
// libexec/lumora of an install). It keeps one copy of itself per user (per folder, in a portable
// one) alive while its player runs and leaves when none is left, so repeated launches never pile
// up companions.
//
// With a [Fleet] group in the settings it is the device's fleet agent instead: it stays when the
// player ends (it counts a crash, and starts the player again when nothing else will), so the
// operator still sees the device and the device still takes new bundles.

#include "fleet/fleetagent.h"
#include "fleet/fleetconfig.h"
#include "fleet/playerchannel.h"
#include "platform/applocations.h"
#include "platform/processes.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

QList<qint64> playerPids(const QString &playerPath)
{
    QList<qint64> pids;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(entry)) == playerPath)
            pids.append(entry.toLongLong());
    }
    return pids;
}

bool playerRunning(const QString &playerPath)
{
    return !playerPids(playerPath).isEmpty();
}

// A service manager restarts what it started; started by hand or by a session, nobody does.
bool underServiceManager()
{
    return qEnvironmentVariableIsSet("INVOCATION_ID");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("LumoraPlayerServer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMORA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lumora's companion and fleet agent."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption configOption(QStringLiteral("config"),
                                          QStringLiteral("Read the [Fleet] group from <file> only."),
                                          QStringLiteral("file"));
    const QCommandLineOption stateOption(QStringLiteral("state"),
                                         QStringLiteral("Keep the fleet's bundles in <folder>."),
                                         QStringLiteral("folder"));
    const QCommandLineOption headlessOption(
        QStringLiteral("headless"),
        QStringLiteral("Run the fleet agent without a player, answering as one."));
    const QCommandLineOption logOption(QStringLiteral("log"),
                                       QStringLiteral("Send the play log <file> to the collector (headless: "
                                                      "none unless given)."),
                                       QStringLiteral("file"));
    parser.addOption(configOption);
    parser.addOption(stateOption);
    parser.addOption(logOption);
    parser.addOption(headlessOption);
    parser.process(app);
    const bool headless = parser.isSet(headlessOption);

    const QString playerPath = QFileInfo(AppLocations::playerPath()).canonicalFilePath();
    const QStringList settingsFiles = parser.isSet(configOption) ? QStringList{parser.value(configOption)}
                                                                 : AppLocations::defaultSettingsFiles()
                                                                       << AppLocations::settingsFile();
    FleetAgent::Options options;
    options.config = FleetConfig::fromSettingsFiles(settingsFiles);
    options.folder = parser.isSet(stateOption) ? parser.value(stateOption)
                                               : AppLocations::stateDirectory() + QStringLiteral("/fleet");
    options.headless = headless;
    options.version = QStringLiteral(LUMORA_VERSION);
    options.socketPath = headless ? QString() : PlayerChannel::defaultSocketPath();
    options.playLogPath = parser.isSet(logOption) ? parser.value(logOption)
                          : headless              ? QString()
                                                  : AppLocations::playLogPath();

    // Headless agents are many on one machine, each with its own folder: each locks its own.
    const QString lockPath =
        headless ? options.folder + QStringLiteral("/agent.lock")
                 : AppLocations::runtimeDirectory() + QStringLiteral("/LumoraPlayerServer.lock");
    QDir().mkpath(QFileInfo(lockPath).absolutePath());
    QLockFile lock(lockPath);
    if (!lock.tryLock(0))
        return 0;

    QScopedPointer<FleetAgent> agent;
    if (options.config.isEnabled()) {
        agent.reset(new FleetAgent(options));
        QString error;
        if (!agent->start(&error)) {
            std::fprintf(stderr, "LumoraPlayerServer: the fleet is configured but cannot start: %s\n",
                         qPrintable(error));
            agent.reset();
        }
    }
    if (headless && !agent) {
        std::fputs("LumoraPlayerServer: --headless needs a usable [Fleet] configuration.\n", stderr);
        return 2;
    }

    if (agent && !headless) {
        // The player is watched as a process: one that dies before it ever reached the agent
        // (at start-up, say) is a crash too. Each player seen running ends at most one crash.
        struct Watch
        {
            bool wanted = false; // a player should run: none closed in order since one ran
            bool seenRunning = false;
            bool restartPending = false;
            int restartDelayMs = 3000;
        };
        auto watch = std::make_shared<Watch>();
        watch->wanted = playerRunning(playerPath);
        watch->seenRunning = watch->wanted;
        const bool restartPlayer = !underServiceManager();
        auto startPlayer = [watch, playerPath] {
            watch->restartPending = false;
            if (playerRunning(playerPath))
                return;
            watch->wanted = true;
            watch->seenRunning = true; // started here: if it dies at once, that is a crash too
            Processes::startDetached(playerPath, {QStringLiteral("--unattended")});
        };
        QObject::connect(agent.data(), &FleetAgent::playerArrived, &app, [watch] {
            watch->wanted = true;
            watch->seenRunning = true;
            watch->restartDelayMs = 3000;
        });
        QObject::connect(agent.data(), &FleetAgent::playerEndedInOrder, &app,
                         [watch] { watch->wanted = false; });
        auto *timer = new QTimer(&app);
        QObject::connect(timer, &QTimer::timeout, &app,
                         [watch, playerPath, restartPlayer, startPlayer, &agent] {
                             if (playerRunning(playerPath)) {
                                 watch->seenRunning = true;
                                 return;
                             }
                             if (!watch->wanted || watch->restartPending)
                                 return;
                             if (watch->seenRunning) {
                                 watch->seenRunning = false;
                                 agent->countCrash();
                             }
                             // A service manager starts it again itself; otherwise here, after a pause that
                             // grows while it keeps dying before it reaches the agent.
                             if (!restartPlayer)
                                 return;
                             watch->restartPending = true;
                             QTimer::singleShot(watch->restartDelayMs, qApp, startPlayer);
                             watch->restartDelayMs = qMin(watch->restartDelayMs * 2, 60000);
                         });
        // A player's orderly end (its bye) reaches the agent before its process is gone.
        timer->start(2000);
        QObject::connect(agent.data(), &FleetAgent::restartRequested, &app, [playerPath, watch, startPlayer] {
            // An orderly end (the play log written, the end marked), then a fresh start.
            for (qint64 pid : playerPids(playerPath))
                ::kill(pid_t(pid), SIGTERM);
            watch->restartPending = true;
            auto *wait = new QTimer(qApp);
            int ticks = 0;
            QObject::connect(wait, &QTimer::timeout, qApp, [wait, ticks, playerPath, startPlayer]() mutable {
                if (playerRunning(playerPath) && ++ticks < 60)
                    return;
                wait->deleteLater();
                startPlayer();
            });
            wait->start(500);
        });
        return app.exec();
    }
    if (agent)
        return app.exec();

    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&playerPath] {
        if (!playerRunning(playerPath))
            QCoreApplication::quit();
    });
    watch.start(2000);
    return app.exec();
}
