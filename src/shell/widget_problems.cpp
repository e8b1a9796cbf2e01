// The problems of the scheme being edited, as `lumora-scheme check` reports them: the top-bar
// button with their count, the list it opens, the marks in the trees, and the question before
// the operator's play command starts a schedule that has some.
#include "displaywindowset.h"
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "mainmenubklabel.h"
#include "menubutton.h"
#include "panels/windowpanel.h"
#include "player/segmentrules.h"
#include "player/segmentscheduler.h"
#include "problemswin.h"
#include "problemwatch.h"
#include "prodoc.h"
#include "propertyarea.h"
#include "widget.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace {
// Problems named in the play question; the list shows them all.
constexpr int kProblemsAsked = 3;
} // namespace

void Widget::refreshProblems(const QByteArray &encoding)
{
    // Relative media paths name files beside the scheme, as the player finds them; a scheme
    // without a file yet has them where the player runs.
    const QString path = m_prodoc->path();
    m_problemWatch->setScheme(encoding,
                              path.isEmpty() ? QDir::currentPath() : QFileInfo(path).absolutePath());
}

void Widget::slotShowProblems()
{
    m_mainMenu->hide();
    if (!m_problemsWin->isVisible()) {
        // Low over the property area, clear of the tree whose nodes it selects and of the
        // fields at the top of the panels.
        const QRect area(m_workArea->mapToGlobal(QPoint()), m_workArea->size());
        m_problemsWin->move(qMax(area.left(), area.right() - m_problemsWin->width() - 12),
                            qMax(area.top(), area.bottom() - m_problemsWin->height() - 12));
    }
    m_problemsWin->show();
    m_problemsWin->raise();
    m_problemsWin->activateWindow();
}

void Widget::updateProblemsButton()
{
    const int count = m_problemWatch->problems().size();
    m_problemsButton->setText(m_problemWatch->hasChecked() ? tr("problems (%1)").arg(count) : tr("problems"));
    m_problemsButton->setPicture(count > 0 ? QStringLiteral(":/images/main_problems.png")
                                           : QStringLiteral(":/images/main_noproblems.png"));
}

void Widget::showProblems()
{
    updateProblemsButton();
    m_problemsWin->setProblems(m_problemWatch->problems());
    markProblems();
    if (!m_pendingPlay.isEmpty())
        answerPendingPlay();
}

void Widget::markProblems()
{
    QHash<QString, QHash<QTreeWidgetItem *, QStringList>> marks; // by display window
    for (const ProblemWatch::Problem &problem : m_problemWatch->problems()) {
        const SchemeLocation &at = problem.location;
        ProjectTree *tree = treeOf(at.displayWindow);
        if (ProjectTreeItem *node =
                tree ? tree->nodeOf(at.segmentKind, at.segment, at.page, at.window) : nullptr)
            marks[at.displayWindow][node] << problem.message;
    }
    for (const QString &name : m_displays->names()) {
        if (ProjectTree *tree = treeOf(name))
            tree->markProblems(marks.value(name));
    }
}

void Widget::goToProblem(int index)
{
    const QList<ProblemWatch::Problem> &problems = m_problemsWin->problems();
    // Nothing is selected under a playing schedule, as nothing is edited under one.
    if (index < 0 || index >= problems.size() || !isEditingEnabled())
        return;
    const SchemeLocation &at = problems.at(index).location;
    if (!m_displays->contains(at.displayWindow))
        return;
    selectDisplayWindow(at.displayWindow);
    ProjectTree *tree = treeOf(at.displayWindow);
    ProjectTreeItem *node = tree ? tree->nodeOf(at.segmentKind, at.segment, at.page, at.window) : nullptr;
    if (!node)
        return;
    tree->clearSelection();
    tree->setCurrentTreeItem(node);
    tree->slotSelectItemChecked();
    node->setSelected(true);
    tree->scrollToItem(node);
    // An item's problem opens the item in the window's media list, with its panel.
    if (at.item >= 0 && !at.window.isEmpty() && m_selectedWindow && m_selectedWindow->name == at.window)
        m_properties->windowPanel()->selectMediaRow(at.item);
}

void Widget::playAfterCheck(const QStringList &displayNames)
{
    // One play command at a time: the one waiting for its check is answered first.
    if (!m_pendingPlay.isEmpty())
        return;
    m_pendingPlay = displayNames;
    // What is asked about is the scheme as it is now, whatever the last check saw. Back at the
    // scheme checked last, the answer has come already.
    refreshProblems(m_prodoc->encoded());
    if (m_pendingPlay.isEmpty())
        return;
    if (m_problemWatch->isCurrent()) {
        answerPendingPlay();
        return;
    }
    setCursor(Qt::BusyCursor);
    m_problemWatch->checkNow();
}

void Widget::cancelPendingPlay()
{
    m_pendingPlay.clear();
    unsetCursor();
}

void Widget::answerPendingPlay()
{
    if (m_pendingPlay.isEmpty())
        return;
    const QStringList names = std::exchange(m_pendingPlay, QStringList());
    unsetCursor();
    QList<ProblemWatch::Problem> found;
    for (const ProblemWatch::Problem &problem : m_problemWatch->problems()) {
        // A schedule without any item is refused by its scheduler, which says so itself.
        ProjectTree *tree =
            names.contains(problem.location.displayWindow) ? treeOf(problem.location.displayWindow) : nullptr;
        if (tree && SegmentRules::mediaCount(tree->schedule) > 0)
            found << problem;
    }
    if (!found.isEmpty() && !askPlayAnyway(found))
        return;
    startDisplays(names);
}

bool Widget::askPlayAnyway(const QList<ProblemWatch::Problem> &problems)
{
    QStringList lines;
    for (int i = 0; i < problems.size() && i < kProblemsAsked; ++i)
        lines << QStringLiteral("\u2022 ") + ProblemsWin::placeOf(problems.at(i).location) +
                     QStringLiteral(": ") + problems.at(i).message;
    if (problems.size() > kProblemsAsked)
        lines << tr("and %1 more (see the problems list)").arg(problems.size() - kProblemsAsked);
    QMessageBox box(QMessageBox::Warning, tr("Problems"),
                    tr("Problems found: %1. The schedule does not play as it is set up. Play anyway?")
                        .arg(problems.size()),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("playAnyway"));
    box.setInformativeText(lines.join(QLatin1Char('\n')));
    box.button(QMessageBox::Ok)->setText(tr("Play anyway"));
    box.button(QMessageBox::Cancel)->setText(tr("cancel"));
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}
