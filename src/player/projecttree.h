#pragma once

#include "displayschedule.h"
#include "secondtracker.h"

#include <QList>
#include <QString>
#include <QTreeWidget>

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

// The schedule tree of one display window, and the play scheduler of that display window:
// once a second it chooses the general segment, on its check timers it inserts cycle and
// timing segments, and it walks the pages of whatever plays, handing each window to the
// main window (PlayHost). Its timers come from the clock in use when it is constructed.
//
// The state members are public for the main window (play button, property panels) to read;
// only the scheduler writes them.
class ProjectTree : public QTreeWidget
{
    Q_OBJECT

public:
    explicit ProjectTree(const QString &displayWindowName, QWidget *parent = nullptr);
    ~ProjectTree() override;

    void setPlayHost(PlayHost *host) { m_host = host; }
    PlayHost *playHost() const { return m_host; }

    void playGeneralWindow(CommonWinObject *window);
    void playCycleWindow(CommonWinObject *window);
    void playTimingWindow(CommonWinObject *window);
    void loadBackgroundMusic(ProgramObject *page);

    // The three segment lists of this display window, owned here.
    DisplaySchedule schedule;
    QList<GeneralObject *> &generalSegments = schedule.generalSegments;
    QList<CycleObject *> &cycleSegments = schedule.cycleSegments;
    QList<TimingObject *> &timingSegments = schedule.timingSegments;

    QString displayName;
    bool playing = false;
    bool paused = false;
    bool generalActive = false;
    bool cycleStarted = false;
    bool cyclePaused = false;
    bool timingStarted = false;
    bool timingPaused = false;
    int insertState = -1; // -1 stopped, 0 general, 1 cycle insert, 2 timing insert
    GeneralObject *currentGeneral = nullptr;
    int currentGeneralIndex = 0;
    QList<ProgramObject *> generalPrograms;
    QList<ProgramObject *> cyclePrograms;
    QList<ProgramObject *> timingPrograms;
    int generalProgramIndex = 0;
    int cycleProgramIndex = 0;
    int timingProgramIndex = 0;
    QList<CommonWinObject *> generalWindows;
    QList<CommonWinObject *> cycleWindows;
    QList<CommonWinObject *> timingWindows;
    int playCount = 0;
    // The kind this tree last handed to a play window; page-pass ends are accounted by it.
    QString currentSegmentKind;
    QMediaPlayer *bkMusicPlayer = nullptr;
    QMediaPlaylist *bkMusicPlaylist = nullptr;

    ClockTimer *playTimer = nullptr;
    ClockTimer *generalProgramTimer = nullptr;
    ClockTimer *cycleCheckTimer = nullptr;
    ClockTimer *cyclePlayTimer = nullptr;
    ClockTimer *timingCheckTimer = nullptr;
    ClockTimer *timingPlayTimer = nullptr;

public slots:
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
    void slotCurProgramRealPlayEnd(const QString &name, CommonWinObject *window);
    void slotShowSegmentInfo();

signals:
    void sigBeginPlayFailed();

private:
    ClockTimer *makeTimer(void (ProjectTree::*slot)());
    void stopPlaying();
    void startGeneralSegment(int index);
    void invalidateGeneralWindows();
    void invalidateWindows(const QString &kind, const QList<CommonWinObject *> &windows);
    void handOver(const QString &kind, CommonWinObject *window);
    void showPageMusic(ProgramObject *page);
    void endCycleInsert();
    void endTimingInsert();
    void resumeGeneralProgramme();
    void generalPassEnded();
    void cyclePassEnded();
    void timingPassEnded();
    void updateTimerHolds();
    void armTimer(ClockTimer *timer, int msec);
    void discardTimer(ClockTimer *timer);

    Clock *m_clock;
    PlayHost *m_host = nullptr;
    ClockTimer *m_restartTimer = nullptr;
    SecondTracker m_tickSeconds;
    SecondTracker m_timingSeconds;
    qint64 m_deferredMidnight = -1;
    ProgramObject *m_musicPage = nullptr;
    // Remaining time of a timer suspended by a pause or, for the page length, by an insert.
    int m_generalRemaining = -1;
    int m_cycleRemaining = -1;
    int m_timingRemaining = -1;
};
