#include "officecache.h"

#include "platform/applocations.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

QString OfficeCache::defaultDirectory()
{
    return AppLocations::cacheDirectory();
}

QString OfficeCache::cacheName(const QString &sourcePath)
{
    const QString absolute = QDir::cleanPath(QFileInfo(sourcePath).absoluteFilePath());
    const QByteArray hash = QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QFileInfo(absolute).fileName() + QLatin1Char('.') + QString::fromLatin1(hash.left(16)) +
           QStringLiteral(".pdf");
}

QString OfficeCache::legacyCacheName(const QString &sourcePath)
{
    const QString name = sourcePath.section(QLatin1Char('/'), -1);
    return name.section(QLatin1Char('.'), 0, 0) + QStringLiteral(".pdf");
}

bool OfficeCache::kindOf(const QString &sourcePath, CConverter::Kind *kind)
{
    const QString name = sourcePath.section(QLatin1Char('/'), -1);
    if (!name.contains(QLatin1Char('.')))
        return false;
    const QString ext = name.section(QLatin1Char('.'), -1).toLower();
    CConverter::Kind k;
    if (ext == QLatin1String("doc") || ext == QLatin1String("docx"))
        k = CConverter::Kind::Word;
    else if (ext == QLatin1String("ppt") || ext == QLatin1String("pptx"))
        k = CConverter::Kind::PowerPoint;
    else if (ext == QLatin1String("xls") || ext == QLatin1String("xlsx"))
        k = CConverter::Kind::Excel;
    else
        return false;
    if (kind)
        *kind = k;
    return true;
}
