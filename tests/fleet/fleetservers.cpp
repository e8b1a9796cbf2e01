#include "fleetservers.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>

TestPki::TestPki(const QString &folder)
    : m_folder(folder)
{
}

bool TestPki::run(const QStringList &arguments, QString *error)
{
    QProcess openssl;
    openssl.setWorkingDirectory(m_folder);
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        *error = QStringLiteral("openssl %1: %2").arg(arguments.join(QLatin1Char(' ')),
                                                     QString::fromLocal8Bit(openssl.readAll()));
        return false;
    }
    return true;
}

bool TestPki::init(QString *error)
{
    QDir().mkpath(m_folder);
    const QStringList ec{QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                         QStringLiteral("ec_paramgen_curve:P-256"), QStringLiteral("-nodes")};
    if (!run(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ec +
                 QStringList{QStringLiteral("-keyout"), QStringLiteral("ca.key"), QStringLiteral("-out"),
                             QStringLiteral("ca.crt"), QStringLiteral("-days"), QStringLiteral("30"),
                             QStringLiteral("-subj"), QStringLiteral("/CN=test CA")},
             error))
        return false;
    if (!run(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ec +
                 QStringList{QStringLiteral("-keyout"), QStringLiteral("other-ca.key"), QStringLiteral("-out"),
                             QStringLiteral("other-ca.crt"), QStringLiteral("-days"), QStringLiteral("30"),
                             QStringLiteral("-subj"), QStringLiteral("/CN=other CA")},
             error))
        return false;
    QFile san(m_folder + QStringLiteral("/san.ext"));
    if (!san.open(QIODevice::WriteOnly) || san.write("subjectAltName=IP:127.0.0.1\n") < 0) {
        *error = QStringLiteral("cannot write san.ext");
        return false;
    }
    san.close();
    if (!run(QStringList{QStringLiteral("req")} + ec +
                 QStringList{QStringLiteral("-keyout"), QStringLiteral("server.key"), QStringLiteral("-out"),
                             QStringLiteral("server.csr"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")},
             error))
        return false;
    if (!run({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), QStringLiteral("server.csr"),
              QStringLiteral("-CA"), QStringLiteral("ca.crt"), QStringLiteral("-CAkey"), QStringLiteral("ca.key"),
              QStringLiteral("-CAcreateserial"), QStringLiteral("-out"), QStringLiteral("server.crt"),
              QStringLiteral("-days"), QStringLiteral("30"), QStringLiteral("-extfile"), QStringLiteral("san.ext")},
             error))
        return false;
    // Servers started as root drop to their own users: everything here must be readable by them.
    for (const QFileInfo &info : QDir(m_folder).entryInfoList(QDir::Files))
        QFile::setPermissions(info.filePath(), QFile::permissions(info.filePath()) | QFile::ReadOther | QFile::ReadGroup);
    QFile::setPermissions(m_folder, QFile::permissions(m_folder) | QFile::ExeOther | QFile::ReadOther |
                                        QFile::ExeGroup | QFile::ReadGroup);
    return true;
}

bool TestPki::client(const QString &name, QString *certFile, QString *keyFile, QString *error, bool expired,
                     bool otherCa)
{
    const QString base = name + (expired ? QStringLiteral("-expired") : QString()) +
                         (otherCa ? QStringLiteral("-other") : QString());
    *certFile = m_folder + QLatin1Char('/') + base + QStringLiteral(".crt");
    *keyFile = m_folder + QLatin1Char('/') + base + QStringLiteral(".key");
    if (QFile::exists(*certFile))
        return true;
    const QString ca = otherCa ? QStringLiteral("other-ca") : QStringLiteral("ca");
    if (!run({QStringLiteral("req"), QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
              QStringLiteral("ec_paramgen_curve:P-256"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
              base + QStringLiteral(".key"), QStringLiteral("-out"), base + QStringLiteral(".csr"),
              QStringLiteral("-subj"), QStringLiteral("/CN=") + name},
             error))
        return false;
    QStringList sign{QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), base + QStringLiteral(".csr"),
                     QStringLiteral("-CA"), ca + QStringLiteral(".crt"), QStringLiteral("-CAkey"),
                     ca + QStringLiteral(".key"), QStringLiteral("-CAcreateserial"), QStringLiteral("-out"),
                     base + QStringLiteral(".crt")};
    // "-days 0" ends the validity the second it begins: expired for every later use.
    sign << QStringLiteral("-days") << (expired ? QStringLiteral("0") : QStringLiteral("30"));
    if (!run(sign, error))
        return false;
    QFile::setPermissions(*keyFile, QFile::permissions(*keyFile) | QFile::ReadOther | QFile::ReadGroup);
    QFile::setPermissions(*certFile, QFile::permissions(*certFile) | QFile::ReadOther | QFile::ReadGroup);
    return true;
}

quint16 freeLoopbackPort()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 0;
    return server.serverPort();
}
