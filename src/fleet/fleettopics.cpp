#include "fleettopics.h"

namespace FleetTopics {

QString prefix()
{
    return QStringLiteral("lumora/v1");
}

QString device(const QString &deviceId, const QString &leaf)
{
    return QStringLiteral("%1/dev/%2/%3").arg(prefix(), deviceId, leaf);
}

QString group(const QString &group, const QString &leaf)
{
    return QStringLiteral("%1/grp/%2/%3").arg(prefix(), group, leaf);
}

bool isValidName(const QString &name)
{
    if (name.isEmpty() || name.size() > 64 || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        const ushort u = c.unicode();
        const bool ok = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-' ||
                        u == '_' || u == '.';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace FleetTopics
