#pragma once

#include <QHash>
#include <QList>
#include <QPoint>
#include <QSet>
#include <QString>
#include <QStringList>

class MainPlayBKLabel;
class PlayWinObject;
class ProjectTree;
class ProjectWidget;
class newDisplayWindowButton;

// The display windows of the open scheme as the main window shows them: the records in the
// order the file keeps them and, for each, its schedule tree, selector button and screen;
// whether its screen is hidden, where backstage play moved it, which one is current, and the
// naming counter the file stores. Everything is found by the name its record carries now, so
// renaming the record renames the entry.
//
// The set owns the records; the tree, button and screen are widgets the main window creates,
// wires and destroys, and only listed here. take() and takeAll() hand everything back.
class DisplayWindowSet
{
public:
    struct Entry
    {
        PlayWinObject *window = nullptr;
        ProjectWidget *treeWidget = nullptr;
        newDisplayWindowButton *button = nullptr;
        MainPlayBKLabel *screen = nullptr;
    };

    DisplayWindowSet() = default;
    DisplayWindowSet(const DisplayWindowSet &) = delete;
    DisplayWindowSet &operator=(const DisplayWindowSet &) = delete;
    ~DisplayWindowSet();

    bool isEmpty() const { return m_entries.isEmpty(); }
    int size() const { return m_entries.size(); }
    bool contains(const QString &name) const { return indexOf(name) >= 0; }
    // The records in scheme order.
    QList<PlayWinObject *> windows() const;
    // The names in scheme order, without `except`'s.
    QStringList names(const PlayWinObject *except = nullptr) const;

    PlayWinObject *window(const QString &name) const;
    ProjectWidget *treeWidget(const QString &name) const;
    ProjectTree *tree(const QString &name) const;
    newDisplayWindowButton *button(const QString &name) const;
    MainPlayBKLabel *screen(const QString &name) const;
    QList<ProjectWidget *> treeWidgets() const;
    QList<newDisplayWindowButton *> buttons() const;
    QList<MainPlayBKLabel *> screens() const;

    // Appends `entry`, whose record the set then owns; false (and nothing kept) when the
    // name is empty or taken.
    bool add(const Entry &entry);
    // Removes the display window; the caller owns the record and the widgets from then on.
    Entry take(const QString &name);
    QList<Entry> takeAll();

    // The display window selected in the selector row; nullptr when none.
    PlayWinObject *current() const { return m_current; }
    // Selects `name`; an unknown name selects none.
    void setCurrent(const QString &name);

    bool isHidden(const QString &name) const;
    void setHidden(const QString &name, bool hidden);
    // The offset of the screen from its stored position while backstage play has moved it.
    QPoint backstageOffset(const PlayWinObject *window) const { return m_offsets.value(window); }
    void setBackstageOffset(const PlayWinObject *window, const QPoint &offset);

    // The number in the name proposed for the next display window.
    int counter() const { return m_counter; }
    void setCounter(int counter) { m_counter = counter; }

private:
    int indexOf(const QString &name) const;

    QList<Entry> m_entries;
    PlayWinObject *m_current = nullptr;
    QSet<const PlayWinObject *> m_hidden;
    QHash<const PlayWinObject *, QPoint> m_offsets;
    int m_counter = 0;
};
