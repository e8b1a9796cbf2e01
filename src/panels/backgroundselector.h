#pragma once

#include "paneltexts.h"

#include <QColor>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;

// The background row of a media panel: colour or picture (with the chosen picture's path as a
// third entry), the colour, the picture layout and, where the kind has it, "Transparent". The
// panel owns the slots; this keeps the entries and the enabled states consistent.
class BackgroundSelector : public QWidget
{
    Q_OBJECT

public:
    enum Part { Colour = 0, StyleBox = 1, TransparentBox = 2 };
    BackgroundSelector(int parts, QWidget *parent);

    QComboBox *sourceBox() const { return m_source; }
    QPushButton *colorButton() const { return m_color; }
    QComboBox *styleBox() const { return m_style; }             // null without StyleBox
    QCheckBox *transparentBox() const { return m_transparent; } // null without TransparentBox

    // Shows stored values; the caller blocks signals.
    void setValues(bool isColor, const QColor &color, const QString &image, int style, bool transparent);
    // The operator activated entry `index`: 0 colour, 1 asks for a picture, 2 the chosen picture.
    // Returns false when nothing changes (the picture dialog was cancelled); the entry shown
    // before is shown again then.
    bool choose(int index, bool *isColor, QString *image);
    void setColor(const QColor &color);
    void setTransparent(bool transparent);

protected:
    void changeEvent(QEvent *event) override;

private:
    void showSource();
    void updateEnabled();

    PanelTexts m_texts{"BackgroundSelector"};
    QComboBox *m_source = nullptr;
    QPushButton *m_color = nullptr;
    QComboBox *m_style = nullptr;
    QCheckBox *m_transparent = nullptr;
    bool m_isColor = true;
    bool m_isTransparent = false;
    QString m_image;
};
