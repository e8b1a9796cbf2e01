#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Real servers for the fleet tests, each started by the test on a free loopback port with a
// throw-away certificate authority made in the test's temporary folder by the openssl tool.
//
// TestPki: ca.crt/ca.key, server.crt/key for 127.0.0.1, and client certificates on demand
// (clientCert("dev-a") -> dev-a.crt/dev-a.key; expired or from a second CA for refusals).
class TestPki
{
public:
    explicit TestPki(const QString &folder);
    bool init(QString *error);
    QString folder() const { return m_folder; }
    QString caCert() const { return m_folder + QStringLiteral("/ca.crt"); }
    QString serverCert() const { return m_folder + QStringLiteral("/server.crt"); }
    QString serverKey() const { return m_folder + QStringLiteral("/server.key"); }
    // Makes (once) <name>.crt and <name>.key; `expired` gives one whose validity has ended,
    // `otherCa` one signed by a second CA the servers do not trust.
    bool client(const QString &name, QString *certFile, QString *keyFile, QString *error, bool expired = false,
                bool otherCa = false);

private:
    bool run(const QStringList &arguments, QString *error);
    QString m_folder;
};

// A port nobody listens on now (bound to 0 on 127.0.0.1, read, closed).
quint16 freeLoopbackPort();
