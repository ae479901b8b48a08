#pragma once

#include <QList>

class QAction;

// A group of like menu items addressed by index, as their one handler
// receives it: the units run from 1 to 3, the orientations from 0 to 1.
class MenuGroup
{
public:
    explicit MenuGroup(int lowestIndex);

    void append(QAction *item);

    int lowestIndex() const { return m_lowest; }
    int highestIndex() const { return m_lowest + int(m_items.size()) - 1; }

    // The item at index, or nullptr outside the group.
    QAction *item(int index) const;

    // Checks the item at index and unchecks every other; an index outside
    // the group leaves them all unchecked.
    void mark(int index);

    // The index of the first checked item, or 0 when none is checked.
    int checkedIndex() const;

private:
    int m_lowest;
    QList<QAction *> m_items;
};
