#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
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
    // A broker silent for up to twice this long is taken for gone (libmosquitto's floor: 5 s).
    int keepAliveSeconds = 30;
    // A session the broker keeps while the link is down, with the QoS 1 messages that came
    // for it (a collector that must not miss uploads). Needs a fixed clientId. Spoken in MQTT
    // 3.1.1, where such a session lasts until the broker's own expiry: MQTT 5 ends it at the
    // disconnect unless CONNECT carries a session expiry, which libmosquitto's asynchronous
    // connect cannot send.
    bool persistentSession = false;
};

// One MQTT connection driven by the Qt event loop (libmosquitto's socket under QSocketNotifiers,
// its housekeeping on a timer), so nothing ever waits on the network. It connects and
// reconnects by itself with a growing pause (1 s to 60 s) until stop(), and renews its
// subscriptions after every reconnect. MQTT 5 is asked for first; a broker that refuses it is
// spoken to in 3.1.1, where a message's expiry is not carried by the protocol (the payloads
// carry their own). The session is clean unless the settings ask for a persistent one.
//
// Signals come from inside libmosquitto's calls: a slot may call any method here, but must not
// delete the link (deleteLater() it).
class MqttLink : public QObject
{
    Q_OBJECT

public:
    explicit MqttLink(QObject *parent = nullptr);
    // Closes the connection without a goodbye, so the broker sends the last will: a link that
    // was not stop()ped went away like a crash would. Call stop() first for a clean end.
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

    // Why the last connection attempt failed, in a sentence: refused by the broker (and why),
    // a certificate refused either way, nothing listening, no answer. Kept after a success.
    QString lastError() const { return m_lastError; }

signals:
    void connected();
    void disconnected(const QString &reason);
    void messageReceived(const QString &topic, const QByteArray &payload, bool retained);
    // The broker has taken a QoS 1 (or 2) message: PUBACK without an error reason. Messages
    // it refuses (MQTT 5 reason >= 0x80) and those lost with the connection never come here.
    void published(int messageId);
    // A subscription the broker refused (MQTT 5 reason code >= 0x80, or 0x80 granted in 3.1.1).
    void subscriptionRefused(const QString &filter);

private:
    // libmosquitto's callbacks, forwarded to the object in their userdata. They run inside
    // libmosquitto's calls (loop_read/write/misc, disconnect), always on this object's thread.
    static void onConnect(mosquitto *, void *self, int rc, int flags, const void *props);
    static void onDisconnect(mosquitto *, void *self, int rc, const void *props);
    static void onMessage(mosquitto *, void *self, const void *message, const void *props);
    static void onPublish(mosquitto *, void *self, int mid, int reasonCode, const void *props);
    static void onSubscribe(mosquitto *, void *self, int mid, int count, const int *granted,
                            const void *props);
    static void onLog(mosquitto *, void *self, int level, const char *text);

    void connectNow();
    void openConnection();
    void failAttempt(const QString &reason);
    // The connection (or the attempt) has ended: notifiers off, pause, reconnect.
    void linkDown(const QString &reason);
    // Disables and schedules the deletion of the notifiers; called before, or in the same
    // turn of the event loop as, the socket's closing, so a closed descriptor is never polled.
    void dropSocket();
    // Destroys the libmosquitto object (closing its socket), later if inside its callbacks.
    void releaseMosquitto();
    void scheduleReconnect();
    void updateNotifiers();
    // After every call into libmosquitto that may call back: deferred work, notifiers.
    void settle(int rc);
    void service(int which);
    bool checkTcp();
    void checkEndOfStream();
    void sendSubscribe(const QString &filter, int qos);
    QString failureText(int rc, int errorNumber) const;
    QString tlsProblem() const;

    MqttSettings m_settings;
    mosquitto *m_mosq = nullptr;
    QSocketNotifier *m_read = nullptr;
    QSocketNotifier *m_write = nullptr;
    QTimer *m_misc = nullptr;
    QTimer *m_retry = nullptr;
    QTimer *m_answerTimeout = nullptr;
    int m_retryMs = 1000;
    int m_socket = -1;
    int m_connectErrno = 0;
    int m_lookupId = -1;
    int m_busy = 0; // depth of calls into libmosquitto that may call back
    bool m_running = false;
    bool m_attempt = false; // a socket is open (connecting or connected)
    bool m_tcpUp = false;   // its TCP connection is established
    bool m_connected = false;
    bool m_version5 = true;
    bool m_refused = false;      // the broker answered CONNECT with a refusal
    bool m_fallbackNow = false;  // retry at once, in MQTT 3.1.1
    bool m_releasePending = false;
    QStringList m_filters;
    QList<int> m_filterQos;
    QHash<int, QString> m_pendingSubscribes;
    QSet<int> m_awaitingAck;        // QoS 1/2 message ids not yet acknowledged
    QStringList m_attemptLog;       // libmosquitto's errors during the current attempt
    QString m_lastError;
};
