#include "shellstyle.h"

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
