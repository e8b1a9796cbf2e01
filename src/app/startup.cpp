#include "startup.h"

#include "appcore/applicationfont.h"
#include "appcore/heaptrim.h"
#include "appcore/myglobalshortcut.h"
#include "appcore/screensurvey.h"
#include "appcore/settings.h"
#include "appcore/translations.h"
#include "fleet/fleetconfig.h"
#include "fleet/playerchannel.h"
#include "log/databaseconn.h"
#include "panels/wheelguard.h"
#include "platform/applocations.h"
#include "platform/autostart.h"
#include "platform/processes.h"
#include "platform/singleinstance.h"
#include "platform/terminationsignals.h"
#include "shell/fleetplayerlink.h"
#include "shell/shellglobals.h"
#include "shell/shellstyle.h"
#include "shell/widget.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

bool displayAvailable()
{
    // A platform chosen by hand (offscreen, vnc...) brings its own display.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

const QString kServiceUnit = QStringLiteral("lumora-player.service");

struct Options
{
    QCommandLineOption play{QStringLiteral("play"),
                            QStringLiteral("Play the scheme two seconds after it opened, minimised.")};
    QCommandLineOption unattended{
        QStringLiteral("unattended"),
        QStringLiteral("After an end that was not orderly, play the last scheme again without waiting for "
                       "anyone (the lumora-player.service unit starts the player so).")};
    QCommandLineOption autostart{QStringLiteral("autostart"),
                                 QStringLiteral("Started by the session's autostart entry: leave the start to "
                                                "the lumora-player.service unit when it is enabled.")};

    void addTo(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(QStringLiteral("Lumora: player and editor for LED display screens"));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addPositionalArgument(QStringLiteral("scheme"), QStringLiteral("A .schx scheme to open and play."),
                                     QStringLiteral("[FILE.schx]"));
        parser.addOption(play);
        parser.addOption(unattended);
        parser.addOption(autostart);
    }
};

bool asksForHelpOrVersion(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "-v" || arg == "--version")
            return true;
    }
    return false;
}

} // namespace

int runLumora(int argc, char **argv)
{
    HeapTrim::limitHeldMemory();

    // --help and --version answer on a terminal without a display too.
    if (!displayAvailable() && asksForHelpOrVersion(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationVersion(QStringLiteral(LUMORA_VERSION));
        QCommandLineParser parser;
        Options().addTo(parser);
        parser.process(app);
    }
    if (!displayAvailable()) {
        std::fputs("LumoraPlayer: no graphical display (DISPLAY is not set); it needs an X11 desktop.\n",
                   stderr);
        return 2;
    }

    // The music players go through GStreamer, whose KMS video sink waits in a loop for device
    // nodes a machine without a graphics card (a VM, a headless signage box) never has: minutes
    // per player on a busy machine. Music needs no video sink; an operator's own setting wins.
    if (!qEnvironmentVariableIsSet("GST_PLUGIN_FEATURE_RANK"))
        qputenv("GST_PLUGIN_FEATURE_RANK", "kmssink:NONE");

    // The web engine refuses to start as root with its sandbox on, and a web item would show
    // nothing. A signage PC should run the player as an ordinary user; one that does not gets
    // the sandbox off, and is told so once.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        std::fputs("LumoraPlayer: running as root, so web pages are shown without the web engine's "
                   "sandbox; run the player as an ordinary user.\n",
                   stderr);
    }

    // 1. Shared OpenGL contexts for the video and web widgets, before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("LumoraPlayer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMORA_VERSION));
    // The desktop launcher's name, by which a desktop matches the windows to the launcher's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lumora.Player"));

    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    parser.process(app);
    const QString schemeArgument = parser.positionalArguments().value(0);
    const bool playArgument = parser.isSet(options.play);
    const bool unattended = parser.isSet(options.unattended);

    // One of them starts the player with the session, never both: the unit would take the
    // second start's quiet leave for the player's end.
    if (parser.isSet(options.autostart) && AutoStart::serviceEnabled(kServiceUnit)) {
        std::fputs("LumoraPlayer: lumora-player.service starts the player in this session; the autostart "
                   "entry leaves it to the unit.\n",
                   stderr);
        return 0;
    }

    // 2. Application directory and settings.
    setApplicationDirectory(QCoreApplication::applicationDirPath());
    readSettings();
    AppSettings &settings = appSettings();
    dataBaseConn::setDatabasePath(AppLocations::playLogPath());

    // 3. Translators.
    if (settings.language == 0 || settings.language == 1)
        installTranslations(settings.language);

    // 4. Application font, and the console look for the dialogs that have none of their own.
    applyApplicationFont();
    applyApplicationStyle();
    // Before any panel or dialog exists: scrolling across them changes no value on the way.
    WheelGuard::guardApplication();

    // 5. Screen survey.
    takeScreenSurvey();

    // 6. Single instance: a second start leaves silently.
    SingleInstance instance(SingleInstance::sessionKey(QStringLiteral("LUMORAPLAYER")));
    if (!instance.tryAcquire())
        return 0;

    // A service manager's stop or a shutdown ends the program as the close button does, only
    // without the question: unsaved changes stay in the recovery copy, the queued play-log rows
    // are written and the end is marked orderly. Caught from here on, because the main window
    // may be on screen before its constructor returns; acted on once it exists.
    TerminationSignals termination;

    // 7. A leftover text-scrolling process.
    Processes::killByExactName(QStringLiteral("rollingText"));

    // 8. Icon.
    app.setWindowIcon(QIcon(QStringLiteral(":/images/pptConvertLogo.png")));

    // 9. The parentless zero-size label the display-window code hangs on to.
    auto *zeroLabel = new QLabel;
    zeroLabel->setFixedSize(0, 0);
    setZeroSizeLabel(zeroLabel);

    // 10. Main window.
    auto *widget = new Widget;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, widget, &Widget::endWithoutAsking);
    termination.listen();

    // Unattended, a player that did not end in order (a crash, a kill) plays again what it
    // played, whatever the start-up choice says: nobody is there to start it.
    const bool uncleanEnd = settings.closeType != QLatin1String("normal");
    const bool playAgain = unattended && uncleanEnd && !settings.lastSchemePath.isEmpty();

    // 11. The configured scheme.
    if (settings.play == 1 && !playAgain)
        widget->slotOpenSettingsDoc(settings.playType == 0 ? settings.schemePath : settings.lastSchemePath);

    // 12.
    widget->show();
    widget->reportUnwritableFolders();

    // 13. Companion server, started on every launch; a missing one is ignored.
    Processes::startDetached(AppLocations::companionPath());

    // Where a fleet is configured, the companion is the device's agent: it hands this player the
    // bundles the operator publishes, and hears from it what plays.
    QScopedPointer<FleetPlayerLink> fleetLink;
    if (FleetConfig::fromSettingsFiles(AppLocations::defaultSettingsFiles() << AppLocations::settingsFile())
            .isEnabled()) {
        fleetLink.reset(new FleetPlayerLink(widget, PlayerChannel::defaultSocketPath()));
        fleetLink->start();
    }

    // 14. Abnormal-end recovery.
    if (settings.closeType == QLatin1String("normal")) {
        settings.closeType.clear();
        writeCloseType();
    } else if (playAgain) {
        qWarning("LumoraPlayer: started again after an end that was not orderly; playing %s again",
                 qPrintable(settings.lastSchemePath));
        widget->openSchemeFromCommandLine(settings.lastSchemePath, true);
    } else {
        widget->slotOpenLastDoc(settings.lastSchemePath);
    }

    if (!schemeArgument.isEmpty())
        widget->openSchemeFromCommandLine(QFileInfo(schemeArgument).absoluteFilePath(), playArgument);

    // Changes a crash or a killed session kept are offered once the scheme of the start is in.
    widget->offerRecoveredChanges();

    // 15. Hot key.
    auto *shortcut = new MyGlobalShortCut(QStringLiteral("Ctrl+Q"), &app);
    QObject::connect(shortcut, &MyGlobalShortCut::activated, widget, &Widget::slotRaiseWindow);

    // Weeks of play without the heap creeping up.
    HeapTrim heapTrim;

    // 16.
    const int status = app.exec();
    // An orderly end, which the agent must not count as a crash.
    if (fleetLink) {
        fleetLink->sayBye();
        fleetLink.reset();
    }
    delete shortcut;
    setZeroSizeLabel(nullptr);
    delete zeroLabel;
    delete widget;
    Q_UNUSED(status)
    return 0;
}
