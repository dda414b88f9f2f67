#include "vexo_button.h"

#include "library_services.h"

VexoButton::VexoButton(const QString& text, int style, QWidget* parent)
    : QPushButton(text, parent), m_style(style == 1 ? 1 : 0)
{
    setProperty("vexo_style", m_style);
    setAutoDefault(false);
    setMinimumHeight(vexo::scaled(28));
    setMinimumWidth(vexo::scaled(72));
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(vexo::scaledStyleSheet(
        m_style == 0
            ? QStringLiteral("QPushButton { background: #2a6fb5; color: white; border: 1px solid #235f9c;"
                             " border-radius: 3px; padding: 0 12px; }"
                             "QPushButton:hover { background: #357fc8; }"
                             "QPushButton:pressed { background: #235f9c; }"
                             "QPushButton:disabled { background: #a9c2db; border-color: #a9c2db; }")
            : QStringLiteral("QPushButton { background: white; color: #333333; border: 1px solid #b5bcc4;"
                             " border-radius: 3px; padding: 0 12px; }"
                             "QPushButton:hover { background: #f0f4f8; }"
                             "QPushButton:pressed { background: #e1e8ef; }"
                             "QPushButton:disabled { color: #a0a0a0; }")));
}
