#include "vexo_icon_button.h"

#include <QMenu>
#include <QMouseEvent>

#include "image_manager.h"
#include "library_services.h"

VexoIconButton::VexoIconButton(const QString& image_name, QWidget* parent)
    : QToolButton(parent)
{
    init();
    setAllIcon(image_name);
}

VexoIconButton::VexoIconButton(const char* image_name, QWidget* parent)
    : VexoIconButton(QString::fromUtf8(image_name), parent)
{
}

VexoIconButton::VexoIconButton(const QPixmap& pixmap, QWidget* parent)
    : QToolButton(parent)
{
    init();
    setDefaultIcon(pixmap);
}

void VexoIconButton::init()
{
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(vexo::componentStyleSheet("component.icon_button"));
}

void VexoIconButton::setAllIcon(const QString& image_name)
{
    m_normal = getGlobalImage(image_name, ImageManager::IT_NORMAL);
    m_hover = getGlobalImage(image_name, ImageManager::IT_HOVER);
    m_click = getGlobalImage(image_name, ImageManager::IT_CLICK);
    m_disable = getGlobalImage(image_name, ImageManager::IT_DISABLE);
    refreshIcon();
}

void VexoIconButton::setDefaultIcon(const QPixmap& pixmap)
{
    m_normal = pixmap;
    refreshIcon();
}

void VexoIconButton::setHoverIcon(const QPixmap& pixmap)
{
    m_hover = pixmap;
    refreshIcon();
}

void VexoIconButton::setClickIcon(const QPixmap& pixmap)
{
    m_click = pixmap;
    refreshIcon();
}

void VexoIconButton::setDisableIcon(const QPixmap& pixmap)
{
    m_disable = pixmap;
    refreshIcon();
}

void VexoIconButton::setMenu(QMenu* menu)
{
    QToolButton::setMenu(menu);
    setPopupMode(QToolButton::InstantPopup);
}

QPixmap VexoIconButton::currentPixmap() const
{
    if (!isEnabled())
        return m_disable.isNull() ? m_normal : m_disable;
    if (m_pressed && !m_click.isNull())
        return m_click;
    if ((m_hovered || m_pressed) && !m_hover.isNull())
        return m_hover;
    return m_normal;
}

void VexoIconButton::refreshIcon()
{
    const QPixmap pixmap = currentPixmap();
    setIcon(QIcon(pixmap));
    if (!pixmap.isNull()) {
        QSize logical = pixmap.size() / pixmap.devicePixelRatio();
        if (width() > 0 && height() > 0 && (testAttribute(Qt::WA_Resized) || minimumSize() == maximumSize()))
            logical = logical.boundedTo(size());
        setIconSize(logical);
    }
}

void VexoIconButton::enterEvent(QEvent* event)
{
    m_hovered = true;
    refreshIcon();
    QToolButton::enterEvent(event);
}

void VexoIconButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    refreshIcon();
    QToolButton::leaveEvent(event);
}

void VexoIconButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        refreshIcon();
    }
    QToolButton::mousePressEvent(event);  // may run a menu's loop: state is refreshed below
    if (m_pressed && !isDown()) {
        m_pressed = false;
        refreshIcon();
    }
}

void VexoIconButton::mouseReleaseEvent(QMouseEvent* event)
{
    m_pressed = false;
    refreshIcon();
    QToolButton::mouseReleaseEvent(event);
}

void VexoIconButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        refreshIcon();
    QToolButton::changeEvent(event);
}

void VexoIconButton::resizeEvent(QResizeEvent* event)
{
    QToolButton::resizeEvent(event);
    refreshIcon();
}
