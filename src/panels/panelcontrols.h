#pragma once

#include <QString>
#include <QTime>

class QComboBox;
class QFormLayout;
class QScrollArea;
class QSlider;
class QSpinBox;
class QTimeEdit;
class QWidget;

// Showing a record in the controls of a property panel. Showing never changes the record: a
// stored value outside a control's usual range widens the range instead of being cut to it
// (the record keeps what the file said until the operator changes it).
class PanelControls
{
public:
    static void showSpin(QSpinBox *spin, int value, int minimum, int maximum);
    static void showSlider(QSlider *slider, int value, int minimum, int maximum);
    // A null time shows as 00:00:00.
    static void showTime(QTimeEdit *edit, const QTime &time);
    // Selects the entry whose data is `value`; none when no entry has it.
    static void selectData(QComboBox *combo, int value);

    static QTimeEdit *timeEdit(QWidget *parent);
    // A form with its labels right-aligned beside their fields.
    static QFormLayout *form();
    // `page` in a frameless area that scrolls when the property area is too short for it.
    static QScrollArea *scrolled(QWidget *page);

    // The dark console look of the property area, for everything a panel holds.
    static QString styleSheet();
    // Gives `panel` that look; its palette draws what the sheet leaves to the style (arrows).
    static void applyLook(QWidget *panel);
};
