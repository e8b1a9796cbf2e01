#pragma once

#include "mediapanel.h"
#include "paneltexts.h"

class ColorButton;
class BackgroundControls;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTime;
class QTimeEdit;

// The panel of count-down and count-up timers ("digitalTimer").
class CountTimerPanel : public MediaPanel
{
    Q_OBJECT

public:
    explicit CountTimerPanel(QWidget *parent = nullptr);
    QStringList kinds() const override;

public slots:
    void slotCountTimerBKChange(int index);
    void slotShowCountTimerBKColorDialog();
    void slotCountTimerBKColorSet(const QColor &color);
    void slotCountTimerBKImageStyleChange(int index);
    void slotCountTimerBKTransparent(bool checked);
    void slotCountTimerTransparencyChanged(int value);
    void slotCountTimerDecrease();
    void slotCountTimerIncrease();
    void slotShowCountTimerNumberColorDialog();
    void slotCountTimerNumberColorSet(const QColor &color);
    void slotdigitalCountTimerLength(const QTime &length);

protected:
    void fill(const LumoraMediaObject &media) override;
    void retranslateUi() override;

private:
    PanelTexts m_texts{"CountTimerPanel"};
    BackgroundControls *m_background = nullptr;
    QSlider *m_transparency = nullptr;
    QLabel *m_transparencyValue = nullptr;
    QRadioButton *m_decrease = nullptr;
    QRadioButton *m_increase = nullptr;
    ColorButton *m_numberColor = nullptr;
    QTimeEdit *m_length = nullptr;
};
