#include "fleetcollector.h"

#include "fleetlog/fleetlogstore.h"
#include "fleetlog/logbatch.h"
#include "fleettopics.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QThread>

#include <cstdio>
#include <memory>

namespace {

void logLine(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

// Lives in its own thread, where its connection is made and used.
class FleetCollector::Worker : public QObject
{
public:
    Worker(const QString &address, int index)
        : m_address(address)
        , m_connectionName(QStringLiteral("fleet-collector-%1").arg(index))
    {}

    // In the worker's thread; reports back through the collector's event loop.
    void take(QPointer<FleetCollector> collector, const QString &device, const QByteArray &payload)
    {
        LogBatch batch;
        QString error;
        QByteArray ack;
        qint64 inserted = -1;
        if (!batch.decode(payload, &error)) {
            error = QStringLiteral("refused a batch of %1 (%2 bytes): %3")
                        .arg(device)
                        .arg(payload.size())
                        .arg(error);
        } else {
            if (!m_store)
                m_store = std::make_unique<FleetLogStore>(m_address, m_connectionName);
            FleetLogStore::Stored stored;
            if (m_store->store(device, batch, &stored, &error)) {
                inserted = stored.inserted;
                QJsonObject logs;
                for (auto it = stored.acked.cbegin(); it != stored.acked.cend(); ++it)
                    logs.insert(it.key(), double(it.value()));
                ack =
                    QJsonDocument(QJsonObject{{QStringLiteral("format"), 1}, {QStringLiteral("logs"), logs}})
                        .toJson(QJsonDocument::Compact);
            } else {
                // Not acknowledged: the device sends it again.
                error = QStringLiteral("could not store a batch of %1 (log %2, %3 rows): %4")
                            .arg(device, batch.log.toString(QUuid::WithoutBraces))
                            .arg(batch.rows.size())
                            .arg(error);
            }
        }
        const qint64 bytes = payload.size();
        QMetaObject::invokeMethod(
            collector.data(),
            [collector, device, bytes, inserted, ack, error] {
                if (!collector)
                    return;
                if (inserted >= 0)
                    collector->onStored(device, bytes, inserted, ack);
                else
                    collector->onRefused(device, bytes, error);
            },
            Qt::QueuedConnection);
    }

    // In the worker's thread, as it ends.
    void close() { m_store.reset(); }

private:
    QString m_address;
    QString m_connectionName;
    std::unique_ptr<FleetLogStore> m_store;
};

FleetCollector::FleetCollector(const MqttSettings &settings, const QString &databaseAddress, int workers,
                               QObject *parent)
    : QObject(parent)
    , m_link(new MqttLink(this))
    , m_address(databaseAddress)
    , m_workerCount(qBound(1, workers, 16))
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

FleetCollector::~FleetCollector()
{
    stop();
}

bool FleetCollector::start(QString *error)
{
    {
        // The schema is made or migrated once, here, before any worker writes.
        FleetLogStore store(m_address, QStringLiteral("fleet-collector-schema"));
        if (!store.open(error))
            return false;
    }
    for (int i = 0; i < m_workerCount; ++i) {
        auto *thread = new QThread;
        auto *worker = new Worker(m_address, i);
        worker->moveToThread(thread);
        connect(
            thread, &QThread::finished, worker, [worker] { worker->close(); }, Qt::DirectConnection);
        thread->start();
        m_threads.append(thread);
        m_workers.append(worker);
    }
    m_link->subscribe(FleetTopics::prefix() + QStringLiteral("/dev/+/log"), 1);
    m_link->start();
    return true;
}

void FleetCollector::stop()
{
    m_link->stop();
    for (QThread *thread : qAsConst(m_threads)) {
        thread->quit();
        thread->wait();
    }
    qDeleteAll(m_workers);
    qDeleteAll(m_threads);
    m_workers.clear();
    m_threads.clear();
}

void FleetCollector::onMessage(const QString &topic, const QByteArray &payload)
{
    const QStringList levels = topic.split(QLatin1Char('/'));
    // lumora / v1 / dev / <device> / log
    if (m_workers.isEmpty() || levels.size() != 5 || levels.at(4) != QLatin1String("log") ||
        !FleetTopics::isValidName(levels.at(3)) ||
        topic != FleetTopics::device(levels.at(3), QStringLiteral("log")))
        return;
    const QString device = levels.at(3);
    if (m_waiting >= MaxWaiting || m_waitingBytes + payload.size() > MaxWaitingBytes) {
        logLine(QStringLiteral(
                    "busy: %1 batches wait for the store; one of %2 is left for the device to send again")
                    .arg(m_waiting)
                    .arg(device));
        return;
    }
    ++m_waiting;
    m_waitingBytes += payload.size();
    Worker *worker = m_workers.at(int(qHash(device) % uint(m_workers.size())));
    QPointer<FleetCollector> self(this);
    QMetaObject::invokeMethod(
        worker, [worker, self, device, payload] { worker->take(self, device, payload); },
        Qt::QueuedConnection);
}

void FleetCollector::onStored(const QString &device, qint64 bytes, qint64 inserted, const QByteArray &ack)
{
    --m_waiting;
    m_waitingBytes -= bytes;
    // Lost with the link, it is published again with the device's next batch; the device
    // resends what it has not seen acknowledged.
    m_link->publish(FleetTopics::device(device, QStringLiteral("logack")), ack, 1, true);
    emit batchStored(device, inserted);
}

void FleetCollector::onRefused(const QString &device, qint64 bytes, const QString &reason)
{
    --m_waiting;
    m_waitingBytes -= bytes;
    logLine(reason);
    emit batchRefused(device, reason);
}
