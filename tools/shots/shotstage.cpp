#include "shotstage.h"

#include "clock/clock.h"
#include "clock/virtualclock.h"
#include "model/commonwinobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "shell/widget.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

// Up to `msecs` of event processing, until `done` holds.
bool waitFor(const std::function<bool()> &done, int msecs)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > msecs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

bool exposed(QWidget *widget)
{
    QWindow *window = widget->window()->windowHandle();
    return window && window->isExposed();
}

} // namespace

ShotStage::ShotStage(const QString &outputDir, const QDateTime &now)
    : m_outputDir(outputDir)
    , m_start(now)
    , m_clock(new VirtualClock(now))
{
    QDir().mkpath(outputDir);
    Clock::setCurrent(m_clock.get());
}

ShotStage::~ShotStage()
{
    closeShot();
    Clock::setCurrent(nullptr);
}

void ShotStage::begin(const QString &name)
{
    closeShot();
    // Every shot starts at the same moment, whichever shots ran before it.
    Clock::setCurrent(nullptr);
    m_clock.reset(new VirtualClock(m_start));
    Clock::setCurrent(m_clock.get());
    m_name = name;
}

void ShotStage::closeShot()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible())
            dialog->reject();
    }
    qDeleteAll(m_screens);
    m_screens.clear();
    m_main.reset();
    qDeleteAll(m_pages);
    m_pages.clear();
    settle(50);
}

void ShotStage::settle(int msecs)
{
    waitFor([] { return false; }, msecs);
}

void ShotStage::advance(qint64 msecs)
{
    m_clock->advance(msecs);
    settle(100);
}

Widget *ShotStage::mainWindow()
{
    if (!m_main) {
        m_main.reset(new Widget);
        m_main->show();
        waitFor([this] { return exposed(m_main.get()); }, 5000);
    }
    return m_main.get();
}

MainPlayBKLabel *ShotStage::screen(const QSize &size)
{
    auto *screen = new MainPlayBKLabel(QStringLiteral("Shots"), nullptr, false);
    screen->setGeometry(QRect(QPoint(0, 0), size));
    screen->realPlayMode = true;
    screen->show();
    waitFor([screen] { return exposed(screen); }, 5000);
    m_screens << screen;
    return screen;
}

CommonWinObject *ShotStage::play(MainPlayBKLabel *screen, const QRect &geometry,
                                 const QList<LumoraMediaObject *> &media)
{
    auto *page = new ProgramObject;
    page->name = QStringLiteral("Program1");
    page->segmentName = QStringLiteral("General Segment1");
    page->displayWindowName = QStringLiteral("Shots");
    m_pages << page;
    auto *w = new CommonWinObject;
    w->name = QStringLiteral("Common Window%1").arg(screen->playWindows.size() + 1);
    w->programName = page->name;
    w->segmentName = page->segmentName;
    w->displayWindowName = page->displayWindowName;
    w->x = geometry.x();
    w->y = geometry.y();
    w->width = geometry.width();
    w->height = geometry.height();
    for (LumoraMediaObject *m : media) {
        m->windowName = w->name;
        m->programName = page->name;
        m->segmentName = page->segmentName;
        m->displayWindowName = page->displayWindowName;
        w->media.append(m);
    }
    page->windows.append(w);
    CommonPlayWindow *pw = screen->showCommonWindow(false, w);
    pw->setMediaList(w->media);
    pw->startWindowPlay();
    return w;
}

QImage ShotStage::picture(const QSize &size, const QColor &from, const QColor &to,
                          const QString &caption) const
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, from);
    sky.setColorAt(1, to);
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 214, 90));
    const int r = qMin(size.width(), size.height()) / 5;
    p.drawEllipse(QPoint(size.width() * 3 / 4, size.height() / 3), r, r);
    QFont font = QApplication::font();
    font.setPixelSize(qMax(12, size.height() / 8));
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(image.rect().adjusted(size.width() / 20, 0, 0, -size.height() / 12),
               Qt::AlignLeft | Qt::AlignBottom, caption);
    return image;
}

QString ShotStage::pictureFile(const QSize &size, const QColor &from, const QColor &to,
                               const QString &caption)
{
    if (!m_pictures)
        m_pictures = std::make_unique<QTemporaryDir>();
    const QString path = m_pictures->filePath(caption + QStringLiteral(".png"));
    if (!picture(size, from, to, caption).save(path))
        fail(QStringLiteral("cannot write ") + path);
    return path;
}

bool ShotStage::capture(QWidget *widget)
{
    if (!widget)
        return save(QImage(), QStringLiteral("no window"));
    if (!waitFor([widget] { return exposed(widget); }, 5000))
        return save(QImage(), QStringLiteral("the window was never shown"));
    settle();
    return save(widget->grab().toImage(), QString());
}

bool ShotStage::captureDialogOf(const std::function<void()> &command)
{
    QImage shot;
    bool opened = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        opened = true;
        poll.stop();
        // Photographed once it has painted, then closed as Cancel would.
        QTimer::singleShot(300, modal, [&shot, modal] {
            shot = modal->grab().toImage();
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else
                modal->close();
        });
    });
    poll.start();
    // A command that opens no dialog returns at once.
    command();
    poll.stop();
    if (!opened)
        return save(QImage(), QStringLiteral("the command opened no dialog"));
    return save(shot, QStringLiteral("the dialog closed before it was photographed"));
}

bool ShotStage::captureScreen()
{
    settle();
    QScreen *screen = QGuiApplication::primaryScreen();
    return save(screen ? screen->grabWindow(0).toImage() : QImage(), QStringLiteral("no screen"));
}

void ShotStage::fail(const QString &why)
{
    m_failures << m_name + QStringLiteral(": ") + why;
    std::fprintf(stderr, "%s: %s\n", qPrintable(m_name), qPrintable(why));
}

bool ShotStage::save(const QImage &image, const QString &what)
{
    const QString path = QDir(m_outputDir).filePath(m_name + QStringLiteral(".png"));
    if (image.isNull() || !image.save(path)) {
        fail(image.isNull() ? what : QStringLiteral("could not write ") + path);
        return false;
    }
    m_written << path;
    std::printf("%s\n", qPrintable(path));
    return true;
}
