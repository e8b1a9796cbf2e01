#pragma once

#include <QString>

// The dark operator-console look of the main window frame and work area.
QString shellStyleSheet();
