#include "monitorwin.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QtMath>

MonitorWin::MonitorWin(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("monitor"));
    setMinimumSize(328, 248);
    // Dark between the pictures, as around an LED screen, rather than the light window colour.
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(0x10, 0x14, 0x1a));
    setPalette(dark);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_DeleteOnClose);
    m_timer = new QTimer(this);
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &MonitorWin::updateLabelImage);
    m_timer->start(50);
}

void MonitorWin::setAreas(const QList<QRect> &areas)
{
    qDeleteAll(m_pictures);
    m_pictures.clear();
    m_areas = areas;
    for (int i = 0; i < areas.size(); ++i) {
        auto *picture = new QLabel(this);
        picture->setStyleSheet(QStringLiteral("background:black"));
        picture->show();
        m_pictures << picture;
    }
    layoutPictures();
    updateLabelImage();
}

void MonitorWin::updateLabelImage()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QElapsedTimer cost;
    cost.start();
    // Every 50 ms, unless grabbing and scaling take longer: then the pause between two
    // rounds is at least as long as a round, so the schedule's timers on this thread
    // always get half of it, however large the areas are.
    struct Reschedule
    {
        QTimer *timer;
        QElapsedTimer *cost;
        ~Reschedule() { timer->start(int(qMax<qint64>(50, 2 * cost->elapsed()))); }
    } reschedule{m_timer, &cost};
    for (int i = 0; i < m_areas.size(); ++i) {
        const QRect area = m_areas.at(i);
        QLabel *picture = m_pictures.at(i);
        if (area.width() <= 0 || area.height() <= 0 || picture->width() <= 0 || picture->height() <= 0) {
            picture->clear();
            continue;
        }
        const QPixmap grabbed = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        picture->setPixmap(grabbed.scaled(picture->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
}

void MonitorWin::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        setWindowTitle(tr("monitor"));
    QWidget::changeEvent(event);
}

void MonitorWin::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPictures();
}

// The pictures share the window in a near-square grid with a small gap.
void MonitorWin::layoutPictures()
{
    const int count = m_pictures.size();
    if (count == 0)
        return;
    const int columns = qCeil(qSqrt(qreal(count)));
    const int rows = (count + columns - 1) / columns;
    const int gap = 4;
    const int cellWidth = qMax(1, (width() - gap * (columns + 1)) / columns);
    const int cellHeight = qMax(1, (height() - gap * (rows + 1)) / rows);
    for (int i = 0; i < count; ++i) {
        const int row = i / columns;
        const int column = i % columns;
        m_pictures.at(i)->setGeometry(gap + column * (cellWidth + gap), gap + row * (cellHeight + gap),
                                      cellWidth, cellHeight);
    }
}
