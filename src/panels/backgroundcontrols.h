#pragma once

#include <QWidget>

class ColorButton;
class QCheckBox;
class QComboBox;
struct BackgroundProperties;

// The background choice of a media panel: colour or picture, the colour, the picture's layout
// and, where the kind has one, "not painted". The controls belong to the panel that shows
// them; its slots store what they say.
//
// The selector lists "Color" and "Please Select background picture" and, once a picture has
// been chosen, the picture's path as a third entry. Controls of the alternative not in use are
// disabled, and a transparent background disables the choice altogether.
class BackgroundControls : public QWidget
{
    Q_OBJECT

public:
    explicit BackgroundControls(bool withTransparent, QWidget *parent = nullptr);

    QComboBox *selector() const { return m_selector; }
    ColorButton *colorButton() const { return m_color; }
    QComboBox *styleBox() const { return m_style; }
    QCheckBox *transparentBox() const { return m_transparent; }

    void showBackground(const BackgroundProperties &background);
    // Enables the controls of the alternative in use (after the panel stored a change).
    void updateEnabled(const BackgroundProperties &background);
    // Applies the operator's choice of selector entry `index` to `background`: the colour, a
    // new picture asked for in a file dialog, or the picture chosen before. False when nothing
    // was stored (the dialog was cancelled); the selector then shows the stored choice again.
    bool choose(int index, BackgroundProperties &background);
    void retranslateUi();

private:
    void setPictureEntry(const QString &path);

    QComboBox *m_selector = nullptr;
    ColorButton *m_color = nullptr;
    QComboBox *m_style = nullptr;
    QCheckBox *m_transparent = nullptr;
};
