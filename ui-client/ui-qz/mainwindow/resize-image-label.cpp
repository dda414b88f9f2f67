#include "resize-image-label.h"

#include <QResizeEvent>

ResizeImageLabel::ResizeImageLabel(QWidget* parent) : QLabel(parent) {}

ResizeImageLabel::~ResizeImageLabel() = default;

void ResizeImageLabel::setPixmap(const QPixmap& pixmap)
{
    m_pixmap = pixmap;
    QLabel::setPixmap(pixmap);
}

void ResizeImageLabel::resizeEvent(QResizeEvent* event)
{
    if (m_pixmap.isNull())
        return;
    QLabel::setPixmap(m_pixmap.scaled(event->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
