#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QVector>

// One play-log row as a device uploads it: its place in the device's log file (the file's UUID
// and a sequence number that only grows in it) and what was played, when and how it ended.
struct LogRow
{
    qint64 seq = 0;
    QString name;       // as logged (a fixed label such as "Digital Clock" in either language)
    QString path;       // the item's file or address; empty when the row did not record it
    qint64 startMs = 0; // UTC, milliseconds since the epoch
    qint64 endMs = 0;
    int offsetSeconds = 0; // the device's offset from UTC at the start, east positive
    QString screen;        // the display window
    QString window;
    qint64 bundle = -1; // the bundle that played it; -1 for none
    QString hash;       // SHA-256 hex of the content, or empty
    QString outcome;    // PlayOutcomes keyword
    qint64 shownMs = 0;

    // What the summaries count the row under: its file, or its name (in English for a fixed
    // label) when it has none, as the local summary does.
    QString item() const;
    // Whether anything was on screen (PlayOutcomes::wasShown of the outcome).
    bool shown() const;
};

// An upload of play-log rows (topic lumora/v1/dev/<device>/log): qCompress'ed JSON that says
// "these are ALL rows of log file `log` with after < seq <= upTo". The sender's device is the
// topic's, never the payload's, so nothing here names one.
//
// decode() takes untrusted bytes: a size cap before and during inflating (zlib, not
// qUncompress, which trusts the stated size and grows without end), a cap on rows, and every
// field checked for type and range; one bad field refuses the whole batch.
class LogBatch
{
public:
    static constexpr qint64 MaxJsonBytes = 16 * 1024 * 1024;
    static constexpr int MaxRows = 20000;

    bool decode(const QByteArray &payload, QString *error);
    // Only for the JSON itself (tests, tools).
    bool decodeJson(const QByteArray &json, QString *error);
    // The wire form of this batch (qCompress level 6), as a device sends it.
    QByteArray encode() const;

    QStringList groups;
    QString timeZone;
    QUuid log;
    qint64 after = 0;
    qint64 upTo = 0;
    QVector<LogRow> rows;
};
