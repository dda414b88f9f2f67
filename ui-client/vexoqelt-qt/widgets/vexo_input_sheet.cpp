#include "vexo_input_sheet.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "library_services.h"
#include "sheet_responder.h"

VexoInputSheet::VexoInputSheet(const QString& text, QWidget* parent)
    : VexoSheet(parent), m_text(text)
{
    m_label = new QLabel(text, this);
    m_label->setTextFormat(Qt::RichText);
    m_label->setWordWrap(true);
    m_edit = new QLineEdit(this);
    m_edit->setMinimumHeight(vexo::scaled(28));
    m_ok = new QPushButton(vexo::componentString("ok", "OK"), this);
    m_cancel = new QPushButton(vexo::componentString("cancel", "Cancel"), this);
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    m_ok->setMinimumWidth(vexo::scaled(80));
    m_cancel->setMinimumWidth(vexo::scaled(80));
    m_ok->setStyleSheet(vexo::componentStyleSheet("component.button"));
    m_cancel->setStyleSheet(vexo::componentStyleSheet("component.button_secondary"));
    m_edit->setStyleSheet(vexo::componentStyleSheet("component.lineedit"));
    connect(m_ok, &QPushButton::clicked, this, [this] { done(QMessageBox::Ok); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { done(QMessageBox::Discard); });

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(vexo::scaled(10));
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* main = new QVBoxLayout(this);
    const int margin = vexo::scaled(16);
    main->setContentsMargins(margin, margin, margin, margin);
    main->setSpacing(vexo::scaled(10));
    main->addWidget(m_label);
    main->addWidget(m_edit);
    main->addLayout(buttons);
}

QString VexoInputSheet::getContent() const
{
    return m_edit->text();
}

QPushButton* VexoInputSheet::button(int standard_button) const
{
    if (standard_button == QMessageBox::Ok)
        return m_ok;
    if (standard_button == QMessageBox::Discard || standard_button == QMessageBox::Cancel)
        return m_cancel;
    return nullptr;
}

void VexoInputSheet::describe(SheetRequest& request) const
{
    VexoSheet::describe(request);
    request.type = kInputSheetType;
    request.text = m_text;
    request.input = m_edit;
}

void VexoInputSheet::showSheet()
{
    VexoSheet::showSheet();
    m_edit->setFocus(Qt::OtherFocusReason);
}

void VexoInputSheet::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The line edit passes Enter on after its returnPressed().
        if (m_ok->isEnabled())
            m_ok->click();
        event->accept();
        return;
    case Qt::Key_Escape:
        m_cancel->click();
        event->accept();
        return;
    default:
        VexoSheet::keyPressEvent(event);
    }
}
