#include "playcontentindex.h"

#include <QDir>
#include <QVector>

namespace {
constexpr int KeptBundles = 3;
}

PlayContentIndex &PlayContentIndex::instance()
{
    static PlayContentIndex index;
    return index;
}

void PlayContentIndex::addBundle(qint64 sequence, const QString &folder,
                                 const QHash<QString, QString> &hashes)
{
    QMutexLocker lock(&m_mutex);
    for (int i = m_bundles.size() - 1; i >= 0; --i) {
        if (m_bundles.at(i).sequence == sequence)
            m_bundles.remove(i);
    }
    Bundle bundle;
    bundle.sequence = sequence;
    bundle.folder = QDir::cleanPath(folder) + QLatin1Char('/');
    bundle.hashes = hashes;
    m_bundles.append(bundle);
    while (m_bundles.size() > KeptBundles)
        m_bundles.removeFirst();
}

bool PlayContentIndex::lookup(const QString &path, qint64 *bundle, QString *hash) const
{
    if (path.isEmpty())
        return false;
    const QString clean = QDir::cleanPath(path);
    QMutexLocker lock(&m_mutex);
    for (int i = m_bundles.size() - 1; i >= 0; --i) {
        const Bundle &b = m_bundles.at(i);
        if (!clean.startsWith(b.folder))
            continue;
        *bundle = b.sequence;
        *hash = b.hashes.value(clean.mid(b.folder.size()));
        return true;
    }
    return false;
}

void PlayContentIndex::clear()
{
    QMutexLocker lock(&m_mutex);
    m_bundles.clear();
}
