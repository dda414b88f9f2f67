#include "connection-list-widget.h"

#include <QLabel>
#include <QVBoxLayout>

#include "dpi_info.h"
#include "login-utils.h"
#include "str_table.h"
#include "style_manager.h"

namespace {
int px(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}
}  // namespace

ConnectionItemWidget::ConnectionItemWidget(const ConnectionInfo& info, QWidget* parent) : QWidget(parent)
{
    setFixedSize(px(174), px(50));
    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->setContentsMargins(px(8), px(5), px(8), px(5));
    // Names and user names come from the user or the server: never markup.
    m_xr_label = new QLabel(this);
    m_xr_label->setTextFormat(Qt::PlainText);
    m_xr_label->setFixedHeight(px(20));
    m_username_label = new QLabel(this);
    m_username_label->setTextFormat(Qt::PlainText);
    m_username_label->setFixedHeight(px(20));
    m_main_v_layout->addWidget(m_xr_label);
    m_main_v_layout->addWidget(m_username_label);
    updateStyle();
    updateConnectionInfo(info);
}

void ConnectionItemWidget::updateConnectionInfo(const ConnectionInfo& info)
{
    m_connection_info = info;
    QString name = QString::fromStdString(info.hostname);
    if (name.isEmpty())
        name = getAuthorityString(info, AS_ADDRESS_ONLY);
    if (name.isEmpty())
        name = StrTable::LoadStr(StrTable::setting_new_site);
    m_xr_label->setText(name);
    m_username_label->setText(QString::fromStdString(info.username));
    m_username_label->setVisible(!info.username.empty());
}

QString ConnectionItemWidget::nameText() const
{
    return m_xr_label->text();
}

void ConnectionItemWidget::setSelected(bool selected)
{
    m_is_selected = selected;
    updateStyle();
}

void ConnectionItemWidget::updateStyle()
{
    const QString color = m_is_selected ? QStringLiteral("white") : QStringLiteral("#505A64");
    m_xr_label->setStyleSheet(getStyleSheet("setting_item_xr", false).arg(color));
    m_username_label->setStyleSheet(getStyleSheet("setting_item_username", false).arg(color));
}
