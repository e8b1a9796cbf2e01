#pragma once

// A small HTTP/1.0 server on 127.0.0.1 for tests: every request's target is recorded and the
// handler chooses the reply: a body, or no answer at all.

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <functional>

class TinyHttpServer : public QTcpServer
{
public:
    struct Reply
    {
        QByteArray body;
        bool answer = true;        // false: the connection stays open and silent
        bool declareLength = true; // false: the body ends when the connection closes
        QByteArray contentType = "application/json; charset=utf-8";
    };
    using Handler = std::function<Reply(const QUrl &target)>;

    explicit TinyHttpServer(Handler handler)
        : m_handler(std::move(handler))
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        });
        listen(QHostAddress::LocalHost);
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
    QList<QUrl> targets; // in arrival order
    void setHandler(Handler handler) { m_handler = std::move(handler); }

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
        m_buffers.remove(socket);
        disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
        const QUrl target = QUrl::fromEncoded(requestLine.value(1));
        targets << target;
        const Reply reply = m_handler(target);
        if (!reply.answer)
            return;
        QByteArray head = "HTTP/1.0 200 OK\r\nContent-Type: " + reply.contentType + "\r\n";
        if (reply.declareLength)
            head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        socket->write(head + "Connection: close\r\n\r\n");
        socket->write(reply.body);
        connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
            if (socket->bytesToWrite() == 0)
                socket->disconnectFromHost();
        });
    }

    Handler m_handler;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};
