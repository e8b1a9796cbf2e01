// System-settings commands of the main menu.
#include "monitorwin.h"
#include "widget.h"

void Widget::slotSetBoot()
{
    // Runs the start-up dialog: auto-start and the scheme to open and play at start.
}

void Widget::slotSetPlay()
{
    // Empties the log viewer's result table and shows the log viewer.
}

void Widget::slotSetupLanguage()
{
    // Runs the language dialog, reloads the translations and retranslates the window.
}
