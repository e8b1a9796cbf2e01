#pragma once

// Small builders for schedules in the render tests.

#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "model/weekdays.h"

#include <QImage>

namespace SchemeBuilder {

inline LumoraMediaObject *image(const QString &path, int stay)
{
    auto *m = new LumoraMediaObject;
    m->type = QStringLiteral("image");
    m->image.filePath = path;
    m->image.stayTime = stay;
    return m;
}

inline LumoraMediaObject *office(const QString &path, int stay, int pages)
{
    auto *m = new LumoraMediaObject;
    m->type = QStringLiteral("office");
    m->image.filePath = path;
    m->image.stayTime = stay;
    for (int i = 0; i < pages; ++i) {
        QImage page(40, 30, QImage::Format_RGB32);
        page.fill(QColor::fromHsv(i * 100 % 360, 255, 255));
        m->image.pages.append(page);
    }
    return m;
}

// A simple text that stays `stay` seconds a page.
inline LumoraMediaObject *simpleText(const QString &text, int stay)
{
    auto *m = new LumoraMediaObject;
    m->type = QStringLiteral("simpleText");
    m->text.text = text;
    m->text.fontFamily = QStringLiteral("DejaVu Sans");
    m->text.stayTime = stay;
    return m;
}

inline LumoraMediaObject *video(const QString &path, const QTime &length)
{
    auto *m = new LumoraMediaObject;
    m->type = QStringLiteral("video");
    m->video.filePath = path;
    m->video.totalLength = length;
    return m;
}

// A window of `page` holding `media`; names are copied down from the page.
inline CommonWinObject *window(ProgramObject *page, const QString &name,
                               const QList<LumoraMediaObject *> &media,
                               const QRect &geometry = QRect(0, 0, 200, 100))
{
    auto *w = new CommonWinObject;
    w->name = name;
    w->programName = page->name;
    w->segmentName = page->segmentName;
    w->displayWindowName = page->displayWindowName;
    w->x = geometry.x();
    w->y = geometry.y();
    w->width = geometry.width();
    w->height = geometry.height();
    for (LumoraMediaObject *m : media) {
        m->windowName = name;
        m->programName = page->name;
        m->segmentName = page->segmentName;
        m->displayWindowName = page->displayWindowName;
        w->media.append(m);
    }
    page->windows.append(w);
    return w;
}

template<typename Segment>
ProgramObject *page(Segment *segment, const QString &name, int playMode = ProgramObject::ByTimes,
                    int playTimes = 1)
{
    auto *p = new ProgramObject;
    p->name = name;
    p->segmentName = segment->name;
    p->displayWindowName = segment->displayWindowName;
    p->playMode = playMode;
    p->playTimes = playTimes;
    segment->programs.append(p);
    return p;
}

inline GeneralObject *general(Scheme::DisplayWindow &dw, const QString &name)
{
    auto *s = new GeneralObject;
    s->name = name;
    s->displayWindowName = dw.window.name;
    dw.schedule.generalSegments.append(s);
    return s;
}

inline CycleObject *cycle(Scheme::DisplayWindow &dw, const QString &name, int everyMinutes)
{
    auto *s = new CycleObject;
    s->name = name;
    s->displayWindowName = dw.window.name;
    s->playEvery = everyMinutes;
    s->playMode = 1;
    dw.schedule.cycleSegments.append(s);
    return s;
}

inline TimingObject *timing(Scheme::DisplayWindow &dw, const QString &name, const QTime &at)
{
    auto *s = new TimingObject;
    s->name = name;
    s->displayWindowName = dw.window.name;
    s->playMode = 1;
    auto *point = new TimePoint;
    point->time = at;
    point->weekdays = Weekdays::all();
    s->timePoints.append(point);
    dw.schedule.timingSegments.append(s);
    return s;
}

inline Scheme::DisplayWindow &display(Scheme &scheme, const QString &name)
{
    Scheme::DisplayWindow &dw = scheme.addDisplayWindow();
    dw.window.name = name;
    dw.window.width = 400;
    dw.window.height = 300;
    return dw;
}

} // namespace SchemeBuilder
