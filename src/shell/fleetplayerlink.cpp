#include "fleetplayerlink.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "fleet/playerchannel.h"
#include "log/playcontentindex.h"
#include "log/playevents.h"
#include "model/schemereader.h"
#include "prodoc.h"
#include "render/mainplaybklabel.h"
#include "widget.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <unistd.h>

FleetPlayerLink::FleetPlayerLink(Widget *widget, const QString &socketPath, QObject *parent)
    : QObject(parent)
    , m_widget(widget)
    , m_socketPath(socketPath)
    , m_endpoint(new PlayerEndpoint(this))
    , m_switchTimer(Clock::current().createTimer(this))
{
    m_switchTimer->setSingleShot(true);
    connect(m_switchTimer, &ClockTimer::timeout, this, &FleetPlayerLink::armSwitch);
    // agent -> player
    connect(m_endpoint, &PlayerEndpoint::connected, this, &FleetPlayerLink::onConnected);
    connect(m_endpoint, &PlayerEndpoint::messageReceived, this, &FleetPlayerLink::onMessage);
    // main window -> agent
    connect(m_widget, &Widget::sigNowPlaying, this,
            [this](const QString &display, const QString &window, const QString &item) {
                m_playing.insert(display + QLatin1Char('/') + window, item);
                // The new scheme shows on this screen: its still goes once the item is drawn.
                if (m_curtains.contains(display))
                    QTimer::singleShot(500, this, [this, display] { liftCurtain(display); });
                // Every item start of every window in one second goes out as one message.
                if (!m_playingQueued) {
                    m_playingQueued = true;
                    QTimer::singleShot(1000, this, &FleetPlayerLink::sendPlaying);
                }
            });
    connect(m_widget, &Widget::sigPlayEvent, this, &FleetPlayerLink::sendPlayEvent);
    connect(m_widget, &Widget::sigPlayResumed, this, [this](const QString &display, const QString &window) {
        m_endpoint->send(QJsonObject{{QStringLiteral("op"), QStringLiteral("playResumed")},
                                     {QStringLiteral("screen"), display},
                                     {QStringLiteral("window"), window}});
    });
}

FleetPlayerLink::~FleetPlayerLink()
{
    qDeleteAll(m_identifyLabels);
    qDeleteAll(m_curtains);
}

void FleetPlayerLink::start()
{
    m_endpoint->start(m_socketPath);
}

void FleetPlayerLink::sayBye()
{
    m_endpoint->send(QJsonObject{{QStringLiteral("op"), QStringLiteral("bye")}});
}

void FleetPlayerLink::onConnected()
{
    m_endpoint->send(QJsonObject{{QStringLiteral("op"), QStringLiteral("hello")},
                                 {QStringLiteral("pid"), qint64(::getpid())},
                                 {QStringLiteral("scheme"), m_widget->prodoc()->path()}});
    if (!m_playing.isEmpty())
        sendPlaying();
    for (const QJsonObject &event : qAsConst(m_unsentEvents))
        m_endpoint->send(event);
    m_unsentEvents.clear();
}

void FleetPlayerLink::sendPlayEvent(const PlayEvent &event)
{
    const QJsonObject message{{QStringLiteral("op"), QStringLiteral("playEvent")},
                              {QStringLiteral("utcMs"), event.utcMs},
                              {QStringLiteral("utcOffset"), event.utcOffset},
                              {QStringLiteral("screen"), event.screen},
                              {QStringLiteral("window"), event.window},
                              {QStringLiteral("item"), event.item},
                              {QStringLiteral("path"), event.path},
                              {QStringLiteral("kind"), event.kind},
                              {QStringLiteral("mended"), event.mended},
                              {QStringLiteral("detail"), event.detail}};
    if (m_endpoint->isConnected()) {
        m_endpoint->send(message);
        return;
    }
    m_unsentEvents.append(message);
    if (m_unsentEvents.size() > 20)
        m_unsentEvents.removeFirst();
}

void FleetPlayerLink::onMessage(const QJsonObject &message)
{
    const QString op = message.value(QStringLiteral("op")).toString();
    if (op == QLatin1String("switch") || op == QLatin1String("bundle"))
        learnBundle(message);
    if (op == QLatin1String("switch")) {
        m_pendingBundle = qint64(message.value(QStringLiteral("bundle")).toDouble());
        m_pendingScheme = message.value(QStringLiteral("scheme")).toString();
        m_pendingAt = qint64(message.value(QStringLiteral("at")).toDouble());
        armSwitch();
    } else if (op == QLatin1String("withdraw")) {
        // Its publish was cancelled before its time: the current scheme plays on.
        if (qint64(message.value(QStringLiteral("bundle")).toDouble()) == m_pendingBundle) {
            m_pendingBundle = 0;
            m_pendingScheme.clear();
            m_switchTimer->stop();
        }
    } else if (op == QLatin1String("screenshot")) {
        screenshot(message);
    } else if (op == QLatin1String("identify")) {
        identify(message.value(QStringLiteral("device")).toString(),
                 qBound(1, message.value(QStringLiteral("seconds")).toInt(10), 600));
    }
}

void FleetPlayerLink::learnBundle(const QJsonObject &message)
{
    const qint64 bundle = qint64(message.value(QStringLiteral("bundle")).toDouble());
    const QString folder = message.value(QStringLiteral("folder")).toString();
    if (bundle <= 0 || folder.isEmpty())
        return;
    QHash<QString, QString> hashes;
    const QJsonObject files = message.value(QStringLiteral("files")).toObject();
    for (auto it = files.begin(); it != files.end(); ++it)
        hashes.insert(it.key(), it.value().toString());
    PlayContentIndex::instance().addBundle(bundle, folder, hashes);
}

void FleetPlayerLink::armSwitch()
{
    if (m_pendingBundle == 0)
        return;
    const qint64 wait = m_pendingAt - Clock::current().msecsSinceEpoch();
    if (wait > 0) {
        // In pieces of at most a minute: a clock set meanwhile is followed.
        m_switchTimer->start(int(qMin<qint64>(wait, 60000)));
        return;
    }
    // The stills go up first and are drawn before the old screens are taken down.
    drawCurtains();
    QTimer::singleShot(m_curtains.isEmpty() ? 0 : 150, this, &FleetPlayerLink::switchNow);
}

void FleetPlayerLink::drawCurtains()
{
    QScreen *desktop = QGuiApplication::primaryScreen();
    if (!desktop)
        return;
    for (const QString &name : m_widget->playingDisplays()) {
        MainPlayBKLabel *screen = m_widget->screenOf(name);
        if (!screen || m_curtains.contains(name))
            continue;
        const QRect area = screen->frameGeometry();
        // From the screen, video included, as the operator's screenshot is taken.
        auto *curtain = new QLabel;
        curtain->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus);
        curtain->setAttribute(Qt::WA_ShowWithoutActivating);
        curtain->setPixmap(desktop->grabWindow(0, area.x(), area.y(), area.width(), area.height()));
        curtain->setGeometry(area);
        curtain->show();
        curtain->raise();
        m_curtains.insert(name, curtain);
    }
    // Screens the next scheme does not have, or that never start, are uncovered in any case.
    if (!m_curtains.isEmpty()) {
        QTimer::singleShot(5000, this, [this] {
            const QStringList names = m_curtains.keys();
            for (const QString &name : names)
                liftCurtain(name);
        });
    }
}

void FleetPlayerLink::liftCurtain(const QString &display)
{
    delete m_curtains.take(display);
}

void FleetPlayerLink::switchNow()
{
    const qint64 bundle = m_pendingBundle;
    const QString scheme = m_pendingScheme;
    m_pendingBundle = 0;
    if (bundle == 0) {
        // Withdrawn while the stills went up.
        const QStringList names = m_curtains.keys();
        for (const QString &name : names)
            liftCurtain(name);
        return;
    }
    auto refuse = [this, bundle](const QString &error) {
        // The old scheme plays on, seen again.
        const QStringList names = m_curtains.keys();
        for (const QString &name : names)
            liftCurtain(name);
        m_endpoint->send(QJsonObject{{QStringLiteral("op"), QStringLiteral("refused")},
                                     {QStringLiteral("bundle"), bundle},
                                     {QStringLiteral("error"), error}});
    };
    // Read once on its own first: a scheme that cannot be opened leaves the current play alone.
    SchemeReader reader;
    if (!reader.readFile(scheme)) {
        refuse(reader.errorString());
        return;
    }
    if (!m_widget->openSchemeFile(scheme, false)) {
        refuse(QStringLiteral("the scheme could not be opened"));
        return;
    }
    m_playing = QJsonObject();
    m_widget->slotStartLast();
    m_endpoint->send(QJsonObject{{QStringLiteral("op"), QStringLiteral("active")},
                                 {QStringLiteral("bundle"), bundle},
                                 {QStringLiteral("scheme"), scheme}});
}

void FleetPlayerLink::sendPlaying()
{
    m_playingQueued = false;
    QJsonArray windows;
    for (auto it = m_playing.constBegin(); it != m_playing.constEnd(); ++it)
        windows.append(
            QJsonObject{{QStringLiteral("window"), it.key()}, {QStringLiteral("item"), it.value()}});
    m_endpoint->send(
        QJsonObject{{QStringLiteral("op"), QStringLiteral("playing")}, {QStringLiteral("windows"), windows}});
}

void FleetPlayerLink::screenshot(const QJsonObject &message)
{
    // From the screen, not from the widgets: the video is drawn by OpenGL and a widget grab
    // would show it black.
    QRect area;
    for (const QString &name : m_widget->playingDisplays()) {
        if (MainPlayBKLabel *screen = m_widget->screenOf(name))
            area |= screen->frameGeometry();
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    QJsonObject reply{{QStringLiteral("op"), QStringLiteral("screenshot")},
                      {QStringLiteral("id"), message.value(QStringLiteral("id"))}};
    if (area.isEmpty() || !screen) {
        reply.insert(QStringLiteral("error"), QStringLiteral("no display window plays"));
        m_endpoint->send(reply);
        return;
    }
    // What lies off the desktop is on no screen and comes out black: the operator is told why.
    const QRect desktop = screen->virtualGeometry();
    if (!desktop.contains(area)) {
        reply.insert(
            QStringLiteral("warning"),
            QStringLiteral("the display windows (%1x%2 at %3,%4) lie partly outside the desktop (%5x%6)")
                .arg(area.width())
                .arg(area.height())
                .arg(area.x())
                .arg(area.y())
                .arg(desktop.width())
                .arg(desktop.height()));
    }
    QPixmap picture = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    // Large walls are sent at most 1920 pixels wide: enough to see what plays.
    if (picture.width() > 1920)
        picture = picture.scaledToWidth(1920, Qt::SmoothTransformation);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 80);
    reply.insert(QStringLiteral("jpeg"), QString::fromLatin1(jpeg.toBase64()));
    m_endpoint->send(reply);
}

void FleetPlayerLink::identify(const QString &device, int seconds)
{
    qDeleteAll(m_identifyLabels);
    m_identifyLabels.clear();
    for (const QString &display : m_widget->playingDisplays()) {
        MainPlayBKLabel *screen = m_widget->screenOf(display);
        if (!screen)
            continue;
        auto *label = new QLabel(device.isEmpty() ? display : device + QLatin1Char('\n') + display, screen);
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(QStringLiteral("background: rgba(0,0,0,170); color: white; font-size: 48px;"));
        label->setGeometry(screen->rect());
        label->show();
        label->raise();
        m_identifyLabels.append(label);
    }
    QTimer::singleShot(seconds * 1000, this, [this] {
        qDeleteAll(m_identifyLabels);
        m_identifyLabels.clear();
    });
}
