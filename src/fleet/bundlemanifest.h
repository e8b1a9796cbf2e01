#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

class Ed25519Key;

// One file of a bundle: where it lies in the bundle's folder on the device and what its bytes
// are. The content server keeps it as <content>/<sha256>.
struct BundleFile
{
    QString name;      // relative, '/'-separated, checked by BundleManifest::isSafeName
    QByteArray sha256; // 64 lower-case hex digits
    qint64 size = 0;
};

// What a publish sends: the scheme (itself one of the files, by name `scheme`), every file it
// uses, when to switch and the publish's sequence number. The manifest's JSON bytes are what
// the operator signs, and the scheme's hash in it binds every byte of the scheme; the devices
// take the bytes exactly as signed, never a re-serialisation.
struct BundleManifest
{
    static constexpr int kFormat = 1;

    int format = kFormat;
    qint64 sequence = 0;      // grows with every publish of the operator; a device never goes back
    QString scheme;           // the name of the scheme among `files`
    QDateTime switchAt;       // UTC; invalid: at once
    QDateTime published;      // UTC
    QString publisher;        // the signing key's public hex
    QVector<BundleFile> files;

    QByteArray toJson() const;
    // Checks everything a device relies on: format, names (isSafeName, no two alike), hashes,
    // sizes (0 <= size <= 64 GiB), the scheme among the files, at most 100 000 files.
    static bool fromJson(const QByteArray &json, BundleManifest *manifest, QString *error);

    qint64 totalSize() const;
    const BundleFile *file(const QString &name) const;

    // A relative path of at most 8 parts, none empty, "." or "..", no backslash, no NUL or other
    // control character, not absolute, at most 240 bytes: a name can never lead outside the
    // bundle's folder.
    static bool isSafeName(const QString &name);
};

// A manifest as it travels: its exact bytes and the Ed25519 signature over them. This is the
// payload of a desired-state topic.
struct SignedManifest
{
    QByteArray manifest;  // the JSON bytes, as signed
    QByteArray signature; // raw 64 bytes

    QByteArray toJson() const; // {"manifest": base64, "signature": base64}
    static bool fromJson(const QByteArray &json, SignedManifest *signedManifest, QString *error);

    static SignedManifest sign(const QByteArray &manifest, const Ed25519Key &key);
    // Verified against `key`, and parsed; false with *error saying which check failed.
    bool open(const Ed25519Key &key, BundleManifest *manifest, QString *error) const;
};
