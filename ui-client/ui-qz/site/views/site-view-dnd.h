#pragma once

#include <QObject>
#include <QPersistentModelIndex>
#include <QList>
#include <QPoint>
#include <QUrl>

#include "site-data.h"
#include "site-drop-rules.h"

class QAbstractItemView;
class QDragMoveEvent;
class QDropEvent;
class QMouseEvent;

// The drag and drop of one site view, watching the view's viewport: starts
// the program's drag, accepts or refuses every move, highlights the drop
// target and turns drops into events. The view's own drag handling never
// runs, so nothing scrolls by itself during a drag. The highlighted target
// is kept as a persistent index and cleared before rows are removed, so a
// later move or leave never reaches a deleted item.
class SiteViewDnd : public QObject {
    Q_OBJECT
public:
    SiteViewDnd(QAbstractItemView* view, SiteData* data);

    // The highlighted drop target (its first column), invalid when none.
    QPersistentModelIndex dragOverIndex() const { return m_drag_over_item; }
    SiteDropHandler* dropHandler() { return &m_drop; }

public slots:
    // Takes the highlight off the target and forgets it.
    void slotCleanDragStyle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The record shown at a row's first-column index; empty without one.
    virtual SiteItemInfo recordOf(const QModelIndex& index) const = 0;
    // Paints the target, or takes the highlight off (index may be invalid then).
    virtual void paintTarget(const QModelIndex& index, bool on) = 0;
    virtual DragVerdict decide(bool inner, const DragTarget& target) const = 0;
    // The events of a drop that the move rules let through at its position.
    virtual void dropInner(const DragTarget& target) = 0;
    virtual void dropUrls(const QList<QUrl>& urls, const DragTarget& target, DragVerdict verdict) = 0;
    // A press, before the view's own handling.
    virtual void mousePressed(QMouseEvent* event);
    // True when this move starts the program's drag.
    virtual bool startsDrag(QMouseEvent* event);
    // The program's drag that this view started is over.
    virtual void dragEnded() {}

    // The first-column index of the row at a viewport position.
    QModelIndex rowIndexAt(const QPoint& pos) const;
    DragTarget targetAt(const QModelIndex& index) const;
    bool isSelectedRow(const QModelIndex& index) const;
    // Neither a root nor a shared folder: an entry the user may drag.
    bool isDraggable(const QModelIndex& index) const;

    QAbstractItemView* m_view;
    // Kept apart from the view: the filter still hears the viewport while
    // the view is half destroyed. Null once the viewport is gone.
    QWidget* m_viewport;
    SiteData* m_data;
    SiteDropHandler m_drop;

private:
    void dragMove(QDragMoveEvent* event);
    void dropped(QDropEvent* event);
    void startDrag();

    QPersistentModelIndex m_drag_over_item;
    bool m_lit = false;  // a highlight is painted
};
