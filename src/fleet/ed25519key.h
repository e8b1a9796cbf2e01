#pragma once

#include <QByteArray>
#include <QString>

// An Ed25519 key (private, or public only) by OpenSSL: the operator signs bundle manifests with
// the private key, devices check them with the public one.
class Ed25519Key
{
public:
    Ed25519Key() = default;
    ~Ed25519Key();
    Ed25519Key(const Ed25519Key &other);
    Ed25519Key &operator=(const Ed25519Key &other);

    static Ed25519Key generate();
    // PEM ("PRIVATE KEY" in PKCS#8, or "PUBLIC KEY"); a null key with *error set otherwise.
    static Ed25519Key fromPem(const QByteArray &pem, QString *error = nullptr);
    static Ed25519Key fromPemFile(const QString &path, QString *error = nullptr);

    bool isNull() const { return m_key == nullptr; }
    bool hasPrivate() const { return m_private; }
    QByteArray privatePem() const;
    QByteArray publicPem() const;
    // The 32 raw bytes of the public key, hex: how a key is named in states and messages.
    QByteArray publicHex() const;

    // 64 bytes; empty without a private key.
    QByteArray sign(const QByteArray &message) const;
    bool verify(const QByteArray &message, const QByteArray &signature) const;

private:
    void *m_key = nullptr; // EVP_PKEY
    bool m_private = false;
};
