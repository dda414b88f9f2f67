#include "vexo_check_box.h"

VexoCheckBox::VexoCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}
