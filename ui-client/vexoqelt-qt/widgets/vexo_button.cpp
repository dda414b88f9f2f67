#include "vexo_button.h"

#include <QVariant>

#include "library_services.h"

VexoButton::VexoButton(const QString& text, int style, QWidget* parent)
    : QPushButton(text, parent), m_style(style == 1 ? 1 : 0)
{
    setProperty("vexo_style", m_style);
    setAutoDefault(false);
    setMinimumHeight(vexo::scaled(28));
    setMinimumWidth(vexo::scaled(72));
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(vexo::componentStyleSheet(m_style == 0 ? "component.button" : "component.button_secondary"));
}
