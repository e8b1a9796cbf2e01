#include "urlwin.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "headless.h"
#include "platform/applocations.h"
#include "player/videostallwatch.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

UrlWin::UrlWin(QWidget *parent)
    : QLabel(parent)
{
    setStyleSheet(QStringLiteral("background:transparent"));
    m_label = new QLabel(this);
    m_label->setStyleSheet(QStringLiteral("background:transparent"));
    m_reviveTimer = Clock::current().createTimer(this);
    m_reviveTimer->setSingleShot(true);
    connect(m_reviveTimer, &ClockTimer::timeout, this, &UrlWin::revive);
}

bool UrlWin::isUrlAddress(const QString &address)
{
    const QString a = address.trimmed();
    for (const char *scheme : {"http://", "https://", "file://"}) {
        if (a.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QUrl UrlWin::targetOf(const QString &address)
{
    return isUrlAddress(address) ? QUrl(address.trimmed()) : QUrl::fromLocalFile(address.trimmed());
}

void UrlWin::setViewZoom()
{
    // The view takes nothing outside 0.25 .. 5.
    if (m_view)
        m_view->setZoomFactor(qBound(0.25, m_zoom, 5.0));
}

bool UrlWin::setItem(int lengthMsecs, const QString &newAddress, int transparency, const QPoint &position)
{
    length = lengthMsecs;
    address = newAddress;
    m_transparency = qBound(0, transparency, 10);
    m_position = position;
    // Nobody sees a simulation's pages, and simulating a day must not fetch the scheme's pages
    // from their servers: the item's length is all it needs.
    if (Headless::active())
        return false;
    ensureView();
    if (newAddress == m_loaded && !m_rendererGone)
        return false;
    if (m_rendererGone) {
        qInfo().noquote() << "web page" << newAddress << "is loaded again after its renderer process ended";
        m_revivedAt = Clock::current().steadyMsecs();
    }
    m_rendererGone = false;
    m_loaded = newAddress;
    m_loadedAsUrl = isUrlAddress(newAddress);
    load();
    return true;
}

QWebEngineProfile *UrlWin::profile()
{
    // The web engine would keep cookies, storage and its cache under the program's name
    // (~/.local/share/LumoraPlayer, ~/.cache/LumoraPlayer), beside Lumora's folders and, for a
    // portable folder, outside it: they go where the rest of what Lumora writes goes.
    static QWebEngineProfile *const placed = [] {
        QWebEngineProfile *profile = QWebEngineProfile::defaultProfile();
        const QString folder = QStringLiteral("/QtWebEngine/") + QCoreApplication::applicationName();
        profile->setPersistentStoragePath(AppLocations::stateDirectory() + folder);
        profile->setCachePath(AppLocations::cacheDirectory() + folder);
        return profile;
    }();
    return placed;
}

void UrlWin::ensureView()
{
    if (m_view)
        return;
    m_view = new QWebEngineView(this);
    m_view->setPage(new QWebEnginePage(profile(), m_view));
    m_view->setGeometry(rect());
    m_view->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    QWebEnginePage *page = m_view->page();
    connect(page, &QWebEnginePage::loadFinished, this, &UrlWin::pageLoaded);
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                rendererEnded(int(status), exitCode);
            });
    m_view->show();
}

void UrlWin::rendererEnded(int status, int exitCode)
{
    // The view stays blank until the page is loaded again.
    m_rendererGone = true;
    const char *how = status == QWebEnginePage::KilledTerminationStatus     ? "killed"
                      : status == QWebEnginePage::CrashedTerminationStatus  ? "crashed"
                      : status == QWebEnginePage::AbnormalTerminationStatus ? "ended abnormally"
                                                                            : "ended";
    QString detail =
        QStringLiteral("renderer process %1 (exit code %2)").arg(QLatin1String(how)).arg(exitCode);
    const qint64 now = Clock::current().steadyMsecs();
    // A renderer that lived a minute was no quick death: the back-off starts over.
    if (m_revivedAt < 0 || now - m_revivedAt > VideoStallWatch::LongestWaitMsecs)
        m_quickDeaths = 0;
    else
        ++m_quickDeaths;
    bool mended = true;
    if (!isVisible()) {
        detail += QStringLiteral("; the page is loaded again at its next showing");
    } else if (m_quickDeaths == 0) {
        detail += QStringLiteral("; the page was loaded again");
        revive();
    } else {
        const qint64 wait = VideoStallWatch::backoffMsecs(m_quickDeaths);
        detail += QStringLiteral(
                      "; it ended %1 times in a row soon after starting, the page is loaded again in %2 s")
                      .arg(m_quickDeaths + 1)
                      .arg(wait / 1000);
        mended = false;
        m_reviveTimer->start(int(wait));
    }
    qWarning().noquote() << "web page" << m_loaded << detail;
    emit rendererDied(m_loaded, detail, mended);
}

void UrlWin::revive()
{
    if (!m_view || !m_rendererGone || !isVisible())
        return;
    m_rendererGone = false;
    m_revivedAt = Clock::current().steadyMsecs();
    load();
}

void UrlWin::load()
{
    ++m_loads;
    // Below full opacity the page is laid over the play window's background.
    m_view->page()->setBackgroundColor(m_transparency < 10 ? Qt::transparent : Qt::white);
    m_view->load(targetOf(m_loaded));
    setViewZoom();
}

void UrlWin::pageLoaded(bool ok)
{
    if (!ok || !m_view)
        return;
    // The page's own zoom may be reset by navigation; the renderer's rule holds.
    setViewZoom();
    QString script;
    if (m_transparency < 10)
        script += QStringLiteral("document.documentElement.style.opacity='%1';").arg(m_transparency / 10.0);
    if (!m_position.isNull())
        script += QStringLiteral("window.scrollTo(%1,%2);").arg(m_position.x()).arg(m_position.y());
    if (!script.isEmpty())
        m_view->page()->runJavaScript(script);
}

double UrlWin::zoomFor(int width)
{
    return width < 1240 ? double(width) / 1240.0 : 1.0;
}

void UrlWin::applyZoom()
{
    m_zoom = zoomFor(width());
    setViewZoom();
}

void UrlWin::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    m_label->setGeometry(rect());
    if (m_view)
        m_view->setGeometry(rect());
    m_zoom = 0.5;
    setViewZoom();
}

void UrlWin::showEvent(QShowEvent *event)
{
    QLabel::showEvent(event);
    if (!m_view)
        return;
    m_view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Active);
    m_view->page()->setAudioMuted(false);
}

void UrlWin::hideEvent(QHideEvent *event)
{
    QLabel::hideEvent(event);
    // The page stays loaded for its next showing, but is not heard in between, and its
    // scripts and animations are frozen: a page left running costs most of a core for as long
    // as the player runs. The view is hidden after this widget, and only a hidden page freezes.
    if (!m_view)
        return;
    m_view->page()->setAudioMuted(true);
    QTimer::singleShot(0, this, [this] {
        if (m_view && !isVisible() && m_view->page()->lifecycleState() == QWebEnginePage::LifecycleState::Active)
            m_view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Frozen);
    });
}
