// MqttLink against a real mosquitto (TestBroker) with client certificates and the fleet's ACL,
// and against a fake broker that only speaks MQTT 3.1.1 for the protocol fallback.
#include "fleet/mqttlink.h"
#include "fleetservers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostInfo>
#include <QPointer>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const char childArgument[] = "--mqtt-link-child";

QString deviceTopic(const QString &device, const QString &leaf)
{
    return QStringLiteral("lumora/v1/dev/%1/%2").arg(device, leaf);
}

bool waitFor(const std::function<bool()> &condition, int ms)
{
    return QTest::qWaitFor(condition, ms);
}

struct Received
{
    QString topic;
    QByteArray payload;
    bool retained = false;
};

// Collects what a link receives.
class Inbox : public QObject
{
public:
    explicit Inbox(MqttLink *link)
    {
        connect(link, &MqttLink::messageReceived, this,
                [this](const QString &topic, const QByteArray &payload, bool retained) {
                    messages.append({topic, payload, retained});
                });
    }
    QList<Received> on(const QString &topic) const
    {
        QList<Received> found;
        for (const Received &m : messages)
            if (m.topic == topic)
                found.append(m);
        return found;
    }
    bool has(const QString &topic, const QByteArray &payload) const
    {
        for (const Received &m : messages)
            if (m.topic == topic && m.payload == payload)
                return true;
        return false;
    }
    QList<Received> messages;
};

// A broker that speaks only MQTT 3.1.1 over TLS: it answers a CONNECT of any other protocol
// level with the 3.1.1 refusal "unacceptable protocol version" and closes, as such brokers do,
// and accepts a 3.1.1 CONNECT. Then it acknowledges QoS 1 messages (keeping what it got),
// answers pings, and refuses every subscription (SUBACK 0x80).
class Mqtt311Broker : public QTcpServer
{
public:
    QList<int> levels;           // the protocol level of every CONNECT
    QList<QByteArray> publishes; // the variable header and payload of every PUBLISH
    QStringList subscribed;
    QSslConfiguration tls;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        socket->setSslConfiguration(tls);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QSslSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            while (socket->state() == QAbstractSocket::ConnectedState) {
                // Fixed header: type and flags, remaining length (varint).
                int at = 1;
                int length = 0;
                int shift = 0;
                bool complete = false;
                while (at < buffer->size() && at <= 4) {
                    const quint8 byte = quint8(buffer->at(at++));
                    length |= (byte & 0x7f) << shift;
                    shift += 7;
                    if (!(byte & 0x80)) {
                        complete = true;
                        break;
                    }
                }
                if (!complete || buffer->size() < at + length)
                    return;
                const quint8 first = quint8(buffer->at(0));
                const QByteArray body = buffer->mid(at, length);
                buffer->remove(0, at + length);
                handle(socket, first, body);
            }
        });
        connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        socket->startServerEncryption();
    }

private:
    void handle(QSslSocket *socket, quint8 first, const QByteArray &body)
    {
        switch (first & 0xf0) {
        case 0x10: { // CONNECT: 00 04 "MQTT" level ...
            const int protocol = body.size() > 6 ? quint8(body.at(6)) : -1;
            levels.append(protocol);
            if (protocol == 4) {
                socket->write(QByteArray::fromHex("20020000")); // accepted
            } else {
                socket->write(QByteArray::fromHex("20020001")); // unacceptable protocol version
                socket->disconnectFromHost();
            }
            break;
        }
        case 0x30: { // PUBLISH
            publishes.append(body);
            const int qos = (first >> 1) & 3;
            const int topicLength = (quint8(body.at(0)) << 8) | quint8(body.at(1));
            if (qos == 1)
                socket->write(QByteArray::fromHex("4002") + body.mid(2 + topicLength, 2));
            break;
        }
        case 0x80: { // SUBSCRIBE: packet id, then filter (length, bytes) and options
            const int filterLength = (quint8(body.at(2)) << 8) | quint8(body.at(3));
            subscribed.append(QString::fromUtf8(body.mid(4, filterLength)));
            socket->write(QByteArray::fromHex("9003") + body.left(2) + QByteArray::fromHex("80"));
            break;
        }
        case 0xc0: // PINGREQ
            socket->write(QByteArray::fromHex("d000"));
            break;
        case 0xe0: // DISCONNECT
            socket->disconnectFromHost();
            break;
        default:
            break;
        }
    }
};

// The child: one MqttLink with a last will, which says "ready" once its "online" is at the
// broker, then waits to be killed.
int runChild(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 9)
        return 2;
    MqttSettings settings;
    settings.host = args.at(2);
    settings.port = quint16(args.at(3).toUInt());
    settings.caFile = args.at(4);
    settings.certFile = args.at(5);
    settings.keyFile = args.at(6);
    settings.clientId = args.at(7);
    settings.willTopic = args.at(8);
    settings.willPayload = "offline";
    settings.willRetain = true;
    settings.keepAliveSeconds = 60;
    MqttLink link;
    link.setSettings(settings);
    int onlineId = -2;
    QObject::connect(&link, &MqttLink::connected,
                     [&] { onlineId = link.publish(settings.willTopic, "online", 1, true); });
    QObject::connect(&link, &MqttLink::published, [&](int id) {
        if (id == onlineId) {
            QFile out;
            out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
            out.write("ready\n");
        }
    });
    link.start();
    return app.exec();
}

} // namespace

class TestMqttLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void retainedDesiredReachesLaterSubscriberAndStateRoundTrips();
    void messageExpiryEndsRetainedMessage();
    void willIsSentWhenTheProcessDies();
    void willIsSentWhenTheLinkIsDestroyedWithoutStop();
    void noWillAfterStop();
    void aclKeepsDevicesApart();
    void groupTopicsFollowTheAcl();
    void refusedClientCertificate_data();
    void refusedClientCertificate();
    void brokerCertificateIsChecked_data();
    void brokerCertificateIsChecked();
    void connectionRefusedIsReportedAndRetried();
    void hostNamesAreResolvedAndChecked();
    void reconnectsAndResubscribesAfterBrokerRestart();
    void deadRouteIsNoticedByKeepalive();
    void fallsBackToMqtt311();
    void publishWhileDownIsRefused();

private:
    MqttSettings settingsFor(const QString &name, const QString &clientId, bool expired = false,
                             bool otherCa = false);
    std::unique_ptr<MqttLink> linkFor(const QString &name, const QString &clientId,
                                      TestBroker *broker = nullptr, int keepAlive = 30);
    bool connectLink(MqttLink *link, int ms = 15000);
    // A device link with the last will "offline" on `presence`, connected, that has said
    // "online" there and been heard by `inbox`.
    void announceOnline(std::unique_ptr<MqttLink> &device, const QString &name, const QString &presence,
                        Inbox &inbox);
    QString brokerLog(TestBroker *broker = nullptr) const;

    QTemporaryDir m_dir;
    std::unique_ptr<TestPki> m_pki;
    std::unique_ptr<TestBroker> m_broker;
};

void TestMqttLink::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_pki = std::make_unique<TestPki>(m_dir.path() + QStringLiteral("/pki"));
    QString error;
    QVERIFY2(m_pki->init(&error), qPrintable(error));
    m_broker = std::make_unique<TestBroker>(m_pki.get(), m_dir.path() + QStringLiteral("/broker"));
    m_broker->allowGroup(QStringLiteral("dev-a"), QStringLiteral("lobby"));
    QVERIFY2(m_broker->start(&error), qPrintable(error));
}

void TestMqttLink::cleanupTestCase()
{
    m_broker.reset();
}

MqttSettings TestMqttLink::settingsFor(const QString &name, const QString &clientId, bool expired,
                                       bool otherCa)
{
    MqttSettings settings;
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = m_broker->port();
    settings.clientId = clientId;
    settings.caFile = m_pki->caCert();
    QString error;
    if (!m_pki->client(name, &settings.certFile, &settings.keyFile, &error, expired, otherCa))
        qWarning("%s", qPrintable(error));
    return settings;
}

std::unique_ptr<MqttLink> TestMqttLink::linkFor(const QString &name, const QString &clientId,
                                                TestBroker *broker, int keepAlive)
{
    auto link = std::make_unique<MqttLink>();
    MqttSettings settings = settingsFor(name, clientId);
    settings.port = (broker ? broker : m_broker.get())->port();
    settings.keepAliveSeconds = keepAlive;
    link->setSettings(settings);
    return link;
}

bool TestMqttLink::connectLink(MqttLink *link, int ms)
{
    link->start();
    return waitFor([link] { return link->isConnected(); }, ms);
}

QString TestMqttLink::brokerLog(TestBroker *broker) const
{
    return (broker ? broker : m_broker.get())->log().right(4000);
}

#define CONNECT_OR_FAIL(link)                                                                                \
    QVERIFY2(connectLink((link).get()), qPrintable((link)->lastError() + QLatin1Char('\n') + brokerLog()))

void TestMqttLink::announceOnline(std::unique_ptr<MqttLink> &device, const QString &name,
                                  const QString &presence, Inbox &inbox)
{
    device = linkFor(name, name);
    MqttSettings settings = device->settings();
    settings.willTopic = presence;
    settings.willPayload = "offline";
    device->setSettings(settings);
    CONNECT_OR_FAIL(device);
    QSignalSpy published(device.get(), &MqttLink::published);
    QVERIFY(device->publish(presence, "online", 1, true) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(!published.isEmpty(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(inbox.has(presence, "online"), 10000);
}

void TestMqttLink::retainedDesiredReachesLaterSubscriberAndStateRoundTrips()
{
    auto operatorLink = linkFor(QStringLiteral("operator"), QStringLiteral("operator-retained"));
    CONNECT_OR_FAIL(operatorLink);
    QVERIFY(operatorLink->usesVersion5());

    // The operator's retained "desired" is at the broker before the device ever subscribes.
    const QString desired = deviceTopic(QStringLiteral("dev-a"), QStringLiteral("desired"));
    QSignalSpy published(operatorLink.get(), &MqttLink::published);
    const int id = operatorLink->publish(desired, "bundle 7", 1, true);
    QVERIFY(id >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(!published.isEmpty(), 10000);
    QCOMPARE(published.first().first().toInt(), id);

    auto device = linkFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-retained"));
    Inbox deviceInbox(device.get());
    QSignalSpy refused(device.get(), &MqttLink::subscriptionRefused);
    device->subscribe(deviceTopic(QStringLiteral("dev-a"), QStringLiteral("#")), 1);
    CONNECT_OR_FAIL(device);
    QVERIFY(device->usesVersion5());
    QTRY_VERIFY_WITH_TIMEOUT(!deviceInbox.on(desired).isEmpty(), 10000);
    QCOMPARE(deviceInbox.on(desired).first().payload, QByteArray("bundle 7"));
    QVERIFY(deviceInbox.on(desired).first().retained);

    // The device's own state: back to itself and to the operator, retained for a later reader.
    const QString state = deviceTopic(QStringLiteral("dev-a"), QStringLiteral("state"));
    Inbox operatorInbox(operatorLink.get());
    operatorLink->subscribe(QStringLiteral("lumora/v1/dev/+/state"), 1);
    QTest::qWait(300);
    QSignalSpy devicePublished(device.get(), &MqttLink::published);
    const int stateId = device->publish(state, R"({"playing":"bundle 7"})", 1, true);
    QVERIFY(stateId >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(!devicePublished.isEmpty(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(deviceInbox.has(state, R"({"playing":"bundle 7"})"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(operatorInbox.has(state, R"({"playing":"bundle 7"})"), 10000);
    QVERIFY(!deviceInbox.on(state).first().retained); // live, not from the store
    QVERIFY(refused.isEmpty());

    auto later = linkFor(QStringLiteral("operator"), QStringLiteral("operator-later"));
    Inbox laterInbox(later.get());
    later->subscribe(state, 1);
    CONNECT_OR_FAIL(later);
    QTRY_VERIFY_WITH_TIMEOUT(laterInbox.has(state, R"({"playing":"bundle 7"})"), 10000);
    QVERIFY(laterInbox.on(state).first().retained);

    // Clean up the retained messages for the other cases.
    operatorLink->publish(desired, QByteArray(), 1, true);
    operatorLink->publish(state, QByteArray(), 1, true);
    QTRY_COMPARE_WITH_TIMEOUT(published.size(), 3, 10000);
    operatorLink->stop();
    device->stop();
    later->stop();
}

void TestMqttLink::messageExpiryEndsRetainedMessage()
{
    auto operatorLink = linkFor(QStringLiteral("operator"), QStringLiteral("operator-expiry"));
    CONNECT_OR_FAIL(operatorLink);
    QVERIFY(operatorLink->usesVersion5());
    const QString shortLived = deviceTopic(QStringLiteral("dev-a"), QStringLiteral("cmd"));
    const QString lasting = deviceTopic(QStringLiteral("dev-a"), QStringLiteral("screenshot"));
    QSignalSpy published(operatorLink.get(), &MqttLink::published);
    QVERIFY(operatorLink->publish(shortLived, "reboot", 1, true, 1) >= 0);
    QVERIFY(operatorLink->publish(lasting, "jpeg", 1, true) >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(published.size(), 2, 10000);

    QTest::qWait(2500); // past the 1 s expiry, whole seconds at the broker
    auto device = linkFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-expiry"));
    Inbox inbox(device.get());
    device->subscribe(shortLived, 1);
    device->subscribe(lasting, 1);
    CONNECT_OR_FAIL(device);
    QTRY_VERIFY_WITH_TIMEOUT(inbox.has(lasting, "jpeg"), 10000);
    QTest::qWait(500);
    QVERIFY2(inbox.on(shortLived).isEmpty(), "the expired command was delivered");

    operatorLink->publish(lasting, QByteArray(), 1, true);
    operatorLink->publish(shortLived, QByteArray(), 1, true);
    QTRY_COMPARE_WITH_TIMEOUT(published.size(), 4, 10000);
    operatorLink->stop();
    device->stop();
}

void TestMqttLink::willIsSentWhenTheProcessDies()
{
    const QString presence = deviceTopic(QStringLiteral("dev-c"), QStringLiteral("presence"));
    auto operatorLink = linkFor(QStringLiteral("operator"), QStringLiteral("operator-will"));
    Inbox inbox(operatorLink.get());
    operatorLink->subscribe(presence, 1);
    CONNECT_OR_FAIL(operatorLink);

    const MqttSettings device = settingsFor(QStringLiteral("dev-c"), QStringLiteral("dev-c"));
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(childArgument), device.host, QString::number(device.port), device.caFile,
                 device.certFile, device.keyFile, device.clientId, presence});
    QVERIFY2(child.waitForStarted(10000), qPrintable(child.errorString()));
    QByteArray said;
    QElapsedTimer waited;
    waited.start();
    while (!said.contains("ready") && waited.elapsed() < 20000 && child.state() == QProcess::Running) {
        child.waitForReadyRead(200);
        said += child.readAllStandardOutput();
        QCoreApplication::processEvents();
    }
    QVERIFY2(said.contains("ready"), qPrintable(brokerLog()));
    QTRY_VERIFY_WITH_TIMEOUT(inbox.has(presence, "online"), 10000);
    QVERIFY(!inbox.has(presence, "offline"));

    // No goodbye: the process dies, the kernel closes its socket, the broker sends the will.
    child.kill();
    QVERIFY(child.waitForFinished(10000));
    QTRY_VERIFY_WITH_TIMEOUT(inbox.has(presence, "offline"), 10000);

    // Retained: a later reader sees the device offline.
    auto later = linkFor(QStringLiteral("operator"), QStringLiteral("operator-will-later"));
    Inbox laterInbox(later.get());
    later->subscribe(presence, 1);
    CONNECT_OR_FAIL(later);
    QTRY_VERIFY_WITH_TIMEOUT(laterInbox.has(presence, "offline"), 10000);
    QVERIFY(laterInbox.on(presence).first().retained);
    operatorLink->stop();
    later->stop();
}

void TestMqttLink::willIsSentWhenTheLinkIsDestroyedWithoutStop()
{
    const QString presence = deviceTopic(QStringLiteral("dev-d"), QStringLiteral("presence"));
    auto operatorLink = linkFor(QStringLiteral("operator"), QStringLiteral("operator-destroyed"));
    Inbox inbox(operatorLink.get());
    operatorLink->subscribe(presence, 1);
    CONNECT_OR_FAIL(operatorLink);

    std::unique_ptr<MqttLink> device;
    announceOnline(device, QStringLiteral("dev-d"), presence, inbox);
    if (QTest::currentTestFailed())
        return;
    device.reset();
    QTRY_VERIFY_WITH_TIMEOUT(inbox.has(presence, "offline"), 10000);
    operatorLink->stop();
}

void TestMqttLink::noWillAfterStop()
{
    const QString presence = deviceTopic(QStringLiteral("dev-e"), QStringLiteral("presence"));
    auto operatorLink = linkFor(QStringLiteral("operator"), QStringLiteral("operator-stop"));
    Inbox inbox(operatorLink.get());
    operatorLink->subscribe(presence, 1);
    CONNECT_OR_FAIL(operatorLink);

    std::unique_ptr<MqttLink> device;
    announceOnline(device, QStringLiteral("dev-e"), presence, inbox);
    if (QTest::currentTestFailed())
        return;

    QSignalSpy disconnected(device.get(), &MqttLink::disconnected);
    QSignalSpy connected(device.get(), &MqttLink::connected);
    device->stop();
    QVERIFY(!device->isConnected());
    QTRY_COMPARE_WITH_TIMEOUT(disconnected.size(), 1, 5000);
    device.reset(); // after stop(), destroying says nothing more either
    QTest::qWait(3000);
    QVERIFY2(!inbox.has(presence, "offline"), "a clean stop sent the will");
    QVERIFY(connected.isEmpty()); // and it stays down

    operatorLink->publish(presence, QByteArray(), 1, true);
    QTest::qWait(300);
    operatorLink->stop();
}

void TestMqttLink::aclKeepsDevicesApart()
{
    const QString cmdA = deviceTopic(QStringLiteral("dev-a"), QStringLiteral("cmd"));
    auto devA = linkFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-acl"));
    auto devB = linkFor(QStringLiteral("dev-b"), QStringLiteral("dev-b-acl"));
    Inbox inboxA(devA.get());
    Inbox inboxB(devB.get());
    QSignalSpy refusedA(devA.get(), &MqttLink::subscriptionRefused);
    QSignalSpy refusedB(devB.get(), &MqttLink::subscriptionRefused);
    devA->subscribe(cmdA, 1);
    devB->subscribe(cmdA, 1);
    devB->subscribe(QStringLiteral("lumora/v1/dev/+/cmd"), 1);
    devB->subscribe(QStringLiteral("lumora/v1/#"), 1);
    CONNECT_OR_FAIL(devA);
    CONNECT_OR_FAIL(devB);
    // mosquitto grants the subscriptions (it checks reads per message, at delivery).
    QTest::qWait(500);

    auto operatorLink = linkFor(QStringLiteral("operator"), QStringLiteral("operator-acl"));
    CONNECT_OR_FAIL(operatorLink);
    QVERIFY(operatorLink->publish(cmdA, "for a only", 1) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(inboxA.has(cmdA, "for a only"), 10000);

    // dev-b writing into dev-a's topics reaches nobody either.
    Inbox operatorInbox(operatorLink.get());
    operatorLink->subscribe(QStringLiteral("lumora/v1/dev/dev-a/#"), 1);
    QTest::qWait(300);
    devB->publish(cmdA, "from b", 1);
    devB->publish(deviceTopic(QStringLiteral("dev-a"), QStringLiteral("state")), "forged", 1, true);
    QTest::qWait(1500);
    QVERIFY2(inboxB.messages.isEmpty(),
             qPrintable(inboxB.messages.isEmpty() ? QString() : inboxB.messages.first().topic));
    QVERIFY(!inboxA.has(cmdA, "from b"));
    QVERIFY(!operatorInbox.has(cmdA, "from b"));
    QVERIFY(operatorInbox.on(deviceTopic(QStringLiteral("dev-a"), QStringLiteral("state"))).isEmpty());
    QVERIFY(refusedA.isEmpty());
    QVERIFY(devA->isConnected());
    QVERIFY(devB->isConnected());
    devA->stop();
    devB->stop();
    operatorLink->stop();
}

void TestMqttLink::groupTopicsFollowTheAcl()
{
    // initTestCase let dev-a read the group "lobby"; dev-b is in no group.
    const QString lobby = QStringLiteral("lumora/v1/grp/lobby/desired");
    auto devA = linkFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-group"));
    auto devB = linkFor(QStringLiteral("dev-b"), QStringLiteral("dev-b-group"));
    Inbox inboxA(devA.get());
    Inbox inboxB(devB.get());
    devA->subscribe(QStringLiteral("lumora/v1/grp/lobby/#"), 1);
    devB->subscribe(QStringLiteral("lumora/v1/grp/lobby/#"), 1);
    CONNECT_OR_FAIL(devA);
    CONNECT_OR_FAIL(devB);
    QTest::qWait(500);
    auto operatorLink = linkFor(QStringLiteral("operator"), QStringLiteral("operator-group"));
    CONNECT_OR_FAIL(operatorLink);
    QVERIFY(operatorLink->publish(lobby, "lobby bundle", 1) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(inboxA.has(lobby, "lobby bundle"), 10000);
    // A device may only read its group: its own publication there goes nowhere.
    devA->publish(lobby, "from a", 1);
    QTest::qWait(1500);
    QVERIFY(inboxB.messages.isEmpty());
    QVERIFY(!inboxA.has(lobby, "from a"));
    devA->stop();
    devB->stop();
    operatorLink->stop();
}

void TestMqttLink::refusedClientCertificate_data()
{
    QTest::addColumn<bool>("expired");
    QTest::addColumn<bool>("otherCa");
    QTest::addColumn<QString>("says");
    QTest::newRow("expired") << true << false << QStringLiteral("expired");
    QTest::newRow("from another CA") << false << true << QStringLiteral("CA");
}

void TestMqttLink::refusedClientCertificate()
{
    QFETCH(bool, expired);
    QFETCH(bool, otherCa);
    QFETCH(QString, says);
    const MqttSettings settings =
        settingsFor(QStringLiteral("dev-x"), QStringLiteral("dev-x"), expired, otherCa);
    if (expired)
        QTest::qWait(1100); // "-days 0" ends with the second it was made in
    MqttLink link;
    link.setSettings(settings);
    QSignalSpy connected(&link, &MqttLink::connected);
    link.start();
    QTRY_VERIFY_WITH_TIMEOUT(!link.lastError().isEmpty(), 10000);
    // It keeps trying (at 0, 1 and 3 s), and keeps being refused.
    QStringList seen{link.lastError()};
    QElapsedTimer watched;
    watched.start();
    while (watched.elapsed() < 4000) {
        QTest::qWait(20);
        if (seen.last() != link.lastError())
            seen << link.lastError();
    }
    for (const QString &error : seen)
        qInfo("lastError: %s", qPrintable(error));
    QVERIFY(connected.isEmpty());
    QVERIFY(!link.isConnected());
    for (const QString &error : seen)
        QVERIFY2(error.contains(QStringLiteral("certificate")), qPrintable(error));
    // The reason is named: by the broker's TLS alert, or, when the reset of the connection
    // swallowed the alert (TLS 1.3 refuses a client certificate after the handshake, while the
    // CONNECT goes out), by the link's own check of its certificate against the CA and clock.
    QVERIFY2(seen.first().contains(says), qPrintable(seen.first()));
    link.stop();
}

void TestMqttLink::brokerCertificateIsChecked_data()
{
    QTest::addColumn<bool>("wrongName");
    QTest::newRow("broker from a CA the link does not trust") << false;
    QTest::newRow("broker certificate for another name") << true;
}

void TestMqttLink::brokerCertificateIsChecked()
{
    QFETCH(bool, wrongName);
    QString error;
    MqttSettings settings = settingsFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-check"));
    std::unique_ptr<TestBroker> impostor;
    if (wrongName) {
        // Signed by the fleet CA, but for another host than 127.0.0.1.
        QString cert, key;
        QVERIFY2(m_pki->serverFor(QStringLiteral("broker.invalid"), &cert, &key, &error), qPrintable(error));
        impostor = std::make_unique<TestBroker>(m_pki.get(), m_dir.path() + QStringLiteral("/impostor"));
        impostor->setServerCertificate(cert, key);
        QVERIFY2(impostor->start(&error), qPrintable(error));
        settings.port = impostor->port();
    } else {
        // The link trusts only the other CA.
        settings.caFile = m_pki->folder() + QStringLiteral("/other-ca.crt");
    }
    MqttLink link;
    link.setSettings(settings);
    QSignalSpy connected(&link, &MqttLink::connected);
    link.start();
    QTRY_VERIFY_WITH_TIMEOUT(!link.lastError().isEmpty(), 10000);
    qInfo("lastError: %s", qPrintable(link.lastError()));
    QVERIFY2(link.lastError().contains(QStringLiteral("broker's certificate")), qPrintable(link.lastError()));
    QVERIFY2(link.lastError().contains(wrongName ? QStringLiteral("not made out to 127.0.0.1")
                                                 : QStringLiteral("fleet's CA")),
             qPrintable(link.lastError()));
    QTest::qWait(2000);
    QVERIFY(connected.isEmpty());
    link.stop();
}

void TestMqttLink::connectionRefusedIsReportedAndRetried()
{
    TestBroker broker(m_pki.get(), m_dir.path() + QStringLiteral("/late"));
    auto link = linkFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-late"), &broker);
    QSignalSpy connected(link.get(), &MqttLink::connected);
    link->start(); // nothing listens yet
    QTRY_VERIFY_WITH_TIMEOUT(!link->lastError().isEmpty(), 5000);
    qInfo("lastError: %s", qPrintable(link->lastError()));
    QVERIFY2(link->lastError().contains(QStringLiteral("refused")), qPrintable(link->lastError()));
    QTest::qWait(1500);
    QString error;
    QVERIFY2(broker.start(&error), qPrintable(error));
    // Pauses of 1, 2, 4 s (and a little): up within 10 s of the broker.
    QTRY_VERIFY_WITH_TIMEOUT(link->isConnected(), 12000);
    QCOMPARE(connected.size(), 1);
    link->stop();
}

void TestMqttLink::hostNamesAreResolvedAndChecked()
{
    // A name that does not resolve: said so, and the link keeps trying.
    MqttLink nowhere;
    MqttSettings settings = settingsFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-nowhere"));
    settings.host = QStringLiteral("broker.invalid");
    nowhere.setSettings(settings);
    nowhere.start();
    QTRY_VERIFY_WITH_TIMEOUT(!nowhere.lastError().isEmpty(), 30000);
    QVERIFY2(nowhere.lastError().contains(QStringLiteral("cannot be resolved")),
             qPrintable(nowhere.lastError()));
    nowhere.stop();

    // "localhost" reaches the broker, whose certificate names 127.0.0.1 only: refused. (Where
    // localhost is ::1 first, libmosquitto stays with that address, where nothing listens.)
    const QHostInfo localhost = QHostInfo::fromName(QStringLiteral("localhost"));
    const bool ipv4First = !localhost.addresses().isEmpty() &&
                           localhost.addresses().first().protocol() == QAbstractSocket::IPv4Protocol;
    MqttLink named;
    settings.host = QStringLiteral("localhost");
    settings.clientId = QStringLiteral("dev-a-localhost");
    named.setSettings(settings);
    QSignalSpy connected(&named, &MqttLink::connected);
    named.start();
    QTRY_VERIFY_WITH_TIMEOUT(!named.lastError().isEmpty(), 15000);
    if (ipv4First)
        QVERIFY2(named.lastError().contains(QStringLiteral("not made out to localhost")),
                 qPrintable(named.lastError()));
    QTest::qWait(500);
    QVERIFY(connected.isEmpty());
    named.stop();
}

void TestMqttLink::reconnectsAndResubscribesAfterBrokerRestart()
{
    TestBroker broker(m_pki.get(), m_dir.path() + QStringLiteral("/restart"));
    QString error;
    QVERIFY2(broker.start(&error), qPrintable(error));
    auto device = linkFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-restart"), &broker);
    auto operatorLink = linkFor(QStringLiteral("operator"), QStringLiteral("operator-restart"), &broker);
    const QString cmd = deviceTopic(QStringLiteral("dev-a"), QStringLiteral("cmd"));
    const QString desired = deviceTopic(QStringLiteral("dev-a"), QStringLiteral("desired"));
    Inbox inbox(device.get());
    device->subscribe(cmd, 1);
    QSignalSpy connected(device.get(), &MqttLink::connected);
    QSignalSpy disconnected(device.get(), &MqttLink::disconnected);
    QVERIFY2(connectLink(device.get()), qPrintable(device->lastError() + brokerLog(&broker)));
    QVERIFY2(connectLink(operatorLink.get()), qPrintable(operatorLink->lastError() + brokerLog(&broker)));
    QSignalSpy published(operatorLink.get(), &MqttLink::published);
    QVERIFY(operatorLink->publish(desired, "kept", 1, true) >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(published.size(), 1, 10000);

    // Stopped (database saved) and started again: the retained message is still there.
    broker.stop();
    QTRY_COMPARE_WITH_TIMEOUT(disconnected.size(), 1, 10000);
    QVERIFY(!device->isConnected());
    QVERIFY(device->publish(cmd, "while down") < 0);
    QVERIFY2(broker.start(&error), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 2, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(operatorLink->isConnected(), 20000);
    QTest::qWait(300); // the renewed subscription is at the broker
    QVERIFY(operatorLink->publish(cmd, "after restart", 1) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(inbox.has(cmd, "after restart"), 10000);

    // Killed: connections reset at once, no database save.
    broker.kill();
    QTRY_COMPARE_WITH_TIMEOUT(disconnected.size(), 2, 10000);
    QVERIFY(!disconnected.last().first().toString().isEmpty());
    QVERIFY2(broker.start(&error), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 3, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(operatorLink->isConnected(), 20000);
    QTest::qWait(300);
    QVERIFY(operatorLink->publish(cmd, "after kill", 1) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(inbox.has(cmd, "after kill"), 10000);

    auto later = linkFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-restart-later"), &broker);
    Inbox laterInbox(later.get());
    later->subscribe(desired, 1);
    QVERIFY2(connectLink(later.get()), qPrintable(later->lastError()));
    QTRY_VERIFY_WITH_TIMEOUT(laterInbox.has(desired, "kept"), 10000);
    device->stop();
    operatorLink->stop();
    later->stop();
}

void TestMqttLink::deadRouteIsNoticedByKeepalive()
{
    TestBroker broker(m_pki.get(), m_dir.path() + QStringLiteral("/paused"));
    QString error;
    QVERIFY2(broker.start(&error), qPrintable(error));
    // Asked for 2 s; libmosquitto's floor is 5 s.
    auto device = linkFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-paused"), &broker, 2);
    const QString cmd = deviceTopic(QStringLiteral("dev-a"), QStringLiteral("cmd"));
    Inbox inbox(device.get());
    device->subscribe(cmd, 1);
    QSignalSpy connected(device.get(), &MqttLink::connected);
    QSignalSpy disconnected(device.get(), &MqttLink::disconnected);
    QVERIFY2(connectLink(device.get()), qPrintable(device->lastError() + brokerLog(&broker)));
    QTest::qWait(300);

    // The event loop keeps turning all along: a 50 ms timer, its largest gap measured.
    QElapsedTimer sinceTick;
    qint64 largestGap = 0;
    QTimer ticker;
    ticker.setInterval(50);
    connect(&ticker, &QTimer::timeout, [&] { largestGap = qMax(largestGap, sinceTick.restart()); });
    sinceTick.start();
    ticker.start();

    QVERIFY(broker.pause());
    QElapsedTimer down;
    down.start();
    // Something to send into the dead route too.
    QVERIFY(device->publish(deviceTopic(QStringLiteral("dev-a"), QStringLiteral("state")), "into the void",
                            1) >= 0);
    // Within twice the keepalive (10 s), and the whole seconds libmosquitto counts in.
    QTRY_COMPARE_WITH_TIMEOUT(disconnected.size(), 1, 14000);
    const qint64 noticed = down.elapsed();
    qInfo("dead route noticed after %lld ms: %s", noticed,
          qPrintable(disconnected.first().first().toString()));
    QVERIFY(!device->isConnected());
    QVERIFY2(disconnected.first().first().toString().contains(QStringLiteral("keepalive")),
             qPrintable(disconnected.first().first().toString()));

    // Still paused: the next attempt reaches the kernel's backlog and hangs in its handshake;
    // the event loop turns through that too.
    QTest::qWait(3000);
    QCOMPARE(connected.size(), 1);
    QVERIFY2(largestGap < 1000, qPrintable(QString::number(largestGap)));

    QVERIFY(broker.resume());
    QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 2, 30000);
    QVERIFY2(largestGap < 1000, qPrintable(QString::number(largestGap)));
    ticker.stop();

    auto operatorLink = linkFor(QStringLiteral("operator"), QStringLiteral("operator-paused"), &broker);
    QVERIFY2(connectLink(operatorLink.get()), qPrintable(operatorLink->lastError()));
    QVERIFY(operatorLink->publish(cmd, "back", 1) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(inbox.has(cmd, "back"), 10000);
    device->stop();
    operatorLink->stop();
}

void TestMqttLink::fallsBackToMqtt311()
{
    Mqtt311Broker fake;
    QFile certFile(m_pki->serverCert());
    QFile keyFile(m_pki->serverKey());
    QVERIFY(certFile.open(QIODevice::ReadOnly));
    QVERIFY(keyFile.open(QIODevice::ReadOnly));
    fake.tls = QSslConfiguration::defaultConfiguration();
    fake.tls.setLocalCertificate(QSslCertificate(certFile.readAll()));
    fake.tls.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Ec));
    fake.tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    QVERIFY(!fake.tls.privateKey().isNull());
    QVERIFY(fake.listen(QHostAddress::LocalHost, 0));

    MqttSettings settings = settingsFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-311"));
    settings.port = fake.serverPort();
    MqttLink link;
    link.setSettings(settings);
    const QString cmd = deviceTopic(QStringLiteral("dev-a"), QStringLiteral("cmd"));
    link.subscribe(cmd, 1);
    QSignalSpy connected(&link, &MqttLink::connected);
    QSignalSpy refused(&link, &MqttLink::subscriptionRefused);
    QSignalSpy published(&link, &MqttLink::published);
    link.start();
    QVERIFY(link.usesVersion5());
    QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 1, 10000);
    // Refused in MQTT 5, at once again in 3.1.1 (no pause for the fallback).
    QVERIFY(!link.usesVersion5());
    QCOMPARE(fake.levels, (QList<int>{5, 4}));
    QVERIFY2(link.lastError().contains(QStringLiteral("3.1.1")), qPrintable(link.lastError()));

    // The remembered subscription went out on connect, and its refusal (0x80) is reported.
    QTRY_COMPARE_WITH_TIMEOUT(refused.size(), 1, 10000);
    QCOMPARE(refused.first().first().toString(), cmd);
    QCOMPARE(fake.subscribed, QStringList{cmd});

    // An expiry cannot travel in 3.1.1: the message goes without it (no properties at all).
    const QString state = deviceTopic(QStringLiteral("dev-a"), QStringLiteral("state"));
    const int id = link.publish(state, "x", 1, false, 30);
    QVERIFY(id > 0);
    QTRY_COMPARE_WITH_TIMEOUT(published.size(), 1, 10000);
    QCOMPARE(published.first().first().toInt(), id);
    QByteArray expected;
    expected += char(0);
    expected += char(state.size());
    expected += state.toUtf8();
    expected += char(id >> 8);
    expected += char(id & 0xff);
    expected += 'x';
    QCOMPARE(fake.publishes.last(), expected);
    link.stop();
}

void TestMqttLink::publishWhileDownIsRefused()
{
    MqttLink link;
    QCOMPARE(link.publish(QStringLiteral("lumora/v1/dev/dev-a/state"), "x"), -1);
    link.setSettings(settingsFor(QStringLiteral("dev-a"), QStringLiteral("dev-a-down")));
    link.start();
    QCOMPARE(link.publish(QStringLiteral("lumora/v1/dev/dev-a/state"), "x"), -1); // still connecting
    link.stop();
    QTest::qWait(1500);
    QVERIFY(!link.isConnected());
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], childArgument) == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestMqttLink test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_mqttlink.moc"
