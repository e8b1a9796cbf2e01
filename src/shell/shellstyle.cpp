#include "shellstyle.h"

#include <QApplication>
#include <QStringList>

QString shellStyleSheet()
{
    // Scoped under the frame, so dialogs parented to the main window keep their own look.
    return QStringLiteral(R"(
#mainFrame {
    background: #1b2029;
    border: 1px solid #2f3946;
    border-radius: 3px;
}
#titleBar {
    background: #10141a;
    border-top-left-radius: 3px;
    border-top-right-radius: 3px;
}
#topBar {
    background: #1f2630;
    border-bottom: 2px solid #2fc4d6;
}
#topBarDivider {
    background: #35404e;
}
#selectorRow {
    background: #161a21;
    border-bottom: 1px solid #2a323d;
}
#treeColumn {
    background: #161a21;
    border-right: 1px solid #2a323d;
}
#propertyArea {
    background: #1b2029;
}
#workArea QLabel, #workArea QCheckBox, #workArea QRadioButton, #workArea QGroupBox {
    color: #dfe6ee;
}
#workArea QLineEdit, #workArea QSpinBox, #workArea QTimeEdit, #workArea QDateEdit,
#workArea QComboBox, #workArea QListWidget, #workArea QTableWidget, #workArea QTextEdit {
    background: #11151b;
    color: #e8edf3;
    border: 1px solid #35404e;
    border-radius: 2px;
    selection-background-color: #1e8a98;
}
#workArea QTreeWidget {
    background: transparent;
    color: #e8edf3;
    border: none;
    selection-background-color: #1e6f7a;
}
#workArea QTreeWidget::item:selected {
    background: #1e6f7a;
}
#workArea QToolButton#displayWindowButton {
    background: #232b36;
    color: #dfe6ee;
    border: 1px solid #35404e;
    border-radius: 3px;
}
#workArea QToolButton#displayWindowButton:hover {
    border-color: #2fc4d6;
}
#workArea QToolButton:checked, #workArea QToolButton#displayWindowButton:checked {
    background: #1e6f7a;
    color: white;
}
#workArea QGroupBox {
    border: 1px solid #35404e;
    border-radius: 3px;
    margin-top: 10px;
    padding: 6px 4px 4px 4px;
}
#workArea QGroupBox::title {
    subcontrol-origin: margin;
    left: 8px;
    padding: 0 4px;
}
#workArea QPushButton {
    background: #232b36;
    color: #e8edf3;
    border: 1px solid #35404e;
    border-radius: 3px;
    padding: 3px 8px;
}
#workArea QPushButton:hover {
    border-color: #2fc4d6;
}
#workArea QPushButton:pressed {
    background: #1e6f7a;
}
#workArea QPushButton:disabled, #workArea QLineEdit:disabled, #workArea QSpinBox:disabled,
#workArea QTimeEdit:disabled, #workArea QDateEdit:disabled, #workArea QComboBox:disabled,
#workArea QCheckBox:disabled, #workArea QRadioButton:disabled, #workArea QLabel:disabled {
    color: #6b7584;
}
#workArea QLineEdit:read-only {
    background: #161a21;
}
#workArea QCheckBox::indicator, #workArea QRadioButton::indicator {
    width: 12px;
    height: 12px;
    border: 1px solid #8fa0b4;
    background: #11151b;
}
#workArea QRadioButton::indicator {
    border-radius: 7px;
}
#workArea QCheckBox::indicator:checked, #workArea QRadioButton::indicator:checked {
    background: #2fc4d6;
    border-color: #2fc4d6;
}
#workArea QCheckBox::indicator:disabled, #workArea QRadioButton::indicator:disabled {
    border-color: #4a5564;
}
#workArea QAbstractSpinBox::up-button, #workArea QAbstractSpinBox::down-button {
    width: 16px;
    background: #232b36;
    border-left: 1px solid #35404e;
}
#workArea QAbstractSpinBox::up-arrow {
    image: url(:/images/panel_arrow_up_light.png);
    width: 9px;
    height: 5px;
}
#workArea QAbstractSpinBox::down-arrow {
    image: url(:/images/panel_arrow_down_light.png);
    width: 9px;
    height: 5px;
}
#workArea QAbstractSpinBox::up-arrow:disabled {
    image: url(:/images/panel_arrow_up_dim.png);
}
#workArea QAbstractSpinBox::down-arrow:disabled {
    image: url(:/images/panel_arrow_down_dim.png);
}
#workArea QComboBox QAbstractItemView {
    background: #11151b;
    color: #e8edf3;
    selection-background-color: #1e8a98;
}
#workArea QHeaderView::section {
    background: #232b36;
    color: #dfe6ee;
    border: none;
    border-right: 1px solid #35404e;
    padding: 3px 6px;
}
#workArea QScrollArea, #workArea QWidget#mediaHolder, #workArea QStackedWidget {
    background: transparent;
}
#MainMenuBKLabel {
    background: #232b36;
    border: 1px solid #2fc4d6;
    border-radius: 4px;
}
#MainMenuBKLabel QLabel[menuSection="true"] {
    color: #8fa0b4;
    font-size: 12px;
    padding: 2px 6px 4px 6px;
    border-bottom: 1px solid #35404e;
}
#MainMenuBKLabel QPushButton[menuEntry="true"] {
    color: #e8edf3;
    background: transparent;
    border: none;
    border-radius: 3px;
    padding: 5px 8px;
    text-align: left;
}
#MainMenuBKLabel QPushButton[menuEntry="true"]:hover {
    background: rgba(47, 196, 214, 0.22);
}
#MainMenuBKLabel QPushButton[menuEntry="true"]:pressed {
    background: rgba(47, 196, 214, 0.40);
}
)");
}

namespace {

// Dialogs that take the console look. Type selectors match subclasses too.
const char *const kConsoleDialogs[] = {
    "QMessageBox",           "QFileDialog",     "QColorDialog",
    "QInputDialog",          "QProgressDialog", "QErrorMessage",
    "DisplaySettingsDialog", "ExtendWin",       "TimingSegmentTimePropertyWin",
    "FramelessDialog",       "ScreensWin"};

// Rules written once with "S" for the dialog; scoped to each dialog class so that no other
// window (play windows, renderers) is touched.
const char kDialogRules[] = R"(
S {
    background: #1b2029;
    color: #e8edf3;
}
S QLabel, S QCheckBox, S QRadioButton, S QGroupBox {
    color: #dfe6ee;
    background: transparent;
}
S QPushButton {
    background: #232b36;
    color: #e8edf3;
    border: 1px solid #35404e;
    border-radius: 3px;
    padding: 5px 14px;
    min-width: 64px;
}
S QPushButton:hover {
    border-color: #2fc4d6;
}
S QPushButton:default {
    border-color: #2fc4d6;
}
S QPushButton:pressed, S QPushButton:checked {
    background: #1e6f7a;
}
S QPushButton:disabled {
    color: #6b7584;
}
S QToolButton {
    background: transparent;
    color: #e8edf3;
    border: 1px solid transparent;
    border-radius: 3px;
}
S QToolButton:hover {
    border-color: #35404e;
}
S QLineEdit, S QAbstractSpinBox, S QComboBox, S QTreeView, S QListView, S QTableView, S QTextEdit,
S QPlainTextEdit {
    background: #11151b;
    color: #e8edf3;
    border: 1px solid #35404e;
    border-radius: 2px;
    selection-background-color: #1e8a98;
    selection-color: white;
}
S QLineEdit:disabled, S QSpinBox:disabled, S QComboBox:disabled {
    color: #6b7584;
}
S QGroupBox {
    border: 1px solid #35404e;
    border-radius: 3px;
    margin-top: 10px;
    padding: 6px 4px 4px 4px;
}
S QGroupBox::title {
    subcontrol-origin: margin;
    left: 8px;
    padding: 0 4px;
}
S QCheckBox::indicator, S QRadioButton::indicator {
    width: 12px;
    height: 12px;
    border: 1px solid #8fa0b4;
    background: #11151b;
}
S QRadioButton::indicator {
    border-radius: 7px;
}
S QCheckBox::indicator:checked, S QRadioButton::indicator:checked {
    background: #2fc4d6;
    border-color: #2fc4d6;
}
S QCheckBox::indicator:disabled, S QRadioButton::indicator:disabled {
    border-color: #4a5564;
}
S QAbstractSpinBox::up-button, S QAbstractSpinBox::down-button {
    width: 16px;
    background: #232b36;
    border-left: 1px solid #35404e;
}
S QAbstractSpinBox::up-arrow {
    image: url(:/images/panel_arrow_up_light.png);
    width: 9px;
    height: 5px;
}
S QAbstractSpinBox::down-arrow {
    image: url(:/images/panel_arrow_down_light.png);
    width: 9px;
    height: 5px;
}
S QAbstractSpinBox::up-arrow:disabled {
    image: url(:/images/panel_arrow_up_dim.png);
}
S QAbstractSpinBox::down-arrow:disabled {
    image: url(:/images/panel_arrow_down_dim.png);
}
S QComboBox::drop-down {
    width: 18px;
    border: none;
    border-left: 1px solid #35404e;
    background: #232b36;
}
S QComboBox::down-arrow {
    image: url(:/images/panel_arrow_down_light.png);
    width: 9px;
    height: 5px;
}
S QCalendarWidget QWidget#qt_calendar_navigationbar {
    background: #232b36;
}
S QCalendarWidget QToolButton {
    color: #e8edf3;
    background: transparent;
}
S QCalendarWidget QMenu {
    background: #1b2029;
    color: #e8edf3;
}
S QCalendarWidget QAbstractItemView {
    background: #11151b;
    color: #e8edf3;
    selection-background-color: #1e8a98;
    selection-color: white;
}
S QCalendarWidget QAbstractItemView:disabled {
    color: #6b7584;
}
S QComboBox QAbstractItemView {
    background: #11151b;
    color: #e8edf3;
    selection-background-color: #1e8a98;
}
S QHeaderView::section {
    background: #232b36;
    color: #dfe6ee;
    border: none;
    border-right: 1px solid #35404e;
    padding: 3px 6px;
}
S QProgressBar {
    background: #11151b;
    color: #e8edf3;
    border: 1px solid #35404e;
    border-radius: 2px;
    text-align: center;
}
S QProgressBar::chunk {
    background: #1e8a98;
}
)";

// Pieces that are their own windows wherever they come from (a tree's context menu, a tooltip,
// a file list's scroll bars): the console look everywhere. Play windows have none of them.
const char kEverywhereRules[] = R"(
QMenu {
    background: #1b2029;
    color: #e8edf3;
    border: 1px solid #35404e;
    padding: 4px 0;
}
QMenu::item {
    background: transparent;
    padding: 5px 24px 5px 22px;
}
QMenu::item:selected {
    background: #1e6f7a;
    color: white;
}
QMenu::item:disabled {
    color: #6b7584;
}
QMenu::separator {
    height: 1px;
    background: #35404e;
    margin: 4px 8px;
}
QToolTip {
    background: #232b36;
    color: #e8edf3;
    border: 1px solid #35404e;
    padding: 3px;
}
QScrollBar:vertical {
    background: #161a21;
    width: 10px;
    margin: 0;
}
QScrollBar:horizontal {
    background: #161a21;
    height: 10px;
    margin: 0;
}
QScrollBar::handle:vertical {
    background: #35404e;
    border-radius: 4px;
    min-height: 24px;
}
QScrollBar::handle:horizontal {
    background: #35404e;
    border-radius: 4px;
    min-width: 24px;
}
QScrollBar::handle:hover {
    background: #4a5564;
}
QScrollBar::add-line, QScrollBar::sub-line {
    width: 0;
    height: 0;
}
QScrollBar::add-page, QScrollBar::sub-page {
    background: none;
}
)";

} // namespace

QString applicationStyleSheet()
{
    const QString rules = QString::fromLatin1(kDialogRules);
    QString sheet = QString::fromLatin1(kEverywhereRules);
    for (const char *dialog : kConsoleDialogs) {
        QString scoped = rules;
        // "S" opens a line or follows a comma; nothing else in the rules does.
        scoped.replace(QStringLiteral("\nS "), QStringLiteral("\n%1 ").arg(QLatin1String(dialog)));
        scoped.replace(QStringLiteral(", S "), QStringLiteral(", %1 ").arg(QLatin1String(dialog)));
        sheet += scoped;
    }
    return sheet;
}

void applyApplicationStyle()
{
    qApp->setStyleSheet(applicationStyleSheet());
}
