#include "simulator.h"

#include "model/windowgeometry.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "clock/virtualclock.h"
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "import/videoprobe.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/timingobject.h"
#include "player/pagerules.h"
#include "player/segmentscheduler.h"
#include "render/commonplaywindow.h"
#include "render/effectanimation.h"
#include "render/headless.h"
#include "render/mainplaybklabel.h"
#include "render/playlabel.h"

#include <QMediaPlayer>

#include <algorithm>

using Kind = SegmentScheduler::SegmentKind;
using Insert = SegmentScheduler::InsertState;

// The host of the simulation: the screens' side as in real play, plus a look at the
// scheduler after everything it is told, for the event lines.
class Simulator::Host : public ScreenPlayHost
{
public:
    explicit Host(Simulator *owner)
        : m_owner(owner)
    {}

    void slotRealPlayCommonWinObj(const QString &name, const QString &kind, CommonWinObject *window,
                                  QList<LumoraMediaObject *> media) override
    {
        m_owner->observeByName(name);
        ScreenPlayHost::slotRealPlayCommonWinObj(name, kind, window, media);
    }
    void slotPlayInvalid(const QString &name, const QString &kind, CommonWinObject *window, Cut cut) override
    {
        m_owner->observeByName(name);
        ScreenPlayHost::slotPlayInvalid(name, kind, window, cut);
    }
    void stopRealPlay(const QString &name, Cut cut) override
    {
        ScreenPlayHost::stopRealPlay(name, cut);
        m_owner->observeByName(name);
    }
    void showInformation(const QString &title, const QString &text) override
    {
        m_owner->m_output(QStringLiteral("#\t%1\t%2: %3").arg(m_owner->stamp(), title, text));
    }

private:
    Simulator *m_owner;
};

void Simulator::readVideoLengths(Scheme &scheme)
{
    QHash<QString, qint64> known;
    for (const std::unique_ptr<Scheme::DisplayWindow> &dw : scheme.displayWindows) {
        for (ProgramObject *page : dw->schedule.allPrograms()) {
            for (CommonWinObject *w : qAsConst(page->windows)) {
                for (LumoraMediaObject *m : qAsConst(w->media)) {
                    if (m->type != QLatin1String("video") || PageRules::videoMsecs(m->video) > 0)
                        continue;
                    const QString &path = m->video.filePath;
                    if (!known.contains(path)) {
                        const VideoProbe::Result probed = VideoProbe::probe(path);
                        // A file that does not tell its length holds its window for the bound.
                        known.insert(path, probed.ok ? probed.msecs : PageRules::UnknownVideoBoundMsecs);
                    }
                    m->video.probedMsecs = known.value(path);
                }
            }
        }
    }
}

struct Simulator::Display
{
    QString name;
    std::unique_ptr<SegmentScheduler> scheduler;
    std::unique_ptr<MainPlayBKLabel> screen;
    // What the events were last reported from.
    bool playing = false;
    QString general;
    QString insert; // "kind\tname" of the running insert
    QString page;   // "kind\tsegment\tpage" of the page on show
};

Simulator::Simulator(Scheme &scheme, const QDateTime &start, bool events, Output output)
    : m_clock(new VirtualClock(start))
    , m_events(events)
    , m_output(std::move(output))
{
    Clock::setCurrent(m_clock.get());
    // Nobody sees the effects' frames; their start, end and duration are what counts.
    EffectAnimation::setFrameInterval(0);
    // Videos last their stored length; nothing is decoded. One without a length plays to its
    // end in real play, where mpv tells the file's duration: read here with the same library.
    PlayLabel::setDecodingEnabled(false);
    // Frames and ticks that only redraw go by quietly; every timer still starts and stops.
    Headless::setActive(true);
    readVideoLengths(scheme);
    m_host.reset(new Host(this));

    for (const std::unique_ptr<Scheme::DisplayWindow> &dw : scheme.displayWindows) {
        auto display = std::make_unique<Display>();
        display->name = dw->window.name;
        display->scheduler.reset(new SegmentScheduler(display->name));
        display->scheduler->schedule().swap(dw->schedule);
        display->scheduler->musicPlayer()->setMuted(true);
        display->screen.reset(new MainPlayBKLabel(display->name, nullptr, false));
        // Played as the player plays it, on a desktop of one 4K screen.
        display->screen->setGeometry(WindowGeometry::playedDisplay(dw->window.x, dw->window.y, dw->window.width,
                                                                   dw->window.height, QRect(0, 0, 3840, 2160)));
        m_host->addDisplay(display->scheduler.get(), display->screen.get());
        const QString name = display->name;
        connect(display->screen.get(), &MainPlayBKLabel::sigPlayLogRow, this,
                [this, name](CommonWinObject *w, const QStringList &row) {
                    ++m_rows;
                    m_output(name + QLatin1Char('\t') + (w ? w->name : QString()) + QLatin1Char('\t') +
                             row.join(QLatin1Char('\t')));
                });
        // One play window per window of the schedule, as the tree announces them.
        const DisplaySchedule &schedule = display->scheduler->schedule();
        auto addPages = [&](const QList<ProgramObject *> &pages) {
            for (ProgramObject *page : pages) {
                for (CommonWinObject *w : qAsConst(page->windows)) {
                    CommonPlayWindow *pw = display->screen->showCommonWindow(false, w);
                    pw->hide();
                }
            }
        };
        for (GeneralObject *s : schedule.generalSegments)
            addPages(s->programs);
        for (CycleObject *s : schedule.cycleSegments)
            addPages(s->programs);
        for (TimingObject *s : schedule.timingSegments)
            addPages(s->programs);
        if (m_events) {
            for (Kind kind : {Kind::General, Kind::Cycle, Kind::Timing}) {
                const SegmentScheduler::Lane &lane = display->scheduler->lane(kind);
                for (ClockTimer *t : {lane.checkTimer, lane.lengthTimer}) {
                    Display *d = display.get();
                    connect(t, &ClockTimer::timeout, this, [this, d] { observe(*d); });
                }
            }
            Display *d = display.get();
            connect(display->screen.get(), &MainPlayBKLabel::sigCurProgramRealPlayEnd, this,
                    [this, d] { observe(*d); });
        }
        m_displays.push_back(std::move(display));
    }

    // The delayed start: every display window, in name order.
    std::vector<Display *> order;
    for (auto &d : m_displays)
        order.push_back(d.get());
    std::stable_sort(order.begin(), order.end(), [](Display *a, Display *b) { return a->name < b->name; });
    for (Display *d : order) {
        m_host->setCurrentDisplayName(d->name);
        d->scheduler->slotStartPlay(d->name);
        observe(*d);
    }
}

Simulator::~Simulator()
{
    for (auto &d : m_displays)
        m_host->removeDisplay(d->name);
    m_displays.clear();
    m_host.reset();
    Clock::setCurrent(nullptr);
    EffectAnimation::setFrameInterval(16);
    Headless::setActive(false);
}

ScreenPlayHost &Simulator::host()
{
    return *m_host;
}

QDateTime Simulator::now() const
{
    return m_clock->now();
}

QString Simulator::stamp() const
{
    return m_clock->now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

void Simulator::run(qint64 msec)
{
    m_clock->advance(msec);
}

void Simulator::observeByName(const QString &name)
{
    if (!m_events)
        return;
    for (auto &d : m_displays) {
        if (d->name == name)
            observe(*d);
    }
}

void Simulator::observe(Display &d)
{
    if (!m_events)
        return;
    const SegmentScheduler &t = *d.scheduler;
    const DisplaySchedule &schedule = t.schedule();
    if (t.isPlaying() != d.playing) {
        d.playing = t.isPlaying();
        event(d, t.isPlaying() ? QStringLiteral("play start") : QStringLiteral("play stop"), {});
    }
    const QString general =
        t.isPlaying() && t.generalActive() && t.currentGeneral() ? t.currentGeneral()->name : QString();
    if (general != d.general) {
        if (!d.general.isEmpty())
            event(d, QStringLiteral("segment end"), {d.general});
        d.general = general;
        if (!general.isEmpty())
            event(d, QStringLiteral("segment start"), {general});
    }
    // What holds the screen, and its kind.
    Kind kind = Kind::General;
    bool shows = false;
    if (t.isPlaying() && t.insertState() == Insert::CycleInsert) {
        kind = Kind::Cycle;
        shows = true;
    } else if (t.isPlaying() && t.insertState() == Insert::TimingInsert) {
        kind = Kind::Timing;
        shows = true;
    } else if (t.isPlaying() && t.generalActive()) {
        shows = true;
    }
    QString insert;
    if (shows && kind == Kind::Cycle && !schedule.cycleSegments.isEmpty())
        insert = SegmentScheduler::keyword(kind) + QLatin1Char('\t') + schedule.cycleSegments.last()->name;
    else if (shows && kind == Kind::Timing && !schedule.timingSegments.isEmpty())
        insert = SegmentScheduler::keyword(kind) + QLatin1Char('\t') + schedule.timingSegments.last()->name;
    if (insert != d.insert) {
        if (!d.insert.isEmpty())
            event(d, QStringLiteral("insert end"), {d.insert});
        d.insert = insert;
        if (!insert.isEmpty())
            event(d, QStringLiteral("insert start"), {insert});
    }
    const ProgramObject *page = nullptr;
    if (shows) {
        const SegmentScheduler::Lane &lane = t.lane(kind);
        page = lane.pages.value(lane.pageIndex);
    }
    const QString pageKey = page ? SegmentScheduler::keyword(kind) + QLatin1Char('\t') + page->segmentName +
                                       QLatin1Char('\t') + page->name
                                 : QString();
    if (pageKey != d.page) {
        d.page = pageKey;
        if (!pageKey.isEmpty())
            event(d, QStringLiteral("page"), {pageKey});
    }
}

void Simulator::event(const Display &d, const QString &what, const QStringList &details)
{
    QStringList parts{QStringLiteral("#"), stamp(), d.name, what};
    parts += details;
    m_output(parts.join(QLatin1Char('\t')));
}
