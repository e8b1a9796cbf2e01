#pragma once

#include "model/displayschedule.h"
#include "player/playhost.h"
#include "player/secondtracker.h"

#include <QList>
#include <QObject>
#include <QString>

class Clock;
class ClockTimer;
class CommonWinObject;
class CycleObject;
class GeneralObject;
class PlayHost;
class ProgramObject;
class QMediaPlayer;
class QMediaPlaylist;
class TimingObject;

// The play scheduler of one display window: once a second it chooses the general segment, on
// its check timers it inserts cycle and timing segments, and it walks the pages of whatever
// plays, handing each window to the screens through its PlayHost. Its timers come from the
// clock in use when it is constructed. It owns the display window's three segment lists; the
// schedule tree edits them in place.
class SegmentScheduler : public QObject
{
    Q_OBJECT

public:
    enum class SegmentKind { General, Cycle, Timing };
    Q_ENUM(SegmentKind)
    // What holds the screen: nothing (play stopped), the general programme, or an insert.
    enum class InsertState { Stopped, General, CycleInsert, TimingInsert };
    Q_ENUM(InsertState)

    // The keyword of each kind ("generalSegment", "cycleSegment", "timingSegment"): the
    // schedule tree's node keyword and the kind passed with every window hand-over.
    static QString keyword(SegmentKind kind);
    // The kind of `keyword`; false when it names no segment kind.
    static bool kindOf(const QString &keyword, SegmentKind *kind);

    // What plays of one segment kind. For the general kind the check timer is the one-second
    // tick and the length timer the length of a page that plays by length; for an insert the
    // check timer looks for the insert to begin and the length timer is its duration.
    struct Lane
    {
        QList<ProgramObject *> pages;
        int pageIndex = 0;
        QList<CommonWinObject *> windows;
        // Passes of the current page (general pages played by times).
        int passCount = 0;
        // The insert's checks run, and are paused by the pause button (inserts only).
        bool started = false;
        bool paused = false;
        ClockTimer *checkTimer = nullptr;
        ClockTimer *lengthTimer = nullptr;
        // What the length timer had left when a pause or an insert held it; -1 when not held.
        int remaining = -1;
        // The insert's first page has been shown through once since the insert last started.
        bool firstPassShown = false;
    };

    explicit SegmentScheduler(const QString &displayWindowName, QObject *parent = nullptr);
    ~SegmentScheduler() override;

    void setPlayHost(PlayHost *host) { m_host = host; }
    PlayHost *playHost() const { return m_host; }

    DisplaySchedule &schedule() { return m_schedule; }
    const DisplaySchedule &schedule() const { return m_schedule; }

    QString displayName() const { return m_displayName; }
    void setDisplayName(const QString &name) { m_displayName = name; }

    bool isPlaying() const { return m_playing; }
    bool isPaused() const { return m_paused; }
    InsertState insertState() const { return m_insertState; }
    // A general segment has been chosen and plays (or waits under an insert).
    bool generalActive() const { return m_generalActive; }
    GeneralObject *currentGeneral() const { return m_currentGeneral; }
    int currentGeneralIndex() const { return m_currentGeneralIndex; }
    const Lane &lane(SegmentKind kind) const { return m_lanes[int(kind)]; }
    // The kind this scheduler last handed to a play window; page-pass ends are accounted by it.
    SegmentKind lastHandedKind() const { return m_lastHanded; }
    ClockTimer *restartTimer() const { return m_restartTimer; }
    QMediaPlayer *musicPlayer() const { return m_musicPlayer; }
    QMediaPlaylist *musicPlaylist() const { return m_musicPlaylist; }

    // Hands `window` to the screens as a window of `kind`, if a segment of that kind holds it.
    void playWindow(SegmentKind kind, CommonWinObject *window);
    void loadBackgroundMusic(ProgramObject *page);

public slots:
    // The play button on display window `name`: starts play, or pauses and resumes it.
    void slotStartPlay(const QString &name);
    void slotStopPlay(const QString &name);
    void slotRestart();
    void slotStartCyclePlay(const QString &name);
    void slotStartTimePlay(const QString &name);
    void slotPlayTimeout();
    void slotPlayLowLevelGeneralObj();
    void slotPlayCycleObj();
    void slotCyclePlayTimeout();
    void slotPlayTimingObj();
    void slotTimingPlayTimeout();
    void slotGeneralProTimeout();
    // Every window of the page on `name` has finished a pass.
    void slotCurProgramRealPlayEnd(const QString &name, CommonWinObject *window);

signals:
    // Play was asked for on an empty schedule; nothing runs.
    void sigBeginPlayFailed();
    // Play starts again by itself after midnight (slotStartPlay follows at once).
    void sigRestarting();

private:
    Lane &laneOf(SegmentKind kind) { return m_lanes[int(kind)]; }
    ClockTimer *makeTimer(void (SegmentScheduler::*slot)());
    void armForNextSecond(ClockTimer *timer);
    void stopPlaying(PlayHost::Cut cut);
    void startGeneralSegment(int index);
    void invalidateGeneralWindows(PlayHost::Cut cut);
    void invalidateWindows(SegmentKind kind, const QList<CommonWinObject *> &windows, PlayHost::Cut cut);
    void startInsert(SegmentKind kind, int playMode, int minutes, int seconds,
                     const QList<ProgramObject *> &pages);
    void endInsert(SegmentKind kind);
    void discardInsert(SegmentKind kind);
    void insertTimeout(SegmentKind kind);
    void resumeGeneralProgramme();
    void showPage(SegmentKind kind);
    void generalPassEnded();
    void insertPassEnded(SegmentKind kind);
    void showPageMusic(ProgramObject *page);
    void updateTimerHolds();
    void holdLength(SegmentKind kind, bool suspend);
    void armLength(SegmentKind kind, int msec);
    void discardLength(SegmentKind kind);

    DisplaySchedule m_schedule;
    QString m_displayName;
    Clock *m_clock;
    PlayHost *m_host = nullptr;
    Lane m_lanes[3];
    bool m_playing = false;
    bool m_paused = false;
    bool m_generalActive = false;
    InsertState m_insertState = InsertState::Stopped;
    GeneralObject *m_currentGeneral = nullptr;
    int m_currentGeneralIndex = 0;
    SegmentKind m_lastHanded = SegmentKind::General;
    bool m_handedAny = false;
    QMediaPlayer *m_musicPlayer = nullptr;
    QMediaPlaylist *m_musicPlaylist = nullptr;
    ProgramObject *m_musicPage = nullptr;
    ClockTimer *m_restartTimer = nullptr;
    SecondTracker m_tickSeconds;
    SecondTracker m_timingSeconds;
    qint64 m_deferredMidnight = -1;
};
