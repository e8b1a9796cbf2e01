#include "officepipeline.h"

#include "mupdfdocument.h"
#include "mupdfpage.h"
#include "officecache.h"
#include "platform/applocations.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {
bool readable(const QString &pdf)
{
    const auto doc = MuPDF::loadDocument(pdf);
    return doc && doc->numPages() > 0;
}
} // namespace

OfficePipeline::Result OfficePipeline::run(const QString &sourcePath, const QString &cacheDir,
                                           const std::atomic_bool &cancel, const std::atomic_bool &timedOut,
                                           const std::function<void(int)> &progress)
{
    Result r;
    const QString fileName = QFileInfo(sourcePath).fileName();
    if (!OfficeCache::kindOf(sourcePath, &r.kind)) {
        r.message = tr("%1 is not an office document.").arg(fileName);
        return r;
    }
    QDir().mkpath(cacheDir);
    const QFileInfo source(sourcePath);
    const QString cached = cacheDir + QLatin1Char('/') + OfficeCache::cacheName(sourcePath);
    const QFileInfo cachedInfo(cached);

    QString pdf;
    if (source.exists()) {
        // An edited source is converted again; so is a cached copy that cannot be read.
        if (cachedInfo.exists() && cachedInfo.lastModified() >= source.lastModified() && readable(cached))
            pdf = cached;
    } else if (cachedInfo.exists()) {
        pdf = cached;
    } else {
        const QString legacy = cacheDir + QLatin1Char('/') + OfficeCache::legacyCacheName(sourcePath);
        if (QFileInfo::exists(legacy))
            pdf = legacy;
    }

    if (pdf.isEmpty() && !source.exists()) {
        r.message = tr("%1 cannot be found and has no converted copy.").arg(fileName);
        return r;
    }
    // Said before LibreOffice is asked: it would only fail to write its PDF, for no reason it tells.
    if (pdf.isEmpty() && !AppLocations::ensureWritable(cacheDir)) {
        r.message = tr("%1 could not be converted: the cache folder %2 cannot be written.").arg(fileName, cacheDir);
        return r;
    }
    if (pdf.isEmpty()) {
        const QString scratch = cacheDir + QLatin1Char('/') + OfficeCache::scratchName();
        QFile::remove(scratch);
        // Work folders of a run the program did not live to finish; runs never overlap.
        const QStringList stale = QDir(cacheDir).entryList({QStringLiteral(".convert-*")},
                                                           QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QString &name : stale)
            QDir(cacheDir + QLatin1Char('/') + name).removeRecursively();
        r.converted = true;
        const CConverter::Outcome outcome = CConverter::convert(r.kind, source.absoluteFilePath(), scratch,
                                                                &cancel, CConverter::timeLimit() + 30000);
        const QString component = CConverter::componentName(r.kind);
        switch (outcome) {
        case CConverter::Outcome::Converted:
            break;
        case CConverter::Outcome::Cancelled:
            r.message = timedOut ? tr("%1 could not be converted: %2 did not finish within %3 seconds.")
                                       .arg(fileName, component)
                                       .arg(CConverter::timeLimit() / 1000)
                                 : tr("The conversion of %1 was cancelled.").arg(fileName);
            break;
        case CConverter::Outcome::TimedOut:
            r.message = tr("%1 could not be converted: %2 did not finish within %3 seconds.")
                            .arg(fileName, component)
                            .arg(CConverter::timeLimit() / 1000);
            break;
        case CConverter::Outcome::UnreadablePdf:
            r.message =
                tr("%1 could not be converted: the PDF %2 wrote cannot be read.").arg(fileName, component);
            break;
        case CConverter::Outcome::ProgramMissing:
        case CConverter::Outcome::NoPdf:
            r.message =
                CConverter::componentInstalled(r.kind)
                    ? tr("%1 could not be converted: %2 wrote no PDF.").arg(fileName, component)
                    : tr("Application failed to create. Please ensure that %1 is installed!").arg(component);
            break;
        }
        if (outcome != CConverter::Outcome::Converted) {
            QFile::remove(scratch);
            return r;
        }
        // One step from a checked scratch file to the cache name: a reader of the cache never
        // sees half a file, and a failed rename leaves the old copy.
        if (std::rename(QFile::encodeName(scratch).constData(), QFile::encodeName(cached).constData()) != 0) {
            QFile::remove(scratch);
            r.message = tr("%1 could not be converted: the cache folder %2 cannot be written.")
                            .arg(fileName, cacheDir);
            return r;
        }
        pdf = cached;
    }

    QString error;
    const auto doc = MuPDF::loadDocument(pdf, &error);
    if (!doc || doc->numPages() <= 0) {
        r.message = tr("%1 could not be shown: its PDF cannot be read.").arg(fileName);
        return r;
    }
    int counted = 0;
    for (int i = 0; i < doc->numPages(); ++i) {
        if (cancel) {
            r.message = tr("The conversion of %1 was cancelled.").arg(fileName);
            return r;
        }
        if (!doc->page(i))
            break;
        counted = i + 1;
        if (progress)
            progress(counted);
    }
    if (counted == 0) {
        r.message = tr("%1 could not be shown: its PDF cannot be read.").arg(fileName);
        return r;
    }
    r.ok = true;
    r.pdfPath = pdf;
    r.pageCount = counted;
    return r;
}
