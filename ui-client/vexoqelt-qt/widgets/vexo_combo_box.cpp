#include "vexo_combo_box.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>

VexoComboBox::VexoComboBox(QWidget* parent)
    : QComboBox(parent)
{
    view()->setItemDelegate(new QStyledItemDelegate(this));
}
