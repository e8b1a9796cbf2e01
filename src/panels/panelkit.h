#pragma once

#include <QCoreApplication>
#include <QStringList>

class QAbstractSlider;
class QComboBox;
class QFormLayout;
class QScrollArea;
class QSlider;
class QSpinBox;
class QTime;
class QTimeEdit;
class QWidget;

// What the property panels share: their look, the lists their combo boxes offer, the plain
// controls they are built from and the one way a stored value is shown in them. Showing never
// changes the record: a stored value outside a control's offered range widens the range for
// that item instead of being cut to it (the record keeps what the file said until the operator
// changes it).
class PanelKit
{
    Q_DECLARE_TR_FUNCTIONS(PanelKit)

public:
    // The console look for a panel and everything in it, so that it reads the same wherever it
    // is shown.
    static QString styleSheet();
    // Gives `panel` that look; its palette draws what the sheet leaves to the style.
    static void applyLook(QWidget *panel);

    // Entry and exit effects in effect-number order.
    static QStringList entryEffects();
    static QStringList exitEffects();
    // Colour modes of text, in mode order.
    static QStringList colorfulStyles();
    static QStringList scaleTypes();
    static QStringList rotations();
    static QStringList rollDirections();

    // Lays the panel out as a scrolling form: returns the form the panel's rows go into.
    static QFormLayout *scrollingForm(QWidget *panel);
    // A form with its labels right-aligned beside their fields.
    static QFormLayout *form();
    // `page` in a frameless area that scrolls down when the property area is too short for it;
    // never sideways: a panel fits the width it is given.
    static QScrollArea *scrolled(QWidget *page);
    // A form row's field made of several controls side by side, left-aligned.
    static QWidget *row(QWidget *parent, const QList<QWidget *> &widgets, bool stretch = true);

    // A row whose label is a check box that switches the row's field on and off; the box is
    // kept level with the field.
    static void addCheckedRow(QFormLayout *form, QWidget *box, QWidget *field);

    // Controls with the range they offer the operator (see showValue).
    static QSpinBox *spinBox(int minimum, int maximum, QWidget *parent);
    static QSlider *slider(int minimum, int maximum, QWidget *parent);
    static void offerRange(QSpinBox *spin, int minimum, int maximum);
    static void offerRange(QAbstractSlider *slider, int minimum, int maximum);
    static QTimeEdit *timeEdit(QWidget *parent);

    // The installed font families plus `family` when it is not installed, so a stored family
    // shows as it is stored.
    static void fillFamilies(QComboBox *box);
    static void selectFamily(QComboBox *box, const QString &family);
    // Shows a stored value; one outside the control's offered range widens the range for this
    // item instead of being shown (and later stored) cut down.
    static void showValue(QSpinBox *spin, int value);
    static void showValue(QAbstractSlider *slider, int value);
    // A null time shows as 00:00:00.
    static void showTime(QTimeEdit *edit, const QTime &time);
    // Selects `value`; a value outside the list shows as no selection rather than a wrong one.
    static void selectIndex(QComboBox *box, int value);
    // Selects the entry whose data is `value`; none when no entry has it.
    static void selectData(QComboBox *box, int value);
};
