#include "vexo_combo_box.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>

#include "library_services.h"

VexoComboBox::VexoComboBox(QWidget* parent)
    : QComboBox(parent)
{
    view()->setItemDelegate(new QStyledItemDelegate(this));
    setStyleSheet(vexo::componentStyleSheet("component.combobox"));
}
