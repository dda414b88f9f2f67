#include "transfer-button.h"

#include <QCursor>
#include <QLabel>
#include <QMovie>
#include <QVBoxLayout>

#include "dpi_info.h"
#include "image_manager.h"

TransferButton::TransferButton(QWidget* parent) : QWidget(parent)
{
    m_label = new QLabel(this);
    m_main_layout = new QVBoxLayout(this);
    m_main_layout->setContentsMargins(0, static_cast<int>(1 * DPIinfo::getInstance()->getDPI()), 0, 0);
    m_main_layout->setSpacing(0);
    m_main_layout->addWidget(m_label);
}

TransferButton::~TransferButton()
{
    delete m_gif;
}

void TransferButton::setAllIcon(const QString& name)
{
    m_name = name;
    m_normal_pixmap = getGlobalImage(name, ImageManager::IT_NORMAL);
    m_hover_pixmap = getGlobalImage(name, ImageManager::IT_HOVER);
    m_press_pixmap = getGlobalImage(name, ImageManager::IT_CLICK);
    m_disable_pixmap = getGlobalImage(name, ImageManager::IT_DISABLE);
}

void TransferButton::setGif(const QString& file)
{
    if (m_label->movie() == m_gif)
        m_label->setMovie(nullptr);
    delete m_gif;
    m_gif = new QMovie(file);
    m_gif->setCacheMode(QMovie::CacheAll);
}

void TransferButton::setIconSize(QSize size)
{
    m_icon_size = size;
    if (!m_gif)
        return;
    const double scale = DPIinfo::getInstance()->getDPI();
    m_gif->setScaledSize(QSize(qRound(size.width() * scale), qRound(size.height() * scale)));
}

void TransferButton::setEnabled(bool enabled)
{
    m_is_enabled = enabled;
    updateIcon();
}

void TransferButton::setToggled(bool toggled)
{
    m_toggle_on = toggled;
    updateIcon();
}

void TransferButton::setPause(bool pause)
{
    m_pause = pause;
    updateIcon();
}

void TransferButton::startGif()
{
    if (!m_gif)
        return;
    m_start_gif = true;
    updateIcon();
}

void TransferButton::stopGif()
{
    if (!m_gif)
        return;
    m_start_gif = false;
    updateIcon();
}

bool TransferButton::isShowingGif() const
{
    return m_gif && m_label->movie() == m_gif;
}

void TransferButton::showPixmap(const QPixmap& pixmap)
{
    if (m_gif && m_label->movie() == m_gif) {
        m_gif->stop();
        m_label->setMovie(nullptr);
    }
    m_label->setPixmap(pixmap);
}

void TransferButton::updateIcon()
{
    if (!m_is_enabled) {
        showPixmap(m_disable_pixmap);
    } else if (m_toggle_on) {
        showPixmap(m_press_pixmap);
    } else if (rect().contains(mapFromGlobal(QCursor::pos()))) {
        showPixmap(m_hover_pixmap);
    } else if (m_start_gif && m_gif && !m_pause) {
        if (m_label->movie() != m_gif)
            m_label->setMovie(m_gif);
        if (m_gif->state() != QMovie::Running)
            m_gif->start();
    } else {
        showPixmap(m_normal_pixmap);
    }
}

void TransferButton::click()
{
    updateIcon();
    if (m_is_enabled)
        emit clicked();
}

void TransferButton::mousePressEvent(QMouseEvent* event)
{
    if (m_is_enabled)
        showPixmap(m_press_pixmap);
    QWidget::mousePressEvent(event);
}

void TransferButton::mouseReleaseEvent(QMouseEvent* event)
{
    updateIcon();
    if (m_is_enabled)
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

void TransferButton::enterEvent(QEvent* event)
{
    updateIcon();
    QWidget::enterEvent(event);
}

void TransferButton::leaveEvent(QEvent* event)
{
    updateIcon();
    QWidget::leaveEvent(event);
}

void TransferButton::showEvent(QShowEvent* event)
{
    updateIcon();
    QWidget::showEvent(event);
}
