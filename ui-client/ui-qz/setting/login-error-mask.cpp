#include "login-error-mask.h"

#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "str_table.h"
#include "vexo_input_sheet.h"
#include "vexo_mask.h"
#include "vexo_message_sheet.h"

namespace {

const QColor kDimColor(0, 0, 0, 20);

int protocolErrorTextId(int protocol_error)
{
    switch (protocol_error) {
    case ProtoUI::ERROR_CHANNEL_IO:
    case ProtoUI::ERROR_CHANNEL_IP_NOT_ALLOWED:
        return StrTable::error_login_io;
    case ProtoUI::ERROR_CHANNEL_SSL_VERIFY:
        return StrTable::err_ssl_verify_fail;
    case ProtoUI::ERROR_CHANNEL_SSL_CHANGE:
        return StrTable::err_ssl_change;
    case ProtoUI::ERROR_PROTOCOL:
    case ProtoUI::ERROR_PROTOCOL_MISMATCH:
        return StrTable::error_version_short;
    case ProtoUI::ERROR_PROTOCOL_VERSION_TOO_LOW:
        return StrTable::error_version_client;
    case ProtoUI::ERROR_PROTOCOL_VERSION_TOO_HIGH:
        return StrTable::error_version_server;
    case ProtoUI::ERROR_PROTOCOL_WRONG_PORT:
        return StrTable::wrong_port;
    case ProtoUI::ERROR_USER:
    case ProtoUI::ERROR_USER_DISABLED:
    case ProtoUI::ERROR_USER_PASSWORD:
        return StrTable::error_login_user;
    case ProtoUI::ERROR_USER_MAX_TRIES:
        return StrTable::error_login_max_tries;
    case ProtoUI::ERROR_USER_OTP_REQUIRED:
        return StrTable::err_otp_required;
    case ProtoUI::ERROR_USER_OTP_INVALID:
        return StrTable::err_otp_invalid;
    case ProtoUI::ERROR_USER_OTP_ENFORCED:
        return StrTable::err_otp_enforced;
    default:
        return StrTable::error_login_system;
    }
}

}  // namespace

LoginErrorMask::LoginErrorMask(QWidget* parent) : QObject(parent), m_parent(parent) {}

LoginErrorMask::~LoginErrorMask()
{
    delete m_confirm_sheet;
    delete m_error_sheet;
}

QString LoginErrorMask::errorText(const SiteInfo& info)
{
    if (info.site_error == SITE_ERROR_PROTOCOL)
        return StrTable::LoadStr(protocolErrorTextId(info.protocol_error));
    if (info.site_error == SITE_ERROR_DATA_CHANNEL)
        return StrTable::LoadStr(StrTable::error_data_channel).arg(static_cast<qlonglong>(info.transfer_port));
    return StrTable::LoadStr(StrTable::error_login_system);
}

void LoginErrorMask::handleLoginError(const SiteInfo& info)
{
    // An unanswered question of an earlier failure is dropped unevaluated.
    delete m_confirm_sheet;
    m_confirm_sheet = nullptr;
    m_wait_user_action = false;
    m_site_info = info;

    switch (m_site_info.protocol_error) {
    case ProtoUI::ERROR_USER_INVALID_SEED:
        if (m_site_info.is_reconnect) {
            // The server forgot the session: log in afresh without asking.
            m_site_info.peer_seed = 0;
            m_site_info.is_reconnect = false;
            QEventLoop loop;
            loop.processEvents(QEventLoop::AllEvents, 1);
            emit sigMaskDone(true);
        } else {
            showError(info);
        }
        return;
    case ProtoUI::ERROR_USER_OTP_REQUIRED: {
        auto* sheet = new VexoInputSheet(StrTable::LoadStr(StrTable::wizard_enter_otp), m_parent);
        sheet->getLineEdit()->setEchoMode(QLineEdit::Normal);
        showQuestion(sheet);
        return;
    }
    case ProtoUI::ERROR_CHANNEL_SSL_CHANGE:
    case ProtoUI::ERROR_CHANNEL_SSL_VERIFY: {
        const int text = m_site_info.protocol_error == ProtoUI::ERROR_CHANNEL_SSL_CHANGE ? StrTable::msg_ssl_change
                                                                                         : StrTable::msg_ssl_error;
        auto* sheet = new VexoMessageSheet(VexoMessageSheet::Confirming, StrTable::LoadStr(text), m_parent);
        if (QPushButton* ok = sheet->button(QMessageBox::Ok))
            ok->setText(StrTable::LoadStr(StrTable::btn_ssl_continue));
        showQuestion(sheet);
        return;
    }
    default:
        showError(info);
        return;
    }
}

void LoginErrorMask::showQuestion(VexoSheet* sheet)
{
    m_confirm_sheet = sheet;
    m_wait_user_action = true;
    VexoMask::createMask(sheet, m_parent, kDimColor);
    connect(sheet, &VexoSheet::finished, this, &LoginErrorMask::slotMaskFinished);
    sheet->showSheet();
}

void LoginErrorMask::showError(const SiteInfo& info)
{
    const QString text = errorText(info);
    delete m_error_sheet;
    m_error_sheet = new VexoMessageSheet(VexoMessageSheet::Warning, text, m_parent);
    VexoMask::createMask(m_error_sheet, m_parent, kDimColor);
    connect(m_error_sheet, &VexoSheet::finished, this, &LoginErrorMask::slotMaskFinished);
    m_error_sheet->showSheet();
}

void LoginErrorMask::slotMaskFinished(int ret)
{
    if (!m_wait_user_action) {
        emit sigMaskDone(false);
        return;
    }
    m_wait_user_action = false;
    const bool accepted = ret == QMessageBox::Ok;
    switch (m_site_info.protocol_error) {
    case ProtoUI::ERROR_USER_OTP_REQUIRED: {
        auto* input = qobject_cast<VexoInputSheet*>(m_confirm_sheet);
        const QString code = input ? input->getContent() : QString();
        if (accepted && !code.isEmpty()) {
            m_site_info.otp = code;
            emit sigMaskDone(true);
            return;
        }
        break;
    }
    case ProtoUI::ERROR_CHANNEL_SSL_CHANGE:
        if (accepted) {
            m_site_info.ssl_signature.clear();
            emit sigMaskDone(true);
            return;
        }
        break;
    case ProtoUI::ERROR_CHANNEL_SSL_VERIFY:
        if (accepted) {
            m_site_info.ssl_allow_untrust = true;
            emit sigMaskDone(true);
            return;
        }
        break;
    default:
        break;
    }
    showError(m_site_info);
}

bool getUserInputPassword(QString& password, QWidget* parent)
{
    VexoInputSheet sheet(StrTable::LoadStr(StrTable::enter_password), parent);
    VexoMask::createMask(&sheet, parent ? parent->window() : nullptr, kDimColor);
    sheet.getLineEdit()->setEchoMode(QLineEdit::Password);
    if (QPushButton* ok = sheet.button(QMessageBox::Ok))
        ok->setText(StrTable::LoadStr(StrTable::button_connect));
    if (sheet.exec() != QMessageBox::Ok)
        return false;
    password = sheet.getContent();
    return true;
}

bool needRememberPassword(QWidget* parent)
{
    VexoMessageSheet sheet(VexoMessageSheet::Confirming, StrTable::LoadStr(StrTable::need_remember_password), parent);
    VexoMask::createMask(&sheet, parent ? parent->window() : nullptr, kDimColor);
    return sheet.exec() == QMessageBox::Ok;
}
