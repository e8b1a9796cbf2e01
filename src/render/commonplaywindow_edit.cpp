// Painting of a play window and its mouse editing outside real play.
#include "analogclockwidget.h"
#include "commonplaywindow.h"
#include "digitalclockwidget.h"
#include "digitaltimerwin.h"
#include "mainplaybklabel.h"
#include "model/commonwinobject.h"
#include "playlabel.h"
#include "textwidget.h"
#include "urlwin.h"
#include "videocoverlabel.h"
#include "videodevicewindow.h"
#include "weatherwindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int NameBandHeight = 19;
// Smallest width and height a window can be resized to, so that its edge zones stay apart.
constexpr int MinimumSide = 2 * CommonPlayWindow::edgeZone + 1;
} // namespace

bool CommonPlayWindow::everyRendererHidden() const
{
    for (const QWidget *w : std::initializer_list<const QWidget *>{
             videoPlayer, streamPlayer, textRenderer, countTimer, pictureLabel, digitalClock, analogClock,
             webPage, weather, camera, videoCover}) {
        if (!w->isHidden())
            return false;
    }
    return true;
}

bool CommonPlayWindow::editable() const
{
    return surface && !surface->realPlayMode && !surface->windowsLocked;
}

void CommonPlayWindow::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    QPainter painter(this);
    if (frameShown && frameWidth > 0) {
        QPen pen(frameColor, frameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        // The pen is centred on the path: a path at half the frame width puts the whole
        // frame inside the window.
        const qreal half = frameWidth / 2.0;
        painter.drawRect(QRectF(half, half, width() - frameWidth, height() - frameWidth));
    } else if (!realPlay()) {
        painter.setPen(QPen(selected ? QColor(255, 0, 0) : QColor(20, 127, 255), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(0, 0, width() - 1, height() - 1));
    }
    if (!realPlay() && everyRendererHidden() && winObject) {
        QFont font = QApplication::font();
        font.setPixelSize(12);
        painter.setFont(font);
        const QRect band(0, (height() - NameBandHeight) / 2, width(), NameBandHeight);
        painter.fillRect(band, QColor(0, 0, 0, 160));
        painter.setPen(Qt::white);
        painter.drawText(band, Qt::AlignCenter, winObject->name);
    }
}

void CommonPlayWindow::showEvent(QShowEvent *event)
{
    QLabel::showEvent(event);
    if (winObject)
        resize(playedSize());
    layoutMediaWidgets();
    if (currentType.isEmpty())
        prepareFirstPicture();
}

int CommonPlayWindow::regionAt(const QPoint &p, const QSize &size, int z)
{
    const int x = p.x();
    const int y = p.y();
    const int w = size.width();
    const int h = size.height();
    if (x > z && x < w - z && y > z && y < h - z)
        return 0;
    if (y <= z)
        return x <= z ? 8 : (x < w - z ? 1 : 2);
    if (y < h - z)
        return x <= z ? 7 : 3;
    return x <= z ? 6 : (x < w - z ? 5 : 4);
}

void CommonPlayWindow::mousePressEvent(QMouseEvent *event)
{
    if (!editable() || event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    mousePressed = true;
    selected = true;
    pressPos = event->pos();
    pressGlobalPos = event->globalPos();
    pressRect = geometry();
    resizeRegion = regionAt(event->pos(), size(), edgeZone);
    // Pressed in the middle the window moves, whatever edge the pointer passes later.
    dragging = resizeRegion == 0;
    update();
}

void CommonPlayWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!editable()) {
        QLabel::mouseMoveEvent(event);
        return;
    }
    QWidget *area = parentWidget();
    const QSize bounds = area ? area->size() : QSize(INT_MAX / 2, INT_MAX / 2);
    if (mousePressed && resizeRegion != 0 && !dragging) {
        const QPoint d = event->globalPos() - pressGlobalPos;
        int left = pressRect.left();
        int top = pressRect.top();
        int right = pressRect.right();
        int bottom = pressRect.bottom();
        const int r = resizeRegion;
        if (r == 3 || r == 4 || r == 2)
            right = qMax(left + MinimumSide - 1, pressRect.right() + d.x());
        if (r == 5 || r == 4 || r == 6)
            bottom = qMax(top + MinimumSide - 1, pressRect.bottom() + d.y());
        if (r == 7 || r == 8 || r == 6)
            left = qBound(0, pressRect.left() + d.x(), right - MinimumSide + 1);
        if (r == 1 || r == 8 || r == 2)
            top = qBound(0, pressRect.top() + d.y(), bottom - MinimumSide + 1);
        // Never past the right or bottom edge of the display surface.
        right = qMin(right, bounds.width() - 1);
        bottom = qMin(bottom, bounds.height() - 1);
        setGeometry(QRect(QPoint(left, top), QPoint(right, bottom)));
        layoutMediaWidgets();
        return;
    }
    if (!dragging) {
        const int region = rect().contains(event->pos()) ? regionAt(event->pos(), size(), edgeZone) : 0;
        if (region != 0) {
            static const Qt::CursorShape shapes[] = {
                Qt::SizeAllCursor,   Qt::SizeVerCursor,   Qt::SizeBDiagCursor,
                Qt::SizeHorCursor,   Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                Qt::SizeBDiagCursor, Qt::SizeHorCursor,   Qt::SizeFDiagCursor};
            setCursor(shapes[region]);
            if (mousePressed)
                resizeRegion = region;
            return;
        }
        setCursor(Qt::SizeAllCursor);
        if (!mousePressed)
            return;
        dragging = true;
    }
    const QPoint pointer = area ? area->mapFromGlobal(event->globalPos()) : event->globalPos();
    QPoint to = pointer - pressPos;
    to.setX(qMax(0, qMin(to.x(), bounds.width() - width())));
    to.setY(qMax(0, qMin(to.y(), bounds.height() - height())));
    move(to);
    layoutMediaWidgets();
}

void CommonPlayWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (!editable() || !mousePressed) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    mousePressed = false;
    dragging = false;
    resizeRegion = 0;
    setCursor(Qt::SizeAllCursor);
    if (winObject) {
        winObject->x = x();
        winObject->y = y();
        winObject->width = width();
        winObject->height = height();
        emit sigWindowGeometryEdited(winObject);
    }
}
