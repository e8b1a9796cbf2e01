#include "simulator.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "clock/virtualclock.h"
#include "editor/projecttree.h"
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/timingobject.h"
#include "render/commonplaywindow.h"
#include "render/effectanimation.h"
#include "render/mainplaybklabel.h"
#include "render/playlabel.h"

#include <QMediaPlayer>

#include <algorithm>

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
    void slotPlayInvalid(const QString &name, const QString &kind, CommonWinObject *window) override
    {
        m_owner->observeByName(name);
        ScreenPlayHost::slotPlayInvalid(name, kind, window);
    }
    void stopRealPlay(const QString &name) override
    {
        ScreenPlayHost::stopRealPlay(name);
        m_owner->observeByName(name);
    }
    void showInformation(const QString &title, const QString &text) override
    {
        m_owner->m_output(QStringLiteral("#\t%1\t%2: %3").arg(m_owner->stamp(), title, text));
    }

private:
    Simulator *m_owner;
};

struct Simulator::Display
{
    QString name;
    std::unique_ptr<ProjectTree> tree;
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
    // Videos last their stored length; nothing is decoded.
    PlayLabel::setDecodingEnabled(false);
    m_host.reset(new Host(this));

    for (const std::unique_ptr<Scheme::DisplayWindow> &dw : scheme.displayWindows) {
        auto display = std::make_unique<Display>();
        display->name = dw->window.name;
        display->tree.reset(new ProjectTree(display->name));
        display->tree->schedule.swap(dw->schedule);
        display->tree->bkMusicPlayer->setMuted(true);
        display->screen.reset(new MainPlayBKLabel(display->name, nullptr, false));
        display->screen->setGeometry(dw->window.x, dw->window.y, dw->window.width, dw->window.height);
        m_host->addDisplay(display->tree.get(), display->screen.get());
        const QString name = display->name;
        connect(display->screen.get(), &MainPlayBKLabel::sigPlayLogRow, this,
                [this, name](CommonWinObject *w, const QStringList &row) {
                    ++m_rows;
                    m_output(name + QLatin1Char('\t') + (w ? w->name : QString()) + QLatin1Char('\t') +
                             row.join(QLatin1Char('\t')));
                });
        // One play window per window of the schedule, as the tree announces them.
        ProjectTree *tree = display->tree.get();
        auto addPages = [&](const QList<ProgramObject *> &pages) {
            for (ProgramObject *page : pages) {
                for (CommonWinObject *w : qAsConst(page->windows)) {
                    CommonPlayWindow *pw = display->screen->showCommonWindow(false, w);
                    pw->hide();
                }
            }
        };
        for (GeneralObject *s : qAsConst(tree->generalSegments))
            addPages(s->programs);
        for (CycleObject *s : qAsConst(tree->cycleSegments))
            addPages(s->programs);
        for (TimingObject *s : qAsConst(tree->timingSegments))
            addPages(s->programs);
        if (m_events) {
            for (ClockTimer *t : {tree->playTimer, tree->generalProgramTimer, tree->cycleCheckTimer,
                                  tree->cyclePlayTimer, tree->timingCheckTimer, tree->timingPlayTimer}) {
                Display *d = display.get();
                connect(t, &ClockTimer::timeout, this, [this, d] { observe(*d); });
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
        m_host->currentDisplayName = d->name;
        d->tree->slotStartPlay(d->name);
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
    const ProjectTree &t = *d.tree;
    if (t.playing != d.playing) {
        d.playing = t.playing;
        event(d, t.playing ? QStringLiteral("play start") : QStringLiteral("play stop"), {});
    }
    const QString general =
        t.playing && t.generalActive && t.currentGeneral ? t.currentGeneral->name : QString();
    if (general != d.general) {
        if (!d.general.isEmpty())
            event(d, QStringLiteral("segment end"), {d.general});
        d.general = general;
        if (!general.isEmpty())
            event(d, QStringLiteral("segment start"), {general});
    }
    QString insert;
    if (t.playing && t.insertState == 1 && !t.cycleSegments.isEmpty())
        insert = QStringLiteral("cycleSegment\t") + t.cycleSegments.last()->name;
    else if (t.playing && t.insertState == 2 && !t.timingSegments.isEmpty())
        insert = QStringLiteral("timingSegment\t") + t.timingSegments.last()->name;
    if (insert != d.insert) {
        if (!d.insert.isEmpty())
            event(d, QStringLiteral("insert end"), {d.insert});
        d.insert = insert;
        if (!insert.isEmpty())
            event(d, QStringLiteral("insert start"), {insert});
    }
    const ProgramObject *page = nullptr;
    QString kind;
    if (t.playing && t.insertState == 1) {
        page = t.cyclePrograms.value(t.cycleProgramIndex);
        kind = QStringLiteral("cycleSegment");
    } else if (t.playing && t.insertState == 2) {
        page = t.timingPrograms.value(t.timingProgramIndex);
        kind = QStringLiteral("timingSegment");
    } else if (t.playing && t.generalActive) {
        page = t.generalPrograms.value(t.generalProgramIndex);
        kind = QStringLiteral("generalSegment");
    }
    const QString pageKey =
        page ? kind + QLatin1Char('\t') + page->segmentName + QLatin1Char('\t') + page->name : QString();
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
