#pragma once

#include "bundlemanifest.h"

#include <QObject>
#include <QSslConfiguration>
#include <QUrl>

class ContentStore;
class QNetworkAccessManager;
class QNetworkReply;
class QFile;
class QTimer;
class Sha256Stream;

// Brings every file of a manifest into a ContentStore from the content server
// (<base>/<sha256>), one at a time, over TLS with the device's certificate. A partial file is
// resumed with a Range request; bytes are hashed as they arrive and the file is checked for
// size and hash before it is kept. A file that does not match is removed and fetched again
// from the start, up to three times. A transfer that moves no byte for `stallSeconds` is
// dropped and retried after a pause; nothing here ever blocks the event loop.
class BundleFetcher : public QObject
{
    Q_OBJECT

public:
    BundleFetcher(ContentStore *store, QObject *parent = nullptr);
    ~BundleFetcher() override;

    void setBaseUrl(const QUrl &base);
    void setSslConfiguration(const QSslConfiguration &configuration);
    void setStallSeconds(int seconds);

    // Starts (or restarts with a newer manifest) fetching every file the store lacks.
    void fetch(const BundleManifest &manifest);
    void cancel();
    bool isBusy() const;

signals:
    void progress(qint64 bytesDone, qint64 bytesTotal);
    // Every file of the manifest is in the store, whole and checked.
    void finished(qint64 sequence);
    // A file could not be had (after its retries); the fetcher tries again later by itself.
    void failed(qint64 sequence, const QString &error);
};
