#pragma once

#include <QSize>
#include <QString>

class CommonWinObject;
class CycleObject;
class GeneralObject;
class ProgramObject;
class QWidget;
class TimingObject;

// The main window's side of a schedule tree: the panel a selected node shows, the preview on
// the screens, and the operator's messages. The main window implements it; tests put recording
// ones in its place.
class TreeHost
{
public:
    virtual ~TreeHost();

    // Show the schedule's property panel; hide the current screen's play windows unless it plays.
    virtual void checkSchedule(const QString &rootText) = 0;
    virtual void slotStopCurPreview() = 0;
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

    // Tells the operator something that needs no answer: the main window shows a modal
    // information box parented to hostWindow(); a host without windows writes it to the
    // debug output.
    virtual void showInformation(const QString &title, const QString &text);
    virtual QWidget *hostWindow() const { return nullptr; }
};
