#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// A whole fleet on this machine, made the way an operator makes one: the CA, the server
// certificates and the devices' enrolments by lumora-fleet itself, the broker (mosquitto) and
// the content server (nginx) from the configuration files Lumora ships, each on a free
// loopback port in the test's folder; devices are agents (LumoraPlayerServer), headless or
// beside a player.
class FleetSite
{
public:
    explicit FleetSite(const QString &folder);
    ~FleetSite();

    // `nginxExtra` goes into the content location (a limit_rate, for instance).
    bool init(QString *error, const QString &nginxExtra = QString());
    QString folder() const { return m_folder; }
    QString caFolder() const { return m_folder + QStringLiteral("/ca"); }
    QString contentRoot() const { return m_folder + QStringLiteral("/site/www/b"); }
    QString accessLog() const { return m_folder + QStringLiteral("/site/access.log"); }
    quint16 brokerPort() const { return m_brokerPort; }
    quint16 contentPort() const { return m_contentPort; }

    // Enrols a device and joins it into `settingsFile` (by default a folder of its own).
    bool enroll(const QString &device, const QStringList &groups, QString *error,
                const QString &settingsFile = QString());
    QString settingsOf(const QString &device) const;
    QString stateOf(const QString &device) const;

    bool startBroker(QString *error);
    void killBroker();
    void pauseBroker();
    void resumeBroker();
    bool startContent(QString *error);
    // The CA folder's crl.pem copied to the servers' folder, as the operator copies it.
    bool installRevocationList();
    // nginx reads its configuration and files again (SIGHUP); its old workers finish their
    // connections meanwhile.
    void reloadContent();

    // A headless agent for an enrolled device; nullptr with *error when it did not start.
    // `extra` goes on its command line (--log FILE, say).
    QProcess *startAgent(const QString &device, QString *error, const QStringList &extra = {});
    void killAgent(const QString &device);

    // Sets a device's or group's desired state as the operator, bytes as given (a manifest the
    // tool would never make); true once the broker has taken it.
    bool setDesired(const QString &topic, const QByteArray &payload, QString *error);

    // Runs lumora-fleet with --ca; its exit status, with stdout and stderr in *output.
    int tool(const QStringList &arguments, QString *output = nullptr, int timeoutMs = 120000);

private:
    bool startServer(QProcess *process, const QString &program, const QStringList &arguments, quint16 port,
                     QString *error);
    QString m_folder;
    quint16 m_brokerPort = 0;
    quint16 m_contentPort = 0;
    std::unique_ptr<QProcess> m_broker;
    std::unique_ptr<QProcess> m_content;
    std::vector<std::pair<QString, std::unique_ptr<QProcess>>> m_agents;
};
