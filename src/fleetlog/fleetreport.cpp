#include "fleetreport.h"

#include "log/playoutcome.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// The stored form of times ("yyyy-MM-dd HH:mm:ss:zzz"), as the local summary shows them.
const char *const StartFormat = "'YYYY-MM-DD HH24:MI:SS:MS'";

} // namespace

FleetReport::FleetReport(const QSqlDatabase &db)
    : m_db(db)
{}

bool FleetReport::byFromText(const QString &text, By *by)
{
    static const struct
    {
        const char *name;
        By by;
    } names[] = {{"item", By::Item},
                 {"device", By::Device},
                 {"group", By::Group},
                 {"day", By::Day},
                 {"hour", By::Hour}};
    for (const auto &n : names) {
        if (text == QLatin1String(n.name)) {
            *by = n.by;
            return true;
        }
    }
    return false;
}

QString FleetReport::where(const Filter &filter, const QString &time, QVariantList *values) const
{
    QStringList conditions;
    // Local dates: both tables keep the device's wall time, so a day is the device's day.
    if (filter.from.isValid()) {
        conditions << time + QStringLiteral(" >= cast(? as timestamp)");
        *values << filter.from.toString(Qt::ISODate);
    }
    if (filter.to.isValid()) {
        conditions << time + QStringLiteral(" < cast(? as timestamp)");
        *values << filter.to.addDays(1).toString(Qt::ISODate);
    }
    if (!filter.device.isEmpty()) {
        conditions << QStringLiteral("device = ?");
        *values << filter.device;
    }
    if (!filter.group.isEmpty()) {
        conditions << QStringLiteral("device in (select device from devices where ? = any(groups))");
        *values << filter.group;
    }
    if (!filter.item.isEmpty()) {
        conditions << QStringLiteral("item = ?");
        *values << filter.item;
    }
    if (!filter.keyword.isEmpty()) {
        QString escaped;
        for (const QChar c : filter.keyword) {
            if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
                escaped += QLatin1Char('\\');
            escaped += c;
        }
        QString condition = QStringLiteral("(name ilike ? escape '\\'");
        *values << QString(QLatin1Char('%') + escaped + QLatin1Char('%'));
        for (const QString &label : PlayOutcomes::storedNamesMatching(filter.keyword)) {
            condition += QStringLiteral(" or name = ?");
            *values << label;
        }
        conditions << condition + QLatin1Char(')');
    }
    return conditions.isEmpty() ? QString()
                                : QStringLiteral(" where ") + conditions.join(QStringLiteral(" and "));
}

bool FleetReport::summary(const Filter &filter, By by, QVector<SummaryRow> *rows)
{
    QVariantList values;
    QString key;
    QString from = QStringLiteral("play_hours h");
    QString groupBy;
    switch (by) {
    case By::Item:
        // An item without a file is its name (item); one with a file shows a name it was logged under.
        key = QStringLiteral("case when path = '' then item else min(name) end");
        groupBy = QStringLiteral("path, item order by %1 collate \"C\", path collate \"C\"").arg(key);
        break;
    case By::Device:
        key = QStringLiteral("device");
        groupBy = QStringLiteral("device order by device collate \"C\"");
        break;
    case By::Group:
        // A device in two groups counts in both.
        key = QStringLiteral("g");
        from = QStringLiteral("play_hours h join devices d using (device) cross join unnest(d.groups) g");
        groupBy = QStringLiteral("g order by g collate \"C\"");
        break;
    case By::Day:
        key = QStringLiteral("to_char(hour, 'YYYY-MM-DD')");
        groupBy = QStringLiteral("1 order by 1");
        break;
    case By::Hour:
        key = QStringLiteral("to_char(hour, 'YYYY-MM-DD HH24')");
        groupBy = QStringLiteral("1 order by 1");
        break;
    }
    const QString sql =
        QStringLiteral("select %1, sum(plays), sum(shown_ms), to_char(min(first_start), %2), "
                       "to_char(max(last_start), %2), sum(not_shown), %3 from %4%5 group by %6")
            .arg(key, QLatin1String(StartFormat),
                 by == By::Item ? QStringLiteral("path") : QStringLiteral("''"), from,
                 where(filter, QStringLiteral("hour"), &values), groupBy);
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        m_error = query.lastError().text().trimmed();
        return false;
    }
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        m_error = query.lastError().text().trimmed();
        return false;
    }
    while (query.next()) {
        SummaryRow row;
        row.key = query.value(0).toString();
        row.sums.name = row.key;
        row.sums.plays = query.value(1).toLongLong();
        row.sums.shownMs = query.value(2).toLongLong();
        row.sums.firstPlay = query.value(3).toString();
        row.sums.lastPlay = query.value(4).toString();
        row.sums.notShown = query.value(5).toLongLong();
        row.sums.path = query.value(6).toString();
        rows->append(row);
    }
    return true;
}

bool FleetReport::search(const Filter &filter, const std::function<bool(const SearchRow &)> &row)
{
    QVariantList values;
    const QString sql = QStringLiteral("select device, name, path, to_char(local_start, 'YYYY-MM-DD'), "
                                       "to_char(local_start, 'HH24:MI:SS:MS'), "
                                       "to_char(local_end, 'YYYY-MM-DD'), to_char(local_end, "
                                       "'HH24:MI:SS:MS'), outcome, shown_ms, screen, win, "
                                       "bundle, content_hash from (select *, timestamp '1970-01-01' + "
                                       "(end_ms + utc_offset_s * 1000::bigint) * interval '1 millisecond' as "
                                       "local_end, min(start_ms) over (partition by device, log_uuid) as "
                                       "log_first from play_rows%1) r "
                                       "order by device collate \"C\", log_first, log_uuid, seq")
                            .arg(where(filter, QStringLiteral("local_start"), &values));
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        m_error = query.lastError().text().trimmed();
        return false;
    }
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        m_error = query.lastError().text().trimmed();
        return false;
    }
    SearchRow out;
    while (query.next()) {
        out.device = query.value(0).toString();
        PlayLogEntry &e = out.entry;
        e.name = query.value(1).toString();
        e.path = query.value(2).toString();
        e.beginDate = query.value(3).toString();
        e.beginTime = query.value(4).toString();
        e.endDate = query.value(5).toString();
        e.endTime = query.value(6).toString();
        e.outcome = query.value(7).toString();
        e.shownMs = query.value(8).toLongLong();
        // As the player logs the length: seconds shown, rounded.
        e.length = QString::number((qMax<qint64>(0, e.shownMs) + 500) / 1000);
        e.result = PlayOutcomes::resultText(PlayOutcomes::fromKeyword(e.outcome));
        out.screen = query.value(9).toString();
        out.window = query.value(10).toString();
        out.bundle = query.value(11).isNull() ? -1 : query.value(11).toLongLong();
        out.hash = query.value(12).toString();
        if (!row(out))
            break;
    }
    if (query.lastError().isValid()) {
        m_error = query.lastError().text().trimmed();
        return false;
    }
    return true;
}

bool FleetReport::devices(QStringList *devices, QStringList *groups)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select device from devices order by device collate \"C\""))) {
        m_error = query.lastError().text().trimmed();
        return false;
    }
    while (query.next())
        devices->append(query.value(0).toString());
    if (!query.exec(QStringLiteral(
            "select g from devices cross join unnest(groups) g group by g order by g collate \"C\""))) {
        m_error = query.lastError().text().trimmed();
        return false;
    }
    while (query.next())
        groups->append(query.value(0).toString());
    return true;
}
