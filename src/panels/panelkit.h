#pragma once

#include <QCoreApplication>
#include <QStringList>

class QColor;
class QComboBox;
class QFormLayout;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimeEdit;
class QWidget;

// What the media panels share: their look, the lists their combo boxes offer, and the plain
// controls they are built from.
class PanelKit
{
    Q_DECLARE_TR_FUNCTIONS(PanelKit)

public:
    // The console look for a panel and everything in it, so that it reads the same wherever it
    // is shown.
    static QString styleSheet();

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
    // A form row's field made of several controls side by side, left-aligned.
    static QWidget *row(QWidget *parent, const QList<QWidget *> &widgets, bool stretch = true);

    // A row whose label is a check box that switches the row's field on and off; the box is
    // kept level with the field.
    static void addCheckedRow(QFormLayout *form, QWidget *box, QWidget *field);

    static QSpinBox *spinBox(int minimum, int maximum, QWidget *parent);
    static QTimeEdit *timeEdit(QWidget *parent);
    static QSlider *slider(int minimum, int maximum, QWidget *parent);
    static QPushButton *colorButton(QWidget *parent);
    static void setButtonColor(QPushButton *button, const QColor &color);

    // The installed font families plus `family` when it is not installed, so a stored family
    // shows as it is stored.
    static void fillFamilies(QComboBox *box);
    static void selectFamily(QComboBox *box, const QString &family);
    // Shows a stored value; one outside the control's offered range widens the range for this
    // item instead of being shown (and later stored) cut down.
    static void showValue(QSpinBox *spin, int value);
    static void showValue(QSlider *slider, int value);
    // Selects `value`; a value outside the list shows as no selection rather than a wrong one.
    static void selectIndex(QComboBox *box, int value);
};
