#include "shotlist.h"

#include "analogclockpanel.h"
#include "commonwinobject.h"
#include "digitalclockpanel.h"
#include "lumoramediaobject.h"
#include "mainplaybklabel.h"
#include "monitorwin.h"
#include "shellstyle.h"
#include "shotstage.h"
#include "urlpanel.h"
#include "videodevicepanel.h"
#include "weatherpanel.h"
#include "widget.h"

#include <QFrame>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

// Play items as an operator would set them up, in the fonts the machine has.
const QString kFont = QStringLiteral("Noto Sans CJK SC");

LumoraMediaObject *pictureItem(ShotStage &stage, const QSize &size, const QColor &from, const QColor &to,
                               const QString &caption)
{
    auto *m = new LumoraMediaObject;
    m->type = QStringLiteral("image");
    m->image.filePath = caption + QStringLiteral(".png");
    m->image.pixmap = stage.picture(size, from, to, caption);
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
        {QStringLiteral("monitor"),
         [](ShotStage &s) {
             s.mainWindow()->slotMonitor();
             s.capture(s.mainWindow()->monitorWindow());
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
