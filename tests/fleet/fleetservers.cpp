#include "fleetservers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <signal.h>
#include <sys/types.h>

TestPki::TestPki(const QString &folder)
    : m_folder(folder)
{
}

bool TestPki::run(const QStringList &arguments, QString *error)
{
    QProcess openssl;
    openssl.setWorkingDirectory(m_folder);
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        *error = QStringLiteral("openssl %1: %2").arg(arguments.join(QLatin1Char(' ')),
                                                     QString::fromLocal8Bit(openssl.readAll()));
        return false;
    }
    return true;
}

bool TestPki::init(QString *error)
{
    QDir().mkpath(m_folder);
    const QStringList ec{QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                         QStringLiteral("ec_paramgen_curve:P-256"), QStringLiteral("-nodes")};
    if (!run(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ec +
                 QStringList{QStringLiteral("-keyout"), QStringLiteral("ca.key"), QStringLiteral("-out"),
                             QStringLiteral("ca.crt"), QStringLiteral("-days"), QStringLiteral("30"),
                             QStringLiteral("-subj"), QStringLiteral("/CN=test CA")},
             error))
        return false;
    if (!run(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ec +
                 QStringList{QStringLiteral("-keyout"), QStringLiteral("other-ca.key"), QStringLiteral("-out"),
                             QStringLiteral("other-ca.crt"), QStringLiteral("-days"), QStringLiteral("30"),
                             QStringLiteral("-subj"), QStringLiteral("/CN=other CA")},
             error))
        return false;
    QFile san(m_folder + QStringLiteral("/san.ext"));
    if (!san.open(QIODevice::WriteOnly) || san.write("subjectAltName=IP:127.0.0.1\n") < 0) {
        *error = QStringLiteral("cannot write san.ext");
        return false;
    }
    san.close();
    if (!run(QStringList{QStringLiteral("req")} + ec +
                 QStringList{QStringLiteral("-keyout"), QStringLiteral("server.key"), QStringLiteral("-out"),
                             QStringLiteral("server.csr"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")},
             error))
        return false;
    if (!run({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), QStringLiteral("server.csr"),
              QStringLiteral("-CA"), QStringLiteral("ca.crt"), QStringLiteral("-CAkey"), QStringLiteral("ca.key"),
              QStringLiteral("-CAcreateserial"), QStringLiteral("-out"), QStringLiteral("server.crt"),
              QStringLiteral("-days"), QStringLiteral("30"), QStringLiteral("-extfile"), QStringLiteral("san.ext")},
             error))
        return false;
    // Servers started as root drop to their own users: everything here must be readable by them.
    for (const QFileInfo &info : QDir(m_folder).entryInfoList(QDir::Files))
        QFile::setPermissions(info.filePath(), QFile::permissions(info.filePath()) | QFile::ReadOther | QFile::ReadGroup);
    QFile::setPermissions(m_folder, QFile::permissions(m_folder) | QFile::ExeOther | QFile::ReadOther |
                                        QFile::ExeGroup | QFile::ReadGroup);
    return true;
}

bool TestPki::client(const QString &name, QString *certFile, QString *keyFile, QString *error, bool expired,
                     bool otherCa)
{
    const QString base = name + (expired ? QStringLiteral("-expired") : QString()) +
                         (otherCa ? QStringLiteral("-other") : QString());
    *certFile = m_folder + QLatin1Char('/') + base + QStringLiteral(".crt");
    *keyFile = m_folder + QLatin1Char('/') + base + QStringLiteral(".key");
    if (QFile::exists(*certFile))
        return true;
    const QString ca = otherCa ? QStringLiteral("other-ca") : QStringLiteral("ca");
    if (!run({QStringLiteral("req"), QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
              QStringLiteral("ec_paramgen_curve:P-256"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
              base + QStringLiteral(".key"), QStringLiteral("-out"), base + QStringLiteral(".csr"),
              QStringLiteral("-subj"), QStringLiteral("/CN=") + name},
             error))
        return false;
    QStringList sign{QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), base + QStringLiteral(".csr"),
                     QStringLiteral("-CA"), ca + QStringLiteral(".crt"), QStringLiteral("-CAkey"),
                     ca + QStringLiteral(".key"), QStringLiteral("-CAcreateserial"), QStringLiteral("-out"),
                     base + QStringLiteral(".crt")};
    // "-days 0" ends the validity the second it begins: expired for every later use.
    sign << QStringLiteral("-days") << (expired ? QStringLiteral("0") : QStringLiteral("30"));
    if (!run(sign, error))
        return false;
    QFile::setPermissions(*keyFile, QFile::permissions(*keyFile) | QFile::ReadOther | QFile::ReadGroup);
    QFile::setPermissions(*certFile, QFile::permissions(*certFile) | QFile::ReadOther | QFile::ReadGroup);
    return true;
}

bool TestPki::serverFor(const QString &dnsName, QString *certFile, QString *keyFile, QString *error)
{
    const QString base = QStringLiteral("server-") + dnsName;
    *certFile = m_folder + QLatin1Char('/') + base + QStringLiteral(".crt");
    *keyFile = m_folder + QLatin1Char('/') + base + QStringLiteral(".key");
    if (QFile::exists(*certFile))
        return true;
    QFile ext(m_folder + QLatin1Char('/') + base + QStringLiteral(".ext"));
    if (!ext.open(QIODevice::WriteOnly) || ext.write("subjectAltName=DNS:" + dnsName.toUtf8() + "\n") < 0) {
        *error = QStringLiteral("cannot write %1").arg(ext.fileName());
        return false;
    }
    ext.close();
    if (!run({QStringLiteral("req"), QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
              QStringLiteral("ec_paramgen_curve:P-256"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
              base + QStringLiteral(".key"), QStringLiteral("-out"), base + QStringLiteral(".csr"),
              QStringLiteral("-subj"), QStringLiteral("/CN=") + dnsName},
             error))
        return false;
    if (!run({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), base + QStringLiteral(".csr"),
              QStringLiteral("-CA"), QStringLiteral("ca.crt"), QStringLiteral("-CAkey"), QStringLiteral("ca.key"),
              QStringLiteral("-CAcreateserial"), QStringLiteral("-out"), base + QStringLiteral(".crt"),
              QStringLiteral("-days"), QStringLiteral("30"), QStringLiteral("-extfile"), base + QStringLiteral(".ext")},
             error))
        return false;
    QFile::setPermissions(*keyFile, QFile::permissions(*keyFile) | QFile::ReadOther | QFile::ReadGroup);
    QFile::setPermissions(*certFile, QFile::permissions(*certFile) | QFile::ReadOther | QFile::ReadGroup);
    return true;
}

quint16 freeLoopbackPort()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 0;
    return server.serverPort();
}

TestBroker::TestBroker(TestPki *pki, const QString &folder)
    : m_pki(pki)
    , m_folder(folder)
    , m_port(freeLoopbackPort())
    , m_serverCert(pki->serverCert())
    , m_serverKey(pki->serverKey())
{
    m_userTopics[QStringLiteral("operator")] << QStringLiteral("topic readwrite lumora/v1/#");
}

TestBroker::~TestBroker()
{
    kill();
}

void TestBroker::allowGroup(const QString &device, const QString &group)
{
    allowUser(device, QStringLiteral("read"), QStringLiteral("lumora/v1/grp/%1/#").arg(group));
}

void TestBroker::allowUser(const QString &user, const QString &access, const QString &topic)
{
    m_userTopics[user] << QStringLiteral("topic %1 %2").arg(access, topic);
}

void TestBroker::setAcl(const QString &text)
{
    m_acl = text;
}

QString TestBroker::aclText() const
{
    if (!m_acl.isNull())
        return m_acl;
    // Patterns apply to every user wherever they stand; "topic" lines to the user above them.
    QString text = QStringLiteral("pattern readwrite lumora/v1/dev/%u/#\n");
    for (auto it = m_userTopics.cbegin(); it != m_userTopics.cend(); ++it)
        text += QStringLiteral("\nuser %1\n%2\n").arg(it.key(), it.value().join(QLatin1Char('\n')));
    return text;
}

void TestBroker::setServerCertificate(const QString &certFile, const QString &keyFile)
{
    m_serverCert = certFile;
    m_serverKey = keyFile;
}

QString TestBroker::configPath() const
{
    return m_folder + QStringLiteral("/mosquitto.conf");
}

QString TestBroker::aclPath() const
{
    return m_folder + QStringLiteral("/acl");
}

bool TestBroker::writeFile(const QString &path, const QByteArray &bytes, QString *error) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool TestBroker::reloadAcl(QString *error)
{
    if (!writeFile(aclPath(), aclText().toUtf8(), error))
        return false;
    if (isRunning() && ::kill(pid_t(m_process.processId()), SIGHUP) != 0) {
        *error = QStringLiteral("cannot signal the broker");
        return false;
    }
    return true;
}

bool TestBroker::start(QString *error)
{
    if (isRunning())
        return true;
    if (m_port == 0) {
        *error = QStringLiteral("no free port on 127.0.0.1");
        return false;
    }
    QDir().mkpath(m_folder);
    const QString config = QStringLiteral("per_listener_settings false\n"
                                          "listener %1 127.0.0.1\n"
                                          "cafile %2\n"
                                          "certfile %3\n"
                                          "keyfile %4\n"
                                          "require_certificate true\n"
                                          "use_identity_as_username true\n"
                                          "acl_file %5\n"
                                          "persistence true\n"
                                          "persistence_location %6/\n"
                                          "log_dest stdout\n"
                                          "log_type error\nlog_type warning\nlog_type notice\n"
                                          "log_type information\nlog_type subscribe\nlog_type unsubscribe\n"
                                          "log_timestamp_format %Y-%m-%dT%H:%M:%S\n"
                                          "user root\n")
                               .arg(m_port)
                               .arg(m_pki->caCert(), m_serverCert, m_serverKey, aclPath(), m_folder);
    if (!writeFile(configPath(), config.toUtf8(), error) || !writeFile(aclPath(), aclText().toUtf8(), error))
        return false;

    m_process.setProgram(QStringLiteral("mosquitto"));
    m_process.setArguments({QStringLiteral("-c"), configPath()});
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(m_folder + QStringLiteral("/broker.log"), QIODevice::Append);
    m_process.start();
    if (!m_process.waitForStarted(10000)) {
        *error = QStringLiteral("mosquitto does not start: %1").arg(m_process.errorString());
        return false;
    }
    m_paused = false;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 15000) {
        if (m_process.waitForFinished(0) || m_process.state() == QProcess::NotRunning) {
            *error = QStringLiteral("mosquitto ended at once:\n%1").arg(log());
            return false;
        }
        QTcpSocket probe;
        probe.connectToHost(QHostAddress(QHostAddress::LocalHost), m_port);
        if (probe.waitForConnected(500)) {
            probe.abort();
            return true;
        }
        QThread::msleep(50);
    }
    *error = QStringLiteral("mosquitto does not take connections on port %1 after 15 s:\n%2").arg(m_port).arg(log());
    kill();
    return false;
}

void TestBroker::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    if (m_paused)
        resume();
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

void TestBroker::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill(); // SIGKILL ends a stopped process too
    m_process.waitForFinished(5000);
    m_paused = false;
}

bool TestBroker::pause()
{
    if (!isRunning() || ::kill(pid_t(m_process.processId()), SIGSTOP) != 0)
        return false;
    m_paused = true;
    return true;
}

bool TestBroker::resume()
{
    if (!isRunning() || ::kill(pid_t(m_process.processId()), SIGCONT) != 0)
        return false;
    m_paused = false;
    return true;
}

bool TestBroker::isRunning() const
{
    return m_process.state() == QProcess::Running;
}

qint64 TestBroker::pid() const
{
    return isRunning() ? m_process.processId() : 0;
}

QString TestBroker::log() const
{
    QFile file(m_folder + QStringLiteral("/broker.log"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLocal8Bit(file.readAll());
}
