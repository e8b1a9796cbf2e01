#include "widget.h"

#include "appcore/settings.h"
#include "bootsetupwin.h"
#include "displaywindowset.h"
#include "editor/projecttree.h"
#include "editor/projectwidget.h"
#include "languagesetupwin.h"
#include "mainmenubklabel.h"
#include "menubutton.h"
#include "model/playwinobject.h"
#include "monitorwin.h"
#include "newdisplaywindowbutton.h"
#include "panels/scheduleview.h"
#include "problemswin.h"
#include "problemwatch.h"
#include "prodoc.h"
#include "propertyarea.h"
#include "recoverycopy.h"
#include "render/screenplayhost.h"
#include "shellstyle.h"
#include "titlebar.h"
#include "weathersetupwin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWindow>

namespace {
constexpr int kTopBarHeight = 72;
constexpr int kFrameBorder = 1;
constexpr int kSelectorRowHeight = 48;
constexpr int kTreeColumnWidth = 300; // the 290-pixel tree and its margins

QFrame *makeFrame(const char *name, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}
} // namespace

Widget::Widget(QWidget *parent)
    : QWidget(parent)
    , m_screenHost(new ScreenPlayHost(this))
    , m_displays(new DisplayWindowSet)
{
    m_screenHost->setInformationParent(this);
    // Editing stays locked while any display window plays: a schedule changed under its
    // scheduler's feet would play records being freed.
    connect(m_screenHost, &ScreenPlayHost::sigPlayingDisplaysChanged, this, [this] {
        setEditingEnabled(m_screenHost->playingDisplays().isEmpty());
        updateScreenStacking();
        m_properties->scheduleView()->setPlayingDisplays(m_screenHost->playingDisplays());
    });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Widget::followFocusWindow);
    setWindowTitle(QStringLiteral("Lumora"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_frame = makeFrame("mainFrame", this);
    m_frame->setStyleSheet(shellStyleSheet());
    outer->addWidget(m_frame);

    auto *column = new QVBoxLayout(m_frame);
    column->setContentsMargins(kFrameBorder, kFrameBorder, kFrameBorder, kFrameBorder);
    column->setSpacing(0);

    m_titleBar = new TitleBar(m_frame);
    column->addWidget(m_titleBar);

    m_topBar = makeFrame("topBar", m_frame);
    m_topBar->setFixedHeight(kTopBarHeight);
    buildTopBar(m_topBar);
    column->addWidget(m_topBar);

    m_workArea = makeFrame("workArea", m_frame);
    buildWorkArea();
    column->addWidget(m_workArea, 1);

    // A child of the window, not of the frame: it floats over the work area.
    m_mainMenu = new MainMenuBKLabel(this);
    m_mainMenu->setStyleSheet(shellStyleSheet());
    m_mainMenu->setTriggerWidget(m_menuButton);

    m_prodoc = new Prodoc(this);
    m_recovery = new RecoveryCopy(m_prodoc, this);
    // Created once and reused, so each keeps the outcome of its last run.
    m_bootSetupWin = new BootSetupWin(this);
    m_languageSetupWin = new LanguageSetupWin(this);
    m_weatherSetupWin = new WeatherSetupWin(this);
    m_problemWatch = new ProblemWatch(this);
    m_problemsWin = new ProblemsWin(this);
    connectCommands();
    connectPanels();
    trUpdate();

    setMinimumSize(NormalWidth, NormalHeight);
    resize(NormalWidth, NormalHeight);
    QRect centred(QPoint(), QSize(NormalWidth, NormalHeight));
    centred.moveCenter(primaryArea().center());
    move(centred.topLeft());
    m_normalGeometry = centred;

    createStartingScheme();
    updateTitle();
    updateUndoRedo();
    m_problemWatch->checkNow();
    // The conventional keys, Ctrl+Y as well, which Windows users reach for; also while a
    // screen has the focus (a window was just dragged there). A text field keeps them for
    // its own text.
    const QList<QPair<QKeySequence, void (Widget::*)()>> shortcuts{
        {MainMenuBKLabel::keysOf(QStringLiteral("undoEntry")), &Widget::slotUndo},
        {MainMenuBKLabel::keysOf(QStringLiteral("redoEntry")), &Widget::slotRedo},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), &Widget::slotRedo},
        {MainMenuBKLabel::keysOf(QStringLiteral("newEntry")), &Widget::slotNewDoc},
        {MainMenuBKLabel::keysOf(QStringLiteral("openEntry")), &Widget::slotOpenDoc},
        {MainMenuBKLabel::keysOf(QStringLiteral("saveEntry")), &Widget::slotSaveDoc},
        {MainMenuBKLabel::keysOf(QStringLiteral("saveAsEntry")), &Widget::slotSaveAsDoc},
        {MainMenuBKLabel::keysOf(QStringLiteral("playEntry")), &Widget::slotOverallPlay},
        {MainMenuBKLabel::keysOf(QStringLiteral("stopEntry")), &Widget::slotOverallStop}};
    for (const auto &entry : shortcuts) {
        auto *shortcut = new QShortcut(entry.first, this, nullptr, nullptr, Qt::ApplicationShortcut);
        const auto slot = entry.second;
        // Not under a dialog: its own keys are its own, and a command must not run beneath it.
        connect(shortcut, &QShortcut::activated, this, [this, slot] {
            if (!QApplication::activeModalWidget())
                (this->*slot)();
        });
    }
}

Widget::~Widget()
{
    if (m_monitor)
        delete m_monitor;
    delete m_recovery;
    slotClearCurrentAllScheme();
    delete m_prodoc;
}

// A fresh main window holds one display window with the default schedule, as after "new".
void Widget::createStartingScheme()
{
    PlayWinObject values;
    values.name = tr("Display window") + QLatin1Char('1');
    values.x = 0;
    values.y = 0;
    values.width = 320;
    values.height = 240;
    values.onTopMode = 1;
    createDisplayWindow(values, true);
    m_displays->setCounter(1);
    m_prodoc->markUnmodified();
    m_prodoc->resetHistory();
}

void Widget::buildTopBar(QFrame *topBar)
{
    auto *row = new QHBoxLayout(topBar);
    row->setContentsMargins(8, 2, 8, 2);
    row->setSpacing(4);

    auto add = [&](menuButton *&button, const char *name, const char *picture) {
        button = new menuButton(QLatin1String(picture), QString(), topBar);
        button->setObjectName(QLatin1String(name));
        row->addWidget(button);
    };
    auto divider = [&] {
        auto *line = makeFrame("topBarDivider", topBar);
        line->setFixedSize(1, 44);
        row->addWidget(line);
    };

    add(m_menuButton, "menuButton", ":/images/main_menu.png");
    divider();
    add(m_monitorButton, "monitorButton", ":/images/main_video.png");
    add(m_backstageButton, "backstageButton", ":/images/main_back.png");
    add(m_winupButton, "winupButton", ":/images/main_extend.png");
    add(m_lockButton, "lockButton", ":/images/main_lock.png");
    add(m_hideButton, "hideButton", ":/images/main_hide.png");
    row->addStretch(1);
    add(m_problemsButton, "problemsButton", ":/images/main_noproblems.png");
    divider();
    add(m_playButton, "playButton", ":/images/top_play.png");
    add(m_stopButton, "stopButton", ":/images/top_stop.png");
}

void Widget::buildWorkArea()
{
    auto *column = new QVBoxLayout(m_workArea);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *selectorRow = makeFrame("selectorRow", m_workArea);
    selectorRow->setFixedHeight(kSelectorRowHeight);
    auto *selectorRowLayout = new QHBoxLayout(selectorRow);
    selectorRowLayout->setContentsMargins(8, 4, 8, 4);
    selectorRowLayout->setSpacing(4);
    m_selectorLayout = new QHBoxLayout;
    m_selectorLayout->setSpacing(4);
    selectorRowLayout->addLayout(m_selectorLayout);
    selectorRowLayout->addStretch(1);
    column->addWidget(selectorRow);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);

    auto *treeColumn = makeFrame("treeColumn", m_workArea);
    m_treeColumn = treeColumn;
    treeColumn->setFixedWidth(kTreeColumnWidth);
    m_treeLayout = new QVBoxLayout(treeColumn);
    m_treeLayout->setContentsMargins(4, 4, 4, 4);
    body->addWidget(treeColumn);

    auto *propertyArea = makeFrame("propertyArea", m_workArea);
    m_propertyArea = propertyArea;
    m_propertyLayout = new QVBoxLayout(propertyArea);
    m_propertyLayout->setContentsMargins(12, 8, 12, 8);
    m_properties = new PropertyArea(m_propertyArea, m_propertyLayout, this);
    body->addWidget(propertyArea, 1);

    column->addLayout(body, 1);
}

void Widget::connectCommands()
{
    // title bar -> window
    connect(m_titleBar, &TitleBar::minimizeRequested, this, &Widget::showMinimized);
    connect(m_titleBar, &TitleBar::maximizeRequested, this, &Widget::slotShowMaximized);
    connect(m_titleBar, &TitleBar::restoreRequested, this, &Widget::slotResume);
    connect(m_titleBar, &TitleBar::closeRequested, this, &Widget::slotClose);

    // top bar -> commands
    connect(m_menuButton, &menuButton::sigBtnPressed, this, &Widget::slotShowMainMenu);
    connect(m_monitorButton, &menuButton::sigBtnPressed, this, &Widget::slotMonitor);
    connect(m_backstageButton, &menuButton::sigBtnPressed, this, &Widget::slotBackstage);
    connect(m_winupButton, &menuButton::sigBtnPressed, this, &Widget::slotWinup);
    connect(m_lockButton, &menuButton::sigBtnPressed, this, &Widget::slotOverallLock);
    connect(m_hideButton, &menuButton::sigBtnPressed, this, &Widget::slotWinHide);
    connect(m_playButton, &menuButton::sigBtnPressed, this, &Widget::slotOverallPlay);
    connect(m_stopButton, &menuButton::sigBtnPressed, this, &Widget::slotOverallStop);
    connect(m_problemsButton, &menuButton::sigBtnPressed, this, &Widget::slotShowProblems);

    // problems -> top bar, list, trees; list -> tree
    connect(m_problemWatch, &ProblemWatch::checked, this, &Widget::showProblems);
    connect(m_problemsWin, &ProblemsWin::problemChosen, this, &Widget::goToProblem);

    // main menu -> commands
    connect(m_mainMenu, &MainMenuBKLabel::sigNewDoc, this, &Widget::slotNewDoc);
    connect(m_mainMenu, &MainMenuBKLabel::sigOpenDoc, this, &Widget::slotOpenDoc);
    connect(m_mainMenu, &MainMenuBKLabel::sigSaveDoc, this, &Widget::slotSaveDoc);
    connect(m_mainMenu, &MainMenuBKLabel::sigSaveAsDoc, this, &Widget::slotSaveAsDoc);
    connect(m_mainMenu, &MainMenuBKLabel::sigUndo, this, &Widget::slotUndo);
    connect(m_mainMenu, &MainMenuBKLabel::sigRedo, this, &Widget::slotRedo);
    connect(m_mainMenu, &MainMenuBKLabel::sigPlay, this, &Widget::slotMenuPlay);
    connect(m_mainMenu, &MainMenuBKLabel::sigPause, this, &Widget::slotMenuPause);
    connect(m_mainMenu, &MainMenuBKLabel::sigStop, this, &Widget::slotMenuStop);
    connect(m_mainMenu, &MainMenuBKLabel::sigSetBoot, this, &Widget::slotSetBoot);
    connect(m_mainMenu, &MainMenuBKLabel::sigSetPlay, this, &Widget::slotSetPlay);
    connect(m_mainMenu, &MainMenuBKLabel::sigLanguage, this, &Widget::slotSetupLanguage);
    connect(m_mainMenu, &MainMenuBKLabel::sigWeather, this, &Widget::slotSetupWeather);
    connect(m_mainMenu, &MainMenuBKLabel::sigScreens, this, &Widget::slotShowScreens);
}

bool Widget::isWorkAreaCollapsed() const
{
    return m_workArea->isHidden();
}

int Widget::barsHeight() const
{
    return TitleBar::Height + kTopBarHeight + 2 * kFrameBorder;
}

QRect Widget::primaryArea() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, NormalWidth, NormalHeight);
}

void Widget::setPlayButtonPlaying(bool playing)
{
    m_playButtonPlaying = playing;
    m_playButton->setText(playing ? tr("pause") : tr("play"));
    m_playButton->setPicture(playing ? QStringLiteral(":/images/top_pause.png")
                                     : QStringLiteral(":/images/top_play.png"));
}

void Widget::trUpdate()
{
    m_titleBar->retranslate();
    updateTitle();
    m_mainMenu->retranslate();
    for (ProjectWidget *treeWidget : m_displays->treeWidgets())
        treeWidget->tree()->retranslate();
    for (newDisplayWindowButton *button : m_displays->buttons())
        button->retranslate();

    m_menuButton->setText(tr("menu"));
    m_monitorButton->setText(tr("monitor"));
    setBackstageButtonFromCurrent();
    m_winupButton->setText(isWorkAreaCollapsed() ? tr("win-show") : tr("win-up"));
    m_lockButton->setText(m_windowsLocked ? tr("winunlock") : tr("winlock"));
    m_hideButton->setText(areScreensHidden() ? tr("winshow") : tr("winhide"));
    // A stopped schedule must not read "pause": only a playing, unpaused one does.
    setPlayButtonPlaying(m_playButtonPlaying && !m_overallPaused);
    m_stopButton->setText(tr("stop"));
    updateProblemsButton();
    // The problems found are told in the language of their check.
    if (m_problemWatch->hasChecked())
        m_problemWatch->recheck();
    m_playButton->setToolTip(MainMenuBKLabel::keysOf(QStringLiteral("playEntry")).toString(QKeySequence::NativeText));
    m_stopButton->setToolTip(MainMenuBKLabel::keysOf(QStringLiteral("stopEntry")).toString(QKeySequence::NativeText));
}

void Widget::changeEvent(QEvent *event)
{
    // Every language change, whoever installed the translators, re-applies the texts.
    if (event->type() == QEvent::LanguageChange)
        trUpdate();
    QWidget::changeEvent(event);
}

void Widget::closeEvent(QCloseEvent *event)
{
    m_mainMenu->hide();
    // Changes the operator was asked about and gave up go; changes nobody asked about (the
    // session ends, the window manager closes the window) stay for the next start to offer.
    if (m_closeAsked || !m_prodoc->isModified())
        m_recovery->discard();
    else
        m_recovery->writeNow();
    m_recovery->waitForDisk();
    appSettings().closeType = QStringLiteral("normal");
    writeCloseType();
    event->accept();
    // The screens and the monitor are windows of their own: closing the console ends the
    // program instead of leaving it running on the screens with no way back to the console.
    QCoreApplication::quit();
}
