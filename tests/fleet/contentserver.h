#pragma once

#include "fleetservers.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QVector>

#include <memory>

// The content server as the fleet runs it: nginx on a free loopback port in a folder of its own,
// devices GET /b/<sha256> (with Range), only CN=operator may PUT, every client shows a
// certificate of the test's CA. The access log has one line per request in a form requests()
// reads back, with the Range asked for and the bytes sent.
class TestContentServer
{
public:
    struct Request
    {
        QString method;
        QString path;
        int status = 0;
        QString range; // the Range header as sent, empty without one
        qint64 bytesSent = 0;
        QString client; // the client certificate's subject, empty without one
    };

    TestContentServer(const TestPki &pki, const QString &folder);
    ~TestContentServer();
    TestContentServer(const TestContentServer &) = delete;
    TestContentServer &operator=(const TestContentServer &) = delete;

    // Bytes per second per connection; 0 (the default) for no limit. Takes effect at start().
    void setRateLimit(qint64 bytesPerSecond) { m_rateLimit = bytesPerSecond; }
    bool start(QString *error);
    void stop();
    // Stops nginx (SIGSTOP) and lets it go on (SIGCONT): connections stay open and new ones
    // are taken by the kernel, but nothing is answered meanwhile.
    bool pause();
    bool resume();

    // https://127.0.0.1:<port>/b/
    QUrl url() const;
    QString folder() const { return m_folder; }
    // Writes www/b/<name> as it is; the server sends what is there at the time of a request.
    bool put(const QString &name, const QByteArray &bytes);
    bool remove(const QString &name);
    QStringList accessLogLines() const;
    QVector<Request> requests() const;
    // Requests for /b/<name>, in their order.
    QVector<Request> requestsFor(const QString &name) const;
    QString errorLog() const;

private:
    class Process;
    bool signal(int number);

    const TestPki &m_pki;
    QString m_folder;
    quint16 m_port = 0;
    qint64 m_rateLimit = 0;
    std::unique_ptr<Process> m_nginx;
    bool m_paused = false;
};
