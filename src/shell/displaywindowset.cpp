#include "displaywindowset.h"

#include "editor/projectwidget.h"
#include "model/playwinobject.h"

DisplayWindowSet::~DisplayWindowSet()
{
    for (const Entry &entry : qAsConst(m_entries))
        delete entry.window;
}

int DisplayWindowSet::indexOf(const QString &name) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).window->name == name)
            return i;
    }
    return -1;
}

QList<PlayWinObject *> DisplayWindowSet::windows() const
{
    QList<PlayWinObject *> result;
    for (const Entry &entry : m_entries)
        result << entry.window;
    return result;
}

QStringList DisplayWindowSet::names(const PlayWinObject *except) const
{
    QStringList result;
    for (const Entry &entry : m_entries) {
        if (entry.window != except)
            result << entry.window->name;
    }
    return result;
}

PlayWinObject *DisplayWindowSet::window(const QString &name) const
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : m_entries.at(i).window;
}

ProjectWidget *DisplayWindowSet::treeWidget(const QString &name) const
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : m_entries.at(i).treeWidget;
}

ProjectTree *DisplayWindowSet::tree(const QString &name) const
{
    ProjectWidget *treeWidget = this->treeWidget(name);
    return treeWidget ? treeWidget->tree() : nullptr;
}

newDisplayWindowButton *DisplayWindowSet::button(const QString &name) const
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : m_entries.at(i).button;
}

MainPlayBKLabel *DisplayWindowSet::screen(const QString &name) const
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : m_entries.at(i).screen;
}

QList<ProjectWidget *> DisplayWindowSet::treeWidgets() const
{
    QList<ProjectWidget *> result;
    for (const Entry &entry : m_entries) {
        if (entry.treeWidget)
            result << entry.treeWidget;
    }
    return result;
}

QList<newDisplayWindowButton *> DisplayWindowSet::buttons() const
{
    QList<newDisplayWindowButton *> result;
    for (const Entry &entry : m_entries) {
        if (entry.button)
            result << entry.button;
    }
    return result;
}

QList<MainPlayBKLabel *> DisplayWindowSet::screens() const
{
    QList<MainPlayBKLabel *> result;
    for (const Entry &entry : m_entries) {
        if (entry.screen)
            result << entry.screen;
    }
    return result;
}

bool DisplayWindowSet::add(const Entry &entry)
{
    if (!entry.window || entry.window->name.isEmpty() || contains(entry.window->name))
        return false;
    m_entries << entry;
    return true;
}

DisplayWindowSet::Entry DisplayWindowSet::take(const QString &name)
{
    const int i = indexOf(name);
    if (i < 0)
        return Entry();
    const Entry entry = m_entries.takeAt(i);
    m_hidden.remove(entry.window);
    m_offsets.remove(entry.window);
    if (m_current == entry.window)
        m_current = nullptr;
    return entry;
}

QList<DisplayWindowSet::Entry> DisplayWindowSet::takeAll()
{
    const QList<Entry> entries = m_entries;
    m_entries.clear();
    m_hidden.clear();
    m_offsets.clear();
    m_current = nullptr;
    m_counter = 0;
    return entries;
}

void DisplayWindowSet::setCurrent(const QString &name)
{
    m_current = window(name);
}

bool DisplayWindowSet::isHidden(const QString &name) const
{
    const PlayWinObject *record = window(name);
    return record && m_hidden.contains(record);
}

void DisplayWindowSet::setHidden(const QString &name, bool hidden)
{
    if (const PlayWinObject *record = window(name)) {
        if (hidden)
            m_hidden.insert(record);
        else
            m_hidden.remove(record);
    }
}

void DisplayWindowSet::setBackstageOffset(const PlayWinObject *window, const QPoint &offset)
{
    if (offset.isNull())
        m_offsets.remove(window);
    else
        m_offsets.insert(window, offset);
}
