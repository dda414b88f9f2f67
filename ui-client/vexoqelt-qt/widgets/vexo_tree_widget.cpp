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
    // What the style itself paints as selected is the same colour.
    QPalette palette = this->palette();
    if (selected.isValid()) {
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Highlight, selected);
            palette.setColor(group, QPalette::HighlightedText, Qt::white);
        }
    }
    setPalette(palette);
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
    const QColor fill = rowColor(index);
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

QColor VexoTreeWidget::rowColor(const QModelIndex& index) const
{
    if (m_selected_color.isValid() && selectionModel() && selectionModel()->isSelected(index))
        return m_selected_color;
    if (m_hover_color.isValid() && index.sibling(index.row(), 0) == QModelIndex(m_hover_index))
        return m_hover_color;
    return QColor();
}

void VexoTreeWidget::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    const QColor fill = rowColor(index);
    if (!fill.isValid()) {
        QTreeWidget::drawBranches(painter, rect, index);
        return;
    }
    // The row colour already covers the branch area; only the item's own
    // expand mark is drawn on it, without the style's selection look.
    painter->fillRect(rect, fill);
    if (!model()->hasChildren(index))
        return;
    QStyleOption option;
    option.initFrom(this);
    option.rect = QRect(rect.right() - indentation() + 1, rect.top(), indentation(), rect.height());
    option.state = QStyle::State_Item | QStyle::State_Children;
    if (isExpanded(index))
        option.state |= QStyle::State_Open;
    style()->drawPrimitive(QStyle::PE_IndicatorBranch, &option, painter, this);
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
