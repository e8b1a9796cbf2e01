#include "videodevicewindow.h"

VideoDeviceWindow::VideoDeviceWindow(QWidget *parent)
    : QLabel(parent)
{
    setStyleSheet(QStringLiteral("background:black"));
}

void VideoDeviceWindow::start()
{
    m_capturing = true;
}

void VideoDeviceWindow::stop()
{
    m_capturing = false;
}
