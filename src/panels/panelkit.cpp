#include "panelkit.h"

#include <QColor>
#include <QAbstractSlider>
#include <QPalette>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

QString PanelKit::styleSheet()
{
    return QStringLiteral(R"(
QWidget#panelContent, QScrollArea, QScrollArea > QWidget, QScrollArea > QWidget > QWidget {
    background: transparent;
    border: none;
}
QLabel, QCheckBox, QRadioButton {
    color: #dfe6ee;
    background: transparent;
}
QLabel:disabled, QCheckBox:disabled, QRadioButton:disabled {
    color: #6b7584;
}
QLabel[panelHint="true"] {
    color: #8fa0b4;
}
QGroupBox {
    color: #8fa0b4;
    border: 1px solid #2f3946;
    border-radius: 3px;
    margin-top: 12px;
    padding: 10px 6px 6px 6px;
}
QGroupBox::title {
    subcontrol-origin: margin;
    left: 10px;
    padding: 0 4px;
}
QComboBox {
    min-width: 80px;
}
QLineEdit, QSpinBox, QTimeEdit, QComboBox, QPlainTextEdit {
    background: #11151b;
    color: #e8edf3;
    border: 1px solid #35404e;
    border-radius: 2px;
    padding: 2px 4px;
    min-height: 20px;
    selection-background-color: #1e8a98;
    selection-color: white;
}
QLineEdit:read-only {
    background: #161a21;
    color: #aab6c4;
}
QLineEdit:disabled, QSpinBox:disabled, QTimeEdit:disabled, QComboBox:disabled, QPlainTextEdit:disabled {
    background: #171b22;
    color: #6b7584;
    border-color: #2a323d;
}
QLineEdit:focus, QSpinBox:focus, QTimeEdit:focus, QComboBox:focus, QPlainTextEdit:focus {
    border-color: #2fc4d6;
}
QComboBox::drop-down {
    width: 18px;
    border: none;
    border-left: 1px solid #35404e;
    background: #232b36;
}
QComboBox::down-arrow, QSpinBox::down-arrow, QTimeEdit::down-arrow {
    image: url(:/images/panel_arrow_down_light.png);
    width: 9px;
    height: 5px;
}
QSpinBox::up-arrow, QTimeEdit::up-arrow {
    image: url(:/images/panel_arrow_up_light.png);
    width: 9px;
    height: 5px;
}
QComboBox::down-arrow:disabled, QSpinBox::down-arrow:disabled, QTimeEdit::down-arrow:disabled {
    image: url(:/images/panel_arrow_down_dim.png);
}
QSpinBox::up-arrow:disabled, QTimeEdit::up-arrow:disabled {
    image: url(:/images/panel_arrow_up_dim.png);
}
QSpinBox::up-button, QSpinBox::down-button, QTimeEdit::up-button, QTimeEdit::down-button {
    width: 16px;
    background: #232b36;
    border-left: 1px solid #35404e;
}
QComboBox QAbstractItemView {
    background: #11151b;
    color: #e8edf3;
    selection-background-color: #1e8a98;
}
QPushButton {
    background: #232b36;
    color: #e8edf3;
    border: 1px solid #35404e;
    border-radius: 3px;
    padding: 4px 12px;
    min-height: 18px;
}
QPushButton:hover {
    border-color: #2fc4d6;
}
QPushButton:pressed, QPushButton:checked {
    background: #1e6f7a;
}
QPushButton:disabled {
    color: #6b7584;
    border-color: #2a323d;
}
QCheckBox::indicator, QRadioButton::indicator {
    width: 12px;
    height: 12px;
    border: 1px solid #8fa0b4;
    background: #11151b;
}
QRadioButton::indicator {
    border-radius: 7px;
}
QCheckBox::indicator:checked, QRadioButton::indicator:checked {
    background: #2fc4d6;
    border-color: #2fc4d6;
}
QCheckBox::indicator:disabled, QRadioButton::indicator:disabled {
    border-color: #4a5564;
}
QCheckBox::indicator:checked:disabled, QRadioButton::indicator:checked:disabled {
    background: #4a5564;
}
QSlider::groove:horizontal {
    height: 4px;
    background: #35404e;
    border-radius: 2px;
}
QSlider::sub-page:horizontal {
    background: #1e8a98;
    border-radius: 2px;
}
QSlider::handle:horizontal {
    width: 12px;
    margin: -5px 0;
    background: #2fc4d6;
    border-radius: 6px;
}
QSlider::sub-page:horizontal:disabled {
    background: #35404e;
}
QSlider::handle:horizontal:disabled {
    background: #4a5564;
}
QTabWidget::pane {
    border: 1px solid #2f3946;
    top: -1px;
}
QTabWidget > QStackedWidget > QWidget {
    background: transparent;
}
QTabBar::tab {
    background: #1f2630;
    color: #b7c2cf;
    border: 1px solid #2f3946;
    padding: 6px 16px;
    margin-right: 2px;
}
QTabBar::tab:selected {
    background: #1b2029;
    color: #ffffff;
    border-bottom: 2px solid #2fc4d6;
}
QScrollBar:vertical {
    background: #161a21;
    width: 10px;
    margin: 0;
}
QScrollBar::handle:vertical {
    background: #35404e;
    border-radius: 4px;
    min-height: 24px;
}
QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical {
    height: 0;
}
QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical {
    background: none;
}
)");
}

QStringList PanelKit::entryEffects()
{
    return {tr("Random"),
            tr("Slide from right"),
            tr("Slide from left"),
            tr("Slide from top"),
            tr("Slide from bottom"),
            tr("Slide from bottom right"),
            tr("Slide from bottom left"),
            tr("Slide from top left"),
            tr("Slide from top right"),
            tr("Reveal from right"),
            tr("Reveal from left"),
            tr("Reveal from top "),
            tr("Reveal from bottom"),
            tr("Reveal out left and right from middle"),
            tr("Reveal in from left and right"),
            tr("Reveal out up and down from middle"),
            tr("Reveal in from top and bottom"),
            tr("Reveal in to center")};
}

QStringList PanelKit::exitEffects()
{
    QStringList effects = entryEffects();
    effects.last() = tr("Reveal out from center");
    return effects;
}

QStringList PanelKit::colorfulStyles()
{
    return {tr("None"),
            tr("Horizontal gradient(six colors)"),
            tr("Vertical gradient(six colors)"),
            tr("Angle gradient(six colors)"),
            tr("Three color streamer word"),
            tr("Rainbow streamer word")};
}

QStringList PanelKit::scaleTypes()
{
    return {tr("Fill"), tr("Original Scale")};
}

QStringList PanelKit::rotations()
{
    return {tr("None"), tr("90"), tr("180"), tr("270")};
}

QStringList PanelKit::rollDirections()
{
    return {tr("Right to Left"), tr("Left toRight")};
}

void PanelKit::applyLook(QWidget *panel)
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(0x1b, 0x20, 0x29));
    palette.setColor(QPalette::WindowText, QColor(0xdf, 0xe6, 0xee));
    palette.setColor(QPalette::Base, QColor(0x11, 0x15, 0x1b));
    palette.setColor(QPalette::Text, QColor(0xe8, 0xed, 0xf3));
    palette.setColor(QPalette::Button, QColor(0x23, 0x2b, 0x36));
    palette.setColor(QPalette::ButtonText, QColor(0xdf, 0xe6, 0xee));
    palette.setColor(QPalette::Highlight, QColor(0x1e, 0x8a, 0x98));
    panel->setPalette(palette);
    panel->setStyleSheet(styleSheet());
}

QFormLayout *PanelKit::form()
{
    auto *layout = new QFormLayout;
    layout->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    // A field too wide for the space beside its label goes below it: panels are narrow, and
    // English labels are long.
    layout->setRowWrapPolicy(QFormLayout::WrapLongRows);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(8);
    return layout;
}

QScrollArea *PanelKit::scrolled(QWidget *page)
{
    auto *area = new QScrollArea;
    area->setObjectName(QStringLiteral("panelScroll"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidget(page);
    return area;
}

QFormLayout *PanelKit::scrollingForm(QWidget *panel)
{
    applyLook(panel);
    auto *outer = new QVBoxLayout(panel);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(panel);
    scroll->setObjectName(QStringLiteral("panelScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outer->addWidget(scroll);
    auto *content = new QWidget(scroll);
    content->setObjectName(QStringLiteral("panelContent"));
    scroll->setWidget(content);
    // The rows keep their natural heights at the top; the space below them stays empty.
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(4, 4, 6, 4);
    QFormLayout *rows = form();
    column->addLayout(rows);
    column->addStretch(1);
    return rows;
}

QWidget *PanelKit::row(QWidget *parent, const QList<QWidget *> &widgets, bool stretch)
{
    auto *holder = new QWidget(parent);
    auto *layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    if (stretch)
        layout->addStretch(1);
    return holder;
}

void PanelKit::addCheckedRow(QFormLayout *form, QWidget *box, QWidget *field)
{
    box->setMinimumHeight(field->sizeHint().height());
    form->addRow(box, field);
}

QSpinBox *PanelKit::spinBox(int minimum, int maximum, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    offerRange(spin, minimum, maximum);
    spin->setMinimumWidth(70);
    return spin;
}

void PanelKit::offerRange(QSpinBox *spin, int minimum, int maximum)
{
    spin->setRange(minimum, maximum);
    spin->setProperty("offeredMinimum", minimum);
    spin->setProperty("offeredMaximum", maximum);
}

void PanelKit::offerRange(QAbstractSlider *slider, int minimum, int maximum)
{
    slider->setRange(minimum, maximum);
    slider->setProperty("offeredMinimum", minimum);
    slider->setProperty("offeredMaximum", maximum);
}

QTimeEdit *PanelKit::timeEdit(QWidget *parent)
{
    auto *edit = new QTimeEdit(parent);
    edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    edit->setMinimumWidth(90);
    return edit;
}

QSlider *PanelKit::slider(int minimum, int maximum, QWidget *parent)
{
    auto *slider = new QSlider(Qt::Horizontal, parent);
    offerRange(slider, minimum, maximum);
    slider->setMinimumWidth(120);
    return slider;
}

void PanelKit::fillFamilies(QComboBox *box)
{
    box->addItems(QFontDatabase().families());
    box->setMaxVisibleItems(16);
}

void PanelKit::selectFamily(QComboBox *box, const QString &family)
{
    int index = family.isEmpty() ? -1 : box->findText(family, Qt::MatchFixedString);
    if (index < 0 && !family.isEmpty()) {
        box->addItem(family);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

void PanelKit::showValue(QSpinBox *spin, int value)
{
    // A control made without an offered range offers the one it was given.
    if (!spin->property("offeredMinimum").isValid())
        offerRange(spin, spin->minimum(), spin->maximum());
    spin->setRange(qMin(spin->property("offeredMinimum").toInt(), value),
                   qMax(spin->property("offeredMaximum").toInt(), value));
    spin->setValue(value);
}

void PanelKit::showValue(QAbstractSlider *slider, int value)
{
    if (!slider->property("offeredMinimum").isValid())
        offerRange(slider, slider->minimum(), slider->maximum());
    slider->setRange(qMin(slider->property("offeredMinimum").toInt(), value),
                     qMax(slider->property("offeredMaximum").toInt(), value));
    slider->setValue(value);
}

void PanelKit::selectIndex(QComboBox *box, int value)
{
    box->setCurrentIndex(value >= 0 && value < box->count() ? value : -1);
}

void PanelKit::selectData(QComboBox *box, int value)
{
    box->setCurrentIndex(box->findData(value));
}

void PanelKit::showTime(QTimeEdit *edit, const QTime &time)
{
    edit->setTime(time.isValid() ? time : QTime(0, 0, 0));
}
