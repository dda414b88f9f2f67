#include "vexo_check_box.h"

#include "library_services.h"

VexoCheckBox::VexoCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(vexo::componentStyleSheet("component.checkbox"));
}
