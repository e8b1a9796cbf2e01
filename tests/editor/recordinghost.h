#pragma once

#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/programobject.h"
#include "model/timingobject.h"
#include "editor/treehost.h"
#include "player/playhost.h"
#include "player/segmentscheduler.h"

#include <QStringList>

// The main window's side of a schedule tree and the screens' side of its scheduler, reduced to
// a list of what they were told: each call is recorded as "slot:argument", the argument being
// the name of the record it was handed ("-" for none), and the last record of each kind is kept
// to compare pointers.
class RecordingHost : public TreeHost, public PlayHost
{
public:
    QStringList calls;
    GeneralObject *segment = nullptr;
    CycleObject *cycle = nullptr;
    TimingObject *timing = nullptr;
    ProgramObject *page = nullptr;
    QString pageKind;
    CommonWinObject *window = nullptr;

    void checkSchedule(const QString &rootText) override
    {
        calls << QStringLiteral("checkSchedule:") + rootText;
    }
    void slotStopCurPreview() override { calls << QStringLiteral("slotStopCurPreview"); }
    void slotGetRealBeginWinInfo(const QString &displayName) override
    {
        calls << QStringLiteral("slotGetRealBeginWinInfo:") + displayName;
    }
    void slotRealPlayContinue(const QString &kind) override
    {
        calls << QStringLiteral("slotRealPlayContinue:") + kind;
    }
    void slotPlayInvalid(const QString &, const QString &kind, CommonWinObject *, Cut) override
    {
        calls << QStringLiteral("slotPlayInvalid:") + kind;
    }
    void slotRealPlayCommonWinObj(const QString &, const QString &kind, CommonWinObject *,
                                  QList<LumoraMediaObject *>) override
    {
        calls << QStringLiteral("slotRealPlayCommonWinObj:") + kind;
    }
    void stopRealPlay(const QString &displayName, Cut) override
    {
        calls << QStringLiteral("stopRealPlay:") + displayName;
    }
    void removePlayingDisplay(const QString &displayName) override
    {
        calls << QStringLiteral("removePlayingDisplay:") + displayName;
    }
    QString currentDisplay;
    GeneralObject *shownGeneral = nullptr;
    CycleObject *shownCycle = nullptr;
    TimingObject *shownTiming = nullptr;

    QString currentDisplayWindowName() const override { return currentDisplay; }
    void setCurrentSegmentObjects(GeneralObject *g, CycleObject *c, TimingObject *t) override
    {
        shownGeneral = g;
        shownCycle = c;
        shownTiming = t;
    }

    void checkSegment(GeneralObject *s) override
    {
        segment = s;
        calls << QStringLiteral("checkSegment:") + (s ? s->name : QStringLiteral("-"));
    }
    void checkCycleSegment(CycleObject *s) override
    {
        cycle = s;
        calls << QStringLiteral("checkCycleSegment:") + (s ? s->name : QStringLiteral("-"));
    }
    void checkTimingSegment(TimingObject *s) override
    {
        timing = s;
        calls << QStringLiteral("checkTimingSegment:") + (s ? s->name : QStringLiteral("-"));
    }
    void checkProgram(ProgramObject *p, const QString &segmentKind) override
    {
        page = p;
        pageKind = segmentKind;
        calls << QStringLiteral("checkProgram:") + (p ? p->name : QStringLiteral("-"));
    }
    void checkWindow(CommonWinObject *w) override
    {
        window = w;
        calls << QStringLiteral("checkWindow:") + (w ? w->name : QStringLiteral("-"));
    }
    // Both sides of `tree`.
    template<typename Tree> void attach(Tree *tree)
    {
        tree->setTreeHost(this);
        tree->scheduler()->setPlayHost(this);
    }
};
