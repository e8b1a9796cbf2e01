#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <functional>

// Builds log.db files the way the player writes them, for tests and benchmarks.
namespace PlayLogFixture {

// Whether the file has the beginDate index the player makes on its first write: logs of older
// versions and logs copied from another PC come without it.
enum class Index { Made, None };

inline bool withDatabase(const QString &path, Index index, const std::function<bool(QSqlDatabase &)> &work)
{
    const QString name = QStringLiteral("fixture-") + path;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery create(db);
            create.exec(QStringLiteral("create table if not exists LOGINFOS (name varchar,length varchar,"
                                       "beginDate date,endDate date,beginTime varchar,endTime varchar,"
                                       "result varchar)"));
            if (index == Index::Made)
                create.exec(
                    QStringLiteral("create index if not exists LOGINFOS_beginDate on LOGINFOS(beginDate)"));
            ok = db.transaction() && work(db) && db.commit();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// Rows of seven column texts, in table order.
inline bool addRows(const QString &path, const QList<QStringList> &rows, Index index = Index::Made)
{
    return withDatabase(path, index, [&rows](QSqlDatabase &db) {
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("insert into LOGINFOS values(?,?,?,?,?,?,?)"));
        for (const QStringList &row : rows) {
            for (const QString &value : row)
                insert.addBindValue(value);
            if (!insert.exec())
                return false;
        }
        return true;
    });
}

// `count` rows spread evenly over `days` days from 2026-01-01, eight names in turn, each
// item shown for two seconds. Row n (from 0) is named "item-<n % 8>.mp4".
inline bool addBusyMonth(const QString &path, int count, int days, Index index = Index::Made)
{
    return withDatabase(path, index, [count, days](QSqlDatabase &db) {
        const QString perDay = QString::number((count + days - 1) / days);
        // Built by concatenation: the printf formats hold "%0", which QString::arg would take.
        const QString sql =
            QStringLiteral("with recursive n(x) as (select 0 union all select x+1 from n where x < ") +
            QString::number(count - 1) + QStringLiteral("), r(x, day, s) as (select x, x / ") + perDay +
            QStringLiteral(", (x % ") + perDay + QStringLiteral(") * 86000 / ") + perDay +
            QStringLiteral(
                " from n)"
                " insert into LOGINFOS select 'item-' || (x % 8) || '.mp4', '2',"
                " date('2026-01-01', '+' || day || ' days'), date('2026-01-01', '+' || day || ' days'),"
                " printf('%02d:%02d:%02d:%03d', s / 3600, s / 60 % 60, s % 60, x % 1000),"
                " printf('%02d:%02d:%02d:%03d', (s+2) / 3600, (s+2) / 60 % 60, (s+2) % 60, x % 1000),"
                " 'success' from r");
        QSqlQuery fill(db);
        return fill.exec(sql);
    });
}

} // namespace PlayLogFixture
