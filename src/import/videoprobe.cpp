#include "videoprobe.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <clocale>
#include <cmath>
#include <cstring>
#include <memory>
#include <mpv/client.h>

namespace {
// libmpv refuses to start under a locale whose decimal separator is not a point; the player
// sets it for its own mpv, a tool may not have.
void useNumericC()
{
    const char *numeric = std::setlocale(LC_NUMERIC, nullptr);
    if (!numeric || std::strcmp(numeric, "C") != 0)
        std::setlocale(LC_NUMERIC, "C");
}
} // namespace

VideoProbe::Session::Session()
{
    useNumericC();
    m_mpv = mpv_create();
    if (!m_mpv)
        return;
    for (const auto &option :
         {std::make_pair("terminal", "no"), std::make_pair("config", "no"),
          std::make_pair("load-scripts", "no"), std::make_pair("vo", "null"), std::make_pair("ao", "null"),
          std::make_pair("idle", "yes"), std::make_pair("msg-level", "all=no")})
        mpv_set_option_string(m_mpv, option.first, option.second);
    mpv_initialize(m_mpv);
}

VideoProbe::Session::~Session()
{
    if (m_mpv)
        mpv_terminate_destroy(m_mpv);
}

VideoProbe::Result VideoProbe::probe(const QString &path, int timeoutMsecs)
{
    Result result;
    if (!QFileInfo(path).isFile()) {
        result.error = QStringLiteral("no such file");
        return result;
    }
    useNumericC();
    std::unique_ptr<mpv_handle, void (*)(mpv_handle *)> mpv(mpv_create(), mpv_terminate_destroy);
    if (!mpv) {
        result.error = QStringLiteral("could not create an mpv context");
        return result;
    }
    mpv_handle *h = mpv.get();
    // Nothing is shown or heard, and it stays paused: opening the file tells its duration.
    // (With no stream selected at all mpv would close the file before saying it is open.)
    for (const auto &option :
         {std::make_pair("terminal", "no"), std::make_pair("config", "no"),
          std::make_pair("load-scripts", "no"), std::make_pair("ytdl", "no"), std::make_pair("vo", "null"),
          std::make_pair("ao", "null"), std::make_pair("audio-fallback-to-null", "yes"),
          std::make_pair("hwdec", "no"), std::make_pair("sid", "no"), std::make_pair("pause", "yes"),
          std::make_pair("idle", "yes"), std::make_pair("msg-level", "all=no")})
        mpv_set_option_string(h, option.first, option.second);
    if (mpv_initialize(h) < 0) {
        result.error = QStringLiteral("could not initialize an mpv context");
        return result;
    }
    const QByteArray file = path.toUtf8();
    const char *command[] = {"loadfile", file.constData(), nullptr};
    if (mpv_command(h, command) < 0) {
        result.error = QStringLiteral("mpv refused the file");
        return result;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < timeoutMsecs) {
        const double wait = double(timeoutMsecs - elapsed.elapsed()) / 1000.0;
        const mpv_event *event = mpv_wait_event(h, qMax(0.0, wait));
        if (event->event_id == MPV_EVENT_FILE_LOADED) {
            result.opened = true;
            double seconds = 0;
            if (mpv_get_property(h, "duration", MPV_FORMAT_DOUBLE, &seconds) < 0 || !std::isfinite(seconds) ||
                seconds <= 0) {
                result.error = QStringLiteral("the file has no duration");
                return result;
            }
            result.ok = true;
            result.msecs = qint64(std::llround(seconds * 1000.0));
            return result;
        }
        if (event->event_id == MPV_EVENT_END_FILE) {
            const auto *end = static_cast<const mpv_event_end_file *>(event->data);
            result.error = end && end->reason == MPV_END_FILE_REASON_ERROR
                               ? QString::fromUtf8(mpv_error_string(end->error))
                               : QStringLiteral("mpv could not open the file");
            return result;
        }
        if (event->event_id == MPV_EVENT_SHUTDOWN)
            break;
    }
    result.error = QStringLiteral("no answer from mpv within %1 ms").arg(timeoutMsecs);
    return result;
}
