#pragma once

#include <QLabel>
#include <QString>
#include <QUrl>

class ClockTimer;
class QWebEngineProfile;
class QWebEngineView;

// The web-page renderer of a play window: a web view over the window, made when the first
// web item shows (each view costs a renderer process), loading an address only when it
// differs from the page shown or when the renderer process of that page has ended. A renderer
// that ends while its page is on show is replaced at once by loading the page again; one that
// ends again soon after is given 5, 10, 20 ... at most 60 s before the next try, so that a page
// that kills its renderer does not keep a core busy.
class UrlWin : public QLabel
{
    Q_OBJECT

public:
    explicit UrlWin(QWidget *parent = nullptr);

    // Stores the item's length, address, transparency (0..10) and show position, and loads
    // the address when needed; true when a load was started.
    bool setItem(int lengthMsecs, const QString &address, int transparency = 10, const QPoint &position = {});
    // Zoom for a renderer of this width: width / 1240 below 1240, else 1.
    static double zoomFor(int width);
    // What an address opens: a URL when it starts with http://, https:// or file:// (any
    // case), otherwise a file of this machine.
    static QUrl targetOf(const QString &address);
    static bool isUrlAddress(const QString &address);
    void applyZoom();

    int length = -1;
    QString address;
    QString loadedAddress() const { return m_loaded; }
    bool loadedAsUrl() const { return m_loadedAsUrl; }
    double zoomFactor() const { return m_zoom; }
    // nullptr until a web item has shown.
    QWebEngineView *view() const { return m_view; }
    // Loads started since the renderer was made.
    int loadCount() const { return m_loads; }
    // The profile web views are made with: it keeps its data in Lumora's data and cache folders.
    static QWebEngineProfile *profile();

signals:
    // The renderer process of the page at `address` ended; `mended`: the page is loaded again
    // (now, or at its next showing when it is not on show).
    void rendererDied(const QString &address, const QString &detail, bool mended);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void ensureView();
    void load();
    void pageLoaded(bool ok);
    void setViewZoom();
    void rendererEnded(int status, int exitCode);
    void revive();

    QLabel *m_label = nullptr;
    QWebEngineView *m_view = nullptr;
    QString m_loaded;
    bool m_loadedAsUrl = false;
    bool m_rendererGone = false;
    double m_zoom = 0.5;
    int m_transparency = 10;
    QPoint m_position;
    int m_loads = 0;
    // Replacing a renderer that keeps ending: when the last one was started, how many in a
    // row ended soon after, and the timer of the next try.
    qint64 m_revivedAt = -1;
    int m_quickDeaths = 0;
    ClockTimer *m_reviveTimer = nullptr;
};
