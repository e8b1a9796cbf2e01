// A fleet on this machine as an operator runs one: lumora-fleet makes the CA, enrols the
// devices and publishes; mosquitto and nginx run from the shipped configuration; the devices
// are headless agents (the agent without a player, answering as one).

#include "../buildpaths.h"
#include "clock/virtualclock.h"
#include "fleet/bundlemanifest.h"
#include "fleet/ed25519key.h"
#include "fleet/fleetagent.h"
#include "fleet/fleetconfig.h"
#include "fleet/fleettopics.h"
#include "fleet/mqttlink.h"
#include "fleet/sha256stream.h"
#include "fleetsite.h"
#include "model/lumoramediaobject.h"
#include "model/schemefiles.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "opensslcommand.h"
#include "schemesamples.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTemporaryDir>
#include <QTest>

class TestFleetAgent : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_site.reset(new FleetSite(m_dir->path()));
    }

    void cleanup()
    {
        if (m_operator)
            m_operator->stop();
        m_operator.reset();
        m_site.reset();
        m_dir.reset();
        m_states.clear();
        m_presence.clear();
    }

    // A group of two: both fetch the bundle and switch at the time set, not before; each has
    // the scheme and its files under the names the scheme gives them, byte for byte.
    void aGroupSwitchesTogetherAtTheTimeSet()
    {
        startSite({{QStringLiteral("dev-a"), {QStringLiteral("lobby")}},
                   {QStringLiteral("dev-b"), {QStringLiteral("lobby")}}});
        startAgent(QStringLiteral("dev-a"));
        startAgent(QStringLiteral("dev-b"));
        const QString scheme = makeScheme(QStringLiteral("first"), 1);

        const QDateTime at = QDateTime::currentDateTimeUtc().addSecs(6);
        QString output;
        QCOMPARE(m_site->tool({QStringLiteral("publish"), scheme, QStringLiteral("--to"),
                               QStringLiteral("lobby"), QStringLiteral("--at"), at.toString(Qt::ISODate),
                               QStringLiteral("--wait"), QStringLiteral("90")},
                              &output),
                 0);
        const qint64 sequence = publishedSequence(output);
        for (const QString &device : {QStringLiteral("dev-a"), QStringLiteral("dev-b")}) {
            QTRY_COMPARE_WITH_TIMEOUT(activeOf(device), sequence, 30000);
            const QJsonObject state = stateOf(device);
            const QDateTime since = QDateTime::fromString(
                state.value("active").toObject().value("since").toString(), Qt::ISODate);
            QVERIFY2(since >= at.addSecs(-1), qPrintable(since.toString(Qt::ISODate)));

            // The bundle on the device: the scheme names its files beside itself.
            const QString bundle = m_site->stateOf(device) + QStringLiteral("/bundles/%1").arg(sequence);
            SchemeReader reader;
            QVERIFY2(reader.readFile(bundle + QStringLiteral("/first.schx")),
                     qPrintable(reader.errorString()));
            SchemeFiles::resolveRelative(reader.scheme(), bundle);
            QStringList files;
            SchemeFiles::forEach(reader.scheme(),
                                 [&files](QString &path, SchemeFiles::Role) { files.append(path); });
            QCOMPARE(files.size(), 1);
            QVERIFY(files.first().startsWith(bundle + QStringLiteral("/media/")));
            QCOMPARE(Sha256Stream::ofFile(files.first()),
                     Sha256Stream::ofFile(m_dir->filePath(QStringLiteral("first-0.png"))));
        }
    }

    // Refusals: a manifest signed by another key, one that names "../x", and one older than
    // what the device has. Each is reported in the state and the device keeps its bundle.
    void forgedReplayedAndEscapingManifestsAreRefused()
    {
        startSite({{QStringLiteral("dev-a"), {}}});
        startAgent(QStringLiteral("dev-a"));
        QString output;
        QCOMPARE(m_site->tool({QStringLiteral("publish"), makeScheme(QStringLiteral("good"), 1),
                               QStringLiteral("--to"), QStringLiteral("dev-a"), QStringLiteral("--wait"),
                               QStringLiteral("60")},
                              &output),
                 0);
        const qint64 good = publishedSequence(output);
        QTRY_COMPARE_WITH_TIMEOUT(activeOf(QStringLiteral("dev-a")), good, 30000);
        const Ed25519Key operatorKey =
            Ed25519Key::fromPemFile(m_site->caFolder() + QStringLiteral("/operator.key"));
        QVERIFY(!operatorKey.isNull());
        const BundleManifest valid = manifestOf(QStringLiteral("dev-a"), good);

        BundleManifest forged = valid;
        forged.sequence = good + 10;
        // Nothing of an unverified manifest is believed, its sequence neither.
        expectRefusal(SignedManifest::sign(forged.toJson(), Ed25519Key::generate()), 0,
                      QStringLiteral("signature"));

        BundleManifest escaping = valid;
        escaping.sequence = good + 20;
        escaping.files[0].name = QStringLiteral("../x");
        // Signed as the operator would never sign it; toJson does not check names.
        expectRefusal(SignedManifest::sign(escaping.toJson(), operatorKey), 0, QString());
        QVERIFY(!QFile::exists(m_site->stateOf(QStringLiteral("dev-a")) + QStringLiteral("/bundles/x")));

        BundleManifest older = valid;
        older.sequence = good - 1;
        expectRefusal(SignedManifest::sign(older.toJson(), operatorKey), older.sequence,
                      QStringLiteral("not newer"));

        QCOMPARE(activeOf(QStringLiteral("dev-a")), good);
    }

    // A file on the content server whose bytes are not those of the manifest never becomes
    // part of a bundle; once the server has the right bytes, the bundle arrives.
    void aFileThatDoesNotMatchItsHashIsRefusedAndFetchedAgain()
    {
        startSite({{QStringLiteral("dev-a"), {}}});
        const QString scheme = makeScheme(QStringLiteral("mended"), 1);
        QString output;
        // Published while the device is away: it takes the retained desired state when it comes.
        QCOMPARE(
            m_site->tool({QStringLiteral("publish"), scheme, QStringLiteral("--to"), QStringLiteral("dev-a")},
                         &output),
            0);
        const qint64 sequence = publishedSequence(output);
        const QByteArray hash = Sha256Stream::ofFile(m_dir->filePath(QStringLiteral("mended-0.png")));
        const QString served = m_site->contentRoot() + QLatin1Char('/') + QString::fromLatin1(hash);
        QFile file(served);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray right = file.readAll();
        QByteArray wrong = right;
        wrong[wrong.size() / 2] = char(wrong.at(wrong.size() / 2) ^ 0x55);
        QVERIFY(file.seek(0));
        QCOMPARE(file.write(wrong), qint64(wrong.size()));
        file.close();

        startAgent(QStringLiteral("dev-a"));
        QTRY_VERIFY_WITH_TIMEOUT(stateOf(QStringLiteral("dev-a"))
                                     .value("lastError")
                                     .toObject()
                                     .value("text")
                                     .toString()
                                     .contains(QStringLiteral("hash")),
                                 60000);
        QVERIFY(!QFile::exists(m_site->stateOf(QStringLiteral("dev-a")) + QStringLiteral("/files/") +
                               QString::fromLatin1(hash)));
        QVERIFY(stateOf(QStringLiteral("dev-a")).value("active").isUndefined());

        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(right), qint64(right.size()));
        file.close();
        QTRY_COMPARE_WITH_TIMEOUT(activeOf(QStringLiteral("dev-a")), sequence, 120000);
    }

    // The agent killed in the middle of a download: started again, it goes on from where it
    // stopped (a Range request), and no part of the bundle is played before all of it is there.
    void aDownloadCutByAKilledAgentResumes()
    {
        startSite({{QStringLiteral("dev-a"), {}}}, QStringLiteral("limit_rate 400k;"));
        startAgent(QStringLiteral("dev-a"));
        const QString scheme = makeScheme(QStringLiteral("large"), 1, 3 * 1024 * 1024);
        QString output;
        QCOMPARE(
            m_site->tool({QStringLiteral("publish"), scheme, QStringLiteral("--to"), QStringLiteral("dev-a")},
                         &output),
            0);
        const qint64 sequence = publishedSequence(output);
        QTRY_VERIFY_WITH_TIMEOUT(stagedBytes(QStringLiteral("dev-a")) > 0, 60000);
        m_site->killAgent(QStringLiteral("dev-a"));
        QVERIFY(stateOf(QStringLiteral("dev-a")).value("active").isUndefined());
        QVERIFY(!QDir(m_site->stateOf(QStringLiteral("dev-a")) + QStringLiteral("/bundles/%1").arg(sequence))
                     .exists());

        startAgent(QStringLiteral("dev-a"));
        QTRY_COMPARE_WITH_TIMEOUT(activeOf(QStringLiteral("dev-a")), sequence, 120000);
        QFile log(m_site->accessLog());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY2(log.readAll().contains("\" 206 "), "no request went on from a partial file");
    }

    // A publish withdrawn or overtaken before it plays: the fetch in progress stops, its partial
    // file goes and the bundle never becomes active; a bundle that waits for its time is
    // dropped as well. The device says which bundle was cancelled.
    void aCancelledOrReplacedPublishIsDroppedBeforeItPlays()
    {
        startSite({{QStringLiteral("dev-a"), {QStringLiteral("lobby")}}}, QStringLiteral("limit_rate 400k;"));
        startAgent(QStringLiteral("dev-a"));
        const QString device = QStringLiteral("dev-a");
        const QString folder = m_site->stateOf(device);
        const int size = 3 * 1024 * 1024;
        QString output;

        // Cancelled while it is fetched.
        const qint64 cancelled = publishTo(makeScheme(QStringLiteral("cancelled"), 1, size), device);
        QTRY_VERIFY_WITH_TIMEOUT(stagedBytes(device) > 0, 60000);
        const QString hash =
            QString::fromLatin1(Sha256Stream::ofFile(m_dir->filePath(QStringLiteral("cancelled-0.png"))));
        QVERIFY(QFile::exists(folder + QStringLiteral("/partial/") + hash));
        QCOMPARE(m_site->tool({QStringLiteral("cancel"), device}, &output), 0);
        QTRY_COMPARE_WITH_TIMEOUT(cancelledOf(device), cancelled, 30000);
        QVERIFY(stateOf(device).value("staged").isUndefined());
        QVERIFY(!QFile::exists(folder + QStringLiteral("/partial/") + hash));
        QVERIFY(!QFile::exists(folder + QStringLiteral("/files/") + hash));
        QVERIFY(!QDir(folder + QStringLiteral("/bundles/%1").arg(cancelled)).exists());
        // The transfer was cut off, not left to run: nginx logs it when the connection ends,
        // with fewer bytes than the file has.
        QTRY_VERIFY_WITH_TIMEOUT(servedBytes(hash) >= 0, 30000);
        QVERIFY2(servedBytes(hash) < size, qPrintable(QString::number(servedBytes(hash))));

        // Overtaken while it is fetched: the newer bundle plays, the older never does.
        const qint64 overtaken = publishTo(makeScheme(QStringLiteral("overtaken"), 1, size), device);
        QTRY_VERIFY_WITH_TIMEOUT(stagedBytes(device) > 0, 60000);
        const QString overtakenHash =
            QString::fromLatin1(Sha256Stream::ofFile(m_dir->filePath(QStringLiteral("overtaken-0.png"))));
        const qint64 newer = publishTo(makeScheme(QStringLiteral("newer"), 1), device);
        QTRY_COMPARE_WITH_TIMEOUT(activeOf(device), newer, 60000);
        QCOMPARE(cancelledOf(device), overtaken);
        QVERIFY(!QFile::exists(folder + QStringLiteral("/partial/") + overtakenHash));
        QVERIFY(!QDir(folder + QStringLiteral("/bundles/%1").arg(overtaken)).exists());

        // Whole and waiting for its time when its group's publish is cancelled.
        QCOMPARE(m_site->tool({QStringLiteral("publish"), makeScheme(QStringLiteral("waiting"), 1),
                               QStringLiteral("--to"), QStringLiteral("lobby"), QStringLiteral("--at"),
                               QDateTime::currentDateTimeUtc().addSecs(3600).toString(Qt::ISODate)},
                              &output),
                 0);
        const qint64 waiting = publishedSequence(output);
        QTRY_VERIFY_WITH_TIMEOUT(
            qint64(stateOf(device).value("staged").toObject().value("sequence").toDouble()) == waiting &&
                stateOf(device).value("staged").toObject().value("ready").toBool(),
            60000);
        QVERIFY(QDir(folder + QStringLiteral("/bundles/%1").arg(waiting)).exists());
        QCOMPARE(m_site->tool({QStringLiteral("cancel"), QStringLiteral("lobby")}, &output), 0);
        QTRY_COMPARE_WITH_TIMEOUT(cancelledOf(device), waiting, 30000);
        QVERIFY(stateOf(device).value("staged").isUndefined());
        QVERIFY(!QDir(folder + QStringLiteral("/bundles/%1").arg(waiting)).exists());
        QCOMPARE(activeOf(device), newer);
    }

    // A device away when its publish is cancelled hears nothing of it: it drops the bundle it
    // was fetching when it is back, and takes the next publish.
    void aDeviceAwayWhenItsPublishIsCancelledDropsItOnItsReturn()
    {
        startSite({{QStringLiteral("dev-a"), {QStringLiteral("lobby")}}}, QStringLiteral("limit_rate 400k;"));
        const QString device = QStringLiteral("dev-a");
        const QString folder = m_site->stateOf(device);
        startAgent(device);
        const qint64 cancelled =
            publishTo(makeScheme(QStringLiteral("away"), 1, 3 * 1024 * 1024), QStringLiteral("lobby"));
        QTRY_VERIFY_WITH_TIMEOUT(stagedBytes(device) > 0, 60000);
        m_site->killAgent(device);
        QString output;
        QCOMPARE(m_site->tool({QStringLiteral("cancel"), QStringLiteral("lobby")}, &output), 0);

        startAgent(device);
        QTRY_COMPARE_WITH_TIMEOUT(cancelledOf(device), cancelled, 60000);
        QVERIFY(stateOf(device).value("staged").isUndefined());
        const QString hash =
            QString::fromLatin1(Sha256Stream::ofFile(m_dir->filePath(QStringLiteral("away-0.png"))));
        QVERIFY(!QFile::exists(folder + QStringLiteral("/partial/") + hash));

        // A bundle still wanted is kept across the same return.
        const qint64 kept = publishTo(makeScheme(QStringLiteral("kept"), 1, 3 * 1024 * 1024), device);
        QTRY_VERIFY_WITH_TIMEOUT(stagedBytes(device) > 0, 60000);
        m_site->killAgent(device);
        startAgent(device);
        QTRY_COMPARE_WITH_TIMEOUT(activeOf(device), kept, 120000);
        QVERIFY(cancelledOf(device) != kept);
    }

    // The device's clock set off the content server's, through the clock service. Far off,
    // the state says by how much and the bundle switches at the publish's time by the server's
    // clock; a little off (within MaxClockOffset), the device switches by its own clock.
    void aDeviceClockFarOffSwitchesByTheServersTime_data()
    {
        QTest::addColumn<qint64>("offsetMs");
        QTest::addColumn<bool>("corrected");
        QTest::newRow("30 s ahead") << qint64(30000) << true;
        QTest::newRow("30 s behind") << qint64(-30000) << true;
        QTest::newRow("1 s ahead") << qint64(1000) << false;
    }

    void aDeviceClockFarOffSwitchesByTheServersTime()
    {
        QFETCH(qint64, offsetMs);
        QFETCH(bool, corrected);
        const QString device = QStringLiteral("dev-a");
        startSite({{device, {}}});
        // Time stands still on the device until the test moves it.
        QElapsedTimer sinceSet;
        sinceSet.start();
        VirtualClock clock(QDateTime::currentDateTime().addMSecs(offsetMs));
        FleetAgent::Options options;
        options.config = FleetConfig::fromSettingsFiles({m_site->settingsOf(device)});
        options.folder = m_site->stateOf(device);
        options.headless = true;
        options.clock = &clock;
        FleetAgent agent(options);
        QString error;
        QVERIFY2(agent.start(&error), qPrintable(error));
        QTRY_VERIFY_WITH_TIMEOUT(agent.state().contains(QStringLiteral("clockOffsetMs")), 30000);
        const qint64 measured = qint64(agent.state().value("clockOffsetMs").toDouble());
        // The Date header counts whole seconds; the real time that passed meanwhile is on the
        // server's side only.
        const qint64 expected = offsetMs - sinceSet.elapsed() / 2;
        QVERIFY2(qAbs(measured - expected) <= 600 + sinceSet.elapsed() / 2,
                 qPrintable(QStringLiteral("%1 measured, %2 set").arg(measured).arg(offsetMs)));
        const QString lastError = agent.state().value("lastError").toObject().value("text").toString();
        QVERIFY2(lastError.contains(QStringLiteral("clock")) == corrected, qPrintable(lastError));

        // The state as the operator sees it says the same, once the device's clock has moved
        // on to its next report.
        QTRY_COMPARE_WITH_TIMEOUT(m_presence.value(device), QByteArray("online"), 30000);
        clock.advance(1000);
        QTRY_VERIFY_WITH_TIMEOUT(stateOf(device).contains(QStringLiteral("clockOffsetMs")), 30000);
        QCOMPARE(qint64(stateOf(device).value("clockOffsetMs").toDouble()), measured);

        const QDateTime at = QDateTime::currentDateTimeUtc().addSecs(120);
        QString output;
        QCOMPARE(
            m_site->tool({QStringLiteral("publish"), makeScheme(QStringLiteral("timed"), 1),
                          QStringLiteral("--to"), device, QStringLiteral("--at"), at.toString(Qt::ISODate)},
                         &output),
            0);
        const qint64 sequence = publishedSequence(output);
        QTRY_VERIFY_WITH_TIMEOUT(agent.state().value("staged").toObject().value("ready").toBool(), 60000);
        // The switch instant on the device's clock.
        const qint64 due = QDateTime::fromString(at.toString(Qt::ISODate), Qt::ISODate).toMSecsSinceEpoch() +
                           (corrected ? measured : 0);
        clock.runUntil(QDateTime::fromMSecsSinceEpoch(due - 1000));
        QVERIFY(agent.activeSequence() != sequence);
        clock.runUntil(QDateTime::fromMSecsSinceEpoch(due));
        QCOMPARE(agent.activeSequence(), sequence);
        const QDateTime since = QDateTime::fromString(
            agent.state().value("active").toObject().value("since").toString(), Qt::ISODate);
        QCOMPARE(since.toMSecsSinceEpoch() / 1000, due / 1000);
    }

    // The broker killed: the devices come back by themselves once it runs again, and a device
    // that was away during a publish takes it when it comes back (the broker kept it on disk).
    void devicesCatchUpAfterTheBrokerComesBack()
    {
        startSite({{QStringLiteral("dev-a"), {QStringLiteral("hall")}},
                   {QStringLiteral("dev-b"), {QStringLiteral("hall")}}});
        startAgent(QStringLiteral("dev-a"));
        QTRY_COMPARE_WITH_TIMEOUT(m_presence.value(QStringLiteral("dev-a")), QByteArray("online"), 30000);
        QString output;
        QCOMPARE(m_site->tool({QStringLiteral("publish"), makeScheme(QStringLiteral("before"), 1),
                               QStringLiteral("--to"), QStringLiteral("hall")},
                              &output),
                 0);
        const qint64 sequence = publishedSequence(output);
        // The broker writes what changed to disk within its autosave interval; once it has
        // written after the publish (dev-a's reports of the bundle change it again), it dies.
        const QDateTime published = QDateTime::currentDateTime();
        QTRY_COMPARE_WITH_TIMEOUT(activeOf(QStringLiteral("dev-a")), sequence, 60000);
        const QString database = m_site->folder() + QStringLiteral("/site/mosquitto.db");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(database).lastModified() > published, 20000);
        m_site->killBroker();
        QString error;
        QVERIFY2(m_site->startBroker(&error), qPrintable(error));
        m_presence.clear();
        QTRY_COMPARE_WITH_TIMEOUT(m_presence.value(QStringLiteral("dev-a")), QByteArray("online"), 90000);
        startAgent(QStringLiteral("dev-b"));
        QTRY_COMPARE_WITH_TIMEOUT(activeOf(QStringLiteral("dev-b")), sequence, 60000);
    }

    // The shipped ACL with the sections enrolment adds: a device reads its own topics and its
    // groups', never another device's or another group's.
    void aDeviceReadsOnlyItsOwnAndItsGroupsTopics()
    {
        startSite({{QStringLiteral("dev-a"), {QStringLiteral("lobby")}},
                   {QStringLiteral("dev-b"), {QStringLiteral("hall")}}});
        MqttLink spy;
        MqttSettings settings;
        settings.port = m_site->brokerPort();
        settings.clientId = QStringLiteral("dev-b");
        settings.caFile = m_site->caFolder() + QStringLiteral("/ca.crt");
        // dev-b's own certificate, as its join left it.
        const QString fleet =
            QFileInfo(m_site->settingsOf(QStringLiteral("dev-b"))).absolutePath() + QStringLiteral("/fleet");
        settings.certFile = fleet + QStringLiteral("/device.crt");
        settings.keyFile = fleet + QStringLiteral("/device.key");
        spy.setSettings(settings);
        QStringList heard;
        connect(&spy, &MqttLink::messageReceived, this,
                [&heard](const QString &topic, const QByteArray &, bool) { heard.append(topic); });
        connect(&spy, &MqttLink::connected, this, [&spy] {
            for (const char *topic : {"lumora/v1/dev/dev-a/#", "lumora/v1/grp/lobby/#",
                                      "lumora/v1/grp/hall/#", "lumora/v1/dev/dev-b/#"})
                spy.subscribe(QLatin1String(topic));
        });
        spy.start();
        QTRY_VERIFY_WITH_TIMEOUT(spy.isConnected(), 30000);

        // The broker keeps one publisher's messages in order for a subscriber: a message on
        // dev-b's own topic before and after the others frames whatever reaches it.
        QSignalSpy acknowledged(m_operator.get(), &MqttLink::published);
        auto send = [&](const char *topic) {
            QVERIFY(m_operator->publish(QLatin1String(topic), "{}", 1, false) >= 0);
            QVERIFY(acknowledged.wait(10000));
        };
        QTRY_VERIFY_WITH_TIMEOUT(
            (send("lumora/v1/dev/dev-b/reply"), heard.contains(QStringLiteral("lumora/v1/dev/dev-b/reply"))),
            20000);
        heard.clear();
        for (const char *topic : {"lumora/v1/dev/dev-a/cmd", "lumora/v1/grp/lobby/cmd",
                                  "lumora/v1/grp/hall/cmd", "lumora/v1/dev/dev-b/cmd"})
            send(topic);
        QTRY_VERIFY_WITH_TIMEOUT(heard.contains(QStringLiteral("lumora/v1/dev/dev-b/cmd")), 10000);
        heard.sort();
        QCOMPARE(heard, (QStringList{QStringLiteral("lumora/v1/dev/dev-b/cmd"),
                                     QStringLiteral("lumora/v1/grp/hall/cmd")}));
        spy.stop();
    }

    // Removed, its certificate revoked and the new list in the servers' hands (the broker
    // restarted, nginx told to read it again): both refuse the device, the other goes on.
    void aRemovedDeviceIsRefusedByTheBrokerAndTheContentServer()
    {
        startSite({{QStringLiteral("dev-a"), {QStringLiteral("lobby")}},
                   {QStringLiteral("dev-b"), {QStringLiteral("lobby")}}});
        QVERIFY(QFile(m_site->contentRoot() + QStringLiteral("/probe")).open(QIODevice::WriteOnly));
        QCOMPARE(fetchAs(QStringLiteral("dev-a"), QStringLiteral("probe")), 200);
        QVERIFY(connectsAs(QStringLiteral("dev-a")).isEmpty());

        const QString acl = m_site->folder() + QStringLiteral("/site/acl");
        QString output;
        QCOMPARE(
            m_site->tool({QStringLiteral("remove"), QStringLiteral("dev-a"), QStringLiteral("--acl"), acl},
                         &output),
            0);
        QVERIFY2(output.contains(QStringLiteral("restart the broker")), qPrintable(output));
        QFile aclFile(acl);
        QVERIFY(aclFile.open(QIODevice::ReadOnly));
        const QByteArray aclText = aclFile.readAll();
        QVERIFY2(!aclText.contains("dev-a") &&
                     aclText.contains("\nuser dev-b\ntopic read lumora/v1/grp/lobby/#") &&
                     aclText.contains("\nuser operator\n") && aclText.contains("\nuser collector\n"),
                 aclText.constData());

        // The list names dev-a's certificate, and only it.
        QSslCertificate certificate;
        {
            QFile file(fleetFolderOf(QStringLiteral("dev-a")) + QStringLiteral("/device.crt"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            certificate = QSslCertificate(file.readAll());
        }
        const OpenSslCommand listed = OpenSslCommand::run(
            m_site->caFolder(), {QStringLiteral("crl"), QStringLiteral("-in"), QStringLiteral("crl.pem"),
                                 QStringLiteral("-noout"), QStringLiteral("-text")});
        QVERIFY2(listed.succeeded(), listed.output.constData());
        QByteArrayList serials;
        for (const QByteArray &line : listed.output.split('\n')) {
            if (line.trimmed().startsWith("Serial Number:"))
                serials << line.mid(line.indexOf(':') + 1).trimmed().toLower();
        }
        QCOMPARE(serials, QByteArrayList{certificate.serialNumber().replace(':', "")});

        QVERIFY(m_site->installRevocationList());
        m_site->killBroker();
        QString error;
        QVERIFY2(m_site->startBroker(&error), qPrintable(error));
        m_site->reloadContent();

        // TLS 1.3 refuses a client certificate after the handshake: the broker's "revoked" alert
        // arrives, or the connection is reset first and swallows it, and the device (which has
        // no revocation list) can only say that its certificate was most likely refused.
        const QString refusal = connectsAs(QStringLiteral("dev-a"));
        QVERIFY2(refusal.contains(QStringLiteral("refused")) &&
                     (refusal.contains(QStringLiteral("revoked")) ||
                      refusal.contains(QStringLiteral("right after the TLS handshake"))),
                 qPrintable(refusal));
        QVERIFY(connectsAs(QStringLiteral("dev-b")).isEmpty());
        // nginx's old worker may still take a connection or two while it winds down. nginx
        // ends the handshake and answers a refused client certificate with 400.
        QTRY_VERIFY_WITH_TIMEOUT(fetchAs(QStringLiteral("dev-a"), QStringLiteral("probe")) != 200, 30000);
        QCOMPARE(fetchAs(QStringLiteral("dev-a"), QStringLiteral("probe")), 400);
        QCOMPARE(fetchAs(QStringLiteral("dev-b"), QStringLiteral("probe")), 200);
    }

private:
    QString fleetFolderOf(const QString &device) const
    {
        return QFileInfo(m_site->settingsOf(device)).absolutePath() + QStringLiteral("/fleet");
    }

    // A GET of a stored file with the device's certificate, on a connection of its own: the
    // HTTP status, or -1 when the TLS handshake failed.
    int fetchAs(const QString &device, const QString &file)
    {
        const QString fleet = fleetFolderOf(device);
        QSslConfiguration tls;
        tls.setCaCertificates(QSslCertificate::fromPath(m_site->folder() + QStringLiteral("/site/ca.crt")));
        tls.setLocalCertificate(QSslCertificate::fromPath(fleet + QStringLiteral("/device.crt")).value(0));
        QFile key(fleet + QStringLiteral("/device.key"));
        if (!key.open(QIODevice::ReadOnly))
            return -2;
        tls.setPrivateKey(QSslKey(key.readAll(), QSsl::Ec));
        QNetworkAccessManager network;
        QNetworkRequest request(
            QUrl(QStringLiteral("https://127.0.0.1:%1/b/%2").arg(m_site->contentPort()).arg(file)));
        request.setSslConfiguration(tls);
        QNetworkReply *reply = network.get(request);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        if (!reply->isFinished() && !finished.wait(30000))
            return -3;
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        reply->deleteLater();
        return status.isValid() ? status.toInt() : -1;
    }

    // Connects to the broker with the device's certificate: "" once connected, or why the
    // link was refused.
    QString connectsAs(const QString &device)
    {
        MqttLink link;
        MqttSettings settings;
        settings.port = m_site->brokerPort();
        settings.clientId = device + QStringLiteral("-probe");
        settings.caFile = m_site->caFolder() + QStringLiteral("/ca.crt");
        settings.certFile = fleetFolderOf(device) + QStringLiteral("/device.crt");
        settings.keyFile = fleetFolderOf(device) + QStringLiteral("/device.key");
        link.setSettings(settings);
        link.start();
        QElapsedTimer waited;
        waited.start();
        while (!link.isConnected() && link.lastError().isEmpty() && waited.elapsed() < 30000)
            QTest::qWait(20);
        const QString outcome = link.isConnected()           ? QString()
                                : link.lastError().isEmpty() ? QStringLiteral("no answer")
                                                             : link.lastError();
        link.stop();
        return outcome;
    }

    void startSite(const QList<QPair<QString, QStringList>> &devices, const QString &nginxExtra = QString())
    {
        QString error;
        QVERIFY2(m_site->init(&error, nginxExtra), qPrintable(error));
        for (const auto &device : devices)
            QVERIFY2(m_site->enroll(device.first, device.second, &error), qPrintable(error));
        QVERIFY2(m_site->startBroker(&error), qPrintable(error));
        QVERIFY2(m_site->startContent(&error), qPrintable(error));
        // The test watches the devices as the operator does, with the operator's certificate.
        m_operator.reset(new MqttLink);
        MqttSettings settings;
        settings.port = m_site->brokerPort();
        settings.clientId = QStringLiteral("operator-test");
        settings.caFile = m_site->caFolder() + QStringLiteral("/ca.crt");
        settings.certFile = m_site->caFolder() + QStringLiteral("/operator-tls.crt");
        settings.keyFile = m_site->caFolder() + QStringLiteral("/operator-tls.key");
        m_operator->setSettings(settings);
        connect(m_operator.get(), &MqttLink::connected, this, [this] {
            m_operator->subscribe(FleetTopics::prefix() + QStringLiteral("/dev/+/state"));
            m_operator->subscribe(FleetTopics::prefix() + QStringLiteral("/dev/+/presence"));
        });
        connect(m_operator.get(), &MqttLink::messageReceived, this,
                [this](const QString &topic, const QByteArray &payload, bool) {
                    const QStringList parts = topic.split(QLatin1Char('/'));
                    if (parts.size() != 5)
                        return;
                    if (parts.at(4) == QLatin1String("state"))
                        m_states.insert(parts.at(3), QJsonDocument::fromJson(payload).object());
                    else if (parts.at(4) == QLatin1String("presence"))
                        m_presence.insert(parts.at(3), payload);
                });
        m_operator->start();
        QTRY_VERIFY_WITH_TIMEOUT(m_operator->isConnected(), 30000);
    }

    void startAgent(const QString &device)
    {
        QString error;
        QVERIFY2(m_site->startAgent(device, &error), qPrintable(error));
    }

    QJsonObject stateOf(const QString &device) const { return m_states.value(device); }
    qint64 activeOf(const QString &device) const
    {
        return qint64(stateOf(device).value("active").toObject().value("sequence").toDouble());
    }

    qint64 cancelledOf(const QString &device) const
    {
        return qint64(stateOf(device).value("cancelled").toObject().value("sequence").toDouble());
    }

    // Publishes at once, without waiting; the bundle's sequence.
    qint64 publishTo(const QString &scheme, const QString &target)
    {
        QString output;
        if (m_site->tool({QStringLiteral("publish"), scheme, QStringLiteral("--to"), target}, &output) != 0)
            return -1;
        return publishedSequence(output);
    }

    // The body bytes nginx logged for the GET of a stored file (once the request ended), or -1.
    qint64 servedBytes(const QString &hash) const
    {
        QFile log(m_site->accessLog());
        if (!log.open(QIODevice::ReadOnly))
            return -1;
        qint64 bytes = -1;
        for (const QByteArray &line : log.readAll().split('\n')) {
            // ... "GET /b/<hash> HTTP/1.1" 200 123456 ...
            const int at = line.indexOf("GET /b/" + hash.toLatin1() + ' ');
            if (at < 0)
                continue;
            const QList<QByteArray> after = line.mid(line.indexOf('"', at + 1) + 1).trimmed().split(' ');
            if (after.size() >= 2)
                bytes = after.at(1).toLongLong();
        }
        return bytes;
    }

    qint64 stagedBytes(const QString &device) const
    {
        return qint64(stateOf(device).value("staged").toObject().value("bytesDone").toDouble());
    }

    static qint64 publishedSequence(const QString &output)
    {
        const int at = output.indexOf(QStringLiteral("bundle "));
        return at < 0 ? -1 : output.mid(at + 7).section(QLatin1Char(':'), 0, 0).toLongLong();
    }

    // The manifest a device keeps for a bundle it has.
    BundleManifest manifestOf(const QString &device, qint64 sequence)
    {
        QFile file(m_site->stateOf(device) + QStringLiteral("/bundles.json"));
        BundleManifest manifest;
        if (!file.open(QIODevice::ReadOnly))
            return manifest;
        const QJsonObject active =
            QJsonDocument::fromJson(file.readAll()).object().value("active").toObject();
        SignedManifest signedManifest;
        QString error;
        if (SignedManifest::fromJson(QJsonDocument(active).toJson(QJsonDocument::Compact), &signedManifest,
                                     &error))
            BundleManifest::fromJson(signedManifest.manifest, &manifest, &error);
        Q_UNUSED(sequence)
        return manifest;
    }

    // Sent straight to the device's desired state, as a forger with broker access would.
    void expectRefusal(const SignedManifest &signedManifest, qint64 sequence, const QString &reason)
    {
        const QString before =
            QJsonDocument(stateOf(QStringLiteral("dev-a")).value("lastRefusal").toObject()).toJson();
        QSignalSpy acknowledged(m_operator.get(), &MqttLink::published);
        QVERIFY(m_operator->publish(FleetTopics::device(QStringLiteral("dev-a"), QStringLiteral("desired")),
                                    signedManifest.toJson(), 1, true) >= 0);
        QVERIFY(acknowledged.wait(10000));
        QTRY_VERIFY_WITH_TIMEOUT(
            QJsonDocument(stateOf(QStringLiteral("dev-a")).value("lastRefusal").toObject()).toJson() !=
                before,
            30000);
        const QJsonObject refusal = stateOf(QStringLiteral("dev-a")).value("lastRefusal").toObject();
        QCOMPARE(qint64(refusal.value("sequence").toDouble()), sequence);
        if (!reason.isEmpty())
            QVERIFY2(refusal.value("reason").toString().contains(reason),
                     qPrintable(refusal.value("reason").toString()));
    }

    // A scheme of `pictures` pictures (random bytes: nobody decodes them here) in m_dir.
    QString makeScheme(const QString &name, int pictures, int size = 64 * 1024)
    {
        QList<LumoraMediaObject *> media;
        for (int i = 0; i < pictures; ++i) {
            const QString path = m_dir->filePath(QStringLiteral("%1-%2.png").arg(name).arg(i));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly))
                return QString();
            QByteArray bytes(size, Qt::Uninitialized);
            for (int b = 0; b < bytes.size(); ++b)
                bytes[b] = char((b * 131 + i * 17 + name.size()) & 0xff);
            file.write(bytes);
            auto *item = new LumoraMediaObject;
            item->type = QStringLiteral("image");
            item->image.filePath = path;
            media.append(item);
        }
        const Scheme scheme = SchemeSamples::wrap(media);
        const QString path = m_dir->filePath(name + QStringLiteral(".schx"));
        return SchemeWriter::save(path, scheme) ? path : QString();
    }

    QScopedPointer<QTemporaryDir> m_dir;
    QScopedPointer<FleetSite> m_site;
    std::unique_ptr<MqttLink> m_operator;
    QHash<QString, QJsonObject> m_states;
    QHash<QString, QByteArray> m_presence;
};

QTEST_GUILESS_MAIN(TestFleetAgent)
#include "test_fleetagent.moc"
