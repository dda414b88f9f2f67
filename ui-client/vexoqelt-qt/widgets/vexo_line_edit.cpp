#include "vexo_line_edit.h"

#include <QVariant>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

#include "library_services.h"

VexoLineEdit::VexoLineEdit(QWidget* parent)
    : QWidget(parent)
{
    m_pre_label = new QLabel(this);
    m_edit = new QLineEdit(this);
    m_post_label = new QLabel(this);
    m_edit->setProperty("error", false);
    m_edit->setMinimumHeight(vexo::scaled(24));
    m_edit->setStyleSheet(vexo::componentStyleSheet("component.lineedit"));
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(vexo::scaled(6));
    m_layout->addWidget(m_pre_label);
    m_layout->addWidget(m_edit, 1);
    m_layout->addWidget(m_post_label);
}

QString VexoLineEdit::getEditText() const
{
    return m_edit->text();
}

void VexoLineEdit::setMargins(int left, int top, int right, int bottom)
{
    m_layout->setContentsMargins(left, top, right, bottom);
}

void VexoLineEdit::setSpacing(int spacing)
{
    m_layout->setSpacing(spacing);
}

void VexoLineEdit::setValidator(std::function<bool(const QString&)> validator)
{
    m_validator = std::move(validator);
}

bool VexoLineEdit::validate() const
{
    return m_validator ? m_validator(m_edit->text()) : true;
}

void VexoLineEdit::setError(bool error)
{
    m_edit->setProperty("error", error);
    // A dynamic property does not restyle by itself: polish again so the
    // look changes at once.
    m_edit->style()->unpolish(m_edit);
    m_edit->style()->polish(m_edit);
    m_edit->update();
}

bool VexoLineEdit::hasError() const
{
    return m_edit->property("error").toBool();
}
