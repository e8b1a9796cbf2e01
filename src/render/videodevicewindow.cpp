#include "videodevicewindow.h"

#include <QAudioDeviceInfo>
#include <QAudioInput>
#include <QAudioOutput>
#include <QCamera>
#include <QCameraInfo>
#include <QCameraViewfinder>
#include <QDebug>

namespace {
constexpr qint64 ReadChunkBytes = 2048;

// What was last said about missing devices: an operator's log must not fill with the same
// line at every showing, but hears when it changes.
QString lastMissingReport;
} // namespace

VideoDeviceWindow::VideoDeviceWindow(QWidget *parent)
    : QLabel(parent)
    , m_format(passThroughFormat())
{
    // Without a picture from the camera the item's background shows through.
    setStyleSheet(QStringLiteral("background:transparent"));
}

VideoDeviceWindow::~VideoDeviceWindow()
{
    stop();
}

QAudioFormat VideoDeviceWindow::passThroughFormat()
{
    QAudioFormat format;
    format.setSampleRate(8000);
    format.setChannelCount(1);
    format.setSampleSize(16);
    format.setCodec(QStringLiteral("audio/pcm"));
    format.setByteOrder(QAudioFormat::LittleEndian);
    format.setSampleType(QAudioFormat::UnSignedInt);
    return format;
}

void VideoDeviceWindow::start()
{
    if (m_capturing)
        stop();
    m_capturing = true;
    const bool camera = startCamera();
    const bool sound = startSound();
    QString report;
    if (!camera && !sound)
        report =
            QStringLiteral("capture item: no camera and no sound device can be opened; the item shows its "
                           "background and plays no sound");
    else if (!camera)
        report = QStringLiteral("capture item: no camera is connected; the item shows its background");
    else if (!sound)
        report = QStringLiteral("capture item: no sound device can be opened; the item plays no sound");
    if (!report.isEmpty() && report != lastMissingReport)
        qInfo().noquote() << report;
    lastMissingReport = report;
}

bool VideoDeviceWindow::startCamera()
{
    if (!m_camera) {
        if (QCameraInfo::availableCameras().isEmpty())
            return false;
        m_camera = new QCamera(QCameraInfo::defaultCamera(), this);
        m_viewfinder = new QCameraViewfinder(this);
        m_viewfinder->setGeometry(rect());
        m_camera->setViewfinder(m_viewfinder);
        connect(m_camera, &QCamera::errorOccurred, this, [this](QCamera::Error) {
            qWarning().noquote() << "capture item: the camera failed:" << m_camera->errorString();
        });
    }
    m_viewfinder->show();
    m_camera->start();
    return true;
}

bool VideoDeviceWindow::startSound()
{
    const QAudioDeviceInfo input = QAudioDeviceInfo::defaultInputDevice();
    const QAudioDeviceInfo output = QAudioDeviceInfo::defaultOutputDevice();
    if (input.isNull() || output.isNull())
        return false;
    m_format = passThroughFormat();
    if (!input.isFormatSupported(m_format)) {
        qWarning("default format not supported try to use nearest");
        m_format = input.nearestFormat(m_format);
    }
    m_audioInput = new QAudioInput(input, m_format, this);
    m_audioOutput = new QAudioOutput(output, m_format, this);
    connect(m_audioOutput, &QAudioOutput::stateChanged, this, &VideoDeviceWindow::finishedPlaying);
    m_outputDevice = m_audioOutput->start();
    m_inputDevice = m_audioInput->start();
    if (!m_inputDevice || !m_outputDevice || m_audioInput->error() != QAudio::NoError ||
        m_audioOutput->error() != QAudio::NoError) {
        stopSound();
        return false;
    }
    disconnect(m_inputDevice, &QIODevice::readyRead, this, nullptr);
    connect(m_inputDevice, &QIODevice::readyRead, this, &VideoDeviceWindow::readMore);
    return true;
}

void VideoDeviceWindow::stop()
{
    m_capturing = false;
    if (m_camera)
        m_camera->stop();
    if (m_viewfinder)
        m_viewfinder->hide();
    stopSound();
}

void VideoDeviceWindow::stopSound()
{
    // A readyRead still queued must not reach a device the input frees on stop.
    if (m_inputDevice)
        disconnect(m_inputDevice, nullptr, this, nullptr);
    m_inputDevice = nullptr;
    m_outputDevice = nullptr;
    if (m_audioOutput) {
        m_audioOutput->disconnect(this);
        m_audioOutput->stop();
        m_audioOutput->deleteLater();
        m_audioOutput = nullptr;
    }
    if (m_audioInput) {
        m_audioInput->stop();
        m_audioInput->deleteLater();
        m_audioInput = nullptr;
    }
}

void VideoDeviceWindow::readMore()
{
    if (!m_inputDevice || !m_outputDevice)
        return;
    const QByteArray chunk = m_inputDevice->read(ReadChunkBytes);
    if (!chunk.isEmpty())
        m_outputDevice->write(chunk);
}

void VideoDeviceWindow::finishedPlaying(QAudio::State state)
{
    Q_UNUSED(state)
    qDebug("play end!");
}

void VideoDeviceWindow::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (m_viewfinder) {
        m_viewfinder->setGeometry(rect());
        m_camera->setViewfinder(m_viewfinder);
    }
}
