#include "contentserver.h"
#include "fleet/bundlefetcher.h"
#include "fleet/contentstore.h"
#include "fleet/sha256stream.h"
#include "fleetservers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslKey>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWaitMs = 120000;

QByteArray generated(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    for (int i = size / 4 * 4; i < size; ++i)
        bytes[i] = char(random.generate());
    return bytes;
}

BundleFile bundleFile(const QString &name, const QByteArray &bytes)
{
    BundleFile file;
    file.name = name;
    file.sha256 = Sha256Stream::ofData(bytes);
    file.size = bytes.size();
    return file;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
}

// A file under a content name is always whole and right: every hit of this on any signal counts.
struct WrongFileWatch
{
    const ContentStore *store;
    QVector<BundleFile> files;
    int wrong = 0;

    void check()
    {
        for (const BundleFile &file : files) {
            const QString path = store->filePath(file.sha256);
            if (QFileInfo::exists(path) && Sha256Stream::ofFile(path) != file.sha256)
                ++wrong;
        }
    }
};

} // namespace

class TestBundleFetcher : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_pkiDir;
    std::unique_ptr<TestPki> m_pki;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ContentStore> m_store;
    QByteArray m_clip; // a few MB: many reads and writes per file, time to interrupt it

    QSslConfiguration ssl(const QString &certName, bool otherCa = false, bool trustOtherCa = false)
    {
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        if (!certName.isEmpty()) {
            QString cert, key, error;
            if (!m_pki->client(certName, &cert, &key, &error, false, otherCa))
                qFatal("%s", qPrintable(error));
            QFile certFile(cert), keyFile(key);
            if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly))
                qFatal("cannot read %s", qPrintable(cert));
            configuration.setLocalCertificate(QSslCertificate(certFile.readAll(), QSsl::Pem));
            configuration.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Ec, QSsl::Pem));
        }
        const QString ca = trustOtherCa ? m_pki->folder() + QStringLiteral("/other-ca.crt") : m_pki->caCert();
        configuration.setCaCertificates(QSslCertificate::fromPath(ca, QSsl::Pem));
        configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
        return configuration;
    }

    std::unique_ptr<BundleFetcher> fetcher(const TestContentServer &server,
                                           const QSslConfiguration &configuration)
    {
        std::unique_ptr<BundleFetcher> fetcher(new BundleFetcher(m_store.get()));
        fetcher->setBaseUrl(server.url());
        fetcher->setSslConfiguration(configuration);
        return fetcher;
    }

    QString folder(const QString &name) const { return m_dir->filePath(name); }

private slots:
    void initTestCase()
    {
        m_pkiDir.reset(new QTemporaryDir);
        QVERIFY(m_pkiDir->isValid());
        m_pki.reset(new TestPki(m_pkiDir->path()));
        QString error;
        QVERIFY2(m_pki->init(&error), qPrintable(error));
        m_clip = generated(6 * 1024 * 1024 + 123, 1);
    }

    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_store.reset(new ContentStore(folder(QStringLiteral("store"))));
        QString error;
        QVERIFY2(m_store->ensureFolders(&error), qPrintable(error));
    }

    // Only a partial file of the right size and hash gets a content name, and no name from
    // outside ever becomes a path.
    void storeKeepsOnlyWholeRightFiles()
    {
        const QByteArray bytes = generated(100000, 2);
        const QByteArray sha = Sha256Stream::ofData(bytes);
        QString error;

        for (const QByteArray &bad :
             {QByteArray("../../etc/passwd"), sha.toUpper(), sha.left(63), QByteArray(sha).append('0')}) {
            QVERIFY(m_store->filePath(bad).isEmpty());
            QVERIFY(m_store->partialPath(bad).isEmpty());
            QVERIFY(!m_store->has(bad, 0));
            QVERIFY(!m_store->commit(bad, 0, &error));
        }

        QVERIFY(writeFile(m_store->partialPath(sha), bytes.left(99999)));
        QVERIFY(!m_store->commit(sha, bytes.size(), &error));
        QVERIFY2(error.contains(QStringLiteral("99999")), qPrintable(error));
        QVERIFY(!QFileInfo::exists(m_store->partialPath(sha)));

        QByteArray flipped = bytes;
        flipped[5000] = char(flipped.at(5000) ^ 1);
        QVERIFY(writeFile(m_store->partialPath(sha), flipped));
        QVERIFY(!m_store->commit(sha, bytes.size(), &error));
        QVERIFY2(error.contains(QString::fromLatin1(Sha256Stream::ofData(flipped))), qPrintable(error));
        QVERIFY(!QFileInfo::exists(m_store->partialPath(sha)));

        QVERIFY(!m_store->has(sha, bytes.size()));
        QVERIFY(namesIn(folder(QStringLiteral("store/files"))).isEmpty());

        QVERIFY(writeFile(m_store->partialPath(sha), bytes));
        QVERIFY2(m_store->commit(sha, bytes.size(), &error), qPrintable(error));
        QVERIFY(!QFileInfo::exists(m_store->partialPath(sha)));
        QCOMPARE(Sha256Stream::ofFile(m_store->filePath(sha)), sha);
        QVERIFY(m_store->has(sha, bytes.size()));
        QVERIFY(!m_store->has(sha, bytes.size() + 1));
        QVERIFY(m_store->freeBytes() > 0);
        QVERIFY(ContentStore(folder(QStringLiteral("not/yet/there"))).freeBytes() > 0);
    }

    void removeAllButRemovesWhatNoKeptBundleUses()
    {
        QVector<QByteArray> contents;
        for (quint32 seed = 10; seed < 16; ++seed)
            contents.append(generated(1000 + int(seed), seed));
        QVector<QByteArray> hashes;
        QString error;
        for (const QByteArray &bytes : contents) {
            hashes.append(Sha256Stream::ofData(bytes));
            QVERIFY(writeFile(m_store->partialPath(hashes.last()), bytes));
            QVERIFY2(m_store->commit(hashes.last(), bytes.size(), &error), qPrintable(error));
        }
        // Bundles 1..3; 2 and 3 are kept. Hash 1 is in 1 and 2, hash 3 in 2 and 3.
        const QVector<QVector<int>> bundles{{0, 1}, {1, 2, 3}, {3, 4}};
        QSet<QByteArray> keep;
        for (int bundle : {1, 2}) {
            for (int index : bundles.at(bundle))
                keep.insert(hashes.at(index));
        }
        // A download of the kept bundle under way, one of a forgotten bundle, a stray file.
        const QByteArray newer = Sha256Stream::ofData("newer");
        keep.insert(newer);
        QVERIFY(writeFile(m_store->partialPath(newer), "new"));
        const QByteArray forgotten = Sha256Stream::ofData("forgotten");
        QVERIFY(writeFile(m_store->partialPath(forgotten), "forg"));
        QVERIFY(writeFile(folder(QStringLiteral("store/files/notes.txt")), "x"));

        QCOMPARE(m_store->removeAllBut(keep), 4); // hashes 0 and 5, the forgotten download, the stray file
        for (int index = 0; index < hashes.size(); ++index) {
            const bool kept = keep.contains(hashes.at(index));
            QCOMPARE(m_store->has(hashes.at(index), contents.at(index).size()), kept);
            QCOMPARE(index == 0 || index == 5, !kept);
        }
        QVERIFY(QFileInfo::exists(m_store->partialPath(newer)));
        QVERIFY(!QFileInfo::exists(m_store->partialPath(forgotten)));
        QVERIFY(!QFileInfo::exists(folder(QStringLiteral("store/files/notes.txt"))));
        QCOMPARE(m_store->removeAllBut(keep), 0);
    }

    // A bundle comes whole, every file checked; what the store holds is not asked for, a content
    // used twice is fetched once, and progress counts up to the manifest's bytes.
    void bundleArrivesWholeAndChecked()
    {
        TestContentServer server(*m_pki, folder(QStringLiteral("server")));
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));

        const QByteArray scheme = R"({"screens":[{"name":"front","width":192,"height":64}]})";
        const QByteArray logo = generated(50000, 3);
        const QByteArray held = generated(20000, 4);
        BundleManifest manifest;
        manifest.sequence = 7;
        manifest.scheme = QStringLiteral("scheme");
        manifest.files = {bundleFile(QStringLiteral("scheme"), scheme),
                          bundleFile(QStringLiteral("media/clip.bin"), m_clip),
                          bundleFile(QStringLiteral("media/logo.png"), logo),
                          bundleFile(QStringLiteral("media/again/logo.png"), logo),
                          bundleFile(QStringLiteral("media/held.bin"), held),
                          bundleFile(QStringLiteral("media/empty.txt"), QByteArray())};
        for (const QByteArray &bytes : {scheme, m_clip, logo, QByteArray()})
            QVERIFY(server.put(QString::fromLatin1(Sha256Stream::ofData(bytes)), bytes));
        // Not on the server at all: asking for it would fail.
        const QByteArray heldSha = Sha256Stream::ofData(held);
        QVERIFY(writeFile(m_store->partialPath(heldSha), held));
        QVERIFY2(m_store->commit(heldSha, held.size(), &error), qPrintable(error));

        auto device = fetcher(server, ssl(QStringLiteral("dev-a")));
        QSignalSpy finished(device.get(), &BundleFetcher::finished);
        QSignalSpy failed(device.get(), &BundleFetcher::failed);
        QSignalSpy progress(device.get(), &BundleFetcher::progress);
        device->fetch(manifest);
        QVERIFY(device->isBusy());
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
        QCOMPARE(failed.count(), 0);
        QCOMPARE(finished.at(0).at(0).toLongLong(), Q_INT64_C(7));
        QVERIFY(!device->isBusy());

        for (const BundleFile &file : manifest.files) {
            QVERIFY2(m_store->has(file.sha256, file.size), qPrintable(file.name));
            QCOMPARE(Sha256Stream::ofFile(m_store->filePath(file.sha256)), file.sha256);
        }
        QVERIFY(namesIn(folder(QStringLiteral("store/partial"))).isEmpty());

        const qint64 total = scheme.size() + m_clip.size() + logo.size() + held.size();
        QVERIFY(progress.count() > 2);
        qint64 last = -1;
        for (const QList<QVariant> &arguments : qAsConst(progress)) {
            QCOMPARE(arguments.at(1).toLongLong(), total);
            QVERIFY(arguments.at(0).toLongLong() >= last);
            last = arguments.at(0).toLongLong();
        }
        QCOMPARE(last, total);

        for (const QByteArray &bytes : {scheme, m_clip, logo, QByteArray()}) {
            const QString name = QString::fromLatin1(Sha256Stream::ofData(bytes));
            QTRY_COMPARE_WITH_TIMEOUT(server.requestsFor(name).size(), 1, kWaitMs);
            const TestContentServer::Request request = server.requestsFor(name).at(0);
            QCOMPARE(request.status, 200);
            QVERIFY(request.range.isEmpty());
            QCOMPARE(request.bytesSent, qint64(bytes.size()));
            QCOMPARE(request.client, QStringLiteral("CN=dev-a"));
        }
        QVERIFY(server.requestsFor(QString::fromLatin1(heldSha)).isEmpty());

        // Nothing left to do: finished again without a request.
        const int requests = server.requests().size();
        device->fetch(manifest);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, kWaitMs);
        QCOMPARE(server.requests().size(), requests);
    }

    // What an earlier run left in partial/ is hashed, then only the rest is asked for.
    void partialFileIsResumedWithRange()
    {
        TestContentServer server(*m_pki, folder(QStringLiteral("server")));
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));
        const BundleFile clip = bundleFile(QStringLiteral("clip.bin"), m_clip);
        QVERIFY(server.put(QString::fromLatin1(clip.sha256), m_clip));
        const int had = 2500000;
        QVERIFY(writeFile(m_store->partialPath(clip.sha256), m_clip.left(had)));

        BundleManifest manifest;
        manifest.sequence = 3;
        manifest.files = {clip};
        auto device = fetcher(server, ssl(QStringLiteral("dev-a")));
        QSignalSpy finished(device.get(), &BundleFetcher::finished);
        QSignalSpy failed(device.get(), &BundleFetcher::failed);
        QSignalSpy progress(device.get(), &BundleFetcher::progress);
        device->fetch(manifest);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
        QCOMPARE(failed.count(), 0);
        QCOMPARE(Sha256Stream::ofFile(m_store->filePath(clip.sha256)), clip.sha256);
        QVERIFY(!QFileInfo::exists(m_store->partialPath(clip.sha256)));
        // The bytes that were there count as done from the start.
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.at(0).at(0).toLongLong(), qint64(had));

        QTRY_COMPARE_WITH_TIMEOUT(server.requestsFor(QString::fromLatin1(clip.sha256)).size(), 1, kWaitMs);
        const TestContentServer::Request request = server.requestsFor(QString::fromLatin1(clip.sha256)).at(0);
        QCOMPARE(request.range, QStringLiteral("bytes=%1-").arg(had));
        QCOMPARE(request.status, 206);
        QCOMPARE(request.bytesSent, qint64(m_clip.size() - had));
    }

    void interruptedDownloadResumes_data()
    {
        QTest::addColumn<bool>("replaceFetcher");
        QTest::newRow("the server stops answering") << false;
        QTest::newRow("the fetcher is replaced") << true;
    }

    // Cut off in the middle of a file, by a server that stops answering or by the end of the
    // fetcher, a download goes on from where it was, and no wrong file ever gets the name.
    void interruptedDownloadResumes()
    {
        QFETCH(bool, replaceFetcher);
        TestContentServer server(*m_pki, folder(QStringLiteral("server")));
        // Slow enough to be caught in the middle: about three seconds for the whole file.
        server.setRateLimit(2 * 1024 * 1024);
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));
        const BundleFile clip = bundleFile(QStringLiteral("clip.bin"), m_clip);
        const QString name = QString::fromLatin1(clip.sha256);
        QVERIFY(server.put(name, m_clip));
        BundleManifest manifest;
        manifest.sequence = 11;
        manifest.files = {clip};
        const QString partial = m_store->partialPath(clip.sha256);
        const QString whole = m_store->filePath(clip.sha256);

        WrongFileWatch watch{m_store.get(), manifest.files};
        auto device = fetcher(server, ssl(QStringLiteral("dev-a")));
        device->setStallSeconds(2);
        QSignalSpy failed(device.get(), &BundleFetcher::failed);
        connect(device.get(), &BundleFetcher::progress, this, [&watch] { watch.check(); });
        device->fetch(manifest);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(partial).size() > 512 * 1024, kWaitMs);

        if (replaceFetcher) {
            device.reset();
            QVERIFY(QFileInfo(partial).size() < m_clip.size());
            QVERIFY(!QFileInfo::exists(whole));
            device = fetcher(server, ssl(QStringLiteral("dev-a")));
            connect(device.get(), &BundleFetcher::progress, this, [&watch] { watch.check(); });
        } else {
            QVERIFY(server.pause());
            QTRY_VERIFY_WITH_TIMEOUT(failed.count() >= 1, kWaitMs);
            QVERIFY2(failed.at(0).at(1).toString().contains(QStringLiteral("no byte for 2 s")),
                     qPrintable(failed.at(0).at(1).toString()));
            QCOMPARE(failed.at(0).at(0).toLongLong(), Q_INT64_C(11));
            QVERIFY(device->isBusy());
            QVERIFY(QFileInfo(partial).size() < m_clip.size());
            QVERIFY(!QFileInfo::exists(whole));
            QVERIFY(server.resume());
        }
        const qint64 resumedFrom = QFileInfo(partial).size();
        QVERIFY(resumedFrom > 0);

        QSignalSpy finished(device.get(), &BundleFetcher::finished);
        if (replaceFetcher)
            device->fetch(manifest);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
        QCOMPARE(Sha256Stream::ofFile(whole), clip.sha256);
        QVERIFY(!QFileInfo::exists(partial));
        QCOMPARE(watch.wrong, 0);

        // The interrupted request, and one for the rest from where the partial file ended.
        const QString rest = QStringLiteral("bytes=%1-").arg(resumedFrom);
        const auto logged = [&server, &name, &rest, this](bool *cut, qint64 *restSent) {
            *cut = false;
            *restSent = -1;
            for (const TestContentServer::Request &request : server.requestsFor(name)) {
                if (request.range.isEmpty() && request.status == 200 && request.bytesSent < m_clip.size())
                    *cut = true;
                if (request.range == rest && request.status == 206)
                    *restSent = request.bytesSent;
            }
            return *cut && *restSent >= 0;
        };
        bool cut = false;
        qint64 restSent = -1;
        QTRY_VERIFY_WITH_TIMEOUT(logged(&cut, &restSent), kWaitMs);
        QCOMPARE(restSent, m_clip.size() - resumedFrom);
    }

    // Bytes that are not the manifest's never get a content name: the partial file is dropped
    // and the file fetched again, three more times, then failed() until the server is mended.
    // A partial file the server's file cannot continue (416) or that starts wrong is dropped too.
    void mismatchingFileIsRefusedAndFetchedAgain()
    {
        TestContentServer server(*m_pki, folder(QStringLiteral("server")));
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));
        const QByteArray a = generated(300000, 20);
        const QByteArray b = generated(200000, 21);
        const QByteArray c = generated(400000, 22);
        BundleManifest manifest;
        manifest.sequence = 5;
        manifest.files = {bundleFile(QStringLiteral("b.bin"), b), bundleFile(QStringLiteral("a.bin"), a),
                          bundleFile(QStringLiteral("c.bin"), c)};
        const QString nameA = QString::fromLatin1(manifest.files.at(1).sha256);
        const QString nameB = QString::fromLatin1(manifest.files.at(0).sha256);
        const QString nameC = QString::fromLatin1(manifest.files.at(2).sha256);
        QByteArray wrongA = a;
        wrongA[150000] = char(wrongA.at(150000) ^ 0x40);
        QVERIFY(server.put(nameA, wrongA));
        QVERIFY(server.put(nameB, generated(1000, 23)));
        QVERIFY(server.put(nameC, c));
        QVERIFY(writeFile(m_store->partialPath(manifest.files.at(0).sha256), b.left(50000)));
        QVERIFY(writeFile(m_store->partialPath(manifest.files.at(2).sha256), generated(100000, 24)));

        WrongFileWatch watch{m_store.get(), manifest.files};
        auto device = fetcher(server, ssl(QStringLiteral("dev-a")));
        QSignalSpy finished(device.get(), &BundleFetcher::finished);
        QSignalSpy failed(device.get(), &BundleFetcher::failed);
        connect(device.get(), &BundleFetcher::progress, this, [&watch] { watch.check(); });
        connect(device.get(), &BundleFetcher::failed, this, [&watch] { watch.check(); });

        device->fetch(manifest);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, kWaitMs);
        QVERIFY2(failed.at(0).at(1).toString().contains(nameB), qPrintable(failed.at(0).at(1).toString()));
        QVERIFY(device->isBusy());
        QTRY_COMPARE_WITH_TIMEOUT(server.requestsFor(nameB).size(), 5, kWaitMs);
        QVector<TestContentServer::Request> requests = server.requestsFor(nameB);
        QCOMPARE(requests.at(0).range, QStringLiteral("bytes=50000-"));
        QCOMPARE(requests.at(0).status, 416);
        for (int i = 1; i < 5; ++i) {
            QCOMPARE(requests.at(i).status, 200);
            QVERIFY(requests.at(i).range.isEmpty());
        }
        QVERIFY(!QFileInfo::exists(m_store->filePath(manifest.files.at(0).sha256)));
        QVERIFY(!QFileInfo::exists(m_store->partialPath(manifest.files.at(0).sha256)));
        QVERIFY(server.requestsFor(nameA).isEmpty());

        QVERIFY(server.put(nameB, b));
        device->fetch(manifest);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 2, kWaitMs);
        QVERIFY2(failed.at(1).at(1).toString().contains(nameA), qPrintable(failed.at(1).at(1).toString()));
        QVERIFY(m_store->has(manifest.files.at(0).sha256, b.size()));
        QTRY_COMPARE_WITH_TIMEOUT(server.requestsFor(nameA).size(), 4, kWaitMs);
        for (const TestContentServer::Request &request : server.requestsFor(nameA)) {
            QCOMPARE(request.status, 200);
            QCOMPARE(request.bytesSent, qint64(a.size()));
        }
        QVERIFY(!QFileInfo::exists(m_store->filePath(manifest.files.at(1).sha256)));
        QVERIFY(!QFileInfo::exists(m_store->partialPath(manifest.files.at(1).sha256)));
        QCOMPARE(finished.count(), 0);

        QVERIFY(server.put(nameA, a));
        device->fetch(manifest);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
        QCOMPARE(failed.count(), 2);
        QCOMPARE(watch.wrong, 0);
        for (const BundleFile &file : manifest.files)
            QCOMPARE(Sha256Stream::ofFile(m_store->filePath(file.sha256)), file.sha256);
        // The wrong start of c was taken up, found wrong at the end, and c fetched from zero.
        QTRY_COMPARE_WITH_TIMEOUT(server.requestsFor(nameC).size(), 2, kWaitMs);
        requests = server.requestsFor(nameC);
        QCOMPARE(requests.at(0).range, QStringLiteral("bytes=100000-"));
        QCOMPARE(requests.at(0).status, 206);
        QCOMPARE(requests.at(1).status, 200);
        QVERIFY(requests.at(1).range.isEmpty());
        QVERIFY(namesIn(folder(QStringLiteral("store/partial"))).isEmpty());
    }

    void refusedDeviceGetsNoFile_data()
    {
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<bool>("otherCa");
        QTest::addColumn<bool>("trustOtherCa");
        QTest::addColumn<int>("status"); // what the server logs, 0 for no request at all
        QTest::newRow("certificate of another CA") << QStringLiteral("dev-x") << true << false << 400;
        QTest::newRow("no certificate") << QString() << false << false << 400;
        QTest::newRow("server of another CA") << QStringLiteral("dev-a") << false << true << 0;
    }

    // A device the server does not know, or a server the device does not know: no byte is
    // taken, failed() says why, and the fetcher keeps trying by itself.
    void refusedDeviceGetsNoFile()
    {
        QFETCH(QString, certificate);
        QFETCH(bool, otherCa);
        QFETCH(bool, trustOtherCa);
        QFETCH(int, status);
        TestContentServer server(*m_pki, folder(QStringLiteral("server")));
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));
        const QByteArray bytes = generated(30000, 30);
        const BundleFile file = bundleFile(QStringLiteral("f.bin"), bytes);
        QVERIFY(server.put(QString::fromLatin1(file.sha256), bytes));
        BundleManifest manifest;
        manifest.sequence = 9;
        manifest.files = {file};

        auto device = fetcher(server, ssl(certificate, otherCa, trustOtherCa));
        QSignalSpy finished(device.get(), &BundleFetcher::finished);
        QSignalSpy failed(device.get(), &BundleFetcher::failed);
        device->fetch(manifest);
        QTRY_VERIFY_WITH_TIMEOUT(failed.count() >= 2, kWaitMs);
        QCOMPARE(failed.at(0).at(0).toLongLong(), Q_INT64_C(9));
        const QString why = failed.at(0).at(1).toString();
        if (status != 0)
            QVERIFY2(why.contains(QString::number(status)), qPrintable(why));
        else
            QVERIFY2(why.contains(QStringLiteral("SSL"), Qt::CaseInsensitive), qPrintable(why));
        QVERIFY(device->isBusy());
        QCOMPARE(finished.count(), 0);
        QVERIFY(namesIn(folder(QStringLiteral("store/files"))).isEmpty());
        QVERIFY(namesIn(folder(QStringLiteral("store/partial"))).isEmpty());
        const QVector<TestContentServer::Request> requests =
            server.requestsFor(QString::fromLatin1(file.sha256));
        for (const TestContentServer::Request &request : requests) {
            QCOMPARE(request.status, status);
            QVERIFY(request.bytesSent < 1000); // the refusal page, never the file
        }
        if (status != 0)
            QTRY_VERIFY_WITH_TIMEOUT(!server.requestsFor(QString::fromLatin1(file.sha256)).isEmpty(),
                                     kWaitMs);
        else
            QVERIFY(requests.isEmpty());
        device->cancel();
        QVERIFY(!device->isBusy());
    }

    // A disk that takes no more: failed() tells why, the partial file is left as it is, and the
    // download goes on once there is room.
    void writeErrorFailsAndKeepsThePartialFile()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full here");
        TestContentServer server(*m_pki, folder(QStringLiteral("server")));
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));
        const BundleFile clip = bundleFile(QStringLiteral("clip.bin"), m_clip);
        QVERIFY(server.put(QString::fromLatin1(clip.sha256), m_clip));
        BundleManifest manifest;
        manifest.sequence = 4;
        manifest.files = {clip};
        const QString partial = m_store->partialPath(clip.sha256);
        // Every write to it fails as on a full disk (ENOSPC).
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), partial));
        // Opening it to append seeks to its end, which a device cannot.
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("Cannot call seek on a sequential device")));

        auto device = fetcher(server, ssl(QStringLiteral("dev-a")));
        QSignalSpy finished(device.get(), &BundleFetcher::finished);
        QSignalSpy failed(device.get(), &BundleFetcher::failed);
        device->fetch(manifest);
        QTRY_VERIFY_WITH_TIMEOUT(failed.count() >= 1, kWaitMs);
        const QString why = failed.at(0).at(1).toString();
        QVERIFY2(why.contains(QStringLiteral("No space left on device")) && why.contains(partial),
                 qPrintable(why));
        QVERIFY(QFileInfo(partial).isSymLink());
        QVERIFY(!QFileInfo::exists(m_store->filePath(clip.sha256)));
        QCOMPARE(finished.count(), 0);

        device->cancel();
        QVERIFY(QFile::remove(partial));
        device->fetch(manifest);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
        QCOMPARE(Sha256Stream::ofFile(m_store->filePath(clip.sha256)), clip.sha256);
    }
};

QTEST_GUILESS_MAIN(TestBundleFetcher)
#include "test_bundlefetcher.moc"
