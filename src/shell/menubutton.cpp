#include "menubutton.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kPictureSize = 40;
constexpr int kCaptionPixelSize = 12;
constexpr int kMinimumWidth = 72;
constexpr int kHeight = 68;

QFont captionFont(const QFont &base)
{
    QFont font(base);
    font.setPixelSize(kCaptionPixelSize);
    return font;
}
} // namespace

menuButton::menuButton(const QString &picturePath, const QString &text, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setPicture(picturePath);
}

void menuButton::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    // The caption decides the width, and a translation can be much longer than the source.
    updateGeometry();
    update();
}

void menuButton::setPicture(const QString &picturePath)
{
    m_picturePath = picturePath;
    m_picture = QPixmap(picturePath);
    update();
}

QSize menuButton::sizeHint() const
{
    const QFontMetrics metrics(captionFont(font()));
    return {qMax(kMinimumWidth, metrics.horizontalAdvance(m_text) + 16), kHeight};
}

void menuButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    if (m_pressed || m_hovered) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_pressed ? QColor(47, 196, 214, 90) : QColor(255, 255, 255, 22));
        painter.drawRoundedRect(QRectF(rect()).adjusted(2, 3, -2, -3), 6, 6);
    }

    const QRect pictureRect((width() - kPictureSize) / 2, 4, kPictureSize, kPictureSize);
    if (!m_picture.isNull())
        painter.drawPixmap(pictureRect, m_picture);

    painter.setFont(captionFont(font()));
    painter.setPen(isEnabled() ? QColor(0xe8, 0xed, 0xf3) : QColor(0x6b, 0x75, 0x84));
    const QRect captionRect(0, pictureRect.bottom() + 2, width(), height() - pictureRect.bottom() - 4);
    painter.drawText(captionRect, Qt::AlignHCenter | Qt::AlignTop, m_text);
}

void menuButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    update();
}

void menuButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    update();
    // Like a push button: moving off the button before releasing cancels the press.
    if (rect().contains(event->pos()))
        emit sigBtnPressed();
}

void menuButton::enterEvent(QEvent *)
{
    m_hovered = true;
    update();
}

void menuButton::leaveEvent(QEvent *)
{
    m_hovered = false;
    update();
}
