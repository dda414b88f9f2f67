#include "vexo_tree_widget.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "library_services.h"

VexoTreeWidget::VexoTreeWidget(QWidget* parent)
    : QTreeWidget(parent)
{
    setMouseTracking(true);
    setHeaderHidden(true);
    setAllColumnsShowFocus(true);
    setStyleSheet(vexo::componentStyleSheet("component.tree") +
                  vexo::componentStyleSheet("component.scrollbar"));
}

void VexoTreeWidget::setBackgroundColor(const QColor& selected, const QColor& hover)
{
    m_selected_color = selected;
    m_hover_color = hover;
    viewport()->update();
}

void VexoTreeWidget::updateScrollArea(QTreeWidgetItem* item)
{
    if (!item)
        return;
    scrollToItem(item, QAbstractItemView::EnsureVisible);
    // A deep item's text starts far right: bring its start into view.
    const QRect rect = visualItemRect(item);
    QScrollBar* bar = horizontalScrollBar();
    if (rect.left() < 0 || rect.left() > viewport()->width() - 20)
        bar->setValue(bar->value() + rect.left() - indentation());
}

void VexoTreeWidget::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    const bool selected = selectionModel() && selectionModel()->isSelected(index);
    const bool hovered = index == m_hover_index;
    QColor fill;
    if (selected && m_selected_color.isValid())
        fill = m_selected_color;
    else if (hovered && m_hover_color.isValid())
        fill = m_hover_color;
    if (!fill.isValid()) {
        QTreeWidget::drawRow(painter, option, index);
        return;
    }
    // The full row, from the viewport's left edge, branch area included.
    painter->fillRect(QRect(0, option.rect.top(), viewport()->width(), option.rect.height()), fill);
    QStyleOptionViewItem plain = option;
    plain.state &= ~(QStyle::State_Selected | QStyle::State_MouseOver | QStyle::State_HasFocus);
    if (selected)
        plain.palette.setColor(QPalette::Text, plain.palette.color(QPalette::HighlightedText));
    QTreeWidget::drawRow(painter, plain, index);
}

void VexoTreeWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    const QModelIndex row = index.isValid() ? index.sibling(index.row(), 0) : QModelIndex();
    if (row != QModelIndex(m_hover_index)) {
        m_hover_index = row;
        viewport()->update();
    }
    QTreeWidget::mouseMoveEvent(event);
}

void VexoTreeWidget::leaveEvent(QEvent* event)
{
    m_hover_index = QPersistentModelIndex();
    viewport()->update();
    QTreeWidget::leaveEvent(event);
}

ItemDelegate::ItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

QWidget* ItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    return editor;
}
