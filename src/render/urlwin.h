#pragma once

#include <QLabel>
#include <QString>

// The web-page renderer of a play window. It keeps the item's length and address and decides
// when the page must be loaded again and at which zoom; the web view that shows the page
// comes with the web issue, so nothing is fetched yet.
class UrlWin : public QLabel
{
    Q_OBJECT

public:
    explicit UrlWin(QWidget *parent = nullptr);

    // Stores the item's length and address; true when the address differs from the page
    // now loaded, which then becomes the loaded one.
    bool setItem(int lengthMsecs, const QString &address);
    // Zoom for a renderer of this width: width / 1240 below 1240, else 1.
    static double zoomFor(int width);
    void applyZoom();

    int length = -1;
    QString address;
    QString loadedAddress() const { return m_loaded; }
    bool loadedAsUrl() const { return m_loadedAsUrl; }
    double zoomFactor() const { return m_zoom; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QString m_loaded;
    bool m_loadedAsUrl = false;
    double m_zoom = 0.5;
};
