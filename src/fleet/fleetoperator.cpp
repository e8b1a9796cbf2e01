#include "fleetoperator.h"

#include "bundlebuilder.h"
#include "fleetca.h"
#include "fleettopics.h"
#include "mqttlink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSettings>
#include <QSslCertificate>
#include <QSslKey>
#include <QStandardPaths>

#include <memory>

namespace {

QString resolvedIn(const QString &folder, const QString &path)
{
    return path.isEmpty() || QDir::isAbsolutePath(path) ? path : QDir(folder).filePath(path);
}

} // namespace

FleetOperator::FleetOperator(const QString &caFolder, QObject *parent)
    : QObject(parent)
    , m_caFolder(caFolder)
    , m_link(new MqttLink(this))
    , m_network(new QNetworkAccessManager(this))
{
    connect(m_link, &MqttLink::connected, this, [this] {
        m_link->subscribe(FleetTopics::prefix() + QStringLiteral("/dev/+/state"));
        m_link->subscribe(FleetTopics::prefix() + QStringLiteral("/dev/+/presence"));
        m_link->subscribe(FleetTopics::prefix() + QStringLiteral("/dev/+/reply"));
        m_link->subscribe(FleetTopics::prefix() + QStringLiteral("/dev/+/screenshot"));
        emit connected();
    });
    connect(m_link, &MqttLink::messageReceived, this,
            [this](const QString &topic, const QByteArray &payload, bool) { onMessage(topic, payload); });
}

FleetOperator::~FleetOperator() = default;

QString FleetOperator::defaultCaFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Lumora/fleet-ca");
}

bool FleetOperator::writeSettings(const QString &caFolder, const QUrl &broker, const QUrl &content,
                                  const QString &contentFolder, QString *error)
{
    QSettings settings(caFolder + QStringLiteral("/operator.ini"), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Operator"));
    settings.setValue(QStringLiteral("Broker"), broker.toString());
    settings.setValue(QStringLiteral("Content"), content.toString());
    settings.setValue(QStringLiteral("ContentFolder"), contentFolder);
    settings.setValue(QStringLiteral("Certificate"), QStringLiteral("operator-tls.crt"));
    settings.setValue(QStringLiteral("Key"), QStringLiteral("operator-tls.key"));
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        *error = QStringLiteral("cannot write %1").arg(settings.fileName());
        return false;
    }
    return true;
}

bool FleetOperator::load(QString *error)
{
    const QString file = m_caFolder + QStringLiteral("/operator.ini");
    if (!QFileInfo(file).isFile()) {
        *error = QStringLiteral(
                     "%1 is no fleet CA folder (no operator.ini); make one with \"lumora-fleet ca init\"")
                     .arg(m_caFolder);
        return false;
    }
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Operator"));
    m_broker = QUrl(settings.value(QStringLiteral("Broker")).toString());
    m_content = QUrl(settings.value(QStringLiteral("Content")).toString());
    m_contentFolder = resolvedIn(m_caFolder, settings.value(QStringLiteral("ContentFolder")).toString());
    m_certificate = resolvedIn(m_caFolder, settings.value(QStringLiteral("Certificate")).toString());
    m_key = resolvedIn(m_caFolder, settings.value(QStringLiteral("Key")).toString());
    QString keyError;
    m_signingKey = Ed25519Key::fromPemFile(m_caFolder + QStringLiteral("/operator.key"), &keyError);
    if (m_signingKey.isNull() || !m_signingKey.hasPrivate()) {
        *error = QStringLiteral("the operator's signing key: %1").arg(keyError);
        return false;
    }
    if (m_broker.scheme() != QLatin1String("mqtts")) {
        *error = QStringLiteral("the broker in %1 must be an mqtts:// address").arg(file);
        return false;
    }
    MqttSettings mqtt;
    mqtt.host = m_broker.host();
    mqtt.port = quint16(m_broker.port(8883));
    // Several operator tools may run at once (a window and a command line): each its own id.
    mqtt.clientId = QStringLiteral("operator-%1").arg(QCoreApplication::applicationPid());
    mqtt.caFile = m_caFolder + QStringLiteral("/ca.crt");
    mqtt.certFile = m_certificate;
    mqtt.keyFile = m_key;
    m_link->setSettings(mqtt);
    return true;
}

QVector<FleetOperator::Device> FleetOperator::devicesIn(const QString &caFolder)
{
    QVector<Device> devices;
    const QDir folder(caFolder + QStringLiteral("/devices"));
    for (const QFileInfo &info : folder.entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject object = QJsonDocument::fromJson(file.read(1024 * 1024)).object();
        Device device;
        device.name = object.value(QStringLiteral("name")).toString();
        if (!FleetTopics::isValidName(device.name))
            continue;
        for (const QJsonValue &group : object.value(QStringLiteral("groups")).toArray())
            device.groups.append(group.toString());
        device.enrolled =
            QDateTime::fromString(object.value(QStringLiteral("enrolled")).toString(), Qt::ISODate);
        for (const QJsonValue &serial : object.value(QStringLiteral("serials")).toArray())
            device.serials.append(serial.toString());
        devices.append(device);
    }
    return devices;
}

QStringList FleetOperator::groups() const
{
    QStringList groups;
    for (const Device &device : devices()) {
        for (const QString &group : device.groups) {
            if (!groups.contains(group))
                groups.append(group);
        }
    }
    groups.sort();
    return groups;
}

bool FleetOperator::recordDevice(const Device &device, QString *error)
{
    QDir().mkpath(m_caFolder + QStringLiteral("/devices"));
    QSaveFile file(m_caFolder + QStringLiteral("/devices/") + device.name + QStringLiteral(".json"));
    const QJsonObject object{{QStringLiteral("name"), device.name},
                             {QStringLiteral("groups"), QJsonArray::fromStringList(device.groups)},
                             {QStringLiteral("enrolled"), device.enrolled.toUTC().toString(Qt::ISODate)},
                             {QStringLiteral("serials"), QJsonArray::fromStringList(device.serials)}};
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(object).toJson()) < 0 ||
        !file.commit()) {
        *error = QStringLiteral("cannot write %1").arg(file.fileName());
        return false;
    }
    return true;
}

bool FleetOperator::forgetDevice(const QString &name)
{
    return FleetTopics::isValidName(name) &&
           QFile::remove(m_caFolder + QStringLiteral("/devices/") + name + QStringLiteral(".json"));
}

bool FleetOperator::revokeDevice(const QString &caFolder, const QString &name, QStringList *revoked,
                                 QString *error)
{
    QStringList serials;
    for (const Device &device : devicesIn(caFolder)) {
        if (device.name == name)
            serials = device.serials;
    }
    FleetCa ca(caFolder);
    if (!(serials.isEmpty() ? ca.ensureRevocationList(error) : ca.revoke(serials, error)))
        return false;
    if (revoked)
        *revoked = serials;
    return true;
}

QStringList FleetOperator::devicesOf(const QString &target, bool *isGroup) const
{
    QStringList names;
    const QVector<Device> all = devices();
    for (const Device &device : all) {
        if (device.name == target) {
            *isGroup = false;
            return {device.name};
        }
    }
    for (const Device &device : all) {
        if (device.groups.contains(target))
            names.append(device.name);
    }
    *isGroup = !names.isEmpty();
    return names;
}

qint64 FleetOperator::nextSequence()
{
    const QString path = m_caFolder + QStringLiteral("/sequence");
    QFile file(path);
    qint64 last = 0;
    if (file.open(QIODevice::ReadOnly))
        last = file.readAll().trimmed().toLongLong();
    file.close();
    const qint64 next = qMax(last + 1, QDateTime::currentMSecsSinceEpoch());
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(QByteArray::number(next) + '\n');
        out.commit();
    }
    return next;
}

void FleetOperator::connectBroker()
{
    m_link->start();
}

QStringList FleetOperator::seenDevices() const
{
    QStringList names = m_states.keys();
    for (const QString &name : m_presence.keys()) {
        if (!names.contains(name))
            names.append(name);
    }
    for (const Device &device : devices()) {
        if (!names.contains(device.name))
            names.append(device.name);
    }
    names.sort();
    return names;
}

void FleetOperator::onMessage(const QString &topic, const QByteArray &payload)
{
    // lumora/v1/dev/<device>/<leaf>
    const QStringList parts = topic.split(QLatin1Char('/'));
    if (parts.size() != 5 || parts.at(2) != QLatin1String("dev") || !FleetTopics::isValidName(parts.at(3)))
        return;
    const QString device = parts.at(3);
    const QString leaf = parts.at(4);
    if (leaf == QLatin1String("state")) {
        if (payload.isEmpty())
            m_states.remove(device);
        else
            m_states.insert(device, QJsonDocument::fromJson(payload).object());
    } else if (leaf == QLatin1String("presence")) {
        if (payload.isEmpty())
            m_presence.remove(device);
        else
            m_presence.insert(device, QString::fromUtf8(payload.left(32)));
    } else if (leaf == QLatin1String("screenshot")) {
        m_screenshots.insert(device, payload);
    } else if (leaf == QLatin1String("reply")) {
        emit replyReceived(device, QJsonDocument::fromJson(payload).object());
        return;
    } else {
        return;
    }
    emit deviceChanged(device);
}

bool FleetOperator::sign(BundleManifest manifest, SignedManifest *signedManifest) const
{
    manifest.publisher = QString::fromLatin1(m_signingKey.publicHex());
    manifest.published = QDateTime::currentDateTimeUtc();
    *signedManifest = SignedManifest::sign(manifest.toJson(), m_signingKey);
    return !signedManifest->signature.isEmpty();
}

QSslConfiguration FleetOperator::sslConfiguration() const
{
    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setCaCertificates(QSslCertificate::fromPath(m_caFolder + QStringLiteral("/ca.crt")));
    const QList<QSslCertificate> own = QSslCertificate::fromPath(m_certificate);
    if (!own.isEmpty())
        ssl.setLocalCertificate(own.first());
    QFile keyFile(m_key);
    if (keyFile.open(QIODevice::ReadOnly)) {
        const QByteArray pem = keyFile.readAll();
        QSslKey key(pem, QSsl::Ec);
        if (key.isNull())
            key = QSslKey(pem, QSsl::Rsa);
        ssl.setPrivateKey(key);
    }
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    return ssl;
}

void FleetOperator::upload(const BundleBuilder &bundle, std::function<void(qint64, qint64)> progress,
                           std::function<void(const QString &)> done)
{
    struct Job
    {
        QVector<BundleBuilder::Entry> entries;
        QByteArray schemeBytes;
        int next = 0;
        qint64 sent = 0;
        qint64 total = 0;
        std::function<void(qint64, qint64)> progress;
        std::function<void(const QString &)> done;
    };
    auto job = std::make_shared<Job>();
    job->entries = bundle.entries();
    job->schemeBytes = bundle.schemeBytes();
    for (const BundleBuilder::Entry &entry : job->entries)
        job->total += entry.file.size;
    job->progress = std::move(progress);
    job->done = std::move(done);

    if (!m_contentFolder.isEmpty()) {
        // A folder a web server serves: each file written whole under a temporary name, then
        // renamed, so a device never fetches half a file under its hash.
        QDir().mkpath(m_contentFolder);
        for (const BundleBuilder::Entry &entry : qAsConst(job->entries)) {
            const QString target =
                m_contentFolder + QLatin1Char('/') + QString::fromLatin1(entry.file.sha256);
            if (QFileInfo(target).size() != entry.file.size || !QFileInfo::exists(target)) {
                QSaveFile out(target);
                bool ok = out.open(QIODevice::WriteOnly);
                if (ok && entry.sourcePath.isEmpty()) {
                    ok = out.write(job->schemeBytes) == job->schemeBytes.size();
                } else if (ok) {
                    QFile in(entry.sourcePath);
                    ok = in.open(QIODevice::ReadOnly);
                    QByteArray block(1 << 20, Qt::Uninitialized);
                    qint64 got = 0;
                    while (ok && (got = in.read(block.data(), block.size())) > 0)
                        ok = out.write(block.constData(), got) == got;
                    ok = ok && got == 0;
                }
                if (!ok || !out.commit()) {
                    job->done(QStringLiteral("cannot write %1").arg(target));
                    return;
                }
                QFile::setPermissions(target,
                                      QFile::permissions(target) | QFile::ReadOther | QFile::ReadGroup);
            }
            job->sent += entry.file.size;
            job->progress(job->sent, job->total);
        }
        job->done(QString());
        return;
    }

    const QUrl base = m_content;
    const QSslConfiguration ssl = sslConfiguration();
    auto step = std::make_shared<std::function<void()>>();
    *step = [this, job, base, ssl, step] {
        if (job->next >= job->entries.size()) {
            job->done(QString());
            *step = nullptr; // breaks the cycle of the shared pointers
            return;
        }
        const BundleBuilder::Entry entry = job->entries.at(job->next);
        QUrl url = base;
        QString path = base.path();
        if (!path.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
        url.setPath(path + QString::fromLatin1(entry.file.sha256));
        QNetworkRequest request(url);
        request.setSslConfiguration(ssl);
        request.setTransferTimeout(60000);
        // Already there whole: content names never change their bytes.
        QNetworkReply *head = m_network->head(request);
        connect(head, &QNetworkReply::finished, this, [this, head, job, entry, request, step] {
            head->deleteLater();
            const int status = head->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (status == 200 &&
                head->header(QNetworkRequest::ContentLengthHeader).toLongLong() == entry.file.size) {
                job->sent += entry.file.size;
                job->progress(job->sent, job->total);
                ++job->next;
                (*step)();
                return;
            }
            QNetworkReply *put = nullptr;
            if (entry.sourcePath.isEmpty()) {
                put = m_network->put(request, job->schemeBytes);
            } else {
                auto *file = new QFile(entry.sourcePath);
                if (!file->open(QIODevice::ReadOnly)) {
                    delete file;
                    job->done(QStringLiteral("cannot read %1").arg(entry.sourcePath));
                    *step = nullptr;
                    return;
                }
                put = m_network->put(request, file);
                file->setParent(put);
            }
            const qint64 before = job->sent;
            connect(put, &QNetworkReply::uploadProgress, this,
                    [job, before](qint64 sent, qint64) { job->progress(before + sent, job->total); });
            connect(put, &QNetworkReply::finished, this, [put, job, entry, step] {
                put->deleteLater();
                const int status = put->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                if (put->error() != QNetworkReply::NoError ||
                    (status != 200 && status != 201 && status != 204)) {
                    job->done(QStringLiteral("the content server refused %1: %2 %3")
                                  .arg(entry.file.name)
                                  .arg(status)
                                  .arg(put->errorString()));
                    *step = nullptr;
                    return;
                }
                job->sent += entry.file.size;
                job->progress(job->sent, job->total);
                ++job->next;
                (*step)();
            });
        });
    };
    (*step)();
}

int FleetOperator::setDesired(const QString &target, bool isGroup, const SignedManifest &signedManifest)
{
    const QString topic = isGroup ? FleetTopics::group(target, QStringLiteral("desired"))
                                  : FleetTopics::device(target, QStringLiteral("desired"));
    return m_link->publish(topic, signedManifest.toJson(), 1, true);
}

int FleetOperator::clearRetained(const QString &topic)
{
    return m_link->publish(topic, QByteArray(), 1, true);
}

int FleetOperator::cancelPublish(const QString &target, bool isGroup)
{
    return clearRetained(isGroup ? FleetTopics::group(target, QStringLiteral("desired"))
                                 : FleetTopics::device(target, QStringLiteral("desired")));
}

int FleetOperator::clearDevice(const QString &device)
{
    int id = -1;
    for (const char *leaf : {"desired", "state", "presence", "screenshot"}) {
        id = clearRetained(FleetTopics::device(device, QLatin1String(leaf)));
        if (id < 0)
            return -1;
    }
    return id;
}

int FleetOperator::sendCommand(const QString &target, bool isGroup, const QString &command, const QString &id,
                               int expirySeconds)
{
    const QString topic = isGroup ? FleetTopics::group(target, QStringLiteral("cmd"))
                                  : FleetTopics::device(target, QStringLiteral("cmd"));
    const QJsonObject payload{
        {QStringLiteral("command"), command},
        {QStringLiteral("id"), id},
        {QStringLiteral("expires"), QDateTime::currentMSecsSinceEpoch() + qint64(expirySeconds) * 1000}};
    return m_link->publish(topic, QJsonDocument(payload).toJson(QJsonDocument::Compact), 1, false,
                           expirySeconds);
}
