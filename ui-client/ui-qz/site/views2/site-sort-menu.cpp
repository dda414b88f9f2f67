#include "site-sort-menu.h"

#include <QAction>

#include "str_table.h"
#include "style_manager.h"

namespace {

// Sets a mark without a change notification.
void setActionChecked(QAction* action, bool checked)
{
    const bool blocked = action->blockSignals(true);
    action->setChecked(checked);
    action->blockSignals(blocked);
}

}  // namespace

SiteSortMenu::SiteSortMenu(SiteFileFilter* filter, QWidget* parent) : QMenu(parent), m_filter(filter)
{
    setStyleSheet(getStyleSheet("site_sort_menu", false));
    const int columns[4] = {StrTable::file_name, StrTable::filter_size, StrTable::file_type, StrTable::modify_time};
    for (int i = 0; i < 4; ++i) {
        m_column_action[i] = addAction(StrTable::LoadStr(columns[i]));
        m_column_action[i]->setCheckable(true);
        connect(m_column_action[i], &QAction::changed, this, &SiteSortMenu::slotSortColumnChanged);
    }
    addSeparator();
    const int directions[2] = {StrTable::filter_sort_asc, StrTable::filter_sort_desc};
    for (int i = 0; i < 2; ++i) {
        m_direction_action[i] = addAction(StrTable::LoadStr(directions[i]));
        m_direction_action[i]->setCheckable(true);
        connect(m_direction_action[i], &QAction::changed, this, &SiteSortMenu::slotSortDirectionChanged);
    }
}

void SiteSortMenu::slotSortColumnChanged()
{
    int chosen = -1;
    for (int i = 0; i < 4; ++i) {
        // The sender is checked again: a click on the checked entry keeps it.
        const bool is_sender = m_column_action[i] == sender();
        setActionChecked(m_column_action[i], is_sender);
        if (is_sender)
            chosen = i;
    }
    m_filter->sort_column = chosen;
    emit sigSortInfoChanged();
}

void SiteSortMenu::slotSortDirectionChanged()
{
    for (int i = 0; i < 2; ++i) {
        const bool is_sender = m_direction_action[i] == sender();
        setActionChecked(m_direction_action[i], is_sender);
        if (is_sender)
            m_filter->sort_asc = i == 0;
    }
    emit sigSortInfoChanged();
}

void SiteSortMenu::showEvent(QShowEvent* event)
{
    const bool blocked = blockSignals(true);
    for (int i = 0; i < 4; ++i)
        setActionChecked(m_column_action[i], m_filter->sort_column == i);
    setActionChecked(m_direction_action[0], m_filter->sort_asc);
    setActionChecked(m_direction_action[1], !m_filter->sort_asc);
    blockSignals(blocked);
    QMenu::showEvent(event);
}
