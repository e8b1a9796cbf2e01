#include "videocoverlabel.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "model/lumoramediaobject.h"
#include "textcore/colorpen.h"

#include <QFontMetrics>
#include <QPainter>

videoCoverLabel::videoCoverLabel(QWidget *parent)
    : QLabel(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    stripLabel = new QLabel(this);
    stripLabel->setStyleSheet(QStringLiteral("background:transparent"));
    stripLabel->hide();
    rollTick = Clock::current().createTimer(this);
    connect(rollTick, &ClockTimer::timeout, this, &videoCoverLabel::slotTimeout);
}

int videoCoverLabel::rollInterval(int speed)
{
    if (speed >= 8)
        return 2;
    if (speed == 7)
        return 5;
    if (speed == 6)
        return 7;
    return 50 / qMax(1, speed);
}

int videoCoverLabel::rollStep(int direction, int speed, int fontSize)
{
    if (direction != 0 || fontSize < 48)
        return 1;
    if (speed == 7 || speed == 8)
        return 2;
    if (speed == 9)
        return 3;
    if (speed == 10)
        return 4;
    return 1;
}

void videoCoverLabel::setFromItem(const VideoProperties &video)
{
    bold = video.coverBold;
    italic = video.coverItalic;
    underline = video.coverUnderline;
    coverText = video.coverText;
    textColor = video.coverTextColor;
    fontSize = video.coverFontSize;
    colorMode = video.coverColorful;
    fontFamily = video.coverFontFamily;
    rolling = video.coverRolling;
    rollDirection = video.coverRollDirection;
    rollSpeed = video.coverRollSpeed;
    rollingTextY = video.coverTextY;

    textFont = fontFamily.isEmpty() ? font() : QFont(fontFamily);
    textFont.setPointSize(qMax(1, fontSize));
    textFont.setBold(bold);
    textFont.setItalic(italic);
    textFont.setUnderline(underline);
    textWidth = QFontMetrics(textFont).horizontalAdvance(coverText);

    if (rolling) {
        buildStrip();
        setstartPox();
        stripLabel->move(x, rollingTextY);
        stripLabel->show();
        stripLabel->raise();
        if (isVisible())
            rollTick->start(rollInterval(rollSpeed));
    } else {
        rollTick->stop();
        stripLabel->hide();
        strip = QPixmap();
    }
    update();
}

void videoCoverLabel::buildStrip()
{
    QImage image(qMax(1, fontSize + textWidth), 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(textFont);
    QPen pen(textColor);
    ColorPen::apply(pen, colorMode, textColor, ColorPen::Geometry{100, textWidth, image.width(), true, 100});
    p.setPen(pen);
    const int left = rollSpeed < 9 ? 0 : fontSize;
    p.drawText(left, fontSize + fontSize / 10, coverText);
    p.end();
    strip = QPixmap::fromImage(image);
    stripLabel->setFixedSize(strip.size());
    stripLabel->setPixmap(strip);
}

void videoCoverLabel::slotTimeout()
{
    if (rollDirection == 0) {
        x -= rollStep(0, rollSpeed, fontSize);
        if (x < -(textWidth + fontSize))
            x = width();
    } else {
        x += 1;
        if (x > width() + fontSize)
            x = -textWidth;
    }
    stripLabel->move(x, rollingTextY);
}

void videoCoverLabel::setstartPox()
{
    x = rollDirection == 0 ? width() : -textWidth;
}

void videoCoverLabel::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    if (rolling || coverText.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(textFont);
    QPen pen(textColor);
    ColorPen::apply(pen, colorMode, textColor,
                    ColorPen::Geometry{height(), textWidth, width(), true, height()});
    p.setPen(pen);
    p.drawText(rect(), int(Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere), coverText);
}

void videoCoverLabel::showEvent(QShowEvent *event)
{
    QLabel::showEvent(event);
    if (rolling)
        rollTick->start(rollInterval(rollSpeed));
}

void videoCoverLabel::hideEvent(QHideEvent *event)
{
    QLabel::hideEvent(event);
    // The roll tick runs only while a rolling cover is shown.
    rollTick->stop();
}
