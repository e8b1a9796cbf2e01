// A device with a real player: the player starts its companion, which is the device's agent
// once the device has joined a fleet; a bundle published by lumora-fleet plays on the screen,
// the device says what it shows, a screenshot comes back with the picture in it, and a player
// that dies is started again by the agent and plays the bundle again.

#include "../buildpaths.h"
#include "fleet/bundlemanifest.h"
#include "fleet/ed25519key.h"
#include "fleet/sha256stream.h"
#include "fleetsite.h"
#include "log/playlogexport.h"
#include "model/commonwinobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/schemewriter.h"
#include "schemesamples.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestFleetPlayer : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_app = m_dir->filePath(QStringLiteral("app"));
        QVERIFY(QDir().mkpath(m_app));
        QVERIFY(
            QFile::copy(BuildPaths::path("LUMORA_PLAYER_BINARY"), m_app + QStringLiteral("/LumoraPlayer")));
        QVERIFY(QFile::copy(BuildPaths::path("LUMORA_SERVER_BINARY"),
                            m_app + QStringLiteral("/LumoraPlayerServer")));
        m_site.reset(new FleetSite(m_dir->filePath(QStringLiteral("fleet"))));
    }

    void cleanup()
    {
        if (m_player && m_player->state() != QProcess::NotRunning) {
            m_player->kill();
            m_player->waitForFinished(5000);
        }
        m_player.reset();
        // The agent and a player it started again are no children of this test.
        killAll(m_app + QStringLiteral("/LumoraPlayer"));
        killAll(m_app + QStringLiteral("/LumoraPlayerServer"));
        m_site.reset();
        m_dir.reset();
    }

    void aPublishedBundlePlaysIsReportedAndSurvivesACrash()
    {
        startFleet();
        startPlayer();
        QVERIFY(publish(makeScheme()) > 0);

        // What each window shows, as the device reports it.
        QTRY_VERIFY_WITH_TIMEOUT(devicesLine().contains(QStringLiteral("orange.png")), 60000);

        // The screenshot is the screen's: the picture's colour, not black.
        const QString shot = m_dir->filePath(QStringLiteral("shot.jpg"));
        QString output;
        QCOMPARE(m_site->tool({QStringLiteral("screenshot"), QStringLiteral("screen-1"), shot}, &output), 0);
        QImage picture(shot);
        QVERIFY2(!picture.isNull(), qPrintable(output));
        const QColor centre = picture.pixelColor(picture.width() / 2, picture.height() / 2);
        QVERIFY2(centre.red() > 200 && centre.green() > 80 && centre.green() < 200 && centre.blue() < 80,
                 qPrintable(centre.name()));

        // The broker gone (stopped first, so connections hang as on a dead route, then killed):
        // the screen goes on showing its item, and the device is back once the broker is.
        m_site->pauseBroker();
        for (int look = 0; look < 100; ++look) {
            const QColor colour = middle();
            QVERIFY2(colour.red() > 200 && colour.blue() < 80, qPrintable(colour.name()));
            QTest::qWait(20);
        }
        m_site->killBroker();
        QString error;
        QVERIFY2(m_site->startBroker(&error), qPrintable(error));
        QTRY_VERIFY_WITH_TIMEOUT(devicesLine().contains(QStringLiteral("screen-1  online")), 120000);
        QVERIFY(middle().red() > 200);

        // Killed, the player is started again by the agent and plays the bundle again.
        const qint64 first = m_player->processId();
        ::kill(pid_t(first), SIGKILL);
        QVERIFY(m_player->waitForFinished(10000));
        QTRY_VERIFY_WITH_TIMEOUT(statusOf().value(QStringLiteral("playerCrashes")).toInt() == 1, 60000);
        QTRY_VERIFY_WITH_TIMEOUT(playerPids().size() == 1 && playerPids().first() != first, 60000);
        QTRY_VERIFY_WITH_TIMEOUT(statusOf().value(QStringLiteral("player")).toString() ==
                                         QLatin1String("running") &&
                                     !statusOf().value(QStringLiteral("playing")).toArray().isEmpty(),
                                 60000);
    }

    // From one bundle to the next on a screen both play: the screen never shows the desktop
    // between them. And a bundle whose scheme the player cannot open changes nothing on screen.
    void switchingShowsNoBlackFrameAndABadSchemeIsRefused()
    {
        startFleet();
        startPlayer();
        const qint64 first = publish(makeScheme());
        QVERIFY(first > 0);
        QTRY_VERIFY_WITH_TIMEOUT(middle().red() > 200 && middle().green() < 200, 60000);

        // The screen watched while the next bundle comes, until it shows blue.
        QProcess tool;
        tool.start(BuildPaths::path("LUMORA_FLEET_TOOL"),
                   {QStringLiteral("--ca"), m_site->caFolder(), QStringLiteral("publish"),
                    makeScheme(QStringLiteral("blue"), QColor(0, 60, 255)), QStringLiteral("--to"),
                    QStringLiteral("hall")});
        QVERIFY(tool.waitForStarted());
        int samples = 0;
        QStringList dark;
        QElapsedTimer watching;
        watching.start();
        for (;;) {
            const QColor colour = middle();
            ++samples;
            if (colour.red() + colour.green() + colour.blue() < 90)
                dark.append(colour.name());
            if (colour.blue() > 200 && colour.red() < 60)
                break;
            QVERIFY2(watching.elapsed() < 120000, "the screen never showed the next bundle");
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        QVERIFY(tool.state() == QProcess::NotRunning || tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY2(dark.isEmpty(),
                 qPrintable(QStringLiteral("%1 of %2 looks were dark").arg(dark.size()).arg(samples)));

        // The row of the picture the switch cut short names the bundle it came in and the
        // exact bytes it showed.
        QFile orange(m_dir->filePath(QStringLiteral("orange.png")));
        QVERIFY(orange.open(QIODevice::ReadOnly));
        const QString orangeHash = QString::fromLatin1(Sha256Stream::ofData(orange.readAll()));
        PlayLogExport log(m_app + QStringLiteral("/log.db"));
        auto orangeRow = [&] {
            QVector<PlayLogExportRow> rows;
            log.rowsAfter(0, 1000, &rows);
            for (const PlayLogExportRow &row : qAsConst(rows)) {
                if (row.path.endsWith(QLatin1String("/orange.png")))
                    return row;
            }
            return PlayLogExportRow();
        };
        QTRY_VERIFY_WITH_TIMEOUT(orangeRow().seq > 0, 30000);
        const PlayLogExportRow row = orangeRow();
        QCOMPARE(row.bundle, first);
        QCOMPARE(row.hash, orangeHash);
        QCOMPARE(row.screen, QStringLiteral("D"));
        QVERIFY(row.endUtcMs > row.startUtcMs);
        QCOMPARE(row.utcOffset, QDateTime::currentDateTime().offsetFromUtc());
        // The agent reads the log its player writes: the row waits there for a collector.
        QTRY_VERIFY_WITH_TIMEOUT(qint64(statusOf()
                                            .value(QStringLiteral("playLog"))
                                            .toObject()
                                            .value(QStringLiteral("newest"))
                                            .toDouble()) >= row.seq,
                                 60000);

        // A scheme file that is none, signed as the operator's: refused, and blue stays.
        const QByteArray garbage("this is no scheme at all");
        const QByteArray hash = Sha256Stream::ofData(garbage);
        QFile served(m_site->contentRoot() + QLatin1Char('/') + QString::fromLatin1(hash));
        QVERIFY(served.open(QIODevice::WriteOnly));
        served.write(garbage);
        served.close();
        QFile::setPermissions(served.fileName(), served.permissions() | QFile::ReadOther);
        BundleManifest manifest;
        manifest.sequence = QDateTime::currentMSecsSinceEpoch() + 1000000;
        manifest.scheme = QStringLiteral("broken.schx");
        manifest.published = QDateTime::currentDateTimeUtc();
        manifest.files.append(BundleFile{QStringLiteral("broken.schx"), hash, garbage.size()});
        const Ed25519Key key = Ed25519Key::fromPemFile(m_site->caFolder() + QStringLiteral("/operator.key"));
        QString error;
        QVERIFY2(m_site->setDesired(QStringLiteral("lumora/v1/grp/hall/desired"),
                                    SignedManifest::sign(manifest.toJson(), key).toJson(), &error),
                 qPrintable(error));
        QTRY_VERIFY_WITH_TIMEOUT(qint64(statusOf()
                                            .value(QStringLiteral("lastRefusal"))
                                            .toObject()
                                            .value(QStringLiteral("sequence"))
                                            .toDouble()) == manifest.sequence,
                                 60000);
        const QJsonObject state = statusOf();
        QVERIFY2(state.value(QStringLiteral("lastRefusal"))
                     .toObject()
                     .value(QStringLiteral("reason"))
                     .toString()
                     .contains(QStringLiteral("could not open")),
                 qPrintable(QJsonDocument(state).toJson()));
        QVERIFY(qint64(state.value(QStringLiteral("active"))
                           .toObject()
                           .value(QStringLiteral("sequence"))
                           .toDouble()) > first);
        QVERIFY(middle().blue() > 200);
    }

    // A bundle after which the player keeps dying is taken back: the third crash within ten
    // minutes of the switch sends the device to the bundle before, which plays again.
    void threeCrashesAfterASwitchGoBackToTheBundleBefore()
    {
        startFleet();
        startPlayer();
        const qint64 before = publish(makeScheme());
        QVERIFY(before > 0);
        const qint64 after = publish(makeScheme(QStringLiteral("blue"), QColor(0, 60, 255)));
        QVERIFY(after > before);
        QTRY_VERIFY_WITH_TIMEOUT(middle().blue() > 200, 60000);

        qint64 victim = m_player->processId();
        for (int crash = 1; crash <= 3; ++crash) {
            ::kill(pid_t(victim), SIGKILL);
            QTRY_VERIFY_WITH_TIMEOUT(!pidsOf(m_app + QStringLiteral("/LumoraPlayer")).contains(victim),
                                     10000);
            QTRY_VERIFY_WITH_TIMEOUT(playerPids().size() == 1 && playerPids().first() != victim, 60000);
            victim = playerPids().first();
        }
        QTRY_COMPARE_WITH_TIMEOUT(qint64(statusOf()
                                             .value(QStringLiteral("active"))
                                             .toObject()
                                             .value(QStringLiteral("sequence"))
                                             .toDouble()),
                                  before, 60000);
        const QJsonObject refusal = statusOf().value(QStringLiteral("lastRefusal")).toObject();
        QCOMPARE(qint64(refusal.value(QStringLiteral("sequence")).toDouble()), after);
        QCOMPARE(qint64(refusal.value(QStringLiteral("rolledBackTo")).toDouble()), before);
        QTRY_VERIFY_WITH_TIMEOUT(middle().red() > 200 && middle().blue() < 80, 60000);
    }

    // A bundle the player holds for its time, cancelled before it comes: the player is told,
    // and when the time has come and gone the screen still shows what it showed.
    void aCancelledBundleWaitingForItsTimeNeverShows()
    {
        startFleet();
        startPlayer();
        QVERIFY(publish(makeScheme()) > 0);
        QTRY_VERIFY_WITH_TIMEOUT(middle().red() > 200 && middle().green() < 200, 60000);

        const QDateTime at = QDateTime::currentDateTimeUtc().addSecs(30);
        QString output;
        QCOMPARE(m_site->tool({QStringLiteral("publish"),
                               makeScheme(QStringLiteral("blue"), QColor(0, 60, 255)), QStringLiteral("--to"),
                               QStringLiteral("hall"), QStringLiteral("--at"), at.toString(Qt::ISODate)},
                              &output),
                 0);
        const qint64 waiting =
            output.section(QStringLiteral("bundle "), 1).section(QLatin1Char(':'), 0, 0).toLongLong();
        QTRY_VERIFY_WITH_TIMEOUT(
            statusOf().value(QStringLiteral("staged")).toObject().value(QStringLiteral("ready")).toBool(),
            60000);
        QVERIFY2(QDateTime::currentDateTimeUtc() < at.addSecs(-2),
                 "the bundle came too late to be cancelled in time");
        QCOMPARE(m_site->tool({QStringLiteral("cancel"), QStringLiteral("hall")}, &output), 0);
        QTRY_COMPARE_WITH_TIMEOUT(qint64(statusOf()
                                             .value(QStringLiteral("cancelled"))
                                             .toObject()
                                             .value(QStringLiteral("sequence"))
                                             .toDouble()),
                                  waiting, 30000);
        // Watched until well past its time.
        while (QDateTime::currentDateTimeUtc() < at.addSecs(5)) {
            const QColor colour = middle();
            QVERIFY2(colour.red() > 200 && colour.blue() < 80, qPrintable(colour.name()));
            QTest::qWait(100);
        }
        // The player was told in time: the agent never had to send it back.
        const QString lastError =
            statusOf().value(QStringLiteral("lastError")).toObject().value(QStringLiteral("text")).toString();
        QVERIFY2(!lastError.contains(QStringLiteral("withdrawn")), qPrintable(lastError));
    }

private:
    void startPlayer()
    {
        m_player.reset(new QProcess);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // Not started by a service manager: the agent is the one to start the player again.
        env.remove(QStringLiteral("INVOCATION_ID"));
        m_player->setProcessEnvironment(env);
        m_player->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_player->start(m_app + QStringLiteral("/LumoraPlayer"), {});
        QVERIFY(m_player->waitForStarted(10000));
    }

    QString devicesLine()
    {
        QString output;
        m_site->tool({QStringLiteral("devices")}, &output);
        return output;
    }

    QJsonObject statusOf()
    {
        QString output;
        if (m_site->tool({QStringLiteral("status"), QStringLiteral("screen-1")}, &output) != 0)
            return QJsonObject();
        return QJsonDocument::fromJson(output.toUtf8()).object();
    }

    QList<qint64> playerPids() const { return pidsOf(m_app + QStringLiteral("/LumoraPlayer")); }

    static QList<qint64> pidsOf(const QString &exe)
    {
        QList<qint64> pids;
        for (const QString &entry :
             QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(entry)) == exe)
                pids.append(entry.toLongLong());
        }
        return pids;
    }

    static void killAll(const QString &exe)
    {
        for (qint64 pid : pidsOf(exe))
            ::kill(pid_t(pid), SIGKILL);
    }

    // One picture of one colour filling a 320x240 display window.
    QString makeScheme(const QString &name = QStringLiteral("orange"),
                       const QColor &colour = QColor(255, 140, 0))
    {
        const QString picturePath = m_dir->filePath(name + QStringLiteral(".png"));
        QImage image(320, 240, QImage::Format_RGB32);
        image.fill(colour);
        if (!image.save(picturePath))
            return QString();
        auto *item = new LumoraMediaObject;
        item->type = QStringLiteral("image");
        item->image.filePath = picturePath;
        item->image.stayTime = 30;
        Scheme scheme = SchemeSamples::wrap({item});
        PlayWinObject &display = scheme.displayWindows.front()->window;
        display.width = 320;
        display.height = 240;
        CommonWinObject *window =
            scheme.displayWindows.front()->schedule.allPrograms().first()->windows.first();
        window->width = 320;
        window->height = 240;
        const QString path = m_dir->filePath(name + QStringLiteral(".schx"));
        return SchemeWriter::save(path, scheme) ? path : QString();
    }

    void startFleet()
    {
        QString error;
        QVERIFY2(m_site->init(&error), qPrintable(error));
        // The device is the portable folder: its setting.ini holds the fleet.
        QVERIFY2(m_site->enroll(QStringLiteral("screen-1"), {QStringLiteral("hall")}, &error,
                                m_app + QStringLiteral("/setting.ini")),
                 qPrintable(error));
        QVERIFY2(m_site->startBroker(&error), qPrintable(error));
        QVERIFY2(m_site->startContent(&error), qPrintable(error));
    }

    qint64 publish(const QString &scheme)
    {
        QString output;
        if (m_site->tool({QStringLiteral("publish"), scheme, QStringLiteral("--to"), QStringLiteral("hall"),
                          QStringLiteral("--wait"), QStringLiteral("120")},
                         &output) != 0) {
            qWarning("%s", qPrintable(output));
            return -1;
        }
        return output.section(QStringLiteral("bundle "), 1).section(QLatin1Char(':'), 0, 0).toLongLong();
    }

    // The colour at the middle of the display window, as the screen shows it.
    static QColor middle()
    {
        QScreen *screen = QGuiApplication::primaryScreen();
        return screen->grabWindow(0, 160, 120, 1, 1).toImage().pixelColor(0, 0);
    }

    QScopedPointer<QTemporaryDir> m_dir;
    QString m_app;
    QScopedPointer<FleetSite> m_site;
    QScopedPointer<QProcess> m_player;
};

QTEST_MAIN(TestFleetPlayer)
#include "test_fleetplayer.moc"
