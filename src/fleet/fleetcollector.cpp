#include "fleetcollector.h"

#include "fleetlog/fleetlogstore.h"
#include "fleetlog/logbatch.h"
#include "fleettopics.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

void logLine(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

FleetCollector::FleetCollector(const MqttSettings &settings, const QString &databaseAddress, QObject *parent)
    : QObject(parent)
    , m_link(new MqttLink(this))
    , m_store(new FleetLogStore(databaseAddress, QStringLiteral("fleet-collector")))
{
    m_link->setSettings(settings);
    connect(m_link, &MqttLink::messageReceived, this,
            [this](const QString &topic, const QByteArray &payload, bool) { onMessage(topic, payload); });
    connect(m_link, &MqttLink::connected, this, [this] {
        logLine(QStringLiteral("connected to the broker %1:%2")
                    .arg(m_link->settings().host)
                    .arg(m_link->settings().port));
    });
    connect(m_link, &MqttLink::disconnected, this, [](const QString &reason) {
        logLine(QStringLiteral("the broker link is down: %1").arg(reason));
    });
    connect(m_link, &MqttLink::subscriptionRefused, this, [](const QString &filter) {
        logLine(QStringLiteral("the broker refused the subscription to %1: is the ACL's \"user collector\" "
                               "section there?")
                    .arg(filter));
    });
}

FleetCollector::~FleetCollector() = default;

bool FleetCollector::start(QString *error)
{
    if (!m_store->open(error))
        return false;
    m_link->subscribe(FleetTopics::prefix() + QStringLiteral("/dev/+/log"), 1);
    m_link->start();
    return true;
}

void FleetCollector::stop()
{
    m_link->stop();
}

void FleetCollector::onMessage(const QString &topic, const QByteArray &payload)
{
    const QStringList levels = topic.split(QLatin1Char('/'));
    // lumora / v1 / dev / <device> / log
    if (levels.size() != 5 || levels.at(4) != QLatin1String("log") ||
        !FleetTopics::isValidName(levels.at(3)) ||
        topic != FleetTopics::device(levels.at(3), QStringLiteral("log")))
        return;
    const QString device = levels.at(3);
    LogBatch batch;
    QString error;
    if (!batch.decode(payload, &error)) {
        ++m_refused;
        logLine(QStringLiteral("refused a batch of %1 (%2 bytes): %3")
                    .arg(device)
                    .arg(payload.size())
                    .arg(error));
        emit batchRefused(device, error);
        return;
    }
    FleetLogStore::Stored stored;
    if (!m_store->store(device, batch, &stored, &error)) {
        // Not acknowledged: the device sends it again.
        ++m_refused;
        logLine(QStringLiteral("could not store a batch of %1 (log %2, %3 rows): %4")
                    .arg(device, batch.log.toString(QUuid::WithoutBraces))
                    .arg(batch.rows.size())
                    .arg(error));
        emit batchRefused(device, error);
        return;
    }
    ++m_stored;
    QJsonObject logs;
    for (auto it = stored.acked.cbegin(); it != stored.acked.cend(); ++it)
        logs.insert(it.key(), double(it.value()));
    const QJsonObject ack{{QStringLiteral("format"), 1}, {QStringLiteral("logs"), logs}};
    // Lost with the link, it is published again with the device's next batch; the device
    // resends what it has not seen acknowledged.
    m_link->publish(FleetTopics::device(device, QStringLiteral("logack")),
                    QJsonDocument(ack).toJson(QJsonDocument::Compact), 1, true);
    emit batchStored(device, stored.inserted);
}
