// Display-window commands of the top bar: monitor, backstage and hiding the screens.
#include "widget.h"

void Widget::slotMonitor()
{
    // Opens the monitor window with a live picture of every screen.
}

void Widget::slotBackstage()
{
    // Moves the current display window onto another screen and back.
}

void Widget::slotWinHide()
{
    // Hides or shows the screen of the current display window.
}
