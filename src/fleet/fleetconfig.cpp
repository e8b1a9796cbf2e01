#include "fleetconfig.h"

#include "fleettopics.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

// A relative path in a settings file means the folder of that file: an administrator's
// /etc/xdg/Lumora/setting.ini can name /etc/xdg/Lumora/fleet/device.crt as fleet/device.crt.
QString resolved(const QString &value, const QString &file)
{
    if (value.isEmpty() || QDir::isAbsolutePath(value))
        return value;
    return QDir::cleanPath(QFileInfo(file).absolutePath() + QLatin1Char('/') + value);
}

} // namespace

QString FleetConfig::problem() const
{
    if (!isEnabled())
        return QStringLiteral("no broker is set");
    if (broker.scheme() != QLatin1String("mqtts"))
        return QStringLiteral("the broker must be an mqtts:// address");
    if (!FleetTopics::isValidName(device))
        return QStringLiteral("the device name \"%1\" is not valid").arg(device);
    for (const QString &group : groups) {
        if (!FleetTopics::isValidName(group))
            return QStringLiteral("the group name \"%1\" is not valid").arg(group);
    }
    if (content.scheme() != QLatin1String("https"))
        return QStringLiteral("the content server must be an https:// address");
    for (const QString &path : {caCertificate, certificate, key, operatorKey}) {
        if (path.isEmpty())
            return QStringLiteral("a certificate, key or the operator's key is not set");
        if (!QFileInfo(path).isReadable())
            return QStringLiteral("%1 cannot be read").arg(path);
    }
    return QString();
}

FleetConfig FleetConfig::fromSettingsFiles(const QStringList &files)
{
    FleetConfig config;
    for (const QString &file : files) {
        if (!QFileInfo::exists(file))
            continue;
        QSettings settings(file, QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Fleet"));
        auto text = [&settings](const char *key, QString *into) {
            const QString k = QLatin1String(key);
            if (settings.contains(k))
                *into = settings.value(k).toString().trimmed();
        };
        auto path = [&](const char *key, QString *into) {
            const QString k = QLatin1String(key);
            if (settings.contains(k))
                *into = resolved(settings.value(k).toString().trimmed(), file);
        };
        text("Device", &config.device);
        if (settings.contains(QStringLiteral("Groups"))) {
            // QSettings hands a comma-separated value back as a list.
            const QVariant value = settings.value(QStringLiteral("Groups"));
            QStringList groups = value.type() == QVariant::StringList ? value.toStringList()
                                                                      : value.toString().split(QLatin1Char(','));
            config.groups.clear();
            for (QString &group : groups) {
                group = group.trimmed();
                if (!group.isEmpty() && !config.groups.contains(group))
                    config.groups.append(group);
            }
        }
        if (settings.contains(QStringLiteral("Broker")))
            config.broker = QUrl(settings.value(QStringLiteral("Broker")).toString().trimmed());
        if (settings.contains(QStringLiteral("Content")))
            config.content = QUrl(settings.value(QStringLiteral("Content")).toString().trimmed());
        path("CaCertificate", &config.caCertificate);
        path("Certificate", &config.certificate);
        path("Key", &config.key);
        path("OperatorKey", &config.operatorKey);
        bool ok = false;
        const int offset = settings.value(QStringLiteral("MaxClockOffset")).toInt(&ok);
        if (ok && offset >= 0)
            config.maxClockOffsetSeconds = offset;
        const int keep = settings.value(QStringLiteral("KeepBundles")).toInt(&ok);
        if (ok)
            config.keepBundles = qBound(2, keep, 10);
        const int retention = settings.value(QStringLiteral("LogRetentionDays")).toInt(&ok);
        if (ok)
            config.logRetentionDays = qBound(1, retention, 3650);
    }
    return config;
}

bool FleetConfig::writeTo(const QString &file) const
{
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Fleet"));
    settings.setValue(QStringLiteral("Device"), device);
    settings.setValue(QStringLiteral("Groups"), groups.join(QLatin1Char(',')));
    settings.setValue(QStringLiteral("Broker"), broker.toString());
    settings.setValue(QStringLiteral("Content"), content.toString());
    settings.setValue(QStringLiteral("CaCertificate"), caCertificate);
    settings.setValue(QStringLiteral("Certificate"), certificate);
    settings.setValue(QStringLiteral("Key"), key);
    settings.setValue(QStringLiteral("OperatorKey"), operatorKey);
    settings.setValue(QStringLiteral("MaxClockOffset"), maxClockOffsetSeconds);
    settings.setValue(QStringLiteral("KeepBundles"), keepBundles);
    settings.setValue(QStringLiteral("LogRetentionDays"), logRetentionDays);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}
