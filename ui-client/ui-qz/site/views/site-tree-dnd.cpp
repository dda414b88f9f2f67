#include "site-tree-dnd.h"

#include "site-tree-widget.h"

SiteTreeDnd::SiteTreeDnd(SiteTreeWidget* view, SiteData* data) : SiteViewDnd(view, data), m_tree(view)
{
    connect(&m_drop, &SiteDropHandler::sigEventAdded, view, &SiteTreeWidget::sigEventAdded);
    connect(&m_drop, &SiteDropHandler::sigTransferTaskAdded, view, &SiteTreeWidget::sigTransferTaskAdded);
}

QTreeWidgetItem* SiteTreeDnd::itemOf(const QModelIndex& index) const
{
    if (!index.isValid())
        return nullptr;
    if (!index.parent().isValid())
        return m_tree->topLevelItem(index.row());
    QTreeWidgetItem* parent = itemOf(index.parent());
    return parent ? parent->child(index.row()) : nullptr;
}

SiteItemInfo SiteTreeDnd::recordOf(const QModelIndex& index) const { return m_tree->recordOf(itemOf(index)); }

void SiteTreeDnd::paintTarget(const QModelIndex& index, bool on)
{
    if (QTreeWidgetItem* item = itemOf(index))
        item->setBackground(0, QBrush(on ? QColor(230, 245, 255, 255) : QColor(Qt::transparent)));
}

DragVerdict SiteTreeDnd::decide(bool, const DragTarget& target) const { return decideTreeDragMove(target); }

void SiteTreeDnd::dropInner(const DragTarget& target) { m_drop.dropInnerOnTree(target.record.getPath()); }

void SiteTreeDnd::dropUrls(const QList<QUrl>& urls, const DragTarget& target, DragVerdict)
{
    m_drop.dropUrls(m_data->m_peer_id, target.record.getPath(), urls);
}
