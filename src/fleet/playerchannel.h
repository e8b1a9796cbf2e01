#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

// The local socket between the fleet agent and its player: one compact JSON object per line,
// each with an "op". The agent listens; the player connects and keeps trying every two seconds
// while there is none, so either may start first and either may die without the other waiting.
//
// agent -> player: switch {bundle, scheme, at (UTC ms, 0 at once)}, withdraw {bundle} (a
//                  switch not yet made is off), identify {seconds}, screenshot {id}
// player -> agent: hello {pid, scheme}, active {bundle, scheme}, refused {bundle, error},
//                  playing {windows: [{window, item}]}, screenshot {id, jpeg (base64)},
//                  playEvent {utcMs, utcOffset, screen, window, item, path, kind, mended, detail}
//                  (a screen dark where it should play, see log/playevents.h),
//                  playResumed {screen, window} (it plays again after one not mended),
//                  bye (an orderly end)
namespace PlayerChannel {

// In the user's runtime folder (the application folder of a portable install).
QString defaultSocketPath();
// Longer lines are dropped with the connection: nothing legitimate comes near it.
constexpr qint64 kMaxLine = 32 * 1024 * 1024;

} // namespace PlayerChannel

// The agent's end: one player at a time; a newer connection replaces an older one.
class AgentEndpoint : public QObject
{
    Q_OBJECT

public:
    explicit AgentEndpoint(QObject *parent = nullptr);
    ~AgentEndpoint() override;

    bool listen(const QString &path, QString *error);
    bool hasPlayer() const { return m_player != nullptr; }
    void send(const QJsonObject &message);

signals:
    void playerConnected();
    // `orderly` when the player said bye before it went.
    void playerLeft(bool orderly);
    void messageReceived(const QJsonObject &message);

private:
    void readPlayer();

    QLocalServer *m_server = nullptr;
    QLocalSocket *m_player = nullptr;
    bool m_saidBye = false;
};

// The player's end.
class PlayerEndpoint : public QObject
{
    Q_OBJECT

public:
    explicit PlayerEndpoint(QObject *parent = nullptr);

    void start(const QString &path);
    bool isConnected() const;
    void send(const QJsonObject &message);

signals:
    void connected();
    void messageReceived(const QJsonObject &message);

private:
    void tryConnect();
    void readAgent();

    QString m_path;
    QLocalSocket *m_socket = nullptr;
    QTimer *m_retry = nullptr;
};
