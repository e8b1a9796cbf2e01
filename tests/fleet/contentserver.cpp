#include "contentserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSaveFile>
#include <QTcpSocket>

#include <csignal>
#include <sys/prctl.h>
#include <sys/types.h>

// nginx dies with the test, however the test ends: a crashed test leaves no server behind on
// the machine. The death signal reaches only this process, so nginx runs without a master.
class TestContentServer::Process : public QProcess
{
protected:
    void setupChildProcess() override { ::prctl(PR_SET_PDEATHSIG, SIGKILL); }
};

TestContentServer::TestContentServer(const TestPki &pki, const QString &folder)
    : m_pki(pki)
    , m_folder(folder)
    , m_nginx(new Process)
{}

TestContentServer::~TestContentServer()
{
    stop();
}

bool TestContentServer::start(QString *error)
{
    const auto fail = [this, error](const QString &why) {
        *error = why;
        stop();
        return false;
    };
    if (m_nginx->state() != QProcess::NotRunning)
        return fail(QStringLiteral("the content server runs already"));
    if (!QDir().mkpath(m_folder + QStringLiteral("/www/b")) ||
        !QDir().mkpath(m_folder + QStringLiteral("/tmp")))
        return fail(QStringLiteral("cannot make the folders in %1").arg(m_folder));
    m_port = freeLoopbackPort();
    if (m_port == 0)
        return fail(QStringLiteral("no free loopback port"));

    const QString limit = m_rateLimit > 0 ? QStringLiteral("limit_rate %1;").arg(m_rateLimit) : QString();
    // The fleet's configuration, with a log that tells the Range and the bytes of each request.
    const QString config =
        QStringLiteral("user root;\n"
                       "worker_processes 1;\n"
                       "master_process off;\n"
                       "pid @DIR@/nginx.pid;\n"
                       "error_log @DIR@/error.log;\n"
                       "events { worker_connections 64; }\n"
                       "http {\n"
                       "  log_format lumora '$request_method|$uri|$status|$http_range|$body_bytes_sent|"
                       "$ssl_client_s_dn';\n"
                       "  access_log @DIR@/access.log lumora;\n"
                       "  client_body_temp_path @DIR@/tmp;\n"
                       "  client_max_body_size 0;\n"
                       "  map \"$request_method:$ssl_client_s_dn\" $refuse {\n"
                       "    default 0;\n"
                       "    \"~^PUT:CN=operator$\" 0;\n"
                       "    \"~^(PUT|DELETE):\" 1;\n"
                       "  }\n"
                       "  server {\n"
                       "    listen 127.0.0.1:@PORT@ ssl;\n"
                       "    ssl_certificate @SERVERCRT@;  ssl_certificate_key @SERVERKEY@;\n"
                       "    ssl_client_certificate @CACRT@;  ssl_verify_client on;\n"
                       "    root @DIR@/www;\n"
                       "    location /b/ { dav_methods PUT; create_full_put_path on; @LIMIT@\n"
                       "                   if ($refuse) { return 403; } }\n"
                       "  }\n"
                       "}\n")
            .replace(QStringLiteral("@DIR@"), m_folder)
            .replace(QStringLiteral("@PORT@"), QString::number(m_port))
            .replace(QStringLiteral("@SERVERCRT@"), m_pki.serverCert())
            .replace(QStringLiteral("@SERVERKEY@"), m_pki.serverKey())
            .replace(QStringLiteral("@CACRT@"), m_pki.caCert())
            .replace(QStringLiteral("@LIMIT@"), limit);
    QSaveFile file(m_folder + QStringLiteral("/nginx.conf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0 || !file.commit())
        return fail(QStringLiteral("cannot write nginx.conf in %1").arg(m_folder));

    m_nginx->setProcessChannelMode(QProcess::MergedChannels);
    m_nginx->start(QStringLiteral("nginx"), {QStringLiteral("-p"), m_folder, QStringLiteral("-c"),
                                             m_folder + QStringLiteral("/nginx.conf"), QStringLiteral("-e"),
                                             m_folder + QStringLiteral("/error.log"), QStringLiteral("-g"),
                                             QStringLiteral("daemon off;")});
    if (!m_nginx->waitForStarted(30000))
        return fail(QStringLiteral("nginx does not start: %1").arg(m_nginx->errorString()));

    // Accepting connections is what "up" means to a device.
    QElapsedTimer waited;
    waited.start();
    for (int attempt = 0; attempt < 600 && waited.elapsed() < 30000; ++attempt) {
        if (m_nginx->state() != QProcess::Running) {
            return fail(QStringLiteral("nginx ended: %1 %2")
                            .arg(QString::fromLocal8Bit(m_nginx->readAll()), errorLog()));
        }
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (probe.waitForConnected(1000)) {
            probe.disconnectFromHost();
            return true;
        }
        m_nginx->waitForFinished(50);
    }
    return fail(QStringLiteral("nginx does not accept on port %1: %2").arg(m_port).arg(errorLog()));
}

void TestContentServer::stop()
{
    if (m_nginx->state() == QProcess::NotRunning)
        return;
    // A stopped process takes SIGTERM only once it goes on.
    if (m_paused)
        resume();
    m_nginx->terminate();
    if (!m_nginx->waitForFinished(15000)) {
        m_nginx->kill();
        m_nginx->waitForFinished(15000);
    }
}

bool TestContentServer::signal(int number)
{
    const qint64 pid = m_nginx->processId();
    return pid > 0 && ::kill(pid_t(pid), number) == 0;
}

bool TestContentServer::pause()
{
    m_paused = signal(SIGSTOP);
    return m_paused;
}

bool TestContentServer::resume()
{
    const bool resumed = signal(SIGCONT);
    if (resumed)
        m_paused = false;
    return resumed;
}

QUrl TestContentServer::url() const
{
    return QUrl(QStringLiteral("https://127.0.0.1:%1/b/").arg(m_port));
}

bool TestContentServer::put(const QString &name, const QByteArray &bytes)
{
    // In one step, so no request ever sees half of it.
    QDir().mkpath(m_folder + QStringLiteral("/www/b"));
    QSaveFile file(m_folder + QStringLiteral("/www/b/") + name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool TestContentServer::remove(const QString &name)
{
    return QFile::remove(m_folder + QStringLiteral("/www/b/") + name);
}

QStringList TestContentServer::accessLogLines() const
{
    QFile log(m_folder + QStringLiteral("/access.log"));
    if (!log.open(QIODevice::ReadOnly))
        return QStringList();
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QVector<TestContentServer::Request> TestContentServer::requests() const
{
    QVector<Request> result;
    const auto orEmpty = [](const QString &field) { return field == QLatin1String("-") ? QString() : field; };
    for (const QString &line : accessLogLines()) {
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() != 6)
            continue;
        Request request;
        request.method = fields.at(0);
        request.path = fields.at(1);
        request.status = fields.at(2).toInt();
        request.range = orEmpty(fields.at(3));
        request.bytesSent = fields.at(4).toLongLong();
        request.client = orEmpty(fields.at(5));
        result.append(request);
    }
    return result;
}

QVector<TestContentServer::Request> TestContentServer::requestsFor(const QString &name) const
{
    QVector<Request> result;
    const QString path = QStringLiteral("/b/") + name;
    for (const Request &request : requests()) {
        if (request.path == path)
            result.append(request);
    }
    return result;
}

QString TestContentServer::errorLog() const
{
    QFile log(m_folder + QStringLiteral("/error.log"));
    if (!log.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(log.readAll());
}
