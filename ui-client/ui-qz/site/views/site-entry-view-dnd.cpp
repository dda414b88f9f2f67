#include "site-entry-view-dnd.h"

#include <QMouseEvent>
#include <QScrollBar>

#include "site-connecter.h"
#include "site-list-icon-widget.h"
#include "site-list-widget.h"
#include "site-path.h"
#include "site-table-cells.h"
#include "site-table-widget.h"

namespace {
const QColor kHighlight(QStringLiteral("#E6F5FF"));
const QString kHighlightStyle = QStringLiteral("QWidget { background-color: #E6F5FF; }");
const QString kPlainStyle = QStringLiteral("QWidget { background-color: transparent; }");
}  // namespace

SiteEntryViewDnd::SiteEntryViewDnd(QAbstractItemView* view, SiteConnecter* connecter, SiteData* data)
    : SiteViewDnd(view, data)
{
    // A redraw gives the rows other entries, and scrolling gives the rows'
    // widgets to other rows: the highlight would move with them.
    connect(connecter, &SiteConnecter::sigRefreshDetailView, this, &SiteViewDnd::slotCleanDragStyle);
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, &SiteViewDnd::slotCleanDragStyle);
}

void SiteEntryViewDnd::paintWidgets(const QList<QWidget*>& widgets, bool on)
{
    if (!on) {
        for (const QPointer<QWidget>& widget : m_painted)
            if (widget)
                widget->setStyleSheet(kPlainStyle);
        m_painted.clear();
    }
    for (QWidget* widget : widgets) {
        if (!widget)
            continue;  // a row out of sight has none
        widget->setStyleSheet(on ? kHighlightStyle : kPlainStyle);
        if (on)
            m_painted << widget;
    }
}

DragVerdict SiteEntryViewDnd::decide(bool inner, const DragTarget& target) const
{
    return decideViewDragMove(inner, m_data->m_current_path, target);
}

void SiteEntryViewDnd::dropInner(const DragTarget& target)
{
    m_drop.dropInnerOnFolder(m_data->m_peer_id, dropFolderIdPath(m_data->m_current_path, target.record.getName()));
}

void SiteEntryViewDnd::dropUrls(const QList<QUrl>& urls, const DragTarget& target, DragVerdict verdict)
{
    const QString folder = verdict == DragVerdict::Highlight
                               ? dropFolderIdPath(m_data->m_current_path, target.record.getName())
                               : m_data->m_current_path;
    // A site's top level holds shares or drives, never files of its own.
    QString peer, path;
    splitIdPath(folder, peer, path);
    if (path.isEmpty())
        return;
    m_drop.dropUrls(m_data->m_peer_id, folder, urls);
}

// ---- details view ---------------------------------------------------------------

SiteTableDnd::SiteTableDnd(SiteTableWidget* view, SiteConnecter* connecter, SiteData* data)
    : SiteEntryViewDnd(view, connecter, data), m_table(view)
{
    connect(&m_drop, &SiteDropHandler::sigEventAdded, view, &SiteTableWidget::sigEventAdded);
    connect(&m_drop, &SiteDropHandler::sigTransferTaskAdded, view, &SiteTableWidget::sigTransferTaskAdded);
}

SiteItemInfo SiteTableDnd::recordOf(const QModelIndex& index) const { return m_table->recordOfRow(index.row()); }

void SiteTableDnd::paintTarget(const QModelIndex& index, bool on)
{
    const int row = index.row();
    paintWidgets({m_table->nameCell(row), m_table->textCell(row, COL_SIZE), m_table->textCell(row, COL_TYPE),
                  m_table->textCell(row, COL_MTIME)},
                 on);
}

bool SiteTableDnd::startsDrag(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return false;
    const QModelIndex index = rowIndexAt(event->pos());
    return isSelectedRow(index) && !m_table->isRowHidden(index.row()) && isDraggable(index);
}

// ---- icon view --------------------------------------------------------------------

SiteListDnd::SiteListDnd(SiteListWidget* view, SiteConnecter* connecter, SiteData* data)
    : SiteEntryViewDnd(view, connecter, data), m_list(view)
{
    connect(&m_drop, &SiteDropHandler::sigEventAdded, view, &SiteListWidget::sigEventAdded);
    connect(&m_drop, &SiteDropHandler::sigTransferTaskAdded, view, &SiteListWidget::sigTransferTaskAdded);
}

SiteItemInfo SiteListDnd::recordOf(const QModelIndex& index) const { return m_list->recordOfRow(index.row()); }

void SiteListDnd::paintTarget(const QModelIndex& index, bool on)
{
    if (QListWidgetItem* item = m_list->item(index.row()))
        item->setBackground(QBrush(on ? kHighlight : QColor(Qt::transparent)));
    // The tile covers the item: it shows the highlight too.
    paintWidgets({m_list->tileOfRow(index.row())}, on);
}

void SiteListDnd::mousePressed(QMouseEvent* event)
{
    // Seen before the view's own press handling: "selected" means before this press.
    const QModelIndex index = rowIndexAt(event->pos());
    m_can_drag = event->button() == Qt::LeftButton && isSelectedRow(index) && isDraggable(index);
}

bool SiteListDnd::startsDrag(QMouseEvent* event)
{
    return (event->buttons() & Qt::LeftButton) && m_can_drag;
}
