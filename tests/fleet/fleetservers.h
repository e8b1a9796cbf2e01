#pragma once

#include <QMap>
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
    // Makes (once) a server certificate from the CA made out to another name (subjectAltName
    // DNS:<dnsName>, CN=<dnsName>): for a broker that is trusted but is not who 127.0.0.1 is.
    bool serverFor(const QString &dnsName, QString *certFile, QString *keyFile, QString *error);

private:
    bool run(const QStringList &arguments, QString *error);
    QString m_folder;
};

// A port nobody listens on now (bound to 0 on 127.0.0.1, read, closed).
quint16 freeLoopbackPort();

// A mosquitto broker as FLEET.md describes it: TLS on 127.0.0.1:<port()> with the PKI's server
// certificate, client certificates required and their CN taken as the user name, an ACL file,
// persistence in the folder. The port stays the same across stop()/start(), and so do the
// retained messages, as long as the broker was stopped (SIGTERM saves its database; kill()
// loses what changed since it last saved).
//
// The ACL by default: every device reads and writes its own lumora/v1/dev/<CN>/#, the user
// "operator" reads and writes all of lumora/v1/#, and allowGroup() gives a device read access to
// a group's lumora/v1/grp/<group>/#. setAcl() replaces it all.
class TestBroker
{
public:
    // `folder` holds the configuration, the ACL, the database and the log.
    TestBroker(TestPki *pki, const QString &folder);
    ~TestBroker();
    TestBroker(const TestBroker &) = delete;
    TestBroker &operator=(const TestBroker &) = delete;

    quint16 port() const { return m_port; }
    QString folder() const { return m_folder; }

    void allowGroup(const QString &device, const QString &group);
    // One more line "topic <access> <topic>" for `user` (access: read, write, readwrite).
    void allowUser(const QString &user, const QString &access, const QString &topic);
    void setAcl(const QString &text);
    QString aclText() const;
    // Writes the ACL again and has a running broker read it (SIGHUP).
    bool reloadAcl(QString *error);
    // Another server certificate than the PKI's own (before start()).
    void setServerCertificate(const QString &certFile, const QString &keyFile);

    // Writes the configuration and the ACL, starts mosquitto and waits (bounded) until the port
    // takes connections. Also after stop()/kill(), on the same port.
    bool start(QString *error);
    // SIGTERM, the database saved; SIGKILL if it does not end within 10 s.
    void stop();
    // SIGKILL: the broker's connections are reset at once.
    void kill();
    // SIGSTOP/SIGCONT: a broker that keeps its connections but answers nothing (a dead route).
    bool pause();
    bool resume();
    bool isRunning() const;
    bool isPaused() const { return m_paused; }
    qint64 pid() const;
    // What the broker logged so far (its log file and its output).
    QString log() const;

private:
    bool writeFile(const QString &path, const QByteArray &bytes, QString *error) const;
    QString configPath() const;
    QString aclPath() const;

    TestPki *m_pki;
    QString m_folder;
    quint16 m_port = 0;
    QProcess m_process;
    bool m_paused = false;
    QString m_acl; // set by setAcl(), else built from m_userTopics
    QMap<QString, QStringList> m_userTopics;
    QString m_serverCert;
    QString m_serverKey;
};
