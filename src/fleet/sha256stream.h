#pragma once

#include <QByteArray>

// SHA-256 over data that arrives in pieces, by OpenSSL (an order of magnitude faster than
// QCryptographicHash here, which matters when a bundle of hundreds of megabytes is hashed while
// it downloads).
class Sha256Stream
{
public:
    Sha256Stream();
    ~Sha256Stream();
    Sha256Stream(const Sha256Stream &) = delete;
    Sha256Stream &operator=(const Sha256Stream &) = delete;

    void add(const char *data, qint64 size);
    void add(const QByteArray &data) { add(data.constData(), data.size()); }
    // Lower-case hex of the digest; the stream starts over afterwards.
    QByteArray hexDigest();

    // The hex digest of a whole file, read in large blocks; empty when it cannot be read.
    static QByteArray ofFile(const QString &path);
    static QByteArray ofData(const QByteArray &data);
    // True for 64 lower-case hex digits: what every content name is.
    static bool isHexDigest(const QByteArray &text);

private:
    void *m_context;
};
