#include "shotlist.h"

#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "importui/importprogressdialog.h"
#include "model/commonwinobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "panels/analogclockpanel.h"
#include "panels/digitalclockpanel.h"
#include "panels/mediapanel.h"
#include "panels/mediapanels.h"
#include "panels/segmentpanel.h"
#include "panels/urlpanel.h"
#include "panels/videodevicepanel.h"
#include "panels/videopanel.h"
#include "panels/weatherpanel.h"
#include "panels/windowpanel.h"
#include "render/mainplaybklabel.h"
#include "shell/monitorwin.h"
#include "shell/shellstyle.h"
#include "shell/widget.h"
#include "shotstage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace {

// Play items as an operator would set them up, in the fonts the machine has.
const QString kFont = QStringLiteral("Noto Sans CJK SC");

LumoraMediaObject *pictureItem(ShotStage &stage, const QSize &size, const QColor &from, const QColor &to,
                               const QString &caption)
{
    auto *m = new LumoraMediaObject;
    m->type = QStringLiteral("image");
    m->image.filePath = stage.pictureFile(size, from, to, caption);
    m->image.stayTime = 10;
    return m;
}

LumoraMediaObject *textItem(const QString &type, const QString &text, int fontSize, const QColor &colour)
{
    auto *m = new LumoraMediaObject;
    m->type = type;
    m->text.text = text;
    m->text.fontFamily = kFont;
    m->text.fontSize = fontSize;
    m->text.textColor = colour;
    m->text.stayTime = 10;
    m->text.playToEnd = false;
    m->text.playDuration = QTime(0, 1, 0);
    return m;
}

LumoraMediaObject *digitalClockItem(bool rows)
{
    auto *m = new LumoraMediaObject;
    m->type = QStringLiteral("digitalClock");
    m->digitalClock.fontFamily = kFont;
    m->digitalClock.fontSize = rows ? 18 : 14;
    m->digitalClock.fixedText = QStringLiteral("Lumora");
    m->digitalClock.color = rows ? QColor(255, 200, 0) : QColor(0, 255, 0);
    m->digitalClock.multiRow = rows;
    m->digitalClock.playTime = QTime(0, 1, 0);
    return m;
}

LumoraMediaObject *analogClockItem()
{
    auto *m = new LumoraMediaObject;
    m->type = QStringLiteral("analogClock");
    m->analogClock.text = QStringLiteral("Lumora");
    m->analogClock.textFont = kFont;
    m->analogClock.textColor = QColor(255, 128, 0);
    m->analogClock.showWeek = true;
    m->analogClock.playTime = QTime(0, 1, 0);
    return m;
}

LumoraMediaObject *countTimerItem()
{
    auto *m = new LumoraMediaObject;
    m->type = QStringLiteral("digitalTimer");
    m->countTimer.length = QTime(0, 10, 0);
    m->countTimer.numberColor = QColor(0, 200, 255);
    return m;
}

const QString kLongText =
    QStringLiteral("欢迎光临 Lumora: every character of a text shows exactly once, pages end on line ends.\n"
                   "营业时间 9:00-18:00, 周末照常营业。Opening hours 9:00 to 18:00, weekends included.");

// One play window filling a screen of `size`, playing `item`; photographed after `msecs`.
void playAlone(ShotStage &stage, const QSize &size, LumoraMediaObject *item, qint64 msecs = 0)
{
    MainPlayBKLabel *screen = stage.screen(size);
    stage.play(screen, QRect(QPoint(0, 0), size), {item});
    stage.advance(msecs);
    stage.capture(screen);
}

// Right-clicks the node at `path` (child indexes from the root) of the main window's tree, opens
// the first submenu of its context menu when asked, and photographs the desktop with the menus
// open. Indexes rather than texts: the texts are in the language being photographed.
void contextMenuShot(ShotStage &stage, const QList<int> &path, bool openSubmenu = false)
{
    Widget *main = stage.mainWindow();
    ProjectTree *tree = main->treeOf(main->currentDisplayName());
    QTreeWidgetItem *node = tree ? tree->rootItem() : nullptr;
    for (int index : path)
        node = node ? node->child(index) : nullptr;
    if (!node) {
        stage.fail(QStringLiteral("no such node"));
        return;
    }
    const QPoint at = tree->visualItemRect(node).center();
    const QPoint global = tree->viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::RightButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &press);
    QApplication::sendEvent(tree->viewport(), &release);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu) {
        stage.fail(QStringLiteral("no context menu"));
        return;
    }
    for (QAction *action : menu->actions()) {
        if (openSubmenu && action->menu()) {
            menu->setActiveAction(action);
            QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
            QApplication::sendEvent(menu, &right);
            break;
        }
    }
    stage.captureScreen();
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

// A media panel filled from `item`, in a frame of the size and look of the main window's property
// area; `then` may act on the shown panel before the photograph (or take it itself).
void showPanel(
    ShotStage &s, LumoraMediaObject &item,
    const std::function<void(MediaPanel *)> &then = [](MediaPanel *) {})
{
    QFrame work;
    work.setObjectName(QStringLiteral("workArea"));
    work.setStyleSheet(shellStyleSheet());
    auto *layout = new QVBoxLayout(&work);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *area = new QFrame(&work);
    area->setObjectName(QStringLiteral("propertyArea"));
    layout->addWidget(area);
    auto *inner = new QVBoxLayout(area);
    inner->setContentsMargins(12, 8, 12, 8);
    MediaPanel *shown = nullptr;
    for (MediaPanel *panel : createMediaPanels(area)) {
        if (!shown && panel->kinds().contains(item.type))
            shown = panel;
    }
    if (!shown) {
        s.fail(QStringLiteral("no panel for ") + item.type);
        return;
    }
    inner->addWidget(shown);
    shown->showMedia(&item, 0);
    shown->show();
    work.resize(722, 560);
    work.show();
    then(shown);
}

void capturePanel(
    ShotStage &s, LumoraMediaObject &item,
    const std::function<void(MediaPanel *)> &then = [](MediaPanel *) {})
{
    showPanel(s, item, [&s, &then](MediaPanel *panel) {
        then(panel);
        s.capture(panel->parentWidget()->parentWidget());
    });
}

LumoraMediaObject panelVideoItem()
{
    LumoraMediaObject m;
    m.type = QStringLiteral("video");
    m.video.filePath = QStringLiteral("/home/operator/media/opening-ceremony-1080p.mp4");
    m.video.totalLength = QTime(0, 3, 25, 480);
    m.video.volume = 80;
    m.video.coverTextEnabled = true;
    m.video.coverText = QStringLiteral("欢迎光临 Welcome");
    m.video.clipEnabled = true;
    m.video.clipStart = QTime(0, 0, 15);
    m.video.clipEnd = QTime(0, 2, 0);
    return m;
}

// The main window with the node of its schedule at `path` (child indexes from the root) selected.
ProjectTree *selectNode(Widget *main, const QList<int> &path)
{
    ProjectTree *tree = main->treeOf(main->currentDisplayName());
    QTreeWidgetItem *item = tree->rootItem();
    for (int index : path)
        item = item->child(index);
    tree->clearSelection();
    tree->setCurrentTreeItem(static_cast<ProjectTreeItem *>(item));
    item->setSelected(true);
    tree->slotSelectItemChecked();
    return tree;
}

// Adds an inserted segment of `cycle` or timing kind after the general one and selects it.
ProjectTree *selectNewInsert(Widget *main, bool cycle)
{
    ProjectTree *tree = selectNode(main, {});
    if (cycle)
        tree->addCycleSegmentSlot();
    else
        tree->addTimingSegmentSlot();
    if (!cycle) {
        TimingObject *timing = tree->timingSegments.last();
        for (const auto &[time, days] :
             {std::make_pair(QTime(8, 30), QStringList{QStringLiteral("Monday"), QStringLiteral("Friday")}),
              std::make_pair(QTime(12, 0), QStringList())}) {
            auto *point = new TimePoint;
            point->time = time;
            point->weekdays = days;
            if (days.isEmpty()) {
                point->specifiedDate = true;
                point->fromDate = QDate(2026, 12, 24);
                point->toDate = QDate(2027, 1, 2);
                point->weekdays = QStringList{QStringLiteral("Monday"),    QStringLiteral("Tuesday"),
                                              QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                                              QStringLiteral("Friday"),    QStringLiteral("Saturday"),
                                              QStringLiteral("Sunday")};
            }
            timing->timePoints << point;
        }
    }
    selectNode(main, {tree->rootItem()->childCount() - 1});
    return tree;
}

// A media panel filled from `item`, on `page` of its tabs, in a frame of the main window's
// property area (its size and look), photographed and thrown away with the item.
void panelShot(ShotStage &stage, MediaPanel *panel, LumoraMediaObject *item, int page = 0)
{
    std::unique_ptr<LumoraMediaObject> owned(item);
    auto workArea = std::make_unique<QFrame>();
    workArea->setObjectName(QStringLiteral("workArea"));
    workArea->setStyleSheet(shellStyleSheet());
    auto *outer = new QVBoxLayout(workArea.get());
    outer->setContentsMargins(0, 0, 0, 0);
    auto *propertyArea = new QFrame(workArea.get());
    propertyArea->setObjectName(QStringLiteral("propertyArea"));
    outer->addWidget(propertyArea);
    auto *inner = new QVBoxLayout(propertyArea);
    inner->setContentsMargins(12, 8, 12, 8);
    panel->setParent(propertyArea);
    inner->addWidget(panel);
    panel->showMedia(item, 0);
    if (auto *tabs = panel->findChild<QTabWidget *>())
        tabs->setCurrentIndex(page);
    workArea->resize(Widget::NormalWidth - 300, 560);
    workArea->show();
    stage.capture(workArea.get());
}

LumoraMediaObject *panelItem(const QString &type)
{
    auto *m = new LumoraMediaObject;
    m->type = type;
    return m;
}

} // namespace

QList<Shot> shotList()
{
    return {
        // ---- the main window and what it opens
        {QStringLiteral("main-window"), [](ShotStage &s) { s.capture(s.mainWindow()); }},
        {QStringLiteral("main-window-menu"),
         [](ShotStage &s) {
             s.mainWindow()->slotShowMainMenu();
             s.capture(s.mainWindow());
         }},
        // The main window with the screen of its display window, as the desktop shows them.
        {QStringLiteral("desktop"),
         [](ShotStage &s) {
             s.mainWindow()->move(360, 40);
             s.captureScreen();
         }},
        {QStringLiteral("dialog-add-display-window"),
         [](ShotStage &s) { s.captureDialogOf([&s] { s.mainWindow()->slotAddDisplayWindow(); }); }},
        {QStringLiteral("dialog-display-window-settings"),
         [](ShotStage &s) { s.captureDialogOf([&s] { s.mainWindow()->slotDisplayWindowSetting(); }); }},
        {QStringLiteral("message-empty-schedule"),
         [](ShotStage &s) { s.captureDialogOf([&s] { s.mainWindow()->slotOverallPlay(); }); }},
        // The tree's context menus, on the default schedule of the first display window.
        {QStringLiteral("menu-schedule"), [](ShotStage &s) { contextMenuShot(s, {}, true); }},
        {QStringLiteral("menu-segment"), [](ShotStage &s) { contextMenuShot(s, {0}); }},
        {QStringLiteral("menu-page"),
         [](ShotStage &s) {
             contextMenuShot(s, {0, 0});
         }},
        {QStringLiteral("menu-window"),
         [](ShotStage &s) {
             contextMenuShot(s, {0, 0, 0}, true);
         }},
        {QStringLiteral("import-progress"),
         [](ShotStage &s) {
             auto *dialog = new ImportProgressDialog(s.mainWindow());
             dialog->setAttribute(Qt::WA_DeleteOnClose);
             dialog->begin(200);
             dialog->endStep(56);
             dialog->beginStep(57, QStringLiteral("/home/operator/Pictures/Spring campaign/IMG_2058.JPG"));
             dialog->show();
             s.capture(dialog);
             dialog->close();
         }},
        // ---- property panels
        {QStringLiteral("panel-schedule"),
         [](ShotStage &s) {
             selectNode(s.mainWindow(), {});
             s.capture(s.mainWindow());
         }},
        {QStringLiteral("panel-segment-general"),
         [](ShotStage &s) {
             selectNode(s.mainWindow(), {0});
             s.capture(s.mainWindow());
         }},
        // The calendar a date button opens, over the panel (the whole desktop is photographed).
        {QStringLiteral("panel-segment-calendar"),
         [](ShotStage &s) {
             s.mainWindow()->move(0, 0);
             selectNode(s.mainWindow(), {0});
             SegmentPanel *panel = s.mainWindow()->segmentPanel();
             panel->findChild<QCheckBox *>()->setChecked(true);
             panel->slotSegmentToDateSelect();
             s.captureScreen();
         }},
        {QStringLiteral("panel-segment-cycle"),
         [](ShotStage &s) {
             selectNewInsert(s.mainWindow(), true);
             s.capture(s.mainWindow());
         }},
        {QStringLiteral("panel-segment-timing"),
         [](ShotStage &s) {
             selectNewInsert(s.mainWindow(), false);
             s.capture(s.mainWindow());
         }},
        {QStringLiteral("dialog-time-point"),
         [](ShotStage &s) {
             selectNewInsert(s.mainWindow(), false);
             s.captureDialogOf([&s] { s.mainWindow()->slotTimingSegmentAdd(); });
         }},
        {QStringLiteral("panel-program"),
         [](ShotStage &s) {
             ProjectTree *tree = s.mainWindow()->treeOf(s.mainWindow()->currentDisplayName());
             ProgramObject *page = tree->generalSegments.first()->programs.first();
             page->backgroundMusic =
                 QStringList{QStringLiteral("/music/morning.mp3"), QStringLiteral("/music/jingle.wav")};
             page->backgroundColor = QColor(10, 40, 90);
             selectNode(s.mainWindow(), {0, 0});
             s.capture(s.mainWindow());
         }},
        {QStringLiteral("panel-window"),
         [](ShotStage &s) {
             ProjectTree *tree = s.mainWindow()->treeOf(s.mainWindow()->currentDisplayName());
             CommonWinObject *window = tree->allWindows().first();
             window->media << pictureItem(s, QSize(320, 240), QColor(20, 70, 160), QColor(120, 30, 120),
                                          QStringLiteral("Sun"))
                           << textItem(QStringLiteral("scrollingText"), kLongText, 20, QColor(255, 220, 0))
                           << digitalClockItem(false);
             selectNode(s.mainWindow(), {0, 0, 0});
             s.mainWindow()->windowPanel()->selectMediaRow(1);
             s.capture(s.mainWindow());
         }},
        {QStringLiteral("monitor"),
         [](ShotStage &s) {
             s.mainWindow()->slotMonitor();
             s.capture(s.mainWindow()->monitorWindow());
         }},

        // ---- media property panels, as the property area shows them
        {QStringLiteral("panel-picture"),
         [](ShotStage &s) {
             LumoraMediaObject m;
             m.type = QStringLiteral("image");
             m.image.filePath = QStringLiteral("/home/operator/media/summer-sale-poster.jpg");
             m.image.backgroundMusic = QStringLiteral("/home/operator/media/music/lobby.mp3");
             m.image.entryEffectEnabled = true;
             m.image.entryEffect = 13;
             m.image.transparency = 8;
             capturePanel(s, m);
         }},
        {QStringLiteral("panel-video"),
         [](ShotStage &s) {
             LumoraMediaObject m = panelVideoItem();
             capturePanel(s, m, [](MediaPanel *panel) {
                 panel->setVideoRange(205.48f);
                 panel->setVideoProgress(62.0f);
             });
         }},
        {QStringLiteral("dialog-video-overlay-text"),
         [](ShotStage &s) {
             LumoraMediaObject m = panelVideoItem();
             showPanel(s, m, [&s](MediaPanel *panel) {
                 auto *video = qobject_cast<VideoPanel *>(panel);
                 if (!video) {
                     s.fail(QStringLiteral("no video panel"));
                     return;
                 }
                 s.captureDialogOf([video] { video->slotEditVideoText(); });
             });
         }},
        {QStringLiteral("panel-text-simple"),
         [](ShotStage &s) {
             LumoraMediaObject *m =
                 textItem(QStringLiteral("simpleText"), kLongText, 18, QColor(255, 220, 0));
             m->text.exitEffectEnabled = true;
             m->text.exitEffect = 17;
             capturePanel(s, *m);
             delete m;
         }},
        {QStringLiteral("panel-text-scrolling"),
         [](ShotStage &s) {
             LumoraMediaObject *m =
                 textItem(QStringLiteral("scrollingText"), kLongText, 28, QColor(255, 80, 80));
             m->text.backgroundTransparent = true;
             capturePanel(s, *m);
             delete m;
         }},
        {QStringLiteral("panel-count-timer"),
         [](ShotStage &s) {
             LumoraMediaObject *m = countTimerItem();
             m->countTimer.background.backgroundColor = QColor(0, 40, 90);
             capturePanel(s, *m);
             delete m;
         }},
        {QStringLiteral("panel-stream"),
         [](ShotStage &s) {
             LumoraMediaObject m;
             m.type = QStringLiteral("streaming");
             m.streaming.volume = 65;
             capturePanel(s, m);
         }},

        // ---- play windows
        {QStringLiteral("play-pictures"),
         [](ShotStage &s) {
             MainPlayBKLabel *screen = s.screen(QSize(640, 360));
             CommonWinObject *framed = s.play(screen, QRect(20, 20, 380, 320),
                                              {pictureItem(s, QSize(380, 320), QColor(20, 70, 160),
                                                           QColor(120, 30, 120), QStringLiteral("Sun"))});
             framed->frameEnabled = true;
             framed->frameWidth = 6;
             framed->frameColor = QColor(255, 0, 0);
             screen->applyWindowProperties(framed);
             s.play(screen, QRect(420, 20, 200, 150),
                    {pictureItem(s, QSize(400, 300), QColor(10, 120, 60), QColor(200, 200, 40),
                                 QStringLiteral("Field"))});
             s.advance(100);
             s.capture(screen);
         }},
        {QStringLiteral("play-text-simple"),
         [](ShotStage &s) {
             LumoraMediaObject *m =
                 textItem(QStringLiteral("simpleText"), kLongText, 18, QColor(255, 220, 0));
             m->text.horizontalAlign = 2;
             m->text.verticalAlign = 2;
             playAlone(s, QSize(480, 160), m);
         }},
        {QStringLiteral("play-text-single-row"),
         [](ShotStage &s) {
             playAlone(s, QSize(480, 60),
                       textItem(QStringLiteral("singleRowText"), kLongText, 24, QColor(0, 255, 255)));
         }},
        {QStringLiteral("play-text-scrolling"),
         [](ShotStage &s) {
             LumoraMediaObject *m =
                 textItem(QStringLiteral("scrollingText"), kLongText, 28, QColor(255, 80, 80));
             m->text.rollSpeed = 5;
             playAlone(s, QSize(640, 64), m, 3000);
         }},
        {QStringLiteral("play-text-colourful"),
         [](ShotStage &s) {
             MainPlayBKLabel *screen = s.screen(QSize(480, 6 * 44));
             for (int mode = 0; mode <= 5; ++mode) {
                 LumoraMediaObject *m = textItem(QStringLiteral("simpleText"),
                                                 QStringLiteral("七彩 LED 文字 colourful %1").arg(mode), 22,
                                                 QColor(255, 255, 255));
                 m->text.colorful = mode;
                 m->text.bold = true;
                 m->text.verticalAlign = 2;
                 s.play(screen, QRect(0, mode * 44, 480, 44), {m});
             }
             s.advance(100);
             s.capture(screen);
         }},
        {QStringLiteral("play-clock-digital"),
         [](ShotStage &s) {
             MainPlayBKLabel *screen = s.screen(QSize(480, 240));
             s.play(screen, QRect(0, 0, 480, 60), {digitalClockItem(false)});
             s.play(screen, QRect(0, 60, 480, 180), {digitalClockItem(true)});
             s.advance(1000);
             s.capture(screen);
         }},
        {QStringLiteral("play-clock-analog"),
         [](ShotStage &s) { playAlone(s, QSize(300, 300), analogClockItem(), 1000); }},
        {QStringLiteral("play-count-timer"),
         [](ShotStage &s) { playAlone(s, QSize(480, 100), countTimerItem(), 1500); }},
        // ---- media property panels, filled from an item
        {QStringLiteral("panel-digital-clock-basic"),
         [](ShotStage &s) { panelShot(s, new DigitalClockPanel, digitalClockItem(true), 0); }},
        {QStringLiteral("panel-digital-clock-style"),
         [](ShotStage &s) { panelShot(s, new DigitalClockPanel, digitalClockItem(true), 1); }},
        {QStringLiteral("panel-analog-clock-display"),
         [](ShotStage &s) { panelShot(s, new AnalogClockPanel, analogClockItem(), 0); }},
        {QStringLiteral("panel-analog-clock-dial"),
         [](ShotStage &s) { panelShot(s, new AnalogClockPanel, analogClockItem(), 1); }},
        {QStringLiteral("panel-url"),
         [](ShotStage &s) {
             LumoraMediaObject *m = panelItem(QStringLiteral("URL"));
             m->url.address = QStringLiteral("https://www.example.com/menu/today.html");
             m->url.transparency = 8;
             m->url.posY = 40;
             panelShot(s, new UrlPanel, m);
         }},
        {QStringLiteral("panel-video-device"),
         [](ShotStage &s) {
             LumoraMediaObject *m = panelItem(QStringLiteral("videoDevice"));
             m->videoDevice.background.backgroundIsColor = false;
             m->videoDevice.background.backgroundImage = QStringLiteral("/srv/lumora/pictures/lobby.png");
             panelShot(s, new VideoDevicePanel, m);
         }},
        {QStringLiteral("panel-weather"),
         [](ShotStage &s) {
             LumoraMediaObject *m = panelItem(QStringLiteral("weather"));
             m->weather.location1 = QStringLiteral("北京市 11000");
             m->weather.location2 = QStringLiteral("北京");
             m->weather.background.backgroundColor = QColor(0, 40, 90);
             panelShot(s, new WeatherPanel, m);
         }},
        // Everything at once, as on a real screen.
        {QStringLiteral("play-screen"),
         [](ShotStage &s) {
             MainPlayBKLabel *screen = s.screen(QSize(960, 540));
             s.play(screen, QRect(0, 0, 640, 400),
                    {pictureItem(s, QSize(640, 400), QColor(20, 70, 160), QColor(120, 30, 120),
                                 QStringLiteral("Lumora"))});
             s.play(screen, QRect(640, 0, 320, 320), {analogClockItem()});
             s.play(screen, QRect(640, 320, 320, 80), {countTimerItem()});
             s.play(screen, QRect(0, 400, 960, 60), {digitalClockItem(false)});
             LumoraMediaObject *ticker =
                 textItem(QStringLiteral("scrollingText"), kLongText, 30, QColor(255, 220, 0));
             ticker->text.rollSpeed = 5;
             s.play(screen, QRect(0, 460, 960, 80), {ticker});
             s.advance(6000);
             s.capture(screen);
         }},
    };
}
