#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The fleet's own small certificate authority (OpenSSL, P-256 keys): `lumora-fleet ca init`
// makes it, every device, the operator and the servers get certificates from it, and the
// broker and the content server trust only it.
//
// A CA folder holds ca.key (0600), ca.crt, serial (the next serial number), crl.pem (the
// certificates it revoked, signed by it), and operator.key / operator.pub: the Ed25519 key
// bundles are signed with.
class FleetCa
{
public:
    explicit FleetCa(const QString &folder);

    // Makes a new CA in an empty (or missing) folder; refuses to replace an existing one.
    bool init(const QString &commonName, int days, QString *error);
    bool load(QString *error);

    struct Issued
    {
        QByteArray certificatePem;
        QByteArray keyPem; // PKCS#8, unencrypted
        QString serial;    // hexadecimal, as revoke() takes it
    };
    // A client certificate whose common name is `name` (the device id, or "operator"), valid
    // from now for `days` (negative days give one already expired, for tests of refusal).
    bool issueClient(const QString &name, int days, Issued *issued, QString *error);
    // A server certificate for the given IP addresses and DNS names (subjectAltName).
    bool issueServer(const QString &commonName, const QStringList &addresses, int days, Issued *issued,
                     QString *error);

    // crl.pem, made empty when the folder has none yet (a CA made before it kept one): the
    // broker and the content server are configured to read it and refuse to start without it.
    bool ensureRevocationList(QString *error);
    // Adds the certificates with these serial numbers (hexadecimal) to crl.pem and signs it
    // anew; a serial already there keeps its first revocation date.
    bool revoke(const QStringList &serials, QString *error);
    QString revocationListPath() const { return path(QStringLiteral("crl.pem")); }

    QByteArray caCertificatePem() const { return m_caCertificatePem; }
    QString folder() const { return m_folder; }

private:
    QString path(const QString &name) const;
    // The serial file's number, hex, counted on in the file.
    bool takeSerial(QByteArray *serial, QString *error);
    bool signRevocationList(const QStringList &serials, QString *error);
    bool makeCertificate(const QString &commonName, int days, const char *extendedKeyUsage,
                         const QStringList &addresses, Issued *issued, QString *error);

    QString m_folder;
    QByteArray m_caCertificatePem;
    QByteArray m_caKeyPem;
};
