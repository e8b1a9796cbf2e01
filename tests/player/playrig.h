#pragma once

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "clock/virtualclock.h"
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "player/playhost.h"
#include "player/segmentscheduler.h"

#include <QHash>
#include <QStringList>

#include <memory>

using Kind = SegmentScheduler::SegmentKind;
using Insert = SegmentScheduler::InsertState;

// The main window's side of the scheduler for tests: it records every call and stands in
// for the display screen the way the screen behaves: a handed-over window plays its media
// list for the items' time on the virtual clock, windows of a page that finish early start
// their list again, and when every window of the page has finished the pass is reported to
// the scheduler (slotCurProgramRealPlayEnd), resetting the windows of that page. General windows
// hidden by an insert are paused and resume with their remaining time.
class RecordingHost : public PlayHost
{
public:
    struct PlayWindow
    {
        CommonWinObject *window = nullptr;
        QString kind;
        ClockTimer *timer = nullptr;
        bool finished = false;
        bool paused = false;
        bool visible = false;
        int remaining = -1;
        int passes = 0; // complete lists played
    };

    explicit RecordingHost(VirtualClock &clock)
        : m_clock(clock)
    {}
    ~RecordingHost() override
    {
        for (PlayWindow &pw : m_windows)
            delete pw.timer;
    }

    SegmentScheduler *scheduler = nullptr;
    QStringList log;     // "HH:mm:ss what"
    QStringList started; // "HH:mm:ss window" for every hand-over
    QList<QDateTime> startedAt; // the exact moment of each of those hand-overs
    QString infoText;
    int infoCount = 0;

    static qint64 listMsecs(const CommonWinObject *w)
    {
        qint64 total = 0;
        for (const LumoraMediaObject *m : w->media) {
            if (m->type == QLatin1String("video"))
                total += m->video.totalLength.msecsSinceStartOfDay();
            else
                total += qint64(m->image.stayTime) * 1000;
        }
        return total;
    }

    PlayWindow *find(const QString &windowName)
    {
        for (PlayWindow &pw : m_windows) {
            if (pw.window->name == windowName)
                return &pw;
        }
        return nullptr;
    }

    QStringList visibleWindows() const
    {
        QStringList names;
        for (const PlayWindow &pw : m_windows) {
            if (pw.visible)
                names << pw.window->name;
        }
        names.sort();
        return names;
    }

    // What the main window does to the play windows when its pause button is pressed.
    void pauseAll()
    {
        for (PlayWindow &pw : m_windows)
            pausePlay(pw);
    }

    QStringList startedSince(int from) const { return started.mid(from); }

    // PlayHost
    void slotGetRealBeginWinInfo(const QString &name) override { record("begin " + name); }
    void slotRealPlayContinue(const QString &kind) override
    {
        record("continue " + kind);
        for (PlayWindow &pw : m_windows) {
            if (pw.kind == kind && pw.paused)
                resumePlay(pw);
        }
    }
    void slotPlayInvalid(const QString &name, const QString &kind, CommonWinObject *w, Cut) override
    {
        record("invalid " + kind + ' ' + w->name);
        if (name != w->displayWindowName)
            return;
        if (PlayWindow *pw = find(w->name)) {
            stopPlay(*pw);
            pw->visible = false;
        }
    }
    void slotRealPlayCommonWinObj(const QString &name, const QString &kind, CommonWinObject *w,
                                  QList<LumoraMediaObject *> media) override
    {
        Q_UNUSED(media)
        started << time() + ' ' + w->name;
        startedAt << m_clock.now();
        record("play " + kind + ' ' + w->name);
        PlayWindow &pw = windowFor(w);
        const bool resume = kind == QLatin1String("generalSegment") && pw.paused;
        pw.kind = kind;
        pw.visible = true;
        if (resume) {
            resumePlay(pw);
        } else {
            stopPlay(pw);
            startPlay(pw);
        }
        for (PlayWindow &other : m_windows) {
            if (&other == &pw || other.window->displayWindowName != name || other.kind == kind)
                continue;
            if (other.kind == QLatin1String("generalSegment")) {
                other.visible = false;
                if (kind != QLatin1String("generalSegment"))
                    pausePlay(other);
            } else {
                stopPlay(other);
                other.visible = false;
            }
        }
    }
    void stopRealPlay(const QString &name, Cut) override
    {
        record("stopAll " + name);
        for (PlayWindow &pw : m_windows) {
            stopPlay(pw);
            pw.finished = false;
            pw.visible = false;
        }
    }
    void removePlayingDisplay(const QString &name) override { record("notPlaying " + name); }
    void showInformation(const QString &title, const QString &text) override
    {
        ++infoCount;
        infoText = title + '|' + text;
    }

private:
    QString time() const { return m_clock.now().time().toString(QStringLiteral("HH:mm:ss")); }
    void record(const QString &what) { log << time() + ' ' + what; }

    PlayWindow &windowFor(CommonWinObject *w)
    {
        for (PlayWindow &pw : m_windows) {
            if (pw.window == w)
                return pw;
        }
        PlayWindow pw;
        pw.window = w;
        pw.timer = m_clock.createTimer(nullptr);
        pw.timer->setSingleShot(true);
        m_windows.append(pw);
        CommonWinObject *key = w;
        QObject::connect(pw.timer, &ClockTimer::timeout, [this, key] { listEnded(key); });
        return m_windows.last();
    }
    void startPlay(PlayWindow &pw)
    {
        pw.paused = false;
        pw.remaining = -1;
        const qint64 msecs = listMsecs(pw.window);
        if (msecs > 0)
            pw.timer->start(int(msecs));
    }
    void stopPlay(PlayWindow &pw)
    {
        pw.timer->stop();
        pw.paused = false;
        pw.remaining = -1;
    }
    void pausePlay(PlayWindow &pw)
    {
        if (pw.timer->isActive()) {
            pw.remaining = pw.timer->remainingTime();
            pw.timer->stop();
            pw.paused = true;
        }
    }
    void resumePlay(PlayWindow &pw)
    {
        pw.paused = false;
        if (pw.remaining >= 0)
            pw.timer->start(pw.remaining);
        pw.remaining = -1;
    }
    void listEnded(CommonWinObject *w)
    {
        PlayWindow &pw = windowFor(w);
        pw.finished = true;
        ++pw.passes;
        for (PlayWindow &other : m_windows) {
            if (&other != &pw && other.window->programName == w->programName &&
                other.window->segmentName == w->segmentName && other.visible && !other.finished) {
                startPlay(pw); // loops until the slowest window of the page is done
                return;
            }
        }
        // Only the page that ended is reset: general windows paused under an insert keep
        // their place.
        for (PlayWindow &other : m_windows) {
            if (other.window->programName != w->programName || other.window->segmentName != w->segmentName)
                continue;
            stopPlay(other);
            other.finished = false;
            other.visible = false;
        }
        record("passEnd " + w->programName);
        if (scheduler)
            scheduler->slotCurProgramRealPlayEnd(w->displayWindowName, w);
    }

    VirtualClock &m_clock;
    QList<PlayWindow> m_windows;
};

// Builds schedules: every page gets windows named "<page>.w<n>", each holding one picture
// shown for the given number of seconds (or a video when the length is given as a QTime).
class SchemeBuilder
{
public:
    explicit SchemeBuilder(SegmentScheduler &scheduler)
        : m_scheduler(scheduler)
    {}

    GeneralObject *general(const QString &name, QTime from = QTime(), QTime to = QTime())
    {
        auto *g = new GeneralObject;
        g->name = name;
        g->displayWindowName = m_scheduler.displayName();
        if (from.isValid()) {
            g->allDay = false;
            g->fromTime = from;
            g->toTime = to;
        }
        m_scheduler.schedule().generalSegments.append(g);
        return g;
    }

    CycleObject *cycle(const QString &name, int every, int mode)
    {
        auto *c = new CycleObject;
        c->name = name;
        c->displayWindowName = m_scheduler.displayName();
        c->playEvery = every;
        c->playMode = mode;
        m_scheduler.schedule().cycleSegments.append(c);
        return c;
    }

    TimingObject *timing(const QString &name, const QList<QTime> &points, int mode)
    {
        auto *t = new TimingObject;
        t->name = name;
        t->displayWindowName = m_scheduler.displayName();
        t->playMode = mode;
        for (const QTime &time : points) {
            auto *p = new TimePoint;
            p->time = time;
            p->weekdays = Weekdays::all();
            t->timePoints.append(p);
        }
        m_scheduler.schedule().timingSegments.append(t);
        return t;
    }

    template<typename Segment>
    ProgramObject *page(Segment *segment, const QString &name, const QList<int> &windowSeconds)
    {
        auto *p = new ProgramObject;
        p->name = name;
        p->segmentName = segment->name;
        p->displayWindowName = m_scheduler.displayName();
        for (int i = 0; i < windowSeconds.size(); ++i) {
            auto *w = new CommonWinObject;
            w->name = name + QStringLiteral(".w") + QString::number(i + 1);
            w->programName = name;
            w->segmentName = segment->name;
            w->displayWindowName = m_scheduler.displayName();
            if (windowSeconds.at(i) > 0) {
                auto *m = new LumoraMediaObject;
                m->type = QStringLiteral("image");
                m->image.stayTime = windowSeconds.at(i);
                w->media.append(m);
            }
            p->windows.append(w);
        }
        segment->programs.append(p);
        return p;
    }

    template<typename Segment>
    ProgramObject *videoPage(Segment *segment, const QString &name, QTime videoLength)
    {
        ProgramObject *p = page(segment, name, {1});
        LumoraMediaObject *m = p->windows.first()->media.first();
        m->type = QStringLiteral("video");
        m->video.totalLength = videoLength;
        return p;
    }

private:
    SegmentScheduler &m_scheduler;
};

// One display window's scheduler on a virtual clock, with the recording host in place.
struct PlayRig
{
    explicit PlayRig(const QDateTime &start, const QString &display = QStringLiteral("D1"))
        : clock(start)
        , installed((Clock::setCurrent(&clock), true))
        , host(clock)
        , sched(display)
        , build(sched)
    {
        sched.setPlayHost(&host);
        host.scheduler = &sched;
    }
    ~PlayRig() { Clock::setCurrent(nullptr); }

    void press() { sched.slotStartPlay(sched.displayName()); }
    void pausePress()
    {
        press();
        host.pauseAll();
    }
    void advance(qint64 msec) { clock.advance(msec); }
    QString nowText() const { return clock.now().time().toString(QStringLiteral("HH:mm:ss")); }

    VirtualClock clock;
    bool installed;
    RecordingHost host;
    SegmentScheduler sched;
    SchemeBuilder build;
};
