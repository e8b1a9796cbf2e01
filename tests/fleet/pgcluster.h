#pragma once

#include <QString>
#include <QStringList>

// A private PostgreSQL 15 cluster for a test, as FLEET.md describes it: initdb and the server
// run as `nobody` when the test runs as root (initdb refuses root), trust authentication for
// the user "lumora", no TCP at all, the Unix socket in the test's folder, fsync off (tests only).
class PgCluster
{
public:
    // `folder` must exist; the cluster lives in folder/pg.
    explicit PgCluster(const QString &folder);
    ~PgCluster();
    PgCluster(const PgCluster &) = delete;
    PgCluster &operator=(const PgCluster &) = delete;

    // initdb (once) and start; waits until the server takes connections.
    bool start(QString *error);
    void stop();

    QString socketFolder() const { return m_folder + QStringLiteral("/sock"); }
    // postgresql://lumora@/<database>?host=<socket folder>
    QString address(const QString &database = QStringLiteral("postgres")) const;
    // Runs SQL through psql (unaligned, tuples only, "|" between fields); its output.
    bool psql(const QString &sql, QString *output,
              const QString &database = QStringLiteral("postgres")) const;
    // The one value of a query, or an empty text.
    QString value(const QString &sql, const QString &database = QStringLiteral("postgres")) const;
    QString log() const;

private:
    bool run(const QString &program, const QStringList &arguments, QString *output,
             int timeoutMs = 120000) const;

    QString m_folder;
    bool m_started = false;
};
