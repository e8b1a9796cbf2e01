#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

struct mosquitto;
class QSocketNotifier;
class QTimer;

// Where and as whom an MQTT link connects: TLS with a client certificate, the broker checked
// against the fleet's CA.
struct MqttSettings
{
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 8883;
    QString clientId;
    QString caFile;   // PEM of the CA the broker's certificate must come from
    QString certFile; // the client's own certificate (PEM)
    QString keyFile;  // and its key (PEM)
    // The last will, sent by the broker when the link drops without a goodbye (empty: none).
    QString willTopic;
    QByteArray willPayload;
    bool willRetain = true;
    int keepAliveSeconds = 30;
};

// One MQTT connection driven by the Qt event loop (libmosquitto's socket under QSocketNotifiers,
// its housekeeping on a timer), so nothing ever waits on the network. It connects and
// reconnects by itself with a growing pause (1 s to 60 s) until stop(), and renews its
// subscriptions after every reconnect. MQTT 5 is asked for first; a broker that refuses it is
// spoken to in 3.1.1, where a message's expiry is not carried by the protocol (the payloads
// carry their own).
class MqttLink : public QObject
{
    Q_OBJECT

public:
    explicit MqttLink(QObject *parent = nullptr);
    ~MqttLink() override;

    void setSettings(const MqttSettings &settings);
    const MqttSettings &settings() const { return m_settings; }

    void start();
    // Sends a clean disconnect (the will is not sent) and stays down.
    void stop();
    bool isConnected() const { return m_connected; }
    bool usesVersion5() const { return m_version5; }

    // Remembered and renewed on every reconnect.
    void subscribe(const QString &filter, int qos = 1);
    void unsubscribe(const QString &filter);
    // The message id, or -1 when it could not be queued (not connected: nothing is queued
    // while down, the caller publishes its state again on connected()). expirySeconds > 0 sets
    // MQTT 5's message expiry interval.
    int publish(const QString &topic, const QByteArray &payload, int qos = 1, bool retain = false,
                int expirySeconds = 0);

    QString lastError() const { return m_lastError; }

signals:
    void connected();
    void disconnected(const QString &reason);
    void messageReceived(const QString &topic, const QByteArray &payload, bool retained);
    // The broker has taken a QoS 1 message (PUBACK).
    void published(int messageId);
    // A subscription the broker refused (MQTT 5 reason code >= 0x80, or 0x80 granted in 3.1.1).
    void subscriptionRefused(const QString &filter);

private:
    // libmosquitto's callbacks, forwarded to the object in their userdata.
    static void onConnect(mosquitto *, void *self, int rc, int flags, const void *props);
    static void onDisconnect(mosquitto *, void *self, int rc, const void *props);
    static void onMessage(mosquitto *, void *self, const void *message, const void *props);
    static void onPublish(mosquitto *, void *self, int mid, int reasonCode, const void *props);
    static void onSubscribe(mosquitto *, void *self, int mid, int count, const int *granted,
                            const void *props);

    void connectNow();
    void dropSocket();
    void scheduleReconnect();
    void updateNotifiers();

    MqttSettings m_settings;
    mosquitto *m_mosq = nullptr;
    QSocketNotifier *m_read = nullptr;
    QSocketNotifier *m_write = nullptr;
    QTimer *m_misc = nullptr;
    QTimer *m_retry = nullptr;
    int m_retryMs = 1000;
    bool m_running = false;
    bool m_connected = false;
    bool m_version5 = true;
    QStringList m_filters;
    QList<int> m_filterQos;
    QHash<int, QString> m_pendingSubscribes;
    QString m_lastError;
};
