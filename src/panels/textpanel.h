#pragma once

#include "mediapanel.h"
#include "paneltexts.h"

class ColorButton;
class BackgroundControls;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTime;
class QTimeEdit;

// The panel of the text kinds: simple, single-row, scrolling and imported text files. Effects
// and the stay time belong to the texts that stand still, the rolling settings to scrolling text;
// the panel shows the rows of the item's kind.
class TextPanel : public MediaPanel
{
    Q_OBJECT

public:
    explicit TextPanel(QWidget *parent = nullptr);
    QStringList kinds() const override;

public slots:
    void slotTextTextChanged();
    void mSlotTextFamily(const QString &family);
    void mSlotTextFontSize(int size);
    void slotTextBChecked(bool checked);
    void slotTextIChecked(bool checked);
    void slotTextUChecked(bool checked);
    void slotShowTextColorDialog();
    void slotTextColorSet(const QColor &color);
    void m_textColorfulBoxChanged(int index);
    void m_textVerticalBoxChanged(int index);
    void slotTextHorizontalChanged(int index);
    void slotTextSPacingChanged(int spacing);
    void slotTextKerningChanged(int kerning);
    void mSlotTextBKChange(int index);
    void slotShowTextBKColorDialog();
    void slotTextBKColorSet(const QColor &color);
    void slottextBKImageStyleChange(int index);
    void slotTextBKTransparent(bool checked);
    void slotTextComingIntoBox(bool checked);
    void mSlottextComingStyleChange(int index);
    void slotTextComingSpeedChanged(int speed);
    void slotTextGoingOutBox(bool checked);
    void mSlottextOutStyleChange(int index);
    void slotTextGoingOutSpeedChanged(int speed);
    void mSlotTextRollingChange(int index);
    void slottextEndToEndBox(bool checked);
    void slottextIntervalOfCycleChanged(int interval);
    void mtextRollingSpeedChange(int index);
    void slotTextStayTimeChanged(int seconds);
    void slotTextCompletePlayBox(bool checked);
    void slottextPlayDurationTimeChanged(const QTime &time);

protected:
    void fill(const LumoraMediaObject &media) override;
    void retranslateUi() override;

private:
    void updateEnabled();
    void showRowsOf(const QString &type);

    PanelTexts m_texts{"TextPanel"};
    QPlainTextEdit *m_text = nullptr;
    QComboBox *m_family = nullptr;
    QSpinBox *m_size = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    ColorButton *m_color = nullptr;
    QComboBox *m_colorful = nullptr;
    QComboBox *m_horizontal = nullptr;
    QComboBox *m_vertical = nullptr;
    QSpinBox *m_spacing = nullptr;
    QSpinBox *m_kerning = nullptr;
    BackgroundControls *m_background = nullptr;
    QCheckBox *m_entryBox = nullptr;
    QComboBox *m_entryStyle = nullptr;
    QSpinBox *m_entrySpeed = nullptr;
    QCheckBox *m_exitBox = nullptr;
    QComboBox *m_exitStyle = nullptr;
    QSpinBox *m_exitSpeed = nullptr;
    QSpinBox *m_stayTime = nullptr;
    QComboBox *m_direction = nullptr;
    QComboBox *m_rollSpeed = nullptr;
    QCheckBox *m_endToEnd = nullptr;
    QSpinBox *m_interval = nullptr;
    QCheckBox *m_completePlay = nullptr;
    QTimeEdit *m_duration = nullptr;
    // Rows shown for the texts that stand still, and for scrolling text.
    QList<QWidget *> m_stillRows;
    QList<QWidget *> m_rollingRows;
};
