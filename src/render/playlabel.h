#pragma once

#include <QLabel>
#include <QSet>
#include <QString>

class MpvWidget;

// The video and stream player of a play window: turns the play window's requests (open,
// pause, continue, stop, seek, volume, rotation, scale) into mpv commands and properties
// on the MpvWidget it holds.
//
// The mpv player is created on first use, so play windows that never show a video cost
// nothing; the headless simulation turns decoding off altogether and the label then only
// keeps what it was asked.
class PlayLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PlayLabel(QWidget *parent = nullptr);
    ~PlayLabel() override;

    static void setDecodingEnabled(bool enabled);
    static bool decodingEnabled();

    // The "HardDecode" choice of the screen this player is on (see MpvWidget); it takes
    // effect when the player is created.
    void setHardDecode(bool hardDecode) { m_hardDecode = hardDecode; }

    bool paused = false;
    int startSecond = 0; // seconds part of the clip start; 0 means no seek

    // Hands the player the file that will follow the current one, so that the switch
    // happens inside mpv without the player going idle (no frame of background between
    // two videos). A later on_file_open() of the same path steps to it.
    void queueNext(const QString &path);

    // Creates the player and loads `path` paused on its first frame, or on `startSecond`
    // when that is not 0, while nothing shows it, so that a later on_file_open() of the same
    // path starts at once and shows no frame of background. Nothing happens while a file is
    // open.
    void prepare(const QString &path, int startSecond);
    QString preparedFile() const { return m_prepared; }

    // What the player was last told, for the play window and its tests.
    QString openedFile() const { return m_file; }
    QString queuedFile() const { return m_queued; }
    bool isOpen() const { return !m_file.isEmpty(); }
    int scaleType() const { return m_scale; }
    int rotation() const { return m_rotation; }
    int volume() const { return m_volume; }
    MpvWidget *mpvWidget() const { return m_mpv; }

    // Loads the open file again from its start (a stream that stopped, a decoder that hangs),
    // keeping the file lined up behind it; false when nothing is open.
    bool reload();

signals:
    void sigProgressChange(float seconds);
    void sigSetVideoRange(float seconds);
    // The player could not open or decode `path` (see MpvWidget::sigFileFailed), or could not
    // start at all.
    void sigFileFailed(const QString &path, const QString &reason);

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

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    MpvWidget *player();
    void setOption(const QString &name, const QString &value);

    MpvWidget *m_mpv = nullptr;
    QString m_file;
    QString m_queued;
    QString m_prepared;
    QSet<QString> m_failed;
    bool m_hardDecode = true;
    int m_scale = -1;
    int m_rotation = 0;
    int m_volume = 100;
};
