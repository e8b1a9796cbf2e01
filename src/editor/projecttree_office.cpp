// Office items of a loaded scheme: their pages come from the office service when ready.
#include "import/officejob.h"
#include "import/officeservice.h"
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/timingobject.h"
#include "projecttree.h"

OfficeJob *ProjectTree::restoreOfficeMedia(LumoraMediaObject *media)
{
    // The next new item takes one above the largest number in use, never a number twice.
    mediaCounter = qMax(mediaCounter, media->mediaId);
    const QString source = media->image.filePath;
    const QSharedPointer<OfficeJob> held = OfficeService::instance()->request(source);
    OfficeJob *job = held.data();
    connect(job, &OfficeJob::finished, this, [this, media, source, job](bool ok) {
        // The item may have been deleted or changed while its document was converted.
        if (!ok || !holdsMedia(media) || media->type != QLatin1String("office") ||
            media->image.filePath != source)
            return;
        media->image.pages = job->pages();
    });
    return job;
}

bool ProjectTree::holdsMedia(const LumoraMediaObject *media) const
{
    auto inPages = [media](const QList<ProgramObject *> &pages) {
        for (const ProgramObject *page : pages) {
            for (const CommonWinObject *window : page->windows) {
                if (window->media.contains(const_cast<LumoraMediaObject *>(media)))
                    return true;
            }
        }
        return false;
    };
    for (const GeneralObject *s : schedule.generalSegments) {
        if (inPages(s->programs))
            return true;
    }
    for (const CycleObject *s : schedule.cycleSegments) {
        if (inPages(s->programs))
            return true;
    }
    for (const TimingObject *s : schedule.timingSegments) {
        if (inPages(s->programs))
            return true;
    }
    return false;
}
