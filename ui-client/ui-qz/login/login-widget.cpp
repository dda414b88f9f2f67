#include "login-widget.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include "connection-widget.h"
#include "file-op-ex.h"
#include "global-connecter.h"
#include "image_manager.h"
#include "login-error-mask.h"
#include "login-utils.h"
#include "scaled.h"
#include "site-info-manager.h"
#include "str_table.h"
#include "style_manager.h"
#include "system-db.h"
#include "vexo_button.h"
#include "vexo_footbar.h"
#include "vexo_icon_button.h"
#include "vexo_mask.h"
#include "vexo_message_sheet.h"
#include "wizard-title-widget.h"

namespace {

std::function<uint64_t()>& clockSeam()
{
    static std::function<uint64_t()> clock;
    return clock;
}

uint64_t nowMs()
{
    return clockSeam() ? clockSeam()() : cross::getMillisecondTimestamp();
}

}  // namespace

SiteInfo siteInfoFromConnection(const ConnectionInfo& info)
{
    SiteInfo site;
    site.server_name = QString::fromStdString(info.hostname);
    site.domain_name = QString::fromStdString(info.domain_name);
    site.user_name = QString::fromStdString(info.username);
    site.password = QString::fromStdString(info.password);
    site.control_port = info.port;
    site.transfer_port = info.port + 1;
    site.connection_id = info.id;
    site.concurrent = info.concurrent;
    if (info.enable_upload_control) {
        site.max_upload = info.max_upload;
        site.min_upload = info.min_upload;
    }
    if (info.enable_download_control) {
        site.max_download = info.max_download;
        site.min_download = info.min_download;
    }
    site.encrypted = info.encrypted;
    site.compressed = info.compressed;
    site.ssl_allow_untrust = info.ssl_allow_untrust;
    site.ssl_signature = QString::fromStdString(info.ssl_signature);
    site.is_reconnect = false;
    return site;
}

bool isUsableControlPort(int port)
{
    return port >= 1 && port <= 65534;
}

void LoginWidget::setClockForTest(std::function<uint64_t()> clock)
{
    clockSeam() = std::move(clock);
}

LoginWidget::LoginWidget(QWidget* parent) : QWidget(parent)
{
    m_error_mask = new LoginErrorMask(this);
    setWindowTitle(StrTable::LoadStr(StrTable::app_name));
    setWindowIcon(QIcon(getGlobalImage("app_img", ImageManager::IT_NORMAL)));

    setAutoFillBackground(true);
    const QPixmap bkg = getGlobalImage("wizard_bkg_h", ImageManager::IT_NORMAL);
    if (!bkg.isNull()) {
        const double dpr = DPIinfo::getInstance()->getDPR();
        const QSize size(qRound(bkg.width() / dpr), qRound(bkg.height() / dpr));
        QPalette pal = palette();
        pal.setBrush(backgroundRole(), QBrush(bkg.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
        setPalette(pal);
    }

    initialize();

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &LoginWidget::sigConnectSite, hub, &GlobalConnecter::sigConnectSite);
    connect(hub, &GlobalConnecter::sigAddSiteDone, this, &LoginWidget::slotAddSiteDone);
    connect(this, &LoginWidget::sigShowMainWindow, hub, &GlobalConnecter::sigShowMainWindow);
    connect(m_error_mask, &LoginErrorMask::sigMaskDone, this, &LoginWidget::slotMaskDone);

    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
}

LoginWidget::~LoginWidget() = default;

void LoginWidget::initialize()
{
    m_title = new WizardTitleWidget(StrTable::LoadStr(StrTable::wizard_login_title),
                                    StrTable::LoadStr(StrTable::wizard_login_subtitle), this);
    m_title->setFixedHeight(scaled(112));
    m_connection = new ConnectionWidget(this);

    m_shadow = new QLabel(this);
    m_shadow->setStyleSheet(getStyleSheet("footer_shadow", false));
    m_shadow->setFixedHeight(scaled(4));

    m_help_btn = new VexoIconButton("bt_help", this);
    m_help_btn->setFixedSize(scaled(24), scaled(28));
    auto* menu = new QMenu(m_help_btn);
    menu->setStyleSheet(getStyleSheet("component.menu", false));
    menu->setMinimumWidth(scaled(100));
    menu->addAction(StrTable::LoadStr(StrTable::action_help), this, &LoginWidget::sigShowHelpWindow);
    menu->addAction(StrTable::LoadStr(StrTable::action_about), this, &LoginWidget::sigShowAboutWindow);
    m_help_btn->setMenu(menu);

    m_connect_btn = new VexoButton(StrTable::LoadStr(StrTable::button_connect), 0, this);
    m_cancel_btn = new VexoButton(StrTable::LoadStr(StrTable::button_cancel), 1, this);

    m_footbar = new VexoFootbar(this);
    m_footbar->setMargins(16, 8, 20, 8);
    m_footbar->pushLeftWidget(m_help_btn);
    m_footbar->pushRightWidget(m_connect_btn);
    m_footbar->pushRightWidget(m_cancel_btn);
    m_footbar->init();

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setContentsMargins(0, 0, 0, 0);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->addWidget(m_title);
    m_main_v_layout->addWidget(m_connection);
    m_main_v_layout->addStretch(1);
    m_main_v_layout->addWidget(m_shadow);
    m_main_v_layout->addWidget(m_footbar);

    connect(m_connection, &ConnectionWidget::sigChangeConnectButtonState, this,
            &LoginWidget::slotChangeConnectButtonState);
    connect(m_connect_btn, &QAbstractButton::clicked, this, &LoginWidget::slotConnectClicked);
    connect(m_cancel_btn, &QAbstractButton::clicked, this, &LoginWidget::slotCancelClicked);
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &LoginWidget::sigShowAboutWindow, hub, &GlobalConnecter::sigShowAboutWindow);
    connect(this, &LoginWidget::sigShowHelpWindow, hub, &GlobalConnecter::sigShowHelpWindow);
    connect(this, &LoginWidget::sigShowEggWindow, hub, &GlobalConnecter::sigShowEggWindow);

    m_connection->checkInput();
}

int LoginWidget::getInputConnectionInfo(ConnectionInfo& info)
{
    std::string domain;
    int port = kDefaultControlPort;
    getDomainAndPortFromString(m_connection->getAddress(), domain, port);
    if (!isUsableControlPort(port))
        return -1;
    info.domain_name = domain;
    info.port = port;
    info.username = m_connection->getUsername().toStdString();
    info.password = m_connection->getPassword().toStdString();
    info.remember_password = m_connection->needRemeberPassword();
    return 0;
}

void LoginWidget::slotChangeConnectButtonState(bool enabled)
{
    m_connect_btn->setEnabled(enabled);
}

void LoginWidget::slotConnectClicked()
{
    // A request already on its way is not sent twice.
    if (m_pending)
        return;
    ConnectionInfo input;
    if (getInputConnectionInfo(input) < 0) {
        m_connection->setAddressError(true);
        return;
    }
    ConnectionInfo saved;
    const int found = SystemDB::getConnectionByAuthority(input.domain_name, input.username, input.port, saved);
    if (found < 0)
        return;
    ConnectionInfo conn = input;
    if (found == 1) {
        // The saved row's settings at once; its password and remember flag
        // are written only after the login succeeded.
        conn = saved;
        conn.password = input.password;
        conn.remember_password = input.remember_password;
    }
    m_pending_conn = conn;
    sendRequest(siteInfoFromConnection(conn));
}

void LoginWidget::sendRequest(const SiteInfo& request)
{
    if (!m_connecting_msgbox) {
        m_connecting_msgbox =
            new VexoMessageSheet(VexoMessageSheet::Processing, StrTable::LoadStr(StrTable::wizard_connecting), this);
        VexoMask::createMask(m_connecting_msgbox, window(), QColor(0, 0, 0, 20));
    }
    m_pending = true;
    m_pending_request = request;
    emit sigConnectSite(request);
    m_connecting_msgbox->showSheet();
}

void LoginWidget::slotCancelClicked()
{
    close();
}

bool LoginWidget::isOurSite(const SiteInfo& site) const
{
    return site.domain_name == m_pending_request.domain_name && site.user_name == m_pending_request.user_name &&
           site.control_port == m_pending_request.control_port;
}

void LoginWidget::slotAddSiteDone(uint64_t peer_id)
{
    // Only the end of this window's own request concerns it: another
    // window's login or a reconnect of a closed tab passes by.
    if (isHidden() || !m_pending)
        return;
    SiteInfo site;
    if (!SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer_id, site) || !isOurSite(site))
        return;
    m_pending = false;
    if (m_connecting_msgbox)
        m_connecting_msgbox->quit();
    if (site.site_error != SITE_ERROR_OK) {
        m_error_mask->handleLoginError(site);
        return;
    }
    emit sigShowMainWindow();
    window()->close();
    saveConnection(site);
}

void LoginWidget::saveConnection(SiteInfo& site)
{
    ConnectionInfo conn = m_pending_conn;
    // What the user agreed to at the trust prompts belongs to the row.
    conn.ssl_allow_untrust = m_pending_request.ssl_allow_untrust;
    conn.ssl_signature = m_pending_request.ssl_signature.toStdString();
    if (conn.id != 0) {
        SystemDB::updateExistedConnection(conn);
        return;
    }
    ConnectionInfo existing;
    if (SystemDB::getConnectionByAuthority(conn.domain_name, conn.username, conn.port, existing) != 0)
        return;
    ConnectionInfo row = conn;
    if (SystemDB::insertNewConnection(row) != 0)
        return;  // not saved: the site keeps no connection id
    site.connection_id = row.id;
    SiteInfoManager::getInstance()->setSiteInfo(site);
}

void LoginWidget::slotMaskDone(bool should_reconnect)
{
    if (!should_reconnect)
        return;
    sendRequest(m_error_mask->getNewInfo());
}

void LoginWidget::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_connect_btn->click();
        break;
    case Qt::Key_F12: {
        const uint64_t now = nowMs();
        if (m_egg_time != 0 && now - m_egg_time <= 499) {
            m_egg_time = 0;
            emit sigShowEggWindow();
        } else {
            m_egg_time = now;
        }
        break;
    }
    default:
        break;
    }
}
