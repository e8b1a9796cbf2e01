#pragma once

#include <QList>
#include <QString>

class CommonWinObject;
class LumoraMediaObject;

// What a scheduler asks of the screens of the display windows. ScreenPlayHost (render) is the
// one implementation, in the program and in the simulation; tests put recording ones in its
// place.
//
// Segment kinds are the keywords "generalSegment", "cycleSegment" and "timingSegment".
class PlayHost
{
public:
    virtual ~PlayHost();

    // Why play windows are stopped before their lists end; the item each one shows is logged
    // with it.
    enum class Cut {
        Schedule, // their page, insert or segment ran its time, or gave way to another
        Insert,   // an insert, or the same insert started again by its next point, took over
        Stop,     // play was stopped
        Midnight, // play restarts for the new day
    };

    // Play has started on `displayName`: mark its screen as playing.
    virtual void slotGetRealBeginWinInfo(const QString &displayName) = 0;
    // Resume the play windows of `kind` on the current display window.
    virtual void slotRealPlayContinue(const QString &kind) = 0;
    // Stop and hide the play window of `window`. The scheduler also sends insert windows it
    // discards (an insert re-triggered or cut short), so every kind is meant, not only general.
    virtual void slotPlayInvalid(const QString &displayName, const QString &kind, CommonWinObject *window,
                                 Cut cut) = 0;
    // Start `window` with `media` on the screen of `displayName`.
    virtual void slotRealPlayCommonWinObj(const QString &displayName, const QString &kind,
                                          CommonWinObject *window, QList<LumoraMediaObject *> media) = 0;
    // Stop every play window of the screen of `displayName`.
    virtual void stopRealPlay(const QString &displayName, Cut cut) = 0;
    // `displayName` no longer plays.
    virtual void removePlayingDisplay(const QString &displayName) = 0;

    // Tells the operator something that needs no answer. The program shows a modal
    // information box; a host without windows writes it to the debug output.
    virtual void showInformation(const QString &title, const QString &text);
};
