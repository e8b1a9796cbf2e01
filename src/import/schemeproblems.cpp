#include "schemeproblems.h"

#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/timingobject.h"
#include "player/pagerules.h"
#include "videoprobe.h"

#include <QDir>
#include <QFileInfo>
#include <QFuture>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent>

#include <vector>

namespace {

struct Use
{
    QString where;
    const VideoProperties *video;
};

QList<Use> videoUses(const Scheme &scheme)
{
    QList<Use> uses;
    auto pages = [&](const QList<ProgramObject *> &programs, const QString &segment) {
        for (int p = 0; p < programs.size(); ++p) {
            const QList<CommonWinObject *> &windows = programs.at(p)->windows;
            for (int w = 0; w < windows.size(); ++w) {
                const QList<LumoraMediaObject *> &media = windows.at(w)->media;
                for (int m = 0; m < media.size(); ++m) {
                    if (media.at(m)->type != QLatin1String("video"))
                        continue;
                    uses.append({QStringLiteral("%1.programs[%2].windows[%3].media[%4]")
                                     .arg(segment)
                                     .arg(p)
                                     .arg(w)
                                     .arg(m),
                                 &media.at(m)->video});
                }
            }
        }
    };
    for (size_t d = 0; d < scheme.displayWindows.size(); ++d) {
        const DisplaySchedule &s = scheme.displayWindows[d]->schedule;
        const QString at = QStringLiteral("displayWindows[%1].%2[%3]").arg(d);
        for (int i = 0; i < s.generalSegments.size(); ++i)
            pages(s.generalSegments.at(i)->programs, at.arg(QStringLiteral("generalSegments")).arg(i));
        for (int i = 0; i < s.cycleSegments.size(); ++i)
            pages(s.cycleSegments.at(i)->programs, at.arg(QStringLiteral("cycleSegments")).arg(i));
        for (int i = 0; i < s.timingSegments.size(); ++i)
            pages(s.timingSegments.at(i)->programs, at.arg(QStringLiteral("timingSegments")).arg(i));
    }
    return uses;
}

} // namespace

QList<SchemeChecker::Warning> SchemeProblems::check(const Scheme &scheme, const QString &baseFolder)
{
    QList<SchemeChecker::Warning> warnings = SchemeChecker::check(scheme, baseFolder);

    // Videos are opened with the library the player plays them with. A file it cannot open
    // shows nothing. A video without a stored length plays to the end of its file, which tells
    // its length when it opens: one that cannot be opened holds its window for the bound instead.
    const QList<Use> uses = videoUses(scheme);
    auto file = [&baseFolder](const QString &path) {
        return baseFolder.isEmpty() || path.isEmpty() ? path : QDir(baseFolder).absoluteFilePath(path);
    };
    QStringList files; // a file used twice is read once
    QSet<QString> listed;
    for (const Use &use : uses) {
        if (!listed.contains(use.video->filePath)) {
            listed.insert(use.video->filePath);
            files.append(use.video->filePath);
        }
    }
    QHash<QString, VideoProbe::Result> probed;
    {
        // Also sets the locale the probes need, once, before they run side by side.
        const VideoProbe::Session session;
        // Opening a file is mostly waiting on libmpv's own threads: many files are read side by
        // side, on threads of their own rather than the ones that decode pictures for play.
        QThreadPool pool;
        pool.setMaxThreadCount(qMax(4, 2 * QThread::idealThreadCount()));
        std::vector<QFuture<VideoProbe::Result>> runs;
        runs.reserve(size_t(files.size()));
        for (const QString &path : qAsConst(files)) {
            const QString name = file(path);
            runs.push_back(QtConcurrent::run(&pool, [name] { return VideoProbe::probe(name); }));
        }
        for (int i = 0; i < files.size(); ++i)
            probed.insert(files.at(i), runs[size_t(i)].result());
    }

    for (const Use &use : uses) {
        const QString &path = use.video->filePath;
        const VideoProbe::Result &result = probed[path];
        const QFileInfo info(file(path));
        // A missing or empty file is reported as such by the checker.
        if (!result.opened && info.isFile() && info.size() > 0) {
            warnings.append(
                {use.where, tr("video cannot be opened (%1) and shows nothing: %2").arg(result.error, path)});
            continue;
        }
        if (result.ok || PageRules::videoMsecs(*use.video) > 0)
            continue;
        warnings.append(
            {use.where, tr("video \"%1\" has no stored length and its file does not tell one (%2): "
                           "it shows for at most %3 s")
                            .arg(path, result.error)
                            .arg(PageRules::UnknownVideoBoundMsecs / 1000)});
    }
    return warnings;
}
