#pragma once

#include "player/playhost.h"

#include <QHash>
#include <QObject>
#include <QStringList>

class CommonPlayWindow;
class MainPlayBKLabel;
class SegmentScheduler;

// The main window's side of play for its screens: the schedulers (SegmentScheduler) hand their
// windows here, and this starts, resumes, pauses, hides and stops the play windows on the
// display windows' screens, and passes the screens' end-of-pass reports back to the schedulers.
// The main window derives from it (or keeps one) and adds its editor's parts; the
// simulation uses it as it is.
class ScreenPlayHost : public QObject, public PlayHost
{
    Q_OBJECT

public:
    explicit ScreenPlayHost(QObject *parent = nullptr);
    ~ScreenPlayHost() override;

    // Wires a display window's scheduler and screen to this host. Neither is owned.
    void addDisplay(SegmentScheduler *scheduler, MainPlayBKLabel *screen);
    void removeDisplay(const QString &name);
    MainPlayBKLabel *screen(const QString &name) const;
    QList<MainPlayBKLabel *> screens() const { return m_screens; }

    QString currentDisplayName;
    QStringList playingDisplays;
    // Kind of the last window handed to a play window, over every display window.
    QString currentSegmentKind;

    // What the pause button does to the play windows of the current display window.
    void pauseDisplay(const QString &name);

    // PlayHost
    void checkSchedule(const QString &rootText) override;
    void slotStopCurPreview() override;
    void slotGetRealBeginWinInfo(const QString &displayName) override;
    void slotRealPlayContinue(const QString &kind) override;
    void slotPlayInvalid(const QString &displayName, const QString &kind, CommonWinObject *window) override;
    void slotRealPlayCommonWinObj(const QString &displayName, const QString &kind, CommonWinObject *window,
                                  QList<LumoraMediaObject *> media) override;
    void stopRealPlay(const QString &displayName) override;
    void removePlayingDisplay(const QString &displayName) override;
    QString currentDisplayWindowName() const override { return currentDisplayName; }
    void setCurrentSegmentObjects(GeneralObject *general, CycleObject *cycle, TimingObject *timing) override;

signals:
    // A page pass has ended on `name`; every scheduler listens and keeps its own.
    void sigCurProgramRealPlayEnd(const QString &name, CommonWinObject *window);

public slots:
    void slotCurProgramRealPlayEnd(const QString &name, CommonWinObject *window);

private:
    QList<MainPlayBKLabel *> m_screens;
    QHash<QString, SegmentScheduler *> m_schedulers;
};
