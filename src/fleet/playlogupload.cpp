#include "playlogupload.h"

#include "clock/clock.h"
#include "fleetlog/logbatch.h"
#include "fleettopics.h"
#include "log/logfilekeeper.h"
#include "log/playlogexport.h"
#include "mqttlink.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTimeZone>
#include <QTimer>

namespace {

constexpr qint64 DayMs = 24 * 3600 * 1000LL;
constexpr int RetentionCheckMs = 6 * 3600 * 1000;
constexpr int MaxHoldMs = 10 * 60 * 1000;

LogRow wireRow(const PlayLogExportRow &row)
{
    LogRow wire;
    wire.seq = row.seq;
    wire.name = row.name;
    wire.path = row.path;
    wire.startMs = row.startUtcMs;
    wire.endMs = row.endUtcMs;
    wire.offsetSeconds = row.utcOffset;
    wire.screen = row.screen;
    wire.window = row.window;
    wire.bundle = row.bundle > 0 ? row.bundle : -1;
    wire.hash = row.hash;
    wire.outcome = row.outcome;
    wire.shownMs = row.shownMs;
    return wire;
}

} // namespace

PlayLogUploader::PlayLogUploader(MqttLink *link, const Options &options, QObject *parent)
    : QObject(parent)
    , m_link(link)
    , m_options(options)
    , m_poll(new QTimer(this))
    , m_ackTimer(new QTimer(this))
    , m_retention(new QTimer(this))
{
    m_poll->setInterval(m_options.pollMs);
    connect(m_poll, &QTimer::timeout, this, [this] {
        refreshBacklog();
        sendNext();
    });
    m_ackTimer->setSingleShot(true);
    connect(m_ackTimer, &QTimer::timeout, this, &PlayLogUploader::ackTimedOut);
    m_retention->setInterval(RetentionCheckMs);
    connect(m_retention, &QTimer::timeout, this, &PlayLogUploader::removeOld);
}

void PlayLogUploader::start()
{
    loadCursors();
    connect(m_link, &MqttLink::connected, this, &PlayLogUploader::onConnected);
    connect(m_link, &MqttLink::messageReceived, this,
            [this](const QString &topic, const QByteArray &payload, bool) { onMessage(topic, payload); });
    if (m_link->isConnected())
        onConnected();
    m_poll->start();
    m_retention->start();
    QTimer::singleShot(0, this, [this] {
        refreshBacklog();
        removeOld();
    });
}

void PlayLogUploader::uploadNow()
{
    m_holdUntil = 0;
    refreshBacklog();
    sendNext();
}

void PlayLogUploader::onConnected()
{
    // A batch sent before the link went down may or may not have arrived: the retained
    // acknowledgement that comes with the subscription says which, so wait a moment for it.
    m_inFlight = false;
    m_ackTimer->stop();
    m_holdUntil = 0;
    m_link->subscribe(FleetTopics::device(m_options.device, QStringLiteral("logack")));
    QTimer::singleShot(1000, this, &PlayLogUploader::sendNext);
}

void PlayLogUploader::onMessage(const QString &topic, const QByteArray &payload)
{
    if (topic != FleetTopics::device(m_options.device, QStringLiteral("logack")))
        return;
    const QJsonObject logs =
        QJsonDocument::fromJson(payload).object().value(QStringLiteral("logs")).toObject();
    bool moved = false;
    for (auto it = logs.begin(); it != logs.end(); ++it) {
        const qint64 seq = qint64(it.value().toDouble());
        // Never back: a collector that lost its store is sent nothing twice by this device.
        if (seq > m_acked.value(it.key(), 0)) {
            m_acked.insert(it.key(), seq);
            moved = true;
        }
    }
    if (moved) {
        saveCursors();
        m_lastAckAt = QDateTime::fromMSecsSinceEpoch(
                          (m_options.clock ? m_options.clock : &Clock::current())->msecsSinceEpoch(), Qt::UTC)
                          .toString(Qt::ISODate);
    }
    if (m_inFlight && m_acked.value(m_pending.uuid, 0) >= m_pending.upTo) {
        m_inFlight = false;
        m_ackTimer->stop();
        m_timeouts = 0;
        m_lastError.clear();
        // The backlog goes on at once, not at the next poll.
        QTimer::singleShot(0, this, &PlayLogUploader::sendNext);
    }
    if (moved) {
        refreshBacklog();
        emit stateChanged();
    }
}

void PlayLogUploader::sendNext()
{
    if (m_inFlight || !m_link->isConnected())
        return;
    if (m_holdUntil > 0 && QDateTime::currentMSecsSinceEpoch() < m_holdUntil)
        return;
    // Older files first: a damaged log set aside holds the older rows.
    QStringList files = LogFileKeeper::setAsideFiles(m_options.logPath);
    files.append(m_options.logPath);
    for (const QString &path : qAsConst(files)) {
        if (sendFrom(path))
            return;
    }
}

bool PlayLogUploader::sendFrom(const QString &path)
{
    PlayLogExport file(path);
    QString uuid;
    qint64 lastSeq = 0;
    if (!file.identity(&uuid, &lastSeq))
        return false;
    m_uuidOf.insert(path, uuid);
    m_lastSeq.insert(uuid, lastSeq);
    const qint64 acked = m_acked.value(uuid, 0);
    QVector<PlayLogExportRow> rows;
    const bool whole = file.rowsAfter(acked, m_options.batchRows, &rows);
    qint64 upTo = rows.isEmpty() ? 0 : rows.constLast().seq;
    if (rows.isEmpty()) {
        if (lastSeq <= acked)
            return false;
        // Numbers given but no row left to read (a damaged file): the range is sent empty, so
        // that the collector's cursor passes it and the file is done.
        if (whole && lastSeq > acked)
            qWarning().noquote() << QStringLiteral("play log %1: rows %2 to %3 are gone")
                                        .arg(uuid)
                                        .arg(acked + 1)
                                        .arg(lastSeq);
        upTo = lastSeq;
    }
    if (!whole && !rows.isEmpty())
        m_lastError = QStringLiteral("%1: %2").arg(path, file.errorText());
    LogBatch batch;
    batch.groups = m_options.groups;
    batch.timeZone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    batch.log = QUuid::fromString(uuid);
    batch.after = acked;
    batch.upTo = upTo;
    batch.rows.reserve(rows.size());
    for (const PlayLogExportRow &row : qAsConst(rows))
        batch.rows.append(wireRow(row));
    if (m_link->publish(FleetTopics::device(m_options.device, QStringLiteral("log")), batch.encode(), 1,
                        false) < 0)
        return true;
    m_inFlight = true;
    m_pending = Pending{uuid, path, upTo};
    m_ackTimer->start(m_options.ackTimeoutMs);
    return true;
}

void PlayLogUploader::ackTimedOut()
{
    // Sent again from the acknowledged cursor, after a pause that grows while no collector
    // answers, so that a fleet without one is not flooded with the same rows.
    m_inFlight = false;
    ++m_timeouts;
    const qint64 hold = qMin<qint64>(qint64(m_options.ackTimeoutMs) << qMin(m_timeouts, 8), MaxHoldMs);
    m_holdUntil = QDateTime::currentMSecsSinceEpoch() + hold;
    m_lastError = QStringLiteral("no acknowledgement from the collector");
    emit stateChanged();
}

void PlayLogUploader::refreshBacklog()
{
    qint64 backlog = 0;
    const qint64 newestBefore = m_liveNewest;
    const qint64 ackedStartBefore = m_ackedStartMs;
    QStringList files = LogFileKeeper::setAsideFiles(m_options.logPath);
    files.append(m_options.logPath);
    for (const QString &path : qAsConst(files)) {
        PlayLogExport file(path);
        QString uuid;
        qint64 lastSeq = 0;
        if (!file.identity(&uuid, &lastSeq))
            continue;
        m_uuidOf.insert(path, uuid);
        m_lastSeq.insert(uuid, lastSeq);
        if (path == m_options.logPath) {
            m_liveUuid = uuid;
            m_liveNewest = lastSeq;
            const qint64 acked = m_acked.value(uuid, 0);
            if (acked != m_ackedStartSeq) {
                m_ackedStartSeq = acked;
                m_ackedStartMs = acked > 0 ? file.startOf(acked) : 0;
            }
        }
        const qint64 acked = m_acked.value(uuid, 0);
        if (lastSeq > acked) {
            const qint64 count = file.countAfter(acked);
            backlog += count >= 0 ? count : lastSeq - acked;
        }
    }
    if (backlog != m_backlog || m_liveNewest != newestBefore || m_ackedStartMs != ackedStartBefore) {
        m_backlog = backlog;
        emit stateChanged();
    }
}

void PlayLogUploader::removeOld()
{
    if (m_options.retentionDays <= 0)
        return;
    PlayLogExport file(m_options.logPath);
    QString uuid;
    qint64 lastSeq = 0;
    if (!file.identity(&uuid, &lastSeq) || m_acked.value(uuid, 0) <= 0)
        return;
    const qint64 before = (m_options.clock ? m_options.clock : &Clock::current())->msecsSinceEpoch() -
                          m_options.retentionDays * DayMs;
    const int removed = file.removeDelivered(m_acked.value(uuid), before);
    if (removed > 0)
        qInfo().noquote() << QStringLiteral("play log: %1 delivered rows older than %2 days removed")
                                 .arg(removed)
                                 .arg(m_options.retentionDays);
}

QJsonObject PlayLogUploader::state() const
{
    QJsonObject state{{QStringLiteral("log"), m_liveUuid},
                      {QStringLiteral("newest"), m_liveNewest},
                      {QStringLiteral("acked"), m_acked.value(m_liveUuid, 0)},
                      {QStringLiteral("backlog"), m_backlog}};
    if (!m_lastAckAt.isEmpty())
        state.insert(QStringLiteral("lastAck"), m_lastAckAt);
    // What the operator reads as "delivered up to": when the newest row the collector holds began.
    if (m_ackedStartMs > 0)
        state.insert(QStringLiteral("ackedStart"),
                     QDateTime::fromMSecsSinceEpoch(m_ackedStartMs, Qt::UTC).toString(Qt::ISODate));
    if (!m_lastError.isEmpty())
        state.insert(QStringLiteral("error"), m_lastError);
    return state;
}

void PlayLogUploader::loadCursors()
{
    QFile file(m_options.cursorFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject logs = QJsonDocument::fromJson(file.readAll()).object();
    for (auto it = logs.begin(); it != logs.end(); ++it)
        m_acked.insert(it.key(), qint64(it.value().toDouble()));
}

void PlayLogUploader::saveCursors()
{
    QJsonObject logs;
    for (auto it = m_acked.cbegin(); it != m_acked.cend(); ++it)
        logs.insert(it.key(), it.value());
    QSaveFile file(m_options.cursorFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(logs).toJson()) < 0 || !file.commit())
        m_lastError = QStringLiteral("%1: %2").arg(m_options.cursorFile, file.errorString());
}
