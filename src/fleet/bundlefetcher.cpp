#include "bundlefetcher.h"

#include "contentstore.h"
#include "sha256stream.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <QTimer>

namespace {

constexpr int kRefetches = 3;
constexpr int kFirstPauseMs = 1000;
constexpr int kLongestPauseMs = 60000;
constexpr qint64 kBlock = 1 << 20;

// The first byte a 206 answer carries, -1 when its Content-Range cannot be read.
qint64 rangeStart(const QNetworkReply *reply)
{
    static const QRegularExpression pattern(QStringLiteral("^bytes\\s+(\\d+)-(\\d+)/(\\d+|\\*)$"));
    const QRegularExpressionMatch match =
        pattern.match(QString::fromLatin1(reply->rawHeader("Content-Range").trimmed()));
    if (!match.hasMatch())
        return -1;
    bool ok = false;
    const qint64 start = match.captured(1).toLongLong(&ok);
    return ok ? start : -1;
}

} // namespace

BundleFetcher::BundleFetcher(ContentStore *store, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_network(new QNetworkAccessManager(this))
    , m_stallTimer(new QTimer(this))
    , m_retryTimer(new QTimer(this))
{
    m_stallTimer->setSingleShot(true);
    m_retryTimer->setSingleShot(true);
    connect(m_stallTimer, &QTimer::timeout, this, &BundleFetcher::onStalled);
    connect(m_retryTimer, &QTimer::timeout, this, &BundleFetcher::startFile);
}

BundleFetcher::~BundleFetcher()
{
    cancel();
    // A hash or a move into the store runs to its end; neither takes long enough to matter here.
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

void BundleFetcher::setBaseUrl(const QUrl &base)
{
    m_base = base;
}

void BundleFetcher::setSslConfiguration(const QSslConfiguration &configuration)
{
    m_ssl = configuration;
}

void BundleFetcher::setStallSeconds(int seconds)
{
    m_stallSeconds = qMax(1, seconds);
}

void BundleFetcher::fetch(const BundleManifest &manifest)
{
    cancel();
    m_sequence = manifest.sequence;
    m_queue.clear();
    m_totalBytes = 0;
    QSet<QByteArray> seen;
    for (const BundleFile &file : manifest.files) {
        if (!Sha256Stream::isHexDigest(file.sha256) || file.size < 0) {
            // Never fetchable, so not worth trying again either.
            const QString why =
                QStringLiteral("the file \"%1\" has no valid content name or size").arg(file.name);
            QTimer::singleShot(0, this, [this, why, sequence = m_sequence, generation = m_generation] {
                if (generation == m_generation)
                    emit failed(sequence, why);
            });
            return;
        }
        if (seen.contains(file.sha256))
            continue;
        seen.insert(file.sha256);
        m_queue.append(file);
        m_totalBytes += file.size;
    }
    m_index = 0;
    m_doneBytes = 0;
    m_refetches.clear();
    m_pauseMs = kFirstPauseMs;
    m_busy = true;
    // Signals come from the event loop, never from inside this call.
    m_retryTimer->start(0);
}

void BundleFetcher::cancel()
{
    ++m_generation;
    dropReply();
    closeFile();
    m_retryTimer->stop();
    m_startWhenIdle = false;
    m_busy = false;
}

bool BundleFetcher::isBusy() const
{
    return m_busy;
}

void BundleFetcher::startFile()
{
    if (!m_busy)
        return;
    if (m_worker) {
        m_startWhenIdle = true;
        return;
    }
    while (m_index < m_queue.size() && m_store->has(current().sha256, current().size)) {
        QFile::remove(m_store->partialPath(current().sha256));
        m_doneBytes += current().size;
        ++m_index;
    }
    if (m_index >= m_queue.size()) {
        m_busy = false;
        emitProgress();
        emit finished(m_sequence);
        return;
    }
    QString error;
    if (!m_store->ensureFolders(&error)) {
        retryLater(error, m_pauseMs);
        return;
    }
    const BundleFile file = current();
    const QString path = m_store->partialPath(file.sha256);
    const QFileInfo info(path);
    const qint64 length = info.exists() ? info.size() : -1;
    if (length > file.size) {
        // Longer than the file: it cannot be the start of it.
        restartFromZero();
        return;
    }
    if (length == file.size) {
        commitFile();
        return;
    }
    if (length <= 0 || (m_hashOf == file.sha256 && m_hashed == length)) {
        if (length <= 0) {
            forgetHash();
            m_hash.reset(new Sha256Stream);
            m_hashOf = file.sha256;
        }
        sendRequest();
        return;
    }
    // What an earlier run left is hashed before it is resumed, away from the event loop: it
    // can be most of a file of gigabytes on a slow card.
    forgetHash();
    struct Hashed
    {
        std::unique_ptr<Sha256Stream> stream{new Sha256Stream};
        bool ok = false;
    };
    auto hashed = std::make_shared<Hashed>();
    runWorker(
        [path, length, hashed] {
            QFile partial(path);
            if (!partial.open(QIODevice::ReadOnly))
                return;
            QByteArray block(int(kBlock), Qt::Uninitialized);
            qint64 left = length;
            while (left > 0) {
                const qint64 got = partial.read(block.data(), qMin(left, kBlock));
                if (got <= 0)
                    return;
                hashed->stream->add(block.constData(), got);
                left -= got;
            }
            hashed->ok = true;
        },
        [this, hashed, file, length] {
            if (!hashed->ok) {
                discardPartial();
                retryLater(QStringLiteral("cannot read %1").arg(m_store->partialPath(file.sha256)),
                           m_pauseMs);
                return;
            }
            m_hash = std::move(hashed->stream);
            m_hashOf = file.sha256;
            m_hashed = length;
            emitProgress();
            startFile();
        });
}

void BundleFetcher::sendRequest()
{
    const BundleFile &file = current();
    QUrl url = m_base;
    QString path = url.path();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    url.setPath(path + QString::fromLatin1(file.sha256));
    QNetworkRequest request(url);
    request.setSslConfiguration(m_ssl);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    // Bytes as stored, never a compressed form: ranges are counted in them and they are hashed.
    request.setRawHeader("Accept-Encoding", "identity");
    m_requestedFrom = m_hashed;
    if (m_requestedFrom > 0)
        request.setRawHeader("Range", "bytes=" + QByteArray::number(m_requestedFrom) + '-');
    m_answerTaken = false;
    m_moved = false;
    m_reply = m_network->get(request);
    // The reply holds no more than this much; the rest waits in the socket until it is written.
    m_reply->setReadBufferSize(4 * kBlock);
    connect(m_reply, &QNetworkReply::readyRead, this, &BundleFetcher::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &BundleFetcher::onFinished);
    m_stallTimer->start(m_stallSeconds * 1000);
}

// Opened only once bytes come: a refused request leaves nothing behind.
bool BundleFetcher::openPartial()
{
    const QString path = m_store->partialPath(current().sha256);
    m_file = new QFile(path);
    // Unbuffered: what write() took is on its way to the disk, and what it refused is known.
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        writeFailed(QStringLiteral("cannot write %1: %2").arg(path, m_file->errorString()));
        return false;
    }
    if (m_file->size() != m_hashed) {
        // Changed by someone else since it was hashed.
        dropReply();
        closeFile();
        forgetHash();
        retryLater(QStringLiteral("%1 changed while it was read").arg(path), m_pauseMs);
        return false;
    }
    return true;
}

// False when the answer is not the file's bytes from where the partial file ends; what comes
// next is then already under way.
bool BundleFetcher::acceptAnswer()
{
    m_answerTaken = true;
    const QVariant code = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!code.isValid()) {
        const QString why = QStringLiteral("%1: %2").arg(m_reply->url().toString(), m_reply->errorString());
        dropReply();
        closeFile();
        retryLater(why, m_pauseMs);
        return false;
    }
    const int status = code.toInt();
    if ((status == 200 || (status == 206 && m_requestedFrom > 0 && rangeStart(m_reply) == m_requestedFrom)) &&
        !openPartial())
        return false;
    if (status == 200) {
        if (m_hashed > 0) {
            // The server sends the whole file after all: start over.
            forgetHash();
            if (!m_file->resize(0)) {
                writeFailed(
                    QStringLiteral("cannot write %1: %2").arg(m_file->fileName(), m_file->errorString()));
                return false;
            }
            m_hash.reset(new Sha256Stream);
            m_hashOf = current().sha256;
        }
        return true;
    }
    if ((status == 206 && (m_requestedFrom == 0 || rangeStart(m_reply) != m_requestedFrom)) ||
        (status == 416 && m_requestedFrom > 0)) {
        // A range past the end of the server's file, or an answer that does not continue the
        // partial file: that file is not the start of this one. Without it, no Range goes out.
        dropReply();
        restartFromZero();
        return false;
    }
    if (status == 206)
        return true;
    const QString why = QStringLiteral("%1: %2 %3")
                            .arg(m_reply->url().toString())
                            .arg(status)
                            .arg(m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    dropReply();
    closeFile();
    retryLater(why, m_pauseMs);
    return false;
}

bool BundleFetcher::writeAvailable()
{
    const BundleFile &file = current();
    bool wrote = false;
    while (m_reply->bytesAvailable() > 0) {
        const QByteArray block = m_reply->read(qMin(m_reply->bytesAvailable(), kBlock));
        if (block.isEmpty())
            break;
        if (m_hashed + block.size() > file.size) {
            // Whatever it is, it is not this file; and it must not fill the disk.
            dropReply();
            discardPartial();
            mismatch(QStringLiteral("%1 arrived with more than %2 bytes")
                         .arg(QString::fromLatin1(file.sha256))
                         .arg(file.size));
            return false;
        }
        if (m_file->write(block) != block.size()) {
            writeFailed(QStringLiteral("cannot write %1: %2").arg(m_file->fileName(), m_file->errorString()));
            return false;
        }
        m_hash->add(block);
        m_hashed += block.size();
        wrote = true;
    }
    if (wrote) {
        m_moved = true;
        m_stallTimer->start(m_stallSeconds * 1000);
        emitProgress();
    }
    return true;
}

void BundleFetcher::onReadyRead()
{
    if (!m_answerTaken && !acceptAnswer())
        return;
    writeAvailable();
}

void BundleFetcher::onFinished()
{
    m_stallTimer->stop();
    if (!m_answerTaken && !acceptAnswer())
        return;
    if (!writeAvailable())
        return;
    if (m_reply->error() != QNetworkReply::NoError) {
        const QString why = QStringLiteral("%1: %2").arg(m_reply->url().toString(), m_reply->errorString());
        dropReply();
        closeFile();
        retryLater(why, m_pauseMs);
        return;
    }
    dropReply();
    closeFile();
    const BundleFile &file = current();
    if (m_hashed != file.size) {
        const QString why = QStringLiteral("%1 arrived with %2 bytes, not %3")
                                .arg(QString::fromLatin1(file.sha256))
                                .arg(m_hashed)
                                .arg(file.size);
        discardPartial();
        mismatch(why);
        return;
    }
    const QByteArray digest = m_hash->hexDigest();
    forgetHash();
    if (digest != file.sha256) {
        discardPartial();
        mismatch(QStringLiteral("%1 arrived with the hash %2")
                     .arg(QString::fromLatin1(file.sha256), QString::fromLatin1(digest)));
        return;
    }
    commitFile();
}

void BundleFetcher::onStalled()
{
    if (!m_reply)
        return;
    const QString why =
        QStringLiteral("%1: no byte for %2 s").arg(m_reply->url().toString()).arg(m_stallSeconds);
    dropReply();
    closeFile();
    retryLater(why, m_pauseMs);
}

void BundleFetcher::commitFile()
{
    closeFile();
    forgetHash();
    const BundleFile file = current();
    struct Committed
    {
        bool ok = false;
        QString error;
    };
    auto committed = std::make_shared<Committed>();
    // Its own store object: the work reads nothing of this one's while it runs.
    const QString folder = m_store->folder();
    runWorker(
        [folder, file, committed] {
            ContentStore store(folder);
            committed->ok = store.commit(file.sha256, file.size, &committed->error);
        },
        [this, committed] {
            if (committed->ok)
                fileDone();
            else
                mismatch(committed->error);
        });
}

void BundleFetcher::fileDone()
{
    m_doneBytes += current().size;
    ++m_index;
    m_pauseMs = kFirstPauseMs;
    emitProgress();
    startFile();
}

void BundleFetcher::mismatch(const QString &why)
{
    forgetHash();
    int &refetches = m_refetches[current().sha256];
    if (refetches < kRefetches) {
        ++refetches;
        startFile();
        return;
    }
    // The server holds something else under this name. Trying again at once would only move
    // the same wrong bytes; until a newer fetch(), one try in a long while.
    m_moved = false;
    retryLater(why, kLongestPauseMs);
}

// The timer is set before the signal, so a receiver that cancels or fetches anew wins.
void BundleFetcher::retryLater(const QString &why, int pauseMs)
{
    if (m_moved)
        pauseMs = kFirstPauseMs;
    m_moved = false;
    m_retryTimer->start(pauseMs);
    m_pauseMs = qMin(pauseMs * 2, kLongestPauseMs);
    emit failed(m_sequence, why);
}

// The partial file stays as it is: the bytes in it are good, only no more fit.
void BundleFetcher::writeFailed(const QString &why)
{
    dropReply();
    closeFile();
    forgetHash();
    m_moved = false;
    retryLater(why, m_pauseMs);
}

bool BundleFetcher::discardPartial()
{
    closeFile();
    forgetHash();
    const QString path = m_store->partialPath(current().sha256);
    return QFile::remove(path) || !QFileInfo::exists(path);
}

void BundleFetcher::restartFromZero()
{
    if (!discardPartial()) {
        retryLater(QStringLiteral("cannot remove %1").arg(m_store->partialPath(current().sha256)), m_pauseMs);
        return;
    }
    startFile();
}

void BundleFetcher::dropReply()
{
    m_stallTimer->stop();
    if (!m_reply)
        return;
    disconnect(m_reply, nullptr, this, nullptr);
    // Aborting a reply that ended already (in an error) makes Qt complain about a second error.
    if (m_reply->isRunning())
        m_reply->abort();
    m_reply->deleteLater();
    m_reply = nullptr;
}

void BundleFetcher::closeFile()
{
    if (!m_file)
        return;
    m_file->close();
    delete m_file;
    m_file = nullptr;
}

void BundleFetcher::forgetHash()
{
    m_hash.reset();
    m_hashOf.clear();
    m_hashed = 0;
}

void BundleFetcher::emitProgress()
{
    qint64 current = 0;
    if (m_index < m_queue.size() && m_hashOf == m_queue.at(m_index).sha256)
        current = m_hashed;
    emit progress(m_doneBytes + current, m_totalBytes);
}

void BundleFetcher::runWorker(std::function<void()> work, std::function<void()> done)
{
    const quint64 generation = m_generation;
    m_worker = QThread::create(std::move(work));
    connect(m_worker, &QThread::finished, this, [this, generation, done] {
        m_worker->deleteLater();
        m_worker = nullptr;
        if (generation == m_generation) {
            done();
        } else if (m_startWhenIdle) {
            m_startWhenIdle = false;
            startFile();
        }
    });
    m_worker->start();
}
