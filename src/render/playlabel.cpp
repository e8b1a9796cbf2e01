#include "playlabel.h"

PlayLabel::PlayLabel(QWidget *parent)
    : QLabel(parent)
{
    setStyleSheet(QStringLiteral("background:black"));
}

void PlayLabel::on_file_open(const QString &path)
{
    m_file = path;
}

void PlayLabel::on_file_Scale(int type)
{
    if (type == 0 || type == 1)
        m_scale = type;
}

void PlayLabel::on_file_close()
{
    m_file.clear();
}

void PlayLabel::on_file_pause()
{
    paused = true;
}

void PlayLabel::on_file_contiue()
{
    paused = false;
}

void PlayLabel::on_file_volume(int volume)
{
    m_volume = volume;
}

void PlayLabel::video_rotate(int degrees)
{
    m_rotation = degrees;
}

void PlayLabel::on_file_seek(int seconds)
{
    Q_UNUSED(seconds)
}

void PlayLabel::setSliderRange(float seconds)
{
    emit sigSetVideoRange(seconds);
    if (startSecond != 0)
        on_file_seek(startSecond);
}
