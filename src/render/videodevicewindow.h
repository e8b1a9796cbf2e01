#pragma once

#include <QLabel>

// The camera renderer of a play window. It keeps whether it is capturing; the camera, its
// viewfinder and the sound pass-through come with the camera issue.
class VideoDeviceWindow : public QLabel
{
    Q_OBJECT

public:
    explicit VideoDeviceWindow(QWidget *parent = nullptr);

    void start();
    void stop();
    bool isCapturing() const { return m_capturing; }

private:
    bool m_capturing = false;
};
