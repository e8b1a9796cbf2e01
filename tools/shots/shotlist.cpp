#include "shotlist.h"

#include "commonwinobject.h"
#include "lumoramediaobject.h"
#include "mainplaybklabel.h"
#include "monitorwin.h"
#include "shotstage.h"
#include "widget.h"

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
