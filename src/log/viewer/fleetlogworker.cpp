#include "fleetlogworker.h"

#include "fleetlog/fleetlogstore.h"
#include "log/playlogcsv.h"

#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <algorithm>

namespace {

// The application name the viewer's sessions carry, so that a replaced worker's query is
// cancelled only when the server process is still one of the viewer's.
const QString ApplicationName = QStringLiteral("lumora-viewer");

QAtomicInt connectionCounter;

QString queryError(const QSqlQuery &query)
{
    return query.lastError().text().trimmed();
}

} // namespace

FleetLogWorker::FleetLogWorker(const QString &address, int cancelBackend)
    : m_address(address)
    , m_cancelBackend(cancelBackend)
    , m_connectionName(
          QStringLiteral("lumora-viewer-central-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
    qRegisterMetaType<CentralLogRow>();
    qRegisterMetaType<QVector<CentralLogRow>>();
    qRegisterMetaType<QVector<PlayLogSummaryRow>>();
    // Under the name the signal's signature spells.
    qRegisterMetaType<QVector<QPair<QString, qint64>>>("QVector<QPair<QString,qint64>>");
}

FleetLogWorker::~FleetLogWorker()
{
    // Runs on the worker's thread, which made the connection.
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

bool FleetLogWorker::stopping()
{
    return QThread::currentThread()->isInterruptionRequested();
}

void FleetLogWorker::post(std::function<void()> job)
{
    m_queued.ref();
    QMetaObject::invokeMethod(
        this,
        [this, job] {
            if (!stopping())
                job();
            m_queued.deref();
        },
        Qt::QueuedConnection);
}

QSqlDatabase FleetLogWorker::openReadOnly(const QString &address, const QString &connectionName,
                                          Problem *problem, QString *error)
{
    *problem = Unreachable;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        *error = QStringLiteral("Qt's PostgreSQL driver is not installed (Debian: libqt5sql5-psql)");
        return QSqlDatabase();
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    auto fail = [&](const QString &text) {
        *error = text;
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        return QSqlDatabase();
    };
    QString addressError;
    if (!FleetLogStore::applyAddress(address, &db, &addressError))
        return fail(addressError);
    QStringList options = db.connectOptions().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    // The server makes every transaction of the session read-only before the first statement,
    // whatever the address asked for in its own options.
    options.erase(std::remove_if(options.begin(), options.end(),
                                 [](const QString &o) {
                                     return o.startsWith(QLatin1String("options=")) ||
                                            o.startsWith(QLatin1String("application_name="));
                                 }),
                  options.end());
    options << QStringLiteral("options=-cdefault_transaction_read_only=on")
            << QStringLiteral("application_name=") + ApplicationName;
    // A host that drops the packets would otherwise hold the worker for minutes.
    if (!db.connectOptions().contains(QLatin1String("connect_timeout=")))
        options << QStringLiteral("connect_timeout=%1").arg(ConnectTimeoutSeconds);
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open())
        return fail(db.lastError().text().trimmed());
    QSqlQuery query(db);
    // And again for the session, in case a pooler between kept the server's default.
    if (!query.exec(QStringLiteral("set session characteristics as transaction read only")) ||
        !query.exec(QStringLiteral("set time zone 'UTC'")) ||
        !query.exec(QStringLiteral("set client_min_messages to warning")) ||
        !query.exec(QStringLiteral("show transaction_read_only")) || !query.next() ||
        query.value(0).toString() != QLatin1String("on")) {
        *problem = ReadFailed;
        return fail(queryError(query));
    }
    if (!query.exec(QStringLiteral("select value from lumora_meta where key = 'schema'")) || !query.next()) {
        *problem = NotAStore;
        return fail(queryError(query));
    }
    if (query.value(0).toInt() > FleetLogStore::SchemaVersion) {
        *problem = NewerStore;
        return fail(query.value(0).toString());
    }
    query.finish();
    return db;
}

bool FleetLogWorker::ensureOpen(int generation)
{
    if (m_db.isValid() && m_db.isOpen())
        return true;
    // Said once: the jobs queued behind the failed connection would only wait for it again.
    if (m_openFailed)
        return false;
    Problem problem = Unreachable;
    QString error;
    m_db = openReadOnly(m_address, m_connectionName, &problem, &error);
    if (!m_db.isValid()) {
        m_openFailed = true;
        if (!stopping())
            emit failed(generation, problem, error);
        return false;
    }
    QSqlQuery query(m_db);
    if (query.exec(QStringLiteral("select pg_backend_pid()")) && query.next())
        m_backendPid.storeRelease(query.value(0).toInt());
    if (m_cancelBackend > 0) {
        // The worker this one replaces may still wait for a slow query: the server stops it.
        query.prepare(QStringLiteral("select pg_cancel_backend(pid) from pg_stat_activity "
                                     "where pid = ? and application_name = ?"));
        query.addBindValue(m_cancelBackend);
        query.addBindValue(ApplicationName);
        query.exec();
        m_cancelBackend = 0;
    }
    return true;
}

void FleetLogWorker::postOpen(bool listDevices)
{
    post([this, listDevices] {
        if (!ensureOpen(0) || !listDevices)
            return;
        FleetReport report(m_db);
        QStringList devices;
        QStringList groups;
        if (!report.devices(&devices, &groups)) {
            emit failed(0, ReadFailed, report.errorText());
            return;
        }
        emit opened(devices, groups);
    });
}

void FleetLogWorker::postSummary(int generation, const FleetReport::Filter &filter, bool byHour)
{
    post([this, generation, filter, byHour] {
        if (!ensureOpen(generation))
            return;
        FleetReport report(m_db);
        QVector<FleetReport::SummaryRow> items;
        QVector<FleetReport::SummaryRow> periods;
        if (!report.summary(filter, FleetReport::By::Item, &items) ||
            !report.summary(filter, byHour ? FleetReport::By::Hour : FleetReport::By::Day, &periods)) {
            if (!stopping())
                emit failed(generation, ReadFailed, report.errorText());
            return;
        }
        QVector<PlayLogSummaryRow> rows;
        rows.reserve(items.size());
        for (const FleetReport::SummaryRow &item : qAsConst(items))
            rows.append(item.sums);
        // As the player's own chart: every row of the period, shown or not.
        QVector<QPair<QString, qint64>> counts;
        counts.reserve(periods.size());
        for (const FleetReport::SummaryRow &period : qAsConst(periods))
            counts.append({period.key, period.sums.plays + period.sums.notShown});
        emit summaryFound(generation, rows, counts, byHour);
    });
}

void FleetLogWorker::postSearch(int generation, const FleetReport::Filter &filter, int rowLimit)
{
    post([this, generation, filter, rowLimit] {
        if (!ensureOpen(generation))
            return;
        FleetReport report(m_db);
        QVector<CentralLogRow> chunk;
        int count = 0;
        bool finished = false;
        const bool ok = report.search(filter, [&](const FleetReport::SearchRow &row) {
            if (stopping())
                return false;
            if (count == rowLimit) {
                // Said now: the rest of the result still drains from the server after this.
                if (!chunk.isEmpty())
                    emit rowsFound(generation, chunk);
                emit searchFinished(generation, true);
                finished = true;
                return false;
            }
            chunk.append({row.device, row.entry});
            ++count;
            if (chunk.size() == ChunkRows) {
                emit rowsFound(generation, chunk);
                chunk.clear();
            }
            return true;
        });
        if (finished || stopping())
            return;
        if (!chunk.isEmpty())
            emit rowsFound(generation, chunk);
        if (ok)
            emit searchFinished(generation, false);
        else
            emit failed(generation, ReadFailed, report.errorText());
    });
}

void FleetLogWorker::postExport(const FleetReport::Filter &filter, const QString &path)
{
    post([this, filter, path] {
        if (!ensureOpen(-1)) {
            emit exportFinished(false, path);
            return;
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            emit exportFinished(false, path);
            return;
        }
        // The columns of lumora-log --fleet search --csv, so that one script reads both.
        bool written = file.write(PlayLogCsv::line(
                           {QStringLiteral("Device"), QStringLiteral("Name"), QStringLiteral("Duration"),
                            QStringLiteral("StartTime"), QStringLiteral("StopTime"), QStringLiteral("Result"),
                            QStringLiteral("Path"), QStringLiteral("Screen"), QStringLiteral("Window"),
                            QStringLiteral("Bundle"), QStringLiteral("Hash")})) >= 0;
        FleetReport report(m_db);
        const bool read = written && report.search(filter, [&](const FleetReport::SearchRow &row) {
            const PlayLogEntry &e = row.entry;
            written =
                !stopping() &&
                file.write(PlayLogCsv::line(
                    {row.device, e.name, e.length, PlayLogCsv::isoTime(e.beginDate, e.beginTime),
                     PlayLogCsv::isoTime(e.endDate, e.endTime), e.result, e.path, row.screen, row.window,
                     row.bundle < 0 ? QString() : QString::number(row.bundle), row.hash})) >= 0;
            return written;
        });
        emit exportFinished(read && written && file.commit(), path);
    });
}
