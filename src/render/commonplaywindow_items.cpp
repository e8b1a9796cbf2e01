// Starting and ending the items of a play window, and their entry and exit effects.
#include "analogclockwidget.h"
#include "clock/clocktimer.h"
#include "commonplaywindow.h"
#include "digitalclockwidget.h"
#include "digitaltimerwin.h"
#include "effectanimation.h"
#include "effectgeometry.h"
#include "mainplaybklabel.h"
#include "model/commonwinobject.h"
#include "model/lumoramediaobject.h"
#include "officepageloader.h"
#include "picturecache.h"
#include "player/pagerules.h"
#include "playlabel.h"
#include "textcore/backgroundstyle.h"
#include "textwidget.h"
#include "urlwin.h"
#include "videocoverlabel.h"
#include "videodevicewindow.h"
#include "weatherwindow.h"

#include <QGraphicsOpacityEffect>

#include <climits>

namespace {
int lengthMsecs(const QTime &t)
{
    return t.isValid() ? t.hour() * 3600000 + t.minute() * 60000 + t.second() * 1000 : 0;
}

bool isTextType(const QString &t)
{
    return t == QLatin1String("simpleText") || t == QLatin1String("txt") ||
           t == QLatin1String("singleRowText") || t == QLatin1String("scrollingText");
}

int rotationDegrees(int rotation)
{
    return rotation >= 0 && rotation <= 3 ? rotation * 90 : 0;
}
} // namespace

// ---------------------------------------------------------------- starting items

void CommonPlayWindow::slotPlayVideo(LumoraMediaObject *item)
{
    currentItem = item;
    const VideoProperties &v = item->video;
    videoPlayer->move(origin());
    videoPlayer->resize(mediaSize());
    videoPlayer->on_file_open(v.filePath);
    videoPlayer->on_file_Scale(v.scaleType);
    videoPlayer->on_file_contiue();
    videoPlayer->startSecond = v.clipEnabled ? v.clipStart.second() : 0;
    if (v.rotation >= 0 && v.rotation <= 3)
        videoPlayer->video_rotate(v.rotation * 90);
    if (v.coverTextEnabled) {
        videoCover->setFromItem(v);
        if (!(surface && surface->isHidden()))
            videoCover->show();
    } else {
        videoCover->hide();
    }
    videoPlayer->show();
    raise();
    // Without a length (older schemes, a length that could not be read) it plays to its end;
    // until mpv says where that is, a bound keeps a file that never opens from holding on.
    const int length = videoTimerMsecs(*item);
    m_videoLengthPending = length <= 0;
    armItemLength(videoTimer, length > 0 ? length : PageRules::UnknownVideoBoundMsecs);
    startVideoWatch(v.filePath);
    // In real play the next video is lined up in the running player now, so the switch
    // shows no frame of background and mpv never goes idle between the two.
    if (realPlay()) {
        if (const LumoraMediaObject *next = nextItem(); next && next->type == QLatin1String("video"))
            videoPlayer->queueNext(next->video.filePath);
    }
}

const LumoraMediaObject *CommonPlayWindow::nextItem() const
{
    if (mediaList.isEmpty())
        return nullptr;
    // After the last item the list starts again, unless the page ends.
    return mediaList.at((index + 1) % mediaList.size());
}

namespace {
OfficePageLoader::Look officeLook(const QSize &size, const ImageProperties &p)
{
    OfficePageLoader::Look look;
    look.size = size;
    look.keepAspect = p.scaleType != 0;
    look.degrees = rotationDegrees(p.rotation);
    return look;
}
} // namespace

void CommonPlayWindow::showOfficePage()
{
    // A page not drawn yet shows the item's background until it is; its time runs anyway.
    QImage page;
    if (currentItem && officePage < officePages.size()) {
        const OfficePageLoader::Look look = officeLook(pictureLabel->size(), currentItem->image);
        page = pageLoader->ready(officePages, officePage, look);
        pageLoader->prepare(officePages, officePage + 1, look);
    }
    pictureLabel->setPixmap(page.isNull() ? QPixmap() : QPixmap::fromImage(page));
}

void CommonPlayWindow::officePageReady(const void *identity, int index)
{
    if (currentItem && currentItem->type == QLatin1String("office") && officePages.identity() == identity &&
        index == officePage && pictureLabel->pixmap(Qt::ReturnByValue).isNull())
        showOfficePage();
}

void CommonPlayWindow::showPictureFile()
{
    QImage picture;
    if (currentItem && currentItem->type == QLatin1String("image")) {
        const OfficePageLoader::Look look = officeLook(pictureLabel->size(), currentItem->image);
        picture = PictureCache::instance()->ready(currentItem->image.filePath, look);
        if (picture.isNull() && !look.size.isEmpty() &&
            PictureCache::instance()->isUnreadable(currentItem->image.filePath, look))
            itemFailed(currentItem->image.filePath, PlayOutcome::Unreadable);
    }
    pictureLabel->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
}

void CommonPlayWindow::pictureFileReady(const QString &path)
{
    if (currentItem && currentItem->type == QLatin1String("image") && currentItem->image.filePath == path &&
        pictureLabel->pixmap(Qt::ReturnByValue).isNull())
        showPictureFile();
}

void CommonPlayWindow::prepareNextItem()
{
    const LumoraMediaObject *next = nextItem();
    if (!next)
        return;
    const OfficePageLoader::Look look = officeLook(pictureLabel->size(), next->image);
    if (next->type == QLatin1String("office") && !next->image.pages.isEmpty())
        pageLoader->prepare(next->image.pages, 0, look);
    else if (next->type == QLatin1String("image"))
        PictureCache::instance()->prepare(next->image.filePath, look);
}

void CommonPlayWindow::prepareFirstPicture()
{
    if (!winObject || winObject->media.isEmpty())
        return;
    const LumoraMediaObject *first = winObject->media.first();
    if (first->type != QLatin1String("image"))
        return;
    // The size the picture label takes when the window is laid out for its record.
    const QSize played = playedSize();
    const QSize area(qMax(0, played.width() - 2 * frameWidth), qMax(0, played.height() - 2 * frameWidth));
    PictureCache::instance()->prepare(first->image.filePath, officeLook(area, first->image));
}

void CommonPlayWindow::setOwnStyle(const QString &style)
{
    // Restyling re-polishes every renderer; skip it when nothing changes.
    if (styleSheet() != style)
        setStyleSheet(style);
}

void CommonPlayWindow::slotPlayImage(LumoraMediaObject *item)
{
    currentItem = item;
    hideAllMedia();
    const ImageProperties &p = item->image;
    const bool office = item->type == QLatin1String("office");
    if (office)
        officePages = p.pages;
    else
        picturePath = p.filePath;
    setPixmap(QPixmap());
    setOwnStyle(QStringLiteral("background:transparent;"));
    pictureOpacity->setOpacity(qBound(0, p.transparency, 10) / 10.0);
    // Alpha 0: the page's own background shows through around the picture.
    const QString labelStyle = p.backgroundIsColor
                                   ? QStringLiteral("background:rgba(%1,%2,%3,%4);")
                                         .arg(p.backgroundColor.red())
                                         .arg(p.backgroundColor.green())
                                         .arg(p.backgroundColor.blue())
                                         .arg(0)
                                   : QStringLiteral("border-image: url(%1);").arg(p.backgroundImage);
    if (pictureLabel->styleSheet() != labelStyle)
        pictureLabel->setStyleSheet(labelStyle);
    pictureScaleType = p.scaleType;
    if (office) {
        officePage = 0;
        showOfficePage();
    } else {
        showPictureFile();
    }
    playMusic(p.backgroundMusic);

    if (p.entryEffectEnabled) {
        pictureLabel->move(origin());
        pictureLabel->show();
        entering = true;
        runEffect(pictureLabel, pictureSlide, EffectGeometry::resolveRandom(p.entryEffect), p.entrySpeed,
                  true);
    } else {
        stopAllTimers();
        pictureLabel->move(origin());
        pictureLabel->show();
        curtain1->hide();
        curtain2->hide();
        armItemLength(pictureTimer, p.stayTime * 1000);
    }
}

void CommonPlayWindow::slotPlaySimpleText(LumoraMediaObject *item)
{
    currentItem = item;
    hideAllMedia();
    const QString &t = item->type;
    const int mode = t == QLatin1String("singleRowText")   ? textWidget::SingleRowMode
                     : t == QLatin1String("scrollingText") ? textWidget::ScrollingMode
                                                           : textWidget::SimpleMode;
    textRenderer->move(origin());
    textRenderer->resize(mediaSize());
    textRenderer->setupItem(*item, mode);
    textRenderer->setUp();
    if (item->text.backgroundTransparent)
        setOwnStyle(QStringLiteral("background:transparent;"));
    const TextProperties &p = item->text;
    if (mode == textWidget::ScrollingMode) {
        textRenderer->show();
        // A text that plays to the end lasts its scrolling time, counted like any other item's
        // time; the scroll's own end, a frame late at best, only ends it if that comes first.
        const qint64 scrollEnd = textRenderer->msToScrollEnd();
        if (!p.playToEnd)
            armItemLength(textTimer, lengthMsecs(p.playDuration));
        else if (scrollEnd >= 0)
            armItemLength(textTimer, int(qMin<qint64>(scrollEnd, INT_MAX)));
        return;
    }
    textRenderer->show();
    if (p.entryEffectEnabled) {
        entering = true;
        runEffect(textRenderer, textSlide, EffectGeometry::resolveRandom(p.entryEffect), p.entrySpeed, true);
    } else {
        armItemLength(textTimer, p.stayTime * 1000);
    }
}

void CommonPlayWindow::applyBackgroundRule(const LumoraMediaObject &item)
{
    const BackgroundProperties *bg = nullptr;
    if (item.type == QLatin1String("digitalClock"))
        bg = &item.digitalClock.background;
    else if (item.type == QLatin1String("analogClock"))
        bg = &item.analogClock.background;
    else if (item.type == QLatin1String("digitalTimer"))
        bg = &item.countTimer.background;
    else if (item.type == QLatin1String("weather"))
        bg = &item.weather.background;
    else if (item.type == QLatin1String("videoDevice"))
        bg = &item.videoDevice.background; // what shows where the camera gives no picture
    if (!bg)
        return;
    const BackgroundStyle style = backgroundRule(*bg);
    if (!style.picturePath.isEmpty()) {
        setOwnStyle(QString());
        setPixmap(QPixmap(style.picturePath));
    } else {
        setPixmap(QPixmap());
        setOwnStyle(style.styleSheet);
    }
}

void CommonPlayWindow::slotPlayDigitalClock(LumoraMediaObject *item)
{
    currentItem = item;
    hideAllMedia();
    applyBackgroundRule(*item);
    digitalClock->setupItem(item->digitalClock);
    stopAllTimers();
    armItemLength(digitalClockTimer, lengthMsecs(item->digitalClock.playTime));
    digitalClock->startTick();
    digitalClock->show();
}

void CommonPlayWindow::slotPlayAnalogClock(LumoraMediaObject *item)
{
    currentItem = item;
    hideAllMedia();
    applyBackgroundRule(*item);
    analogClock->setupItem(item->analogClock);
    stopAllTimers();
    armItemLength(analogClockTimer, lengthMsecs(item->analogClock.playTime));
    analogClock->startTick();
    analogClock->show();
}

void CommonPlayWindow::slotPlayDigitalTimer(LumoraMediaObject *item)
{
    currentItem = item;
    hideAllMedia();
    applyBackgroundRule(*item);
    countTimerOpacity->setOpacity(qBound(0, item->countTimer.transparency, 10) / 10.0);
    countTimer->setupItem(item->countTimer);
    stopAllTimers();
    armItemLength(countTimerTimer, lengthMsecs(item->countTimer.length));
    countTimer->startTick();
    countTimer->show();
}

void CommonPlayWindow::slotPlayWeather(LumoraMediaObject *item)
{
    currentItem = item;
    hideAllMedia();
    applyBackgroundRule(*item);
    weather->startItem(item->weather);
    stopAllTimers();
    armItemLength(weatherTimer, lengthMsecs(item->weather.length));
    weather->show();
}

void CommonPlayWindow::slotPlayURL(LumoraMediaObject *item)
{
    currentItem = item;
    hideAllMedia();
    const int length = lengthMsecs(item->url.length);
    armItemLength(webTimer, length);
    webPage->setItem(length, item->url.address, item->url.transparency,
                     QPoint(item->url.posX, item->url.posY));
    webPage->applyZoom();
    webPage->show();
}

void CommonPlayWindow::slotPlayStreaming(LumoraMediaObject *item)
{
    currentItem = item;
    hideAllMedia();
    streamPlayer->on_file_open(item->streaming.address);
    streamPlayer->on_file_contiue();
    streamPlayer->move(origin());
    stopAllTimers();
    armItemLength(streamTimer, lengthMsecs(item->streaming.length));
    streamPlayer->show();
    startVideoWatch(item->streaming.address);
}

void CommonPlayWindow::slotPlayVideoDevice(LumoraMediaObject *item)
{
    currentItem = item;
    hideAllMedia();
    applyBackgroundRule(*item);
    camera->move(origin());
    camera->start();
    stopAllTimers();
    armItemLength(cameraTimer, lengthMsecs(item->videoDevice.length));
    camera->show();
}

// ---------------------------------------------------------------- ending items

void CommonPlayWindow::slotPlayVideoTimeout()
{
    videoCover->hide();
    // A following video takes over the running player; hiding it first would flash the
    // background between the two.
    const LumoraMediaObject *next = nextItem();
    if (!(realPlay() && next && next->type == QLatin1String("video")))
        videoPlayer->hide();
    playNextElement();
}

void CommonPlayWindow::slotPlayDigitalClockTimeout()
{
    digitalClock->hide();
    digitalClockTimer->stop();
    playNextElement();
}

void CommonPlayWindow::slotdigitalTimerStayTimeout()
{
    countTimer->hide();
    countTimerTimer->stop();
    playNextElement();
}

void CommonPlayWindow::slotPlayAnalogClockTimeout()
{
    analogClock->hide();
    analogClockTimer->stop();
    playNextElement();
}

void CommonPlayWindow::slotURLTimerStayTimeout()
{
    webPage->hide();
    webTimer->stop();
    playNextElement();
}

void CommonPlayWindow::slotStreamingStayTimeout()
{
    streamPlayer->hide();
    streamTimer->stop();
    playNextElement();
}

void CommonPlayWindow::slotCameraStayTimeout()
{
    camera->stop();
    camera->hide();
    cameraTimer->stop();
    playNextElement();
}

void CommonPlayWindow::slotWeatherStayTimeout()
{
    weather->stopItem();
    weather->hide();
    weatherTimer->stop();
    playNextElement();
}

void CommonPlayWindow::slotPlayImageTimeout()
{
    stopMusic();
    if (mediaList.isEmpty() || !currentItem) {
        pictureLabel->hide();
        pictureTimer->stop();
        index = 0;
        return;
    }
    const ImageProperties &p = currentItem->image;
    if (p.exitEffectEnabled) {
        // The stay is over: a repeating stay timer must not start the exit again.
        pictureTimer->stop();
        pictureLabel->show();
        entering = false;
        runEffect(pictureLabel, pictureSlide, EffectGeometry::resolveRandom(p.exitEffect), p.exitSpeed,
                  false);
        return;
    }
    curtain1->hide();
    curtain2->hide();
    if (currentItem->type != QLatin1String("office")) {
        pictureLabel->hide();
        playNextElement();
        return;
    }
    ++officePage;
    if (officePage < officePages.size()) {
        showOfficePage();
        if (p.entryEffectEnabled) {
            pictureTimer->stop();
            pictureLabel->show();
            entering = true;
            runEffect(pictureLabel, pictureSlide, EffectGeometry::resolveRandom(p.entryEffect), p.entrySpeed,
                      true);
        } else {
            pictureLabel->show();
            armItemLength(pictureTimer, p.stayTime * 1000);
        }
        return;
    }
    officePage = 0;
    pictureLabel->hide();
    playNextElement();
}

void CommonPlayWindow::nextTextPage()
{
    ++textRenderer->page;
    textRenderer->update();
}

void CommonPlayWindow::slotPlayTextTimeout()
{
    if (mediaList.isEmpty() || !currentItem) {
        textRenderer->hide();
        textTimer->stop();
        index = 0;
        return;
    }
    const TextProperties &p = currentItem->text;
    const bool scrolling = currentItem->type == QLatin1String("scrollingText");
    if (!scrolling && p.exitEffectEnabled) {
        textTimer->stop();
        textRenderer->show();
        entering = false;
        runEffect(textRenderer, textSlide, EffectGeometry::resolveRandom(p.exitEffect), p.exitSpeed, false);
        return;
    }
    curtain1->hide();
    curtain2->hide();
    if (!scrolling) {
        nextTextPage();
        if (textRenderer->hasPage(textRenderer->page)) {
            // Each page stays for the stay time, counted from when the one before was due to end.
            armItemLength(textTimer, p.stayTime * 1000);
            return;
        }
    }
    textTimer->stop();
    textRenderer->hide();
    playNextElement();
}

void CommonPlayWindow::slotScrollTextFinished()
{
    textRenderer->hide();
    textTimer->stop();
    if (mediaList.isEmpty()) {
        index = 0;
        return;
    }
    playNextElement();
}

// ---------------------------------------------------------------- effects

void CommonPlayWindow::slotImageStateChanged(int startX, int startY, int endX, int endY)
{
    slideStartX = startX;
    slideStartY = startY;
    slideEndX = endX;
    slideEndY = endY;
}

void CommonPlayWindow::slotImageCoverStateChanged(const QRect &start1, const QRect &start2, const QRect &end1,
                                                  const QRect &end2, int effect)
{
    curtainStart1 = start1;
    curtainStart2 = start2;
    curtainEnd1 = end1;
    curtainEnd2 = end2;
    m_coverEffect = effect;
}

void CommonPlayWindow::runEffect(QWidget *target, EffectAnimation *slide, int effect, int speed, bool entry)
{
    const int msec = EffectGeometry::durationMsecs(speed);
    const QSize area = size();
    haltEffects();
    if (EffectGeometry::isReveal(effect)) {
        const EffectGeometry::Curtains c = entry ? EffectGeometry::entryCurtains(effect, area, frameWidth)
                                                 : EffectGeometry::exitCurtains(effect, area, frameWidth);
        slotImageCoverStateChanged(c.firstStart, c.secondStart, c.firstEnd, c.secondEnd, effect);
        target->move(origin());
        curtain1->setGeometry(curtainStart1);
        curtain1->show();
        curtain1->raise();
        curtainAnimation1->setStartValue(curtainStart1);
        curtainAnimation1->setEndValue(curtainEnd1);
        if (c.twoCurtains) {
            curtain2->setGeometry(curtainStart2);
            curtain2->show();
            curtain2->raise();
            curtainAnimation2->setStartValue(curtainStart2);
            curtainAnimation2->setEndValue(curtainEnd2);
            curtainAnimation2->play(msec);
        } else {
            curtain2->hide();
        }
        curtainAnimation1->play(msec);
        return;
    }
    // A slide; a number outside the list (a damaged item) keeps the media still for the
    // effect's time instead of never ending the item.
    const EffectGeometry::Slide s = EffectGeometry::isSlide(effect)
                                        ? (entry ? EffectGeometry::entrySlide(effect, area, frameWidth)
                                                 : EffectGeometry::exitSlide(effect, area, frameWidth))
                                        : EffectGeometry::Slide{origin(), origin()};
    slotImageStateChanged(s.start.x(), s.start.y(), s.end.x(), s.end.y());
    curtain1->hide();
    curtain2->hide();
    target->move(s.start);
    slide->setStartValue(s.start);
    slide->setEndValue(s.end);
    slide->play(msec);
}

void CommonPlayWindow::effectFinished(bool textSide)
{
    if (!currentItem)
        return;
    if (entering) {
        stopAllTimers();
        curtain1->hide();
        curtain2->hide();
        if (textSide) {
            textRenderer->move(origin());
            textRenderer->show();
            armItemLength(textTimer, currentItem->text.stayTime * 1000);
        } else {
            pictureLabel->move(origin());
            pictureLabel->show();
            armItemLength(pictureTimer, currentItem->image.stayTime * 1000);
        }
        return;
    }
    if (!textSide) {
        const ImageProperties &p = currentItem->image;
        if (currentItem->type == QLatin1String("office")) {
            ++officePage;
            if (officePage < officePages.size()) {
                showOfficePage();
                pictureLabel->show();
                entering = true;
                runEffect(pictureLabel, pictureSlide, EffectGeometry::resolveRandom(p.entryEffect),
                          p.entrySpeed, true);
                return;
            }
            officePage = 0;
        }
        pictureLabel->hide();
        curtain1->hide();
        curtain2->hide();
        playNextElement();
        return;
    }
    const TextProperties &p = currentItem->text;
    nextTextPage();
    if (textRenderer->hasPage(textRenderer->page)) {
        if (p.entryEffectEnabled) {
            entering = true;
            runEffect(textRenderer, textSlide, EffectGeometry::resolveRandom(p.entryEffect), p.entrySpeed,
                      true);
        } else {
            curtain1->hide();
            curtain2->hide();
            textRenderer->move(origin());
            textRenderer->show();
            armItemLength(textTimer, p.stayTime * 1000);
        }
        return;
    }
    textRenderer->hide();
    curtain1->hide();
    curtain2->hide();
    textTimer->stop();
    playNextElement();
}

void CommonPlayWindow::slotAniTimeout()
{
    effectFinished(false);
}

void CommonPlayWindow::slotTextWinAniTimeout()
{
    effectFinished(true);
}

void CommonPlayWindow::slotAniTimeout1()
{
    effectFinished(isTextType(currentType));
}
