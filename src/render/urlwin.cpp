#include "urlwin.h"

#include <QDebug>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

UrlWin::UrlWin(QWidget *parent)
    : QLabel(parent)
{
    setStyleSheet(QStringLiteral("background:transparent"));
    m_label = new QLabel(this);
    m_label->setStyleSheet(QStringLiteral("background:transparent"));
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
    ensureView();
    if (newAddress == m_loaded && !m_rendererGone)
        return false;
    if (m_rendererGone)
        qInfo().noquote() << "web page" << newAddress << "is loaded again after its renderer process ended";
    m_rendererGone = false;
    m_loaded = newAddress;
    m_loadedAsUrl = isUrlAddress(newAddress);
    load();
    return true;
}

void UrlWin::ensureView()
{
    if (m_view)
        return;
    m_view = new QWebEngineView(this);
    m_view->setGeometry(rect());
    m_view->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    QWebEnginePage *page = m_view->page();
    connect(page, &QWebEnginePage::loadFinished, this, &UrlWin::pageLoaded);
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                // The view stays blank until the page is loaded again, at its next showing.
                m_rendererGone = true;
                qWarning().noquote() << "web page renderer process ended (status" << int(status)
                                     << "exit code" << exitCode << ") for" << m_loaded;
            });
    m_view->show();
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
