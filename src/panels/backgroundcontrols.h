#pragma once

#include <QWidget>

class ColorButton;
class QCheckBox;
class QColor;
class QComboBox;
class QString;

// A record's background as the background row edits it. The clocks, the timer, the weather and
// the capture item keep a BackgroundProperties; pictures, videos and texts keep the same fields
// loose in their own groups. Both have the same field names, so one adapter serves them all
// and the records stay as the files have them.
struct BackgroundFields
{
    bool &isColor;
    QColor &color;
    QString &image;
    qint32 &style;
    bool &transparent;

    template<typename Record> static BackgroundFields of(Record &record)
    {
        return {record.backgroundIsColor, record.backgroundColor, record.backgroundImage,
                record.backgroundImageStyle, record.backgroundTransparent};
    }
};

// The background row of every media panel: colour or picture, the colour, the picture's layout
// and, where the kind has one, "Transparent" (not painted). The controls belong to the panel,
// whose slots call the editing functions here with the fields of the item shown; each returns
// whether it stored anything.
//
// The selector lists "Color" and "Please Select background picture" and, once a picture has
// been chosen, the picture's path as a third entry. Controls of the alternative not in use are
// disabled, and a transparent background disables the choice altogether. The choice takes the
// first line and the colour, layout and transparency the second, so the row fits a narrow panel.
class BackgroundControls : public QWidget
{
    Q_OBJECT

public:
    explicit BackgroundControls(bool withTransparent, QWidget *parent = nullptr);

    QComboBox *selector() const { return m_selector; }
    ColorButton *colorButton() const { return m_color; }
    QComboBox *styleBox() const { return m_style; }
    QCheckBox *transparentBox() const { return m_transparent; } // null without "Transparent"

    // Shows stored values; showing never changes them.
    void showBackground(const BackgroundFields &background);

    // The operator's choice of selector entry `index`: the colour, a new picture asked for in a
    // file dialog, or the picture chosen before. False when nothing was stored (the dialog was
    // cancelled); the selector then shows the stored choice again.
    bool choose(int index, const BackgroundFields &background);
    // Asks for a colour in the colour dialog; false when the operator cancels.
    bool askColor(const BackgroundFields &background);
    bool setColor(const QColor &color, const BackgroundFields &background);
    // `index` of the layout box (Tile, Stretch).
    bool setStyle(int index, const BackgroundFields &background);
    bool setTransparent(bool transparent, const BackgroundFields &background);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();
    void setPictureEntry(const QString &path);
    void updateEnabled(const BackgroundFields &background);

    QComboBox *m_selector = nullptr;
    ColorButton *m_color = nullptr;
    QComboBox *m_style = nullptr;
    QCheckBox *m_transparent = nullptr;
};
