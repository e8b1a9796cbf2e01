#pragma once

#include <QAudio>
#include <QAudioFormat>
#include <QLabel>
#include <QPointer>

class QAudioInput;
class QAudioOutput;
class QCamera;
class QCameraViewfinder;
class QIODevice;

// The camera renderer of a play window: the default camera in a viewfinder, and the default
// microphone played through the default output while the item shows. A machine without a
// camera or without sound devices shows the item's background (the play window's) and plays
// nothing; the item still ends after its length. start() and stop() may come in any order.
class VideoDeviceWindow : public QLabel
{
    Q_OBJECT

public:
    explicit VideoDeviceWindow(QWidget *parent = nullptr);
    ~VideoDeviceWindow() override;

    void start();
    void stop();
    bool isCapturing() const { return m_capturing; }
    bool hasCamera() const { return m_camera != nullptr; }
    bool passesSound() const { return m_inputDevice && m_outputDevice; }

    // 8000 Hz, one channel, 16-bit unsigned little-endian PCM.
    static QAudioFormat passThroughFormat();

public slots:
    void finishedPlaying(QAudio::State state);
    void readMore();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    bool startCamera();
    bool startSound();
    void stopSound();

    QAudioFormat m_format;
    QAudioInput *m_audioInput = nullptr;
    QCamera *m_camera = nullptr;
    QCameraViewfinder *m_viewfinder = nullptr;
    QAudioOutput *m_audioOutput = nullptr;
    QPointer<QIODevice> m_inputDevice;
    QPointer<QIODevice> m_outputDevice;
    bool m_capturing = false;
};
