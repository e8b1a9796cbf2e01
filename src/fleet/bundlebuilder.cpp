#include "bundlebuilder.h"

#include "import/officecache.h"
#include "model/scheme.h"
#include "model/schemefiles.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "sha256stream.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

QString BundleBuilder::officePdfName(const QString &sourceName)
{
    return QStringLiteral("office/") + sourceName + QStringLiteral(".pdf");
}

bool BundleBuilder::build(const QString &schemePath, const QString &officeCache, QString *error)
{
    m_entries.clear();
    SchemeReader reader;
    if (!reader.readFile(schemePath)) {
        *error = reader.errorString();
        return false;
    }
    Scheme &scheme = reader.scheme();
    // As the player reads it: a relative name is a file beside the scheme.
    SchemeFiles::resolveRelative(scheme, QFileInfo(schemePath).absolutePath());
    QHash<QString, QString> nameOf; // absolute source path -> bundle name
    QSet<QString> taken;
    QString failure;
    auto addFile = [&](const QString &source, const QString &name) -> bool {
        const QFileInfo info(source);
        if (!info.isFile() || !info.isReadable()) {
            failure = QStringLiteral("%1 is not there or cannot be read").arg(source);
            return false;
        }
        Entry entry;
        entry.sourcePath = info.absoluteFilePath();
        entry.file.name = name;
        entry.file.size = info.size();
        entry.file.sha256 = Sha256Stream::ofFile(source);
        if (entry.file.sha256.isEmpty()) {
            failure = QStringLiteral("%1 cannot be read").arg(source);
            return false;
        }
        m_entries.append(entry);
        return true;
    };
    SchemeFiles::forEach(scheme, [&](QString &path, SchemeFiles::Role role) {
        if (!failure.isEmpty())
            return;
        const QString absolute = QFileInfo(path).absoluteFilePath();
        QString name = nameOf.value(absolute);
        if (name.isEmpty()) {
            // Two files of one name from different folders both travel: the later gets a number.
            const QString fileName = QFileInfo(absolute).fileName();
            name = QStringLiteral("media/") + fileName;
            for (int n = 2; taken.contains(name); ++n)
                name = QStringLiteral("media/%1-%2").arg(n).arg(fileName);
            if (!BundleManifest::isSafeName(name)) {
                failure = QStringLiteral("%1 has a name a bundle cannot carry").arg(absolute);
                return;
            }
            if (!addFile(absolute, name))
                return;
            taken.insert(name);
            nameOf.insert(absolute, name);
            if (role == SchemeFiles::Role::Office) {
                const QString pdf = officeCache + QLatin1Char('/') + OfficeCache::cacheName(absolute);
                if (!QFileInfo(pdf).isFile()) {
                    failure = QStringLiteral("%1 has no PDF in the office cache yet; open the scheme in the "
                                             "editor and let its pages be made first")
                                  .arg(absolute);
                    return;
                }
                if (!addFile(pdf, officePdfName(name)))
                    return;
            }
        }
        path = name;
    });
    if (!failure.isEmpty()) {
        *error = failure;
        return false;
    }
    m_schemeBytes = SchemeWriter::encode(scheme);
    m_schemeName = QFileInfo(schemePath).fileName();
    if (!m_schemeName.endsWith(QLatin1String(".schx"), Qt::CaseInsensitive))
        m_schemeName += QStringLiteral(".schx");
    if (!BundleManifest::isSafeName(m_schemeName) || taken.contains(m_schemeName))
        m_schemeName = QStringLiteral("scheme.schx");
    Entry schemeEntry;
    schemeEntry.file.name = m_schemeName;
    schemeEntry.file.size = m_schemeBytes.size();
    schemeEntry.file.sha256 = Sha256Stream::ofData(m_schemeBytes);
    m_entries.prepend(schemeEntry);
    return true;
}

BundleManifest BundleBuilder::manifest() const
{
    BundleManifest manifest;
    manifest.scheme = m_schemeName;
    for (const Entry &entry : m_entries)
        manifest.files.append(entry.file);
    return manifest;
}
