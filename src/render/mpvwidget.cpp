#include "mpvwidget.h"

#include "hardwaredecoding.h"
#include "mpvnode.h"

#include <QDebug>
#include <QEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QResizeEvent>
#include <QWindow>

#include <clocale>
#include <cmath>
#include <mpv/client.h>
#include <mpv/render_gl.h>

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

MpvWidget::MpvWidget(bool hardDecode, QWidget *parent, Qt::WindowFlags f)
    : QWidget(parent, f)
    , m_renderApi(hardDecode)
{
    // The frames' own native window. Clicks pass through it to the play window below, which
    // the operator drags and resizes in the editor; mpv's own X11 output never finishes
    // starting in a window that takes no input, so only the render API's surface is made so.
    m_surface = new QWindow;
    if (m_renderApi) {
        m_surface->setFlags(Qt::WindowTransparentForInput);
        m_surface->setSurfaceType(QSurface::OpenGLSurface);
    }
    m_surface->create();
    m_surface->installEventFilter(this);
    m_container = QWidget::createWindowContainer(m_surface, this);
    m_container->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_container->setGeometry(rect());

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
    mpv_set_option_string(mpv, "input-cursor", "no");
    mpv_set_option_string(mpv, "input-vo-keyboard", "no");
    mpv_set_option_string(mpv, "osc", "no");

    if (m_renderApi) {
        mpv_set_option_string(mpv, "vo", "libmpv");
        // Frames are drawn on the GUI thread. By default mpv hands a frame over 50 ms early
        // and then holds the draw until the frame's display time, so every frame kept the
        // thread for most of a frame period and the schedule's timers waited behind it (rows
        // and inserts began up to 80 ms late). With no offset mpv asks for the frame when it
        // is due and the draw takes only the drawing.
        mpv_set_option_string(mpv, "video-timing-offset", "0");
        m_hwdec = HardwareDecoding::choice();
    } else {
        const qint64 wid = qint64(m_surface->winId());
        mpv_set_option(mpv, "wid", MPV_FORMAT_INT64, const_cast<qint64 *>(&wid));
        m_hwdec = QStringLiteral("no");
    }
    mpv_set_option_string(mpv, "hwdec", m_hwdec.toUtf8().constData());
    applyEnvironmentOptions(mpv);

    if (mpv_initialize(mpv) < 0) {
        m_handle.reset();
        fail(QStringLiteral("could not initialize mpv context"));
        return;
    }
    mpv_request_log_messages(mpv, "info");
    mpv_observe_property(mpv, 0, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(mpv, 0, "time-pos", MPV_FORMAT_DOUBLE);
    for (const char *name : {"path", "playlist-pos", "playlist-count", "pause", "idle-active", "keepaspect",
                             "video-zoom", "video-rotate", "volume", "hwdec", "hwdec-current", "video-format",
                             "current-vo", "frame-drop-count", "decoder-frame-drop-count"})
        mpv_observe_property(mpv, 1, name, MPV_FORMAT_NODE);
    mpv_set_wakeup_callback(mpv, &MpvWidget::onWakeup, this);
    if (m_renderApi && !createRenderContext()) {
        m_handle.reset();
        fail(QStringLiteral("could not initialize OpenGL"));
    }
}

MpvWidget::~MpvWidget()
{
    if (m_handle)
        mpv_set_wakeup_callback(m_handle.get(), nullptr, nullptr);
    if (m_renderContext) {
        m_context->makeCurrent(m_surface);
        mpv_render_context_set_update_callback(m_renderContext, nullptr, nullptr);
        mpv_render_context_free(m_renderContext);
        m_renderContext = nullptr;
        m_offscreen.reset();
        m_context->doneCurrent();
    }
    // mpv's own video output lives in the surface, which goes with this widget's children.
    m_handle.reset();
}

bool MpvWidget::createRenderContext()
{
    m_context = new QOpenGLContext(this);
    m_context->setFormat(m_surface->requestedFormat());
    if (!m_context->create() || !m_context->makeCurrent(m_surface))
        return false;
    mpv_opengl_init_params glInit{&getProcAddress, nullptr};
    int advanced = 0;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
                                 {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
                                 {MPV_RENDER_PARAM_ADVANCED_CONTROL, &advanced},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    const bool created = mpv_render_context_create(&m_renderContext, m_handle.get(), params) >= 0;
    m_context->doneCurrent();
    if (!created) {
        m_renderContext = nullptr;
        return false;
    }
    mpv_render_context_set_update_callback(m_renderContext, &MpvWidget::onUpdate, this);
    return true;
}

void MpvWidget::fail(const QString &text)
{
    m_errorText = text;
    qWarning().noquote() << "video player:" << text;
}

void MpvWidget::send(const QString &property, const QVariant &value)
{
    MpvNodeBuilder node(value);
    if (property.isEmpty())
        mpv_command_node_async(m_handle.get(), 0, node.node());
    else
        mpv_set_property_async(m_handle.get(), 0, property.toUtf8().constData(), MPV_FORMAT_NODE,
                               node.node());
}

void MpvWidget::command(const QVariant &args)
{
    if (!isReady())
        return;
    // A file loaded after the first one settled the hardware decoding goes straight to the
    // answer instead of trying every decoder again.
    const bool load = args.toList().value(0).toString() == QLatin1String("loadfile");
    if (load) {
        m_entryPaths.insert(++m_lastEntryId, args.toList().value(1).toString());
        m_entryPaths.remove(m_lastEntryId - 16);
    }
    if (m_renderApi && load) {
        const QString hwdec = HardwareDecoding::choice();
        if (hwdec != m_hwdec) {
            m_hwdec = hwdec;
            send(QStringLiteral("hwdec"), hwdec);
        }
    }
    send(QString(), args);
}

void MpvWidget::setMpvProperty(const QString &name, const QVariant &value)
{
    if (isReady())
        send(name, value);
}

bool MpvWidget::renderInto(unsigned int fbo, const QSize &size)
{
    mpv_opengl_fbo target{int(fbo), size.width(), size.height(), 0};
    int flipY = 1;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &target},
                                 {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    return mpv_render_context_render(m_renderContext, params) >= 0;
}

void MpvWidget::drawFrame()
{
    if (!m_renderContext || !m_context->makeCurrent(m_surface))
        return;
    if (m_surface->isExposed()) {
        const qreal ratio = m_surface->devicePixelRatio();
        const QSize size(int(std::lround(m_surface->width() * ratio)),
                         int(std::lround(m_surface->height() * ratio)));
        renderInto(m_context->defaultFramebufferObject(), size);
        m_context->swapBuffers(m_surface);
        swapped();
    } else {
        // Nothing shows it, but mpv still waits for it; a stamp-sized target costs nothing.
        if (!m_offscreen)
            m_offscreen.reset(new QOpenGLFramebufferObject(16, 16));
        renderInto(m_offscreen->handle(), m_offscreen->size());
    }
    m_context->doneCurrent();
}

QImage MpvWidget::grabFrame()
{
    if (!m_renderContext || width() <= 0 || height() <= 0 || !m_context->makeCurrent(m_surface))
        return QImage();
    QOpenGLFramebufferObject target(size());
    renderInto(target.handle(), target.size());
    QImage frame = target.toImage();
    m_context->doneCurrent();
    return frame;
}

void MpvWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_container->setGeometry(rect());
}

bool MpvWidget::eventFilter(QObject *watched, QEvent *event)
{
    // A surface shown again (the next page, a screen restored) gets the frame it holds at
    // once, paused or not.
    if (watched == m_surface && event->type() == QEvent::Expose && m_surface->isExposed())
        drawFrame();
    return QWidget::eventFilter(watched, event);
}

void MpvWidget::swapped()
{
    if (m_renderContext)
        mpv_render_context_report_swap(m_renderContext);
}

void MpvWidget::maybeUpdate()
{
    m_updateQueued = false;
    if (m_renderContext && (mpv_render_context_update(m_renderContext) & MPV_RENDER_UPDATE_FRAME))
        drawFrame();
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
    if (event->event_id == MPV_EVENT_END_FILE) {
        auto *end = static_cast<mpv_event_end_file *>(event->data);
        if (end && end->reason == MPV_END_FILE_REASON_ERROR)
            emit sigFileFailed(m_entryPaths.value(end->playlist_entry_id),
                               QString::fromUtf8(mpv_error_string(end->error)));
        return;
    }
    if (event->event_id != MPV_EVENT_PROPERTY_CHANGE)
        return;
    auto *prop = static_cast<mpv_event_property *>(event->data);
    if (!prop)
        return;
    if (prop->format == MPV_FORMAT_NODE && prop->data) {
        const QString name = QString::fromUtf8(prop->name);
        m_observed.insert(name, mpvNodeToVariant(static_cast<mpv_node *>(prop->data)));
        if ((name == QLatin1String("hwdec-current") || name == QLatin1String("video-format")) &&
            m_hwdec == QLatin1String("auto"))
            HardwareDecoding::report(m_observed.value(QStringLiteral("video-format")).toString(),
                                     m_observed.value(QStringLiteral("hwdec-current")).toString());
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
    // One queued draw at a time: the draw takes whatever frame is newest by then.
    auto *self = static_cast<MpvWidget *>(ctx);
    if (!self->m_updateQueued.exchange(true))
        QMetaObject::invokeMethod(self, "maybeUpdate", Qt::QueuedConnection);
}
