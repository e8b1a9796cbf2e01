#include "mqttlink.h"

#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <mosquitto.h>
#include <mqtt_protocol.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>
#include <poll.h>
#include <sys/socket.h>

namespace {

void initLibrary()
{
    static const bool initialised = [] {
        mosquitto_lib_init();
        return true;
    }();
    Q_UNUSED(initialised)
}

// libmosquitto refuses a keepalive under 5 seconds.
int effectiveKeepAlive(int seconds)
{
    return qBound(5, seconds, 65535);
}

// Counts the calls into libmosquitto that may run its callbacks: while one runs, the object
// must stay as it is (no destroy, no new connection), so such work waits for settle().
class InLibrary
{
public:
    explicit InLibrary(int &depth)
        : m_depth(depth)
    {
        ++m_depth;
    }
    ~InLibrary() { --m_depth; }
    InLibrary(const InLibrary &) = delete;
    InLibrary &operator=(const InLibrary &) = delete;

private:
    int &m_depth;
};

enum Service { ServiceRead, ServiceWrite, ServiceMisc };

// What this device itself finds wrong with its certificate, checked against the CA file and
// its own clock: a hint for when the broker's own word (its TLS alert) was lost. Empty when
// nothing is found.
QString localCertificateProblem(const QString &certFile, const QString &caFile)
{
    QFile file(certFile);
    if (certFile.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray pem = file.readAll();
    BIO *bio = BIO_new_mem_buf(pem.constData(), int(pem.size()));
    X509 *certificate = bio ? PEM_read_bio_X509(bio, nullptr, nullptr, nullptr) : nullptr;
    BIO_free(bio);
    if (!certificate)
        return MqttLink::tr("the file is no PEM certificate");
    QString problem;
    X509_STORE *store = X509_STORE_new();
    X509_STORE_CTX *context = X509_STORE_CTX_new();
    const QByteArray ca = caFile.toLocal8Bit();
    if (store && context && X509_STORE_load_locations(store, ca.constData(), nullptr) == 1 &&
        X509_STORE_CTX_init(context, store, certificate, nullptr) == 1 && X509_verify_cert(context) != 1) {
        const int error = X509_STORE_CTX_get_error(context);
        switch (error) {
        case X509_V_ERR_CERT_HAS_EXPIRED:
            problem = MqttLink::tr("by this device's clock it has expired");
            break;
        case X509_V_ERR_CERT_NOT_YET_VALID:
            problem = MqttLink::tr("by this device's clock it is not valid yet");
            break;
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
        case X509_V_ERR_CERT_SIGNATURE_FAILURE:
            problem = MqttLink::tr("it does not come from the fleet's CA (%1)").arg(caFile);
            break;
        default:
            problem = QString::fromUtf8(X509_verify_cert_error_string(error));
            break;
        }
    }
    X509_STORE_CTX_free(context);
    X509_STORE_free(store);
    X509_free(certificate);
    return problem;
}

} // namespace

MqttLink::MqttLink(QObject *parent)
    : QObject(parent)
    , m_misc(new QTimer(this))
    , m_retry(new QTimer(this))
    , m_answerTimeout(new QTimer(this))
{
    initLibrary();
    m_misc->setInterval(500);
    connect(m_misc, &QTimer::timeout, this, [this] { service(ServiceMisc); });
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, &MqttLink::connectNow);
    m_answerTimeout->setSingleShot(true);
    connect(m_answerTimeout, &QTimer::timeout, this, [this] {
        if (m_attempt && !m_connected)
            linkDown(tr("The broker at %1:%2 did not answer within %3 seconds.")
                         .arg(m_settings.host)
                         .arg(m_settings.port)
                         .arg(m_answerTimeout->interval() / 1000));
    });
}

MqttLink::~MqttLink()
{
    m_running = false;
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    // The notifiers go before mosquitto_destroy closes their socket.
    delete m_read;
    m_read = nullptr;
    delete m_write;
    m_write = nullptr;
    if (m_mosq)
        mosquitto_destroy(m_mosq);
    m_mosq = nullptr;
}

void MqttLink::setSettings(const MqttSettings &settings)
{
    m_settings = settings;
}

void MqttLink::start()
{
    if (m_running)
        return;
    m_running = true;
    m_version5 = true;
    m_retryMs = 1000;
    connectNow();
}

void MqttLink::stop()
{
    m_running = false;
    m_retry->stop();
    m_fallbackNow = false;
    if (m_lookupId >= 0) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    if (!m_mosq || !m_attempt)
        return;
    if (m_connected) {
        int rc;
        {
            InLibrary inLibrary(m_busy);
            rc = m_version5 ? mosquitto_disconnect_v5(m_mosq, MQTT_RC_NORMAL_DISCONNECTION, nullptr)
                            : mosquitto_disconnect(m_mosq);
        }
        // libmosquitto closes the socket once the DISCONNECT is written (and calls back); until
        // then the write notifier sends what is queued.
        if (rc != MOSQ_ERR_SUCCESS)
            linkDown(tr("The link was stopped."));
        settle(rc);
        return;
    }
    // Still connecting: drop the attempt before the broker accepts a session it would later
    // end with the will.
    m_answerTimeout->stop();
    m_attempt = false;
    dropSocket();
    releaseMosquitto();
}

void MqttLink::connectNow()
{
    if (!m_running)
        return;
    if (m_busy > 0) { // asked from inside a callback: start over from the event loop
        m_retry->start(0);
        return;
    }
    m_retry->stop();
    if (m_attempt) {
        m_attempt = false;
        dropSocket();
    }
    releaseMosquitto();
    m_connected = false;
    if (QHostAddress(m_settings.host).isNull()) {
        // A name: resolve it off the event loop first. libmosquitto resolves it again (blocking),
        // but then from the resolver's cache or at least over a route just shown to work.
        if (m_lookupId >= 0)
            QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = QHostInfo::lookupHost(m_settings.host, this, [this](const QHostInfo &info) {
            if (info.lookupId() != m_lookupId)
                return;
            m_lookupId = -1;
            if (!m_running)
                return;
            if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
                failAttempt(tr("The broker's name %1 cannot be resolved: %2.")
                                .arg(m_settings.host, info.errorString()));
                return;
            }
            openConnection();
        });
        return;
    }
    openConnection();
}

void MqttLink::openConnection()
{
    m_refused = false;
    m_attemptLog.clear();
    m_awaitingAck.clear();
    m_pendingSubscribes.clear();
    const QByteArray clientId = m_settings.clientId.toUtf8();
    const bool persistent = m_settings.persistentSession && !clientId.isEmpty();
    m_mosq = mosquitto_new(clientId.isEmpty() ? nullptr : clientId.constData(), !persistent, this);
    if (!m_mosq) {
        failAttempt(tr("The MQTT client cannot be created (client id \"%1\").").arg(m_settings.clientId));
        return;
    }
    if (persistent)
        m_version5 = false;
    mosquitto_int_option(m_mosq, MOSQ_OPT_PROTOCOL_VERSION,
                         m_version5 ? MQTT_PROTOCOL_V5 : MQTT_PROTOCOL_V311);
    mosquitto_connect_v5_callback_set(
        m_mosq, [](mosquitto *m, void *self, int rc, int flags, const mosquitto_property *props) {
            onConnect(m, self, rc, flags, props);
        });
    mosquitto_disconnect_v5_callback_set(
        m_mosq, [](mosquitto *m, void *self, int rc, const mosquitto_property *props) {
            onDisconnect(m, self, rc, props);
        });
    mosquitto_message_v5_callback_set(
        m_mosq, [](mosquitto *m, void *self, const mosquitto_message *message,
                   const mosquitto_property *props) { onMessage(m, self, message, props); });
    mosquitto_publish_v5_callback_set(
        m_mosq, [](mosquitto *m, void *self, int mid, int reasonCode, const mosquitto_property *props) {
            onPublish(m, self, mid, reasonCode, props);
        });
    mosquitto_subscribe_v5_callback_set(
        m_mosq, [](mosquitto *m, void *self, int mid, int count, const int *granted,
                   const mosquitto_property *props) { onSubscribe(m, self, mid, count, granted, props); });
    mosquitto_log_callback_set(m_mosq, &MqttLink::onLog);

    if (!m_settings.caFile.isEmpty()) {
        const QByteArray ca = m_settings.caFile.toLocal8Bit();
        const QByteArray cert = m_settings.certFile.toLocal8Bit();
        const QByteArray key = m_settings.keyFile.toLocal8Bit();
        const bool withCert = !cert.isEmpty() && !key.isEmpty();
        int rc = mosquitto_tls_set(m_mosq, ca.constData(), nullptr, withCert ? cert.constData() : nullptr,
                                   withCert ? key.constData() : nullptr, nullptr);
        if (rc == MOSQ_ERR_SUCCESS)
            // Verify the broker (SSL_VERIFY_PEER), TLS 1.2 or newer.
            rc = mosquitto_tls_opts_set(m_mosq, 1, "tlsv1.2", nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            failAttempt(tr("The TLS files cannot be used (CA %1, certificate %2, key %3): %4.")
                            .arg(m_settings.caFile, m_settings.certFile, m_settings.keyFile,
                                 QString::fromUtf8(mosquitto_strerror(rc))));
            return;
        }
        // The broker's name or address is checked against its certificate (the default).
        mosquitto_tls_insecure_set(m_mosq, false);
    }
    if (!m_settings.willTopic.isEmpty()) {
        const QByteArray topic = m_settings.willTopic.toUtf8();
        const int rc = mosquitto_will_set(m_mosq, topic.constData(), int(m_settings.willPayload.size()),
                                          m_settings.willPayload.constData(), 1, m_settings.willRetain);
        if (rc != MOSQ_ERR_SUCCESS) {
            failAttempt(tr("The last will on %1 cannot be set: %2.")
                            .arg(m_settings.willTopic, QString::fromUtf8(mosquitto_strerror(rc))));
            return;
        }
    }

    const QByteArray host = m_settings.host.toUtf8();
    const int keepAlive = effectiveKeepAlive(m_settings.keepAliveSeconds);
    errno = 0;
    int rc;
    {
        InLibrary inLibrary(m_busy);
        rc = mosquitto_connect_async(m_mosq, host.constData(), m_settings.port, keepAlive);
    }
    const int errorNumber = errno;
    m_socket = mosquitto_socket(m_mosq);
    if (m_socket < 0) {
        failAttempt(failureText(rc == MOSQ_ERR_SUCCESS ? MOSQ_ERR_NO_CONN : rc, errorNumber));
        return;
    }
    m_connectErrno = errorNumber;
    m_attempt = true;
    // The TLS handshake may end inside mosquitto_connect_async (a broker close by), and the
    // CONNECT is written there too. If that failed and the socket is still open, the TCP
    // connection was up: what the broker said is read from it, and libmosquitto ends it.
    m_tcpUp = rc != MOSQ_ERR_SUCCESS;
    m_read = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
    connect(m_read, &QSocketNotifier::activated, this, [this] { service(ServiceRead); });
    m_write = new QSocketNotifier(m_socket, QSocketNotifier::Write, this);
    m_write->setEnabled(false);
    connect(m_write, &QSocketNotifier::activated, this, [this] { service(ServiceWrite); });
    m_misc->start();
    // libmosquitto gives up on a silent broker after the keepalive; this is the backstop.
    m_answerTimeout->start((keepAlive + 5) * 1000);
    settle(MOSQ_ERR_SUCCESS);
}

void MqttLink::failAttempt(const QString &reason)
{
    m_lastError = reason;
    m_attempt = false;
    dropSocket();
    releaseMosquitto();
    if (m_running)
        scheduleReconnect();
}

void MqttLink::linkDown(const QString &reason)
{
    if (!m_attempt)
        return;
    m_attempt = false;
    m_answerTimeout->stop();
    dropSocket();
    const bool wasConnected = m_connected;
    m_connected = false;
    m_pendingSubscribes.clear();
    m_awaitingAck.clear();
    if (!wasConnected && !m_refused)
        m_lastError = reason;
    releaseMosquitto();
    if (m_running)
        scheduleReconnect();
    if (wasConnected)
        emit disconnected(reason);
}

void MqttLink::dropSocket()
{
    m_misc->stop();
    for (QSocketNotifier *notifier : {m_read, m_write}) {
        if (!notifier)
            continue;
        // Disabled at once (never polled again); deleted later, as this may run inside its
        // own activation.
        notifier->setEnabled(false);
        notifier->disconnect(this);
        notifier->deleteLater();
    }
    m_read = nullptr;
    m_write = nullptr;
    m_socket = -1;
}

void MqttLink::releaseMosquitto()
{
    if (!m_mosq)
        return;
    if (m_busy > 0) {
        m_releasePending = true;
        return;
    }
    m_releasePending = false;
    mosquitto *mosq = m_mosq;
    m_mosq = nullptr;
    mosquitto_destroy(mosq);
}

void MqttLink::scheduleReconnect()
{
    if (m_fallbackNow) {
        m_fallbackNow = false;
        m_retry->start(0);
        return;
    }
    // A little spread, so a fleet that lost its broker does not come back in one wave.
    const int pause = qMin(60000, m_retryMs + int(QRandomGenerator::global()->bounded(m_retryMs / 5 + 1)));
    m_retryMs = qMin(60000, m_retryMs * 2);
    m_retry->start(pause);
}

void MqttLink::updateNotifiers()
{
    // Until the TCP connection is up, writability is what tells that it is (or has failed).
    if (m_mosq && m_write)
        m_write->setEnabled(!m_tcpUp || mosquitto_want_write(m_mosq));
}

void MqttLink::settle(int rc)
{
    if (m_busy > 0)
        return;
    if (m_releasePending)
        releaseMosquitto();
    if (!m_attempt || !m_mosq)
        return;
    if (m_refused) {
        // Refused in the CONNACK: libmosquitto closes the connection by itself; make sure.
        linkDown(m_lastError);
        return;
    }
    if (mosquitto_socket(m_mosq) != m_socket) {
        // Closed by libmosquitto without a callback.
        linkDown(failureText(rc == MOSQ_ERR_SUCCESS ? MOSQ_ERR_CONN_LOST : rc, errno));
        return;
    }
    updateNotifiers();
}

// libmosquitto 2.0 does not see a non-blocking connect fail under TLS: SSL_connect's error on
// the refused socket leaves it waiting for a handshake that never comes, and its loop calls then
// succeed forever on a socket that is always readable. So the TCP connection is watched here.
bool MqttLink::checkTcp()
{
    if (m_tcpUp)
        return true;
    char byte;
    if (::recv(m_socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) > 0) { // the broker has spoken
        m_tcpUp = true;
        return true;
    }
    int error = 0;
    socklen_t length = sizeof(error);
    if (::getsockopt(m_socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    sockaddr_storage peer;
    socklen_t peerLength = sizeof(peer);
    if (error == 0 && ::getpeername(m_socket, reinterpret_cast<sockaddr *>(&peer), &peerLength) != 0) {
        // Ready but not connected: the connect failed, its error already taken by SSL_connect.
        error = m_connectErrno;
        if (error != ECONNREFUSED && error != ENETUNREACH && error != EHOSTUNREACH && error != ETIMEDOUT)
            error = ECONNREFUSED;
    }
    if (error != 0) {
        linkDown(failureText(MOSQ_ERR_ERRNO, error));
        return false;
    }
    m_tcpUp = true;
    return true;
}

// Before the CONNACK, the same blind spot for a broker that closes the connection in the
// middle of the TLS handshake: the end of the stream is looked for here.
void MqttLink::checkEndOfStream()
{
    if (!m_attempt || m_connected || !m_mosq || mosquitto_socket(m_mosq) != m_socket)
        return;
    char byte;
    const ssize_t got = ::recv(m_socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (got == 0)
        linkDown(failureText(MOSQ_ERR_CONN_LOST, 0));
    else if (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
        linkDown(failureText(MOSQ_ERR_ERRNO, errno));
}

void MqttLink::service(int which)
{
    if (!m_mosq || !m_attempt)
        return;
    if (which != ServiceMisc && !checkTcp())
        return;
    if (which == ServiceWrite) {
        // What the broker said comes first: a refusal it sent is read before a write into the
        // connection it has reset loses it.
        pollfd ready = {m_socket, POLLIN, 0};
        if (::poll(&ready, 1, 0) > 0) {
            service(ServiceRead);
            if (!m_mosq || !m_attempt || !m_write)
                return;
        }
    }
    int rc;
    {
        InLibrary inLibrary(m_busy);
        switch (which) {
        case ServiceRead:
            rc = mosquitto_loop_read(m_mosq, 1);
            break;
        case ServiceWrite:
            rc = mosquitto_loop_write(m_mosq, 1);
            break;
        default:
            rc = mosquitto_loop_misc(m_mosq);
            break;
        }
    }
    settle(rc);
    if (which == ServiceRead)
        checkEndOfStream();
}

void MqttLink::subscribe(const QString &filter, int qos)
{
    const int index = m_filters.indexOf(filter);
    if (index >= 0) {
        m_filterQos[index] = qos;
    } else {
        m_filters.append(filter);
        m_filterQos.append(qos);
    }
    if (m_connected && m_mosq) {
        sendSubscribe(filter, qos);
        settle(MOSQ_ERR_SUCCESS);
    }
}

void MqttLink::unsubscribe(const QString &filter)
{
    const int index = m_filters.indexOf(filter);
    if (index < 0)
        return;
    m_filters.removeAt(index);
    m_filterQos.removeAt(index);
    if (m_connected && m_mosq) {
        const QByteArray bytes = filter.toUtf8();
        {
            InLibrary inLibrary(m_busy);
            mosquitto_unsubscribe(m_mosq, nullptr, bytes.constData());
        }
        settle(MOSQ_ERR_SUCCESS);
    }
}

void MqttLink::sendSubscribe(const QString &filter, int qos)
{
    const QByteArray bytes = filter.toUtf8();
    int mid = 0;
    int rc;
    {
        InLibrary inLibrary(m_busy);
        rc = mosquitto_subscribe(m_mosq, &mid, bytes.constData(), qBound(0, qos, 2));
    }
    if (rc == MOSQ_ERR_SUCCESS)
        m_pendingSubscribes.insert(mid, filter);
    else if (rc == MOSQ_ERR_INVAL || rc == MOSQ_ERR_MALFORMED_UTF8)
        emit subscriptionRefused(filter); // no broker would take it
}

int MqttLink::publish(const QString &topic, const QByteArray &payload, int qos, bool retain,
                      int expirySeconds)
{
    if (!m_connected || !m_mosq)
        return -1;
    const QByteArray bytes = topic.toUtf8();
    qos = qBound(0, qos, 2);
    mosquitto_property *properties = nullptr;
    if (m_version5 && expirySeconds > 0)
        mosquitto_property_add_int32(&properties, MQTT_PROP_MESSAGE_EXPIRY_INTERVAL, quint32(expirySeconds));
    int mid = 0;
    int rc;
    {
        InLibrary inLibrary(m_busy);
        rc = mosquitto_publish_v5(m_mosq, &mid, bytes.constData(), int(payload.size()), payload.constData(),
                                  qos, retain, properties);
    }
    mosquitto_property_free_all(&properties);
    // Refused at once (bad topic, too large) or lost while writing: the caller publishes again
    // on connected().
    const bool queued = rc == MOSQ_ERR_SUCCESS;
    if (queued && qos > 0)
        m_awaitingAck.insert(mid);
    settle(rc);
    return queued ? mid : -1;
}

void MqttLink::onConnect(mosquitto *, void *self, int rc, int, const void *)
{
    auto *link = static_cast<MqttLink *>(self);
    if (!link->m_attempt)
        return;
    link->m_answerTimeout->stop();
    if (rc == 0) {
        link->m_connected = true;
        link->m_retryMs = 1000;
        link->m_pendingSubscribes.clear();
        for (int i = 0; i < link->m_filters.size(); ++i)
            link->sendSubscribe(link->m_filters.at(i), link->m_filterQos.at(i));
        emit link->connected();
        return;
    }
    link->m_refused = true;
    if (link->m_version5 &&
        (rc == MQTT_RC_UNSUPPORTED_PROTOCOL_VERSION || rc == CONNACK_REFUSED_PROTOCOL_VERSION)) {
        link->m_version5 = false;
        link->m_fallbackNow = true;
        link->m_lastError = tr("The broker at %1:%2 does not speak MQTT 5; the link speaks MQTT 3.1.1 to it.")
                                .arg(link->m_settings.host)
                                .arg(link->m_settings.port);
        return;
    }
    const QString why =
        QString::fromUtf8(link->m_version5 ? mosquitto_reason_string(rc) : mosquitto_connack_string(rc));
    link->m_lastError = tr("The broker at %1:%2 refused the connection: %3.")
                            .arg(link->m_settings.host)
                            .arg(link->m_settings.port)
                            .arg(why);
}

void MqttLink::onDisconnect(mosquitto *, void *self, int rc, const void *)
{
    const int errorNumber = errno;
    auto *link = static_cast<MqttLink *>(self);
    if (!link->m_attempt)
        return;
    link->linkDown(rc == MOSQ_ERR_SUCCESS ? tr("The link was stopped.") : link->failureText(rc, errorNumber));
}

void MqttLink::onMessage(mosquitto *, void *self, const void *message, const void *)
{
    auto *link = static_cast<MqttLink *>(self);
    const auto *m = static_cast<const mosquitto_message *>(message);
    if (!m || !m->topic)
        return;
    const QByteArray payload =
        m->payloadlen > 0 ? QByteArray(static_cast<const char *>(m->payload), m->payloadlen) : QByteArray();
    emit link->messageReceived(QString::fromUtf8(m->topic), payload, m->retain);
}

void MqttLink::onPublish(mosquitto *, void *self, int mid, int reasonCode, const void *)
{
    auto *link = static_cast<MqttLink *>(self);
    // QoS 0 messages call back when written (even inside publish()): only acknowledged
    // messages count, and only those the broker took.
    if (link->m_awaitingAck.remove(mid) && reasonCode < 0x80)
        emit link->published(mid);
}

void MqttLink::onSubscribe(mosquitto *, void *self, int mid, int count, const int *granted, const void *)
{
    auto *link = static_cast<MqttLink *>(self);
    const QString filter = link->m_pendingSubscribes.take(mid);
    if (filter.isEmpty())
        return;
    for (int i = 0; i < count; ++i) {
        if (granted[i] >= 0x80) {
            emit link->subscriptionRefused(filter);
            return;
        }
    }
}

void MqttLink::onLog(mosquitto *, void *self, int level, const char *text)
{
    auto *link = static_cast<MqttLink *>(self);
    if (!(level & (MOSQ_LOG_ERR | MOSQ_LOG_WARNING)) || !text)
        return;
    if (link->m_attemptLog.size() < 20)
        link->m_attemptLog.append(QString::fromUtf8(text));
}

QString MqttLink::tlsProblem() const
{
    const QString log = m_attemptLog.join(QLatin1Char('\n'));
    const auto has = [&log](const char *text) {
        return log.contains(QLatin1String(text), Qt::CaseInsensitive);
    };
    if (has("alert certificate expired"))
        return tr("The broker refused this device's certificate: it has expired (%1).")
            .arg(m_settings.certFile);
    if (has("alert certificate revoked"))
        return tr("The broker refused this device's certificate: it has been revoked (%1).")
            .arg(m_settings.certFile);
    if (has("alert unknown ca"))
        return tr("The broker refused this device's certificate: it does not come from a CA the broker "
                  "trusts (%1).")
            .arg(m_settings.certFile);
    if (has("alert bad certificate") || has("alert certificate unknown") || has("certificate required") ||
        has("alert handshake failure") || has("alert unsupported certificate")) {
        const QString local = localCertificateProblem(m_settings.certFile, m_settings.caFile);
        return local.isEmpty()
                   ? tr("The broker refused this device's certificate (%1).").arg(m_settings.certFile)
                   : tr("The broker refused this device's certificate (%1): %2.")
                         .arg(m_settings.certFile, local);
    }
    if (has("host name verification failed"))
        return tr("The broker's certificate was not accepted: it is not made out to %1.")
            .arg(m_settings.host);
    if (has("certificate verify failed"))
        return tr("The broker's certificate was not accepted: it does not come from the fleet's CA (%1), "
                  "or it has expired.")
            .arg(m_settings.caFile);
    for (const QString &line : m_attemptLog) {
        if (line.contains(QLatin1String("OpenSSL"), Qt::CaseInsensitive) ||
            line.contains(QLatin1String("TLS")))
            return tr("The TLS connection to the broker failed: %1.").arg(line);
    }
    return QString();
}

QString MqttLink::failureText(int rc, int errorNumber) const
{
    const QString where = QStringLiteral("%1:%2").arg(m_settings.host).arg(m_settings.port);
    if (!m_connected) {
        const QString tls = tlsProblem();
        if (!tls.isEmpty())
            return tls;
        // TLS 1.3 tells a refused client certificate only after the handshake, and a connection
        // reset while the CONNECT goes out may swallow the alert (EPROTO: libmosquitto's word for
        // a TLS connection that failed).
        const bool ended =
            (rc == MOSQ_ERR_ERRNO && errorNumber == EPROTO) ||
            (m_tcpUp && (rc == MOSQ_ERR_CONN_LOST || rc == MOSQ_ERR_TLS ||
                         (rc == MOSQ_ERR_ERRNO && (errorNumber == ECONNRESET || errorNumber == EPIPE))));
        if (ended && !m_settings.caFile.isEmpty()) {
            const QString local = localCertificateProblem(m_settings.certFile, m_settings.caFile);
            return local.isEmpty()
                       ? tr("The broker at %1 ended the connection right after the TLS handshake, before "
                            "answering: it most likely refused this device's certificate (%2).")
                             .arg(where, m_settings.certFile)
                       : tr("The broker at %1 ended the connection right after the TLS handshake, before "
                            "answering: it most likely refused this device's certificate (%2): %3.")
                             .arg(where, m_settings.certFile, local);
        }
    }
    if (rc >= 0x80) // an MQTT 5 reason code in the broker's DISCONNECT
        return tr("The broker at %1 closed the connection: %2.")
            .arg(where, QString::fromUtf8(mosquitto_reason_string(rc)));
    switch (rc) {
    case MOSQ_ERR_KEEPALIVE:
        return tr("The broker at %1 did not answer within the keepalive (%2 s): the route to it is dead.")
            .arg(where)
            .arg(effectiveKeepAlive(m_settings.keepAliveSeconds));
    case MOSQ_ERR_CONN_LOST:
        return m_connected ? tr("The broker at %1 closed the connection.").arg(where)
                           : tr("The broker at %1 closed the connection before accepting it.").arg(where);
    case MOSQ_ERR_TLS:
    case MOSQ_ERR_TLS_HANDSHAKE:
        return tr("The TLS handshake with the broker at %1 failed.").arg(where);
    case MOSQ_ERR_EAI:
    case MOSQ_ERR_LOOKUP:
        return tr("The broker's name %1 cannot be resolved.").arg(m_settings.host);
    case MOSQ_ERR_ERRNO:
        switch (errorNumber) {
        case ECONNREFUSED:
            return tr("The broker at %1 refused the connection (nothing listens there).").arg(where);
        case ECONNRESET:
        case EPIPE:
            return tr("The broker at %1 reset the connection.").arg(where);
        case EPROTO:
            return tr("The TLS connection to the broker at %1 broke off.").arg(where);
        case ETIMEDOUT:
            return tr("The connection to the broker at %1 timed out.").arg(where);
        case EHOSTUNREACH:
        case ENETUNREACH:
            return tr("The broker at %1 cannot be reached (no route).").arg(where);
        case 0:
            break;
        default:
            return tr("The connection to the broker at %1 failed: %2.")
                .arg(where, QString::fromLocal8Bit(std::strerror(errorNumber)));
        }
        break;
    default:
        break;
    }
    return tr("The connection to the broker at %1 failed: %2.")
        .arg(where, QString::fromUtf8(mosquitto_strerror(rc)));
}
