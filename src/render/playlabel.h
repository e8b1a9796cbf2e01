#pragma once

#include <QLabel>
#include <QString>

// The video and stream player of a play window. It takes the play window's requests (open,
// pause, continue, stop, seek, volume, rotation, scale) and keeps what was asked; the mpv
// player widget that carries them out comes with the video issue, so for now nothing is
// decoded or drawn and no progress is reported.
class PlayLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PlayLabel(QWidget *parent = nullptr);

    bool paused = false;
    int startSecond = 0; // seconds part of the clip start; 0 means no seek

    // What the player was last told, for the play window and its tests.
    QString openedFile() const { return m_file; }
    bool isOpen() const { return !m_file.isEmpty(); }
    int scaleType() const { return m_scale; }
    int rotation() const { return m_rotation; }
    int volume() const { return m_volume; }

signals:
    void sigProgressChange(float seconds);
    void sigSetVideoRange(float seconds);

public slots:
    void on_file_open(const QString &path);
    void on_file_Scale(int type);
    void on_file_close();
    void on_file_pause();
    void on_file_contiue();
    void on_file_volume(int volume);
    void video_rotate(int degrees);
    void on_file_seek(int seconds);
    void setSliderRange(float seconds);

private:
    QString m_file;
    int m_scale = -1;
    int m_rotation = 0;
    int m_volume = 100;
};
