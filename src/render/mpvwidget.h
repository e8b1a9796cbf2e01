#pragma once

#include <QHash>
#include <QOpenGLWidget>
#include <QVariant>

#include <memory>

struct mpv_handle;
struct mpv_render_context;

// An OpenGL widget that owns one mpv player and draws its frames.
//
// With "HardDecode" = 1 the frames are drawn through mpv's render API into this
// widget's framebuffer (hwdec=auto); with any other value mpv embeds its own video
// output into a native child window (hwdec=no). A player that cannot start never
// throws: it logs why, draws nothing and reports isReady() == false, so one broken
// item cannot end a player that runs unattended.
class MpvWidget : public QOpenGLWidget
{
    Q_OBJECT

public:
    explicit MpvWidget(QWidget *parent = nullptr, Qt::WindowFlags f = Qt::WindowFlags());
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
    // "video-zoom", "video-rotate", "volume", "hwdec", "hwdec-current", "current-vo",
    // "frame-drop-count", "decoder-frame-drop-count"); never blocks.
    QVariant observed(const QString &name) const { return m_observed.value(name); }

    QSize sizeHint() const override { return QSize(480, 270); }

signals:
    void sigSetVideoRange(float seconds);
    void sigProgressChange(float seconds);

public slots:
    void swapped();
    void on_mpv_events();
    void maybeUpdate();

protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fail(const QString &text);
    void handleEvent(void *event);
    static void onWakeup(void *ctx);
    static void onUpdate(void *ctx);

    std::shared_ptr<mpv_handle> m_handle;
    mpv_render_context *m_renderContext = nullptr;
    QWidget *m_embedSurface = nullptr; // the native child window mpv draws into without the render API
    bool m_renderApi = true;
    QString m_errorText;
    QHash<QString, QVariant> m_observed;
    // Requests made before the render context exists: a file loaded then would find no
    // video output and play without picture, so they wait for initializeGL().
    struct Pending
    {
        QString property; // empty: a command
        QVariant value;
    };
    QList<Pending> m_pending;
    bool waitingForRenderContext() const;
    void send(const Pending &request);
};
