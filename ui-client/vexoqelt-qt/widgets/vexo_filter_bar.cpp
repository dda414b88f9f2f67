#include "vexo_filter_bar.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QToolButton>

#include "library_services.h"

VexoFilterBar::VexoFilterBar(QWidget* parent)
    : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setClearButtonEnabled(true);
    m_edit->setMinimumHeight(vexo::scaled(26));
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("filter_menu_button"));
    m_button->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_button->setAutoRaise(true);
    m_button->setFixedSize(vexo::scaled(26), vexo::scaled(26));
    m_button->setEnabled(false);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(vexo::componentStyleSheet("component.filter_bar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(vexo::scaled(2));
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    // textEdited, not textChanged: only what the user types is reported.
    connect(m_edit, &QLineEdit::textEdited, this, &VexoFilterBar::sigKeywordChanged);
    connect(m_button, &QToolButton::clicked, this, &VexoFilterBar::slotShowMenu);
}

VexoFilterBar::~VexoFilterBar()
{
    delete m_menu.data();
}

void VexoFilterBar::setMenu(QMenu* menu)
{
    if (m_menu == menu)
        return;
    delete m_menu.data();
    m_menu = menu;
    m_button->setEnabled(menu != nullptr);
}

void VexoFilterBar::setText(const QString& text)
{
    m_edit->setText(text);
}

QString VexoFilterBar::text() const
{
    return m_edit->text();
}

void VexoFilterBar::setMenuActive(bool active)
{
    if (isMenuActive() == active)
        return;
    m_button->setProperty("active", active);
    // A dynamic property takes effect in the style sheet on a new polish.
    m_button->style()->unpolish(m_button);
    m_button->style()->polish(m_button);
    m_button->update();
}

bool VexoFilterBar::isMenuActive() const
{
    return m_button->property("active").toBool();
}

void VexoFilterBar::slotShowMenu()
{
    if (!m_menu)
        return;
    m_menu->popup(mapToGlobal(QPoint(0, height())));
}
