#pragma once

#include "mqttlink.h"

#include <QObject>
#include <QString>
#include <QVector>

class QThread;

// The central end of the devices' play-log uploads: subscribed to lumora/v1/dev/+/log as the
// user "collector", it stores each batch in the fleet's PostgreSQL store and, only once that
// transaction has committed, publishes the device's cursors, retained, on
// lumora/v1/dev/<device>/logack. A device moves its own cursor only on that answer, so a batch
// lost anywhere (the broker, the collector killed before its commit) is sent again, and the
// store takes it once.
//
// Batches are decoded and stored by worker threads, each with its own database connection, so
// that PostgreSQL works on several at once and the MQTT link is never held up by a
// transaction. A device's batches always go to the same worker, in the order they came: its
// cursor never sees a later batch before an earlier one. Past a bound of batches waiting, more
// are dropped unanswered (the devices send them again) rather than held in memory.
//
// The device is the topic's: the broker lets a device write only its own topics, so a
// payload cannot speak for another. A payload that is not a valid batch is refused with a
// line on stderr and nothing else.
class FleetCollector : public QObject
{
    Q_OBJECT

public:
    FleetCollector(const MqttSettings &settings, const QString &databaseAddress, int workers = 2,
                   QObject *parent = nullptr);
    ~FleetCollector() override;

    // Connects to the database (making or migrating its schema), starts the workers and the link.
    bool start(QString *error);
    // Stops the link and the workers; a transaction under way is finished, batches waiting
    // are dropped unanswered.
    void stop();
    MqttLink *link() const { return m_link; }

    // What may wait for the workers, in batches and in their (compressed) bytes.
    static constexpr int MaxWaiting = 1024;
    static constexpr qint64 MaxWaitingBytes = 128 * 1024 * 1024;

signals:
    // After the commit and the acknowledgement's publish.
    void batchStored(const QString &device, qint64 inserted);
    void batchRefused(const QString &device, const QString &reason);

private:
    class Worker;

    void onMessage(const QString &topic, const QByteArray &payload);
    void onStored(const QString &device, qint64 bytes, qint64 inserted, const QByteArray &ack);
    void onRefused(const QString &device, qint64 bytes, const QString &reason);

    MqttLink *m_link = nullptr;
    QString m_address;
    int m_workerCount = 2;
    QVector<QThread *> m_threads;
    QVector<Worker *> m_workers;
    int m_waiting = 0;
    qint64 m_waitingBytes = 0;
};
