#pragma once

#include "mediapanel.h"

#include <QColor>
#include <QTime>

class BackgroundControls;
class QGroupBox;
class QLabel;
class QTimeEdit;

// A capture device item (the default camera): its background and how long it stays.
class VideoDevicePanel : public MediaPanel
{
    Q_OBJECT

public:
    explicit VideoDevicePanel(QWidget *parent = nullptr);
    QStringList kinds() const override;

public slots:
    void slotVideoDeviceBackgroundChange(int index);
    void slotShowVideoDeviceBKColorDialog();
    void slotVideoDeviceBKColorSet(const QColor &color);
    void slotVideoDeviceBKImageStyleChange(int index);
    void slotVideoDeviceTimeLength(const QTime &time);

protected:
    void fill(const LumoraMediaObject &media) override;
    void retranslateUi() override;

private:

    QGroupBox *m_group = nullptr;
    QLabel *m_backgroundLabel = nullptr;
    QLabel *m_playTimeLabel = nullptr;
    BackgroundControls *m_background = nullptr;
    QTimeEdit *m_playTime = nullptr;
};
