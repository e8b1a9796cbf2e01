#pragma once

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QStringList>

class Clock;
class MqttLink;
class QTimer;

// Sends the device's play-log rows to the collector and forgets none: rows go in batches above
// the sequence the collector has acknowledged for their log file, and the cursor moves only on
// that acknowledgement (a retained message on the device's "logack" topic, sent after the
// collector has stored the rows). A batch that is not acknowledged in time is sent again;
// the collector takes a row it already holds once. One batch is in flight at a time.
//
// The live log and the damaged logs set aside beside it are each a file with a UUID and its
// own sequence; a damaged file's readable rows are sent, and the file is done once the collector
// holds its whole range. Rows stay on the device until they are acknowledged AND older than the
// retention period.
//
// Batches go to lumora/v1/dev/<id>/log as LogBatch encodes them; the acknowledgement on
// lumora/v1/dev/<id>/logack, retained, is {"format":1,"logs":{"<uuid>":seq,...}}.
class PlayLogUploader : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString device;
        QStringList groups;
        QString logPath;    // the player's live log.db
        QString cursorFile; // where the acknowledged sequences are kept
        int retentionDays = 90;
        int batchRows = 2000;
        int ackTimeoutMs = 30000;
        int pollMs = 5000;
        Clock *clock = nullptr; // for the retention's "now"; nullptr: Clock::current()
    };

    PlayLogUploader(MqttLink *link, const Options &options, QObject *parent = nullptr);

    void start();
    // Sends at once what is waiting ("collect now").
    void uploadNow();
    // What the device's state says about the log: the live file, its newest row, what the
    // collector holds, the rows still to send.
    QJsonObject state() const;

signals:
    void stateChanged();

private:
    struct Pending
    {
        QString uuid;
        QString path;
        qint64 upTo = 0;
    };

    void onConnected();
    void onMessage(const QString &topic, const QByteArray &payload);
    void sendNext();
    // False when this file has nothing more to send.
    bool sendFrom(const QString &path);
    void ackTimedOut();
    void refreshBacklog();
    void removeOld();
    void loadCursors();
    void saveCursors();

    MqttLink *m_link;
    Options m_options;
    QHash<QString, qint64> m_acked;   // per log UUID
    QHash<QString, qint64> m_lastSeq; // per log UUID, as last read
    QHash<QString, QString> m_uuidOf; // per file path
    bool m_inFlight = false;
    Pending m_pending;
    QTimer *m_poll;
    QTimer *m_ackTimer;
    QTimer *m_retention;
    int m_timeouts = 0;
    qint64 m_holdUntil = 0; // no batch before this (ms since the epoch), after timeouts
    QString m_liveUuid;
    qint64 m_liveNewest = 0;
    qint64 m_backlog = 0;
    qint64 m_ackedStartSeq = -1;
    qint64 m_ackedStartMs = 0;
    QString m_lastAckAt;
    QString m_lastError;
};
