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
class QSpinBox;

// The panel of pictures and converted office documents.
class ImagePanel : public MediaPanel
{
    Q_OBJECT

public:
    explicit ImagePanel(QWidget *parent = nullptr);
    QStringList kinds() const override;

public slots:
    void slotImageBKChange(int index);
    void slotShowImageBKColorDialog();
    void slotImageBKColorSet(const QColor &color);
    void slotImageBKImageStyleChange(int index);
    void slotLoadImageBKMusic();
    void slotClearImageBKMusic();
    void slotImageComingBox(bool checked);
    void slotImageComingStyle(int index);
    void slotImageComingSpeed(int speed);
    void slotImageGoingOutBox(bool checked);
    void slotImageOutStyle(int index);
    void slotImageOutSpeed(int speed);
    void slotimageScaleType(int index);
    void slotimageStayTime(int seconds);
    void slotimageTransparentSlider(int value);
    void slotimageRotateAngle(int index);

protected:
    void fill(const LumoraMediaObject &media) override;
    void retranslateUi() override;

private:
    void updateEnabled();

    PanelTexts m_texts{"ImagePanel"};
    QLineEdit *m_path = nullptr;
    BackgroundControls *m_background = nullptr;
    QLineEdit *m_music = nullptr;
    QPushButton *m_musicClear = nullptr;
    QCheckBox *m_entryBox = nullptr;
    QComboBox *m_entryStyle = nullptr;
    QSpinBox *m_entrySpeed = nullptr;
    QCheckBox *m_exitBox = nullptr;
    QComboBox *m_exitStyle = nullptr;
    QSpinBox *m_exitSpeed = nullptr;
    QComboBox *m_scale = nullptr;
    QSpinBox *m_stayTime = nullptr;
    QSlider *m_transparency = nullptr;
    QLabel *m_transparencyValue = nullptr;
    QComboBox *m_rotation = nullptr;
};
