#include "urlwin.h"

UrlWin::UrlWin(QWidget *parent)
    : QLabel(parent)
{
    setStyleSheet(QStringLiteral("background:transparent"));
}

bool UrlWin::setItem(int lengthMsecs, const QString &newAddress)
{
    length = lengthMsecs;
    address = newAddress;
    if (newAddress == m_loaded)
        return false;
    m_loaded = newAddress;
    m_loadedAsUrl = newAddress.contains(QLatin1String("http"));
    return true;
}

double UrlWin::zoomFor(int width)
{
    return width < 1240 ? double(width) / 1240.0 : 1.0;
}

void UrlWin::applyZoom()
{
    m_zoom = zoomFor(width());
}

void UrlWin::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    m_zoom = 0.5;
}
