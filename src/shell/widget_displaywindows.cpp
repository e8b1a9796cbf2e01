// Display-window commands: add, edit, select, delete, the monitor window and hiding the
// screens; and the wiring of each display window's tree and selector button.
#include "displaysettingsdialog.h"
#include "displaywindowset.h"
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
#include <QMessageBox>
#include <QVBoxLayout>

ProjectWidget *Widget::createDisplayWindow(const PlayWinObject &values, bool defaultSchedule)
{
    if (values.name.isEmpty() || m_displays->contains(values.name))
        return nullptr;
    DisplayWindowSet::Entry entry;
    entry.window = new PlayWinObject(values);
    entry.window->backstage = false;
    setCurrentDisplayName(values.name);

    auto *treeWidget = new ProjectWidget(values.name, m_treeColumn);
    treeWidget->setAttribute(Qt::WA_TranslucentBackground);
    treeWidget->setFixedWidth(ProjectWidget::TreeWidth);
    for (ProjectWidget *other : m_displays->treeWidgets())
        other->hide();
    m_treeLayout->addWidget(treeWidget);
    treeWidget->show();
    entry.treeWidget = treeWidget;

    auto *button = new newDisplayWindowButton(values.name, m_workArea);
    entry.button = button;
    connectTree(treeWidget->tree(), button);
    // The screen comes before the schedule: the tree announces its windows to it.
    entry.screen = createScreen(*entry.window);
    m_displays->add(entry);
    m_displays->setCurrent(values.name);
    if (defaultSchedule)
        treeWidget->tree()->buildDefaultSchedule();
    else
        treeWidget->tree()->createRootItem();
    checkSchedule(QString());

    m_selectorLayout->addWidget(button);
    for (newDisplayWindowButton *other : m_displays->buttons())
        other->setChecked(other == button);
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
    return m_displays->tree(displayName);
}

newDisplayWindowButton *Widget::selectorButtonOf(const QString &displayName) const
{
    return m_displays->button(displayName);
}

void Widget::slotAddDisplayWindow()
{
    if (m_monitor)
        m_monitor->close();
    const int number = m_displays->counter() + 1;
    const QString proposed = tr("Display window") + QString::number(number);
    DisplaySettingsDialog dialog(m_displays->names(), this);
    PlayWinObject defaults;
    dialog.setValues(proposed, defaults.x, defaults.y, defaults.width, defaults.height, defaults.onTopMode);
    dialog.exec();
    if (!dialog.isAccepted())
        return;
    PlayWinObject values;
    values.name = dialog.name().isEmpty() ? proposed : dialog.name();
    values.x = dialog.x();
    values.y = dialog.y();
    values.width = dialog.displayWidth();
    values.height = dialog.displayHeight();
    values.onTopMode = dialog.onTopMode();
    if (!createDisplayWindow(values, true))
        return;
    m_displays->setCounter(number);
    m_hideButton->setText(tr("winhide"));
    setPlayButtonFromTree();
    noteEdit(tr("Add Display Window"));
}

void Widget::slotDisplayWindowSetting()
{
    PlayWinObject *window = m_displays->current();
    if (!window)
        return;
    DisplaySettingsDialog dialog(m_displays->names(window), this);
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
    // The set finds everything by the record's name, which is the new one from here on.
    if (oldName != window->name) {
        if (ProjectWidget *treeWidget = m_displays->treeWidget(window->name))
            treeWidget->setDisplayWindowName(window->name);
        if (newDisplayWindowButton *button = selectorButtonOf(window->name))
            button->setText(window->name);
        m_screenHost->renameDisplay(oldName, window->name);
        setCurrentDisplayName(window->name);
    }
    MainPlayBKLabel *screen = screenOf(window->name);
    emit sigModifySchedule(oldName, window);
    if (screen)
        applyScreenGeometry(screen, *window);
    // An open window panel bounds its fields by the display window's size, which is new.
    showCurrentNodePanel();
    noteEdit(tr("Edit Display Window"));
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
    if (!m_displays->contains(name))
        return;
    m_displays->setCurrent(name);
    setCurrentDisplayName(name);
    for (newDisplayWindowButton *button : m_displays->buttons())
        button->setChecked(button->text() == name);
    ProjectWidget *chosenTree = m_displays->treeWidget(name);
    for (ProjectWidget *treeWidget : m_displays->treeWidgets())
        treeWidget->setVisible(treeWidget == chosenTree);
    setBackstageButtonFromCurrent();
    setPlayButtonFromTree();
    m_hideButton->setText(areScreensHidden() ? tr("winshow") : tr("winhide"));
    showCurrentNodePanel();
}

void Widget::setPlayButtonFromTree()
{
    ProjectTree *tree = treeOf(currentDisplayName());
    const bool playing = tree && tree->scheduler()->isPlaying() && !tree->scheduler()->isPaused();
    m_overallPaused = tree && tree->scheduler()->isPlaying() && tree->scheduler()->isPaused();
    setPlayButtonPlaying(playing);
    m_playButton->update();
}

void Widget::slotDeleteDisplayWindow()
{
    PlayWinObject *window = m_displays->current();
    if (!window)
        return;
    const QString name = window->name;
    // Its whole schedule goes with it: asked like the other deletes of the editor.
    if (QMessageBox::question(this, tr("info"),
                              tr("Delete the display window \"%1\" and its whole schedule?").arg(name),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    // A display window that goes away stops first, so no scheduler calls reach its screen.
    if (ProjectTree *tree = treeOf(name))
        tree->slotStopPlay(name);
    const DisplayWindowSet::Entry entry = m_displays->take(name);
    if (entry.screen)
        destroyScreen(entry.screen);
    if (entry.treeWidget) {
        m_treeLayout->removeWidget(entry.treeWidget);
        entry.treeWidget->hide();
        entry.treeWidget->deleteLater();
    }
    if (entry.button) {
        m_selectorLayout->removeWidget(entry.button);
        entry.button->hide();
        entry.button->deleteLater();
    }
    delete entry.window;
    dropRemovedRecords();
    setCurrentDisplayName(QString());
    if (!m_displays->isEmpty()) {
        selectDisplayWindow(m_displays->names().first());
    } else {
        setPlayButtonFromTree();
        setBackstageButtonFromCurrent();
    }
    if (playingDisplays().isEmpty())
        setEditingEnabled(true);
    noteEdit(tr("Delete Display Window"));
}

void Widget::slotMonitor()
{
    if (!m_monitor) {
        m_monitor = new MonitorWin;
        m_monitor->resize(656, 496);
        connect(m_monitor, &QObject::destroyed, this, [this] { m_monitor = nullptr; });
    }
    QList<QRect> areas;
    for (const PlayWinObject *window : m_displays->windows())
        areas << QRect(window->x, window->y, window->width, window->height);
    m_monitor->setAreas(areas);
    m_monitor->show();
    m_monitor->raise();
}

void Widget::selectFirstDisplayWindowAfterLoad()
{
    for (newDisplayWindowButton *button : m_displays->buttons())
        button->setChecked(false);
    if (m_displays->isEmpty())
        return;
    selectDisplayWindow(m_displays->names().first());
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
    // A play command waiting for its check was for the scheme that goes.
    cancelPendingPlay();
    for (const QString &name : m_displays->names()) {
        if (ProjectTree *tree = treeOf(name))
            tree->slotStopPlay(name);
    }
    const QList<DisplayWindowSet::Entry> entries = m_displays->takeAll();
    for (const DisplayWindowSet::Entry &entry : entries) {
        if (entry.treeWidget) {
            m_treeLayout->removeWidget(entry.treeWidget);
            delete entry.treeWidget;
        }
    }
    for (const DisplayWindowSet::Entry &entry : entries)
        delete entry.window;
    for (const DisplayWindowSet::Entry &entry : entries) {
        if (entry.button) {
            m_selectorLayout->removeWidget(entry.button);
            delete entry.button;
        }
    }
    for (const DisplayWindowSet::Entry &entry : entries) {
        if (entry.screen)
            destroyScreen(entry.screen);
    }
    setCurrentDisplayName(QString());
    m_currentGeneralObject = nullptr;
    m_currentCycleObject = nullptr;
    m_currentTimingObject = nullptr;
    dropRemovedRecords();
    m_overallPaused = false;
    setPlayButtonPlaying(false);
    setBackstageButtonFromCurrent();
    setEditingEnabled(true);
}
