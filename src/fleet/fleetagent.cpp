#include "fleetagent.h"

#include "bundlebuilder.h"
#include "bundlefetcher.h"
#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "contentstore.h"
#include "fleettopics.h"
#include "import/officecache.h"
#include "mqttlink.h"
#include "platform/applocations.h"
#include "playerchannel.h"
#include "playlogupload.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSet>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTimeZone>
#include <QTimer>
#include <QUuid>

#include <unistd.h>

namespace {

// The player crashing this often this soon after a switch means the new bundle is to blame.
constexpr int kCrashesForRollBack = 3;
constexpr qint64 kRollBackWindowMs = 10 * 60 * 1000;

QJsonObject bundleJson(const SignedManifest &signedManifest, const QDateTime &since)
{
    QJsonObject object = QJsonDocument::fromJson(signedManifest.toJson()).object();
    if (since.isValid())
        object.insert(QStringLiteral("since"), since.toString(Qt::ISODateWithMs));
    return object;
}

QSslKey readKey(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QSslKey();
    const QByteArray pem = file.readAll();
    for (QSsl::KeyAlgorithm algorithm : {QSsl::Ec, QSsl::Rsa}) {
        QSslKey key(pem, algorithm, QSsl::Pem, QSsl::PrivateKey);
        if (!key.isNull())
            return key;
    }
    return QSslKey();
}

} // namespace

FleetAgent::FleetAgent(const Options &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_clock(options.clock ? options.clock : &Clock::current())
    , m_link(new MqttLink(this))
    , m_store(new ContentStore(options.folder))
    , m_switchTimer(m_clock->createTimer(this))
    , m_publishTimer(m_clock->createTimer(this))
    , m_clockTimer(m_clock->createTimer(this))
    , m_heartbeat(m_clock->createTimer(this))
    , m_network(new QNetworkAccessManager(this))
{
    m_fetcher = new BundleFetcher(m_store, this);
    m_switchTimer->setSingleShot(true);
    connect(m_switchTimer, &ClockTimer::timeout, this, &FleetAgent::handToPlayer);
    // Bursts of changes (every item start of every window) go out as one state.
    m_publishTimer->setSingleShot(true);
    m_publishTimer->setInterval(500);
    connect(m_publishTimer, &ClockTimer::timeout, this, &FleetAgent::publishState);
    // "Last seen" stays true while nothing changes: the state goes out once a minute anyway.
    m_heartbeat->setInterval(60 * 1000);
    connect(m_heartbeat, &ClockTimer::timeout, this, &FleetAgent::publishState);
    m_clockTimer->setInterval(10 * 60 * 1000);
    connect(m_clockTimer, &ClockTimer::timeout, this, &FleetAgent::measureClock);
}

FleetAgent::~FleetAgent()
{
    delete m_store;
}

bool FleetAgent::start(QString *error)
{
    const FleetConfig &config = m_options.config;
    const QString problem = config.problem();
    if (!problem.isEmpty()) {
        *error = problem;
        return false;
    }
    QString keyError;
    m_operatorKey = Ed25519Key::fromPemFile(config.operatorKey, &keyError);
    if (m_operatorKey.isNull()) {
        *error = QStringLiteral("the operator's key %1: %2").arg(config.operatorKey, keyError);
        return false;
    }
    if (!m_store->ensureFolders(error))
        return false;
    load();

    MqttSettings settings;
    settings.host = config.broker.host();
    settings.port = quint16(config.broker.port(8883));
    settings.clientId = config.device;
    settings.caFile = config.caCertificate;
    settings.certFile = config.certificate;
    settings.keyFile = config.key;
    settings.willTopic = FleetTopics::device(config.device, QStringLiteral("presence"));
    settings.willPayload = "offline";
    settings.willRetain = true;
    m_link->setSettings(settings);
    connect(m_link, &MqttLink::connected, this, &FleetAgent::onConnected);
    connect(m_link, &MqttLink::messageReceived, this,
            [this](const QString &topic, const QByteArray &payload, bool) { onMessage(topic, payload); });
    connect(m_link, &MqttLink::disconnected, this, &FleetAgent::stateChanged);

    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setCaCertificates(QSslCertificate::fromPath(config.caCertificate));
    const QList<QSslCertificate> own = QSslCertificate::fromPath(config.certificate);
    if (!own.isEmpty())
        ssl.setLocalCertificate(own.first());
    ssl.setPrivateKey(readKey(config.key));
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    m_fetcher->setBaseUrl(config.content);
    m_fetcher->setSslConfiguration(ssl);
    m_ssl = ssl;
    connect(m_fetcher, &BundleFetcher::progress, this, [this](qint64 done, qint64 total) {
        m_bytesDone = done;
        m_bytesTotal = total;
        schedulePublish();
    });
    connect(m_fetcher, &BundleFetcher::finished, this, &FleetAgent::onFetched);
    connect(m_fetcher, &BundleFetcher::failed, this, &FleetAgent::onFetchFailed);

    if (!m_options.headless && !m_options.socketPath.isEmpty()) {
        m_endpoint = new AgentEndpoint(this);
        if (!m_endpoint->listen(m_options.socketPath, error))
            return false;
        connect(m_endpoint, &AgentEndpoint::messageReceived, this, &FleetAgent::onPlayerMessage);
        connect(m_endpoint, &AgentEndpoint::playerLeft, this, &FleetAgent::onPlayerLeft);
    }

    if (!m_options.playLogPath.isEmpty()) {
        PlayLogUploader::Options upload;
        upload.device = config.device;
        upload.groups = config.groups;
        upload.logPath = m_options.playLogPath;
        upload.cursorFile = m_options.folder + QStringLiteral("/logcursor.json");
        upload.retentionDays = config.logRetentionDays;
        upload.clock = m_clock;
        m_uploader = new PlayLogUploader(m_link, upload, this);
        connect(m_uploader, &PlayLogUploader::stateChanged, this, &FleetAgent::schedulePublish);
        m_uploader->start();
    }

    m_link->start();
    measureClock();
    m_clockTimer->start();
    m_heartbeat->start();
    // A download cut off by the agent's own end goes on where it stopped.
    if (!m_staged.isNull())
        m_fetcher->fetch(m_staged.manifest);
    return true;
}

void FleetAgent::onConnected()
{
    const QString device = m_options.config.device;
    m_link->publish(FleetTopics::device(device, QStringLiteral("presence")), "online", 1, true);
    m_link->subscribe(FleetTopics::device(device, QStringLiteral("desired")));
    m_link->subscribe(FleetTopics::device(device, QStringLiteral("cmd")));
    for (const QString &group : m_options.config.groups) {
        m_link->subscribe(FleetTopics::group(group, QStringLiteral("desired")));
        m_link->subscribe(FleetTopics::group(group, QStringLiteral("cmd")));
    }
    // A cancel made while this device was away left nothing to hear. The retained desired
    // states come with the subscriptions, ahead of anything sent after them: once this comes
    // back, a staged bundle that none of them named is no longer wanted.
    const QString sync = FleetTopics::device(device, QStringLiteral("sync"));
    m_stagedNamed = false;
    m_syncToken = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
    m_link->subscribe(sync);
    m_link->publish(sync, m_syncToken, 1, false);
    publishState();
    emit stateChanged();
}

void FleetAgent::onSync(const QByteArray &payload)
{
    if (payload != m_syncToken || m_staged.isNull() || m_stagedNamed)
        return;
    m_cancelledAway = m_staged.sequence;
    cancelStaged(QStringLiteral("its publish was cancelled while this device was away"));
}

void FleetAgent::onMessage(const QString &topic, const QByteArray &payload)
{
    if (topic.endsWith(QLatin1String("/desired")))
        takeDesired(topic, payload);
    else if (topic.endsWith(QLatin1String("/sync")))
        onSync(payload);
    else if (topic.endsWith(QLatin1String("/cmd")))
        onCommand(payload);
}

void FleetAgent::takeDesired(const QString &topic, const QByteArray &payload)
{
    // An emptied retained message withdraws a desired state: the device keeps what it plays,
    // and a bundle on its way that nothing else asks for goes.
    if (payload.isEmpty()) {
        if (m_stagedTopics.removeAll(topic) > 0 && m_stagedTopics.isEmpty())
            cancelStaged(QStringLiteral("its publish was cancelled"));
        return;
    }
    auto refuse = [this, &topic](qint64 sequence, const QString &reason) {
        m_lastRefusal = QJsonObject{{QStringLiteral("topic"), topic},
                                    {QStringLiteral("sequence"), sequence},
                                    {QStringLiteral("reason"), reason},
                                    {QStringLiteral("at"), m_clock->now().toUTC().toString(Qt::ISODate)}};
        setError(QStringLiteral("bundle refused: %1").arg(reason));
    };
    SignedManifest signedManifest;
    QString error;
    if (!SignedManifest::fromJson(payload, &signedManifest, &error)) {
        refuse(0, error);
        return;
    }
    Bundle bundle;
    if (!signedManifest.open(m_operatorKey, &bundle.manifest, &error)) {
        refuse(0, error);
        return;
    }
    bundle.sequence = bundle.manifest.sequence;
    bundle.signedManifest = signedManifest;
    if (bundle.sequence == m_staged.sequence) {
        m_stagedNamed = true;
        if (!m_stagedTopics.contains(topic))
            m_stagedTopics.append(topic);
    }
    if (bundle.sequence == m_active.sequence || bundle.sequence == m_staged.sequence)
        return; // delivered again (a reconnect, a group and the device naming the same bundle)
    if (m_refusedSequences.contains(bundle.sequence))
        return;
    // Wanted after all: a broker that sent it after the marker was taken for one that had
    // nothing to send.
    const bool wantedAfterAll = bundle.sequence == m_cancelledAway && bundle.sequence > m_active.sequence &&
                                m_staged.isNull();
    if (bundle.sequence <= m_highestTaken && !wantedAfterAll) {
        refuse(bundle.sequence,
               QStringLiteral("sequence %1 is not newer than %2, which this device has taken")
                   .arg(bundle.sequence)
                   .arg(m_highestTaken));
        return;
    }
    if (!m_staged.isNull())
        cancelStaged(QStringLiteral("bundle %1 replaced it").arg(bundle.sequence), &bundle);
    m_staged = bundle;
    m_stagedTopics = QStringList{topic};
    m_stagedNamed = true;
    m_cancelledAway = 0;
    m_stagedReady = false;
    m_highestTaken = qMax(m_highestTaken, bundle.sequence);
    m_bytesDone = 0;
    m_bytesTotal = bundle.manifest.totalSize();
    save();
    m_fetcher->fetch(bundle.manifest);
    schedulePublish();
}

void FleetAgent::onCommand(const QByteArray &payload)
{
    const QJsonObject command = QJsonDocument::fromJson(payload).object();
    const QString id = command.value(QStringLiteral("id")).toString();
    const QString name = command.value(QStringLiteral("command")).toString();
    QJsonObject reply{{QStringLiteral("id"), id}, {QStringLiteral("command"), name}};
    const qint64 expires = qint64(command.value(QStringLiteral("expires")).toDouble());
    // The payload carries its own expiry for brokers that speak MQTT 3.1.1 only.
    if (expires > 0 && m_clock->msecsSinceEpoch() > expires) {
        reply.insert(QStringLiteral("status"), QStringLiteral("expired"));
    } else if (name == QLatin1String("identify") || name == QLatin1String("screenshot") ||
               name == QLatin1String("restart")) {
        if (name == QLatin1String("restart")) {
            emit restartRequested();
            reply.insert(QStringLiteral("status"), QStringLiteral("ok"));
        } else if (m_endpoint && m_endpoint->hasPlayer()) {
            QJsonObject forward = command;
            forward.insert(QStringLiteral("op"), name);
            forward.insert(QStringLiteral("device"), m_options.config.device);
            m_endpoint->send(forward);
            // The screenshot's answer comes with the picture.
            if (name == QLatin1String("screenshot"))
                return;
            reply.insert(QStringLiteral("status"), QStringLiteral("ok"));
        } else {
            reply.insert(QStringLiteral("status"), QStringLiteral("failed"));
            reply.insert(QStringLiteral("error"), QStringLiteral("no player is running"));
        }
    } else if (name == QLatin1String("collect")) {
        if (m_uploader) {
            m_uploader->uploadNow();
            reply.insert(QStringLiteral("status"), QStringLiteral("ok"));
        } else {
            reply.insert(QStringLiteral("status"), QStringLiteral("failed"));
            reply.insert(QStringLiteral("error"), QStringLiteral("this device sends no play log"));
        }
    } else {
        reply.insert(QStringLiteral("status"), QStringLiteral("failed"));
        reply.insert(QStringLiteral("error"), QStringLiteral("unknown command"));
    }
    m_link->publish(FleetTopics::device(m_options.config.device, QStringLiteral("reply")),
                    QJsonDocument(reply).toJson(QJsonDocument::Compact), 1, false);
}

void FleetAgent::onFetched(qint64 sequence)
{
    if (sequence != m_staged.sequence || m_stagedReady)
        return;
    QString error;
    if (!materialize(m_staged, &error)) {
        refuseStaged(error);
        return;
    }
    m_stagedReady = true;
    m_bytesDone = m_bytesTotal;
    handToPlayer();
    schedulePublish();
}

void FleetAgent::onFetchFailed(qint64 sequence, const QString &error)
{
    if (sequence != m_staged.sequence)
        return;
    // The fetcher tries again by itself; the state says why it waits.
    setError(QStringLiteral("bundle %1: %2").arg(sequence).arg(error));
}

void FleetAgent::handToPlayer()
{
    if (m_staged.isNull() || !m_stagedReady)
        return;
    const qint64 now = m_clock->msecsSinceEpoch();
    const qint64 atMs = localSwitchTime(m_staged.manifest.switchAt);
    if (m_options.headless || !m_endpoint) {
        if (atMs > now) {
            // Waits longer than a minute are cut in pieces: a clock set meanwhile is noticed.
            m_switchTimer->start(int(qMin<qint64>(atMs - now, 60000)));
            return;
        }
        activate(m_staged.sequence);
        return;
    }
    // The player keeps its own time and switches when it comes; until then the old bundle plays.
    if (m_endpoint->hasPlayer()) {
        m_endpoint->send(switchMessage(m_staged, atMs));
    }
}

void FleetAgent::onPlayerMessage(const QJsonObject &message)
{
    const QString op = message.value(QStringLiteral("op")).toString();
    const qint64 bundle = qint64(message.value(QStringLiteral("bundle")).toDouble());
    if (op == QLatin1String("hello")) {
        m_playerPresent = true;
        emit playerArrived();
        m_playerScheme = message.value(QStringLiteral("scheme")).toString();
        if (!m_active.isNull()) {
            // A player that came back on the active bundle still learns what its files are.
            QJsonObject known = switchMessage(m_active, 0);
            known.insert(QStringLiteral("op"), QStringLiteral("bundle"));
            m_endpoint->send(known);
        }
        if (m_stagedReady) {
            handToPlayer();
        } else if (!m_active.isNull() && m_playerScheme != schemePath(m_active)) {
            // A player started by hand, or again after a crash, plays what the device has.
            m_endpoint->send(switchMessage(m_active, 0));
        }
    } else if (op == QLatin1String("active")) {
        m_playerScheme = message.value(QStringLiteral("scheme")).toString();
        if (bundle == m_staged.sequence && m_stagedReady) {
            activate(bundle);
        } else if (bundle != m_active.sequence && !m_active.isNull()) {
            // The player switched as the bundle was withdrawn: back to what the device keeps.
            setError(
                QStringLiteral("the player switched to bundle %1 after it was withdrawn; back to bundle %2")
                    .arg(bundle)
                    .arg(m_active.sequence));
            m_endpoint->send(QJsonObject{{QStringLiteral("op"), QStringLiteral("switch")},
                                         {QStringLiteral("bundle"), m_active.sequence},
                                         {QStringLiteral("scheme"), schemePath(m_active)},
                                         {QStringLiteral("at"), 0}});
        }
    } else if (op == QLatin1String("refused")) {
        const QString error = message.value(QStringLiteral("error")).toString();
        if (bundle == m_staged.sequence)
            refuseStaged(QStringLiteral("the player could not open it: %1").arg(error));
        else if (bundle == m_active.sequence)
            rollBack(QStringLiteral("the player could not open bundle %1: %2").arg(bundle).arg(error));
    } else if (op == QLatin1String("playing")) {
        m_playing = message.value(QStringLiteral("windows")).toArray();
        schedulePublish();
    } else if (op == QLatin1String("playEvent") || op == QLatin1String("playResumed")) {
        takePlayEvent(message);
    } else if (op == QLatin1String("screenshot")) {
        const QByteArray jpeg =
            QByteArray::fromBase64(message.value(QStringLiteral("jpeg")).toString().toLatin1());
        const QString device = m_options.config.device;
        if (!jpeg.isEmpty())
            m_link->publish(FleetTopics::device(device, QStringLiteral("screenshot")), jpeg, 1, true);
        QJsonObject reply{
            {QStringLiteral("id"), message.value(QStringLiteral("id"))},
            {QStringLiteral("command"), QStringLiteral("screenshot")},
            {QStringLiteral("status"), jpeg.isEmpty() ? QStringLiteral("failed") : QStringLiteral("ok")}};
        if (jpeg.isEmpty())
            reply.insert(QStringLiteral("error"), message.value(QStringLiteral("error")).toString());
        if (message.contains(QStringLiteral("warning")))
            reply.insert(QStringLiteral("warning"), message.value(QStringLiteral("warning")));
        m_link->publish(FleetTopics::device(device, QStringLiteral("reply")),
                        QJsonDocument(reply).toJson(QJsonDocument::Compact), 1, false);
    }
}

void FleetAgent::onPlayerLeft(bool orderly)
{
    m_playerPresent = false;
    m_playing = QJsonArray();
    if (orderly)
        emit playerEndedInOrder();
    schedulePublish();
}

void FleetAgent::countCrash()
{
    const QDateTime now = m_clock->now().toUTC();
    m_crashes.append(now);
    setError(QStringLiteral("the player ended without closing"));
    int recent = 0;
    for (const QDateTime &crash : qAsConst(m_crashes)) {
        if (m_active.since.isValid() && crash >= m_active.since &&
            m_active.since.msecsTo(crash) <= kRollBackWindowMs)
            ++recent;
    }
    emit playerCrashed(recent);
    if (recent >= kCrashesForRollBack && !m_previous.isNull()) {
        rollBack(QStringLiteral("the player ended %1 times within ten minutes of switching to bundle %2")
                     .arg(recent)
                     .arg(m_active.sequence));
    }
    schedulePublish();
}

void FleetAgent::activate(qint64 sequence)
{
    if (sequence != m_staged.sequence)
        return;
    if (!m_active.isNull())
        m_previous = m_active;
    m_active = m_staged;
    m_active.since = m_clock->now().toUTC();
    m_staged = Bundle();
    m_stagedReady = false;
    m_crashes.clear();
    save();
    prune();
    publishState();
    emit stateChanged();
}

void FleetAgent::refuseStaged(const QString &reason)
{
    const qint64 sequence = m_staged.sequence;
    m_refusedSequences.append(sequence);
    m_fetcher->cancel();
    m_staged = Bundle();
    m_stagedReady = false;
    m_lastRefusal = QJsonObject{{QStringLiteral("sequence"), sequence},
                                {QStringLiteral("reason"), reason},
                                {QStringLiteral("at"), m_clock->now().toUTC().toString(Qt::ISODate)}};
    setError(QStringLiteral("bundle %1 refused: %2; bundle %3 plays on")
                 .arg(sequence)
                 .arg(reason)
                 .arg(m_active.sequence));
    save();
    prune();
    publishState();
}

void FleetAgent::cancelStaged(const QString &reason, const Bundle *next)
{
    const Bundle cancelled = m_staged;
    const bool handed = m_stagedReady;
    m_fetcher->cancel();
    m_switchTimer->stop();
    m_staged = Bundle();
    m_stagedTopics.clear();
    m_stagedReady = false;
    if (handed && m_endpoint && m_endpoint->hasPlayer()) {
        m_endpoint->send(QJsonObject{{QStringLiteral("op"), QStringLiteral("withdraw")},
                                     {QStringLiteral("bundle"), cancelled.sequence}});
    }
    // Whole files stay for the usual clean-up (the next bundle may well use them); a partial
    // one is only worth keeping when the bundle that replaces this one goes on with it.
    QSet<QByteArray> keep;
    if (next) {
        for (const BundleFile &file : next->manifest.files)
            keep.insert(file.sha256);
    }
    for (const BundleFile &file : cancelled.manifest.files) {
        if (!keep.contains(file.sha256))
            QFile::remove(m_store->partialPath(file.sha256));
    }
    QDir(bundleFolder(cancelled.sequence)).removeRecursively();
    m_lastCancel = QJsonObject{{QStringLiteral("sequence"), cancelled.sequence},
                               {QStringLiteral("reason"), reason},
                               {QStringLiteral("at"), m_clock->now().toUTC().toString(Qt::ISODate)}};
    save();
    schedulePublish();
}

void FleetAgent::rollBack(const QString &reason)
{
    if (m_previous.isNull())
        return;
    const qint64 bad = m_active.sequence;
    m_refusedSequences.append(bad);
    m_active = m_previous;
    m_active.since = m_clock->now().toUTC();
    m_previous = Bundle();
    m_crashes.clear();
    m_lastRefusal = QJsonObject{{QStringLiteral("sequence"), bad},
                                {QStringLiteral("reason"), reason},
                                {QStringLiteral("rolledBackTo"), m_active.sequence},
                                {QStringLiteral("at"), m_clock->now().toUTC().toString(Qt::ISODate)}};
    setError(QStringLiteral("%1; back to bundle %2").arg(reason).arg(m_active.sequence));
    save();
    if (m_endpoint && m_endpoint->hasPlayer()) {
        m_endpoint->send(switchMessage(m_active, 0));
    }
    publishState();
}

QJsonObject FleetAgent::switchMessage(const Bundle &bundle, qint64 atMs) const
{
    // The files' hashes go along, so that the player's log names the exact content it showed.
    QJsonObject files;
    for (const BundleFile &file : bundle.manifest.files)
        files.insert(file.name, QString::fromLatin1(file.sha256));
    return QJsonObject{{QStringLiteral("op"), QStringLiteral("switch")},
                       {QStringLiteral("bundle"), bundle.sequence},
                       {QStringLiteral("scheme"), schemePath(bundle)},
                       {QStringLiteral("folder"), bundleFolder(bundle.sequence)},
                       {QStringLiteral("files"), files},
                       {QStringLiteral("at"), atMs}};
}

QString FleetAgent::bundleFolder(qint64 sequence) const
{
    return m_options.folder + QStringLiteral("/bundles/") + QString::number(sequence);
}

QString FleetAgent::schemePath(const Bundle &bundle) const
{
    return bundleFolder(bundle.sequence) + QLatin1Char('/') + bundle.manifest.scheme;
}

bool FleetAgent::materialize(const Bundle &bundle, QString *error)
{
    const QString folder = bundleFolder(bundle.sequence);
    const QString building = folder + QStringLiteral(".tmp");
    QDir(building).removeRecursively();
    for (const BundleFile &file : bundle.manifest.files) {
        const QString target = building + QLatin1Char('/') + file.name;
        if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
            *error = QStringLiteral("cannot make the folder of %1").arg(file.name);
            return false;
        }
        const QString source = m_store->filePath(file.sha256);
        // One copy on disk for a file several bundles use; a copy where links cannot be made.
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0 &&
            !QFile::copy(source, target)) {
            *error = QStringLiteral("cannot place %1 in the bundle").arg(file.name);
            QDir(building).removeRecursively();
            return false;
        }
    }
    QDir(folder).removeRecursively();
    if (!QDir().rename(building, folder)) {
        *error = QStringLiteral("cannot name the bundle's folder %1").arg(folder);
        return false;
    }
    // The office documents' pages come made: the PDF goes where the player looks for the pages
    // of the document at its place in this bundle, and no conversion runs on the device.
    const QString cache = OfficeCache::defaultDirectory();
    for (const BundleFile &file : bundle.manifest.files) {
        const BundleFile *pdf = bundle.manifest.file(BundleBuilder::officePdfName(file.name));
        if (!pdf)
            continue;
        const QString target =
            cache + QLatin1Char('/') + OfficeCache::cacheName(folder + QLatin1Char('/') + file.name);
        if (!AppLocations::ensureWritable(cache)) {
            *error = QStringLiteral("the office cache %1 cannot be written").arg(cache);
            return false;
        }
        QFile::remove(target);
        if (!QFile::copy(folder + QLatin1Char('/') + pdf->name, target)) {
            *error = QStringLiteral("cannot place the pages of %1 in the office cache").arg(file.name);
            return false;
        }
    }
    return true;
}

void FleetAgent::prune()
{
    QSet<QByteArray> keep;
    QSet<QString> keepFolders;
    for (const Bundle *bundle : {&m_active, &m_previous, &m_staged}) {
        if (bundle->isNull())
            continue;
        keepFolders.insert(QString::number(bundle->sequence));
        for (const BundleFile &file : bundle->manifest.files)
            keep.insert(file.sha256);
    }
    const QDir bundles(m_options.folder + QStringLiteral("/bundles"));
    for (const QString &entry : bundles.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!keepFolders.contains(entry))
            QDir(bundles.filePath(entry)).removeRecursively();
    }
    m_store->removeAllBut(keep);
}

void FleetAgent::load()
{
    QFile file(m_options.folder + QStringLiteral("/bundles.json"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject root = QJsonDocument::fromJson(file.read(64 * 1024 * 1024)).object();
    auto read = [this, &root](const char *key, Bundle *bundle) {
        const QJsonObject object = root.value(QLatin1String(key)).toObject();
        if (object.isEmpty())
            return;
        SignedManifest signedManifest;
        QString error;
        const QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Compact);
        // Checked again as if it came from the broker: the file may have been changed on disk.
        if (!SignedManifest::fromJson(json, &signedManifest, &error) ||
            !signedManifest.open(m_operatorKey, &bundle->manifest, &error))
            return;
        bundle->sequence = bundle->manifest.sequence;
        bundle->signedManifest = signedManifest;
        bundle->since =
            QDateTime::fromString(object.value(QStringLiteral("since")).toString(), Qt::ISODateWithMs);
    };
    read("active", &m_active);
    read("previous", &m_previous);
    read("staged", &m_staged);
    m_highestTaken = qMax(qint64(root.value(QStringLiteral("highest")).toDouble()),
                          qMax(m_active.sequence, m_staged.sequence));
    for (const QJsonValue &value : root.value(QStringLiteral("refused")).toArray())
        m_refusedSequences.append(qint64(value.toDouble()));
}

void FleetAgent::save() const
{
    QJsonObject root;
    if (!m_active.isNull())
        root.insert(QStringLiteral("active"), bundleJson(m_active.signedManifest, m_active.since));
    if (!m_previous.isNull())
        root.insert(QStringLiteral("previous"), bundleJson(m_previous.signedManifest, m_previous.since));
    if (!m_staged.isNull())
        root.insert(QStringLiteral("staged"), bundleJson(m_staged.signedManifest, QDateTime()));
    root.insert(QStringLiteral("highest"), m_highestTaken);
    QJsonArray refused;
    // The last few are enough to keep a bad bundle from coming back through a retained message.
    for (int i = qMax(0, m_refusedSequences.size() - 20); i < m_refusedSequences.size(); ++i)
        refused.append(m_refusedSequences.at(i));
    root.insert(QStringLiteral("refused"), refused);
    QSaveFile file(m_options.folder + QStringLiteral("/bundles.json"));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QJsonDocument(root).toJson());
        file.commit();
    }
}

void FleetAgent::setError(const QString &text)
{
    m_lastError = text;
    m_lastErrorAt = m_clock->now().toUTC();
    schedulePublish();
}

qint64 FleetAgent::localSwitchTime(const QDateTime &at) const
{
    if (!at.isValid())
        return 0;
    const bool off =
        m_clockMeasured && qAbs(m_clockOffsetMs) > qint64(m_options.config.maxClockOffsetSeconds) * 1000;
    return at.toMSecsSinceEpoch() + (off ? m_clockOffsetMs : 0);
}

void FleetAgent::measureClock()
{
    // The content server's Date header is the fleet's clock here: every device asks the same
    // server, and it needs no other service. Its one-second steps, and half the round trip,
    // are the error of the measurement.
    QNetworkRequest request(m_options.config.content);
    request.setSslConfiguration(m_ssl);
    request.setTransferTimeout(30000);
    const qint64 sent = m_clock->msecsSinceEpoch();
    QNetworkReply *reply = m_network->head(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, sent] {
        reply->deleteLater();
        const qint64 received = m_clock->msecsSinceEpoch();
        QDateTime date = reply->header(QNetworkRequest::LastModifiedHeader).toDateTime();
        const QByteArray raw = reply->rawHeader("Date");
        if (!raw.isEmpty())
            date = QDateTime::fromString(QString::fromLatin1(raw), Qt::RFC2822Date);
        if (!date.isValid())
            return;
        // The header is cut to the second: the server's time lay half a second later on average.
        const qint64 server = date.toMSecsSinceEpoch() + 500;
        m_clockOffsetMs = (sent + received) / 2 - server;
        m_clockMeasured = true;
        if (qAbs(m_clockOffsetMs) > qint64(m_options.config.maxClockOffsetSeconds) * 1000) {
            setError(
                QStringLiteral("this device's clock is %1 s off the content server's; bundles switch by the "
                               "server's time")
                    .arg(double(m_clockOffsetMs) / 1000.0, 0, 'f', 1));
        }
        schedulePublish();
    });
}

QJsonObject FleetAgent::state() const
{
    const QDateTime now = m_clock->now();
    QJsonObject state{
        {QStringLiteral("device"), m_options.config.device},
        {QStringLiteral("groups"), QJsonArray::fromStringList(m_options.config.groups)},
        {QStringLiteral("version"), m_options.version},
        {QStringLiteral("time"), now.toUTC().toString(Qt::ISODateWithMs)},
        {QStringLiteral("timeZone"), QString::fromUtf8(QTimeZone::systemTimeZoneId())},
        {QStringLiteral("utcOffset"), now.offsetFromUtc()},
        {QStringLiteral("player"), m_options.headless ? QStringLiteral("headless")
                                   : m_playerPresent  ? QStringLiteral("running")
                                                      : QStringLiteral("absent")},
        {QStringLiteral("playing"), m_playing},
        {QStringLiteral("playerCrashes"), m_crashes.size()},
        {QStringLiteral("freeDisk"), m_store->freeBytes()},
    };
    if (m_clockMeasured)
        state.insert(QStringLiteral("clockOffsetMs"), m_clockOffsetMs);
    if (!m_active.isNull()) {
        state.insert(QStringLiteral("active"),
                     QJsonObject{{QStringLiteral("sequence"), m_active.sequence},
                                 {QStringLiteral("scheme"), m_active.manifest.scheme},
                                 {QStringLiteral("since"), m_active.since.toString(Qt::ISODate)}});
    }
    if (!m_previous.isNull())
        state.insert(QStringLiteral("previous"), m_previous.sequence);
    if (!m_staged.isNull()) {
        state.insert(QStringLiteral("staged"),
                     QJsonObject{{QStringLiteral("sequence"), m_staged.sequence},
                                 {QStringLiteral("scheme"), m_staged.manifest.scheme},
                                 {QStringLiteral("at"), m_staged.manifest.switchAt.isValid()
                                                            ? m_staged.manifest.switchAt.toString(Qt::ISODate)
                                                            : QString()},
                                 {QStringLiteral("bytesDone"), m_bytesDone},
                                 {QStringLiteral("bytesTotal"), m_bytesTotal},
                                 {QStringLiteral("ready"), m_stagedReady}});
    }
    if (!m_lastError.isEmpty()) {
        state.insert(QStringLiteral("lastError"),
                     QJsonObject{{QStringLiteral("at"), m_lastErrorAt.toString(Qt::ISODate)},
                                 {QStringLiteral("text"), m_lastError}});
    }
    if (!m_lastRefusal.isEmpty())
        state.insert(QStringLiteral("lastRefusal"), m_lastRefusal);
    if (m_uploader)
        state.insert(QStringLiteral("playLog"), m_uploader->state());
    if (!m_lastCancel.isEmpty())
        state.insert(QStringLiteral("cancelled"), m_lastCancel);
    m_darkEvents.describe(&state, m_clock->msecsSinceEpoch());
    return state;
}

void FleetAgent::schedulePublish()
{
    if (!m_publishTimer->isActive())
        m_publishTimer->start();
}

void FleetAgent::publishState()
{
    m_publishTimer->stop();
    m_link->publish(FleetTopics::device(m_options.config.device, QStringLiteral("state")),
                    QJsonDocument(state()).toJson(QJsonDocument::Compact), 1, true);
    emit stateChanged();
}

void FleetAgent::takePlayEvent(const QJsonObject &message)
{
    const qint64 now = m_clock->msecsSinceEpoch();
    if (message.value(QStringLiteral("op")).toString() == QLatin1String("playEvent"))
        m_darkEvents.add(message, now);
    else
        m_darkEvents.resumed(message.value(QStringLiteral("screen")).toString(),
                             message.value(QStringLiteral("window")).toString(), now);
    // A dark spell that ends by its age changes the state too.
    const qint64 light = m_darkEvents.msecsToLight(now);
    if (light > 0)
        QTimer::singleShot(int(light) + 100, this, &FleetAgent::publishState);
    publishState();
}
