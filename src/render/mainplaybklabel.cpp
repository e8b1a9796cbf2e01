#include "mainplaybklabel.h"

#include "model/windowgeometry.h"

#include "commonplaywindow.h"
#include "model/commonwinobject.h"
#include "playlabel.h"
#include "videodevicewindow.h"

#include <QImageReader>
#include <QPainter>

namespace {
bool samePage(const CommonWinObject *a, const CommonWinObject *b)
{
    return a->programName == b->programName && a->segmentName == b->segmentName &&
           a->segmentKind == b->segmentKind;
}
} // namespace

MainPlayBKLabel::MainPlayBKLabel(const QString &screenName, QWidget *parent, bool keepsPlayLog)
    : QLabel(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , name(screenName)
    , m_keepsPlayLog(keepsPlayLog)
{
    setWindowTitle(screenName);
    setStyleSheet(QStringLiteral("background:black"));
}

MainPlayBKLabel::~MainPlayBKLabel() = default;

CommonPlayWindow *MainPlayBKLabel::findPlayWindow(const CommonWinObject *w) const
{
    for (CommonPlayWindow *pw : playWindows) {
        if (pw->shows(w))
            return pw;
    }
    return nullptr;
}

void MainPlayBKLabel::windowListEnded(CommonWinObject *w)
{
    for (CommonPlayWindow *pw : qAsConst(playWindows)) {
        // A window with nothing to play never ends a list; it must not hold the page.
        if (samePage(pw->winObject, w) && !pw->listEnded && !pw->mediaList.isEmpty()) {
            CommonPlayWindow *ended = findPlayWindow(w);
            if (ended) {
                ended->index = 0;
                if (!ended->mediaList.isEmpty())
                    ended->playCurrentElement();
            }
            return;
        }
    }
    // Only the page whose pass ended is stopped: general windows paused under an insert
    // keep their place and resume when it ends.
    for (CommonPlayWindow *pw : qAsConst(playWindows)) {
        if (!samePage(pw->winObject, w))
            continue;
        pw->index = 0;
        pw->listEnded = false;
        // A window that began its list again while a slower one finished is cut short here.
        pw->stopWindowPlay(PlayOutcome::CutBySchedule);
        pw->hide();
    }
    emit sigCurProgramRealPlayEnd(name, w);
}

void MainPlayBKLabel::applyWindowProperties(CommonWinObject *w)
{
    CommonPlayWindow *pw = findPlayWindow(w);
    if (!pw)
        return;
    pw->frameColor = w->frameColor;
    pw->frameWidth = w->frameWidth;
    pw->frameShown = w->frameEnabled;
    pw->setGeometry(WindowGeometry::playedWindow(w->x, w->y, w->width, w->height, size()));
    pw->layoutMediaWidgets();
    pw->update();
}

CommonPlayWindow *MainPlayBKLabel::showCommonWindow(bool showOnly, CommonWinObject *w)
{
    if (CommonPlayWindow *found = findPlayWindow(w)) {
        if (showOnly) {
            for (CommonPlayWindow *pw : qAsConst(playWindows)) {
                pw->setVisible(pw == found);
                pw->update();
            }
        } else {
            for (CommonPlayWindow *pw : qAsConst(playWindows)) {
                if (!samePage(pw->winObject, w))
                    continue;
                pw->videoPlayer->on_file_close();
                pw->streamPlayer->on_file_close();
                pw->camera->stop();
                pw->show();
                pw->update();
            }
        }
        return found;
    }
    auto *pw = new CommonPlayWindow(w, this, this);
    pw->frameColor = w->frameColor;
    pw->frameWidth = w->frameWidth;
    pw->frameShown = w->frameEnabled;
    pw->setGeometry(WindowGeometry::playedWindow(w->x, w->y, w->width, w->height, size()));
    pw->layoutMediaWidgets();
    connect(pw, &CommonPlayWindow::sigWindowGeometryEdited, this, &MainPlayBKLabel::sigWindowGeometryEdited);
    connect(pw, &CommonPlayWindow::sigPlayLogRow, this, &MainPlayBKLabel::sigPlayLogRow);
    connect(pw, &CommonPlayWindow::sigItemStarted, this, &MainPlayBKLabel::sigItemStarted);
    connect(pw, &CommonPlayWindow::sigPlayEvent, this, &MainPlayBKLabel::sigPlayEvent);
    connect(pw, &CommonPlayWindow::sigPlayResumed, this, &MainPlayBKLabel::sigPlayResumed);
    pw->show();
    playWindows.append(pw);
    return pw;
}

void MainPlayBKLabel::slotSetVideoRange(float seconds)
{
    if (!realPlayMode)
        emit sigSetVideoRange(seconds);
}

void MainPlayBKLabel::slotSetVideoProgress(float seconds)
{
    if (!realPlayMode)
        emit sigSetVideoProgress(float(int(seconds)));
}

void MainPlayBKLabel::setPageBackground(const QColor &color, const QString &picturePath, int displayType)
{
    if (color == m_pageColor && picturePath == m_picturePath && displayType == m_displayType)
        return;
    if (picturePath != m_picturePath || displayType != m_displayType) {
        m_picture = QPixmap();
        if (!picturePath.isEmpty()) {
            QImageReader reader(picturePath);
            reader.setAutoTransform(true);
            // A stretched picture is never shown larger than the screen: read it at that size.
            const QSize source = reader.size();
            if (displayType == 1 && source.isValid() && !size().isEmpty() &&
                (source.width() > width() || source.height() > height()))
                reader.setScaledSize(source.scaled(size(), Qt::KeepAspectRatioByExpanding));
            m_picture = QPixmap::fromImage(reader.read());
        }
    }
    m_pageColor = color;
    m_picturePath = picturePath;
    m_displayType = displayType;
    update();
}

void MainPlayBKLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect(), m_pageColor);
    if (m_picture.isNull())
        return;
    if (m_displayType == 0)
        painter.drawTiledPixmap(rect(), m_picture);
    else
        painter.drawPixmap(rect(), m_picture);
}
