#include "ed25519key.h"

#include <QFile>

#include <memory>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

namespace {

struct BioFree
{
    void operator()(BIO *bio) const { BIO_free(bio); }
};
using Bio = std::unique_ptr<BIO, BioFree>;

struct MdContextFree
{
    void operator()(EVP_MD_CTX *context) const { EVP_MD_CTX_free(context); }
};
using MdContext = std::unique_ptr<EVP_MD_CTX, MdContextFree>;

constexpr int kSignatureSize = 64;

EVP_PKEY *pkey(void *key)
{
    return static_cast<EVP_PKEY *>(key);
}

// An encrypted key is refused rather than asked for: OpenSSL's default would prompt on the
// terminal, and the agent runs without one.
int noPassphrase(char *, int, int, void *)
{
    return -1;
}

QByteArray bioBytes(BIO *bio)
{
    char *data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    return size > 0 ? QByteArray(data, int(size)) : QByteArray();
}

// Failures leave entries in the thread's OpenSSL error queue, which Qt's TLS reads after its own
// calls: a stale entry there would be taken for an error of the next handshake.
void forgetOpenSslErrors()
{
    ERR_clear_error();
}

} // namespace

Ed25519Key::~Ed25519Key()
{
    EVP_PKEY_free(pkey(m_key));
}

Ed25519Key::Ed25519Key(const Ed25519Key &other)
    : m_key(other.m_key)
    , m_private(other.m_private)
{
    if (m_key)
        EVP_PKEY_up_ref(pkey(m_key));
}

Ed25519Key &Ed25519Key::operator=(const Ed25519Key &other)
{
    if (this == &other)
        return *this;
    if (other.m_key)
        EVP_PKEY_up_ref(pkey(other.m_key));
    EVP_PKEY_free(pkey(m_key));
    m_key = other.m_key;
    m_private = other.m_private;
    return *this;
}

Ed25519Key Ed25519Key::generate()
{
    Ed25519Key key;
    EVP_PKEY_CTX *context = EVP_PKEY_CTX_new_id(EVP_PKEY_ED25519, nullptr);
    EVP_PKEY *made = nullptr;
    if (context && EVP_PKEY_keygen_init(context) == 1 && EVP_PKEY_keygen(context, &made) == 1) {
        key.m_key = made;
        key.m_private = true;
    } else {
        forgetOpenSslErrors();
    }
    EVP_PKEY_CTX_free(context);
    return key;
}

Ed25519Key Ed25519Key::fromPem(const QByteArray &pem, QString *error)
{
    const auto fail = [error](const QString &message) {
        forgetOpenSslErrors();
        if (error)
            *error = message;
        return Ed25519Key();
    };
    EVP_PKEY *read = nullptr;
    bool isPrivate = false;
    if (pem.contains("PRIVATE KEY-----")) {
        Bio bio(BIO_new_mem_buf(pem.constData(), pem.size()));
        read = bio ? PEM_read_bio_PrivateKey(bio.get(), nullptr, noPassphrase, nullptr) : nullptr;
        isPrivate = true;
    } else if (pem.contains("PUBLIC KEY-----")) {
        Bio bio(BIO_new_mem_buf(pem.constData(), pem.size()));
        read = bio ? PEM_read_bio_PUBKEY(bio.get(), nullptr, noPassphrase, nullptr) : nullptr;
    }
    if (!read)
        return fail(QStringLiteral("not a PEM private or public key (or an encrypted one)"));
    if (EVP_PKEY_get_base_id(read) != EVP_PKEY_ED25519) {
        const QString type = QString::fromLatin1(EVP_PKEY_get0_type_name(read));
        EVP_PKEY_free(read);
        return fail(QStringLiteral("the key is not an Ed25519 key but %1").arg(type));
    }
    Ed25519Key key;
    key.m_key = read;
    key.m_private = isPrivate;
    return key;
}

Ed25519Key Ed25519Key::fromPemFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return Ed25519Key();
    }
    // No PEM key is anywhere near this; anything larger is not one.
    const QByteArray pem = file.read(64 * 1024);
    QString why;
    Ed25519Key key = fromPem(pem, &why);
    if (key.isNull() && error)
        *error = QStringLiteral("%1: %2").arg(path, why);
    return key;
}

QByteArray Ed25519Key::privatePem() const
{
    if (!m_key || !m_private)
        return QByteArray();
    Bio bio(BIO_new(BIO_s_mem()));
    // PKCS#8, unencrypted: the "PRIVATE KEY" that fromPem and the openssl tool read.
    if (!bio ||
        PEM_write_bio_PrivateKey(bio.get(), pkey(m_key), nullptr, nullptr, 0, nullptr, nullptr) != 1) {
        forgetOpenSslErrors();
        return QByteArray();
    }
    return bioBytes(bio.get());
}

QByteArray Ed25519Key::publicPem() const
{
    if (!m_key)
        return QByteArray();
    Bio bio(BIO_new(BIO_s_mem()));
    if (!bio || PEM_write_bio_PUBKEY(bio.get(), pkey(m_key)) != 1) {
        forgetOpenSslErrors();
        return QByteArray();
    }
    return bioBytes(bio.get());
}

QByteArray Ed25519Key::publicHex() const
{
    if (!m_key)
        return QByteArray();
    unsigned char raw[32];
    size_t size = sizeof raw;
    if (EVP_PKEY_get_raw_public_key(pkey(m_key), raw, &size) != 1) {
        forgetOpenSslErrors();
        return QByteArray();
    }
    return QByteArray(reinterpret_cast<const char *>(raw), int(size)).toHex();
}

QByteArray Ed25519Key::sign(const QByteArray &message) const
{
    if (!m_key || !m_private)
        return QByteArray();
    MdContext context(EVP_MD_CTX_new());
    QByteArray signature(kSignatureSize, Qt::Uninitialized);
    size_t size = size_t(signature.size());
    // Ed25519 hashes the message itself: no digest is named, and the message goes in whole.
    if (!context || EVP_DigestSignInit(context.get(), nullptr, nullptr, nullptr, pkey(m_key)) != 1 ||
        EVP_DigestSign(context.get(), reinterpret_cast<unsigned char *>(signature.data()), &size,
                       reinterpret_cast<const unsigned char *>(message.constData()),
                       size_t(message.size())) != 1 ||
        size != size_t(kSignatureSize)) {
        forgetOpenSslErrors();
        return QByteArray();
    }
    return signature;
}

bool Ed25519Key::verify(const QByteArray &message, const QByteArray &signature) const
{
    if (!m_key || signature.size() != kSignatureSize)
        return false;
    MdContext context(EVP_MD_CTX_new());
    const bool good =
        context && EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, pkey(m_key)) == 1 &&
        EVP_DigestVerify(context.get(), reinterpret_cast<const unsigned char *>(signature.constData()),
                         size_t(signature.size()),
                         reinterpret_cast<const unsigned char *>(message.constData()),
                         size_t(message.size())) == 1;
    if (!good)
        forgetOpenSslErrors();
    return good;
}
