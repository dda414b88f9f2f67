#include "connection-widget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

#include "login-utils.h"
#include "scaled.h"
#include "str_table.h"
#include "style_manager.h"
#include "system-db.h"
#include "vexo_check_box.h"

namespace {

// At scale 1: the label column and the fields beside it, and how narrow a
// field may become when a long label widens the column.
const int kLabelWidth = 112;
const int kFieldWidth = 284;
const int kMinFieldWidth = 160;

}  // namespace

bool cmpConnectionInfo(const ConnectionInfo& a, const ConnectionInfo& b)
{
    return a.last_used_time > b.last_used_time;
}

ConnectionWidget::ConnectionWidget(QWidget* parent) : QWidget(parent)
{
    m_address_label = new QLabel(StrTable::LoadStr(StrTable::address), this);
    m_username_label = new QLabel(StrTable::LoadStr(StrTable::username), this);
    m_password_label = new QLabel(StrTable::LoadStr(StrTable::password), this);

    m_address = new QComboBox(this);
    m_address->setEditable(true);
    m_address->setInsertPolicy(QComboBox::NoInsert);
    m_address->setStyleSheet(getStyleSheet("combobox_input", false) + getStyleSheet("component.scrollbar", false));
    m_address->view()->setItemDelegate(new QStyledItemDelegate(m_address));

    m_username = new QLineEdit(this);
    m_username->setStyleSheet(getStyleSheet("component.lineedit", false));
    m_password = new QLineEdit(this);
    m_password->setStyleSheet(getStyleSheet("component.lineedit", false));
    m_password->setEchoMode(QLineEdit::Password);

    m_remember_password = new VexoCheckBox(StrTable::LoadStr(StrTable::remember_password), this);
    m_remember_password->setFixedHeight(scaled(28));
    m_remember_password->setChecked(true);

    m_main_grid_layout = new QGridLayout(this);
    m_main_grid_layout->setSpacing(scaled(4));
    m_main_grid_layout->setHorizontalSpacing(4);
    m_main_grid_layout->setContentsMargins(scaled(20), scaled(20), scaled(20), 0);
    m_main_grid_layout->setAlignment(Qt::AlignLeft);
    m_main_grid_layout->addWidget(m_address_label, 0, 0);
    m_main_grid_layout->addWidget(m_address, 0, 1);
    m_main_grid_layout->addWidget(m_username_label, 1, 0);
    m_main_grid_layout->addWidget(m_username, 1, 1);
    m_main_grid_layout->addWidget(m_password_label, 2, 0);
    m_main_grid_layout->addWidget(m_password, 2, 1);
    m_main_grid_layout->addWidget(m_remember_password, 3, 1);

    connect(m_address, &QComboBox::currentTextChanged, this, &ConnectionWidget::slotAddressChanged);
    connect(m_address, QOverload<int>::of(&QComboBox::activated), this, &ConnectionWidget::slotActivated);
    connect(m_username, &QLineEdit::textChanged, this, &ConnectionWidget::slotUsernameChanged);
    connect(m_password, &QLineEdit::textChanged, this, &ConnectionWidget::slotPasswordChanged);

    fitLabelColumn();
    updateAddressComboBox();
    if (m_address->count() > 0)
        slotActivated(0);
}

void ConnectionWidget::fitLabelColumn()
{
    const int design_label = scaled(kLabelWidth);
    int label_width = design_label;
    for (QLabel* label : {m_address_label, m_username_label, m_password_label}) {
        label->ensurePolished();
        label_width = std::max(label_width, label->sizeHint().width());
    }
    const int field_width = std::max(scaled(kMinFieldWidth), scaled(kFieldWidth) - (label_width - design_label));
    m_address_label->setFixedSize(label_width, scaled(28));
    m_username_label->setMinimumWidth(label_width);
    m_password_label->setMinimumWidth(label_width);
    for (QWidget* field : {static_cast<QWidget*>(m_address), static_cast<QWidget*>(m_username),
                           static_cast<QWidget*>(m_password)})
        field->setFixedSize(field_width, scaled(28));
}

void ConnectionWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitLabelColumn();
}

QString ConnectionWidget::getAddress() const
{
    return m_address->currentText();
}

QString ConnectionWidget::getUsername() const
{
    return m_username->text();
}

QString ConnectionWidget::getPassword() const
{
    return m_use_origin_password ? m_origin_password : m_password->text();
}

bool ConnectionWidget::needRemeberPassword() const
{
    return m_remember_password->isChecked();
}

void ConnectionWidget::checkInput()
{
    emit sigChangeConnectButtonState(!m_address->currentText().isEmpty() && !m_username->text().isEmpty());
}

void ConnectionWidget::updateAddressComboBox()
{
    if (SystemDB::listConnection(m_conn_infos) < 0)
        m_conn_infos.clear();
    m_conn_infos.sort(cmpConnectionInfo);  // std::list::sort is stable
    m_address->clear();
    for (const ConnectionInfo& info : m_conn_infos)
        m_address->addItem(getAuthorityString(info, AS_ADDRESS_AND_USER));
}

void ConnectionWidget::setAddressError(bool error)
{
    m_address->setProperty("error", error);
    m_address->style()->unpolish(m_address);
    m_address->style()->polish(m_address);
    m_address->update();
}

void ConnectionWidget::slotAddressChanged()
{
    setAddressError(false);
    checkInput();
}

void ConnectionWidget::slotActivated(int idx)
{
    const QString text = m_address->itemText(idx);
    m_use_origin_password = false;
    m_origin_password.clear();
    for (const ConnectionInfo& info : m_conn_infos) {
        if (getAuthorityString(info, AS_ADDRESS_AND_USER) != text)
            continue;
        m_address->setEditText(getAuthorityString(info, AS_ADDRESS_ONLY));
        m_username->setText(QString::fromStdString(info.username));
        m_remember_password->setChecked(info.remember_password);
        if (info.remember_password) {
            // A placeholder of eight blanks stands for the saved password
            // until the field is edited; the flag follows the placeholder.
            m_password->setText(QStringLiteral("        "));
            m_use_origin_password = true;
            m_origin_password = QString::fromStdString(info.password);
        } else {
            m_password->setText(QString());
        }
        return;
    }
}

void ConnectionWidget::slotUsernameChanged()
{
    checkInput();
}

void ConnectionWidget::slotPasswordChanged()
{
    m_use_origin_password = false;
}
