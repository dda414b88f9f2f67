#pragma once
#include <QColor>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <QTreeWidget>

// A tree that paints its selected and hovered rows across the full width in
// two colours, and keeps its current item in view.
class VexoTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    explicit VexoTreeWidget(QWidget* parent = nullptr);

    void setBackgroundColor(const QColor& selected, const QColor& hover);
    QColor selectedColor() const { return m_selected_color; }
    QColor hoverColor() const { return m_hover_color; }
    // Scrolls so that the item, and the start of its text, are in view.
    void updateScrollArea(QTreeWidgetItem* item);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The colour a row is painted with, or an invalid colour for the default.
    QColor rowColor(const QModelIndex& index) const;

    QColor m_selected_color;
    QColor m_hover_color;
    QPersistentModelIndex m_hover_index;
};

// The library's item delegate: a plain line edit as editor. Escape ends an
// edit with closeEditor(editor, RevertModelCache); Enter commits first.
class ItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ItemDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
