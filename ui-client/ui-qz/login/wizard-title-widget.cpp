#include "wizard-title-widget.h"

#include <QLabel>
#include <QVBoxLayout>

#include "scaled.h"
#include "style_manager.h"

WizardTitleWidget::WizardTitleWidget(const QString& title, const QString& desc, QWidget* parent) : QWidget(parent)
{
    m_title_label = new QLabel(title, this);
    m_title_label->setTextFormat(Qt::PlainText);
    m_title_label->setStyleSheet(getStyleSheet("wizard_title_label", false));
    m_title_label->setFixedHeight(scaled(24));
    m_desc_label = new QLabel(desc, this);
    m_desc_label->setTextFormat(Qt::PlainText);
    m_desc_label->setStyleSheet(getStyleSheet("wizard_desc_label", false));
    m_desc_label->setFixedHeight(scaled(18));

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->setContentsMargins(scaled(20), 0, 0, 0);
    m_main_v_layout->addSpacing(scaled(30));
    m_main_v_layout->addWidget(m_title_label);
    m_main_v_layout->addSpacing(scaled(6));
    m_main_v_layout->addWidget(m_desc_label);
}
