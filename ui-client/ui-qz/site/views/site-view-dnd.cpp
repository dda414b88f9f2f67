#include "site-view-dnd.h"

#include <QAbstractItemView>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

#include "dnd_manager.h"
#include "user-action-cache.h"

SiteViewDnd::SiteViewDnd(QAbstractItemView* view, SiteData* data)
    : QObject(view), m_view(view), m_viewport(view->viewport()), m_data(data)
{
    // Drag events go to the viewport; without this they would stop at the
    // scroll area, which drops them.
    m_view->setAcceptDrops(true);
    m_view->viewport()->setAcceptDrops(true);
    m_view->setDragEnabled(false);
    m_viewport->installEventFilter(this);
    connect(DndManager::getInstance(), &DndManager::sigCleanDragStyle, this, &SiteViewDnd::slotCleanDragStyle);
    // Rows going away take the highlight off first; the next move puts it
    // back where it still belongs.
    connect(m_view->model(), &QAbstractItemModel::rowsAboutToBeRemoved, this, &SiteViewDnd::slotCleanDragStyle);
    connect(m_view->model(), &QAbstractItemModel::modelAboutToBeReset, this, &SiteViewDnd::slotCleanDragStyle);
    // The viewport goes first when the view is destroyed; its model, resetting
    // after it, must not reach back into the half-destroyed view.
    connect(m_viewport, &QObject::destroyed, this, [this] { m_viewport = nullptr; });
}

void SiteViewDnd::slotCleanDragStyle()
{
    // Also with a target gone: what was painted for it may still show.
    if (m_lit && m_viewport)
        paintTarget(m_drag_over_item, false);
    m_lit = false;
    m_drag_over_item = QPersistentModelIndex();
}

bool SiteViewDnd::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_viewport)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (enter->mimeData() && enter->mimeData()->hasUrls())
            enter->acceptProposedAction();
        else
            enter->ignore();
        return true;
    }
    case QEvent::DragMove:
        dragMove(static_cast<QDragMoveEvent*>(event));
        return true;
    case QEvent::DragLeave:
        slotCleanDragStyle();
        return true;
    case QEvent::Drop:
        dropped(static_cast<QDropEvent*>(event));
        return true;
    case QEvent::MouseButtonPress:
        mousePressed(static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::MouseMove:
        if (!startsDrag(static_cast<QMouseEvent*>(event)))
            return false;
        startDrag();
        return true;
    default:
        return false;
    }
}

QModelIndex SiteViewDnd::rowIndexAt(const QPoint& pos) const
{
    const QModelIndex index = m_view->indexAt(pos);
    return index.isValid() ? index.siblingAtColumn(0) : QModelIndex();
}

DragTarget SiteViewDnd::targetAt(const QModelIndex& index) const
{
    DragTarget target;
    if (!index.isValid())
        return target;
    target.has_item = true;
    target.record = recordOf(index);
    target.selected = isSelectedRow(index);
    return target;
}

bool SiteViewDnd::isSelectedRow(const QModelIndex& index) const
{
    return index.isValid() && m_view->selectionModel()->isSelected(index);
}

bool SiteViewDnd::isDraggable(const QModelIndex& index) const
{
    if (!index.isValid())
        return false;
    const SiteItemInfo record = recordOf(index);
    return !record.isRoot() && !record.isSharedFolder();
}

void SiteViewDnd::dragMove(QDragMoveEvent* event)
{
    const QModelIndex index = rowIndexAt(event->pos());
    slotCleanDragStyle();
    event->acceptProposedAction();
    switch (decide(DndManager::getInstance()->isInnerDrag(), targetAt(index))) {
    case DragVerdict::Refuse:
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        break;
    case DragVerdict::Highlight:
        m_drag_over_item = index;
        m_lit = true;
        paintTarget(index, true);
        break;
    case DragVerdict::Accept:
        break;
    }
}

void SiteViewDnd::dropped(QDropEvent* event)
{
    // The event is left as it came: an accepted move would have the file
    // manager delete the originals.
    slotCleanDragStyle();
    const DragTarget target = targetAt(rowIndexAt(event->pos()));
    DndManager* dnd = DndManager::getInstance();
    const bool inner = dnd->isInnerDrag();
    if (inner)
        dnd->setInnerDrag(false);
    // The rows may have changed since the last move (a redraw, a merge):
    // the drop is judged again where it lands.
    const DragVerdict verdict = decide(inner, target);
    if (verdict == DragVerdict::Refuse)
        return;
    if (inner)
        dropInner(target);
    else if (event->mimeData())
        dropUrls(event->mimeData()->urls(), target, verdict);
}

void SiteViewDnd::mousePressed(QMouseEvent*) {}

bool SiteViewDnd::startsDrag(QMouseEvent*) { return false; }

void SiteViewDnd::startDrag()
{
    DndManager* dnd = DndManager::getInstance();
    dnd->setInnerDrag(true);
    UserActionCache::getInstance()->keepDragInfo();
    // The drag runs its own loop; the pane may be closed before it returns.
    QPointer<SiteViewDnd> alive(this);
    dnd->execDrag();
    if (alive)
        dragEnded();
}
