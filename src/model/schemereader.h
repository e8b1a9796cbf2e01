#pragma once

#include "scheme.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Reads a .schx file into a fresh Scheme. The format carries no magic, version or
// checksum, so the reader defends itself: every count is checked against the bytes
// that remain, nothing is read past the end, and the byte offset of the first damage
// is reported. A scheme is only handed out when the whole file was read cleanly.
//
// Values come out as stored: the counters are not adjusted, play amounts are decoded
// by their play mode, media items of a type without a body are dropped, and the
// pictures of "image" and "office" items are left for the caller to load.
class SchemeReader
{
    Q_DECLARE_TR_FUNCTIONS(SchemeReader)

public:
    enum Status { NoError, OpenError, TooLarge, Damaged };

    // Larger files are refused before anything is read. The writer refuses to write more, so
    // every saved scheme can be read again; a scheme of 10 000 items is about 2 MiB.
    static constexpr qint64 MaxFileSize = 128 * 1024 * 1024;

    bool readFile(const QString &path);
    bool read(const QByteArray &data);

    Status status() const { return m_status; }
    // Offset of the first damaged byte, or -1 when the file is not damaged.
    qint64 damageOffset() const { return m_damageOffset; }
    QString errorString() const { return m_errorString; }

    // The scheme read by the last successful call; empty after a failure.
    Scheme &scheme() { return m_scheme; }
    Scheme takeScheme() { return std::move(m_scheme); }

private:
    Scheme m_scheme;
    Status m_status = NoError;
    qint64 m_damageOffset = -1;
    QString m_errorString;
};
