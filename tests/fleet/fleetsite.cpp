#include "fleetsite.h"

#include "../buildpaths.h"
#include "fleet/mqttlink.h"
#include "fleetservers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

#include <csignal>
#include <unistd.h>

namespace {

QByteArray shipped(const QString &name)
{
    QFile file(BuildPaths::path("LUMORA_SOURCE_DIR") + QStringLiteral("/resources/fleet/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Servers started as root drop to their own users unless told not to; what they read must
// be readable whoever they run as.
void openUp(const QString &folder)
{
    QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ExeOther | QFile::ReadOther);
    for (const QFileInfo &info :
         QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile::setPermissions(info.filePath(),
                              QFile::permissions(info.filePath()) | QFile::ReadOther |
                                  (info.isDir() ? QFile::ExeOther : QFileDevice::Permissions()));
    }
}

} // namespace

FleetSite::FleetSite(const QString &folder)
    : m_folder(folder)
{}

FleetSite::~FleetSite()
{
    for (auto &agent : m_agents) {
        if (agent.second->state() != QProcess::NotRunning) {
            agent.second->kill();
            agent.second->waitForFinished(5000);
        }
    }
    // Ended, not killed: nginx's master takes its workers with it only when it ends in order;
    // killed, it leaves them behind for good.
    for (QProcess *server : {m_broker.get(), m_content.get()}) {
        if (server && server->state() != QProcess::NotRunning) {
            ::kill(pid_t(server->processId()), SIGCONT);
            server->terminate();
            if (!server->waitForFinished(10000)) {
                server->kill();
                server->waitForFinished(5000);
            }
        }
    }
}

int FleetSite::tool(const QStringList &arguments, QString *output, int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(BuildPaths::path("LUMORA_FLEET_TOOL"),
                  QStringList{QStringLiteral("--ca"), caFolder()} + arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        if (output)
            *output =
                QStringLiteral("lumora-fleet did not end: ") + QString::fromLocal8Bit(process.readAll());
        return -1;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool FleetSite::init(QString *error, const QString &nginxExtra)
{
    const QString site = m_folder + QStringLiteral("/site");
    QDir().mkpath(site + QStringLiteral("/www/b"));
    QDir().mkpath(site + QStringLiteral("/tmp"));
    m_brokerPort = freeLoopbackPort();
    m_contentPort = freeLoopbackPort();
    QString output;
    if (tool({QStringLiteral("ca"), QStringLiteral("init"), QStringLiteral("--broker"),
              QStringLiteral("mqtts://127.0.0.1:%1").arg(m_brokerPort), QStringLiteral("--content"),
              QStringLiteral("https://127.0.0.1:%1/b/").arg(m_contentPort)},
             &output) != 0 ||
        tool({QStringLiteral("ca"), QStringLiteral("server"), QStringLiteral("broker"),
              QStringLiteral("--address"), QStringLiteral("127.0.0.1"), QStringLiteral("--out"),
              site + QStringLiteral("/broker")},
             &output) != 0 ||
        tool({QStringLiteral("ca"), QStringLiteral("server"), QStringLiteral("content"),
              QStringLiteral("--address"), QStringLiteral("127.0.0.1"), QStringLiteral("--out"),
              site + QStringLiteral("/content")},
             &output) != 0) {
        *error = output;
        return false;
    }
    QFile::copy(caFolder() + QStringLiteral("/ca.crt"), site + QStringLiteral("/ca.crt"));
    if (!installRevocationList()) {
        *error = QStringLiteral("cannot copy the CA's crl.pem");
        return false;
    }
    auto fill = [&](QByteArray text, quint16 port) {
        text.replace("@FOLDER@", site.toUtf8());
        text.replace("@PORT@", QByteArray::number(port));
        return text;
    };
    QByteArray broker = fill(shipped(QStringLiteral("mosquitto.conf")), m_brokerPort);
    // Only loopback, and as root the broker stays root (its files are the test's).
    broker.replace("listener " + QByteArray::number(m_brokerPort),
                   "listener " + QByteArray::number(m_brokerPort) + " 127.0.0.1");
    broker += "log_dest stdout\n";
    if (::geteuid() == 0)
        broker += "user root\n";
    QByteArray content = fill(shipped(QStringLiteral("nginx.conf")), m_contentPort);
    content.replace("listen " + QByteArray::number(m_contentPort),
                    "listen 127.0.0.1:" + QByteArray::number(m_contentPort));
    if (::geteuid() == 0)
        content.prepend("user root;\n");
    if (!nginxExtra.isEmpty())
        content.replace("create_full_put_path on;",
                        "create_full_put_path on;\n            " + nginxExtra.toUtf8());
    if (broker.isEmpty() || content.isEmpty() ||
        !writeText(site + QStringLiteral("/mosquitto.conf"), broker) ||
        !writeText(site + QStringLiteral("/acl"), shipped(QStringLiteral("acl"))) ||
        !writeText(site + QStringLiteral("/nginx.conf"), content)) {
        *error = QStringLiteral("cannot write the servers' configuration");
        return false;
    }
    openUp(m_folder);
    openUp(site);
    openUp(site + QStringLiteral("/www"));
    openUp(site + QStringLiteral("/www/b"));
    return true;
}

QString FleetSite::settingsOf(const QString &device) const
{
    return m_folder + QStringLiteral("/devices/") + device + QStringLiteral("/setting.ini");
}

QString FleetSite::stateOf(const QString &device) const
{
    return m_folder + QStringLiteral("/devices/") + device + QStringLiteral("/state");
}

bool FleetSite::enroll(const QString &device, const QStringList &groups, QString *error,
                       const QString &settingsFile)
{
    const QString enrolment = m_folder + QLatin1Char('/') + device + QStringLiteral(".lumora-device");
    QStringList arguments{QStringLiteral("enroll"), device,
                          QStringLiteral("--acl"),  m_folder + QStringLiteral("/site/acl"),
                          QStringLiteral("--out"),  enrolment};
    if (!groups.isEmpty())
        arguments << QStringLiteral("--groups") << groups.join(QLatin1Char(','));
    const QString settings = settingsFile.isEmpty() ? settingsOf(device) : settingsFile;
    QDir().mkpath(QFileInfo(settings).absolutePath());
    QString output;
    if (tool(arguments, &output) != 0 ||
        tool({QStringLiteral("join"), enrolment, QStringLiteral("--config"), settings}, &output) != 0) {
        *error = output;
        return false;
    }
    // A broker that runs reads the new section when told.
    if (m_broker && m_broker->state() == QProcess::Running)
        ::kill(pid_t(m_broker->processId()), SIGHUP);
    return true;
}

bool FleetSite::startServer(QProcess *process, const QString &program, const QStringList &arguments,
                            quint16 port, QString *error)
{
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(program, arguments);
    if (!process->waitForStarted(10000)) {
        *error = QStringLiteral("%1 did not start").arg(program);
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 20000) {
        if (process->state() != QProcess::Running) {
            *error = QStringLiteral("%1 ended: %2").arg(program, QString::fromLocal8Bit(process->readAll()));
            return false;
        }
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        if (probe.waitForConnected(500))
            return true;
        QTest::qWait(100);
    }
    *error = QStringLiteral("%1 does not listen on %2").arg(program).arg(port);
    return false;
}

bool FleetSite::startBroker(QString *error)
{
    m_broker.reset(new QProcess);
    return startServer(m_broker.get(), QStringLiteral("mosquitto"),
                       {QStringLiteral("-c"), m_folder + QStringLiteral("/site/mosquitto.conf")},
                       m_brokerPort, error);
}

void FleetSite::killBroker()
{
    if (!m_broker)
        return;
    ::kill(pid_t(m_broker->processId()), SIGCONT);
    m_broker->kill();
    m_broker->waitForFinished(5000);
}

void FleetSite::pauseBroker()
{
    if (m_broker)
        ::kill(pid_t(m_broker->processId()), SIGSTOP);
}

void FleetSite::resumeBroker()
{
    if (m_broker)
        ::kill(pid_t(m_broker->processId()), SIGCONT);
}

bool FleetSite::startContent(QString *error)
{
    m_content.reset(new QProcess);
    const QString site = m_folder + QStringLiteral("/site");
    return startServer(m_content.get(), QStringLiteral("nginx"),
                       {QStringLiteral("-p"), site, QStringLiteral("-c"),
                        site + QStringLiteral("/nginx.conf"), QStringLiteral("-g"),
                        QStringLiteral("daemon off;")},
                       m_contentPort, error);
}

bool FleetSite::installRevocationList()
{
    const QString target = m_folder + QStringLiteral("/site/crl.pem");
    QFile::remove(target);
    if (!QFile::copy(caFolder() + QStringLiteral("/crl.pem"), target))
        return false;
    return QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOther);
}

void FleetSite::reloadContent()
{
    if (m_content && m_content->state() == QProcess::Running)
        ::kill(pid_t(m_content->processId()), SIGHUP);
}

QProcess *FleetSite::startAgent(const QString &device, QString *error, const QStringList &extra)
{
    killAgent(device);
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(BuildPaths::path("LUMORA_SERVER_BINARY"),
                   QStringList{QStringLiteral("--headless"), QStringLiteral("--config"), settingsOf(device),
                               QStringLiteral("--state"), stateOf(device)}
                       << extra);
    if (!process->waitForStarted(10000)) {
        *error = QStringLiteral("the agent of %1 did not start").arg(device);
        return nullptr;
    }
    QProcess *raw = process.get();
    m_agents.emplace_back(device, std::move(process));
    return raw;
}

void FleetSite::killAgent(const QString &device)
{
    for (auto &agent : m_agents) {
        if (agent.first == device && agent.second->state() != QProcess::NotRunning) {
            agent.second->kill();
            agent.second->waitForFinished(5000);
        }
    }
}

bool FleetSite::setDesired(const QString &topic, const QByteArray &payload, QString *error)
{
    MqttLink link;
    MqttSettings settings;
    settings.port = m_brokerPort;
    settings.clientId = QStringLiteral("operator-site");
    settings.caFile = caFolder() + QStringLiteral("/ca.crt");
    settings.certFile = caFolder() + QStringLiteral("/operator-tls.crt");
    settings.keyFile = caFolder() + QStringLiteral("/operator-tls.key");
    link.setSettings(settings);
    QSignalSpy connected(&link, &MqttLink::connected);
    QSignalSpy published(&link, &MqttLink::published);
    link.start();
    if (!connected.wait(30000)) {
        *error = QStringLiteral("the broker did not take the operator: %1").arg(link.lastError());
        return false;
    }
    if (link.publish(topic, payload, 1, true) < 0 || !published.wait(10000)) {
        *error = QStringLiteral("the broker did not take the message");
        return false;
    }
    link.stop();
    return true;
}
