// The editing operations on windows (layers) and their media lists. A page's window list is
// its layer order, bottom layer first; the tree shows a page's windows the other way round,
// top layer first, for loaded, added, copied and pasted windows alike, so that "Move Up by One
// Layer" moves a window up in the tree and up in the stack at once. Every window made here is
// announced as on load, so that its screen makes a play window for it.
#include "model/commonwinobject.h"
#include "model/copybuffers.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/recordcopy.h"
#include "model/segmentnaming.h"
#include "model/windowgeometry.h"
#include "projecttree.h"
#include "projecttreeitem.h"
#include "treehost.h"

namespace {
const QString programKind = QStringLiteral("program");
const QString windowKind = QStringLiteral("generalwin");

QStringList windowNames(const ProgramObject *page)
{
    QStringList names;
    for (const CommonWinObject *window : page->windows)
        names << window->name;
    return names;
}

// Takes the page's window counter one on and the first free name from there.
QString nextWindowName(ProgramObject *page, const QString &base)
{
    ++page->windowCounter;
    const QString name = SegmentNaming::firstFree(base, page->windowCounter, windowNames(page));
    page->windowCounter = name.mid(base.size()).toInt();
    return name;
}
} // namespace

void ProjectTree::orderWindowItems(ProjectTreeItem *programItem)
{
    ProgramObject *page = findProgram(programItem);
    if (!page)
        return;
    QList<QTreeWidgetItem *> rest = programItem->takeChildren();
    QList<QTreeWidgetItem *> ordered;
    for (int i = page->windows.size() - 1; i >= 0; --i) {
        const QString name = page->windows.at(i)->name;
        for (int j = 0; j < rest.size(); ++j) {
            if (rest.at(j)->text(0) == name) {
                ordered << rest.takeAt(j);
                break;
            }
        }
    }
    programItem->addChildren(ordered + rest);
}

void ProjectTree::buildWindow(ProjectTreeItem *programItem, CommonWinObject *window)
{
    for (LumoraMediaObject *media : qAsConst(window->media))
        media->mediaId = takeMediaId();
    fitToDisplay(window);
    restoreWindow(programItem, window);
}

void ProjectTree::fitToDisplay(CommonWinObject *window)
{
    const QSize area = m_host ? m_host->displaySize(displayName) : QSize();
    if (!area.isValid())
        return;
    const QRect before(window->x, window->y, window->width, window->height);
    const QRect fitted = WindowGeometry::fitInto(before, area);
    if (fitted == before)
        return;
    window->x = fitted.x();
    window->y = fitted.y();
    window->width = fitted.width();
    window->height = fitted.height();
    ++m_fittedWindows;
}

void ProjectTree::reportFitted()
{
    const int fitted = m_fittedWindows;
    m_fittedWindows = 0;
    if (fitted == 0 || !m_host)
        return;
    const QSize area = m_host->displaySize(displayName);
    m_host->showInformation(tr("info"), tr("%1 pasted window(s) did not fit the display window of %2 x %3 "
                                           "and were moved or made smaller.")
                                            .arg(fitted)
                                            .arg(area.width())
                                            .arg(area.height()));
}

CommonWinObject *ProjectTree::windowOfCurrentItem() const
{
    return findWindow(m_currentItem);
}

CommonWinObject *ProjectTree::windowHolding(const LumoraMediaObject *media) const
{
    for (CommonWinObject *window : allWindows()) {
        if (window->media.contains(const_cast<LumoraMediaObject *>(media)))
            return window;
    }
    return nullptr;
}

// ---------------------------------------------------------------- windows

void ProjectTree::addCommonWindowSlot()
{
    ProjectTreeItem *pageItem = m_currentItem;
    ProgramObject *page = findProgram(pageItem);
    if (!editable() || !page)
        return;
    auto *window = new CommonWinObject;
    window->name = nextWindowName(page, tr("Common Window"));
    // The first window fills the display window; a further one is a layer on top of the
    // others, so it takes the middle quarter and leaves them in view.
    const QSize area = m_host ? m_host->displaySize(displayName) : QSize();
    const QSize full = area.isValid() ? area : QSize(200, 200);
    if (page->windows.isEmpty()) {
        window->width = full.width();
        window->height = full.height();
    } else {
        window->width = full.width() / 2;
        window->height = full.height() / 2;
        window->x = (full.width() - window->width) / 2;
        window->y = (full.height() - window->height) / 2;
    }
    ProjectTreeItem *item = restoreWindow(pageItem, window);
    if (!item)
        return;
    setCurrentTreeItem(item);
    slotSelectItemChecked();
}

void ProjectTree::copyWindowSlot()
{
    if (CommonWinObject *window = windowOfCurrentItem())
        CopyBuffers::instance().copyWindow(*window);
}

void ProjectTree::pasteWindowSlot()
{
    ProjectTreeItem *current = m_currentItem;
    CommonWinObject *currentWindow = windowOfCurrentItem();
    const CommonWinObject *copied = CopyBuffers::instance().window();
    if (!editable() || !currentWindow || !copied)
        return;
    auto *pageItem = static_cast<ProjectTreeItem *>(current->parent());
    ProgramObject *page = findProgram(pageItem);
    if (!page)
        return;
    CommonWinObject *copy = RecordCopy::copyOf(*copied);
    copy->name = nextWindowName(page, copied->name + QLatin1Char('-'));
    for (LumoraMediaObject *media : qAsConst(copy->media))
        media->mediaId = takeMediaId();
    fitToDisplay(copy);
    // Directly below the current window in the tree: the layer under it.
    ProjectTreeItem *item = restoreWindow(pageItem, copy, page->windows.indexOf(currentWindow));
    if (!item)
        return;
    setCurrentTreeItem(item);
    slotSelectItemChecked();
    reportFitted();
}

void ProjectTree::addCopiedWindowSlot()
{
    ProjectTreeItem *pageItem = m_currentItem;
    ProgramObject *page = findProgram(pageItem);
    const CommonWinObject *copied = CopyBuffers::instance().window();
    if (!editable() || !page || !copied)
        return;
    CommonWinObject *copy = RecordCopy::copyOf(*copied);
    copy->name = nextWindowName(page, copied->name + QLatin1Char('-'));
    for (LumoraMediaObject *media : qAsConst(copy->media))
        media->mediaId = takeMediaId();
    fitToDisplay(copy);
    // The last node of the page: the bottom layer.
    ProjectTreeItem *item = restoreWindow(pageItem, copy, 0);
    if (!item)
        return;
    setCurrentTreeItem(item);
    slotSelectItemChecked();
    reportFitted();
}

void ProjectTree::moveLayer(int step)
{
    ProjectTreeItem *item = m_currentItem;
    CommonWinObject *window = windowOfCurrentItem();
    if (!editable() || !window)
        return;
    auto *pageItem = static_cast<ProjectTreeItem *>(item->parent());
    ProgramObject *page = findProgram(pageItem);
    const int from = page->windows.indexOf(window);
    // Up in the tree is up in the stack: later in the list.
    const int to = from - step;
    if (from < 0 || to < 0 || to >= page->windows.size())
        return;
    page->windows.move(from, to);
    orderWindowItems(pageItem);
    setCurrentTreeItem(item);
    if (step < 0)
        emit sigMoveupCommonWin(window);
    else
        emit sigMovedownCommonWin(window);
}

void ProjectTree::moveupLayerSlot()
{
    moveLayer(-1);
}

void ProjectTree::movedownLayerSlot()
{
    moveLayer(1);
}

void ProjectTree::deleteWindowSlot()
{
    ProjectTreeItem *item = m_currentItem;
    CommonWinObject *window = windowOfCurrentItem();
    if (!editable() || !window)
        return;
    if (!askYesNo(tr("Are you sure to delete the current window?")))
        return;
    auto *pageItem = static_cast<ProjectTreeItem *>(item->parent());
    if (ProgramObject *page = findProgram(pageItem))
        page->windows.removeOne(window);
    pageItem->removeChild(item);
    m_currentItem = nullptr;
    forgetRemoved();
    emit deleteCommonWinObj(window);
    delete window;
    delete item;
    setCurrentTreeItem(pageItem);
    slotSelectItemChecked();
}

void ProjectTree::clearWindowSlot()
{
    ProjectTreeItem *pageItem = m_currentItem;
    ProgramObject *page = findProgram(pageItem);
    if (!editable() || !page)
        return;
    if (!askYesNo(tr("Are you sure to clear all the windows of current program page?")))
        return;
    const QList<CommonWinObject *> removed = page->windows;
    page->windows.clear();
    const QList<QTreeWidgetItem *> items = pageItem->takeChildren();
    forgetRemoved();
    emit clearCommonWinObjs();
    qDeleteAll(removed);
    qDeleteAll(items);
    setCurrentTreeItem(pageItem);
    slotSelectItemChecked();
}

// ---------------------------------------------------------------- media

void ProjectTree::announceMedia(int index, LumoraMediaObject *media)
{
    const QString &type = media->type;
    if (type == QLatin1String("video"))
        emit sigAddVideoObject(index, media);
    else if (type == QLatin1String("image") || type == QLatin1String("office"))
        emit sigAddImageObject(index, media);
    else if (type == QLatin1String("digitalClock"))
        emit sigAddDigitalClockObject(index, media);
    else if (type == QLatin1String("analogClock"))
        emit sigAddAnalogClockObject(index, media);
    else if (type == QLatin1String("digitalTimer"))
        emit sigAddDigitalTimerObject(index, media);
    else if (type == QLatin1String("URL"))
        emit sigAddUrlObject(index, media);
    else if (type == QLatin1String("streaming"))
        emit sigAddStreamingObject(index, media);
    else if (type == QLatin1String("videoDevice"))
        emit sigAddVideoDeviceObject(index, media);
    else if (type == QLatin1String("weather"))
        emit sigAddWeatherObject(index, media);
    else if (type == QLatin1String("singleRowText"))
        emit sigAddSingleLineTextObject(index, media);
    else if (type == QLatin1String("scrollingText"))
        emit sigAddRollingTextObject(index, media);
    else
        emit sigAddSimpleTextObject(index, media);
}

void ProjectTree::addMediaOfType(const QString &type)
{
    CommonWinObject *window = windowOfCurrentItem();
    if (!editable() || !window)
        return;
    auto *media = new LumoraMediaObject;
    media->type = type;
    media->windowName = window->name;
    media->programName = window->programName;
    media->segmentName = window->segmentName;
    media->displayWindowName = window->displayWindowName;
    media->mediaId = takeMediaId();
    window->media.append(media);
    announceMedia(window->media.size() - 1, media);
}

void ProjectTree::addSimpleTextSlot()
{
    addMediaOfType(QStringLiteral("simpleText"));
}

void ProjectTree::addSingleRowTextSlot()
{
    addMediaOfType(QStringLiteral("singleRowText"));
}

void ProjectTree::addScrollingTextSlot()
{
    addMediaOfType(QStringLiteral("scrollingText"));
}

void ProjectTree::addAnalogClockSlot()
{
    addMediaOfType(QStringLiteral("analogClock"));
}

void ProjectTree::addDigitalClockSlot()
{
    addMediaOfType(QStringLiteral("digitalClock"));
}

void ProjectTree::addDigitalTimerSlot()
{
    addMediaOfType(QStringLiteral("digitalTimer"));
}

void ProjectTree::addWeatherSlot()
{
    addMediaOfType(QStringLiteral("weather"));
}

void ProjectTree::addUrlSlot()
{
    addMediaOfType(QStringLiteral("URL"));
}

void ProjectTree::addStreamingSlot()
{
    addMediaOfType(QStringLiteral("streaming"));
}

void ProjectTree::addVideoDeviceSlot()
{
    addMediaOfType(QStringLiteral("videoDevice"));
}

void ProjectTree::clearMediaFileSlot()
{
    CommonWinObject *window = windowOfCurrentItem();
    if (!editable() || !window)
        return;
    if (!askYesNo(tr("Are you sure to delete all the media of the current window?")))
        return;
    const QList<LumoraMediaObject *> removed = window->media;
    // Announced while the items still exist: the play window and the panel let go of them.
    emit clearMediaObjs(window);
    window->media.clear();
    qDeleteAll(removed);
}

void ProjectTree::slotSelectMedia(const QString &windowName, int index)
{
    CommonWinObject *window = m_currentWindow;
    if (!window || (!windowName.isEmpty() && window->name != windowName))
        return;
    if (index >= 0 && index < window->media.size())
        emit sigSelectMediaObject(window->media.at(index));
}

void ProjectTree::slotDeleteMedia(LumoraMediaObject *media, int index)
{
    CommonWinObject *window = windowHolding(media);
    if (!editable() || !window)
        return;
    if (index < 0 || index >= window->media.size() || window->media.at(index) != media)
        index = window->media.indexOf(media);
    emit sigDeleteMediaObject(media);
    window->media.removeAt(index);
    delete media;
}

void ProjectTree::slotSwapMedia(int first, int second)
{
    CommonWinObject *window = m_currentWindow;
    if (!editable() || !window)
        return;
    const int size = window->media.size();
    if (first < 0 || second < 0 || first >= size || second >= size || first == second)
        return;
    window->media.swapItemsAt(first, second);
}

void ProjectTree::slotPasteMedia(LumoraMediaObject *media, CommonWinObject *window, int index)
{
    if (!editable() || !media || !window || !allWindows().contains(window))
        return;
    LumoraMediaObject *copy = RecordCopy::copyOf(*media);
    copy->windowName = window->name;
    copy->programName = window->programName;
    copy->segmentName = window->segmentName;
    copy->displayWindowName = window->displayWindowName;
    copy->mediaId = takeMediaId();
    index = qBound(0, index, window->media.size());
    window->media.insert(index, copy);
    announceMedia(index, copy);
}
