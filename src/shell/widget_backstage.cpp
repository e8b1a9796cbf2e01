// Backstage play: the surface of a display window moves onto another screen, so that the
// operator's own screen stays free while the LED screen plays, and back again.
#include "appcore/screensurvey.h"
#include "appcore/settings.h"
#include "displaywindowset.h"
#include "extendwin.h"
#include "menubutton.h"
#include "model/playwinobject.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "widget.h"

void Widget::setBackstageButtonFromCurrent()
{
    const PlayWinObject *current = m_displays->current();
    const bool away = current && current->backstage;
    m_backstageButton->setText(away ? tr("frontground") : tr("background"));
    m_backstageButton->update();
}

void Widget::placeSurface(PlayWinObject *window, const QPoint &offset)
{
    m_displays->setBackstageOffset(window, offset);
    MainPlayBKLabel *screen = screenOf(window->name);
    if (!screen)
        return;
    screen->move(playedGeometry(*window).topLeft() + offset);
    // The play windows are children of the surface and travel with it; their video covers
    // are windows of their own and are placed again over them.
    for (CommonPlayWindow *pw : qAsConst(screen->playWindows))
        pw->layoutMediaWidgets();
}

void Widget::slotBackstage()
{
    const QList<QRect> &screens = screenSurvey().screenRects;
    if (screens.size() < 2)
        return;
    // With no scheme open or nothing selected there is nothing to move, and the button
    // must not claim otherwise.
    PlayWinObject *window = m_displays->current();
    if (!window)
        return;
    const bool twoScreens = screens.size() == 2;
    QStringList unwritten;
    if (!window->backstage) {
        QRect target = screens.at(1);
        if (!twoScreens) {
            ExtendWin dialog(screens.mid(1), this);
            dialog.exec();
            if (dialog.isCancelled())
                return;
            target = screens.value(dialog.chosenIndex() + 1, target);
        }
        window->backstage = true;
        placeSurface(window, target.topLeft());
        if (twoScreens) {
            appSettings().backStageFlag = 1;
            if (!writeBackStageFlag())
                unwritten << settingsFilePath();
        }
    } else {
        window->backstage = false;
        placeSurface(window, QPoint());
        if (twoScreens) {
            appSettings().backStageFlag = 0;
            if (!writeBackStageFlag())
                unwritten << settingsFilePath();
        }
    }
    setBackstageButtonFromCurrent();
    reportUnwritten(unwritten);
}

void Widget::slotAutoBackState()
{
    const QList<QRect> &screens = screenSurvey().screenRects;
    if (screens.size() < 2)
        return;
    const QPoint offset = screens.at(1).topLeft();
    for (PlayWinObject *window : m_displays->windows()) {
        // One that is away already stays where it is instead of going twice the distance.
        if (window->backstage)
            continue;
        window->backstage = true;
        placeSurface(window, offset);
    }
    setBackstageButtonFromCurrent();
}
