#include "pgcluster.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString Bin = QStringLiteral("/usr/lib/postgresql/15/bin/");

// The folders above the cluster must let `nobody` through: a test's temporary folder is 0700.
void openPath(const QString &folder)
{
    QDir dir(folder);
    while (dir.cdUp() && dir.path() != QLatin1String("/"))
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther);
}

} // namespace

PgCluster::PgCluster(const QString &folder)
    : m_folder(folder + QStringLiteral("/pg"))
{}

PgCluster::~PgCluster()
{
    stop();
}

QString PgCluster::address(const QString &database) const
{
    return QStringLiteral("postgresql://lumora@/%1?host=%2").arg(database, socketFolder());
}

bool PgCluster::run(const QString &program, const QStringList &arguments, QString *output,
                    int timeoutMs) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // Not inside a folder nobody may read.
    process.setWorkingDirectory(m_folder);
    if (::geteuid() == 0)
        process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("nobody"),
                                                             QStringLiteral("--"), program} +
                                                     arguments);
    else
        process.start(program, arguments);
    const bool ended = process.waitForFinished(timeoutMs);
    if (!ended) {
        process.kill();
        process.waitForFinished(5000);
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PgCluster::start(QString *error)
{
    QDir().mkpath(socketFolder());
    if (::geteuid() == 0) {
        openPath(m_folder);
        const passwd *nobody = ::getpwnam("nobody");
        if (!nobody ||
            ::chown(QFile::encodeName(m_folder).constData(), nobody->pw_uid, nobody->pw_gid) != 0 ||
            ::chown(QFile::encodeName(socketFolder()).constData(), nobody->pw_uid, nobody->pw_gid) != 0) {
            *error = QStringLiteral("cannot give %1 to nobody").arg(m_folder);
            return false;
        }
    }
    QString output;
    if (!QFile::exists(m_folder + QStringLiteral("/data/PG_VERSION")) &&
        !run(Bin + QStringLiteral("initdb"),
             {QStringLiteral("-D"), m_folder + QStringLiteral("/data"), QStringLiteral("-A"),
              QStringLiteral("trust"), QStringLiteral("-U"), QStringLiteral("lumora"),
              QStringLiteral("--no-sync"), QStringLiteral("-E"), QStringLiteral("UTF8"),
              QStringLiteral("--locale=C")},
             &output)) {
        *error = QStringLiteral("initdb: ") + output;
        return false;
    }
    if (!run(Bin + QStringLiteral("pg_ctl"),
             {QStringLiteral("-D"), m_folder + QStringLiteral("/data"), QStringLiteral("-l"),
              m_folder + QStringLiteral("/pg.log"), QStringLiteral("-w"), QStringLiteral("-t"),
              QStringLiteral("120"), QStringLiteral("-o"),
              QStringLiteral("-k %1 -c listen_addresses='' -c fsync=off -c synchronous_commit=off")
                  .arg(socketFolder()),
              QStringLiteral("start")},
             &output)) {
        *error = QStringLiteral("pg_ctl start: %1\n%2").arg(output, log());
        return false;
    }
    m_started = true;
    return true;
}

void PgCluster::stop()
{
    if (!m_started)
        return;
    m_started = false;
    run(Bin + QStringLiteral("pg_ctl"),
        {QStringLiteral("-D"), m_folder + QStringLiteral("/data"), QStringLiteral("-m"),
         QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")},
        nullptr);
}

bool PgCluster::psql(const QString &sql, QString *output, const QString &database) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(Bin + QStringLiteral("psql"),
                  {QStringLiteral("-h"), socketFolder(), QStringLiteral("-U"), QStringLiteral("lumora"),
                   QStringLiteral("-d"), database, QStringLiteral("-X"), QStringLiteral("-q"),
                   QStringLiteral("-A"), QStringLiteral("-t"), QStringLiteral("-v"),
                   QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-c"), sql});
    const bool ended = process.waitForFinished(600000);
    if (!ended) {
        process.kill();
        process.waitForFinished(5000);
    }
    if (output)
        *output = QString::fromUtf8(process.readAll()).trimmed();
    return ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString PgCluster::value(const QString &sql, const QString &database) const
{
    QString output;
    return psql(sql, &output, database) ? output : QString();
}

QString PgCluster::log() const
{
    QFile file(m_folder + QStringLiteral("/pg.log"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll().right(4000)) : QString();
}
