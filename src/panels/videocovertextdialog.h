#pragma once

#include "model/lumoramediaobject.h"
#include "paneltexts.h"

#include <QDialog>

class ColorButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Text and font of the text laid over a video: edits a copy of the video's cover fields, which
// the video panel stores when the operator confirms.
class VideoCoverTextDialog : public QDialog
{
    Q_OBJECT

public:
    explicit VideoCoverTextDialog(QWidget *parent = nullptr);

    void setValues(const VideoProperties &video);
    // Writes the cover fields (and only those) into `video`.
    void apply(VideoProperties *video) const;

private:
    void slotChooseColor();
    void slotRollingChecked(bool checked);

    PanelTexts m_texts{"VideoCoverTextDialog"};
    QLineEdit *m_text = nullptr;
    QComboBox *m_family = nullptr;
    QSpinBox *m_size = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    ColorButton *m_colorButton = nullptr;
    QColor m_color;
    QComboBox *m_colorful = nullptr;
    QCheckBox *m_rolling = nullptr;
    QSpinBox *m_speed = nullptr;
    QComboBox *m_direction = nullptr;
    QSpinBox *m_y = nullptr;
};
