#pragma once

#include <QHash>
#include <QMutex>
#include <QString>
#include <QVector>

// Which published bundle a played file came in, and its SHA-256, so that a play-log row names
// the exact content it showed. The fleet link fills it as bundles arrive; a file outside every
// bundle it knows has neither. Read from the play windows, written from the link: both on the
// GUI thread today, but guarded so that a writer thread may ask too.
class PlayContentIndex
{
public:
    static PlayContentIndex &instance();

    // The bundle `sequence` lives in `folder`; `hashes` maps each of its file names (relative
    // to the folder) to its hash. The last few bundles are kept: rows of a bundle just left
    // may still be written after the switch.
    void addBundle(qint64 sequence, const QString &folder, const QHash<QString, QString> &hashes);
    // False, with both left alone, for a path in no known bundle.
    bool lookup(const QString &path, qint64 *bundle, QString *hash) const;
    void clear();

private:
    PlayContentIndex() = default;

    struct Bundle
    {
        qint64 sequence = 0;
        QString folder; // with a trailing slash
        QHash<QString, QString> hashes;
    };
    mutable QMutex m_mutex;
    QVector<Bundle> m_bundles; // newest last
};
