// Window commands of the main window: the main menu, maximize and restore, collapse, close.
#include "mainmenubklabel.h"
#include "menubutton.h"
#include "monitorwin.h"
#include "titlebar.h"
#include "widget.h"

void Widget::slotShowMainMenu()
{
    if (m_mainMenu->isVisible()) {
        m_mainMenu->hide();
        return;
    }
    m_mainMenu->adjustSize();
    QPoint below = m_menuButton->mapTo(this, QPoint(0, m_menuButton->height() + 4));
    // The collapsed window is only as high as its bars; the panel then opens within the bars' width.
    below.setX(qBound(0, below.x(), qMax(0, width() - m_mainMenu->width())));
    m_mainMenu->move(below);
    m_mainMenu->show();
    m_mainMenu->raise();
}

void Widget::slotShowMaximized()
{
    if (m_maximized)
        return;
    m_normalGeometry = geometry();
    m_maximized = true;
    m_titleBar->setMaximizedLook(true);
    applyWindowSize();
}

void Widget::slotResume()
{
    if (!m_maximized)
        return;
    m_maximized = false;
    m_titleBar->setMaximizedLook(false);
    applyWindowSize();
}

void Widget::slotWinup()
{
    m_mainMenu->hide();
    const bool collapse = !isWorkAreaCollapsed();
    m_workArea->setVisible(!collapse);
    m_winupButton->setText(collapse ? tr("win-show") : tr("win-up"));
    applyWindowSize();
}

void Widget::slotClose()
{
    m_mainMenu->hide();
    offerToSave();
    m_closeAsked = true;
    close();
}

void Widget::endWithoutAsking()
{
    m_mainMenu->hide();
    m_closeAsked = false;
    close();
}

void Widget::slotRaiseWindow()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

// Gives the window the size of its state: normal or maximized, work area shown or collapsed.
// There is no window manager frame to do it, so the geometry is set here.
void Widget::applyWindowSize()
{
    const QRect area = primaryArea();
    const bool collapsed = isWorkAreaCollapsed();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);

    if (m_maximized) {
        const QRect target(area.topLeft(), QSize(area.width(), collapsed ? barsHeight() : area.height()));
        setFixedSize(target.size());
        setGeometry(target);
        return;
    }
    if (collapsed) {
        setFixedSize(NormalWidth, barsHeight());
    } else {
        setMinimumSize(NormalWidth, NormalHeight);
        resize(NormalWidth, NormalHeight);
    }
    move(m_normalGeometry.topLeft());
}
