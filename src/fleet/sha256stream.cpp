#include "sha256stream.h"

#include <QFile>

#include <openssl/evp.h>

Sha256Stream::Sha256Stream()
    : m_context(EVP_MD_CTX_new())
{
    EVP_DigestInit_ex(static_cast<EVP_MD_CTX *>(m_context), EVP_sha256(), nullptr);
}

Sha256Stream::~Sha256Stream()
{
    EVP_MD_CTX_free(static_cast<EVP_MD_CTX *>(m_context));
}

void Sha256Stream::add(const char *data, qint64 size)
{
    if (size > 0)
        EVP_DigestUpdate(static_cast<EVP_MD_CTX *>(m_context), data, size_t(size));
}

QByteArray Sha256Stream::hexDigest()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    auto *context = static_cast<EVP_MD_CTX *>(m_context);
    EVP_DigestFinal_ex(context, digest, &length);
    EVP_DigestInit_ex(context, EVP_sha256(), nullptr);
    return QByteArray(reinterpret_cast<const char *>(digest), int(length)).toHex();
}

QByteArray Sha256Stream::ofFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    Sha256Stream stream;
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(block.data(), block.size());
        if (got < 0)
            return QByteArray();
        if (got == 0)
            break;
        stream.add(block.constData(), got);
    }
    return stream.hexDigest();
}

QByteArray Sha256Stream::ofData(const QByteArray &data)
{
    Sha256Stream stream;
    stream.add(data);
    return stream.hexDigest();
}

bool Sha256Stream::isHexDigest(const QByteArray &text)
{
    if (text.size() != 64)
        return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}
