#include "vexo_footbar.h"

#include <QHBoxLayout>

#include "library_services.h"

VexoFootbar::VexoFootbar(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(vexo::componentStyleSheet("component.footbar"));
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(vexo::scaled(10));
}

void VexoFootbar::setMargins(int left, int top, int right, int bottom)
{
    m_layout->setContentsMargins(left, top, right, bottom);
}

void VexoFootbar::pushLeftWidget(QWidget* widget)
{
    if (widget) {
        widget->setParent(this);
        m_left.append(widget);
    }
}

void VexoFootbar::pushRightWidget(QWidget* widget)
{
    if (widget) {
        widget->setParent(this);
        m_right.append(widget);
    }
}

void VexoFootbar::init()
{
    while (QLayoutItem* item = m_layout->takeAt(0))
        delete item;  // the widgets stay; only the layout items go
    for (QWidget* widget : qAsConst(m_left))
        m_layout->addWidget(widget);
    m_layout->addStretch(1);
    for (QWidget* widget : qAsConst(m_right))
        m_layout->addWidget(widget);
}
