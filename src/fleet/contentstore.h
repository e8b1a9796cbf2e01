#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

// The device's files, kept by content: <folder>/files/<sha256>, each written once and checked
// before it gets its name, so a file there is always whole and right. Downloads in progress lie
// in <folder>/partial/<sha256> and resume from their length. Bundles are folders of hard links
// (copies where links cannot be made) under <folder>/bundles/<sequence>/.
class ContentStore
{
public:
    explicit ContentStore(const QString &folder);

    QString folder() const { return m_folder; }
    bool ensureFolders(QString *error) const;

    QString filePath(const QByteArray &sha256) const;
    QString partialPath(const QByteArray &sha256) const;
    // True when the whole file is there with this size (the hash was checked when it came).
    bool has(const QByteArray &sha256, qint64 size) const;
    // Moves a finished partial file to its name after checking size and hash; a partial file
    // that does not match is removed, and false returned with the reason.
    bool commit(const QByteArray &sha256, qint64 size, QString *error);

    // Removes every stored and partial file whose hash is not in `keep`.
    int removeAllBut(const QSet<QByteArray> &keep);
    // Free bytes on the store's file system, -1 when unknown.
    qint64 freeBytes() const;

private:
    QString m_folder;
};
