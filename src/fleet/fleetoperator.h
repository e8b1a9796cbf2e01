#pragma once

#include "bundlemanifest.h"
#include "ed25519key.h"

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QSslConfiguration>
#include <QStringList>
#include <QUrl>
#include <QVector>

#include <functional>

class BundleBuilder;
class MqttLink;
class QNetworkAccessManager;

// The operator's side of the fleet, for the command-line tool and the editor's Screens window:
// the CA folder with what it knows of the devices (devices/<name>.json), the publish sequence
// and the operator's keys; the MQTT link as "operator", which follows every device's presence
// and state; publishing (upload of a bundle's files, the signed manifest as desired state) and
// commands.
//
// operator.ini in the CA folder:
//   [Operator]
//   Broker=mqtts://127.0.0.1:8883
//   Content=https://127.0.0.1:8443/b/     where files are PUT and devices fetch them
//   ContentFolder=/srv/lumora/b            instead of PUT: a folder a web server serves
//   Certificate=operator-tls.crt          the operator's TLS client certificate (CN=operator)
//   Key=operator-tls.key
class FleetOperator : public QObject
{
    Q_OBJECT

public:
    struct Device
    {
        QString name;
        QStringList groups;
        QDateTime enrolled;
        // Of every certificate it was given (hexadecimal): enrolled again, its earlier
        // certificates still open the servers until revoked with it.
        QStringList serials;
    };

    explicit FleetOperator(const QString &caFolder, QObject *parent = nullptr);
    ~FleetOperator() override;

    static QString defaultCaFolder();
    static bool writeSettings(const QString &caFolder, const QUrl &broker, const QUrl &content,
                              const QString &contentFolder, QString *error);

    bool load(QString *error);
    QString caFolder() const { return m_caFolder; }
    QUrl broker() const { return m_broker; }
    QUrl content() const { return m_content; }
    const Ed25519Key &signingKey() const { return m_signingKey; }

    // What the operator has enrolled.
    QVector<Device> devices() const { return devicesIn(m_caFolder); }
    static QVector<Device> devicesIn(const QString &caFolder);
    QStringList groups() const;
    bool recordDevice(const Device &device, QString *error);
    bool forgetDevice(const QString &name);
    // Every certificate the device was given revoked in the CA folder's crl.pem; *revoked names
    // them (empty: enrolled before the CA kept serials, or not enrolled there at all). Touches
    // nothing but that folder, so that it may run on a worker thread.
    static bool revokeDevice(const QString &caFolder, const QString &name, QStringList *revoked,
                             QString *error);
    // A device's name, or a group's: the devices it reaches (empty: neither).
    QStringList devicesOf(const QString &target, bool *isGroup) const;

    // Larger than any before, and than the time in milliseconds: two operator machines with
    // the same CA folder copied keep growing as long as their clocks roughly agree.
    qint64 nextSequence();

    // The link and what it has heard.
    void connectBroker();
    MqttLink *link() const { return m_link; }
    QJsonObject stateOf(const QString &device) const { return m_states.value(device); }
    QString presenceOf(const QString &device) const { return m_presence.value(device); }
    QByteArray screenshotOf(const QString &device) const { return m_screenshots.value(device); }
    QStringList seenDevices() const;

    // Publishing, in steps a caller drives (the tool waits on them, the window shows them).
    bool sign(BundleManifest manifest, SignedManifest *signedManifest) const;
    // Puts every file the content server lacks; done(error) once (empty on success).
    void upload(const BundleBuilder &bundle, std::function<void(qint64 done, qint64 total)> progress,
                std::function<void(const QString &error)> done);
    int setDesired(const QString &target, bool isGroup, const SignedManifest &signedManifest);
    // Empties the retained desired state (a cancelled publish, a removed device).
    int clearRetained(const QString &topic);
    // A publish cancelled: the group's or device's desired state emptied, so devices keep what
    // they play and drop a bundle still on its way. The message id of the last message sent
    // (MqttLink::published tells when the broker took it), -1 when it could not be sent.
    int cancelPublish(const QString &target, bool isGroup);
    // Every retained topic of a device emptied; forgetDevice() once the broker took it. Its
    // certificate is refused only once revokeDevice() has put it in crl.pem and the servers
    // read that again; its ACL section stays until taken out.
    int clearDevice(const QString &device);
    int sendCommand(const QString &target, bool isGroup, const QString &command, const QString &id,
                    int expirySeconds);

signals:
    void connected();
    void deviceChanged(const QString &device);
    void replyReceived(const QString &device, const QJsonObject &reply);

private:
    void onMessage(const QString &topic, const QByteArray &payload);
    QSslConfiguration sslConfiguration() const;

    QString m_caFolder;
    QUrl m_broker;
    QUrl m_content;
    QString m_contentFolder;
    QString m_certificate;
    QString m_key;
    Ed25519Key m_signingKey;
    MqttLink *m_link = nullptr;
    QNetworkAccessManager *m_network = nullptr;
    QHash<QString, QJsonObject> m_states;
    QHash<QString, QString> m_presence;
    QHash<QString, QByteArray> m_screenshots;
};
