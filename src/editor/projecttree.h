#pragma once

#include "model/displayschedule.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

#include <memory>

class CommonWinObject;
class CycleObject;
class GeneralObject;
class LumoraMediaObject;
class OfficeJob;
class MediaImport;
class PlayWinObject;
class ProjectTreeItem;
class SegmentScheduler;
class QAction;
class QMenu;
class ProgramObject;
class TimingObject;
class TreeHost;

// The schedule tree of one display window: its nodes, selection and context menus, and the
// editing operations behind them (src/editor/projecttree_*.cpp). It owns the display window's
// scheduler, which holds the three segment lists the tree edits; play commands are passed on
// to it.
class ProjectTree : public QTreeWidget
{
    Q_OBJECT

    // First, so that the schedule references below can point into it.
    std::unique_ptr<SegmentScheduler> m_scheduler;

public:
    explicit ProjectTree(const QString &displayWindowName, QWidget *parent = nullptr);
    ~ProjectTree() override;

    SegmentScheduler *scheduler() const { return m_scheduler.get(); }
    // The main window's side of the tree; the scheduler has a host of its own (the screens').
    void setTreeHost(TreeHost *host) { m_host = host; }
    TreeHost *treeHost() const { return m_host; }

    // The three segment lists of this display window, owned by the scheduler.
    DisplaySchedule &schedule;
    QList<GeneralObject *> &generalSegments = schedule.generalSegments;
    QList<CycleObject *> &cycleSegments = schedule.cycleSegments;
    QList<TimingObject *> &timingSegments = schedule.timingSegments;

    QString displayName;

    // ---- tree role
    ProjectTreeItem *rootItem() const { return m_rootItem; }
    // The root node "Add Schedule"; made once, before any segment is restored.
    ProjectTreeItem *createRootItem();
    // Restore operations: each takes over a filled record, appends it to its parent's list and
    // creates its node under the given parent node.
    ProjectTreeItem *restoreGeneralSegment(GeneralObject *segment);
    ProjectTreeItem *restoreCycleSegment(CycleObject *segment);
    ProjectTreeItem *restoreTimingSegment(TimingObject *segment);
    ProjectTreeItem *restoreProgram(ProjectTreeItem *segmentItem, ProgramObject *page);
    // A page's window list is its layer order, bottom first; the tree shows the top layer first.
    // `listIndex` places the window in that list (-1: on top).
    ProjectTreeItem *restoreWindow(ProjectTreeItem *programItem, CommonWinObject *window, int listIndex = -1);
    // Takes over every record of `loaded` (left empty) through the restore operations, as a
    // freshly read scheme file gives them: counters as stored, pictures not yet decoded.
    void restoreSchedule(DisplaySchedule &loaded);
    // The office step of a load: `media`, an "office" item already in its place in one of this
    // tree's windows, gets its pages from the office service when they are ready (it shows its
    // background until then); the media counter stays at the largest number in use. Returns
    // the job, which the caller may show progress for.
    OfficeJob *restoreOfficeMedia(LumoraMediaObject *media);
    // Whether `media` is an item of this tree.
    bool holdsMedia(const LumoraMediaObject *media) const;
    // Root, "General Segment1" on all days, "Program1" on black, "Common Window1" framed red.
    void buildDefaultSchedule();
    void retranslate();

    CommonWinObject *getCurCommonWin() const { return m_currentWindow; }
    ProjectTreeItem *currentTreeItem() const { return m_currentItem; }
    void setCurrentTreeItem(ProjectTreeItem *item);
    // The records of a node, found by name as the tree does (nullptr when there is none).
    GeneralObject *findGeneral(const QString &name) const;
    CycleObject *findCycle(const QString &name) const;
    TimingObject *findTiming(const QString &name) const;
    ProgramObject *findProgram(const ProjectTreeItem *programItem) const;
    CommonWinObject *findWindow(const ProjectTreeItem *windowItem) const;
    QList<ProgramObject *> *programsOf(const QString &kind, const QString &segmentName) const;
    // The segment node of `kind` and `name`, the program node below it, the window node below that.
    ProjectTreeItem *segmentItem(const QString &kind, const QString &name) const;
    // The node of a segment, of a page in it or of a window on that page, by their names (the
    // root for no segment); nullptr when there is none.
    ProjectTreeItem *nodeOf(const QString &segmentKind, const QString &segment,
                            const QString &page = QString(), const QString &window = QString()) const;
    // Marks the nodes of `problems` with a warning sign and their messages as tooltip, and
    // takes the marks off every other node.
    void markProblems(const QHash<QTreeWidgetItem *, QStringList> &problems);
    // The messages `item` is marked with.
    QStringList problemsAt(const QTreeWidgetItem *item) const;
    // Every window and media item of this display window's schedule, in tree order of the
    // segments. Whatever is not in these lists is about to be freed.
    QList<CommonWinObject *> allWindows() const;
    QList<LumoraMediaObject *> allMedia() const;

    // The largest media number in use in this tree; every new item takes the next one, so a
    // number is never reused after a load.
    int mediaCounter = 0;
    int takeMediaId() { return ++mediaCounter; }
    // The files at `paths` become media items of the selected window, in order (what
    // "Add Media" -> "File" does after its dialog). Runs on after returning; nullptr when
    // nothing starts (no window selected, no file of a known kind, an import still running).
    MediaImport *importMediaFiles(const QStringList &paths);
    bool controlHeld = false;
    QString currentSegmentKindSelected;
    QString currentSegmentName;
    QString currentProgramName;

    QMenu *rootMenu = nullptr;
    QMenu *segmentMenu = nullptr;
    QMenu *programMenu = nullptr;
    QMenu *windowMenu = nullptr;
    // The window menu's position and size entries act on the main window, which connects them.
    QList<QAction *> windowPositionActions; // centre, h-centre, v-centre, left, right, top, bottom
    QList<QAction *> windowSizeActions;     // full, h-full, h 1/2, 1/3, 1/4, v-full, v 1/2, 1/3, 1/4

public slots:
    // Play commands for display window `name`; the scheduler of that name acts on them.
    void slotStartPlay(const QString &name);
    void slotStopPlay(const QString &name);
    void slotShowSegmentInfo();

    // ---- tree role
    void slotProgramSelected();
    void slotCommonSelected();
    void slotSelectItemChecked();
    // The display window was edited: a new name goes into every record of this tree.
    void slotModifySchedule(const QString &oldName, PlayWinObject *displayWindow);

    // Context menu entries; the editing operations behind them.
    void addSegmentSlot();
    void addTimingSegmentSlot();
    void addCycleSegmentSlot();
    void addCopyedTimesSlot();
    void clearAllTimesSlot();
    void addProgramSlot();
    void copySegmentSlot();
    void pasteSegmentSlot();
    void moveupSegmentSlot();
    void movedownSegmentSlot();
    void deleteSegmentSlot();
    void clearProgramSlot();
    void addCommonWindowSlot();
    void moveupProgramSlot();
    void movedownProgramSlot();
    void copyProgramSlot();
    void pasteProgramSlot();
    void deleteProgramSlot();
    void addCopiedWindowSlot();
    void clearWindowSlot();
    void addMediaFileSlot();
    void addSimpleTextSlot();
    void addSingleRowTextSlot();
    void addScrollingTextSlot();
    void addAnalogClockSlot();
    void addDigitalClockSlot();
    void addDigitalTimerSlot();
    void addWeatherSlot();
    void addUrlSlot();
    void addStreamingSlot();
    void addVideoDeviceSlot();
    void clearMediaFileSlot();
    void moveupLayerSlot();
    void movedownLayerSlot();
    void copyWindowSlot();
    void pasteWindowSlot();
    void deleteWindowSlot();

    // The window panel's media list (the window is the one holding the item).
    void slotSelectMedia(const QString &windowName, int index);
    void slotDeleteMedia(LumoraMediaObject *media, int index);
    void slotSwapMedia(int first, int second);
    void slotPasteMedia(LumoraMediaObject *media, CommonWinObject *window, int index);

signals:
    void sigAddVideoObject(int index, LumoraMediaObject *media);
    void sigAddImageObject(int index, LumoraMediaObject *media);
    void sigAddDigitalClockObject(int index, LumoraMediaObject *media);
    void sigAddAnalogClockObject(int index, LumoraMediaObject *media);
    void sigAddDigitalTimerObject(int index, LumoraMediaObject *media);
    void sigAddUrlObject(int index, LumoraMediaObject *media);
    void sigAddStreamingObject(int index, LumoraMediaObject *media);
    void sigAddVideoDeviceObject(int index, LumoraMediaObject *media);
    void sigAddWeatherObject(int index, LumoraMediaObject *media);
    void sigAddSimpleTextObject(int index, LumoraMediaObject *media);
    void sigAddSingleLineTextObject(int index, LumoraMediaObject *media);
    void sigAddRollingTextObject(int index, LumoraMediaObject *media);
    void deleteCommonWinObj(CommonWinObject *window);
    void clearCommonWinObjs();
    void sigPreviewVideo(LumoraMediaObject *media);
    void sigAddProgram(ProgramObject *page);
    void sigSelectMediaObject(LumoraMediaObject *media);
    void sigDeleteMediaObject(LumoraMediaObject *media);
    void deleteProgramObj(ProgramObject *page);
    void deleteSegmentObj(GeneralObject *segment);
    void deleteCycleSegmentObj(CycleObject *segment);
    void deleteTimingSegmentObj(TimingObject *segment);
    void clearSegmentObj();
    void sigMoveupCommonWin(CommonWinObject *window);
    void sigMovedownCommonWin(CommonWinObject *window);
    // An editing command of the tree's menus ran (`step` names it); it may have changed nothing,
    // as when the operator declined its question.
    void sigEdited(const QString &step);
    // Forwarded from the scheduler: play was asked for on an empty schedule.
    void sigBeginPlayFailed();
    void sigAddCommonWin(CommonWinObject *window, const QString &displayName, const QString &segmentKind);
    // The media list of `window` is about to be emptied and its items freed.
    void clearMediaObjs(CommonWinObject *window);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // The context menu of `item`'s kind; nullptr for none.
    QMenu *menuOf(const ProjectTreeItem *item) const;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    // What pressing play does to the tree: the root node is selected and the schedule's
    // panel shown.
    void showScheduleForPlay();
    void buildMenus();
    void runSelectionStep(ProjectTreeItem *item);
    ProjectTreeItem *makeItem(const QString &kind, const QString &text, QTreeWidgetItem *parent);
    // ---- editing (src/editor/projecttree_edit.cpp, projecttree_windows.cpp)
    bool askYesNo(const QString &text);
    bool editable() const;
    QString segmentBaseName(const QString &kind) const;
    QStringList segmentNames(const QString &kind) const;
    ProjectTreeItem *addSegmentOfKind(const QString &kind);
    ProjectTreeItem *pasteSegmentCopy();
    ProjectTreeItem *restoreSegmentCopy(const QString &kind, const QString &name);
    void buildPages(ProjectTreeItem *segmentItem, QList<ProgramObject *> pages);
    void buildWindow(ProjectTreeItem *programItem, CommonWinObject *window);
    // A copied window may come from a larger display window: it is moved in, then shrunk, so
    // nothing of it hangs off this one; counted for reportFitted().
    void fitToDisplay(CommonWinObject *window);
    // Tells the operator how many pasted windows fitToDisplay() changed, once per paste.
    void reportFitted();
    void followSegmentOrder();
    void orderWindowItems(ProjectTreeItem *programItem);
    void forgetRemoved();
    void moveSegment(int step);
    void moveProgram(int step);
    void moveLayer(int step);
    ProjectTreeItem *segmentItemOf(ProjectTreeItem *item) const;
    qint32 *programCounterOfSegment(const ProjectTreeItem *segmentItem) const;
    CommonWinObject *windowOfCurrentItem() const;
    CommonWinObject *windowHolding(const LumoraMediaObject *media) const;
    void addMediaOfType(const QString &type);
    void announceMedia(int index, LumoraMediaObject *media);
    void removeSegmentItem(ProjectTreeItem *item);

    TreeHost *m_host = nullptr;

    ProjectTreeItem *m_rootItem = nullptr;
    ProjectTreeItem *m_currentItem = nullptr;
    ProjectTreeItem *m_lastActedItem = nullptr;
    int m_fittedWindows = 0;
    CommonWinObject *m_currentWindow = nullptr;
    QMenu *m_insertedMenu = nullptr;
    QMenu *m_addMediaMenu = nullptr;
    QMenu *m_positionMenu = nullptr;
    QMenu *m_sizeMenu = nullptr;
    QList<QAction *> m_rootActions;
    QList<QAction *> m_segmentActions;
    QList<QAction *> m_programActions;
    QList<QAction *> m_windowActions;
    QList<QAction *> m_mediaActions;
};
