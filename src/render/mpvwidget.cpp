#include "mpvwidget.h"

#include "mpvnode.h"
#include "settings.h"

#include <QDebug>
#include <QOpenGLContext>
#include <QResizeEvent>

#include <clocale>
#include <cmath>
#include <mpv/client.h>
#include <mpv/render_gl.h>
#include <utility>

namespace {

void *getProcAddress(void *, const char *name)
{
    QOpenGLContext *glctx = QOpenGLContext::currentContext();
    return glctx ? reinterpret_cast<void *>(glctx->getProcAddress(QByteArray(name))) : nullptr;
}

// Extra options for a particular machine (a video output, an audio device),
// "name=value" pairs separated by commas; applied after the program's own.
void applyEnvironmentOptions(mpv_handle *mpv)
{
    const QString extra = QString::fromLocal8Bit(qgetenv("LUMORA_MPV_OPTIONS"));
    for (const QString &pair : extra.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        mpv_set_option_string(mpv, pair.left(eq).trimmed().toUtf8().constData(),
                              pair.mid(eq + 1).trimmed().toUtf8().constData());
    }
}

} // namespace

MpvWidget::MpvWidget(QWidget *parent, Qt::WindowFlags f)
    : QOpenGLWidget(parent, f)
{
    // mpv refuses to start under a locale whose decimal separator is not a point.
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle *mpv = mpv_create();
    if (!mpv) {
        fail(QStringLiteral("could not create mpv context"));
        return;
    }
    m_handle.reset(mpv, [](mpv_handle *h) { mpv_terminate_destroy(h); });

    mpv_set_option_string(mpv, "terminal", "no");
    mpv_set_option_string(mpv, "msg-level", "all=warn");
    // A signage PC without a sound card must still play its videos.
    mpv_set_option_string(mpv, "audio-fallback-to-null", "yes");
    mpv_set_option_string(mpv, "idle", "yes");
    mpv_set_option_string(mpv, "keep-open", "no");
    mpv_set_option_string(mpv, "prefetch-playlist", "yes");
    mpv_set_option_string(mpv, "input-default-bindings", "no");
    mpv_set_option_string(mpv, "osc", "no");

    m_renderApi = appSettings().hardDecode == 1;
    if (m_renderApi) {
        mpv_set_option_string(mpv, "vo", "libmpv");
        mpv_set_option_string(mpv, "hwdec", "auto");
    } else {
        m_embedSurface = new QWidget(this);
        m_embedSurface->setAttribute(Qt::WA_NativeWindow);
        m_embedSurface->setAttribute(Qt::WA_DontCreateNativeAncestors);
        m_embedSurface->setGeometry(rect());
        const qint64 wid = qint64(m_embedSurface->winId());
        mpv_set_option(mpv, "wid", MPV_FORMAT_INT64, const_cast<qint64 *>(&wid));
        mpv_set_option_string(mpv, "hwdec", "no");
    }
    applyEnvironmentOptions(mpv);

    if (mpv_initialize(mpv) < 0) {
        m_handle.reset();
        fail(QStringLiteral("could not initialize mpv context"));
        return;
    }
    mpv_request_log_messages(mpv, "info");
    connect(this, &QOpenGLWidget::frameSwapped, this, &MpvWidget::swapped);
    mpv_observe_property(mpv, 0, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(mpv, 0, "time-pos", MPV_FORMAT_DOUBLE);
    for (const char *name : {"path", "playlist-pos", "playlist-count", "pause", "idle-active", "keepaspect",
                             "video-zoom", "video-rotate", "volume", "hwdec", "hwdec-current", "current-vo",
                             "frame-drop-count", "decoder-frame-drop-count"})
        mpv_observe_property(mpv, 1, name, MPV_FORMAT_NODE);
    mpv_set_wakeup_callback(mpv, &MpvWidget::onWakeup, this);
}

MpvWidget::~MpvWidget()
{
    if (m_handle)
        mpv_set_wakeup_callback(m_handle.get(), nullptr, nullptr);
    if (m_renderContext) {
        makeCurrent();
        mpv_render_context_set_update_callback(m_renderContext, nullptr, nullptr);
        mpv_render_context_free(m_renderContext);
        m_renderContext = nullptr;
        doneCurrent();
    }
    m_handle.reset();
}

void MpvWidget::fail(const QString &text)
{
    m_errorText = text;
    qWarning().noquote() << "video player:" << text;
}

bool MpvWidget::waitingForRenderContext() const
{
    return m_handle && m_renderApi && !m_renderContext && m_errorText.isEmpty();
}

void MpvWidget::send(const Pending &request)
{
    MpvNodeBuilder node(request.value);
    if (request.property.isEmpty())
        mpv_command_node_async(m_handle.get(), 0, node.node());
    else
        mpv_set_property_async(m_handle.get(), 0, request.property.toUtf8().constData(), MPV_FORMAT_NODE,
                               node.node());
}

void MpvWidget::command(const QVariant &args)
{
    if (!m_handle)
        return;
    if (waitingForRenderContext()) {
        // Only the latest file matters to a player that has not drawn yet.
        const QString verb = args.toList().value(0).toString();
        if (verb == QLatin1String("stop") || args.toList().value(2).toString() == QLatin1String("replace"))
            m_pending.clear();
        m_pending.append({QString(), args});
        return;
    }
    send({QString(), args});
}

void MpvWidget::setMpvProperty(const QString &name, const QVariant &value)
{
    if (!m_handle)
        return;
    if (waitingForRenderContext()) {
        m_pending.append({name, value});
        return;
    }
    send({name, value});
}

void MpvWidget::initializeGL()
{
    if (!m_handle || !m_renderApi || m_renderContext)
        return;
    mpv_opengl_init_params glInit{&getProcAddress, nullptr};
    int advanced = 0;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
                                 {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
                                 {MPV_RENDER_PARAM_ADVANCED_CONTROL, &advanced},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_create(&m_renderContext, m_handle.get(), params) < 0) {
        m_renderContext = nullptr;
        m_pending.clear();
        fail(QStringLiteral("could not initialize OpenGL"));
        return;
    }
    mpv_render_context_set_update_callback(m_renderContext, &MpvWidget::onUpdate, this);
    const QList<Pending> pending = std::exchange(m_pending, {});
    for (const Pending &request : pending)
        send(request);
}

void MpvWidget::paintGL()
{
    if (!m_renderContext)
        return;
    const qreal ratio = devicePixelRatioF();
    mpv_opengl_fbo fbo{int(defaultFramebufferObject()), int(std::lround(width() * ratio)),
                       int(std::lround(height() * ratio)), 0};
    int flipY = 1;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                 {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(m_renderContext, params);
}

void MpvWidget::resizeEvent(QResizeEvent *event)
{
    QOpenGLWidget::resizeEvent(event);
    if (m_embedSurface)
        m_embedSurface->setGeometry(rect());
}

void MpvWidget::swapped()
{
    if (m_renderContext)
        mpv_render_context_report_swap(m_renderContext);
}

void MpvWidget::maybeUpdate()
{
    if (!m_renderContext)
        return;
    // A minimised window gets no paint events, but mpv still waits for its frames.
    if (window()->isMinimized()) {
        makeCurrent();
        paintGL();
        context()->swapBuffers(context()->surface());
        swapped();
        doneCurrent();
    } else {
        update();
    }
}

void MpvWidget::on_mpv_events()
{
    if (!m_handle)
        return;
    for (;;) {
        mpv_event *event = mpv_wait_event(m_handle.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(event);
    }
}

void MpvWidget::handleEvent(void *raw)
{
    auto *event = static_cast<mpv_event *>(raw);
    if (event->event_id == MPV_EVENT_LOG_MESSAGE) {
        auto *msg = static_cast<mpv_event_log_message *>(event->data);
        if (msg && msg->log_level <= MPV_LOG_LEVEL_WARN)
            qWarning().noquote() << "mpv:" << QString::fromUtf8(msg->text).trimmed();
        return;
    }
    if (event->event_id != MPV_EVENT_PROPERTY_CHANGE)
        return;
    auto *prop = static_cast<mpv_event_property *>(event->data);
    if (!prop)
        return;
    if (prop->format == MPV_FORMAT_NODE && prop->data) {
        m_observed.insert(QString::fromUtf8(prop->name),
                          mpvNodeToVariant(static_cast<mpv_node *>(prop->data)));
        return;
    }
    if (prop->format == MPV_FORMAT_NONE) {
        m_observed.remove(QString::fromUtf8(prop->name));
        return;
    }
    if (prop->format != MPV_FORMAT_DOUBLE || !prop->data)
        return;
    const double value = *static_cast<double *>(prop->data);
    m_observed.insert(QString::fromUtf8(prop->name), value);
    if (qstrcmp(prop->name, "time-pos") == 0)
        emit sigProgressChange(float(std::trunc(value)));
    else if (qstrcmp(prop->name, "duration") == 0)
        emit sigSetVideoRange(float(value));
}

void MpvWidget::onWakeup(void *ctx)
{
    // Called on mpv's threads: only post to the GUI thread.
    QMetaObject::invokeMethod(static_cast<MpvWidget *>(ctx), "on_mpv_events", Qt::QueuedConnection);
}

void MpvWidget::onUpdate(void *ctx)
{
    QMetaObject::invokeMethod(static_cast<MpvWidget *>(ctx), "maybeUpdate", Qt::QueuedConnection);
}
