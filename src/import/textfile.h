#pragma once

#include <QByteArray>
#include <QString>

// A text file imported as a "txt" item: read up to a limit and decoded.
namespace TextFile {

// A longer file is cut here: a text item plays page by page, and a file of this size is
// already far more than any screen shows.
constexpr qint64 MaxBytes = 1024 * 1024;

struct Content
{
    QString text;
    bool opened = false; // false: the file could not be read; the text is empty
    bool cut = false;    // the file was longer than MaxBytes
};

// UTF-16 when the bytes start with its byte-order mark, UTF-8 (a mark skipped) when they
// are valid UTF-8, otherwise GB18030, the code page of files written on Chinese Windows.
// `cut` says the bytes end inside the file, so a character split there is dropped rather
// than taken as a sign of another encoding.
QString decode(const QByteArray &bytes, bool cut = false);

Content read(const QString &path);

} // namespace TextFile
