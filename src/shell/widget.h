#pragma once

#include "editor/treehost.h"
#include "model/commonwinobject.h"
#include "model/lumoramediaobject.h"
#include "model/playwinobject.h"
#include "model/programobject.h"
#include "problemwatch.h"

#include <QHash>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <memory>

class BootSetupWin;
class CommonPlayWindow;
class DisplayWindowSet;
class MediaPanel;
class NodePanel;
class ProgramPanel;
class ScheduleView;
class SegmentPanel;
class TimingSegmentPanel;
class TimingSegmentTimePropertyWin;
class WindowPanel;
class LanguageSetupWin;
class WeatherSetupWin;
class MainMenuBKLabel;
class MainPlayBKLabel;
class JournalWin;
class ScreensWin;
class MonitorWin;
class PlayWinObject;
class ProblemsWin;
class Prodoc;
class PropertyArea;
class RecoveryCopy;
struct PlayEvent;
class ScreenPlayHost;
class ProjectTree;
class ProjectWidget;
class newDisplayWindowButton;
class QFrame;
class QHBoxLayout;
class QVBoxLayout;
class QWindow;
class TitleBar;
class menuButton;

// The operator's main window: a frameless console with its own title bar, a top bar of
// commands, the drop-down main menu and the work area (selector row, schedule trees and
// property panels). The command slots live in one source file per command group.
//
// It owns the scheme (display windows, their trees and screens) and the screens' play host,
// which the schedulers hand their windows to; it is the TreeHost side of every ProjectTree.
class Widget : public QWidget, public TreeHost
{
    Q_OBJECT

public:
    static constexpr int NormalWidth = 1024;
    static constexpr int NormalHeight = 715;

    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    MainMenuBKLabel *mainMenu() const { return m_mainMenu; }
    // The work area and the containers the schedule trees and property panels go into.
    QWidget *workArea() const { return m_workArea; }
    QHBoxLayout *selectorLayout() const { return m_selectorLayout; }
    QVBoxLayout *treeLayout() const { return m_treeLayout; }
    QVBoxLayout *propertyLayout() const { return m_propertyLayout; }

    bool isWorkAreaCollapsed() const;
    bool isShownMaximized() const { return m_maximized; }
    // Height of the window with the work area collapsed: the title and top bars.
    int barsHeight() const;

    // Sets the top-bar play button to "pause" while the current display window plays,
    // else to "play"; retranslation keeps what it shows.
    void setPlayButtonPlaying(bool playing);

    // State shown by the paired top-bar captions, kept by the play control and the
    // display-window commands.
    bool areWindowsLocked() const { return m_windowsLocked; }
    bool isOverallPaused() const { return m_overallPaused; }
    // Whether the current display window's screen is hidden.
    bool areScreensHidden() const;

    // The scheme's display windows with their trees, selector buttons and screens.
    DisplayWindowSet *displays() const { return m_displays.get(); }
    // The display window selected in the selector row (kept by the screens' play host).
    QString currentDisplayName() const;
    // The display windows whose schedules play.
    QStringList playingDisplays() const;
    Prodoc *prodoc() const { return m_prodoc; }
    RecoveryCopy *recoveryCopy() const { return m_recovery; }
    // When a previous session ended with unsaved changes, asks (without blocking play)
    // whether to open them.
    void offerRecoveredChanges();
    // Names, once, each folder the program writes to that cannot be written, and what will not
    // be kept for it; the start goes on meanwhile.
    void reportUnwritableFolders();
    // Ends the program as the close button does, without asking to save.
    void endWithoutAsking();

    // Creates a display window with `values` (name, geometry, on-top mode): its tree container,
    // selector button and screen; with `defaultSchedule` its tree gets the default schedule,
    // otherwise only the root node. Returns nullptr when the name is taken.
    ProjectWidget *createDisplayWindow(const PlayWinObject &values, bool defaultSchedule);
    ProjectTree *treeOf(const QString &displayName) const;
    MainPlayBKLabel *screenOf(const QString &displayName) const;
    newDisplayWindowButton *selectorButtonOf(const QString &displayName) const;
    // After a load: the first display window current, its root node selected.
    void selectFirstDisplayWindowAfterLoad();
    // Reads and checks `path` whole; only then clears the scheme and loads it. A damaged or
    // unreadable file leaves the scheme as it was and, with `report`, says why in an "info" box.
    bool openSchemeFile(const QString &path, bool report);
    // Saves to `path`; with `report` the outcome is shown in an "info" box.
    bool saveSchemeFile(const QString &path, bool report);
    // Where an unsaved scheme is copied to when it starts playing.
    static QString unsavedPlayCopyPath();
    bool isEditingEnabled() const;
    MonitorWin *monitorWindow() const { return m_monitor; }
    JournalWin *journalWindow() const { return m_journal; }
    BootSetupWin *bootSetupWin() const { return m_bootSetupWin; }
    LanguageSetupWin *languageSetupWin() const { return m_languageSetupWin; }
    WeatherSetupWin *weatherSetupWin() const { return m_weatherSetupWin; }
    // The problems of the scheme being edited (widget_problems.cpp) and their list.
    ProblemWatch *problemWatch() const { return m_problemWatch; }
    ProblemsWin *problemsWin() const { return m_problemsWin; }
    // Whether a play command waits for the check of the scheme it would play.
    bool isPlayPending() const { return !m_pendingPlay.isEmpty(); }
    QString playButtonText() const;
    // The open scheme's file name, or "Untitled", with a '*' while it has unsaved changes; the
    // title bar and the window title show it.
    QString documentTitle() const;
    QString lockButtonText() const;
    QString hideButtonText() const;

    // TreeHost: the trees' calls.
    void checkSchedule(const QString &rootText) override;
    void slotStopCurPreview() override;
    QString currentDisplayWindowName() const override { return currentDisplayName(); }
    void setCurrentSegmentObjects(GeneralObject *general, CycleObject *cycle, TimingObject *timing) override;
    void checkProgram(ProgramObject *page, const QString &segmentKind) override;
    void checkWindow(CommonWinObject *window) override;
    QWidget *hostWindow() const override { return const_cast<Widget *>(this); }
    void showInformation(const QString &title, const QString &text) override;

    void checkSegment(GeneralObject *segment) override;
    void checkCycleSegment(CycleObject *segment) override;
    void checkTimingSegment(TimingObject *segment) override;
    QSize displaySize(const QString &displayName) const override;

    // The property panels (PropertyArea): one node panel shows at a time; beside the
    // window panel, the panel of the media item selected in its list.
    PropertyArea *propertyArea() const { return m_properties; }
    SegmentPanel *segmentPanel() const;
    TimingSegmentPanel *timingSegmentPanel() const;
    ProgramPanel *programPanel() const;
    WindowPanel *windowPanel() const;
    ScheduleView *scheduleView() const;
    TimingSegmentTimePropertyWin *timePointWin() const;
    // The node panel on show, and the media panel on show (nullptr when none).
    QWidget *shownPanel() const;
    MediaPanel *shownMediaPanel() const;
    QList<MediaPanel *> mediaPanels() const;
    // The window and media item whose panels show (editor selection).
    CommonWinObject *selectedWindow() const { return m_selectedWindow; }
    LumoraMediaObject *selectedMedia() const { return m_selectedMedia; }
    // Adds a media panel beside those of createMediaPanels(); it takes over the kinds it edits.
    void addMediaPanel(MediaPanel *panel);

public slots:
    // Frame and window.
    void slotShowMainMenu();
    void slotShowMaximized();
    void slotResume();
    virtual void slotClose();
    void slotWinup();
    void slotRaiseWindow();
    void trUpdate();

    // Scheme documents. The command slots are virtual so that the top bar and menu wiring
    // can be exercised against a main window that only records the commands.
    virtual void slotNewDoc();
    virtual void slotOpenDoc();
    virtual void slotSaveDoc();
    virtual void slotSaveAsDoc();
    void slotOpenSettingsDoc(const QString &path);
    void slotOpenLastDoc(const QString &path);
    void slotClearCurrentAllScheme();
    void slotStartLast();
    // The scheme named on the command line, played at once with `play`.
    void openSchemeFromCommandLine(const QString &path, bool play);

    // Play control.
    virtual void slotMenuPlay();
    virtual void slotMenuPause();
    virtual void slotMenuStop();
    virtual void slotOverallPlay();
    virtual void slotOverallStop();
    virtual void slotOverallLock();
    void slotBeginPlayFailed();

    // Display windows.
    virtual void slotMonitor();
    virtual void slotBackstage();
    void slotAutoBackState();
    virtual void slotWinHide();
    void slotAddDisplayWindow();
    void slotDisplayWindowSetting();
    void slotDisplayWindowChecked();
    void slotDeleteDisplayWindow();
    void slotAddCommonWin(CommonWinObject *window, const QString &displayName, const QString &segmentKind);

    // Editing announcements of the trees (widget_editing.cpp): records about to be freed, added
    // pages and media, layer moves.
    void slotDeleteSegmentObj(GeneralObject *segment);
    void slotDeleteCycleSegmentObj(CycleObject *segment);
    void slotDeleteTimingSegmentObj(TimingObject *segment);
    void slotClearSegmentObj();
    void slotDeleteProgramObj(ProgramObject *page);
    void slotDeleteCommonWinObj(CommonWinObject *window);
    void slotClearCommonWinObjs();
    void slotClearMediaObjs(CommonWinObject *window);
    void slotDeleteMediaObject(LumoraMediaObject *media);
    void slotSelectMediaObject(LumoraMediaObject *media);
    // Property panels (widget_panels.cpp).
    void hideAllSetupLabel();
    void showGeneralInfo(GeneralObject *segment);
    void showCycleInfo(CycleObject *segment);
    void showTimingInfo(TimingObject *segment);
    void slotCommonItemTableSelectionChanged(int row);
    void slotCommonItemTableUnSelected();
    void slotTimingSegmentAdd();
    void slotTimingSegmentEdit();
    void slotTimingSegmentDel();
    void slotAddProgram(ProgramObject *page);
    void slotAddMediaObject(int index, LumoraMediaObject *media);
    void slotMoveupCommonWin(CommonWinObject *window);
    void slotMovedownCommonWin(CommonWinObject *window);
    // Position and size presets of the current window of the current display window.
    void setWinPosCenterSlot();
    void setWinPosCenterHSlot();
    void setWinPosCenterVSlot();
    void setWinPosLeftSlot();
    void setWinPosRightSlot();
    void setWinPosTopSlot();
    void setWinPosBottomSlot();
    void setWinSizeFullscreenSlot();
    void setWinSizeHFullscreenSlot();
    void setWinSizeHHalfSlot();
    void setWinSizeHThirdSlot();
    void setWinSizeHQuarterSlot();
    void setWinSizeVFullscreenSlot();
    void setWinSizeVHalfSlot();
    void setWinSizeVThirdSlot();
    void setWinSizeVQuarterSlot();

    // System settings.
    virtual void slotSetBoot();
    virtual void slotSetPlay();
    virtual void slotSetupLanguage();
    void slotSetupWeather();
    // The fleet of screens this PC's operator runs (widget_fleet.cpp).
    void slotShowScreens();
    // Opens the list of the scheme's problems.
    virtual void slotShowProblems();
    // Takes back the operator's last step, or does again the one taken back.
    void slotUndo();
    void slotRedo();
    // Empties the log viewer's results and shows it (created on first use, then kept).
    virtual void slotShowJournal();

signals:
    // Display window, window, item: what a window of the real play shows from now on.
    void sigNowPlaying(const QString &displayName, const QString &windowName, const QString &itemName);
    // A window of the real play went dark where it should have played (log/playevents.h), and
    // shows again after one its player could not mend.
    void sigPlayEvent(const PlayEvent &event);
    void sigPlayResumed(const QString &displayName, const QString &windowName);
    void sigAddSchedule(PlayWinObject *displayWindow);
    void sigModifySchedule(const QString &oldName, PlayWinObject *displayWindow);
    // A panel stored a change into the record.
    void sigSegmentChanged(GeneralObject *segment);
    void sigCycleSegmentChanged(CycleObject *segment);
    void sigTimingSegmentChanged(TimingObject *segment);
    void sigProgramChanged(ProgramObject *page);
    void sigCommonWinChanged(CommonWinObject *window);
    void sigCommonWinNameChanged(CommonWinObject *window);
    // The window panel's media list.
    void sigSelectedMedia(const QString &windowName, int row);
    void sigDeleteMedia(LumoraMediaObject *media, int row);
    void sigPasteMedia(LumoraMediaObject *media, CommonWinObject *window, int row);
    void sigSwapMedia(int first, int second);
    void sigLumoraMediaChanged(int row, LumoraMediaObject *media);
    void sigUpdateCommon(CommonWinObject *window);
    void sigStartPlay(const QString &displayName);
    void sigStopPlay(const QString &displayName);
    void sigShowSegmentInfo();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

    // Questions to the operator, one place each so that scripted runs can answer them.
    virtual QString askSavePath(const QString &title);
    virtual QString askOpenPath(const QString &title);
    // Returns true for Yes.
    virtual bool askSaveCurrent();
    // Whether to play a schedule with `problems`; true for "Play anyway".
    virtual bool askPlayAnyway(const QList<ProblemWatch::Problem> &problems);

private:
    void buildTopBar(QFrame *topBar);
    void buildWorkArea();
    void connectCommands();
    void applyWindowSize();
    QRect primaryArea() const;
    void offerToSave();
    // The save dialog's answer with ".schx" added when the name has no extension.
    QString chooseSavePath(const QString &title);
    void updateTitle();
    QString documentTitle(bool modified) const;
    // Something the operator changed in the scheme (`step` names it for undo): once the change
    // is complete it becomes an undo step and the title catches up. See Prodoc::recordStep
    // for `mergeable`.
    void noteEdit(const QString &step, bool mergeable = false, const void *subject = nullptr);
    void commitEdit();
    void updateUndoRedo();
    // The display window and the path of tree texts down to the current node, to select
    // again after an undo rebuilt the scheme.
    QStringList currentNodePath() const;
    void selectNodePath(const QStringList &path);
    // Undo or redo (`step`), then the selection, the title and the menu entries follow.
    void stepHistory(bool (Prodoc::*step)());
    void createStartingScheme();
    void setEditingEnabled(bool enabled);
    void selectDisplayWindow(const QString &name);
    void setPlayButtonFromTree();
    void connectTree(ProjectTree *tree, newDisplayWindowButton *button);
    void startTree(const QString &displayName);
    // Starts (or resumes) the current display window's schedule; the play button follows it.
    void startCurrentDisplay();
    void startDisplays(const QStringList &displayNames);
    // Problems (widget_problems.cpp). The operator's play command starts `displayNames` once the
    // scheme as it stands is checked, and asks first when they have problems.
    void playAfterCheck(const QStringList &displayNames);
    void answerPendingPlay();
    void cancelPendingPlay();
    // The scheme as it stands, to be checked.
    void refreshProblems(const QByteArray &encoding);
    // The outcome of a check in the top bar, the list and the trees.
    void showProblems();
    void updateProblemsButton();
    void markProblems();
    void goToProblem(int index);
    // Screens (widget_screens.cpp).
    MainPlayBKLabel *createScreen(const PlayWinObject &window);
    void applyScreenGeometry(MainPlayBKLabel *screen, const PlayWinObject &window);
    void destroyScreen(MainPlayBKLabel *screen);
    // Where and how large a display window's screen is: its stored values, bounded by the desktop.
    QRect playedGeometry(const PlayWinObject &window) const;
    // The screens' on-top hints after their schedules began or stopped playing.
    void updateScreenStacking();
    // Raises the editor over the screens while the operator uses it (m_editorInUse).
    void keepEditorInFront();
    void followFocusWindow(QWindow *focused);
    void pauseWindowsOf(const QString &displayName);
    void setCurrentDisplayName(const QString &name);
    ScreenPlayHost *screenHost() const { return m_screenHost; }
    void showPagePreview(CommonWinObject *window, bool selectIt);
    // The editor's preview of a selected node: `page`'s windows alone on its display window's
    // screen (none for no page or an empty one), over the page's background.
    void previewPage(const QString &displayName, const QString &segmentKind, const ProgramObject *page);
    void hidePreview(const QString &displayName);
    // Backstage (widget_backstage.cpp): the surface of `window` and its play windows go to
    // the stored position plus `offset`; a null offset brings them home.
    void placeSurface(PlayWinObject *window, const QPoint &offset);
    void setBackstageButtonFromCurrent();
    // Tells the operator which settings could not be written; nothing when all were, or when
    // their folder was already named this session.
    void reportUnwritten(const QStringList &files);
    QStringList m_reportedFolders;
    // Editing (widget_editing.cpp).
    void connectEditing(ProjectTree *tree);
    void dropRemovedRecords();
    void restackPage(const CommonWinObject *window);
    void applyPreset(ProjectTree *tree, int preset);
    // Panels (widget_panels.cpp).
    void connectPanels();
    void connectMediaPanel(MediaPanel *panel);
    void connectScreenToPanels(MainPlayBKLabel *screen);
    void showPanel(QWidget *panel);
    // Panels whose record is gone let go of it; called whenever records are freed.
    void syncPanels();
    // The panel of the current display window's current node.
    void showCurrentNodePanel();
    void showPageBackground(const CommonWinObject *window);
    ProgramObject *pageOf(const CommonWinObject *window) const;
    CommonPlayWindow *previewWindowOf(const LumoraMediaObject *media) const;
    void previewMedia(LumoraMediaObject *media);
    void slotMediaPanelChanged(int row, LumoraMediaObject *media);
    void slotWindowPanelChanged(CommonWinObject *window);
    void slotProgramPanelChanged(ProgramObject *page);

    QFrame *m_frame = nullptr;
    TitleBar *m_titleBar = nullptr;
    QFrame *m_topBar = nullptr;
    QWidget *m_workArea = nullptr;
    QFrame *m_treeColumn = nullptr;
    QFrame *m_propertyArea = nullptr;
    QHBoxLayout *m_selectorLayout = nullptr;
    QVBoxLayout *m_treeLayout = nullptr;
    QVBoxLayout *m_propertyLayout = nullptr;
    MainMenuBKLabel *m_mainMenu = nullptr;

    menuButton *m_menuButton = nullptr;
    menuButton *m_monitorButton = nullptr;
    menuButton *m_backstageButton = nullptr;
    menuButton *m_winupButton = nullptr;
    menuButton *m_lockButton = nullptr;
    menuButton *m_hideButton = nullptr;
    menuButton *m_playButton = nullptr;
    menuButton *m_stopButton = nullptr;
    menuButton *m_problemsButton = nullptr;

    Prodoc *m_prodoc = nullptr;
    RecoveryCopy *m_recovery = nullptr;
    // Per display window, the page its screen previews ("kind/segment/page"), so that windows
    // made meanwhile (paste, load, undo) show only when they belong to it.
    QHash<QString, QString> m_previewedPage;
    bool m_editorInUse = false; // the operator last worked in the editor or one of its dialogs
    bool m_closeAsked = false; // the operator answered whether to save before closing
    std::unique_ptr<DisplayWindowSet> m_displays;
    ScreenPlayHost *m_screenHost = nullptr;
    MonitorWin *m_monitor = nullptr; // closes itself; cleared when destroyed
    JournalWin *m_journal = nullptr;
    ScreensWin *m_screens = nullptr;
    BootSetupWin *m_bootSetupWin = nullptr;
    LanguageSetupWin *m_languageSetupWin = nullptr;
    WeatherSetupWin *m_weatherSetupWin = nullptr;
    ProblemWatch *m_problemWatch = nullptr;
    ProblemsWin *m_problemsWin = nullptr;
    // The display windows a play command starts once the scheme is checked.
    QStringList m_pendingPlay;

    PropertyArea *m_properties = nullptr;
    // The last segment of each kind of the current display window, as its tree published them.
    GeneralObject *m_currentGeneralObject = nullptr;
    CycleObject *m_currentCycleObject = nullptr;
    TimingObject *m_currentTimingObject = nullptr;
    // The records whose panels show (editor selection); cleared when they are removed.
    GeneralObject *m_selectedGeneral = nullptr;
    CycleObject *m_selectedCycle = nullptr;
    TimingObject *m_selectedTiming = nullptr;
    ProgramObject *m_selectedPage = nullptr;
    CommonWinObject *m_selectedWindow = nullptr;
    LumoraMediaObject *m_selectedMedia = nullptr;

    bool m_editNoted = false;
    QString m_noteStep;
    const void *m_noteSubject = nullptr;
    bool m_noteMergeable = true;
    bool m_windowsLocked = false;
    bool m_overallPaused = false;
    bool m_maximized = false;
    bool m_playButtonPlaying = false;
    QRect m_normalGeometry;
};
