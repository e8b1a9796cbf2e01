#pragma once

#include <QList>
#include <QSize>
#include <QString>

class CommonWinObject;
class CycleObject;
class GeneralObject;
class LumoraMediaObject;
class ProgramObject;
class QWidget;
class TimingObject;

// The main window's side of the scheduler: everything a ProjectTree asks of the screens and
// of the editor goes through here. The main window implements it (the slot names are its
// own); tests put a recording implementation in its place.
//
// Segment kinds are the keywords "generalSegment", "cycleSegment" and "timingSegment".
class PlayHost
{
public:
    virtual ~PlayHost();

    // Show the schedule's property panel; hide the current screen's play windows unless it plays.
    virtual void checkSchedule(const QString &rootText) = 0;
    virtual void slotStopCurPreview() = 0;
    // Play has started on `displayName`: mark its screen as playing and lock the editor.
    virtual void slotGetRealBeginWinInfo(const QString &displayName) = 0;
    // Resume the play windows of `kind` on the current display window.
    virtual void slotRealPlayContinue(const QString &kind) = 0;
    // Stop and hide the play window of `window`. The scheduler also sends insert windows it
    // discards (an insert re-triggered or cut short), so every kind is meant, not only general.
    virtual void slotPlayInvalid(const QString &displayName, const QString &kind,
                                 CommonWinObject *window) = 0;
    // Start `window` with `media` on the screen of `displayName`.
    virtual void slotRealPlayCommonWinObj(const QString &displayName, const QString &kind,
                                          CommonWinObject *window, QList<LumoraMediaObject *> media) = 0;
    // Stop every play window of the screen of `displayName`.
    virtual void stopRealPlay(const QString &displayName) = 0;
    // `displayName` no longer plays.
    virtual void removePlayingDisplay(const QString &displayName) = 0;

    // The display window selected in the main window.
    virtual QString currentDisplayWindowName() const = 0;
    // The last segment of each kind of the selected display window (nullptr for an empty list).
    virtual void setCurrentSegmentObjects(GeneralObject *general, CycleObject *cycle,
                                          TimingObject *timing) = 0;

    // Selection of a node of the schedule tree: the main window shows that node's panel.
    virtual void checkSegment(GeneralObject *segment) { (void)segment; }
    virtual void checkCycleSegment(CycleObject *segment) { (void)segment; }
    virtual void checkTimingSegment(TimingObject *segment) { (void)segment; }
    virtual void checkProgram(ProgramObject *page, const QString &segmentKind)
    {
        (void)page;
        (void)segmentKind;
    }
    virtual void checkWindow(CommonWinObject *window) { (void)window; }
    // Size of the on-screen area of `displayName`; invalid when not known.
    virtual QSize displaySize(const QString &displayName) const
    {
        (void)displayName;
        return QSize();
    }

    // Tells the operator something that needs no answer. The main window shows a modal
    // information box with one OK button, parented to hostWindow(); a host without windows
    // writes it to the debug output.
    virtual void showInformation(const QString &title, const QString &text);
    virtual QWidget *hostWindow() const { return nullptr; }
};
