#include "fleet/bundlemanifest.h"
#include "fleet/ed25519key.h"
#include "fleet/sha256stream.h"
#include "opensslcommand.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

BundleManifest sampleManifest(const Ed25519Key &key)
{
    BundleManifest manifest;
    manifest.sequence = 41;
    manifest.scheme = QStringLiteral("lobby.schx");
    manifest.switchAt = QDateTime(QDate(2031, 3, 14), QTime(18, 30, 0, 250), Qt::UTC);
    manifest.published = QDateTime(QDate(2031, 3, 14), QTime(9, 5, 7), Qt::UTC);
    manifest.publisher = QString::fromLatin1(key.publicHex());
    manifest.files = {{QStringLiteral("lobby.schx"), Sha256Stream::ofData("scheme"), 6},
                      {QStringLiteral("media/clip.mp4"), Sha256Stream::ofData("clip"), qint64(5) << 30},
                      {QStringLiteral("media/empty.txt"), Sha256Stream::ofData(""), 0}};
    return manifest;
}

// The sample manifest's JSON after `change`, for the refusals of fields one at a time.
QByteArray changedJson(const std::function<void(QJsonObject &)> &change)
{
    QJsonObject object = QJsonDocument::fromJson(sampleManifest(Ed25519Key::generate()).toJson()).object();
    change(object);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray withFile(const QJsonObject &file)
{
    return changedJson([&](QJsonObject &object) {
        QJsonArray files = object.value(QStringLiteral("files")).toArray();
        files.append(file);
        object.insert(QStringLiteral("files"), files);
    });
}

QJsonObject fileEntry(const QString &name, const QJsonValue &sha256, const QJsonValue &size)
{
    return {
        {QStringLiteral("name"), name}, {QStringLiteral("sha256"), sha256}, {QStringLiteral("size"), size}};
}

QByteArray flipped(QByteArray bytes, int at)
{
    bytes[at] = char(bytes.at(at) ^ 0x01);
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestBundleManifest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }

    void signedManifestOpensWithThePublicKeyAlone()
    {
        const Ed25519Key operatorKey = Ed25519Key::generate();
        QVERIFY(!operatorKey.isNull());
        QString error;
        // A device holds only operator.pub.
        const Ed25519Key deviceKey = Ed25519Key::fromPem(operatorKey.publicPem(), &error);
        QVERIFY2(!deviceKey.isNull(), qPrintable(error));
        QVERIFY(!deviceKey.hasPrivate());
        QVERIFY(deviceKey.sign("anything").isEmpty());
        QVERIFY(deviceKey.privatePem().isEmpty());

        const BundleManifest sent = sampleManifest(operatorKey);
        const QByteArray payload = SignedManifest::sign(sent.toJson(), operatorKey).toJson();

        SignedManifest received;
        QVERIFY2(SignedManifest::fromJson(payload, &received, &error), qPrintable(error));
        BundleManifest opened;
        QVERIFY2(received.open(deviceKey, &opened, &error), qPrintable(error));
        QCOMPARE(opened.format, BundleManifest::kFormat);
        QCOMPARE(opened.sequence, sent.sequence);
        QCOMPARE(opened.scheme, sent.scheme);
        QCOMPARE(opened.switchAt, sent.switchAt);
        QCOMPARE(opened.switchAt.timeSpec(), Qt::UTC);
        QCOMPARE(opened.published, sent.published);
        QCOMPARE(opened.publisher, QString::fromLatin1(operatorKey.publicHex()));
        QCOMPARE(opened.files.size(), sent.files.size());
        for (int i = 0; i < sent.files.size(); ++i) {
            QCOMPARE(opened.files.at(i).name, sent.files.at(i).name);
            QCOMPARE(opened.files.at(i).sha256, sent.files.at(i).sha256);
            QCOMPARE(opened.files.at(i).size, sent.files.at(i).size);
        }
        QCOMPARE(opened.totalSize(), (qint64(5) << 30) + 6);
        QVERIFY(opened.file(QStringLiteral("media/clip.mp4")));
        QCOMPARE(opened.file(QStringLiteral("media/clip.mp4"))->sha256, Sha256Stream::ofData("clip"));
        QVERIFY(!opened.file(QStringLiteral("clip.mp4")));

        // "At once" travels as null and comes back as no time.
        BundleManifest atOnce = sent;
        atOnce.switchAt = QDateTime();
        QVERIFY(atOnce.toJson().contains("\"switchAt\":null"));
        QVERIFY2(SignedManifest::sign(atOnce.toJson(), operatorKey).open(deviceKey, &opened, &error),
                 qPrintable(error));
        QVERIFY(!opened.switchAt.isValid());
    }

    void whatTheOperatorDidNotSignIsRefused_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("refusal");

        const Ed25519Key operatorKey = Ed25519Key::generate();
        m_operatorPublic = operatorKey.publicPem();
        const QByteArray manifest = sampleManifest(operatorKey).toJson();
        const SignedManifest genuine = SignedManifest::sign(manifest, operatorKey);

        QTest::newRow("signed by another key")
            << SignedManifest::sign(manifest, Ed25519Key::generate()).toJson()
            << QStringLiteral("the signature does not match the operator's key");
        // The digit of the sequence number: still a valid manifest, one that was never signed.
        const int digit = manifest.indexOf("\"sequence\":41") + int(qstrlen("\"sequence\":"));
        QTest::newRow("one byte of the manifest changed")
            << SignedManifest({flipped(manifest, digit), genuine.signature}).toJson()
            << QStringLiteral("the signature does not match the operator's key");
        QTest::newRow("one byte of the signature changed")
            << SignedManifest({manifest, flipped(genuine.signature, 17)}).toJson()
            << QStringLiteral("the signature does not match the operator's key");
        QTest::newRow("a signature cut short")
            << SignedManifest({manifest, genuine.signature.left(63)}).toJson()
            << QStringLiteral("the signature does not match the operator's key");
        QJsonObject unsigned_ = QJsonDocument::fromJson(genuine.toJson()).object();
        unsigned_.remove(QStringLiteral("signature"));
        QTest::newRow("no signature") << QJsonDocument(unsigned_).toJson() << QStringLiteral("no signature");
        QTest::newRow("signed, but no manifest") << SignedManifest::sign("[\"hello\"]", operatorKey).toJson()
                                                 << QStringLiteral("not a manifest: ");
        QTest::newRow("signed, but a manifest of a later format")
            << SignedManifest::sign(
                   changedJson([](QJsonObject &o) { o.insert(QStringLiteral("format"), 2); }), operatorKey)
                   .toJson()
            << QStringLiteral("not a manifest: unknown format 2");
    }

    void whatTheOperatorDidNotSignIsRefused()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QString, refusal);
        const Ed25519Key deviceKey = Ed25519Key::fromPem(m_operatorPublic);
        QVERIFY(!deviceKey.isNull());
        SignedManifest received;
        QString error;
        QVERIFY2(SignedManifest::fromJson(payload, &received, &error), qPrintable(error));
        BundleManifest opened;
        opened.sequence = -7;
        QVERIFY(!received.open(deviceKey, &opened, &error));
        QVERIFY2(error.startsWith(refusal), qPrintable(error));
        QCOMPARE(opened.sequence, qint64(-7));
    }

    void theBytesOpenedAreTheBytesSigned()
    {
        // Written by hand, as no serialiser here would: spaces, another key order, an escape, a
        // field this player does not know. The signature covers these bytes and no others.
        const Ed25519Key operatorKey = Ed25519Key::generate();
        const QByteArray manifest =
            "{ \"files\": [ {\"size\": 6, \"sha256\": \"" + Sha256Stream::ofData("scheme") +
            "\", \"name\": \"caf\\u00e9.schx\"} ],\n  \"format\": 1, \"sequence\": 9, \"scheme\": "
            "\"caf\\u00e9.schx\","
            " \"switchAt\": null, \"published\": \"2031-03-14T09:05:07Z\", \"publisher\": \"" +
            operatorKey.publicHex() + "\", \"note\": \"from a later tool\" }\n";
        const SignedManifest signedManifest = SignedManifest::sign(manifest, operatorKey);
        SignedManifest received;
        QString error;
        QVERIFY2(SignedManifest::fromJson(signedManifest.toJson(), &received, &error), qPrintable(error));
        QCOMPARE(received.manifest, manifest);
        QCOMPARE(received.signature, signedManifest.signature);
        BundleManifest opened;
        QVERIFY2(received.open(operatorKey, &opened, &error), qPrintable(error));
        QCOMPARE(opened.scheme, QStringLiteral("caf\u00e9.schx"));
        QCOMPARE(opened.sequence, qint64(9));
        // The same manifest in this code's own JSON is other bytes, which the signature does not cover.
        QVERIFY(opened.toJson() != manifest);
        const SignedManifest reserialised{opened.toJson(), received.signature};
        QVERIFY(!reserialised.open(operatorKey, nullptr, &error));
    }

    void isSafeNameKeepsEveryNameInsideTheBundle_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("a file") << QStringLiteral("welcome.schx") << true;
        QTest::newRow("in a folder") << QStringLiteral("media/clip.mp4") << true;
        QTest::newRow("not ASCII") << QStringLiteral("m\u00e9dia/\u65e5\u672c.png") << true;
        QTest::newRow("dots inside a part") << QStringLiteral("a..b/.hidden/c.") << true;
        QTest::newRow("8 parts") << QStringLiteral("a/b/c/d/e/f/g/h") << true;
        QTest::newRow("240 bytes") << QString(120, QChar(0xe9)) << true;
        QTest::newRow("parent") << QStringLiteral("../x") << false;
        QTest::newRow("parent further in") << QStringLiteral("a/../../x") << false;
        QTest::newRow("parent at the end") << QStringLiteral("a/..") << false;
        QTest::newRow("absolute") << QStringLiteral("/etc/passwd") << false;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
        QTest::newRow("backslash parent") << QStringLiteral("..\\x") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("empty part") << QStringLiteral("a//b") << false;
        QTest::newRow("trailing slash") << QStringLiteral("a/") << false;
        QTest::newRow("dot") << QStringLiteral(".") << false;
        QTest::newRow("dot part") << QStringLiteral("a/./b") << false;
        QTest::newRow("NUL") << QString::fromLatin1("a\0b", 3) << false;
        QTest::newRow("new line") << QStringLiteral("a\nb") << false;
        QTest::newRow("DEL") << QStringLiteral("a\x7f") << false;
        QTest::newRow("C1 control") << QStringLiteral("a\u0085b") << false;
        QTest::newRow("lone surrogate") << QString(QChar(0xd800)) << false;
        QTest::newRow("9 parts") << QStringLiteral("a/b/c/d/e/f/g/h/i") << false;
        QTest::newRow("241 bytes") << QString(120, QChar(0xe9)) + QLatin1Char('x') << false;
    }

    void isSafeNameKeepsEveryNameInsideTheBundle()
    {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(BundleManifest::isSafeName(name), safe);
        // And a manifest naming it is refused as a whole.
        const QString hash = QString::fromLatin1(Sha256Stream::ofData("x"));
        const QByteArray json = changedJson([&](QJsonObject &object) {
            object.insert(
                QStringLiteral("files"),
                QJsonArray{fileEntry(QStringLiteral("lobby.schx"), hash, 1), fileEntry(name, hash, 1)});
        });
        QString error;
        BundleManifest manifest;
        const bool read = BundleManifest::fromJson(json, &manifest, &error);
        QCOMPARE(read, safe);
        if (!safe)
            QVERIFY2(error.contains(QStringLiteral("not a safe relative path")), qPrintable(error));
    }

    void manifestsADeviceCannotRelyOnAreRefused_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("refusal");
        const QString hash = QString::fromLatin1(Sha256Stream::ofData("x"));

        QTest::newRow("a name twice") << withFile(fileEntry(QStringLiteral("media/clip.mp4"), hash, 1))
                                      << QStringLiteral("the file media/clip.mp4 is listed twice");
        QTest::newRow("a name that is another's folder")
            << withFile(fileEntry(QStringLiteral("media"), hash, 1))
            << QStringLiteral("media is a file and also the folder of media/");
        QTest::newRow("upper-case hash") << withFile(fileEntry(QStringLiteral("b"), hash.toUpper(), 1))
                                         << QStringLiteral("the hash of b is not");
        QTest::newRow("short hash") << withFile(fileEntry(QStringLiteral("b"), hash.left(63), 1))
                                    << QStringLiteral("the hash of b is not");
        QTest::newRow("no hash") << withFile(fileEntry(QStringLiteral("b"), QJsonValue(), 1))
                                 << QStringLiteral("the hash of b is not");
        QTest::newRow("negative size")
            << withFile(fileEntry(QStringLiteral("b"), hash, -1)) << QStringLiteral("the size of b is not");
        QTest::newRow("size above 64 GiB")
            << withFile(fileEntry(QStringLiteral("b"), hash, double(qint64(64) << 30) + 1))
            << QStringLiteral("the size of b is not");
        QTest::newRow("fractional size")
            << withFile(fileEntry(QStringLiteral("b"), hash, 1.5)) << QStringLiteral("the size of b is not");
        QTest::newRow("size as text") << withFile(fileEntry(QStringLiteral("b"), hash, QStringLiteral("1")))
                                      << QStringLiteral("the size of b is not");
        QTest::newRow("scheme not among the files") << changedJson([](QJsonObject &o) {
            o.insert(QStringLiteral("scheme"), QStringLiteral("other.schx"));
        }) << QStringLiteral("the scheme \"other.schx\" is not among the files");
        QTest::newRow("later format")
            << changedJson([](QJsonObject &o) { o.insert(QStringLiteral("format"), 2); })
            << QStringLiteral("unknown format 2");
        QTest::newRow("no format") << changedJson([](QJsonObject &o) { o.remove(QStringLiteral("format")); })
                                   << QStringLiteral("unknown format none");
        QTest::newRow("negative sequence")
            << changedJson([](QJsonObject &o) { o.insert(QStringLiteral("sequence"), -1); })
            << QStringLiteral("the sequence is not");
        QTest::newRow("switch time in a zone") << changedJson([](QJsonObject &o) {
            o.insert(QStringLiteral("switchAt"), QStringLiteral("2031-03-14T18:30:00+01:00"));
        }) << QStringLiteral("switchAt is neither null nor a UTC time");
        QTest::newRow("no publish time")
            << changedJson([](QJsonObject &o) { o.remove(QStringLiteral("published")); })
            << QStringLiteral("published is not a UTC time");
        QTest::newRow("files not a list")
            << changedJson([](QJsonObject &o) { o.insert(QStringLiteral("files"), QJsonObject()); })
            << QStringLiteral("files is not a list");
        QTest::newRow("100 001 files") << changedJson([&hash](QJsonObject &o) {
            QJsonArray files;
            for (int i = 0; i <= 100000; ++i)
                files.append(fileEntry(QString::number(i), hash, 1));
            o.insert(QStringLiteral("files"), files);
        }) << QStringLiteral("more than 100000 files");
        QTest::newRow("not JSON") << QByteArray("{\"format\": 1,") << QStringLiteral("not JSON: ");
        // Refused by its size alone: the parser never sees it.
        QTest::newRow("larger than 32 MiB")
            << changedJson([](QJsonObject &) {}).append(QByteArray(32 * 1024 * 1024, ' '))
            << QStringLiteral("the manifest is larger than 32 MiB");
    }

    void manifestsADeviceCannotRelyOnAreRefused()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, refusal);
        BundleManifest manifest;
        manifest.sequence = -7;
        QString error;
        QVERIFY(!BundleManifest::fromJson(json, &manifest, &error));
        QVERIFY2(error.startsWith(refusal), qPrintable(error));
        QCOMPARE(manifest.sequence, qint64(-7));
    }

    void aManifestOfTheMostFilesIsRead()
    {
        const QString hash = QString::fromLatin1(Sha256Stream::ofData("x"));
        const QByteArray json = changedJson([&hash](QJsonObject &o) {
            QJsonArray files;
            for (int i = 1; i < 100000; ++i)
                files.append(fileEntry(QStringLiteral("d%1/%2").arg(i % 97).arg(i), hash, 1));
            files.append(fileEntry(QStringLiteral("lobby.schx"), hash, 1));
            o.insert(QStringLiteral("files"), files);
        });
        BundleManifest manifest;
        QString error;
        QVERIFY2(BundleManifest::fromJson(json, &manifest, &error), qPrintable(error));
        QCOMPARE(manifest.files.size(), 100000);
        QCOMPARE(manifest.totalSize(), qint64(100000));
    }

    void signaturesAgreeWithTheOpenSslTool()
    {
        const QString folder = m_dir->path();
        const QByteArray message = sampleManifest(Ed25519Key::generate()).toJson();
        QVERIFY(writeFile(folder + QStringLiteral("/msg"), message));
        QVERIFY(writeFile(folder + QStringLiteral("/changed"), flipped(message, 3)));

        // Ours, checked by openssl; and our PKCS#8 key read by openssl names the same public key.
        const Ed25519Key ours = Ed25519Key::generate();
        QVERIFY(writeFile(folder + QStringLiteral("/operator.pub"), ours.publicPem()));
        QVERIFY(writeFile(folder + QStringLiteral("/operator.key"), ours.privatePem()));
        QVERIFY(writeFile(folder + QStringLiteral("/sig"), ours.sign(message)));
        const QStringList verify{
            QStringLiteral("pkeyutl"),  QStringLiteral("-verify"),      QStringLiteral("-pubin"),
            QStringLiteral("-inkey"),   QStringLiteral("operator.pub"), QStringLiteral("-rawin"),
            QStringLiteral("-sigfile"), QStringLiteral("sig"),          QStringLiteral("-in")};
        OpenSslCommand run = OpenSslCommand::run(folder, verify + QStringList{QStringLiteral("msg")});
        QVERIFY2(run.succeeded(), run.output.constData());
        run = OpenSslCommand::run(folder, verify + QStringList{QStringLiteral("changed")});
        QVERIFY2(!run.succeeded(), run.output.constData());
        run = OpenSslCommand::run(folder, {QStringLiteral("pkey"), QStringLiteral("-in"),
                                           QStringLiteral("operator.key"), QStringLiteral("-pubout")});
        QVERIFY2(run.succeeded(), run.output.constData());
        QCOMPARE(run.output, ours.publicPem());

        // openssl's, checked by ours.
        run = OpenSslCommand::run(folder, {QStringLiteral("genpkey"), QStringLiteral("-algorithm"),
                                           QStringLiteral("ed25519"), QStringLiteral("-out"),
                                           QStringLiteral("theirs.key")});
        QVERIFY2(run.succeeded(), run.output.constData());
        run = OpenSslCommand::run(folder, {QStringLiteral("pkey"), QStringLiteral("-in"),
                                           QStringLiteral("theirs.key"), QStringLiteral("-pubout"),
                                           QStringLiteral("-out"), QStringLiteral("theirs.pub")});
        QVERIFY2(run.succeeded(), run.output.constData());
        run = OpenSslCommand::run(
            folder, {QStringLiteral("pkeyutl"), QStringLiteral("-sign"), QStringLiteral("-inkey"),
                     QStringLiteral("theirs.key"), QStringLiteral("-rawin"), QStringLiteral("-in"),
                     QStringLiteral("msg"), QStringLiteral("-out"), QStringLiteral("theirs.sig")});
        QVERIFY2(run.succeeded(), run.output.constData());
        QString error;
        const Ed25519Key theirs = Ed25519Key::fromPemFile(folder + QStringLiteral("/theirs.pub"), &error);
        QVERIFY2(!theirs.isNull(), qPrintable(error));
        const QByteArray theirSignature = readFile(folder + QStringLiteral("/theirs.sig"));
        QVERIFY(theirs.verify(message, theirSignature));
        QVERIFY(!theirs.verify(flipped(message, 3), theirSignature));
        // Ed25519 signatures are deterministic: the private key read from openssl's file signs alike.
        const Ed25519Key theirsPrivate =
            Ed25519Key::fromPemFile(folder + QStringLiteral("/theirs.key"), &error);
        QVERIFY2(theirsPrivate.hasPrivate(), qPrintable(error));
        QCOMPARE(theirsPrivate.sign(message), theirSignature);

        // The hex name of a key is its 32 raw bytes, the tail of the DER public key.
        run = OpenSslCommand::run(folder, {QStringLiteral("pkey"), QStringLiteral("-pubin"),
                                           QStringLiteral("-in"), QStringLiteral("theirs.pub"),
                                           QStringLiteral("-outform"), QStringLiteral("DER")});
        QVERIFY2(run.succeeded(), run.output.constData());
        QCOMPARE(theirs.publicHex(), run.output.right(32).toHex());
        QCOMPARE(theirsPrivate.publicHex(), theirs.publicHex());
    }

    void keysThatAreNotEd25519AreRefused()
    {
        const QString folder = m_dir->path();
        const OpenSslCommand run = OpenSslCommand::run(
            folder, {QStringLiteral("genpkey"), QStringLiteral("-algorithm"), QStringLiteral("EC"),
                     QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:P-256"),
                     QStringLiteral("-out"), QStringLiteral("p256.key")});
        QVERIFY2(run.succeeded(), run.output.constData());
        QString error;
        QVERIFY(Ed25519Key::fromPemFile(folder + QStringLiteral("/p256.key"), &error).isNull());
        QVERIFY2(error.contains(QStringLiteral("not an Ed25519 key")), qPrintable(error));
        error.clear();
        QVERIFY(Ed25519Key::fromPem("-----BEGIN PUBLIC KEY-----\nAAAA\n-----END PUBLIC KEY-----\n", &error)
                    .isNull());
        QVERIFY(!error.isEmpty());
        error.clear();
        QVERIFY(Ed25519Key::fromPemFile(folder + QStringLiteral("/missing.pem"), &error).isNull());
        QVERIFY2(error.contains(QStringLiteral("missing.pem")), qPrintable(error));
    }

    void copiesOutliveTheOriginal()
    {
        Ed25519Key copy;
        Ed25519Key assigned = Ed25519Key::generate();
        QByteArray publicHex;
        {
            const Ed25519Key original = Ed25519Key::generate();
            publicHex = original.publicHex();
            copy = Ed25519Key(original);
            assigned = original;
            assigned = assigned;
        }
        QVERIFY(copy.hasPrivate());
        QCOMPARE(copy.publicHex(), publicHex);
        QCOMPARE(assigned.publicHex(), publicHex);
        QVERIFY(assigned.verify("bytes", copy.sign("bytes")));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_operatorPublic;
};

QTEST_GUILESS_MAIN(TestBundleManifest)
#include "test_bundlemanifest.moc"
