#include "schemechecker.h"

#include "commonwinobject.h"
#include "cycleobject.h"
#include "generalobject.h"
#include "lumoramediaobject.h"
#include "mediabody.h"
#include "programobject.h"
#include "scheme.h"
#include "timepoint.h"
#include "timingobject.h"
#include "weekdays.h"
#include "windowgeometry.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <vector>

namespace {

QString at(const QString &path, const char *list, int index)
{
    return path + QLatin1Char('.') + QLatin1String(list) + QLatin1Char('[') + QString::number(index) +
           QLatin1Char(']');
}

class Walker
{
    Q_DECLARE_TR_FUNCTIONS(SchemeChecker)

public:
    explicit Walker(const QString &baseFolder)
        : m_base(baseFolder)
    {}

    QList<SchemeChecker::Warning> warnings;

    void displayWindow(const Scheme::DisplayWindow &entry, const QString &path)
    {
        const DisplaySchedule &s = entry.schedule;
        displayArea(entry.window, path);
        int media = 0;
        for (int i = 0; i < s.generalSegments.size(); ++i) {
            const GeneralObject &g = *s.generalSegments.at(i);
            const QString where = at(path, "generalSegments", i);
            eligibility(where, g.name, g.weekdays, g.specifiedDate, g.fromDate, g.toDate, g.allDay,
                        g.fromTime, g.toTime);
            media += programs(entry, g.programs, where);
        }
        for (int i = 0; i < s.cycleSegments.size(); ++i) {
            const CycleObject &c = *s.cycleSegments.at(i);
            const QString where = at(path, "cycleSegments", i);
            eligibility(where, c.name, c.weekdays, c.specifiedDate, c.fromDate, c.toDate, c.allDay,
                        c.fromTime, c.toTime);
            if (c.playEvery < 1) {
                warn(where, tr("cycle segment \"%1\" comes every %2 minutes and is inserted every minute")
                                .arg(c.name)
                                .arg(c.playEvery));
            }
            media += programs(entry, c.programs, where);
        }
        for (int i = 0; i < s.timingSegments.size(); ++i) {
            const TimingObject &t = *s.timingSegments.at(i);
            const QString where = at(path, "timingSegments", i);
            timePoints(t, where);
            restarts(entry, t, where);
            media += programs(entry, t.programs, where);
        }
        if (media == 0)
            warn(path, tr("display window \"%1\" has no media item; its schedule cannot play")
                           .arg(entry.window.name));
    }

private:
    void warn(const QString &where, const QString &message) { warnings.append({where, message}); }

    // The file a stored path names; the warnings keep the path as stored.
    QString file(const QString &path) const
    {
        return m_base.isEmpty() || path.isEmpty() ? path : QDir(m_base).absoluteFilePath(path);
    }

    void eligibility(const QString &where, const QString &name, const QStringList &weekdays,
                     bool specifiedDate, const QDate &fromDate, const QDate &toDate, bool allDay,
                     const QTime &fromTime, const QTime &toTime)
    {
        if (weekdays.isEmpty())
            warn(where, tr("segment \"%1\" has no weekday and never plays").arg(name));
        dateRange(where, tr("segment \"%1\"").arg(name), specifiedDate, fromDate, toDate);
        if (allDay)
            return;
        if (!fromTime.isValid() || !toTime.isValid()) {
            warn(where, tr("segment \"%1\" has an incomplete time range and never plays").arg(name));
        } else if (fromTime > toTime) {
            warn(where, tr("segment \"%1\" has a time range %2-%3 that crosses midnight and never plays")
                            .arg(name, fromTime.toString(QStringLiteral("HH:mm:ss")),
                                 toTime.toString(QStringLiteral("HH:mm:ss"))));
        }
    }

    void dateRange(const QString &where, const QString &what, bool specifiedDate, const QDate &fromDate,
                   const QDate &toDate)
    {
        if (!specifiedDate)
            return;
        if (!fromDate.isValid() || !toDate.isValid()) {
            warn(where, tr("%1 has an incomplete date range and never plays").arg(what));
        } else if (fromDate > toDate) {
            warn(where, tr("%1 has a date range from %2 to %3 that ends before it starts and never plays")
                            .arg(what, fromDate.toString(Qt::ISODate), toDate.toString(Qt::ISODate)));
        }
    }

    void timePoints(const TimingObject &t, const QString &where)
    {
        if (t.timePoints.isEmpty()) {
            warn(where, tr("timing segment \"%1\" has no time point and never plays").arg(t.name));
            return;
        }
        for (int i = 0; i < t.timePoints.size(); ++i) {
            const TimePoint &p = *t.timePoints.at(i);
            const QString pointWhere = at(where, "timePoints", i);
            const QString what = tr("time point %1 of \"%2\"").arg(i + 1).arg(t.name);
            if (!p.time.isValid())
                warn(pointWhere, tr("%1 has no time and never fires").arg(what));
            if (p.weekdays.isEmpty())
                warn(pointWhere, tr("%1 has no weekday and never fires").arg(what));
            dateRange(pointWhere, what, p.specifiedDate, p.fromDate, p.toDate);
        }
    }

    // The least time the first page of a timing insert shows for, in whole seconds: its longest
    // window's items, each at least a second or its stay. 0 when the insert shows nothing.
    static int firstPageSeconds(const Scheme::DisplayWindow &entry, const TimingObject &t)
    {
        for (const ProgramObject *page : t.programs) {
            if (page->segmentName != t.name)
                continue;
            int longest = 0;
            for (const CommonWinObject *w : page->windows) {
                if (w->programName != page->name || w->displayWindowName != entry.window.name)
                    continue;
                int seconds = 0;
                for (const LumoraMediaObject *m : w->media) {
                    int stay = 1;
                    if (MediaBody::groupOf(m->type) == MediaBody::Group::Image)
                        stay = m->image.stayTime;
                    else if (MediaBody::groupOf(m->type) == MediaBody::Group::Text &&
                             m->type != QLatin1String("scrollingText"))
                        stay = m->text.stayTime;
                    seconds += qMax(1, stay);
                }
                longest = qMax(longest, seconds);
            }
            // Play passes over a page with nothing to show.
            if (longest > 0)
                return longest;
        }
        return 0;
    }

    // A point that comes while the insert started by an earlier one is still on its first page
    // does not start it again (see SegmentScheduler::slotPlayTimingObj). Reported when that is
    // certain: the point comes sooner than the first page can have been shown through.
    void restarts(const Scheme::DisplayWindow &entry, const TimingObject &t, const QString &where)
    {
        const int firstPage = firstPageSeconds(entry, t);
        if (firstPage == 0)
            return;
        std::vector<bool> passedOver(size_t(t.timePoints.size()), false);
        std::vector<std::pair<int, int>> day; // second of the day, point
        for (int weekday = 1; weekday <= 7; ++weekday) {
            const QString name = Weekdays::nameOf(weekday);
            day.clear();
            for (int i = 0; i < t.timePoints.size(); ++i) {
                const TimePoint &p = *t.timePoints.at(i);
                if (p.time.isValid() && p.weekdays.contains(name))
                    day.emplace_back(p.time.msecsSinceStartOfDay() / 1000, i);
            }
            std::sort(day.begin(), day.end());
            int started = -1;
            for (const std::pair<int, int> &point : day) {
                if (started >= 0 && point.first - started < firstPage)
                    passedOver[size_t(point.second)] = true;
                else
                    started = point.first;
            }
        }
        const int count = int(std::count(passedOver.cbegin(), passedOver.cend(), true));
        if (count > 0) {
            warn(where, tr("%1 of the %2 time points of \"%3\" come less than %4 s after the one that "
                           "started the insert, while its first page still shows, and do not start it again")
                            .arg(count)
                            .arg(t.timePoints.size())
                            .arg(t.name)
                            .arg(firstPage));
        }
    }

    int programs(const Scheme::DisplayWindow &entry, const QList<ProgramObject *> &list, const QString &path)
    {
        int media = 0;
        for (int i = 0; i < list.size(); ++i) {
            const ProgramObject &p = *list.at(i);
            const QString where = at(path, "programs", i);
            optionalFile(where, tr("background picture of program \"%1\"").arg(p.name), p.backgroundImage);
            readablePicture(where, tr("background picture of program \"%1\"").arg(p.name), p.backgroundImage);
            for (const QString &music : p.backgroundMusic)
                optionalFile(where, tr("background music of program \"%1\"").arg(p.name), music);
            int pageMedia = 0;
            for (int j = 0; j < p.windows.size(); ++j) {
                const CommonWinObject &w = *p.windows.at(j);
                const QString windowWhere = at(where, "windows", j);
                geometry(entry, w, windowWhere);
                for (int k = 0; k < w.media.size(); ++k)
                    mediaFiles(*w.media.at(k), at(windowWhere, "media", k));
                if (w.media.isEmpty())
                    warn(windowWhere, tr("window \"%1\" has no media item and stays empty").arg(w.name));
                pageMedia += w.media.size();
            }
            if (pageMedia == 0)
                warn(where, tr("program \"%1\" has nothing to show and is passed over").arg(p.name));
            media += pageMedia;
        }
        if (media == 0)
            warn(path, tr("segment has nothing to show and is passed over"));
        return media;
    }

    void geometry(const Scheme::DisplayWindow &entry, const CommonWinObject &w, const QString &where)
    {
        const PlayWinObject &d = entry.window;
        const bool inside =
            w.x >= 0 && w.y >= 0 && qint64(w.x) + w.width <= d.width && qint64(w.y) + w.height <= d.height;
        if (w.width <= 0 || w.height <= 0) {
            warn(where, tr("window \"%1\" has no area (%2x%3)").arg(w.name).arg(w.width).arg(w.height));
        } else if (!inside) {
            warn(where,
                 tr("window \"%1\" at (%2, %3) size %4x%5 lies outside its display window \"%6\" (%7x%8)")
                     .arg(w.name)
                     .arg(w.x)
                     .arg(w.y)
                     .arg(w.width)
                     .arg(w.height)
                     .arg(d.name)
                     .arg(d.width)
                     .arg(d.height));
        }
    }

    // A file the item cannot play without.
    void requiredFile(const QString &where, const QString &what, const QString &path)
    {
        const QFileInfo info(file(path));
        if (path.isEmpty())
            warn(where, tr("%1 has no file").arg(what));
        else if (!info.exists())
            warn(where, tr("%1 does not exist: %2").arg(what, path));
        else if (info.isFile() && info.size() == 0)
            warn(where, tr("%1 is an empty file and shows nothing: %2").arg(what, path));
    }

    void optionalFile(const QString &where, const QString &what, const QString &path)
    {
        if (!path.isEmpty() && !QFileInfo::exists(file(path)))
            warn(where, tr("%1 does not exist: %2").arg(what, path));
    }

    // A picture file that no image reader takes shows nothing. Only its header is read, as
    // play reads it before deciding to decode: a huge picture costs no more than a small one.
    void readablePicture(const QString &where, const QString &what, const QString &path)
    {
        const QFileInfo info(file(path));
        if (path.isEmpty() || !info.isFile() || info.size() == 0)
            return;
        QImageReader reader(info.filePath());
        if (!reader.canRead())
            warn(where, tr("%1 cannot be read (%2) and shows nothing: %3").arg(what, reader.errorString(), path));
    }

    void requiredPicture(const QString &where, const QString &what, const QString &path)
    {
        requiredFile(where, what, path);
        readablePicture(where, what, path);
    }

    // The background picture only matters when it is shown instead of the colour.
    void backgroundPicture(const QString &where, bool isColor, const QString &path)
    {
        if (!isColor)
            requiredPicture(where, tr("background picture"), path);
    }

    // Play shows an item for at least a second: a shorter stay would make its list spin.
    void stay(const QString &where, int seconds)
    {
        if (seconds < 1)
            warn(where, tr("item stays %1 s and is shown for 1 s").arg(seconds));
    }

    void displayArea(const PlayWinObject &d, const QString &where)
    {
        if (d.width <= 0 || d.height <= 0) {
            warn(where, tr("display window \"%1\" has no area (%2x%3) and shows nothing")
                            .arg(d.name)
                            .arg(d.width)
                            .arg(d.height));
            return;
        }
        // Checked against one 4K screen, as the simulation plays it.
        const QRect played = WindowGeometry::playedDisplay(d.x, d.y, d.width, d.height, QRect(0, 0, 3840, 2160));
        if (played.x() != d.x || played.y() != d.y || played.width() != d.width || played.height() != d.height) {
            warn(where, tr("display window \"%1\" of %2x%3 at (%4, %5) is played at %6x%7 at (%8, %9)")
                            .arg(d.name)
                            .arg(d.width)
                            .arg(d.height)
                            .arg(d.x)
                            .arg(d.y)
                            .arg(played.width())
                            .arg(played.height())
                            .arg(played.x())
                            .arg(played.y()));
        }
    }

    void mediaFiles(const LumoraMediaObject &m, const QString &where)
    {
        switch (MediaBody::groupOf(m.type)) {
        case MediaBody::Group::Video:
            requiredFile(where, tr("video"), m.video.filePath);
            backgroundPicture(where, m.video.backgroundIsColor, m.video.backgroundImage);
            break;
        case MediaBody::Group::Image:
            if (m.type == QLatin1String("office"))
                requiredFile(where, tr("office document"), m.image.filePath);
            else
                requiredPicture(where, tr("picture"), m.image.filePath);
            backgroundPicture(where, m.image.backgroundIsColor, m.image.backgroundImage);
            optionalFile(where, tr("music"), m.image.backgroundMusic);
            stay(where, m.image.stayTime);
            break;
        case MediaBody::Group::Text:
            backgroundPicture(where, m.text.backgroundIsColor, m.text.backgroundImage);
            if (m.type != QLatin1String("scrollingText"))
                stay(where, m.text.stayTime);
            break;
        case MediaBody::Group::AnalogClock:
            backgroundPicture(where, m.analogClock.background.backgroundIsColor,
                              m.analogClock.background.backgroundImage);
            break;
        case MediaBody::Group::DigitalClock:
            backgroundPicture(where, m.digitalClock.background.backgroundIsColor,
                              m.digitalClock.background.backgroundImage);
            break;
        case MediaBody::Group::CountTimer:
            backgroundPicture(where, m.countTimer.background.backgroundIsColor,
                              m.countTimer.background.backgroundImage);
            break;
        case MediaBody::Group::VideoDevice:
            backgroundPicture(where, m.videoDevice.background.backgroundIsColor,
                              m.videoDevice.background.backgroundImage);
            break;
        case MediaBody::Group::Weather:
            backgroundPicture(where, m.weather.background.backgroundIsColor,
                              m.weather.background.backgroundImage);
            break;
        case MediaBody::Group::Url:
        case MediaBody::Group::Streaming:
        case MediaBody::Group::None:
            break;
        }
    }

    QString m_base;
};

} // namespace

QList<SchemeChecker::Warning> SchemeChecker::check(const Scheme &scheme, const QString &baseFolder)
{
    Walker walker(baseFolder);
    for (size_t i = 0; i < scheme.displayWindows.size(); ++i)
        walker.displayWindow(*scheme.displayWindows[i], QStringLiteral("displayWindows[%1]").arg(i));
    return walker.warnings;
}
