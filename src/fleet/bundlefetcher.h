#pragma once

#include "bundlemanifest.h"

#include <QHash>
#include <QObject>
#include <QSslConfiguration>
#include <QUrl>

#include <functional>
#include <memory>

class ContentStore;
class QNetworkAccessManager;
class QNetworkReply;
class QFile;
class QThread;
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

private:
    const BundleFile &current() const { return m_queue.at(m_index); }
    void startFile();
    void sendRequest();
    bool openPartial();
    bool acceptAnswer();
    bool writeAvailable();
    void onReadyRead();
    void onFinished();
    void onStalled();
    void commitFile();
    void fileDone();
    void mismatch(const QString &why);
    void retryLater(const QString &why, int pauseMs);
    void writeFailed(const QString &why);
    bool discardPartial();
    void restartFromZero();
    void dropReply();
    void closeFile();
    void forgetHash();
    void emitProgress();
    // Runs `work` on a thread of its own and `done` back here, unless a cancel came in between.
    void runWorker(std::function<void()> work, std::function<void()> done);

    ContentStore *m_store;
    QNetworkAccessManager *m_network;
    QUrl m_base;
    QSslConfiguration m_ssl;
    int m_stallSeconds = 30;
    QTimer *m_stallTimer;
    QTimer *m_retryTimer;
    QThread *m_worker = nullptr;
    bool m_startWhenIdle = false;

    bool m_busy = false;
    quint64 m_generation = 0;
    qint64 m_sequence = 0;
    QVector<BundleFile> m_queue; // each content once
    int m_index = 0;
    qint64 m_doneBytes = 0;
    qint64 m_totalBytes = 0;
    QHash<QByteArray, int> m_refetches;
    int m_pauseMs = 1000;

    QNetworkReply *m_reply = nullptr;
    bool m_answerTaken = false;
    bool m_moved = false; // this attempt wrote bytes: the next pause is a short one
    qint64 m_requestedFrom = 0;
    QFile *m_file = nullptr;
    // The hash over the first m_hashed bytes of partial/<m_hashOf>, all of them on the disk;
    // kept across attempts so a retry does not read the file again.
    std::unique_ptr<Sha256Stream> m_hash;
    QByteArray m_hashOf;
    qint64 m_hashed = 0;
};
