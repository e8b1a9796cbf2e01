#pragma once

#include "mediapanel.h"
#include "paneltexts.h"

class BackgroundControls;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTime;
class QTimeEdit;

// The panel of video files, with the seek slider of the previewed video.
class VideoPanel : public MediaPanel
{
    Q_OBJECT

public:
    explicit VideoPanel(QWidget *parent = nullptr);
    QStringList kinds() const override;

    void setVideoRange(float seconds) override;
    void setVideoProgress(float seconds) override;

public slots:
    void slotVideoVolumeChanged(int volume);
    void slotVideoVolumeEanble(bool enabled);
    void slotVideoSeek(int msecs);
    void slotvideoCoverTextBox(const QString &text);
    void slotvideoCoverTextBoxChecked(bool checked);
    void slotEditVideoText();
    void slotVideoExceptBox(bool checked);
    void slotvideoStartTimeChanged(const QTime &time);
    void slotvideoEndTimeChanged(const QTime &time);
    void SlotvideoScaleType(int index);
    void SlotvideoRotate(int index);
    void SlotvideooBackgroundType(int index);
    void slotShowVideoBKColorDialog();
    void slotVideoBKColorSet(const QColor &color);
    void Slotm_videoBKImageStyle(int index);

protected:
    void fill(const LumoraMediaObject &media) override;
    void retranslateUi() override;

private:
    void updateEnabled();
    void showPosition();

    PanelTexts m_texts{"VideoPanel"};
    QLineEdit *m_path = nullptr;
    QLabel *m_length = nullptr;
    QSlider *m_seek = nullptr;
    QLabel *m_position = nullptr;
    QCheckBox *m_volumeBox = nullptr;
    QSlider *m_volume = nullptr;
    QLabel *m_volumeValue = nullptr;
    QCheckBox *m_coverBox = nullptr;
    QLineEdit *m_coverText = nullptr;
    QPushButton *m_coverEdit = nullptr;
    QCheckBox *m_exceptBox = nullptr;
    QTimeEdit *m_clipStart = nullptr;
    QTimeEdit *m_clipEnd = nullptr;
    QComboBox *m_scale = nullptr;
    QComboBox *m_rotation = nullptr;
    BackgroundControls *m_background = nullptr;
};
