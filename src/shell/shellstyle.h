#pragma once

#include <QString>

// The dark operator-console look of the main window frame and work area.
QString shellStyleSheet();

// The same look for every dialog whose appearance is not fixed by the dialog itself:
// message boxes (whoever opens them), the toolkit's file, colour and input dialogs, the
// display-window and backstage dialogs. Dialogs with a style sheet of their own keep it.
QString applicationStyleSheet();
// Installs applicationStyleSheet() for the whole application.
void applyApplicationStyle();
