#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QString>

class LogBatch;

// The fleet's central proof-of-play store in PostgreSQL: every play-log row of every device,
// the cursor up to which each of the devices' log files is held without a gap, and a summary
// per device, local hour and item kept at ingest, so that reports over a month of a large
// fleet read the summary and never the raw rows. The schema is made and brought up to date
// by open(); its version is in lumora_meta.
//
//   devices(device, groups, time_zone, first_seen, last_batch)
//   log_cursors(device, log_uuid, acked)
//   play_rows(device, log_uuid, seq, name, path, item, start_ms, end_ms, utc_offset_s,
//             local_start, screen, win, bundle, content_hash, outcome, shown, shown_ms)
//   play_hours(device, hour, path, item, name, plays, not_shown, shown_ms, first_start, last_start)
//
// local_start and hour are the device's own wall time (start + the offset it logged), so that
// days and hours are the device's wherever the store is. The summary grows only from rows an
// insert actually added: a batch sent twice counts once.
class FleetLogStore
{
public:
    // A libpq URI: postgresql://[user[:password]@][host][:port][/dbname][?param=value&...];
    // a Unix socket folder as host (percent-encoded) or as ?host=/folder.
    explicit FleetLogStore(const QString &address,
                           const QString &connectionName = QStringLiteral("fleetlog"));
    ~FleetLogStore();
    FleetLogStore(const FleetLogStore &) = delete;
    FleetLogStore &operator=(const FleetLogStore &) = delete;

    static constexpr int SchemaVersion = 1;

    // Connects and makes or migrates the schema (the collector).
    bool open(QString *error);
    // Connects to a store the collector made, changing nothing (the reports).
    bool openForReading(QString *error);
    QSqlDatabase database() const;

    struct Stored
    {
        qint64 inserted = 0;          // rows new to the store
        QHash<QString, qint64> acked; // every log file of the device (UUID without braces) -> cursor
    };
    // Stores a batch of `device` in one transaction: the device's groups and zone, the rows
    // (those already held are left), the summary of the new ones, the cursor (moved to
    // max(cursor, upTo) when the batch starts at or below it). On failure nothing is kept
    // and the connection is dropped, to be made again by the next call.
    bool store(const QString &device, const LogBatch &batch, Stored *stored, QString *error);

    // Fills the database's connection fields from a URI (exposed for the reports' tests).
    static bool applyAddress(const QString &address, QSqlDatabase *db, QString *error);

private:
    bool connectDatabase(QString *error);
    bool migrate(QString *error);
    bool prepareStatements(QString *error);
    void drop();

    QString m_address;
    QString m_connectionName;
    bool m_writer = false;
    struct Statements;
    Statements *m_statements = nullptr;
};
