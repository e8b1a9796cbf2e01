#pragma once

#include "player/playhost.h"

#include <QObject>
#include <QStringList>

class CommonPlayWindow;
class MainPlayBKLabel;
class QWidget;
class SegmentScheduler;

// The screens' side of play: the schedulers (SegmentScheduler) of every display window hand
// their windows here, and this starts, resumes, pauses, hides and stops the play windows on the
// display windows' screens, shows each page's background, and passes the screens' end-of-pass
// reports back to the schedulers. It keeps which display window is current and which play.
// The main window owns one and follows its playing displays to lock the editor; the simulation
// uses one as it is.
class ScreenPlayHost : public QObject, public PlayHost
{
    Q_OBJECT

public:
    explicit ScreenPlayHost(QObject *parent = nullptr);
    ~ScreenPlayHost() override;

    // Wires a display window's scheduler and screen to this host; either may be nullptr.
    // Neither is owned.
    void addDisplay(SegmentScheduler *scheduler, MainPlayBKLabel *screen);
    // Forgets the scheduler and screen of `name`, and that it plays.
    void removeDisplay(const QString &name);
    MainPlayBKLabel *screen(const QString &name) const;
    QList<MainPlayBKLabel *> screens() const { return m_screens; }

    // The display window selected in the main window: the pause button's and the resumption's.
    QString currentDisplayName() const { return m_currentDisplayName; }
    void setCurrentDisplayName(const QString &name) { m_currentDisplayName = name; }
    // The display windows whose schedulers play, in the order they began.
    QStringList playingDisplays() const { return m_playingDisplays; }
    // A display window was renamed: it keeps its place among the playing ones.
    void renameDisplay(const QString &oldName, const QString &newName);
    // Kind of the last window handed to a play window, over every display window.
    QString currentSegmentKind() const { return m_currentSegmentKind; }
    // The window message boxes are shown over.
    void setInformationParent(QWidget *parent) { m_informationParent = parent; }

    // What the pause button does to the play windows of the current display window.
    void pauseDisplay(const QString &name);

    // PlayHost
    void slotGetRealBeginWinInfo(const QString &displayName) override;
    void slotRealPlayContinue(const QString &kind) override;
    void slotPlayInvalid(const QString &displayName, const QString &kind, CommonWinObject *window,
                         Cut cut) override;
    void slotRealPlayCommonWinObj(const QString &displayName, const QString &kind, CommonWinObject *window,
                                  QList<LumoraMediaObject *> media) override;
    void stopRealPlay(const QString &displayName, Cut cut) override;
    void removePlayingDisplay(const QString &displayName) override;
    void showInformation(const QString &title, const QString &text) override;

signals:
    // A page pass has ended on `name`; every scheduler listens and keeps its own.
    void sigCurProgramRealPlayEnd(const QString &name, CommonWinObject *window);
    // A display window began or stopped playing.
    void sigPlayingDisplaysChanged();

public slots:
    void slotCurProgramRealPlayEnd(const QString &name, CommonWinObject *window);

private:
    void showPageBackground(const QString &displayName, const CommonWinObject *window);

    QList<MainPlayBKLabel *> m_screens;
    QList<SegmentScheduler *> m_schedulers;
    QString m_currentDisplayName;
    QStringList m_playingDisplays;
    QString m_currentSegmentKind;
    QWidget *m_informationParent = nullptr;
};
