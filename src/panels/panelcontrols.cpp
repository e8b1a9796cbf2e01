#include "panelcontrols.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPalette>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTimeEdit>

#include <algorithm>

void PanelControls::showSpin(QSpinBox *spin, int value, int minimum, int maximum)
{
    spin->setRange(std::min(minimum, value), std::max(maximum, value));
    spin->setValue(value);
}

void PanelControls::showSlider(QSlider *slider, int value, int minimum, int maximum)
{
    slider->setRange(std::min(minimum, value), std::max(maximum, value));
    slider->setValue(value);
}

void PanelControls::showTime(QTimeEdit *edit, const QTime &time)
{
    edit->setTime(time.isValid() ? time : QTime(0, 0, 0));
}

void PanelControls::selectData(QComboBox *combo, int value)
{
    combo->setCurrentIndex(combo->findData(value));
}

QTimeEdit *PanelControls::timeEdit(QWidget *parent)
{
    auto *edit = new QTimeEdit(parent);
    edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    edit->setMinimumWidth(110);
    return edit;
}

QFormLayout *PanelControls::form()
{
    auto *layout = new QFormLayout;
    layout->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    layout->setRowWrapPolicy(QFormLayout::DontWrapRows);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(8);
    return layout;
}

QScrollArea *PanelControls::scrolled(QWidget *page)
{
    auto *area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setWidget(page);
    return area;
}

void PanelControls::applyLook(QWidget *panel)
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

QString PanelControls::styleSheet()
{
    return QStringLiteral(R"(
QWidget {
    color: #dfe6ee;
}
QScrollArea, QScrollArea > QWidget > QWidget, QTabWidget > QStackedWidget > QWidget {
    background: transparent;
    border: none;
}
QGroupBox {
    border: 1px solid #2f3946;
    border-radius: 3px;
    margin-top: 10px;
    padding: 10px 8px 6px 8px;
}
QGroupBox::title {
    subcontrol-origin: margin;
    left: 10px;
    padding: 0 4px;
    color: #2fc4d6;
}
QLineEdit, QSpinBox, QTimeEdit, QComboBox {
    background: #11151b;
    color: #e8edf3;
    border: 1px solid #35404e;
    border-radius: 2px;
    padding: 2px 4px;
    min-height: 20px;
    selection-background-color: #1e8a98;
}
QLineEdit:disabled, QSpinBox:disabled, QTimeEdit:disabled, QComboBox:disabled, QLabel:disabled,
QCheckBox:disabled, QRadioButton:disabled {
    color: #6b7584;
}
QLineEdit:read-only {
    background: #1b2029;
}
QComboBox QAbstractItemView {
    background: #11151b;
    color: #e8edf3;
    selection-background-color: #1e8a98;
}
QSpinBox::up-button, QSpinBox::down-button, QTimeEdit::up-button, QTimeEdit::down-button {
    width: 16px;
    background: #2c3643;
    border-left: 1px solid #35404e;
}
QSpinBox::up-arrow, QTimeEdit::up-arrow {
    image: url(:/images/spin_up.png);
}
QSpinBox::down-arrow, QTimeEdit::down-arrow {
    image: url(:/images/spin_down.png);
}
QSpinBox::up-arrow:disabled, QTimeEdit::up-arrow:disabled, QSpinBox::down-arrow:disabled,
QTimeEdit::down-arrow:disabled {
    image: none;
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
QPushButton:pressed {
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
    background: #1b2029;
}
QTabWidget::pane {
    border: 1px solid #2f3946;
    top: -1px;
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
QSlider::groove:horizontal {
    height: 4px;
    background: #35404e;
}
QSlider::sub-page:horizontal {
    background: #1e8a98;
}
QSlider::handle:horizontal {
    width: 12px;
    margin: -5px 0;
    border-radius: 6px;
    background: #2fc4d6;
}
QSlider::handle:horizontal:disabled {
    background: #4a5564;
}
)");
}
