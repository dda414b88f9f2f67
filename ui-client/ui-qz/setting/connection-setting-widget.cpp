#include "connection-setting-widget.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollArea>
#include <QVBoxLayout>

#include "client-core-manager.h"
#include "event-generator.h"
#include "event-manager.h"
#include "global-connecter.h"
#include "kavelin/transfer-service.h"
#include "login-error-mask.h"
#include "login-utils.h"
#include "site-info-manager.h"
#include "str_table.h"
#include "style_manager.h"
#include "system-db.h"
#include "tool_tip.h"
#include "dpi_info.h"
#include "vexo_button.h"
#include "vexo_check_box.h"
#include "vexo_footbar.h"
#include "vexo_line_edit.h"

namespace {

int px(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}

ConnectionSettingWidget::SetPeerFunction& setPeerSeam()
{
    static ConnectionSettingWidget::SetPeerFunction function;
    return function;
}

int setPeer(uint64_t peer_id, int concurrent, uint64_t max_upload, uint64_t max_download, uint64_t min_upload,
            uint64_t min_download, bool encrypted, bool compressed, const std::string& signature)
{
    if (setPeerSeam())
        return setPeerSeam()(peer_id, concurrent, max_upload, max_download, min_upload, min_download, encrypted,
                             compressed, signature);
    return ClientCoreManager::getTransferService()->setPeer(peer_id, concurrent, max_upload, max_download,
                                                            min_upload, min_download, encrypted, compressed,
                                                            signature.c_str());
}

QString numberOrEmpty(uint64_t value)
{
    return value == 0 ? QString() : QString::number(value);
}

QLabel* newLabel(const QString& text, const char* sheet, int height)
{
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setStyleSheet(getStyleSheet(sheet, false));
    label->setFixedHeight(px(height));
    return label;
}

}  // namespace

bool not_empty_validator(const QString& text)
{
    return !text.isEmpty();
}

bool concurrent_validator(const QString& text)
{
    const int value = text.toInt();
    return value >= 1 && value <= 10;
}

bool speed_validator(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^([0-9]*)$"));
    return digits.match(text).hasMatch();
}

void ConcurrentValidator::fixup(QString& input) const
{
    input = QStringLiteral("0");
}

void ConnectionSettingWidget::setSetPeerForTest(SetPeerFunction function)
{
    setPeerSeam() = std::move(function);
}

ConnectionSettingWidget::ConnectionSettingWidget(QWidget* parent) : QWidget(parent)
{
    qRegisterMetaType<ConnectionInfo>("ConnectionInfo");
    setFixedWidth(px(472));
    initialize();
}

void ConnectionSettingWidget::initHostLineEdit(VexoLineEdit* edit, const QString& label)
{
    edit->getPreLabel()->setText(label);
    edit->getPreLabel()->setFixedSize(px(196), px(28));
    edit->getLineEdit()->setFixedSize(px(200), px(28));
    edit->setMargins(8, 0, 0, 0);
    edit->setSpacing(8);
}

void ConnectionSettingWidget::initTransmissionLineEdit(VexoLineEdit* edit, const QString& pre, const QString& post)
{
    edit->getPreLabel()->setText(pre);
    edit->getPreLabel()->setMinimumWidth(px(196));
    edit->getPostLabel()->setText(post);
    edit->getLineEdit()->setFixedSize(px(40), px(28));
    edit->setMargins(8, 0, 0, 0);
    edit->setSpacing(8);
}

void ConnectionSettingWidget::initTransferSettingGroup()
{
    for (int i = 0; i < 2; ++i) {
        auto* edit = new VexoLineEdit;
        edit->getPreLabel()->setText(StrTable::LoadStr(StrTable::setting_max));
        edit->getPreLabel()->setFixedSize(px(40), px(28));
        edit->getPostLabel()->setText(QStringLiteral("KB/s"));
        edit->getLineEdit()->setFixedSize(px(160), px(28));
        edit->setMargins(37, 0, 0, 0);
        edit->setSpacing(8);
        edit->setValidator(speed_validator);
        edit->getLineEdit()->setValidator(new QIntValidator(0, 999999, this));
        edit->getLineEdit()->setAlignment(Qt::AlignRight);
        edit->getLineEdit()->setPlaceholderText(StrTable::LoadStr(StrTable::setting_no_limit));
        edit->setEnabled(false);
        m_rate_editors.push_back(edit);
    }
    m_download_group.m_max_edit = m_rate_editors[0];
    m_download_group.m_checkbox = new VexoCheckBox(StrTable::LoadStr(StrTable::setting_download_rate));
    m_upload_group.m_max_edit = m_rate_editors[1];
    m_upload_group.m_checkbox = new VexoCheckBox(StrTable::LoadStr(StrTable::setting_upload_rate));
}

QHBoxLayout* ConnectionSettingWidget::getIndentCheckBox(VexoCheckBox* box, int indent)
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(px(indent), 0, 0, 0);
    layout->setSpacing(0);
    box->setFixedHeight(px(28));
    layout->addWidget(box);
    return layout;
}

void ConnectionSettingWidget::initialize()
{
    m_host_info_title = newLabel(StrTable::LoadStr(StrTable::setting_host_info), "setting_title", 28);
    m_host_info_dash = newLabel(QString(), "setting_dashed_line", 1);
    m_transmission_title = newLabel(StrTable::LoadStr(StrTable::setting_transmission_title), "setting_title", 28);
    m_transmission_dash = newLabel(QString(), "setting_dashed_line", 1);
    m_download_title = newLabel(StrTable::LoadStr(StrTable::setting_download_title), "setting_title", 28);
    m_download_dash = newLabel(QString(), "setting_dashed_line", 1);

    m_host_name_edit = new VexoLineEdit;
    initHostLineEdit(m_host_name_edit, StrTable::LoadStr(StrTable::setting_host_name));
    m_host_name_edit->getLineEdit()->setPlaceholderText(StrTable::LoadStr(StrTable::setting_optional));
    m_host_address_edit = new VexoLineEdit;
    initHostLineEdit(m_host_address_edit, StrTable::LoadStr(StrTable::address));
    m_host_address_edit->setValidator(not_empty_validator);
    m_username_edit = new VexoLineEdit;
    initHostLineEdit(m_username_edit, StrTable::LoadStr(StrTable::username));
    m_username_edit->setValidator(not_empty_validator);
    m_password_edit = new VexoLineEdit;
    initHostLineEdit(m_password_edit, StrTable::LoadStr(StrTable::password));
    m_password_edit->getLineEdit()->setEchoMode(QLineEdit::Password);

    m_concurrent_edit = new VexoLineEdit;
    initTransmissionLineEdit(m_concurrent_edit, StrTable::LoadStr(StrTable::setting_concurrent_transmission),
                             StrTable::LoadStr(StrTable::setting_files));
    m_concurrent_edit->setValidator(concurrent_validator);
    m_concurrent_edit->getLineEdit()->setValidator(new ConcurrentValidator(0, 10, this));
    m_concurrent_edit->getLineEdit()->setAlignment(Qt::AlignRight);

    initTransferSettingGroup();
    m_encrypted = new VexoCheckBox(StrTable::LoadStr(StrTable::setting_encrypt_transmission));
    m_compressed = new VexoCheckBox(StrTable::LoadStr(StrTable::setting_compression_transmission));

    m_download_location_label = new QLabel(StrTable::LoadStr(StrTable::setting_download_location));
    m_download_location_label->setFixedSize(px(196), px(28));
    m_download_location_label->setContentsMargins(8, 0, 0, 0);
    m_download_location_edit = new QLineEdit;
    m_download_location_edit->setFixedSize(px(346), px(28));
    m_download_location_edit->setReadOnly(true);
    m_download_location_edit->setStyleSheet(getStyleSheet("component.lineedit", false));
    m_download_location_btn = new VexoButton(StrTable::LoadStr(StrTable::setting_browse_btn), 1);

    m_shadow = newLabel(QString(), "footer_shadow", 4);
    m_connect_btn = new VexoButton(StrTable::LoadStr(StrTable::button_connect), 1);
    m_apply_btn = new VexoButton(StrTable::LoadStr(StrTable::button_apply), 0);
    m_cancel_btn = new VexoButton(StrTable::LoadStr(StrTable::button_cancel), 1);
    m_apply_btn->setEnabled(false);
    m_footbar = new VexoFootbar;
    m_footbar->pushLeftWidget(m_connect_btn);
    m_footbar->pushRightWidget(m_apply_btn);
    m_footbar->pushRightWidget(m_cancel_btn);
    m_footbar->init();
    m_footbar->setMargins(10, 8, 10, 8);

    auto* inner = new QWidget;
    m_scroll_v_layout = new QVBoxLayout(inner);
    m_scroll_v_layout->setSpacing(0);
    m_scroll_v_layout->setContentsMargins(0, 0, 0, 0);
    auto space = [this](int n) { m_scroll_v_layout->addSpacing(px(n)); };
    space(12);
    m_scroll_v_layout->addWidget(m_host_info_title);
    m_scroll_v_layout->addWidget(m_host_info_dash);
    space(12);
    m_scroll_v_layout->addWidget(m_host_name_edit);
    space(4);
    m_scroll_v_layout->addWidget(m_host_address_edit);
    space(4);
    m_scroll_v_layout->addWidget(m_username_edit);
    space(4);
    m_scroll_v_layout->addWidget(m_password_edit);
    space(20);
    m_scroll_v_layout->addWidget(m_transmission_title);
    m_scroll_v_layout->addWidget(m_transmission_dash);
    space(12);
    m_scroll_v_layout->addWidget(m_concurrent_edit);
    space(4);
    m_scroll_v_layout->addLayout(getIndentCheckBox(m_upload_group.m_checkbox, 6));
    space(4);
    m_scroll_v_layout->addWidget(m_upload_group.m_max_edit);
    space(4);
    m_scroll_v_layout->addLayout(getIndentCheckBox(m_download_group.m_checkbox, 6));
    space(4);
    m_scroll_v_layout->addWidget(m_download_group.m_max_edit);
    space(4);
    m_scroll_v_layout->addLayout(getIndentCheckBox(m_encrypted, 6));
    space(4);
    m_scroll_v_layout->addLayout(getIndentCheckBox(m_compressed, 6));
    space(20);
    m_scroll_v_layout->addWidget(m_download_title);
    m_scroll_v_layout->addWidget(m_download_dash);
    space(12);
    m_scroll_v_layout->addWidget(m_download_location_label);
    m_download_location_layout = new QHBoxLayout;
    m_download_location_layout->setContentsMargins(0, 0, 0, 0);
    m_download_location_layout->setSpacing(0);
    m_download_location_layout->addWidget(m_download_location_edit);
    m_download_location_layout->addWidget(m_download_location_btn);
    m_scroll_v_layout->addLayout(m_download_location_layout);
    space(28);

    m_scroll_area = new QScrollArea;
    m_scroll_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll_area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scroll_area->setWidgetResizable(true);
    m_scroll_area->setMinimumHeight(425);
    m_scroll_area->setStyleSheet(
        QStringLiteral("QAbstractScrollArea{ background-color:transparent; border: false;} QScrollArea> QWidget > "
                       "QWidget { background-color: transparent;}") +
        getStyleSheet("component.scrollbar", false));
    m_scroll_area->setWidget(inner);

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->setContentsMargins(16, 0, 0, 0);
    m_main_v_layout->addWidget(m_scroll_area);
    m_main_v_layout->addStretch(1);
    m_main_v_layout->addWidget(m_shadow);
    m_main_v_layout->addWidget(m_footbar);

    m_check_editors = {m_host_name_edit, m_host_address_edit, m_username_edit, m_password_edit,
                       m_concurrent_edit, m_upload_group.m_max_edit, m_download_group.m_max_edit};
    for (VexoLineEdit* edit : m_check_editors)
        connect(edit->getLineEdit(), &QLineEdit::textChanged, this, &ConnectionSettingWidget::slotLineEditChanged);
    for (VexoCheckBox* box : {m_upload_group.m_checkbox, m_download_group.m_checkbox, m_encrypted, m_compressed})
        connect(box, &QCheckBox::stateChanged, this, &ConnectionSettingWidget::slotCheckBoxChanged);
    connect(m_download_location_btn, &QAbstractButton::clicked, this,
            &ConnectionSettingWidget::slotDownloadLocationClicked);
    for (VexoLineEdit* edit : {m_host_address_edit, m_username_edit, m_concurrent_edit})
        connect(edit->getLineEdit(), &QLineEdit::editingFinished, this,
                &ConnectionSettingWidget::slotValidateFieldEdited);
    connect(m_connect_btn, &QAbstractButton::clicked, this, &ConnectionSettingWidget::slotConnectClicked);
    connect(m_apply_btn, &QAbstractButton::clicked, this, &ConnectionSettingWidget::slotApplyClicked);
    connect(m_cancel_btn, &QAbstractButton::clicked, this, &ConnectionSettingWidget::slotCancelClicked);
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &ConnectionSettingWidget::sigEventAdded, hub, &GlobalConnecter::sigEventAdded);
    connect(this, &ConnectionSettingWidget::sigChangeServerName, hub, &GlobalConnecter::sigChangeServerName);
    m_support_minimum_bandwidth = true;
}

void ConnectionSettingWidget::setConnectionInfo(const ConnectionInfo& info)
{
    m_connection_info = info;
    m_support_minimum_bandwidth = false;
    m_host_name_edit->getLineEdit()->setText(QString::fromStdString(info.hostname));
    m_host_address_edit->getLineEdit()->setText(getAuthorityString(info, AS_ADDRESS_ONLY));
    m_username_edit->getLineEdit()->setText(QString::fromStdString(info.username));
    if (info.remember_password) {
        m_password_edit->getLineEdit()->setText(QStringLiteral("        "));
        m_origin_password = QString::fromStdString(info.password);
        m_use_origin_password = true;
    } else {
        m_password_edit->getLineEdit()->clear();
        m_origin_password.clear();
        m_use_origin_password = false;
    }
    m_concurrent_edit->getLineEdit()->setText(numberOrEmpty(static_cast<uint64_t>(info.concurrent < 0 ? 0 : info.concurrent)));
    m_upload_group.m_checkbox->setChecked(info.enable_upload_control);
    m_upload_group.m_max_edit->getLineEdit()->setText(numberOrEmpty(info.max_upload));
    m_download_group.m_checkbox->setChecked(info.enable_download_control);
    m_download_group.m_max_edit->getLineEdit()->setText(numberOrEmpty(info.max_download));
    // A box set to the state it had emits nothing: the fields follow here too.
    m_upload_group.m_max_edit->setEnabled(info.enable_upload_control);
    m_download_group.m_max_edit->setEnabled(info.enable_download_control);
    m_encrypted->setChecked(info.encrypted);
    m_compressed->setChecked(info.compressed);
    const QString location = QString::fromStdString(info.download_location);
    m_download_location_edit->setText(location);
    m_download_location_edit->setToolTip(getHtmlEscapedStringForToolTip(location));
    m_apply_btn->setEnabled(false);
}

int ConnectionSettingWidget::getConnectionInfoFromView(ConnectionInfo& out)
{
    out = m_connection_info;
    std::string domain;
    int port = 0;
    getDomainAndPortFromString(m_host_address_edit->getEditText(), domain, port);
    out.domain_name = domain;
    out.port = port;
    out.hostname = m_host_name_edit->getEditText().toStdString();
    out.username = m_username_edit->getEditText().toStdString();
    out.password = (m_use_origin_password ? m_origin_password : m_password_edit->getEditText()).toStdString();
    out.concurrent = m_concurrent_edit->getEditText().toInt();
    out.enable_upload_control = m_upload_group.m_checkbox->isChecked();
    out.max_upload = static_cast<uint64_t>(m_upload_group.m_max_edit->getEditText().toInt());
    out.enable_download_control = m_download_group.m_checkbox->isChecked();
    out.max_download = static_cast<uint64_t>(m_download_group.m_max_edit->getEditText().toInt());
    out.encrypted = m_encrypted->isChecked();
    out.compressed = m_compressed->isChecked();
    out.download_location = m_download_location_edit->text().toStdString();
    return port >= 1 && port <= 65534 ? 0 : -1;
}

bool ConnectionSettingWidget::isDirty()
{
    ConnectionInfo view;
    getConnectionInfoFromView(view);
    return !(view == m_connection_info);
}

bool ConnectionSettingWidget::validateInput()
{
    for (VexoLineEdit* edit : m_check_editors)
        if (!edit->validate())
            return false;
    // The control port and the next one (the transfer port) must exist.
    ConnectionInfo view;
    if (getConnectionInfoFromView(view) < 0) {
        m_host_address_edit->getLineEdit()->setToolTip(StrTable::LoadStr(StrTable::setting_tip_address));
        m_host_address_edit->setError(true);
        return false;
    }
    for (VexoLineEdit* edit : m_rate_editors)
        if (edit->getLineEdit()->property("error").toBool())
            return false;
    for (TransferSettingGroup* group : {&m_download_group, &m_upload_group})
        if (group->m_checkbox->isChecked() && group->m_max_edit->getEditText().isEmpty())
            group->m_checkbox->setChecked(false);
    return true;
}

int ConnectionSettingWidget::applyConnectionInfoFromView()
{
    ConnectionInfo record = m_connection_info;
    // A password the user chose not to remember is used for this login and
    // pushed to the sites, but never written to disk.
    if (!record.remember_password)
        record.password.clear();
    ConnectionInfo found;
    const int lookup =
        SystemDB::getConnectionByAuthority(record.domain_name, record.username, record.port, found);
    if (lookup < 0)
        return -1;
    // The record takes its id only when the write succeeded: a refused
    // write leaves Apply on and the sites untouched.
    if (lookup == 0) {
        if (SystemDB::insertNewConnection(record) != 0)
            return -1;
    } else {
        record.id = found.id;
        if (SystemDB::updateExistedConnection(record) != 0)
            return -1;
    }
    m_connection_info.id = record.id;
    m_apply_btn->setEnabled(false);
    emit sigUpdateCurrentConnectionItem(m_connection_info);

    const ConnectionInfo& info = m_connection_info;
    QVector<SiteInfo> sites;
    SiteInfoManager::getInstance()->getSiteInfosByConnectionId(info.id, sites);
    for (const SiteInfo& site : sites) {
        SiteInfo copy = site;
        copy.domain_name = QString::fromStdString(info.domain_name);
        copy.server_name = QString::fromStdString(info.hostname);
        copy.user_name = QString::fromStdString(info.username);
        copy.password = QString::fromStdString(info.password);
        copy.control_port = info.port;
        copy.transfer_port = info.port + 1;
        copy.concurrent = info.concurrent;
        copy.max_upload = info.enable_upload_control ? info.max_upload : 0;
        copy.min_upload = info.enable_upload_control ? info.min_upload : 0;
        copy.max_download = info.enable_download_control ? info.max_download : 0;
        copy.min_download = info.enable_download_control ? info.min_download : 0;
        copy.encrypted = info.encrypted;
        copy.compressed = info.compressed;
        SiteInfoManager::getInstance()->setSiteInfo(copy);
        setPeer(copy.peer_id, info.concurrent, copy.max_upload, copy.max_download, copy.min_upload,
                copy.min_download, info.encrypted, info.compressed, info.ssl_signature);
        if (site.server_name != copy.server_name) {
            const QString name =
                copy.server_name.isEmpty() ? getAuthorityString(copy, AS_ADDRESS_AND_USER) : copy.server_name;
            emit sigChangeServerName(copy.peer_id, name);
        }
        Event event;
        EventGenerator().createEventFromSetUdp(event, copy.peer_id);
        const uint id = EventManager::getInstance()->pushEvent(event);
        emit sigEventAdded(id);
    }
    return 0;
}

void ConnectionSettingWidget::slotLineEditChanged()
{
    m_apply_btn->setEnabled(true);
    QObject* source = sender();
    if (source == m_password_edit->getLineEdit()) {
        m_use_origin_password = false;
        return;
    }
    for (VexoLineEdit* edit : m_rate_editors) {
        bool ok = false;
        const qulonglong value = edit->getLineEdit()->text().toULongLong(&ok);
        if (value == 0 && !edit->getLineEdit()->text().isEmpty() && ok)
            edit->getLineEdit()->setText(QString());
    }
    for (VexoLineEdit* edit : m_check_editors) {
        if (edit->getLineEdit() == source) {
            edit->getLineEdit()->setToolTip(QString());
            edit->setError(false);
            break;
        }
    }
}

void ConnectionSettingWidget::slotCheckBoxChanged()
{
    m_apply_btn->setEnabled(true);
    QObject* source = sender();
    for (TransferSettingGroup* group : {&m_upload_group, &m_download_group}) {
        if (source == group->m_checkbox) {
            group->m_max_edit->setEnabled(group->m_checkbox->isChecked());
            slotSpeedEdited();
        }
    }
}

void ConnectionSettingWidget::slotSpeedEdited()
{
    if (!m_support_minimum_bandwidth)
        return;
    for (VexoLineEdit* edit : {m_download_group.m_max_edit, m_upload_group.m_max_edit}) {
        edit->getLineEdit()->setToolTip(QString());
        edit->setError(false);
    }
}

void ConnectionSettingWidget::slotValidateFieldEdited()
{
    QObject* source = sender();
    const struct {
        VexoLineEdit* edit;
        int tip;
    } checks[] = {{m_username_edit, StrTable::setting_tip_username},
                  {m_concurrent_edit, StrTable::setting_tip_concurrent},
                  {m_host_address_edit, StrTable::setting_tip_address}};
    for (const auto& check : checks) {
        if (check.edit->getLineEdit() != source)
            continue;
        if (!check.edit->validate()) {
            check.edit->getLineEdit()->setToolTip(StrTable::LoadStr(check.tip));
            check.edit->setError(true);
        }
        return;
    }
}

void ConnectionSettingWidget::slotDownloadLocationClicked()
{
    const QString folder = QFileDialog::getExistingDirectory(window(), QString(), m_download_location_edit->text(),
                                                             QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return;
    m_apply_btn->setEnabled(true);
    m_download_location_edit->setText(folder);
    m_download_location_edit->setToolTip(getHtmlEscapedStringForToolTip(folder));
}

void ConnectionSettingWidget::slotApplyClicked()
{
    if (!validateInput())
        return;
    ConnectionInfo view;
    getConnectionInfoFromView(view);
    m_connection_info = view;
    m_connection_info.remember_password = !m_connection_info.password.empty();
    applyConnectionInfoFromView();
}

void ConnectionSettingWidget::slotConnectClicked()
{
    if (!validateInput())
        return;
    ConnectionInfo view;
    getConnectionInfoFromView(view);
    m_connection_info = view;
    ConnectionInfo login = m_connection_info;
    bool pop_password = false;
    if (m_connection_info.password.empty()) {
        QString typed;
        if (!getUserInputPassword(typed, this))
            return;
        login.password = typed.toStdString();
        login.remember_password = false;
        pop_password = true;
    } else if (m_apply_btn->isEnabled()) {
        const bool remember = needRememberPassword(this);
        m_connection_info.remember_password = remember;
        login.remember_password = remember;
    }
    applyConnectionInfoFromView();
    login.id = m_connection_info.id;
    emit sigConnectNewConnection(login, pop_password);
}

void ConnectionSettingWidget::slotCancelClicked()
{
    emit sigCloseSettingWindow();
}
