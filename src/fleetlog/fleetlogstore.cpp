#include "fleetlogstore.h"

#include "logbatch.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <QVariant>

namespace {

// The schema, one step per version; a step runs once, in the transaction that records it.
const char *const Migrations[] = {
    // 1
    R"(
create table devices (
    device text primary key,
    groups text[] not null default '{}',
    time_zone text not null default '',
    first_seen timestamptz not null default now(),
    last_batch timestamptz not null default now());
create table log_cursors (
    device text not null,
    log_uuid uuid not null,
    acked bigint not null default 0,
    primary key (device, log_uuid));
create table play_rows (
    device text not null,
    log_uuid uuid not null,
    seq bigint not null,
    name text not null,
    path text not null,
    item text not null,
    start_ms bigint not null,
    end_ms bigint not null,
    utc_offset_s integer not null,
    local_start timestamp not null,
    screen text not null,
    win text not null,
    bundle bigint,
    content_hash text not null,
    outcome text not null,
    shown boolean not null,
    shown_ms bigint not null,
    primary key (device, log_uuid, seq));
create index play_rows_local_start on play_rows (local_start);
create index play_rows_device_start on play_rows (device, local_start);
create table play_hours (
    device text not null,
    hour timestamp not null,
    path text not null,
    item text not null,
    name text not null,
    plays bigint not null,
    not_shown bigint not null,
    shown_ms bigint not null,
    first_start timestamp not null,
    last_start timestamp not null,
    primary key (device, hour, path, item));
create index play_hours_hour on play_hours (hour);
)",
};

// Any number taken by both the collector and a second one started by mistake: migrations
// never run side by side.
constexpr qint64 MigrationLock = 0x4c756d6f7261; // "Lumora"

QString sqlError(const QSqlQuery &query)
{
    return query.lastError().text().trimmed();
}

// A JSON string without QJsonDocument's detour through a tree: the rows go to PostgreSQL as
// one json parameter of tens of thousands of objects.
void appendJsonString(QByteArray *out, const QString &text)
{
    out->append('"');
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        const auto u = uchar(c);
        if (c == '"' || c == '\\') {
            out->append('\\').append(c);
        } else if (u < 0x20) {
            char escaped[8];
            qsnprintf(escaped, sizeof escaped, "\\u%04x", u);
            out->append(escaped);
        } else {
            out->append(c);
        }
    }
    out->append('"');
}

QByteArray rowsJson(const LogBatch &batch)
{
    QByteArray out;
    out.reserve(batch.rows.size() * 320);
    out.append('[');
    for (const LogRow &row : batch.rows) {
        if (out.size() > 1)
            out.append(',');
        out.append("{\"seq\":").append(QByteArray::number(row.seq));
        out.append(",\"name\":");
        appendJsonString(&out, row.name);
        out.append(",\"path\":");
        appendJsonString(&out, row.path);
        out.append(",\"item\":");
        appendJsonString(&out, row.item());
        out.append(",\"start_ms\":").append(QByteArray::number(row.startMs));
        out.append(",\"end_ms\":").append(QByteArray::number(row.endMs));
        out.append(",\"utc_offset_s\":").append(QByteArray::number(row.offsetSeconds));
        out.append(",\"screen\":");
        appendJsonString(&out, row.screen);
        out.append(",\"win\":");
        appendJsonString(&out, row.window);
        out.append(",\"bundle\":")
            .append(row.bundle < 0 ? QByteArray("null") : QByteArray::number(row.bundle));
        out.append(",\"content_hash\":");
        appendJsonString(&out, row.hash.toLower());
        out.append(",\"outcome\":");
        appendJsonString(&out, row.outcome);
        out.append(",\"shown\":").append(row.shown() ? "true" : "false");
        out.append(",\"shown_ms\":").append(QByteArray::number(row.shownMs)).append('}');
    }
    out.append(']');
    return out;
}

} // namespace

struct FleetLogStore::Statements
{
    explicit Statements(const QSqlDatabase &db)
        : device(db)
        , rows(db)
        , cursor(db)
        , cursors(db)
    {}
    QSqlQuery device;
    QSqlQuery rows;
    QSqlQuery cursor;
    QSqlQuery cursors;
};

FleetLogStore::FleetLogStore(const QString &address, const QString &connectionName)
    : m_address(address)
    , m_connectionName(connectionName)
{}

FleetLogStore::~FleetLogStore()
{
    drop();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase FleetLogStore::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool FleetLogStore::applyAddress(const QString &address, QSqlDatabase *db, QString *error)
{
    // QUrl takes neither an empty host with a user nor a percent-encoded folder as host, both
    // of which libpq reads: the authority is taken apart here.
    QString rest = address;
    if (rest.startsWith(QLatin1String("postgresql://")))
        rest = rest.mid(13);
    else if (rest.startsWith(QLatin1String("postgres://")))
        rest = rest.mid(11);
    else {
        *error = QStringLiteral("\"%1\" is no postgresql:// address").arg(address);
        return false;
    }
    QString query;
    const int question = rest.indexOf(QLatin1Char('?'));
    if (question >= 0) {
        query = rest.mid(question + 1);
        rest.truncate(question);
    }
    QString dbname;
    const int slash = rest.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
        dbname = QUrl::fromPercentEncoding(rest.mid(slash + 1).toUtf8());
        rest.truncate(slash);
    }
    const int at = rest.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QString userInfo = rest.left(at);
        rest = rest.mid(at + 1);
        const int colon = userInfo.indexOf(QLatin1Char(':'));
        db->setUserName(QUrl::fromPercentEncoding(userInfo.left(colon).toUtf8()));
        if (colon >= 0)
            db->setPassword(QUrl::fromPercentEncoding(userInfo.mid(colon + 1).toUtf8()));
    }
    QString host = rest;
    const int portColon = host.startsWith(QLatin1Char('[')) ? host.indexOf(QLatin1String("]:")) + 1
                                                            : host.lastIndexOf(QLatin1Char(':'));
    if (portColon > 0) {
        bool ok = false;
        const int port = host.mid(portColon + 1).toInt(&ok);
        if (!ok || port <= 0 || port > 65535) {
            *error = QStringLiteral("\"%1\" has no valid port").arg(address);
            return false;
        }
        db->setPort(port);
        host.truncate(portColon);
    }
    host = QUrl::fromPercentEncoding(host.toUtf8());
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    QStringList options;
    for (const auto &item : QUrlQuery(query).queryItems(QUrl::FullyDecoded)) {
        if (item.first == QLatin1String("host"))
            host = item.second;
        else if (item.first == QLatin1String("port"))
            db->setPort(item.second.toInt());
        else if (item.first == QLatin1String("dbname"))
            dbname = item.second;
        else if (item.first == QLatin1String("user"))
            db->setUserName(item.second);
        else if (item.first == QLatin1String("password"))
            db->setPassword(item.second);
        else if (!item.first.contains(QLatin1Char(';')) && !item.second.contains(QLatin1Char(';')))
            options << item.first + QLatin1Char('=') + item.second;
    }
    db->setHostName(host);
    db->setDatabaseName(dbname);
    db->setConnectOptions(options.join(QLatin1Char(';')));
    return true;
}

bool FleetLogStore::connectDatabase(QString *error)
{
    drop();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        *error = QStringLiteral("Qt's PostgreSQL driver is not installed (Debian: libqt5sql5-psql)");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                          ? QSqlDatabase::database(m_connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
    if (!applyAddress(m_address, &db, error))
        return false;
    if (!db.open()) {
        *error = QStringLiteral("cannot connect to %1: %2").arg(m_address, db.lastError().text().trimmed());
        return false;
    }
    QSqlQuery settings(db);
    // Times are formatted by the queries; the session's zone must not move them.
    settings.exec(QStringLiteral("set time zone 'UTC'"));
    // "already exists, skipping" and the like are not the operator's business.
    settings.exec(QStringLiteral("set client_min_messages to warning"));
    return true;
}

bool FleetLogStore::open(QString *error)
{
    m_writer = true;
    return connectDatabase(error) && migrate(error) && prepareStatements(error);
}

bool FleetLogStore::openForReading(QString *error)
{
    m_writer = false;
    if (!connectDatabase(error))
        return false;
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("select value from lumora_meta where key = 'schema'")) || !query.next()) {
        *error = QStringLiteral("%1 holds no fleet play log (lumora-fleet collect makes it)").arg(m_address);
        return false;
    }
    if (query.value(0).toInt() > SchemaVersion) {
        *error = QStringLiteral("%1 was made by a newer Lumora (schema %2)")
                     .arg(m_address)
                     .arg(query.value(0).toInt());
        return false;
    }
    return true;
}

bool FleetLogStore::migrate(QString *error)
{
    QSqlDatabase db = database();
    if (!db.transaction()) {
        *error = db.lastError().text().trimmed();
        return false;
    }
    QSqlQuery query(db);
    auto fail = [&](const QString &what) {
        *error = QStringLiteral("%1: %2").arg(what, sqlError(query));
        db.rollback();
        return false;
    };
    if (!query.exec(QStringLiteral("select pg_advisory_xact_lock(%1)").arg(MigrationLock)))
        return fail(QStringLiteral("cannot lock the schema"));
    if (!query.exec(QStringLiteral(
            "create table if not exists lumora_meta (key text primary key, value text not null)")))
        return fail(QStringLiteral("cannot make lumora_meta"));
    int version = 0;
    if (!query.exec(QStringLiteral("select value from lumora_meta where key = 'schema'")))
        return fail(QStringLiteral("cannot read the schema version"));
    if (query.next())
        version = query.value(0).toInt();
    if (version > SchemaVersion) {
        *error = QStringLiteral("the store was made by a newer Lumora (schema %1)").arg(version);
        db.rollback();
        return false;
    }
    for (int step = version; step < SchemaVersion; ++step) {
        if (!query.exec(QString::fromUtf8(Migrations[step])))
            return fail(QStringLiteral("schema step %1").arg(step + 1));
    }
    if (version < SchemaVersion &&
        !query.exec(QStringLiteral("insert into lumora_meta values ('schema', '%1') "
                                   "on conflict (key) do update set value = excluded.value")
                        .arg(SchemaVersion)))
        return fail(QStringLiteral("cannot record the schema version"));
    query.finish();
    if (!db.commit()) {
        *error = db.lastError().text().trimmed();
        db.rollback();
        return false;
    }
    return true;
}

bool FleetLogStore::prepareStatements(QString *error)
{
    m_statements = new Statements(database());
    Statements &s = *m_statements;
    const bool ok =
        s.device.prepare(QStringLiteral(
            "insert into devices (device, groups, time_zone) "
            "select ?, array(select json_array_elements_text(cast(? as json))), ? "
            "on conflict (device) do update set groups = excluded.groups, time_zone = excluded.time_zone, "
            "last_batch = now()")) &&
        // The rows an insert added, and only those, feed the summary; a batch sent twice
        // inserts nothing the second time and adds nothing to it.
        s.rows.prepare(QStringLiteral(
            "with r as (select * from json_to_recordset(cast(? as json)) as x(seq bigint, name text, path "
            "text, "
            "    item text, start_ms bigint, end_ms bigint, utc_offset_s integer, screen text, win text, "
            "    bundle bigint, content_hash text, outcome text, shown boolean, shown_ms bigint)), "
            "ins as (insert into play_rows (device, log_uuid, seq, name, path, item, start_ms, end_ms, "
            "    utc_offset_s, local_start, screen, win, bundle, content_hash, outcome, shown, shown_ms) "
            "  select ?, cast(? as uuid), seq, name, path, item, start_ms, end_ms, utc_offset_s, "
            "    timestamp '1970-01-01' + (start_ms + utc_offset_s * 1000::bigint) * interval '1 "
            "millisecond', "
            "    screen, win, bundle, content_hash, outcome, shown, shown_ms from r "
            "  on conflict do nothing "
            "  returning device, local_start, path, item, name, shown, shown_ms), "
            "sums as (insert into play_hours as h (device, hour, path, item, name, plays, not_shown, "
            "shown_ms, "
            "    first_start, last_start) "
            "  select device, date_trunc('hour', local_start), path, item, min(name), "
            "    count(*) filter (where shown), count(*) filter (where not shown), "
            "    coalesce(sum(shown_ms) filter (where shown), 0), min(local_start), max(local_start) "
            "  from ins group by device, date_trunc('hour', local_start), path, item "
            "  on conflict (device, hour, path, item) do update set plays = h.plays + excluded.plays, "
            "    not_shown = h.not_shown + excluded.not_shown, shown_ms = h.shown_ms + excluded.shown_ms, "
            "    first_start = least(h.first_start, excluded.first_start), "
            "    last_start = greatest(h.last_start, excluded.last_start) "
            "  returning 1) "
            "select (select count(*) from ins), (select count(*) from sums)")) &&
        // The cursor moves only over rows held without a gap: a batch that starts past it is
        // kept, and the device sends again from the cursor.
        s.cursor.prepare(
            QStringLiteral("insert into log_cursors as c (device, log_uuid, acked) "
                           "values (?, cast(? as uuid), case when ? = 0 then ? else 0 end) "
                           "on conflict (device, log_uuid) do update set acked = "
                           "  case when ? <= c.acked then greatest(c.acked, ?) else c.acked end")) &&
        s.cursors.prepare(QStringLiteral("select log_uuid::text, acked from log_cursors where device = ?"));
    if (!ok) {
        *error = QStringLiteral("cannot prepare the store's statements: %1")
                     .arg(database().lastError().text().trimmed());
        drop();
    }
    return ok;
}

void FleetLogStore::drop()
{
    delete m_statements;
    m_statements = nullptr;
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::database(m_connectionName, false).close();
}

bool FleetLogStore::store(const QString &device, const LogBatch &batch, Stored *stored, QString *error)
{
    if (!m_statements && !open(error))
        return false;
    QSqlDatabase db = database();
    Statements &s = *m_statements;
    auto fail = [&](const QString &what, const QSqlQuery &query) {
        *error = QStringLiteral("%1: %2").arg(what, sqlError(query));
        db.rollback();
        drop();
        return false;
    };
    if (!db.transaction()) {
        *error = QStringLiteral("cannot begin a transaction: %1").arg(db.lastError().text().trimmed());
        drop();
        return false;
    }
    const QString uuid = batch.log.toString(QUuid::WithoutBraces);
    QByteArray groups = "[";
    for (const QString &group : batch.groups)
        groups += (groups.size() > 1 ? ",\"" : "\"") + group.toUtf8() + '"';
    groups += ']';
    s.device.addBindValue(device);
    s.device.addBindValue(QString::fromUtf8(groups));
    s.device.addBindValue(batch.timeZone);
    if (!s.device.exec())
        return fail(QStringLiteral("cannot record the device"), s.device);
    s.rows.addBindValue(QString::fromUtf8(rowsJson(batch)));
    s.rows.addBindValue(device);
    s.rows.addBindValue(uuid);
    if (!s.rows.exec() || !s.rows.next())
        return fail(QStringLiteral("cannot store the rows"), s.rows);
    stored->inserted = s.rows.value(0).toLongLong();
    s.rows.finish();
    for (const QVariant &value : {QVariant(device), QVariant(uuid), QVariant(batch.after),
                                  QVariant(batch.upTo), QVariant(batch.after), QVariant(batch.upTo)})
        s.cursor.addBindValue(value);
    if (!s.cursor.exec())
        return fail(QStringLiteral("cannot move the cursor"), s.cursor);
    s.cursors.addBindValue(device);
    if (!s.cursors.exec())
        return fail(QStringLiteral("cannot read the cursors"), s.cursors);
    stored->acked.clear();
    while (s.cursors.next())
        stored->acked.insert(s.cursors.value(0).toString(), s.cursors.value(1).toLongLong());
    s.cursors.finish();
    if (!db.commit()) {
        *error = QStringLiteral("cannot commit: %1").arg(db.lastError().text().trimmed());
        db.rollback();
        drop();
        return false;
    }
    return true;
}
