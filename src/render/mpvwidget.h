#pragma once

#include <QHash>
#include <QImage>
#include <QVariant>
#include <QWidget>

#include <atomic>
#include <memory>

struct mpv_handle;
struct mpv_render_context;
class QOpenGLContext;
class QOpenGLFramebufferObject;
class QWindow;

// A widget that owns one mpv player and shows its frames.
//
// The frames go to a native window of their own inside this widget, so that a frame costs
// what it costs a bare mpv: no second copy through Qt's compositing of the top-level window
// and no repaint of the widgets around it. With `hardDecode` mpv draws through its render API
// into that window's OpenGL surface and may decode in hardware; without, mpv embeds its own
// video output into the window and decodes in software. The render context exists from
// construction on, so a player can load and decode a file while it is hidden. A player that
// cannot start never throws: it logs why, draws nothing and reports isReady() == false, so one
// broken item cannot end a player that runs unattended.
class MpvWidget : public QWidget
{
    Q_OBJECT

public:
    explicit MpvWidget(bool hardDecode, QWidget *parent = nullptr, Qt::WindowFlags f = Qt::WindowFlags());
    ~MpvWidget() override;

    bool isReady() const { return m_handle != nullptr && m_errorText.isEmpty(); }
    QString errorText() const { return m_errorText; }
    bool usesRenderApi() const { return m_renderApi; }

    // mpv's command and property calls through the node conversion layer; they do
    // nothing when the player did not start. Both are asynchronous: this widget's thread
    // renders the frames, and a synchronous call from it can stall against mpv's video
    // thread (mpv only recovers from that with timeouts).
    void command(const QVariant &args);
    void setMpvProperty(const QString &name, const QVariant &value);
    // The last value mpv reported for an observed property ("path", "playlist-pos",
    // "playlist-count", "pause", "time-pos", "duration", "idle-active", "keepaspect",
    // "video-zoom", "video-rotate", "volume", "hwdec", "hwdec-current", "video-format",
    // "current-vo", "frame-drop-count", "decoder-frame-drop-count"); never blocks.
    QVariant observed(const QString &name) const { return m_observed.value(name); }

    // The current frame drawn at the widget's size (render API only; null otherwise).
    QImage grabFrame();

    QSize sizeHint() const override { return QSize(480, 270); }

signals:
    void sigSetVideoRange(float seconds);
    void sigProgressChange(float seconds);
    // mpv gave up on a file it was told to load (missing, not a video, no index, a stream
    // that does not answer): `path` as it was handed to loadfile, `reason` mpv's words.
    void sigFileFailed(const QString &path, const QString &reason);

public slots:
    void swapped();
    void on_mpv_events();
    void maybeUpdate();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fail(const QString &text);
    bool createRenderContext();
    void drawFrame();
    bool renderInto(unsigned int fbo, const QSize &size);
    void handleEvent(void *event);
    void send(const QString &property, const QVariant &value);
    static void onWakeup(void *ctx);
    static void onUpdate(void *ctx);

    std::shared_ptr<mpv_handle> m_handle;
    mpv_render_context *m_renderContext = nullptr;
    QWindow *m_surface = nullptr; // the native window the frames go to; owned by its container
    QWidget *m_container = nullptr; // holds m_surface and always covers this widget
    QOpenGLContext *m_context = nullptr;
    // Takes the frames while the surface is not on screen (a hidden page, a minimised
    // screen): mpv waits for each frame to be drawn before it moves on.
    std::unique_ptr<QOpenGLFramebufferObject> m_offscreen;
    std::atomic<bool> m_updateQueued{false};
    bool m_renderApi = true;
    QString m_hwdec; // what this player was last told to decode with
    QString m_errorText;
    QHash<QString, QVariant> m_observed;
    // mpv numbers its playlist entries in the order files are loaded, from 1: the paths of
    // the last few, to name the file an end-of-file error is about.
    qint64 m_lastEntryId = 0;
    QHash<qint64, QString> m_entryPaths;
};
