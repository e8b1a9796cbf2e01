// Play control commands of the main window: top-bar play, stop and lock, and the main
// menu's control section.
#include "widget.h"

void Widget::slotMenuPlay()
{
    // Starts or resumes the current display window when the play button shows "play".
}

void Widget::slotMenuPause()
{
    // Pauses the current display window when the play button shows "pause".
}

void Widget::slotMenuStop()
{
    // Stops the current display window, as the top-bar stop button does.
}

void Widget::slotOverallPlay()
{
    // Toggles play and pause of the current display window.
}

void Widget::slotOverallStop()
{
    // Stops the current display window and enables editing again.
}

void Widget::slotOverallLock()
{
    // Locks or unlocks the play windows of every screen against mouse moves and resizes.
}
