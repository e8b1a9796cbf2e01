// "Add Media" -> "File": files chosen by the operator become media items of the current window.
#include "import/importrules.h"
#include "mediaimport.h"
#include "projecttree.h"
#include "projecttreeitem.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString desktopFolder()
{
    // Many Linux set-ups have no desktop folder; a missing one would be offered as a file name.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (QFileInfo(desktop).isDir())
        return desktop;
    return QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}
} // namespace

void ProjectTree::addMediaFileSlot()
{
    // Without a selected window there is nowhere to put the files: do not even ask for them.
    if (!findWindow(currentTreeItem()))
        return;
    QWidget *parent = parentWidget() ? parentWidget() : this;
    const QStringList paths =
        QFileDialog::getOpenFileNames(parent, tr("Open"), desktopFolder(), ImportRules::fileFilter());
    if (paths.isEmpty())
        return;
    importMediaFiles(paths);
}

MediaImport *ProjectTree::importMediaFiles(const QStringList &paths)
{
    // One import at a time: its progress dialog is modal, so a second can only come from code.
    for (const MediaImport *running : findChildren<MediaImport *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (running->isRunning())
            return nullptr;
    }
    auto *import = new MediaImport(this, paths);
    return import->start() ? import : nullptr;
}
