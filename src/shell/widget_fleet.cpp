// The Screens window: the fleet of players this PC's operator publishes to.
#include "mainmenubklabel.h"
#include "prodoc.h"
#include "screenswin.h"
#include "widget.h"

void Widget::slotShowScreens()
{
    m_mainMenu->hide();
    if (!m_screens) {
        m_screens = new ScreensWin(this);
        m_screens->setSchemeSource([this] { return m_prodoc->path(); },
                                   [this] { return m_prodoc->isModified(); });
        m_screens->openFleet();
    }
    m_screens->show();
    m_screens->raise();
    m_screens->activateWindow();
}
