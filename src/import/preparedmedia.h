#pragma once

#include <QList>
#include <QString>

// What one chosen file gives a new media item, worked out away from the GUI thread: the
// kind, and what had to be read from the file for it.
class PreparedMedia
{
public:
    // Reads `path` for an item of `kind` (see ImportRules::kindOf). Runs on a worker thread;
    // touches no record.
    static PreparedMedia prepare(const QString &path, const QString &kind);

    QString path;
    QString kind;
    // "txt": the decoded text; whether the file was longer than the import reads.
    QString text;
    bool textCut = false;
    // "video": its length in milliseconds as libmpv reads it; -1 when it could not be read
    // (the item then plays to its end).
    qint64 videoMsecs = -1;
    // "office": nothing is read here; the import hands the document to the conversion queue.
    // Set when the file's preparation must end the whole import (the item is not added);
    // `stopMessage`, when not empty, is shown to the operator.
    bool stopImport = false;
    QString stopMessage;
};
