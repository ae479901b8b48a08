#include "menu_group.h"

#include <QAction>

MenuGroup::MenuGroup(int lowestIndex)
    : m_lowest(lowestIndex)
{}

void MenuGroup::append(QAction *item)
{
    m_items.append(item);
}

QAction *MenuGroup::item(int index) const
{
    const qsizetype position = qsizetype(index) - m_lowest;
    return position >= 0 && position < m_items.size() ? m_items[position] : nullptr;
}

void MenuGroup::mark(int index)
{
    for (int i = lowestIndex(); i <= highestIndex(); ++i)
        item(i)->setChecked(i == index);
}

int MenuGroup::checkedIndex() const
{
    for (int i = lowestIndex(); i <= highestIndex(); ++i) {
        if (item(i)->isChecked())
            return i;
    }
    return 0;
}
