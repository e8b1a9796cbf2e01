#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QVector>

class DisplaySchedule;
class PlayWinObject;
class Scheme;

// Writes a whole scheme in the .schx layout. The file is replaced atomically, and only by a
// file that was read back and decoded whole: a save that fails part-way, or would write what
// the reader refuses (more than SchemeReader::MaxFileSize), leaves the previous file as it was.
// The temporary file of a save that was killed before its rename ("<name>.saving-XXXXXX") is
// removed by the next save of that file.
class SchemeWriter
{
    Q_DECLARE_TR_FUNCTIONS(SchemeWriter)

public:
    // One display window as the writer sees it. The records stay with their owner
    // (the main window and its trees); a null schedule is written as three empty lists.
    struct Source
    {
        const PlayWinObject *window = nullptr;
        const DisplaySchedule *schedule = nullptr;
    };

    static QByteArray encode(const Scheme &scheme);
    static QByteArray encode(qint32 displayWindowCounter, const QVector<Source> &displayWindows);

    // Returns false, and a reason in errorString, when the file could not be written.
    static bool save(const QString &path, const Scheme &scheme, QString *errorString = nullptr);
    static bool save(const QString &path, qint32 displayWindowCounter, const QVector<Source> &displayWindows,
                     QString *errorString = nullptr);
    static bool saveBytes(const QString &path, const QByteArray &bytes, QString *errorString = nullptr);
    // Removes what interrupted saves of `path` left beside it.
    static void removeLeftovers(const QString &path);
};
