#include "vexo_message_sheet.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "image_manager.h"
#include "library_services.h"
#include "sheet_responder.h"

namespace {

QPixmap defaultIcon(int type, QStyle* style)
{
    QStyle::StandardPixmap which;
    switch (type) {
    case VexoMessageSheet::Warning: which = QStyle::SP_MessageBoxWarning; break;
    case VexoMessageSheet::Confirming: which = QStyle::SP_MessageBoxQuestion; break;
    case VexoMessageSheet::Error: which = QStyle::SP_MessageBoxCritical; break;
    case VexoMessageSheet::Informing:
    case VexoMessageSheet::Upgrading: which = QStyle::SP_MessageBoxInformation; break;
    default: return QPixmap();
    }
    const int side = vexo::scaled(32);
    return style->standardIcon(which).pixmap(side, side);
}

}  // namespace

VexoMessageSheet::VexoMessageSheet(int type, const QString& text, QWidget* parent)
    : VexoSheet(parent), m_type(type), m_text(text)
{
    m_icon_label = new QLabel(this);
    m_icon_label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_title_label = new QLabel(this);
    m_title_label->setTextFormat(Qt::PlainText);
    QFont bold = m_title_label->font();
    bold.setBold(true);
    m_title_label->setFont(bold);
    m_title_label->hide();
    m_text_label = new QLabel(this);
    m_text_label->setTextFormat(Qt::RichText);
    m_text_label->setWordWrap(true);
    m_text_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text_label->setText(text);

    auto* text_column = new QVBoxLayout;
    text_column->setSpacing(vexo::scaled(6));
    text_column->addWidget(m_title_label);
    text_column->addWidget(m_text_label, 1);

    auto* top_row = new QHBoxLayout;
    top_row->setSpacing(vexo::scaled(12));
    top_row->addWidget(m_icon_label, 0, Qt::AlignTop);
    top_row->addLayout(text_column, 1);

    auto* main = new QVBoxLayout(this);
    const int margin = vexo::scaled(16);
    main->setContentsMargins(margin, margin, margin, margin);
    main->setSpacing(vexo::scaled(12));
    main->addLayout(top_row, 1);

    m_ok = new QPushButton(vexo::componentString("ok", "OK"), this);
    m_discard = new QPushButton(vexo::componentString("cancel", "Cancel"), this);
    m_ok->setAutoDefault(false);
    m_discard->setAutoDefault(false);
    m_ok->setMinimumWidth(vexo::scaled(80));
    m_discard->setMinimumWidth(vexo::scaled(80));
    m_ok->setStyleSheet(vexo::componentStyleSheet("component.button"));
    m_discard->setStyleSheet(vexo::componentStyleSheet("component.button_secondary"));
    connect(m_ok, &QPushButton::clicked, this, [this] { done(QMessageBox::Ok); });
    connect(m_discard, &QPushButton::clicked, this, [this] { done(QMessageBox::Discard); });

    if (hasButtons()) {
        auto* buttons = new QHBoxLayout;
        buttons->setSpacing(vexo::scaled(10));
        buttons->addStretch(1);
        buttons->addWidget(m_ok);
        buttons->addWidget(m_discard);
        main->addLayout(buttons);
        m_discard->setVisible(type == Confirming);
    } else {
        m_ok->hide();
        m_discard->hide();
        m_busy = new QProgressBar(this);
        m_busy->setRange(0, 0);  // a busy mark: no known end
        m_busy->setTextVisible(false);
        m_busy->setFixedHeight(vexo::scaled(6));
        main->addWidget(m_busy);
    }
    setIcon(defaultIcon(type, style()));
}

bool VexoMessageSheet::hasButtons() const
{
    return m_type != Processing && m_type != ProcessingWithAnimation;
}

void VexoMessageSheet::setText(const QString& text)
{
    m_text = text;
    m_text_label->setText(text);
    if (!isHidden() && parentWidget())
        placeOverCovered();
}

void VexoMessageSheet::setTitle(const QString& title)
{
    m_title = title;
    m_title_label->setText(title);
    m_title_label->setVisible(!title.isEmpty());
}

void VexoMessageSheet::setIcon(const QPixmap& icon)
{
    m_icon_label->setPixmap(icon);
    m_icon_label->setVisible(!icon.isNull());
}

void VexoMessageSheet::setIcon(const QString& image_name)
{
    setIcon(image_name.isEmpty() ? QPixmap() : getGlobalImage(image_name, ImageManager::IT_NORMAL));
}

QPushButton* VexoMessageSheet::button(int standard_button) const
{
    if (standard_button == QMessageBox::Ok)
        return m_ok;
    if (standard_button == QMessageBox::Discard)
        return m_discard;
    return nullptr;
}

void VexoMessageSheet::describe(SheetRequest& request) const
{
    VexoSheet::describe(request);
    request.type = m_type;
    request.title = m_title;
    request.text = m_text;
}

void VexoMessageSheet::keyPressEvent(QKeyEvent* event)
{
    if (!hasButtons()) {
        event->accept();  // nothing to answer while something is in progress
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_ok->isVisibleTo(this) && m_ok->isEnabled())
            m_ok->click();
        event->accept();
        return;
    case Qt::Key_Escape:
        if (m_discard->isVisibleTo(this) && m_discard->isEnabled())
            m_discard->click();
        else
            done(QMessageBox::Discard);
        event->accept();
        return;
    default:
        VexoSheet::keyPressEvent(event);
    }
}
