#pragma once

#include "cconverter.h"

#include <QString>

// Names in the office cache: where the PDF of a source document is kept. Plain functions.
class OfficeCache
{
public:
    // The cache folder beside the program ("<application directory>/tmp").
    static QString defaultDirectory();
    // The source's file name followed by a hash of its absolute path: documents of the same
    // name (plan.docx and plan.xlsx, or report.docx in two folders) never share a cache file.
    static QString cacheName(const QString &sourcePath);
    // The name earlier installations used: the file name cut at its first ".", plus ".pdf".
    static QString legacyCacheName(const QString &sourcePath);
    // The scratch file of a run.
    static QString scratchName() { return QStringLiteral("tmp.pdf"); }
    // Word, PowerPoint or Excel by extension, in any case; false for other files.
    static bool kindOf(const QString &sourcePath, CConverter::Kind *kind);
};
