#include "commonplaywindow.h"

#include "analogclockwidget.h"
#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "clock/duetime.h"
#include "digitalclockwidget.h"
#include "digitaltimerwin.h"
#include "effectanimation.h"
#include "log/playcontentindex.h"
#include "log/playlogrow.h"
#include "log/playoutcome.h"
#include "log/writelogthread.h"
#include "mainplaybklabel.h"
#include "model/commonwinobject.h"
#include "model/lumoramediaobject.h"
#include "model/windowgeometry.h"
#include "mpvwidget.h"
#include "officepageloader.h"
#include "picturecache.h"
#include "player/pagerules.h"
#include "playlabel.h"
#include "textwidget.h"
#include "urlwin.h"
#include "videocoverlabel.h"
#include "videodevicewindow.h"
#include "weatherwindow.h"

#include <QFileInfo>
#include <QGraphicsOpacityEffect>
#include <QMediaPlayer>
#include <QMediaPlaylist>
#include <QUrl>

#include <cmath>
#include <limits>

CommonPlayWindow::CommonPlayWindow(CommonWinObject *window, MainPlayBKLabel *displaySurface, QWidget *parent)
    : QLabel(parent)
    , winObject(window)
    , surface(displaySurface)
{
    setMouseTracking(true);
    setCursor(Qt::SizeAllCursor);

    videoPlayer = new PlayLabel(this);
    streamPlayer = new PlayLabel(this);
    if (surface) {
        videoPlayer->setHardDecode(surface->hardDecode);
        streamPlayer->setHardDecode(surface->hardDecode);
    }
    textRenderer = new textWidget(this);
    countTimer = new DigitalTimerWin(this);
    pictureLabel = new QLabel(this);
    pageLoader = new OfficePageLoader(this);
    connect(pageLoader, &OfficePageLoader::pageReady, this, &CommonPlayWindow::officePageReady);
    connect(PictureCache::instance(), &PictureCache::pictureReady, this, &CommonPlayWindow::pictureFileReady);
    pictureLabel->setAlignment(Qt::AlignCenter);
    digitalClock = new digitalClockWidget(this);
    analogClock = new AnalogClockWidget(this);
    webPage = new UrlWin(this);
    weather = new WeatherWindow(this);
    camera = new VideoDeviceWindow(this);
    // Created last so that they lie above every renderer.
    curtain1 = new QLabel(this);
    curtain2 = new QLabel(this);
    for (QLabel *curtain : {curtain1, curtain2})
        curtain->setStyleSheet(QStringLiteral("background:black"));
    videoCover = new videoCoverLabel(this);
    for (QWidget *child : std::initializer_list<QWidget *>{
             videoPlayer, streamPlayer, textRenderer, countTimer, pictureLabel, digitalClock, analogClock,
             webPage, weather, camera, curtain1, curtain2, videoCover}) {
        child->hide();
        // Mouse editing of the window goes through whatever is shown in it.
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    countTimer->stopTick();

    m_clock = &Clock::current();
    videoTimer = makeItemTimer(&CommonPlayWindow::slotPlayVideoTimeout);
    textTimer = makeItemTimer(&CommonPlayWindow::slotPlayTextTimeout);
    pictureTimer = makeItemTimer(&CommonPlayWindow::slotPlayImageTimeout);
    digitalClockTimer = makeItemTimer(&CommonPlayWindow::slotPlayDigitalClockTimeout);
    countTimerTimer = makeItemTimer(&CommonPlayWindow::slotdigitalTimerStayTimeout);
    analogClockTimer = makeItemTimer(&CommonPlayWindow::slotPlayAnalogClockTimeout);
    webTimer = makeItemTimer(&CommonPlayWindow::slotURLTimerStayTimeout);
    streamTimer = makeItemTimer(&CommonPlayWindow::slotStreamingStayTimeout);
    cameraTimer = makeItemTimer(&CommonPlayWindow::slotCameraStayTimeout);
    weatherTimer = makeItemTimer(&CommonPlayWindow::slotWeatherStayTimeout);

    pictureOpacity = new QGraphicsOpacityEffect(this);
    pictureOpacity->setOpacity(1.0);
    pictureLabel->setGraphicsEffect(pictureOpacity);
    countTimerOpacity = new QGraphicsOpacityEffect(this);
    countTimerOpacity->setOpacity(1.0);
    countTimer->setGraphicsEffect(countTimerOpacity);

    pictureSlide = new EffectAnimation(pictureLabel, "pos", this);
    textSlide = new EffectAnimation(textRenderer, "pos", this);
    curtainAnimation1 = new EffectAnimation(curtain1, "geometry", this);
    curtainAnimation2 = new EffectAnimation(curtain2, "geometry", this);
    connect(pictureSlide, &QAbstractAnimation::finished, this, &CommonPlayWindow::slotAniTimeout);
    connect(textSlide, &QAbstractAnimation::finished, this, &CommonPlayWindow::slotTextWinAniTimeout);
    connect(curtainAnimation1, &QAbstractAnimation::finished, this, &CommonPlayWindow::slotAniTimeout1);

    connect(textRenderer, &textWidget::sigScrollFinished, this, &CommonPlayWindow::slotScrollTextFinished);
    connect(videoPlayer, &PlayLabel::sigProgressChange, this, &CommonPlayWindow::slotSetVideoProgress);
    connect(videoPlayer, &PlayLabel::sigSetVideoRange, this, &CommonPlayWindow::slotSetVideoRange);
    connect(videoPlayer, &PlayLabel::sigFileFailed, this, [this](const QString &path, const QString &reason) {
        itemFailed(path, PlayOutcome::Unreadable, reason);
    });
    connect(streamPlayer, &PlayLabel::sigFileFailed, this,
            [this](const QString &path, const QString &reason) {
                itemFailed(path, PlayOutcome::StreamUnreachable, reason);
            });
    m_watchTimer = m_clock->createTimer(this);
    m_watchTimer->setInterval(1000);
    connect(m_watchTimer, &ClockTimer::timeout, this, &CommonPlayWindow::watchVideo);
    connect(webPage, &UrlWin::rendererDied, this,
            [this](const QString &address, const QString &detail, bool mended) {
                if (realPlay())
                    reportEvent(PlayEvents::RendererDied, mended, detail, QStringLiteral("URL"), address);
            });
    if (surface) {
        connect(videoPlayer, &PlayLabel::sigProgressChange, surface, &MainPlayBKLabel::slotSetVideoProgress);
        connect(videoPlayer, &PlayLabel::sigSetVideoRange, surface, &MainPlayBKLabel::slotSetVideoRange);
        if (surface->keepsPlayLog()) {
            logWriter = new writeLogThread(this);
            m_eventWriter = new PlayEventWriter(this);
        }
    }
    if (winObject) {
        frameColor = winObject->frameColor;
        frameWidth = winObject->frameWidth;
        frameShown = winObject->frameEnabled;
    }
    prepareFirstPicture();
}

CommonPlayWindow::~CommonPlayWindow()
{
    // A window that goes while it shows an item (its screen closed, the player ends) still
    // logs what it showed, though no longer through its surface, which may be going too;
    // rows still queued are written before the window goes.
    writeLogRow(PlayOutcome::CutByStop, false);
    delete logWriter;
    logWriter = nullptr;
    delete m_eventWriter;
    m_eventWriter = nullptr;
}

ClockTimer *CommonPlayWindow::makeItemTimer(void (CommonPlayWindow::*slot)())
{
    ClockTimer *timer = m_clock->createTimer(this);
    // Every stay is armed afresh from when it was due: a timer that repeated by itself would
    // count the next stay from whenever the event loop delivered this one.
    timer->setSingleShot(true);
    connect(timer, &ClockTimer::timeout, this, slot);
    return timer;
}

bool CommonPlayWindow::shows(const CommonWinObject *w) const
{
    // Segments of different kinds may share a name, and so may pages of different display windows.
    return winObject && w && winObject->name == w->name && winObject->segmentName == w->segmentName &&
           winObject->programName == w->programName && winObject->segmentKind == w->segmentKind &&
           winObject->displayWindowName == w->displayWindowName;
}

bool CommonPlayWindow::realPlay() const
{
    return surface && surface->realPlayMode;
}

QSize CommonPlayWindow::mediaSize() const
{
    return QSize(qMax(0, width() - 2 * frameWidth), qMax(0, height() - 2 * frameWidth));
}

QPoint CommonPlayWindow::origin() const
{
    return QPoint(frameWidth / 2, frameWidth / 2);
}

// ---------------------------------------------------------------- sequencing

QString CommonPlayWindow::logNameOf(const LumoraMediaObject &item)
{
    const QString &type = item.type;
    if (type == QLatin1String("video"))
        return item.video.filePath.mid(item.video.filePath.lastIndexOf(QLatin1Char('/')) + 1);
    if (type == QLatin1String("image") || type == QLatin1String("office"))
        return item.image.filePath.mid(item.image.filePath.lastIndexOf(QLatin1Char('/')) + 1);
    // Kept in English whatever the interface language, so that one item is one name in the
    // log; its readers show the label translated.
    if (type == QLatin1String("digitalClock"))
        return QStringLiteral("Digital Clock");
    if (type == QLatin1String("digitalTimer"))
        return QStringLiteral("Digital Timer");
    if (type == QLatin1String("analogClock"))
        return QStringLiteral("Analog Clock");
    if (type == QLatin1String("URL"))
        return QStringLiteral("URL");
    if (type == QLatin1String("streaming"))
        return QStringLiteral("Streaming Media");
    if (type == QLatin1String("videoDevice"))
        return QStringLiteral("Device");
    if (type == QLatin1String("weather"))
        return QStringLiteral("Weather");
    if (type == QLatin1String("simpleText") || type == QLatin1String("txt"))
        return QStringLiteral("Simple Text");
    if (type == QLatin1String("singleRowText"))
        return QStringLiteral("Single - row text");
    if (type == QLatin1String("scrollingText"))
        return QStringLiteral("Scrolling Text");
    return QString();
}

QString CommonPlayWindow::logPathOf(const LumoraMediaObject &item)
{
    const QString &type = item.type;
    if (type == QLatin1String("video"))
        return item.video.filePath;
    if (type == QLatin1String("image") || type == QLatin1String("office"))
        return item.image.filePath;
    if (type == QLatin1String("URL"))
        return item.url.address;
    if (type == QLatin1String("streaming"))
        return item.streaming.address;
    return QString();
}

int CommonPlayWindow::videoTimerMsecs(const LumoraMediaObject &item)
{
    return PageRules::videoMsecs(item.video);
}

void CommonPlayWindow::startWindowPlay()
{
    m_previewItem = nullptr;
    show();
    // A window handed over again starts afresh: no timer of what it showed may run on, and
    // what it showed is logged as cut short (under an insert, when it was paused there).
    writeLogRow(paused ? PlayOutcome::CutByInsert : PlayOutcome::CutBySchedule);
    paused = false;
    listEnded = false;
    stopAllTimers();
    if (index >= 0 && index < mediaList.size()) {
        playCurrentElement();
    } else {
        currentType.clear();
    }
}

void CommonPlayWindow::playCurrentElement()
{
    if (index < 0 || index >= mediaList.size())
        return;
    LumoraMediaObject *item = mediaList.at(index);
    // An effect of the previous item must not finish into this one.
    haltEffects();
    const QString &type = item->type;
    // An item cut by a hand-over within the list (a preview restarted, say) has its row first.
    writeLogRow(PlayOutcome::CutBySchedule);
    const QString name = logNameOf(*item);
    if (!name.isEmpty())
        logName = name;
    currentType = type;
    m_logPath = logPathOf(*item);
    m_rowOpen = m_previewItem == nullptr;
    m_outcome = PlayOutcome::Shown;
    m_shownMs = 0;
    m_shownSince = m_clock->steadyMsecs();
    if ((type == QLatin1String("video") || type == QLatin1String("image")) &&
        (m_logPath.isEmpty() || !QFileInfo(m_logPath).isFile()))
        m_outcome = PlayOutcome::FileMissing;
    else if (type == QLatin1String("office") && item->image.pages.isEmpty())
        // Its pages are what is shown; the document itself may be gone once they are made.
        m_outcome = QFileInfo(m_logPath).isFile() ? PlayOutcome::Unreadable : PlayOutcome::FileMissing;
    if (!PlayOutcomes::wasShown(m_outcome))
        reportOpenFailed(m_outcome);
    m_videoLengthPending = false;
    // The row keeps the real begin; the item's time is counted from when it was due.
    const QDateTime now = m_clock->now();
    startTime = now.time();
    startDate = now.date();
    m_startUtcMs = now.toMSecsSinceEpoch();
    m_startUtcOffset = now.offsetFromUtc();
    const DueTime::Begin due = DueTime::begin(*m_clock);
    m_itemBegin = due.at;
    if (due.restarted && ClockTimer::deliveringDue() != m_reportedStall) {
        m_reportedStall = ClockTimer::deliveringDue();
        qWarning().noquote() << QStringLiteral("window %1: item began %2 ms late after a stall; "
                                               "its time is counted from now")
                                    .arg(winObject ? winObject->name : QString())
                                    .arg(due.lateness);
    }

    if (type == QLatin1String("video"))
        slotPlayVideo(item);
    else if (type == QLatin1String("image") || type == QLatin1String("office"))
        slotPlayImage(item);
    else if (type == QLatin1String("digitalClock"))
        slotPlayDigitalClock(item);
    else if (type == QLatin1String("digitalTimer"))
        slotPlayDigitalTimer(item);
    else if (type == QLatin1String("analogClock"))
        slotPlayAnalogClock(item);
    else if (type == QLatin1String("URL"))
        slotPlayURL(item);
    else if (type == QLatin1String("streaming"))
        slotPlayStreaming(item);
    else if (type == QLatin1String("videoDevice"))
        slotPlayVideoDevice(item);
    else if (type == QLatin1String("weather"))
        slotPlayWeather(item);
    else if (type == QLatin1String("simpleText") || type == QLatin1String("txt") ||
             type == QLatin1String("singleRowText") || type == QLatin1String("scrollingText"))
        slotPlaySimpleText(item);
    m_itemBegin = -1;
    if (!m_previewItem)
        emit sigItemStarted(winObject, logName);
    if (m_dark && m_rowOpen && PlayOutcomes::wasShown(m_outcome)) {
        m_dark = false;
        emit sigPlayResumed(winObject);
    }
    prepareNextItem();
}

void CommonPlayWindow::playNextElement()
{
    if (m_previewItem) {
        stopAllTimers();
        playCurrentElement();
        return;
    }
    if (mediaList.isEmpty()) {
        hideAllMedia();
        curtain1->hide();
        curtain2->hide();
        index = 0;
        return;
    }
    writeLogRow();
    ++index;
    // Whatever ends here, no timer of the finished item may fire again afterwards.
    stopAllTimers();
    if (index < mediaList.size()) {
        playCurrentElement();
        return;
    }
    listEnded = true;
    // The report may restart or stop this window; nothing may follow it here.
    if (surface)
        surface->windowListEnded(winObject);
}

namespace {
// One frame of a 25 Hz screen.
constexpr qint64 UnseenCutMsecs = 40;
} // namespace

void CommonPlayWindow::writeLogRow(PlayOutcome cut, bool announce)
{
    if (!m_rowOpen)
        return;
    m_rowOpen = false;
    // What kept an item off screen says more than what ended its turn.
    const PlayOutcome outcome = PlayOutcomes::wasShown(m_outcome) ? cut : m_outcome;
    const qint64 shown = shownMsecs();
    // A window whose list began again on the tick its page ends has that first item cut at
    // once. Gone within a frame, it never reached the screen, and its row would count a play
    // that nobody saw. A stop keeps its row however soon it comes: it ends what the operator
    // saw playing.
    if (outcome == PlayOutcome::CutBySchedule && shown < UnseenCutMsecs)
        return;
    const QDateTime now = m_clock->now();
    const QStringList row = playLogColumns(logName, startDate, startTime, now.date(), now.time(), shown,
                                           PlayOutcomes::resultText(outcome));
    if (logWriter) {
        PlayLogDetail detail;
        detail.path = m_logPath;
        detail.outcome = PlayOutcomes::keyword(outcome);
        detail.shownMs = shown;
        detail.startUtcMs = m_startUtcMs;
        detail.endUtcMs = now.toMSecsSinceEpoch();
        detail.utcOffset = m_startUtcOffset;
        if (winObject) {
            detail.screen = winObject->displayWindowName;
            detail.window = QStringList{winObject->segmentName, winObject->programName, winObject->name}.join(
                QLatin1Char('/'));
        }
        PlayContentIndex::instance().lookup(m_logPath, &detail.bundle, &detail.hash);
        logWriter->setLogInfo(row.at(0), row.at(1), row.at(2), row.at(3), row.at(4), row.at(5), row.at(6),
                              detail);
        logWriter->start();
    }
    if (announce)
        emit sigPlayLogRow(winObject, row);
}

qint64 CommonPlayWindow::shownMsecs() const
{
    return m_shownMs + (m_shownSince >= 0 ? qMax<qint64>(0, m_clock->steadyMsecs() - m_shownSince) : 0);
}

void CommonPlayWindow::itemFailed(const QString &path, PlayOutcome why, const QString &reason)
{
    if (!m_rowOpen || path.isEmpty() || path != m_logPath || !PlayOutcomes::wasShown(m_outcome))
        return;
    const bool stream = currentType == QLatin1String("streaming");
    if ((why == PlayOutcome::StreamUnreachable) != stream)
        return;
    m_outcome = why;
    qWarning().noquote() << QStringLiteral("window %1: %2: %3")
                                .arg(winObject ? winObject->name : QString(), path, PlayOutcomes::resultText(why));
    reportOpenFailed(why, reason);
}

void CommonPlayWindow::reportOpenFailed(PlayOutcome why, const QString &detail)
{
    // Once in four minutes per address: a missing picture in a list of short items would
    // otherwise fill the log, and the device stays marked dark for five minutes after each.
    constexpr qint64 RepeatMsecs = 4 * 60 * 1000;
    if (!surface || !surface->keepsPlayLog() || m_previewItem || !m_rowOpen)
        return;
    const qint64 now = m_clock->steadyMsecs();
    const auto last = m_failReported.constFind(m_logPath);
    if (last != m_failReported.constEnd() && now - *last < RepeatMsecs)
        return;
    if (m_failReported.size() >= 256)
        m_failReported.clear();
    m_failReported.insert(m_logPath, now);
    QString text = PlayOutcomes::resultText(why);
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + detail;
    reportEvent(PlayEvents::OpenFailed, false, text, logName, m_logPath);
}

void CommonPlayWindow::reportEvent(const char *kind, bool mended, const QString &detail, const QString &item,
                                   const QString &path)
{
    PlayEvent event;
    event.utcMs = m_clock->msecsSinceEpoch();
    event.utcOffset = m_clock->now().offsetFromUtc();
    event.screen = surface ? surface->name : QString();
    event.window = winObject ? winObject->name : QString();
    event.item = item;
    event.path = path;
    event.kind = QLatin1String(kind);
    event.mended = mended;
    event.detail = detail;
    if (!mended)
        m_dark = true;
    qWarning().noquote() << QStringLiteral("screen %1 window %2: %3 %4 (%5): %6")
                                .arg(event.screen, event.window, event.kind, item, path, detail);
    if (m_eventWriter)
        m_eventWriter->add(event);
    emit sigPlayEvent(winObject, event);
}

void CommonPlayWindow::startVideoWatch(const QString &address)
{
    // The first items of a play start before their screen is marked as in real play: the
    // watch looks at that when it looks at the position.
    if (m_previewItem || !surface || !surface->keepsPlayLog())
        return;
    m_stall.begin(m_clock->steadyMsecs(), address);
    m_watchTimer->start();
}

void CommonPlayWindow::watchVideo()
{
    const bool stream = currentType == QLatin1String("streaming");
    PlayLabel *player = stream ? streamPlayer : currentType == QLatin1String("video") ? videoPlayer : nullptr;
    MpvWidget *mpv = player ? player->mpvWidget() : nullptr;
    // A failure to open is reported as such, unless it is a reload's: the reloads go on, further
    // apart. What is not on show cannot stall.
    if (!mpv || !mpv->isReady() || !player->isOpen() || !realPlay() || m_previewItem || !m_rowOpen ||
        (!PlayOutcomes::wasShown(m_outcome) && m_stall.failedReloads() == 0)) {
        m_watchTimer->stop();
        return;
    }
    const qint64 now = m_clock->steadyMsecs();
    const QVariant position = mpv->observed(QStringLiteral("time-pos"));
    // A file that ended before its item's time leaves the player idle, as it should; a stream
    // has no end, and one that ended is as dark as one that stopped.
    const bool ended = !stream && mpv->observed(QStringLiteral("idle-active")).toBool();
    const VideoStallWatch::Step step = m_stall.sample(now, position.isValid() ? position.toDouble() : -1.0,
                                                      !paused && !player->paused && !ended);
    if (step.resumed) {
        qInfo().noquote() << QStringLiteral("window %1: %2 plays again")
                                 .arg(winObject ? winObject->name : QString(), m_logPath);
        if (m_dark) {
            m_dark = false;
            emit sigPlayResumed(winObject);
        }
    }
    if (step.stalled) {
        QString detail = m_stall.opening() ? QStringLiteral("no picture %1 s after it was %2")
                                                 .arg(m_stall.stuckMsecs(now) / 1000)
                                                 .arg(step.afterReload ? QStringLiteral("loaded again")
                                                                       : QStringLiteral("opened"))
                                           : QStringLiteral("position stuck at %1 s for %2 s")
                                                 .arg(m_stall.lastPosition(), 0, 'f', 1)
                                                 .arg(m_stall.stuckMsecs(now) / 1000);
        detail +=
            step.reload
                ? QStringLiteral("; loaded again")
                : QStringLiteral("; loaded again in %1 s").arg((m_stall.reloadWaitMsecs(now) + 999) / 1000);
        reportEvent(PlayEvents::VideoStalled, step.reload && !step.afterReload, detail, logName, m_logPath);
    } else if (step.reload) {
        qInfo().noquote() << QStringLiteral("window %1: %2 is loaded again")
                                 .arg(winObject ? winObject->name : QString(), m_logPath);
    }
    if (step.reload && player->reload())
        m_stall.reloaded(now);
}

QSize CommonPlayWindow::playedSize() const
{
    const QSize surface = parentWidget() ? parentWidget()->size() : QSize(winObject->width, winObject->height);
    return WindowGeometry::playedWindow(winObject->x, winObject->y, winObject->width, winObject->height, surface)
        .size();
}

void CommonPlayWindow::armItemLength(ClockTimer *timer, int msec)
{
    armItemTimer(timer, PageRules::itemMsecs(msec));
}

void CommonPlayWindow::armItemTimer(ClockTimer *timer, int msec)
{
    const qint64 end = (m_itemBegin >= 0 ? m_itemBegin : DueTime::begin(*m_clock).at) + qMax(0, msec);
    m_itemTimerDue = end;
    timer->start(int(qMax<qint64>(0, end - m_clock->steadyMsecs())));
}

// ---------------------------------------------------------------- pause, resume, stop

void CommonPlayWindow::pauseWindowPlay()
{
    paused = true;
    // Time under an insert is not time shown.
    m_shownMs = shownMsecs();
    m_shownSince = -1;
    // What was left when the pause was due (an insert's start), not when it got round to it.
    const ClockTimer *itemTimer = timerOfCurrentType();
    m_pausedRemaining = itemTimer && itemTimer->isActive()
                            ? qMax<qint64>(0, m_itemTimerDue - DueTime::begin(*m_clock).at)
                            : -1;
    // An effect under way waits with its item: ending under the insert would start the stay,
    // or the next item, behind it and log them as shown.
    for (EffectAnimation *animation : effects())
        animation->hold();
    const QString &t = currentType;
    if (t == QLatin1String("simpleText") || t == QLatin1String("txt") ||
        t == QLatin1String("singleRowText") || t == QLatin1String("scrollingText")) {
        textTimer->stop();
        textRenderer->stopScroll();
    } else if (t == QLatin1String("video")) {
        videoPlayer->on_file_pause();
        videoCover->hide();
        videoTimer->stop();
    } else if (t == QLatin1String("videoDevice")) {
        camera->stop();
        cameraTimer->stop();
    } else if (t == QLatin1String("streaming")) {
        streamTimer->stop();
        streamPlayer->on_file_pause();
    } else if (t == QLatin1String("URL")) {
        webTimer->stop();
    } else if (t == QLatin1String("analogClock")) {
        analogClockTimer->stop();
        analogClock->stopTick();
    } else if (t == QLatin1String("digitalTimer")) {
        countTimerTimer->stop();
        countTimer->stopTick();
    } else if (t == QLatin1String("digitalClock")) {
        digitalClockTimer->stop();
        digitalClock->stopTick();
    } else if (t == QLatin1String("image") || t == QLatin1String("office")) {
        pictureTimer->stop();
    } else if (t == QLatin1String("weather")) {
        weatherTimer->stop();
    }
}

ClockTimer *CommonPlayWindow::timerOfCurrentType() const
{
    const QString &t = currentType;
    if (t == QLatin1String("video"))
        return videoTimer;
    if (t == QLatin1String("image") || t == QLatin1String("office"))
        return pictureTimer;
    if (t == QLatin1String("simpleText") || t == QLatin1String("txt") ||
        t == QLatin1String("singleRowText") || t == QLatin1String("scrollingText"))
        return textTimer;
    if (t == QLatin1String("digitalClock"))
        return digitalClockTimer;
    if (t == QLatin1String("analogClock"))
        return analogClockTimer;
    if (t == QLatin1String("digitalTimer"))
        return countTimerTimer;
    if (t == QLatin1String("URL"))
        return webTimer;
    if (t == QLatin1String("streaming"))
        return streamTimer;
    if (t == QLatin1String("videoDevice"))
        return cameraTimer;
    if (t == QLatin1String("weather"))
        return weatherTimer;
    return nullptr;
}

void CommonPlayWindow::resumeWindowPlay()
{
    if (!paused)
        return;
    show();
    paused = false;
    if (m_rowOpen && m_shownSince < 0)
        m_shownSince = m_clock->steadyMsecs();
    // The item goes on for exactly what it had left; a stay that was not running (an effect
    // was) is armed again when the effect ends.
    ClockTimer *timer = timerOfCurrentType();
    if (timer && m_pausedRemaining >= 0)
        armItemTimer(timer, int(m_pausedRemaining));
    m_pausedRemaining = -1;
    for (EffectAnimation *animation : effects())
        animation->carryOn();

    const QString &t = currentType;
    QWidget *renderer = nullptr;
    if (t == QLatin1String("video")) {
        videoPlayer->on_file_contiue();
        if (currentItem && currentItem->video.coverTextEnabled && !(surface && surface->isHidden()))
            videoCover->show();
        renderer = videoPlayer;
    } else if (t == QLatin1String("videoDevice")) {
        camera->start();
        renderer = camera;
    } else if (t == QLatin1String("streaming")) {
        streamPlayer->on_file_contiue();
        renderer = streamPlayer;
    } else if (t == QLatin1String("URL")) {
        webPage->applyZoom();
        renderer = webPage;
    } else if (t == QLatin1String("analogClock")) {
        analogClock->startTick();
        renderer = analogClock;
    } else if (t == QLatin1String("digitalClock")) {
        digitalClock->startTick();
        renderer = digitalClock;
    } else if (t == QLatin1String("digitalTimer")) {
        countTimer->startTick();
        renderer = countTimer;
    } else if (t == QLatin1String("scrollingText")) {
        textRenderer->resumeScroll();
        renderer = textRenderer;
    } else if (t == QLatin1String("simpleText") || t == QLatin1String("txt") ||
               t == QLatin1String("singleRowText")) {
        renderer = textRenderer;
    } else if (t == QLatin1String("image") || t == QLatin1String("office")) {
        renderer = pictureLabel;
    } else if (t == QLatin1String("weather")) {
        renderer = weather;
    }
    if (renderer)
        renderer->show();
}

void CommonPlayWindow::stopAllTimers()
{
    textRenderer->stopScroll();
    countTimer->stopTick();
    digitalClock->stopTick();
    analogClock->stopTick();
    for (ClockTimer *timer : {videoTimer, textTimer, pictureTimer, digitalClockTimer, countTimerTimer,
                              analogClockTimer, webTimer, streamTimer, cameraTimer, weatherTimer})
        timer->stop();
}

void CommonPlayWindow::haltEffects()
{
    for (EffectAnimation *animation : effects())
        animation->halt();
}

void CommonPlayWindow::hideAllMedia()
{
    if (!realPlay())
        videoPlayer->on_file_close();
    // In real play the player stays open between items; it is only hidden.
    videoPlayer->hide();
    if (!streamPlayer->paused)
        streamPlayer->on_file_close();
    for (QWidget *renderer :
         std::initializer_list<QWidget *>{streamPlayer, textRenderer, countTimer, pictureLabel, digitalClock,
                                          analogClock, webPage, weather, videoCover})
        renderer->hide();
    camera->stop();
    camera->hide();
    weather->stopItem();
    stopMusic();
}

void CommonPlayWindow::previewItem(LumoraMediaObject *item)
{
    if (realPlay() || !item)
        return;
    if (m_previewItem == item && item->type == QLatin1String("video") && videoPlayer->isOpen()) {
        const VideoProperties &v = item->video;
        videoPlayer->on_file_volume(v.volume);
        videoPlayer->on_file_Scale(v.scaleType);
        if (v.rotation >= 0 && v.rotation <= 3)
            videoPlayer->video_rotate(v.rotation * 90);
        if (v.coverTextEnabled) {
            videoCover->setFromItem(v);
            videoCover->show();
        } else {
            videoCover->hide();
        }
        return;
    }
    stopAllTimers();
    haltEffects();
    m_previewItem = item;
    mediaList = {item};
    index = 0;
    listEnded = false;
    paused = false;
    show();
    playCurrentElement();
}

void CommonPlayWindow::stopPreview()
{
    if (m_previewItem)
        stopWindowPlay();
}

void CommonPlayWindow::stopWindowPlay(PlayOutcome cut)
{
    writeLogRow(cut);
    m_previewItem = nullptr;
    // A player that only waits on the page's first video keeps it: the page never started.
    const bool onlyPrepared = currentType.isEmpty() && !videoPlayer->preparedFile().isEmpty();
    stopAllTimers();
    m_videoLengthPending = false;
    m_pausedRemaining = -1;
    haltEffects();
    index = 0;
    mediaList.clear();
    currentItem = nullptr;
    currentType.clear();
    textRenderer->text.clear();
    textRenderer->update();
    pictureLabel->clear();
    videoCover->hide();
    videoPlayer->hide();
    if (!onlyPrepared)
        videoPlayer->on_file_close();
    hideAllMedia();
    curtain1->hide();
    curtain2->hide();
    paused = false;
    streamPlayer->on_file_close();
    update();
    // Ready for the page's next turn as it was for its first.
    prepareFirstVideo();
}

void CommonPlayWindow::prepareFirstVideo()
{
    if (!realPlay() || !winObject || winObject->media.isEmpty() || !currentType.isEmpty())
        return;
    const LumoraMediaObject *first = winObject->media.first();
    if (first->type != QLatin1String("video"))
        return;
    const VideoProperties &v = first->video;
    videoPlayer->setGeometry(QRect(origin(), mediaSize()));
    videoPlayer->prepare(v.filePath, v.clipEnabled ? v.clipStart.second() : 0);
    videoPlayer->on_file_Scale(v.scaleType);
    if (v.rotation >= 0 && v.rotation <= 3)
        videoPlayer->video_rotate(v.rotation * 90);
}

void CommonPlayWindow::layoutMediaWidgets()
{
    const QRect area(origin(), mediaSize());
    for (QWidget *child : std::initializer_list<QWidget *>{
             videoPlayer, streamPlayer, textRenderer, countTimer, pictureLabel, digitalClock, analogClock,
             webPage, weather, camera, curtain1, curtain2})
        child->setGeometry(area);
    // The cover is a window of its own over the media area.
    videoCover->setGeometry(QRect(mapToGlobal(origin()), area.size()));
}

// ---------------------------------------------------------------- video progress

void CommonPlayWindow::slotSetVideoRange(float seconds)
{
    m_videoRange = seconds;
    // A video without a length of its own ends where its file ends, counted from the item's
    // begin like any other length.
    if (m_videoLengthPending && !paused && seconds > 0 && currentType == QLatin1String("video")) {
        m_videoLengthPending = false;
        armItemTimer(videoTimer, int(qMin<double>(std::llround(double(seconds) * 1000.0),
                                                  std::numeric_limits<int>::max())));
    }
}

void CommonPlayWindow::slotSetVideoProgress(float seconds)
{
    if (realPlay())
        return;
    if (m_videoRange > 0 && seconds >= m_videoRange) {
        videoTimer->stop();
        videoPlayer->on_file_close();
        videoCover->hide();
    }
}

void CommonPlayWindow::slotSetVideoCoverLabel(LumoraMediaObject *item)
{
    if (!item || item->type != QLatin1String("video"))
        return;
    videoCover->setFromItem(item->video);
}

void CommonPlayWindow::playMusic(const QString &path)
{
    stopMusic();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    // Made on first use: most windows never play music.
    if (!musicPlayer) {
        musicPlayer = new QMediaPlayer(this);
        musicPlaylist = new QMediaPlaylist(this);
        musicPlayer->setPlaylist(musicPlaylist);
        musicPlayer->setMuted(surface && !surface->keepsPlayLog());
    }
    musicPlaylist->addMedia(QMediaContent(QUrl::fromLocalFile(path)));
    musicPlaylist->setPlaybackMode(QMediaPlaylist::CurrentItemInLoop);
    musicPlayer->play();
}

void CommonPlayWindow::stopMusic()
{
    if (!musicPlayer)
        return;
    musicPlayer->stop();
    musicPlaylist->clear();
}
