#include "playlabel.h"

#include "mpvwidget.h"

#include <QResizeEvent>

namespace {
bool g_decodingEnabled = true;
}

PlayLabel::PlayLabel(QWidget *parent)
    : QLabel(parent)
{
    setStyleSheet(QStringLiteral("background:black"));
}

PlayLabel::~PlayLabel() = default;

void PlayLabel::setDecodingEnabled(bool enabled)
{
    g_decodingEnabled = enabled;
}

bool PlayLabel::decodingEnabled()
{
    return g_decodingEnabled;
}

MpvWidget *PlayLabel::player()
{
    if (!m_mpv && g_decodingEnabled) {
        m_mpv = new MpvWidget(m_hardDecode, this);
        m_mpv->setGeometry(rect());
        m_mpv->show();
        connect(m_mpv, &MpvWidget::sigProgressChange, this, &PlayLabel::sigProgressChange);
        connect(m_mpv, &MpvWidget::sigSetVideoRange, this, &PlayLabel::setSliderRange);
        connect(m_mpv, &MpvWidget::sigFileFailed, this, [this](const QString &path, const QString &reason) {
            // Remembered so that a file that failed while it was only prepared or queued fails
            // again, for the item that shows it, when that item opens it.
            m_failed.insert(path);
            if (m_failed.size() > 64)
                m_failed.erase(m_failed.begin());
            emit sigFileFailed(path, reason);
        });
        if (m_scale >= 0)
            on_file_Scale(m_scale);
    }
    return m_mpv && m_mpv->isReady() ? m_mpv : nullptr;
}

void PlayLabel::setOption(const QString &name, const QString &value)
{
    if (MpvWidget *mpv = player())
        mpv->setMpvProperty(name, value);
}

void PlayLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (m_mpv)
        m_mpv->setGeometry(rect());
}

void PlayLabel::queueNext(const QString &path)
{
    MpvWidget *mpv = player();
    if (!mpv || path.isEmpty())
        return;
    // Keep only the file on screen, then line up the next one; mpv prefetches it.
    mpv->command(QStringList{QStringLiteral("playlist-clear")});
    mpv->command(QStringList{QStringLiteral("loadfile"), path, QStringLiteral("append")});
    m_queued = path;
}

void PlayLabel::prepare(const QString &path, int startSecond)
{
    if (path.isEmpty() || isOpen() || path == m_prepared)
        return;
    MpvWidget *mpv = player();
    if (!mpv)
        return;
    m_prepared = path;
    m_queued.clear();
    this->startSecond = startSecond;
    // Paused before the load, so that mpv stops on the first frame it decodes.
    paused = true;
    mpv->setMpvProperty(QStringLiteral("pause"), QStringLiteral("yes"));
    mpv->command(QStringList{QStringLiteral("loadfile"), path, QStringLiteral("replace")});
    mpv->command(QStringList{QStringLiteral("playlist-clear")});
}

void PlayLabel::on_file_open(const QString &path)
{
    const QString previous = m_file;
    m_file = path;
    MpvWidget *mpv = player();
    if (!mpv) {
        if (g_decodingEnabled)
            emit sigFileFailed(path, m_mpv ? m_mpv->errorText() : QStringLiteral("no player"));
        return;
    }
    if (m_failed.remove(path)) {
        m_prepared.clear();
        m_queued.clear();
    }
    if (!m_prepared.isEmpty()) {
        const bool ready = m_prepared == path;
        m_prepared.clear();
        // Already loaded and waiting on its first frame: on_file_contiue() starts it.
        if (ready)
            return;
    }
    // An idle player (the file before it failed, or ended before its time was up) never
    // starts the entry lined up behind it: that one is loaded afresh.
    if (!m_queued.isEmpty() && m_queued == path && !mpv->observed(QStringLiteral("idle-active")).toBool() &&
        !m_failed.contains(previous)) {
        m_queued.clear();
        // Step to the prefetched file unless mpv already moved on to it by itself; a
        // plain (weak) playlist-next does nothing when it is already the last entry.
        if (mpv->observed(QStringLiteral("path")).toString() != path)
            mpv->command(QStringList{QStringLiteral("playlist-next")});
        mpv->command(QStringList{QStringLiteral("playlist-clear")});
        return;
    }
    m_queued.clear();
    mpv->command(QStringList{QStringLiteral("loadfile"), path, QStringLiteral("replace")});
    mpv->command(QStringList{QStringLiteral("playlist-clear")});
}

bool PlayLabel::reload()
{
    MpvWidget *mpv = m_mpv && m_mpv->isReady() ? m_mpv : nullptr;
    if (!mpv || m_file.isEmpty())
        return false;
    m_prepared.clear();
    mpv->command(QStringList{QStringLiteral("loadfile"), m_file, QStringLiteral("replace")});
    mpv->command(QStringList{QStringLiteral("playlist-clear")});
    if (!m_queued.isEmpty())
        mpv->command(QStringList{QStringLiteral("loadfile"), m_queued, QStringLiteral("append")});
    mpv->setMpvProperty(QStringLiteral("pause"), paused ? QStringLiteral("yes") : QStringLiteral("no"));
    return true;
}

void PlayLabel::on_file_Scale(int type)
{
    // mpv reads "video-zoom" as a power of two, so a zoom of 20 would magnify a
    // million times. Fill stretches the video over the whole window, as a picture's
    // Fill does; Original Scale keeps its aspect ratio.
    if (type != 0 && type != 1)
        return;
    m_scale = type;
    if (!m_mpv)
        return;
    setOption(QStringLiteral("keepaspect"), type == 0 ? QStringLiteral("no") : QStringLiteral("yes"));
    setOption(QStringLiteral("video-zoom"), QStringLiteral("0"));
}

void PlayLabel::on_file_close()
{
    m_file.clear();
    m_queued.clear();
    m_prepared.clear();
    if (m_mpv && m_mpv->isReady())
        m_mpv->command(QStringList{QStringLiteral("stop")});
}

void PlayLabel::on_file_pause()
{
    paused = true;
    if (m_mpv)
        setOption(QStringLiteral("pause"), QStringLiteral("yes"));
}

void PlayLabel::on_file_contiue()
{
    paused = false;
    if (m_mpv)
        setOption(QStringLiteral("pause"), QStringLiteral("no"));
}

void PlayLabel::on_file_volume(int volume)
{
    m_volume = volume;
    setOption(QStringLiteral("volume"), QString::number(volume));
}

void PlayLabel::video_rotate(int degrees)
{
    m_rotation = degrees;
    setOption(QStringLiteral("video-rotate"), QString::number(degrees));
}

void PlayLabel::on_file_seek(int seconds)
{
    if (MpvWidget *mpv = player())
        mpv->command(
            QStringList{QStringLiteral("seek"), QString::number(seconds), QStringLiteral("absolute")});
}

void PlayLabel::setSliderRange(float seconds)
{
    emit sigSetVideoRange(seconds);
    if (startSecond != 0)
        on_file_seek(startSecond);
}
