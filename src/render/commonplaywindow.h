#pragma once

#include "log/playevents.h"
#include "log/playoutcome.h"
#include "model/officepagelist.h"
#include "player/videostallwatch.h"

#include <QColor>
#include <QDate>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QTime>

#include <array>

class AnalogClockWidget;
class Clock;
class ClockTimer;
class CommonWinObject;
class DigitalTimerWin;
class EffectAnimation;
class LumoraMediaObject;
class MainPlayBKLabel;
class OfficePageLoader;
class PlayLabel;
class QGraphicsOpacityEffect;
class QMediaPlayer;
class QMediaPlaylist;
class UrlWin;
class VideoDeviceWindow;
class WeatherWindow;
template<typename T> class QFutureWatcher;
class digitalClockWidget;
class textWidget;
class videoCoverLabel;
class writeLogThread;

// Plays one window (layer) of the page on show: its media items one after the other, each
// through the renderer of its type, for the item's time on the clock service, with the
// entry and exit effects of pictures, office pages and text; one play-log row per finished
// item; after the last item it reports to its display surface. Outside real play it is
// the editable preview of the window (frame, name band, mouse moving and resizing).
class CommonPlayWindow : public QLabel
{
    Q_OBJECT

public:
    CommonPlayWindow(CommonWinObject *window, MainPlayBKLabel *surface, QWidget *parent = nullptr);
    ~CommonPlayWindow() override;

    CommonWinObject *windowObject() const { return winObject; }
    void setMediaList(const QList<LumoraMediaObject *> &media) { mediaList = media; }
    // Same window as `w`: same display window, segment kind, segment, page and window name.
    bool shows(const CommonWinObject *w) const;

    void startWindowPlay();
    void playCurrentElement();
    void playNextElement();
    void pauseWindowPlay();
    void resumeWindowPlay();
    // Stops the window; the item it shows, if its row is still open, is logged with `cut`
    // (Shown when its page or insert simply ran its length).
    void stopWindowPlay(PlayOutcome cut = PlayOutcome::CutByStop);
    // Outside real play: shows `item` alone, over and over (entry, stay, exit), with no
    // play-log row and no end-of-list report, so that the editor sees what it sets. Called
    // again after a change, it shows the item as it now is; a video already open only takes
    // the new volume, scale, rotation and cover text instead of starting again.
    void previewItem(LumoraMediaObject *item);
    LumoraMediaObject *previewedItem() const { return m_previewItem; }
    void stopPreview();
    // In real play, loads the window's first item in the video player while the page is not
    // on show yet, when that item is a video, so that the page starts on its first frame.
    void prepareFirstVideo();
    void hideAllMedia();
    void stopAllTimers();
    void layoutMediaWidgets();

    // Log name of an item: the file name, or a fixed English label that the log's readers
    // translate; "" for unknown types.
    static QString logNameOf(const LumoraMediaObject &item);
    // The file or address an item plays, as its row's detail keeps it; "" when it has none.
    static QString logPathOf(const LumoraMediaObject &item);
    // The current item's row is open (it is on screen, or paused under an insert) and what it
    // will say if nothing cuts it short: Shown, or why it could not be shown.
    bool logRowOpen() const { return m_rowOpen; }
    PlayOutcome currentOutcome() const { return m_outcome; }
    // Video timer in msec: clip range or total length (see slotPlayVideo).
    static int videoTimerMsecs(const LumoraMediaObject &item);
    // Region 1..8 of a point inside a W x H window with edge zone z; 0 in the middle.
    static int regionAt(const QPoint &p, const QSize &size, int zone);

    // ---- renderers, in declared order
    PlayLabel *videoPlayer = nullptr;
    PlayLabel *streamPlayer = nullptr;
    textWidget *textRenderer = nullptr;
    DigitalTimerWin *countTimer = nullptr;
    QLabel *pictureLabel = nullptr;
    QLabel *curtain1 = nullptr;
    QLabel *curtain2 = nullptr;
    digitalClockWidget *digitalClock = nullptr;
    AnalogClockWidget *analogClock = nullptr;
    UrlWin *webPage = nullptr;
    WeatherWindow *weather = nullptr;
    VideoDeviceWindow *camera = nullptr;
    videoCoverLabel *videoCover = nullptr;

    CommonWinObject *winObject = nullptr;
    writeLogThread *logWriter = nullptr; // nullptr when the surface keeps no play log
    LumoraMediaObject *currentItem = nullptr;
    QColor frameColor = QColor(255, 0, 0);
    int frameWidth = 0;
    bool selected = false;
    bool frameShown = false;
    int pictureScaleType = 0;
    QString currentType;
    int index = 0;
    bool listEnded = false;
    QString segmentKind; // the kind this window was last started with

    ClockTimer *videoTimer = nullptr;
    ClockTimer *textTimer = nullptr;
    ClockTimer *pictureTimer = nullptr;
    ClockTimer *digitalClockTimer = nullptr;
    ClockTimer *countTimerTimer = nullptr;
    ClockTimer *analogClockTimer = nullptr;
    ClockTimer *webTimer = nullptr;
    ClockTimer *streamTimer = nullptr;
    ClockTimer *cameraTimer = nullptr;
    ClockTimer *weatherTimer = nullptr;

    QTime startTime;
    QDate startDate;
    qint64 m_startUtcMs = 0;
    int m_startUtcOffset = 0;
    QString logName;
    QGraphicsOpacityEffect *pictureOpacity = nullptr;
    QGraphicsOpacityEffect *countTimerOpacity = nullptr;
    QList<LumoraMediaObject *> mediaList;
    MainPlayBKLabel *surface = nullptr;
    bool paused = false;

    EffectAnimation *pictureSlide = nullptr;
    EffectAnimation *textSlide = nullptr;
    EffectAnimation *curtainAnimation1 = nullptr;
    EffectAnimation *curtainAnimation2 = nullptr;
    QRect curtainStart1, curtainStart2, curtainEnd1, curtainEnd2;
    int slideStartX = 0, slideStartY = 0, slideEndX = 0, slideEndY = 0;
    bool entering = false;

    bool mousePressed = false;
    bool dragging = false;
    QPoint pressPos;
    QPoint pressGlobalPos;
    static constexpr int edgeZone = 10;
    int resizeRegion = 0;
    QRect pressRect;

    QString picturePath;
    // The current office item's pages, drawn a page ahead by the loader, never all held.
    OfficePageList officePages;
    int officePage = 0;
    OfficePageLoader *pageLoader = nullptr;

    QMediaPlayer *musicPlayer = nullptr;
    QMediaPlaylist *musicPlaylist = nullptr;

signals:
    // One play-log row (the seven columns) as it is handed to the writer.
    void sigPlayLogRow(CommonWinObject *window, const QStringList &row);
    // An item of the real play (not a preview) has begun: what the window shows now.
    void sigItemStarted(CommonWinObject *window, const QString &itemName);
    // The window's place or size was changed with the mouse and written into its record.
    void sigWindowGeometryEdited(CommonWinObject *window);
    // In real play, the window went dark where it should have played (see PlayEvent); it is
    // in the play log's file already, or queued for it.
    void sigPlayEvent(CommonWinObject *window, const PlayEvent &event);
    // The window shows again after an event it could not mend.
    void sigPlayResumed(CommonWinObject *window);

public slots:
    void slotPlayVideo(LumoraMediaObject *item);
    void slotPlayImage(LumoraMediaObject *item);
    void slotPlaySimpleText(LumoraMediaObject *item);
    void slotPlayDigitalClock(LumoraMediaObject *item);
    void slotPlayAnalogClock(LumoraMediaObject *item);
    void slotPlayDigitalTimer(LumoraMediaObject *item);
    void slotPlayURL(LumoraMediaObject *item);
    void slotPlayStreaming(LumoraMediaObject *item);
    void slotPlayVideoDevice(LumoraMediaObject *item);
    void slotPlayWeather(LumoraMediaObject *item);

    void slotPlayVideoTimeout();
    void slotPlayTextTimeout();
    void slotPlayImageTimeout();
    void slotPlayDigitalClockTimeout();
    void slotdigitalTimerStayTimeout();
    void slotPlayAnalogClockTimeout();
    void slotURLTimerStayTimeout();
    void slotStreamingStayTimeout();
    void slotCameraStayTimeout();
    void slotWeatherStayTimeout();

    void slotAniTimeout();
    void slotAniTimeout1();
    void slotTextWinAniTimeout();
    void slotScrollTextFinished();

    void slotImageStateChanged(int startX, int startY, int endX, int endY);
    void slotImageCoverStateChanged(const QRect &start1, const QRect &start2, const QRect &end1,
                                    const QRect &end2, int effect);
    void slotSetVideoCoverLabel(LumoraMediaObject *item);
    void slotSetVideoRange(float seconds);
    void slotSetVideoProgress(float seconds);
    void slotStopAllTimer() { stopAllTimers(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ClockTimer *makeItemTimer(void (CommonPlayWindow::*slot)());
    bool everyRendererHidden() const;
    bool editable() const;
    bool realPlay() const;
    const LumoraMediaObject *nextItem() const;
    QSize mediaSize() const;
    QPoint origin() const;
    void haltEffects();
    // The four effect animations, for what is done to all of them at once.
    std::array<EffectAnimation *, 4> effects() const
    {
        return {pictureSlide, textSlide, curtainAnimation1, curtainAnimation2};
    }
    void showOfficePage();
    void officePageReady(const void *identity, int index);
    // Shows the current picture item's file when it has been drawn; the item's background
    // until then.
    void showPictureFile();
    void pictureFileReady(const QString &path);
    // Draws the next item's picture (or its first office page) ahead, so the hand-over finds
    // it ready.
    void prepareNextItem();
    // Draws the first picture of the window's record ahead, for when its page is handed over.
    // Only where the record is known to be alive (the window is made or shown for it); a
    // pass that ends draws it through prepareNextItem, the list starting again.
    void prepareFirstPicture();
    void applyBackgroundRule(const LumoraMediaObject &item);
    // Runs the slide or reveal of `effect` on `target` for an entry or an exit.
    void runEffect(QWidget *target, EffectAnimation *slide, int effect, int speed, bool entry);
    void playMusic(const QString &path);
    void stopMusic();
    void nextTextPage();
    void effectFinished(bool textSide);
    void setOwnStyle(const QString &style);
    // Arms `timer` to fall due `msec` after the current item's time was due to reach this
    // point (see DueTime), and remembers that moment for pause and resume.
    void armItemTimer(ClockTimer *timer, int msec);
    // The window's size as played: its record's, bounded by the surface it is on.
    QSize playedSize() const;
    // An item's own length: at least PageRules::MinItemMsecs, so that a list cannot spin.
    void armItemLength(ClockTimer *timer, int msec);
    ClockTimer *timerOfCurrentType() const;
    // Writes the open row, if any: `cut` says what ended the item unless it could not be shown.
    void writeLogRow(PlayOutcome cut = PlayOutcome::Shown, bool announce = true);
    // Notes why the current item, if it is the one playing `path`, could not be shown.
    void itemFailed(const QString &path, PlayOutcome why, const QString &reason = QString());
    qint64 shownMsecs() const;
    // Watches the position of the video or stream on show (see VideoStallWatch), and loads
    // it again when it stalls.
    void startVideoWatch(const QString &address);
    void watchVideo();
    void reportEvent(const char *kind, bool mended, const QString &detail, const QString &item,
                     const QString &path);
    // The current item could not be opened (`why`); a file that stays unreadable is reported
    // once in a while, not at every turn of the list.
    void reportOpenFailed(PlayOutcome why, const QString &detail = QString());

    Clock *m_clock = nullptr;
    // The current item's row: opened when it starts, written once when it ends or is cut.
    bool m_rowOpen = false;
    PlayOutcome m_outcome = PlayOutcome::Shown;
    QString m_logPath;
    // Time on screen, on the clock's steady time: what was summed before the last pause, and
    // since when it runs now (-1 while paused).
    qint64 m_shownMs = 0;
    qint64 m_shownSince = -1;
    // When the item timer armed last falls due, on the clock's steady time.
    qint64 m_itemTimerDue = 0;
    // While an item starts: when it began, so that opening its file does not lengthen it.
    qint64 m_itemBegin = -1;
    // What the current item's timer had left when play was paused; -1: none was running.
    qint64 m_pausedRemaining = -1;
    // The late expiry last reported as a stall, so that it is reported once.
    qint64 m_reportedStall = -1;
    float m_videoRange = 0;
    // The video on show has no length: the file's duration, when mpv reports it, sets its end.
    bool m_videoLengthPending = false;
    LumoraMediaObject *m_previewItem = nullptr;
    int m_coverEffect = 0;
    PlayEventWriter *m_eventWriter = nullptr; // nullptr when the surface keeps no play log
    ClockTimer *m_watchTimer = nullptr;
    VideoStallWatch m_stall;
    // When an open failure of each address was last reported, on the steady time.
    QHash<QString, qint64> m_failReported;
    // An event that was not mended is out; the next item shown says the window plays again.
    bool m_dark = false;
};
