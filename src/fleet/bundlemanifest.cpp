#include "bundlemanifest.h"

#include "ed25519key.h"
#include "sha256stream.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSet>

#include <cmath>

namespace {

// Far above any real bundle's manifest (100 000 files at a few hundred bytes each), and low
// enough that a hostile message cannot make a device build a huge document.
constexpr int kMaxManifestBytes = 32 * 1024 * 1024;
constexpr int kMaxFiles = 100000;
constexpr qint64 kMaxFileSize = qint64(64) << 30;
constexpr int kMaxNameBytes = 240;
constexpr int kMaxNameParts = 8;
// JSON numbers are doubles: above this an integer may already have been rounded.
constexpr qint64 kMaxExactInteger = qint64(1) << 53;

QJsonValue timeValue(const QDateTime &time)
{
    if (!time.isValid())
        return QJsonValue(QJsonValue::Null);
    return time.toUTC().toString(Qt::ISODateWithMs);
}

// Only UTC with its "Z": a manifest means the same instant on every device, whatever zone
// each one is set to.
bool readTime(const QJsonValue &value, QDateTime *time)
{
    if (!value.isString())
        return false;
    const QString text = value.toString();
    if (!text.endsWith(QLatin1Char('Z')))
        return false;
    *time = QDateTime::fromString(text, Qt::ISODateWithMs);
    return time->isValid();
}

bool readInteger(const QJsonValue &value, qint64 max, qint64 *integer)
{
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    if (!(number >= 0 && number <= double(max)) || std::floor(number) != number)
        return false;
    *integer = qint64(number);
    return true;
}

bool failed(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

QByteArray BundleManifest::toJson() const
{
    QJsonArray fileArray;
    for (const BundleFile &file : files) {
        fileArray.append(QJsonObject{{QStringLiteral("name"), file.name},
                                     {QStringLiteral("sha256"), QString::fromLatin1(file.sha256)},
                                     {QStringLiteral("size"), double(file.size)}});
    }
    const QJsonObject object{{QStringLiteral("format"), format},
                             {QStringLiteral("sequence"), double(sequence)},
                             {QStringLiteral("scheme"), scheme},
                             {QStringLiteral("switchAt"), timeValue(switchAt)},
                             {QStringLiteral("published"), timeValue(published)},
                             {QStringLiteral("publisher"), publisher},
                             {QStringLiteral("files"), fileArray}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

bool BundleManifest::fromJson(const QByteArray &json, BundleManifest *manifest, QString *error)
{
    if (json.size() > kMaxManifestBytes)
        return failed(error, QStringLiteral("the manifest is larger than 32 MiB"));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return failed(error, QStringLiteral("not JSON: %1").arg(parseError.errorString()));
    if (!document.isObject())
        return failed(error, QStringLiteral("not a JSON object"));
    const QJsonObject object = document.object();

    BundleManifest read;
    // Checked first: a later format may mean something else by every other field.
    const QJsonValue format = object.value(QStringLiteral("format"));
    if (!format.isDouble() || format.toDouble() != double(kFormat)) {
        const QString seen = format.isDouble()   ? QString::number(format.toDouble())
                             : format.isString() ? QStringLiteral("\"%1\"").arg(format.toString().left(40))
                                                 : QStringLiteral("none");
        return failed(
            error, QStringLiteral("unknown format %1 (this player reads format %2)").arg(seen).arg(kFormat));
    }
    read.format = kFormat;
    if (!readInteger(object.value(QStringLiteral("sequence")), kMaxExactInteger, &read.sequence))
        return failed(error, QStringLiteral("the sequence is not a whole number from 0 to 2^53"));
    const QJsonValue switchAt = object.value(QStringLiteral("switchAt"));
    if (!switchAt.isNull() && !readTime(switchAt, &read.switchAt))
        return failed(error,
                      QStringLiteral("switchAt is neither null nor a UTC time like 2025-01-31T18:00:00Z"));
    if (!readTime(object.value(QStringLiteral("published")), &read.published))
        return failed(error, QStringLiteral("published is not a UTC time like 2025-01-31T18:00:00Z"));
    const QJsonValue publisher = object.value(QStringLiteral("publisher"));
    if (!publisher.isString())
        return failed(error, QStringLiteral("the publisher is not a text"));
    read.publisher = publisher.toString();
    const QJsonValue scheme = object.value(QStringLiteral("scheme"));
    if (!scheme.isString())
        return failed(error, QStringLiteral("the scheme is not a text"));
    read.scheme = scheme.toString();

    const QJsonValue files = object.value(QStringLiteral("files"));
    if (!files.isArray())
        return failed(error, QStringLiteral("files is not a list"));
    const QJsonArray fileArray = files.toArray();
    if (fileArray.size() > kMaxFiles)
        return failed(error, QStringLiteral("more than %1 files").arg(kMaxFiles));
    read.files.reserve(fileArray.size());
    QSet<QString> names;
    names.reserve(fileArray.size());
    for (const QJsonValue &value : fileArray) {
        const QJsonObject entry = value.toObject();
        BundleFile file;
        const QJsonValue name = entry.value(QStringLiteral("name"));
        if (!name.isString() || !isSafeName(name.toString()))
            return failed(error, QStringLiteral("the file name \"%1\" is not a safe relative path")
                                     .arg(name.toString().left(kMaxNameBytes)));
        file.name = name.toString();
        if (names.contains(file.name))
            return failed(error, QStringLiteral("the file %1 is listed twice").arg(file.name));
        names.insert(file.name);
        file.sha256 = entry.value(QStringLiteral("sha256")).toString().toLatin1();
        if (!Sha256Stream::isHexDigest(file.sha256))
            return failed(error,
                          QStringLiteral("the hash of %1 is not 64 lower-case hex digits").arg(file.name));
        if (!readInteger(entry.value(QStringLiteral("size")), kMaxFileSize, &file.size))
            return failed(
                error,
                QStringLiteral("the size of %1 is not a whole number from 0 to 64 GiB").arg(file.name));
        read.files.append(file);
    }
    // A name that is also another one's folder ("media" and "media/clip.mp4") could never be laid
    // out: one of the two would fail to be written on the device, after the download.
    for (const QString &name : qAsConst(names)) {
        for (int slash = name.indexOf(QLatin1Char('/')); slash > 0;
             slash = name.indexOf(QLatin1Char('/'), slash + 1)) {
            if (names.contains(name.left(slash)))
                return failed(
                    error,
                    QStringLiteral("%1 is a file and also the folder of %2").arg(name.left(slash), name));
        }
    }
    if (!names.contains(read.scheme))
        return failed(error, QStringLiteral("the scheme \"%1\" is not among the files").arg(read.scheme));
    if (manifest)
        *manifest = read;
    return true;
}

qint64 BundleManifest::totalSize() const
{
    qint64 total = 0;
    for (const BundleFile &file : files)
        total += file.size;
    return total;
}

const BundleFile *BundleManifest::file(const QString &name) const
{
    for (const BundleFile &file : files) {
        if (file.name == name)
            return &file;
    }
    return nullptr;
}

bool BundleManifest::isSafeName(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QByteArray utf8 = name.toUtf8();
    // A lone surrogate has no UTF-8 form: the name on disk would not be the name signed.
    if (utf8.size() > kMaxNameBytes || QString::fromUtf8(utf8) != name)
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    // A leading '/' gives an empty first part, so absolute names fall out here too.
    const QStringList parts = name.split(QLatin1Char('/'));
    if (parts.size() > kMaxNameParts)
        return false;
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

QByteArray SignedManifest::toJson() const
{
    const QJsonObject object{{QStringLiteral("manifest"), QString::fromLatin1(manifest.toBase64())},
                             {QStringLiteral("signature"), QString::fromLatin1(signature.toBase64())}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

bool SignedManifest::fromJson(const QByteArray &json, SignedManifest *signedManifest, QString *error)
{
    // The manifest's own limit, grown by base64 and the few bytes around it.
    if (json.size() > kMaxManifestBytes / 3 * 4 + 4096)
        return failed(error, QStringLiteral("the signed manifest is larger than 32 MiB"));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return failed(error, QStringLiteral("not JSON: %1").arg(parseError.errorString()));
    const QJsonObject object = document.object();
    const QJsonValue manifest = object.value(QStringLiteral("manifest"));
    if (!manifest.isString())
        return failed(error, QStringLiteral("no manifest"));
    const auto decodedManifest = QByteArray::fromBase64Encoding(manifest.toString().toLatin1(),
                                                                QByteArray::AbortOnBase64DecodingErrors);
    if (!decodedManifest)
        return failed(error, QStringLiteral("the manifest is not base64"));
    // No signature is no syntax error: open() names it, beside the other reasons to refuse.
    const QJsonValue signature = object.value(QStringLiteral("signature"));
    if (!signature.isUndefined() && !signature.isNull() && !signature.isString())
        return failed(error, QStringLiteral("the signature is not a text"));
    const auto decodedSignature = QByteArray::fromBase64Encoding(signature.toString().toLatin1(),
                                                                 QByteArray::AbortOnBase64DecodingErrors);
    if (!decodedSignature)
        return failed(error, QStringLiteral("the signature is not base64"));
    signedManifest->manifest = *decodedManifest;
    signedManifest->signature = *decodedSignature;
    return true;
}

SignedManifest SignedManifest::sign(const QByteArray &manifest, const Ed25519Key &key)
{
    SignedManifest signedManifest;
    signedManifest.manifest = manifest;
    signedManifest.signature = key.sign(manifest);
    return signedManifest;
}

bool SignedManifest::open(const Ed25519Key &key, BundleManifest *manifest, QString *error) const
{
    if (key.isNull())
        return failed(error, QStringLiteral("no operator key to check the signature with"));
    if (signature.isEmpty())
        return failed(error, QStringLiteral("no signature"));
    // The signature before the parse: bytes of unknown origin never reach the JSON reader.
    if (!key.verify(this->manifest, signature))
        return failed(error, QStringLiteral("the signature does not match the operator's key"));
    QString why;
    BundleManifest read;
    if (!BundleManifest::fromJson(this->manifest, &read, &why))
        return failed(error, QStringLiteral("not a manifest: %1").arg(why));
    if (manifest)
        *manifest = read;
    return true;
}
