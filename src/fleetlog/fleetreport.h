#pragma once

#include "log/playlogentry.h"
#include "log/playlogsummaryrow.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

// Searches and summaries over the fleet's central play log (FleetLogStore). Dates, days, hours
// and the times shown are each device's own local time, as its rows logged it.
//
// The summary reads only the summary kept at ingest (play_hours), never the raw rows; the
// search reads the raw rows through their time index.
class FleetReport
{
public:
    struct Filter
    {
        QDate from;      // first local start date, inclusive; null: open
        QDate to;        // last local start date, inclusive; null: open
        QString keyword; // part of the name, literal, case ignored; fixed labels in either language
        QString device;
        QString group;
        QString item; // the item: its file or address, or its name when it has none
    };

    enum class By { Item, Device, Group, Day, Hour };
    static bool byFromText(const QString &text, By *by);

    struct SummaryRow
    {
        QString key; // the device, group, day "yyyy-MM-dd" or hour "yyyy-MM-dd HH"; for items the name
        PlayLogSummaryRow sums; // name == key; path only for items
    };

    struct SearchRow
    {
        QString device;
        PlayLogEntry entry; // name, length (seconds shown), local begin and end, result, path, outcome
        QString screen;
        QString window;
        qint64 bundle = -1;
        QString hash;
    };

    explicit FleetReport(const QSqlDatabase &db);

    bool summary(const Filter &filter, By by, QVector<SummaryRow> *rows);
    // Rows by device, and a device's rows in the order it logged them: by log file (the older
    // first) and sequence, never by the times they carry, which a clock set back or a change of
    // summer time puts out of order. `row` returns false to stop.
    bool search(const Filter &filter, const std::function<bool(const SearchRow &)> &row);

    // Every device the store knows and every group one of them is in, each sorted by name.
    bool devices(QStringList *devices, QStringList *groups);

    QString errorText() const { return m_error; }

private:
    // "where ..." over the columns both tables have; `time` is the local start column.
    QString where(const Filter &filter, const QString &time, QVariantList *values) const;

    QSqlDatabase m_db;
    QString m_error;
};
