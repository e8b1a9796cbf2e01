#include "playerchannel.h"

#include "platform/applocations.h"

#include <QFile>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {

QByteArray encode(const QJsonObject &message)
{
    return QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n';
}

// Every whole line waiting on the socket, as objects; false when the peer sent garbage too long
// to be a line, and should be dropped.
bool readLines(QLocalSocket *socket, const std::function<void(const QJsonObject &)> &deliver)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(PlayerChannel::kMaxLine);
        const QJsonDocument document = QJsonDocument::fromJson(line);
        // A line that is no object is skipped: the channel goes on with the next one.
        if (document.isObject())
            deliver(document.object());
    }
    return socket->bytesAvailable() <= PlayerChannel::kMaxLine;
}

} // namespace

namespace PlayerChannel {

QString defaultSocketPath()
{
    return AppLocations::runtimeDirectory() + QStringLiteral("/lumora-agent.sock");
}

} // namespace PlayerChannel

AgentEndpoint::AgentEndpoint(QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            if (m_player) {
                // The newer one is the live player; the older connection is a leftover.
                QLocalSocket *old = m_player;
                m_player = nullptr;
                old->disconnect(this);
                old->abort();
                old->deleteLater();
            }
            m_player = socket;
            m_saidBye = false;
            connect(socket, &QLocalSocket::readyRead, this, &AgentEndpoint::readPlayer);
            connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
                if (socket != m_player)
                    return;
                m_player = nullptr;
                socket->deleteLater();
                emit playerLeft(m_saidBye);
            });
            emit playerConnected();
        }
    });
}

AgentEndpoint::~AgentEndpoint()
{
    if (m_player)
        m_player->disconnect(this);
}

bool AgentEndpoint::listen(const QString &path, QString *error)
{
    // Only this process reaches here (the agent holds its lock), so a socket file left is a
    // dead agent's.
    QLocalServer::removeServer(path);
    if (!m_server->listen(path)) {
        *error = QStringLiteral("cannot listen on %1: %2").arg(path, m_server->errorString());
        return false;
    }
    return true;
}

void AgentEndpoint::send(const QJsonObject &message)
{
    if (m_player)
        m_player->write(encode(message));
}

void AgentEndpoint::readPlayer()
{
    QLocalSocket *socket = m_player;
    if (!socket)
        return;
    const bool ok = readLines(socket, [this](const QJsonObject &message) {
        if (message.value(QStringLiteral("op")).toString() == QLatin1String("bye"))
            m_saidBye = true;
        emit messageReceived(message);
    });
    if (!ok)
        socket->abort();
}

PlayerEndpoint::PlayerEndpoint(QObject *parent)
    : QObject(parent)
    , m_socket(new QLocalSocket(this))
    , m_retry(new QTimer(this))
{
    m_retry->setInterval(2000);
    connect(m_retry, &QTimer::timeout, this, &PlayerEndpoint::tryConnect);
    connect(m_socket, &QLocalSocket::connected, this, [this] {
        m_retry->stop();
        emit connected();
    });
    connect(m_socket, &QLocalSocket::disconnected, this, [this] { m_retry->start(); });
    connect(m_socket, &QLocalSocket::errorOccurred, this, [this](QLocalSocket::LocalSocketError) {
        if (m_socket->state() == QLocalSocket::UnconnectedState && !m_retry->isActive())
            m_retry->start();
    });
    connect(m_socket, &QLocalSocket::readyRead, this, &PlayerEndpoint::readAgent);
}

void PlayerEndpoint::start(const QString &path)
{
    m_path = path;
    tryConnect();
    m_retry->start();
}

bool PlayerEndpoint::isConnected() const
{
    return m_socket->state() == QLocalSocket::ConnectedState;
}

void PlayerEndpoint::send(const QJsonObject &message)
{
    if (isConnected()) {
        m_socket->write(encode(message));
        // Out before anything else happens: the last message of a closing player is its bye.
        m_socket->flush();
    }
}

void PlayerEndpoint::tryConnect()
{
    if (m_socket->state() != QLocalSocket::UnconnectedState)
        return;
    // A missing socket file means no agent: nothing to try until one appears.
    if (!QFile::exists(m_path))
        return;
    m_socket->connectToServer(m_path);
}

void PlayerEndpoint::readAgent()
{
    if (!readLines(m_socket, [this](const QJsonObject &message) { emit messageReceived(message); }))
        m_socket->abort();
}
