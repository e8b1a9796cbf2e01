// The screens of the display windows and the play windows on them. The schedulers hand their
// windows to the screens' play host; the main window adds the editor's side: the preview of
// the selected page, hiding and locking the screens.
#include "appcore/screensurvey.h"
#include "appcore/settings.h"
#include "displaywindowset.h"
#include "menubutton.h"
#include "model/commonwinobject.h"
#include "model/playwinobject.h"
#include "model/windowgeometry.h"
#include "monitorwin.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "render/playlabel.h"
#include "render/screenplayhost.h"
#include "widget.h"

#include <QApplication>
#include <QMessageBox>
#include <QWindow>

namespace {
// "Never" lets other windows cover the screen, "Always" keeps it on top, and "Playing" keeps it
// on top while its schedule plays only.
Qt::WindowFlags screenFlags(int onTopMode, bool playing)
{
    const bool onTop = onTopMode == 1 || (onTopMode == 2 && playing);
    if (!onTop)
        return Qt::Window | Qt::FramelessWindowHint;
    return Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
}
} // namespace

QString Widget::currentDisplayName() const
{
    return m_screenHost->currentDisplayName();
}

void Widget::setCurrentDisplayName(const QString &name)
{
    m_screenHost->setCurrentDisplayName(name);
}

bool Widget::areScreensHidden() const
{
    return m_displays->isHidden(currentDisplayName());
}

QStringList Widget::playingDisplays() const
{
    return m_screenHost->playingDisplays();
}

MainPlayBKLabel *Widget::createScreen(const PlayWinObject &window)
{
    auto *screen = new MainPlayBKLabel(window.name);
    screen->windowsLocked = m_windowsLocked;
    screen->hardDecode = appSettings().hardDecode == 1;
    screenHost()->addDisplay(nullptr, screen);
    connectScreenToPanels(screen);
    // screen -> main window
    connect(screen, &MainPlayBKLabel::sigItemStarted, this,
            [this, screen](CommonWinObject *w, const QString &item) {
                emit sigNowPlaying(screen->name, w ? w->name : QString(), item);
            });
    connect(screen, &MainPlayBKLabel::sigPlayEvent, this,
            [this](CommonWinObject *, const PlayEvent &event) { emit sigPlayEvent(event); });
    connect(screen, &MainPlayBKLabel::sigPlayResumed, this, [this, screen](CommonWinObject *w) {
        emit sigPlayResumed(screen->name, w ? w->name : QString());
    });
    applyScreenGeometry(screen, window);
    return screen;
}

MainPlayBKLabel *Widget::screenOf(const QString &displayName) const
{
    return m_displays->screen(displayName);
}

void Widget::applyScreenGeometry(MainPlayBKLabel *screen, const PlayWinObject &window)
{
    screen->name = window.name;
    screen->setWindowTitle(window.name);
    const Qt::WindowFlags flags = screenFlags(window.onTopMode, playingDisplays().contains(window.name));
    if (screen->windowFlags() != flags)
        screen->setWindowFlags(flags);
    // A display window moved away for backstage play stays away when it is edited.
    screen->setGeometry(playedGeometry(window).translated(m_displays->backstageOffset(&window)));
    if (!m_displays->isHidden(window.name)) {
        screen->show();
        keepEditorInFront();
    }
}

QRect Widget::playedGeometry(const PlayWinObject &window) const
{
    QRect desktop;
    for (const QRect &area : screenSurvey().screenRects)
        desktop |= area;
    return WindowGeometry::playedDisplay(window.x, window.y, window.width, window.height, desktop);
}

void Widget::updateScreenStacking()
{
    for (const PlayWinObject *window : m_displays->windows()) {
        MainPlayBKLabel *screen = screenOf(window->name);
        if (!screen)
            continue;
        const Qt::WindowFlags flags = screenFlags(window->onTopMode, playingDisplays().contains(window->name));
        if (screen->windowFlags() == flags)
            continue;
        // Only the hint changes: the native window stays, and the video playing in it with it
        // (setWindowFlags would make the screen again).
        screen->overrideWindowFlags(flags);
        if (QWindow *handle = screen->windowHandle())
            handle->setFlags(flags);
    }
}

void Widget::keepEditorInFront()
{
    // Without a window manager nothing raises a window that is clicked, and a screen that
    // appears comes over everything: the editor the operator is working in is raised here.
    if (!m_editorInUse || !isVisible() || isMinimized())
        return;
    raise();
    // Its own dialogs, message boxes and menus stay over it, also one that appeared before
    // the click that brought the editor back was taken in.
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top != this && top->isVisible() && top->windowHandle() &&
            top->windowHandle()->transientParent() == windowHandle())
            top->raise();
    }
}

void Widget::followFocusWindow(QWindow *focused)
{
    // Between two windows (a dialog closing, another program taking over) there is none;
    // what the operator last worked in counts.
    if (!focused)
        return;
    QWindow *top = focused;
    while (top->transientParent())
        top = top->transientParent();
    const bool wasInUse = m_editorInUse;
    m_editorInUse = top == windowHandle();
    // Coming back to the editor from a screen or another program raises it; its own menus
    // and dialogs come and go over it and must not be covered by it.
    if (m_editorInUse && !wasInUse && focused == windowHandle())
        keepEditorInFront();
}

void Widget::destroyScreen(MainPlayBKLabel *screen)
{
    screenHost()->removeDisplay(screen->name);
    for (CommonPlayWindow *pw : qAsConst(screen->playWindows))
        pw->stopWindowPlay();
    delete screen;
}

void Widget::pauseWindowsOf(const QString &displayName)
{
    screenHost()->pauseDisplay(displayName);
}

// ---------------------------------------------------------------- editor preview

namespace {
QString pageKey(const QString &kind, const QString &segment, const QString &page)
{
    return kind + QLatin1Char('/') + segment + QLatin1Char('/') + page;
}
} // namespace

void Widget::slotAddCommonWin(CommonWinObject *window, const QString &displayName, const QString &segmentKind)
{
    Q_UNUSED(segmentKind)
    if (MainPlayBKLabel *screen = screenOf(displayName)) {
        CommonPlayWindow *pw = screen->showCommonWindow(false, window);
        // Only the page being previewed shows: a window restored from a file, pasted with its
        // page or segment, or brought back by undo waits for its page to be selected.
        const bool previewed = m_previewedPage.value(displayName) ==
                               pageKey(window->segmentKind, window->segmentName, window->programName);
        if (pw && (screen->realPlayMode || !previewed))
            pw->hide();
        restackPage(window);
    }
}

void Widget::hidePreview(const QString &displayName)
{
    m_previewedPage.remove(displayName);
    MainPlayBKLabel *screen = screenOf(displayName);
    if (!screen || screen->realPlayMode)
        return;
    for (CommonPlayWindow *pw : qAsConst(screen->playWindows)) {
        pw->stopPreview();
        pw->hide();
    }
}

void Widget::previewPage(const QString &displayName, const QString &segmentKind, const ProgramObject *page)
{
    MainPlayBKLabel *screen = screenOf(displayName);
    if (!screen || screen->realPlayMode)
        return;
    if (!page || page->windows.isEmpty()) {
        hidePreview(displayName);
        if (page) {
            m_previewedPage.insert(displayName, pageKey(segmentKind, page->segmentName, page->name));
            screen->setPageBackground(page->backgroundColor, page->backgroundImage, page->backgroundDisplayType);
        }
        return;
    }
    screen->setPageBackground(page->backgroundColor, page->backgroundImage, page->backgroundDisplayType);
    showPagePreview(page->windows.first(), false);
}

void Widget::showPagePreview(CommonWinObject *window, bool selectIt)
{
    MainPlayBKLabel *screen = screenOf(window->displayWindowName);
    if (!screen || screen->realPlayMode)
        return;
    m_previewedPage.insert(window->displayWindowName,
                           pageKey(window->segmentKind, window->segmentName, window->programName));
    for (CommonPlayWindow *pw : qAsConst(screen->playWindows)) {
        const bool samePage = pw->winObject->programName == window->programName &&
                              pw->winObject->segmentName == window->segmentName &&
                              pw->winObject->segmentKind == window->segmentKind;
        pw->selected = selectIt && pw->shows(window);
        if (!samePage) {
            pw->stopPreview();
            pw->hide();
        }
    }
    screen->showCommonWindow(false, window);
}

// ---------------------------------------------------------------- top-bar commands

void Widget::slotWinHide()
{
    MainPlayBKLabel *screen = screenOf(currentDisplayName());
    const bool hide = !areScreensHidden();
    if (screen) {
        for (CommonPlayWindow *pw : qAsConst(screen->playWindows)) {
            if (hide)
                pw->videoPlayer->hide();
            else if (pw->currentType == QLatin1String("video"))
                pw->videoPlayer->show();
        }
        screen->setVisible(!hide);
    }
    m_displays->setHidden(currentDisplayName(), hide);
    m_hideButton->setText(hide ? tr("winshow") : tr("winhide"));
    if (!hide)
        keepEditorInFront();
}

void Widget::slotOverallLock()
{
    const bool lock = !m_windowsLocked;
    m_windowsLocked = lock;
    m_lockButton->setText(lock ? tr("winunlock") : tr("winlock"));
    for (MainPlayBKLabel *screen : m_displays->screens())
        screen->windowsLocked = lock;
    m_lockButton->update();
}

void Widget::showInformation(const QString &title, const QString &text)
{
    QMessageBox::information(hostWindow(), title, text, QMessageBox::Ok);
}
