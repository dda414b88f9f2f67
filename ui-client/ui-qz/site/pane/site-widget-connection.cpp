// The pane's connection states: the disconnected and connecting sheets, the
// countdown to an automatic login, and logging in again.
#include "site-widget.h"

#include <QPushButton>

#include <atomic>

#include "connection-info.h"
#include "dpi_info.h"
#include "log.h"
#include "login-error-mask.h"
#include "protocol/proto-ui.h"
#include "site-data.h"
#include "site-info-manager.h"
#include "str_table.h"
#include "style_manager.h"
#include "system-db.h"
#include "vexo_mask.h"
#include "vexo_message_sheet.h"

namespace {
const char kComponent[] = "default_component";
std::atomic<int> g_tick_ms{1000};

// The saved connection of a site; true only when a row was found.
bool savedConnectionOf(const SiteInfo& site, ConnectionInfo& connection)
{
    return SystemDB::getConnectionByAuthority(site.domain_name.toUtf8().toStdString(),
                                              site.user_name.toUtf8().toStdString(), site.control_port,
                                              connection) > 0;
}
}  // namespace

void SiteWidget::setReconnectTickForTest(int ms)
{
    g_tick_ms = ms > 0 ? ms : 1000;
}

void SiteWidget::showMask(MaskState state)
{
    switch (state) {
    case MASK_DISCONNECTED:
        if (!m_error_msgbox) {
            m_error_msgbox = new VexoMessageSheet(VexoMessageSheet::Confirming,
                                                  StrTable::LoadStr(StrTable::error_disconnected) + "<br>", this);
            VexoMask::createMask(m_error_msgbox, this, QColor(255, 255, 255, 60));
            m_error_msgbox->setIcon(QPixmap());
            m_error_msgbox->setBlockWindowButton(false);
            QPushButton* login = m_error_msgbox->button(QMessageBox::Ok);
            login->setText(StrTable::LoadStr(StrTable::button_login));
            login->setStyleSheet(getStyleSheet("component.cancel_button", false));
            QPushButton* close = m_error_msgbox->button(QMessageBox::Discard);
            close->setText(StrTable::LoadStr(StrTable::button_close));
            m_error_msgbox->setFixedWidth(static_cast<int>(382 * DPIinfo::getInstance()->getDPI()));
            connect(login, &QPushButton::clicked, this, &SiteWidget::slotConnectClicked);
            connect(close, &QPushButton::clicked, this, &SiteWidget::slotCloseClicked);
        }
        updateDisconnectedMessage();
        m_error_msgbox->showSheet();
        break;
    case MASK_CONNECTING:
        if (!m_connecting_msgbox) {
            m_connecting_msgbox = new VexoMessageSheet(VexoMessageSheet::Processing,
                                                       StrTable::LoadStr(StrTable::wizard_connecting), this);
            VexoMask::createMask(m_connecting_msgbox, this, QColor(0, 0, 0, 20));
            m_connecting_msgbox->setBlockWindowButton(false);
        }
        if (m_error_msgbox)
            m_error_msgbox->quit();
        m_connecting_msgbox->showSheet();
        break;
    case MASK_NONE:
        if (m_connecting_msgbox)
            m_connecting_msgbox->quit();
        break;
    }
}

void SiteWidget::updateDisconnectedMessage()
{
    QString text = StrTable::LoadStr(StrTable::error_disconnected) + "<br>";
    if (m_reconnecting_state == RS_AUTO_RETRY)
        text += StrTable::LoadStr(StrTable::reconnect_countdown).arg(m_reconnect_countdown);
    m_error_msgbox->setText(text);
}

void SiteWidget::startCountdown()
{
    m_reconnect_countdown = 10;
    m_reconnect_timer.start(g_tick_ms.load());
}

void SiteWidget::handleDisconnected(bool reconnect)
{
    if (m_reconnecting_state == RS_WAIT_USER_ACTION)
        return;
    if (reconnect && m_reconnecting_state == RS_NONE) {
        SiteInfo site;
        ConnectionInfo connection;
        if (SiteInfoManager::getInstance()->getSiteInfoByPeerId(m_data->m_peer_id, site) &&
            savedConnectionOf(site, connection) && connection.remember_password) {
            m_reconnecting_state = RS_AUTO_RETRY;
            startCountdown();
            showMask(MASK_DISCONNECTED);
            return;
        }
    }
    if (m_reconnecting_state == RS_AUTO_RETRY)
        startCountdown();
    showMask(MASK_DISCONNECTED);
}

void SiteWidget::slotAutoRetry()
{
    if (m_reconnecting_state != RS_AUTO_RETRY)
        return;
    if (m_reconnect_countdown > 1) {
        --m_reconnect_countdown;
        if (m_error_msgbox)
            updateDisconnectedMessage();
        return;
    }
    m_reconnect_timer.stop();
    m_reconnect_countdown = 10;
    reconnectSite();
}

void SiteWidget::slotConnectClicked()
{
    m_reconnect_timer.stop();
    m_reconnecting_state = RS_NONE;
    reconnectSite();
}

void SiteWidget::reconnectSite()
{
    SiteInfo site;
    if (!SiteInfoManager::getInstance()->getSiteInfoByPeerId(m_data->m_peer_id, site)) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] ../ui-qz/site/site-widget(%d): Get site info of peer %llu failed\n",
               static_cast<unsigned long long>(m_data->m_peer_id));
        handleDisconnected(true);
        return;
    }
    ConnectionInfo connection;
    if (!savedConnectionOf(site, connection)) {
        handleDisconnected(true);
        return;
    }
    if (!connection.remember_password) {
        QString password;
        if (!getUserInputPassword(password, this)) {
            handleDisconnected(true);
            return;
        }
        site.password = password;
    }
    // A one-time code is good for one login only.
    site.otp = QString();
    site.is_reconnect = true;
    if (site.protocol_error == ProtoUI::ERROR_USER_INVALID_SEED) {
        // The server has forgotten the session (it restarted): presenting
        // the old seed again would only be refused. Log in afresh at once;
        // the error stays so that the engine drops the old session's tokens.
        site.peer_seed = 0;
        site.is_reconnect = false;
    }
    emit sigConnectSite(site);
    showMask(MASK_CONNECTING);
}

bool SiteWidget::handleReconnectDone(SiteInfo info)
{
    if (info.site_error == SITE_ERROR_OK) {
        m_reconnecting_state = RS_NONE;
        emit sigQueryPath(m_data->m_current_path, false);
        emit sigResumeDisconnectedJobs(m_data->m_peer_id);
        return true;
    }
    showMask(MASK_NONE);
    if (m_reconnecting_state == RS_AUTO_RETRY && info.protocol_error == ProtoUI::ERROR_CHANNEL_IO)
        return false;
    m_reconnecting_state = RS_WAIT_USER_ACTION;
    m_error_mask->handleLoginError(info);
    return false;
}

void SiteWidget::slotMaskDone(bool should_reconnect)
{
    if (should_reconnect) {
        emit sigConnectSite(m_error_mask->getNewInfo());
        showMask(MASK_CONNECTING);
        return;
    }
    m_reconnecting_state = RS_NONE;
    showMask(MASK_DISCONNECTED);
}

void SiteWidget::handleResumeDisconnectedJobsDone()
{
    showMask(MASK_NONE);
}
