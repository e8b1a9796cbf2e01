// Display-window commands: add, edit, select, delete, the monitor window and hiding the
// screens; and the wiring of each display window's tree and selector button.
#include "displaysettingsdialog.h"
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "editor/projectwidget.h"
#include "menubutton.h"
#include "model/playwinobject.h"
#include "monitorwin.h"
#include "newdisplaywindowbutton.h"
#include "player/segmentscheduler.h"
#include "render/screenplayhost.h"
#include "widget.h"

#include <QAction>
#include <QHBoxLayout>
#include <QVBoxLayout>

ProjectWidget *Widget::createDisplayWindow(const PlayWinObject &values, bool defaultSchedule)
{
    if (values.name.isEmpty() || displayTrees.contains(values.name))
        return nullptr;
    auto *window = new PlayWinObject(values);
    window->backstage = false;
    currentDisplayWindow = window;
    setCurrentDisplayName(window->name);

    auto *treeWidget = new ProjectWidget(window->name, m_treeColumn);
    treeWidget->setAttribute(Qt::WA_TranslucentBackground);
    treeWidget->setFixedWidth(ProjectWidget::TreeWidth);
    for (ProjectWidget *other : qAsConst(displayTrees))
        other->hide();
    m_treeLayout->addWidget(treeWidget);
    treeWidget->show();

    auto *button = new newDisplayWindowButton(window->name, m_workArea);
    connectTree(treeWidget->tree(), button);
    // The screen comes before the schedule: the tree announces its windows to it.
    if (MainPlayBKLabel *screen = createScreen(*window))
        displayScreens.append(screen);
    if (defaultSchedule)
        treeWidget->tree()->buildDefaultSchedule();
    else
        treeWidget->tree()->createRootItem();

    displayTrees.insert(window->name, treeWidget);
    displayWindows.append(window);
    checkSchedule(QString());

    m_selectorLayout->addWidget(button);
    selectorButtons.append(button);
    for (newDisplayWindowButton *other : qAsConst(selectorButtons))
        other->setChecked(other == button);
    currentSelectorButton = button;
    setBackstageButtonFromCurrent();
    return treeWidget;
}

void Widget::connectTree(ProjectTree *tree, newDisplayWindowButton *button)
{
    tree->setTreeHost(this);
    // The scheduler hands its windows to the screens, which report the ends of page passes.
    m_screenHost->addDisplay(tree->scheduler(), nullptr);
    // main window -> tree
    connect(this, &Widget::sigStartPlay, tree, &ProjectTree::slotStartPlay);
    connect(this, &Widget::sigStopPlay, tree, &ProjectTree::slotStopPlay);
    connect(this, &Widget::sigModifySchedule, tree, &ProjectTree::slotModifySchedule);
    // tree -> main window
    connect(tree, &ProjectTree::sigBeginPlayFailed, this, &Widget::slotBeginPlayFailed);
    connect(tree, &ProjectTree::sigAddCommonWin, this, &Widget::slotAddCommonWin);
    connectEditing(tree);
    // selector button -> main window
    connect(button, &newDisplayWindowButton::sigBtnChecked, this, &Widget::slotDisplayWindowChecked);
    connect(button->settingAction(), &QAction::triggered, this, [this, button] {
        selectDisplayWindow(button->text());
        slotDisplayWindowSetting();
    });
    connect(button->addAction(), &QAction::triggered, this, &Widget::slotAddDisplayWindow);
    connect(button->deleteAction(), &QAction::triggered, this, [this, button] {
        selectDisplayWindow(button->text());
        slotDeleteDisplayWindow();
    });
}

ProjectTree *Widget::treeOf(const QString &displayName) const
{
    ProjectWidget *treeWidget = displayTrees.value(displayName);
    return treeWidget ? treeWidget->tree() : nullptr;
}

newDisplayWindowButton *Widget::selectorButtonOf(const QString &displayName) const
{
    for (newDisplayWindowButton *button : selectorButtons) {
        if (button->text() == displayName)
            return button;
    }
    return nullptr;
}

void Widget::slotAddDisplayWindow()
{
    if (m_monitor)
        m_monitor->close();
    ++displayWindowCounter;
    const QString proposed = tr("Display window") + QString::number(displayWindowCounter);
    QStringList names;
    for (const PlayWinObject *window : qAsConst(displayWindows))
        names << window->name;
    DisplaySettingsDialog dialog(names, this);
    PlayWinObject defaults;
    dialog.setValues(proposed, defaults.x, defaults.y, defaults.width, defaults.height, defaults.onTopMode);
    dialog.exec();
    if (!dialog.isAccepted()) {
        --displayWindowCounter;
        return;
    }
    PlayWinObject values;
    values.name = dialog.name().isEmpty() ? proposed : dialog.name();
    values.x = dialog.x();
    values.y = dialog.y();
    values.width = dialog.displayWidth();
    values.height = dialog.displayHeight();
    values.onTopMode = dialog.onTopMode();
    if (!createDisplayWindow(values, true)) {
        --displayWindowCounter;
        return;
    }
    screensHidden = false;
    m_hideButton->setText(tr("winhide"));
    setPlayButtonFromTree();
}

void Widget::slotDisplayWindowSetting()
{
    PlayWinObject *window = currentDisplayWindow;
    if (!window)
        return;
    QStringList names;
    for (const PlayWinObject *other : qAsConst(displayWindows)) {
        if (other != window)
            names << other->name;
    }
    DisplaySettingsDialog dialog(names, this);
    dialog.setValues(window->name, window->x, window->y, window->width, window->height, window->onTopMode);
    dialog.exec();
    if (!dialog.isAccepted())
        return;
    const QString oldName = window->name;
    window->name = dialog.name();
    window->x = dialog.x();
    window->y = dialog.y();
    window->width = dialog.displayWidth();
    window->height = dialog.displayHeight();
    window->onTopMode = dialog.onTopMode();
    if (oldName != window->name) {
        if (ProjectWidget *treeWidget = displayTrees.take(oldName)) {
            treeWidget->setDisplayWindowName(window->name);
            displayTrees.insert(window->name, treeWidget);
        }
        if (newDisplayWindowButton *button = selectorButtonOf(oldName))
            button->setText(window->name);
        m_screenHost->renameDisplay(oldName, window->name);
        m_hiddenScreens.insert(window->name, m_hiddenScreens.take(oldName));
        setCurrentDisplayName(window->name);
    }
    MainPlayBKLabel *screen = screenOf(oldName);
    emit sigModifySchedule(oldName, window);
    if (screen)
        applyScreenGeometry(screen, *window);
}

void Widget::slotDisplayWindowChecked()
{
    auto *button = qobject_cast<newDisplayWindowButton *>(sender());
    if (!button)
        return;
    selectDisplayWindow(button->text());
}

void Widget::selectDisplayWindow(const QString &name)
{
    PlayWinObject *chosen = nullptr;
    for (PlayWinObject *window : qAsConst(displayWindows)) {
        if (window->name == name)
            chosen = window;
    }
    if (!chosen)
        return;
    currentDisplayWindow = chosen;
    setCurrentDisplayName(name);
    for (newDisplayWindowButton *button : qAsConst(selectorButtons)) {
        button->setChecked(button->text() == name);
        if (button->text() == name)
            currentSelectorButton = button;
    }
    for (auto it = displayTrees.cbegin(); it != displayTrees.cend(); ++it)
        it.value()->setVisible(it.key() == name);
    setBackstageButtonFromCurrent();
    setPlayButtonFromTree();
    screensHidden = m_hiddenScreens.value(name, false);
    m_hideButton->setText(screensHidden ? tr("winshow") : tr("winhide"));
    showCurrentNodePanel();
}

void Widget::setPlayButtonFromTree()
{
    ProjectTree *tree = treeOf(currentDisplayName());
    const bool playing = tree && tree->scheduler()->isPlaying() && !tree->scheduler()->isPaused();
    overallPaused = tree && tree->scheduler()->isPlaying() && tree->scheduler()->isPaused();
    setPlayButtonPlaying(playing);
    m_playButton->update();
}

void Widget::slotDeleteDisplayWindow()
{
    PlayWinObject *window = currentDisplayWindow;
    if (!window)
        return;
    const QString name = window->name;
    // A display window that goes away stops first, so no scheduler calls reach its screen.
    if (ProjectTree *tree = treeOf(name))
        tree->slotStopPlay(name);
    if (MainPlayBKLabel *screen = screenOf(name)) {
        displayScreens.removeAll(screen);
        destroyScreen(screen);
    }
    if (ProjectWidget *treeWidget = displayTrees.take(name)) {
        m_treeLayout->removeWidget(treeWidget);
        treeWidget->hide();
        treeWidget->deleteLater();
    }
    if (newDisplayWindowButton *button = selectorButtonOf(name)) {
        selectorButtons.removeAll(button);
        m_selectorLayout->removeWidget(button);
        button->hide();
        button->deleteLater();
    }
    displayWindows.removeAll(window);
    m_backstageOffsets.remove(window);
    delete window;
    dropRemovedRecords();
    m_hiddenScreens.remove(name);
    currentDisplayWindow = nullptr;
    setCurrentDisplayName(QString());
    currentSelectorButton = nullptr;
    if (!displayWindows.isEmpty()) {
        selectDisplayWindow(displayWindows.first()->name);
    } else {
        setPlayButtonFromTree();
        setBackstageButtonFromCurrent();
    }
    if (playingDisplays().isEmpty())
        setEditingEnabled(true);
}

void Widget::slotMonitor()
{
    if (!m_monitor) {
        m_monitor = new MonitorWin;
        m_monitor->resize(656, 496);
        connect(m_monitor, &QObject::destroyed, this, [this] { m_monitor = nullptr; });
    }
    QList<QRect> areas;
    for (const PlayWinObject *window : qAsConst(displayWindows))
        areas << QRect(window->x, window->y, window->width, window->height);
    m_monitor->setAreas(areas);
    m_monitor->show();
    m_monitor->raise();
}

void Widget::selectFirstDisplayWindowAfterLoad()
{
    for (newDisplayWindowButton *button : qAsConst(selectorButtons))
        button->setChecked(false);
    if (displayWindows.isEmpty())
        return;
    selectDisplayWindow(displayWindows.first()->name);
    if (ProjectTree *tree = treeOf(currentDisplayName())) {
        auto *first = static_cast<ProjectTreeItem *>(tree->topLevelItem(0));
        tree->setCurrentTreeItem(first);
        tree->slotSelectItemChecked();
        if (first)
            first->setSelected(true);
    }
}

void Widget::slotClearCurrentAllScheme()
{
    for (const QString &name : displayTrees.keys()) {
        if (ProjectTree *tree = treeOf(name))
            tree->slotStopPlay(name);
    }
    displayWindowCounter = 0;
    for (ProjectWidget *treeWidget : qAsConst(displayTrees)) {
        m_treeLayout->removeWidget(treeWidget);
        delete treeWidget;
    }
    displayTrees.clear();
    qDeleteAll(displayWindows);
    displayWindows.clear();
    m_backstageOffsets.clear();
    for (newDisplayWindowButton *button : qAsConst(selectorButtons)) {
        m_selectorLayout->removeWidget(button);
        delete button;
    }
    selectorButtons.clear();
    for (MainPlayBKLabel *screen : qAsConst(displayScreens))
        destroyScreen(screen);
    displayScreens.clear();
    m_hiddenScreens.clear();
    currentDisplayWindow = nullptr;
    setCurrentDisplayName(QString());
    currentSelectorButton = nullptr;
    m_currentGeneralObject = nullptr;
    m_currentCycleObject = nullptr;
    m_currentTimingObject = nullptr;
    dropRemovedRecords();
    overallPaused = false;
    setPlayButtonPlaying(false);
    setBackstageButtonFromCurrent();
    setEditingEnabled(true);
}
