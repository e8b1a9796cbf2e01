#pragma once

#include "mqttlink.h"

#include <QObject>
#include <QString>

#include <memory>

class FleetLogStore;

// The central end of the devices' play-log uploads: subscribed to lumora/v1/dev/+/log as the
// user "collector", it stores each batch in the fleet's PostgreSQL store and, only once that
// transaction has committed, publishes the device's cursors, retained, on
// lumora/v1/dev/<device>/logack. A device moves its own cursor only on that answer, so a batch
// lost anywhere (the broker, the collector killed before its commit) is sent again, and the
// store takes it once.
//
// The device is the topic's: the broker lets a device write only its own topics, so a
// payload cannot speak for another. A payload that is not a valid batch is refused with a
// line on stderr and nothing else.
class FleetCollector : public QObject
{
    Q_OBJECT

public:
    FleetCollector(const MqttSettings &settings, const QString &databaseAddress, QObject *parent = nullptr);
    ~FleetCollector() override;

    // Connects to the database (making or migrating its schema) and starts the link.
    bool start(QString *error);
    void stop();
    MqttLink *link() const { return m_link; }

    qint64 batchesStored() const { return m_stored; }
    qint64 batchesRefused() const { return m_refused; }

signals:
    // After the commit and the acknowledgement's publish.
    void batchStored(const QString &device, qint64 inserted);
    void batchRefused(const QString &device, const QString &reason);

private:
    void onMessage(const QString &topic, const QByteArray &payload);

    MqttLink *m_link = nullptr;
    std::unique_ptr<FleetLogStore> m_store;
    qint64 m_stored = 0;
    qint64 m_refused = 0;
};
