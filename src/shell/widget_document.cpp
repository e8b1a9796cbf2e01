// Scheme document commands of the main window.
#include "appcore/settings.h"
#include "displaywindowset.h"
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "editor/projectwidget.h"
#include "panels/scheduleview.h"
#include "mainmenubklabel.h"
#include "model/playwinobject.h"
#include "model/schemewriter.h"
#include "monitorwin.h"
#include "problemwatch.h"
#include "prodoc.h"
#include "recoverycopy.h"
#include "render/mainplaybklabel.h"
#include "titlebar.h"
#include "widget.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QMessageBox>
#include <QPoint>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

namespace {
constexpr int kDelayedStartMsecs = 2000;

QString desktopFolder()
{
    // Many Linux set-ups have no desktop folder; a missing one would be offered as a file name.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (QFileInfo(desktop).isDir())
        return desktop;
    return QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}

// A name typed without an extension would be saved as typed and then hidden by the Open
// dialog's filter.
QString withSchemeSuffix(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QStringLiteral(".schx");
}
} // namespace

QString Widget::askSavePath(const QString &title)
{
    // The dialog adds the extension itself, so it also asks before replacing "name.schx".
    QFileDialog dialog(this, title, desktopFolder(), tr("Schedule(*.schx)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("schx"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString Widget::chooseSavePath(const QString &title)
{
    return withSchemeSuffix(askSavePath(title));
}

QString Widget::askOpenPath(const QString &title)
{
    return QFileDialog::getOpenFileName(this, title, desktopFolder(), tr("Schedule(*.schx)"));
}

bool Widget::askSaveCurrent()
{
    return QMessageBox::question(this, tr("info"), tr("Do you want to save the current schedule?"),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void Widget::offerToSave()
{
    // Nothing to lose, nothing to ask.
    if (!m_prodoc->isModified() || !askSaveCurrent())
        return;
    QString path = m_prodoc->path();
    if (path.isEmpty())
        path = chooseSavePath(tr("Save As"));
    if (!path.isEmpty() && saveSchemeFile(path, false))
        m_prodoc->setPath(path);
    updateTitle();
}

QString Widget::unsavedPlayCopyPath()
{
    return stateDirectory() + QStringLiteral("/tmp.schx");
}

bool Widget::saveSchemeFile(const QString &path, bool report)
{
    QString error;
    const bool saved = m_prodoc->save(path, &error);
    if (report) {
        if (saved)
            QMessageBox::information(this, tr("info"), tr("Saved successfully,%1").arg(path),
                                     QMessageBox::Ok);
        else
            QMessageBox::information(this, tr("info"), tr("Could not save %1: %2").arg(path, error),
                                     QMessageBox::Ok);
    }
    return saved;
}

bool Widget::openSchemeFile(const QString &path, bool report)
{
    QString error;
    // The copy an unsaved scheme played from opens as what it was: a scheme of no file yet.
    const bool opened = QFileInfo(path) == QFileInfo(unsavedPlayCopyPath())
                            ? m_prodoc->openRecovered(path, QString(), &error)
                            : m_prodoc->open(path, &error);
    if (!opened) {
        if (report) {
            QMessageBox::information(
                this, tr("info"),
                tr("Could not open %1: %2\nThe current schedule is unchanged.").arg(path, error),
                QMessageBox::Ok);
        }
        return false;
    }
    // The tree of the display window whose name sorts first is the one shown.
    QStringList names = m_displays->names();
    std::sort(names.begin(), names.end());
    if (!names.isEmpty())
        selectDisplayWindow(names.first());
    updateTitle();
    updateUndoRedo();
    m_problemWatch->checkNow();
    return true;
}

void Widget::slotNewDoc()
{
    m_mainMenu->hide();
    offerToSave();
    // The new scheme is not the file that was open: saving it must ask where to, or the
    // previous scheme would be written over.
    m_prodoc->close();
    createStartingScheme();
    updateTitle();
    updateUndoRedo();
    m_problemWatch->checkNow();
}

void Widget::slotOpenDoc()
{
    m_mainMenu->hide();
    offerToSave();
    const QString path = askOpenPath(tr("Open"));
    if (path.isEmpty())
        return;
    openSchemeFile(path, true);
}

void Widget::slotSaveDoc()
{
    m_mainMenu->hide();
    QString path = m_prodoc->path();
    if (path.isEmpty())
        path = chooseSavePath(tr("Save"));
    if (path.isEmpty())
        return;
    // A scheme without a file gets the one chosen only once it is really there.
    if (saveSchemeFile(path, true))
        m_prodoc->setPath(path);
    updateTitle();
}

void Widget::slotSaveAsDoc()
{
    m_mainMenu->hide();
    const QString path = chooseSavePath(tr("Save As"));
    if (path.isEmpty())
        return;
    // The scheme is known by the new path only once it is really there.
    if (saveSchemeFile(path, true))
        m_prodoc->setPath(path);
    updateTitle();
}

void Widget::slotOpenSettingsDoc(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    // A configured scheme that turned unreadable is reported: nobody else would notice that
    // the screens stay dark.
    if (!openSchemeFile(path, true))
        return;
    if (appSettings().play == 1)
        QTimer::singleShot(kDelayedStartMsecs, this, &Widget::slotStartLast);
}

void Widget::slotOpenLastDoc(const QString &path)
{
    Q_UNUSED(path)
    slotOpenSettingsDoc(appSettings().lastSchemePath);
}

void Widget::openSchemeFromCommandLine(const QString &path, bool play)
{
    if (!QFileInfo(path).isFile()) {
        QMessageBox::information(this, tr("info"), tr("Could not open %1: no such file").arg(path),
                                 QMessageBox::Ok);
        return;
    }
    if (openSchemeFile(path, true) && play)
        QTimer::singleShot(kDelayedStartMsecs, this, &Widget::slotStartLast);
}

void Widget::slotStartLast()
{
    for (const QString &name : m_displays->names())
        startTree(name);
    m_overallPaused = false;
    setPlayButtonPlaying(true);
    showMinimized();
    if (appSettings().backStageFlag != 0)
        slotAutoBackState();
}

void Widget::slotStopCurPreview()
{
    // The editor's preview of the current screen ends where play begins; see the screens.
    AppSettings &settings = appSettings();
    if (!m_prodoc->path().isEmpty()) {
        settings.lastSchemePath = m_prodoc->path();
    } else {
        // An unsaved scheme plays from a copy, so that a restart after a crash can play it again;
        // the scheme itself still belongs to no file, and Save asks where it goes.
        const QString copy = unsavedPlayCopyPath();
        QString error;
        if (SchemeWriter::saveBytes(copy, m_prodoc->encoded(), &error))
            settings.lastSchemePath = copy;
        else
            qWarning("LumoraPlayer: the copy an unsaved scheme plays from could not be written: %s",
                     qPrintable(error));
    }
    writeSettings();
}

QString Widget::documentTitle() const
{
    return documentTitle(m_prodoc->isModified());
}

QString Widget::documentTitle(bool modified) const
{
    const QString path = m_prodoc->path();
    const QString name = path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName();
    return modified ? name + QLatin1Char('*') : name;
}

void Widget::updateTitle()
{
    // One encoding of the scheme answers the title, the recovery copy and the problems.
    const QByteArray encoding = m_prodoc->encoded();
    const bool modified = m_prodoc->isModified(encoding);
    const QString document = documentTitle(modified);
    m_titleBar->setDocumentTitle(document);
    setWindowTitle(document + QStringLiteral(" - Lumora"));
    m_recovery->update(modified);
    refreshProblems(encoding);
    scheduleView()->schemeChanged();
}

void Widget::offerRecoveredChanges()
{
    RecoveryCopy::Found found;
    if (!m_recovery->findPrevious(&found))
        return;
    const QString name = found.originPath.isEmpty() ? tr("Untitled") : QFileInfo(found.originPath).fileName();
    auto *box = new QMessageBox(QMessageBox::Question, tr("info"),
                                tr("Lumora did not close normally. Changes to %1 that were not saved were "
                                   "kept on %2. Open them?")
                                    .arg(name, QLocale().toString(found.savedAt, QLocale::ShortFormat)),
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("recoveryOffer"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Open, not run: a player that started playing by itself keeps playing while nobody answers.
    connect(box, &QMessageBox::finished, this, [this, box, found] {
        if (box->clickedButton() == box->button(QMessageBox::Yes)) {
            QString error;
            if (m_prodoc->openRecovered(found.copyPath, found.originPath, &error)) {
                QStringList names = m_displays->names();
                std::sort(names.begin(), names.end());
                if (!names.isEmpty())
                    selectDisplayWindow(names.first());
                // The changes are this session's now; its own copy keeps them.
                m_recovery->writeNow();
            } else {
                // Nothing in it can be had back; offering it again at every start would not help.
                QMessageBox::information(this, tr("info"),
                                         tr("Could not open %1: %2").arg(found.copyPath, error), QMessageBox::Ok);
            }
            updateTitle();
            updateUndoRedo();
            m_problemWatch->checkNow();
        }
        m_recovery->discardPrevious();
    });
    box->open();
}

void Widget::noteEdit(const QString &step, bool mergeable, const void *subject)
{
    // Many announcements can come from one operator action (a page and its windows, a panel
    // storing several fields, a preset carried out after the tree announced it): the step is
    // taken once they are all in.
    if (m_noteStep.isEmpty()) {
        m_noteStep = step;
        m_noteSubject = subject;
    } else if (subject != m_noteSubject) {
        // One action that changed several records is a step of its own.
        m_noteMergeable = false;
    }
    m_noteMergeable = m_noteMergeable && mergeable;
    if (m_editNoted)
        return;
    m_editNoted = true;
    QTimer::singleShot(0, this, &Widget::commitEdit);
}

void Widget::commitEdit()
{
    if (!m_editNoted)
        return;
    m_editNoted = false;
    m_prodoc->recordStep(m_noteStep, m_noteMergeable, m_noteSubject);
    m_noteStep.clear();
    m_noteSubject = nullptr;
    m_noteMergeable = true;
    updateTitle();
    updateUndoRedo();
}

void Widget::updateUndoRedo()
{
    m_mainMenu->setUndoRedo(m_prodoc->canUndo() ? m_prodoc->undoName() : QString(), m_prodoc->canUndo(),
                            m_prodoc->canRedo() ? m_prodoc->redoName() : QString(), m_prodoc->canRedo());
}

QStringList Widget::currentNodePath() const
{
    QStringList path{currentDisplayName()};
    ProjectTree *tree = treeOf(currentDisplayName());
    QStringList texts;
    for (QTreeWidgetItem *item = tree ? tree->currentTreeItem() : nullptr; item; item = item->parent())
        texts.prepend(item->text(0));
    return path + texts;
}

void Widget::selectNodePath(const QStringList &path)
{
    if (path.isEmpty() || !m_displays->contains(path.first()))
        return;
    selectDisplayWindow(path.first());
    ProjectTree *tree = treeOf(path.first());
    if (!tree || path.size() < 2)
        return;
    // Down the texts as far as they still lead: a node that the undo took away leaves its
    // parent selected.
    QTreeWidgetItem *item = tree->topLevelItem(0);
    if (!item || item->text(0) != path.at(1))
        return;
    for (int depth = 2; depth < path.size(); ++depth) {
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i) {
            if (item->child(i)->text(0) == path.at(depth))
                next = item->child(i);
        }
        if (!next)
            break;
        item = next;
    }
    tree->clearSelection();
    tree->setCurrentTreeItem(static_cast<ProjectTreeItem *>(item));
    tree->slotSelectItemChecked();
    item->setSelected(true);
}

void Widget::slotUndo()
{
    stepHistory(&Prodoc::undo);
}

void Widget::slotRedo()
{
    stepHistory(&Prodoc::redo);
}

void Widget::stepHistory(bool (Prodoc::*step)())
{
    m_mainMenu->hide();
    // Nothing is taken back under a playing schedule, as nothing is edited under one, nor
    // under a dialog that may hold a record the undo would replace.
    if (!isEditingEnabled() || QApplication::activeModalWidget())
        return;
    commitEdit();
    const QStringList selection = currentNodePath();
    // Where the operator put the screens is no part of the scheme: the rebuilt ones go back
    // where they were, away for backstage play or hidden.
    struct Placement
    {
        bool hidden;
        bool backstage;
        QPoint offset;
    };
    QHash<QString, Placement> placements;
    for (PlayWinObject *window : m_displays->windows())
        placements.insert(window->name, {m_displays->isHidden(window->name), window->backstage,
                                         m_displays->backstageOffset(window)});
    if (!(m_prodoc->*step)())
        return;
    for (PlayWinObject *window : m_displays->windows()) {
        const auto found = placements.constFind(window->name);
        if (found == placements.constEnd())
            continue;
        if (found->backstage) {
            window->backstage = true;
            placeSurface(window, found->offset);
        }
        if (found->hidden) {
            m_displays->setHidden(window->name, true);
            if (MainPlayBKLabel *screen = screenOf(window->name))
                screen->hide();
        }
    }
    selectNodePath(selection);
    updateTitle();
    updateUndoRedo();
}
