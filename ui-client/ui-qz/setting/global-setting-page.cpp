#include "global-setting-page.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "connection-list-widget.h"
#include "connection-setting-widget.h"
#include "dpi_info.h"
#include "global-connecter.h"
#include "image_manager.h"
#include "language-setting-page.h"
#include "login-error-mask.h"
#include "login-widget.h"
#include "site-info-manager.h"
#include "str_table.h"
#include "style_manager.h"
#include "system-db.h"
#include "vexo_icon_button.h"
#include "vexo_mask.h"
#include "vexo_message_sheet.h"

namespace {
int px(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}
}  // namespace

GlobalSettingPage::GlobalSettingPage(QWidget* parent) : QWidget(parent)
{
    m_error_mask = new LoginErrorMask(this);
    connect(m_error_mask, &LoginErrorMask::sigMaskDone, this, &GlobalSettingPage::slotMaskDone);
    setWindowTitle(StrTable::LoadStr(StrTable::window_title_setting));
    setWindowIcon(QIcon(getGlobalImage("app_img", ImageManager::IT_NORMAL)));
    initialize();
    reloadConnections();
    if (m_xr_list_widget->count() == 0)
        addEmptyConnection();
    else
        m_xr_list_widget->setCurrentRow(0);
}

GlobalSettingPage::~GlobalSettingPage()
{
    delete m_language_page;
}

void GlobalSettingPage::setXRButtonStyle(VexoIconButton* button)
{
    button->setStyleSheet(getStyleSheet("xr_button", false));
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    button->setFixedHeight(px(42));
}

void GlobalSettingPage::initialize()
{
    setFixedSize(px(680), px(478));
    QPalette pal = palette();
    pal.setBrush(backgroundRole(), QBrush(QColor(QStringLiteral("white"))));
    setPalette(pal);
    setAutoFillBackground(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);

    m_xr_list_widget = new ConnectionListWidget;
    m_xr_list_widget->setFocusPolicy(Qt::NoFocus);
    m_xr_list_widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_xr_list_widget->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_xr_list_widget->setStyleSheet(getStyleSheet("setting_xr_list_widget", false) +
                                    getStyleSheet("component.scrollbar", false));
    m_shadow = new QLabel;
    m_shadow->setStyleSheet(getStyleSheet("side_shadow", false));
    m_shadow->setFixedWidth(px(4));
    m_add_btn = new VexoIconButton("bt_st_add");
    m_del_btn = new VexoIconButton("bt_st_remove");
    m_setting_btn = new VexoIconButton("bt_st_settings");
    for (VexoIconButton* button : {m_add_btn, m_del_btn, m_setting_btn})
        setXRButtonStyle(button);
    m_connection_setting_widget = new ConnectionSettingWidget(nullptr);

    m_top_border_v_layout = new QVBoxLayout(this);
    m_top_border_v_layout->setContentsMargins(0, 0, 0, 0);
    m_top_border_v_layout->setSpacing(0);
    addWindowsTopFrame(m_top_border_v_layout);
    m_main_h_layout = new QHBoxLayout;
    m_main_h_layout->setContentsMargins(0, 0, 0, 0);
    m_main_h_layout->setSpacing(0);
    m_top_border_v_layout->addLayout(m_main_h_layout);
    m_xr_v_layout = new QVBoxLayout;
    m_xr_v_layout->setContentsMargins(0, 0, 0, 0);
    m_xr_v_layout->setSpacing(0);
    m_list_h_layout = new QHBoxLayout;
    m_list_h_layout->setContentsMargins(0, 0, 0, 0);
    m_list_h_layout->setSpacing(0);
    m_list_h_layout->addWidget(m_xr_list_widget, 1);
    m_list_h_layout->addWidget(m_shadow);
    m_btn_h_layout = new QHBoxLayout;
    m_btn_h_layout->setContentsMargins(0, 0, 0, 0);
    m_btn_h_layout->setSpacing(0);
    m_btn_h_layout->addWidget(m_add_btn);
    m_btn_h_layout->addWidget(m_del_btn);
    m_btn_h_layout->addWidget(m_setting_btn);
    m_xr_v_layout->addLayout(m_list_h_layout, 1);
    m_xr_v_layout->addLayout(m_btn_h_layout);
    m_main_h_layout->addLayout(m_xr_v_layout);
    m_main_h_layout->addWidget(m_connection_setting_widget);

    connect(m_xr_list_widget, &QListWidget::currentItemChanged, this, &GlobalSettingPage::slotSelectionChanged);
    connect(m_add_btn, &QAbstractButton::clicked, this, &GlobalSettingPage::slotAddClicked);
    connect(m_del_btn, &QAbstractButton::clicked, this, &GlobalSettingPage::slotDeleteClicked);
    connect(m_setting_btn, &QAbstractButton::clicked, this, &GlobalSettingPage::slotSettingClicked);
    connect(m_connection_setting_widget, &ConnectionSettingWidget::sigUpdateCurrentConnectionItem, this,
            &GlobalSettingPage::slotUpdateCurrentConnectionItem);
    connect(m_connection_setting_widget, &ConnectionSettingWidget::sigConnectNewConnection, this,
            &GlobalSettingPage::slotConnectNewConnection);
    connect(m_connection_setting_widget, &ConnectionSettingWidget::sigCloseSettingWindow, this,
            &GlobalSettingPage::slotCloseSettingWindow);
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &GlobalSettingPage::sigConnectSite, hub, &GlobalConnecter::sigConnectSite);
    connect(hub, &GlobalConnecter::sigAddSiteDone, this, &GlobalSettingPage::slotAddSiteDone);
}

ConnectionItemWidget* GlobalSettingPage::rowWidget(int row) const
{
    QListWidgetItem* item = m_xr_list_widget->item(row);
    return item ? static_cast<ConnectionItemWidget*>(m_xr_list_widget->itemWidget(item)) : nullptr;
}

void GlobalSettingPage::reloadConnections()
{
    // Every row goes: the remembered one must not outlive its item.
    m_last_select_item = nullptr;
    while (m_xr_list_widget->count() > 0)
        delete m_xr_list_widget->takeItem(0);
    m_last_select_item = nullptr;
    std::list<ConnectionInfo> infos;
    if (SystemDB::listConnection(infos) < 0)
        return;
    for (const ConnectionInfo& info : infos)
        addConnectionItem(info);
}

void GlobalSettingPage::setCurrentConnection(int row)
{
    if (row >= 0 && row < m_xr_list_widget->count())
        m_xr_list_widget->setCurrentRow(row);
}

QListWidgetItem* GlobalSettingPage::addConnectionItem(const ConnectionInfo& info)
{
    auto* widget = new ConnectionItemWidget(info, nullptr);
    auto* item = new QListWidgetItem;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setSizeHint(widget->size());
    m_xr_list_widget->addItem(item);
    m_xr_list_widget->setItemWidget(item, widget);
    return item;
}

void GlobalSettingPage::addEmptyConnection()
{
    ConnectionInfo info;
    info.remember_password = false;
    m_xr_list_widget->setCurrentItem(addConnectionItem(info));
}

bool GlobalSettingPage::checkLeave()
{
    if (!m_connection_setting_widget->isDirty())
        return true;
    VexoMessageSheet sheet(VexoMessageSheet::Confirming, StrTable::LoadStr(StrTable::setting_changes_not_saved),
                           this);
    VexoMask::createMask(&sheet, window(), QColor(0, 0, 0, 20));
    return sheet.exec() == QMessageBox::Ok;
}

void GlobalSettingPage::slotSelectionChanged(QListWidgetItem* current, QListWidgetItem* previous)
{
    if (previous) {
        if (!checkLeave()) {
            QTimer::singleShot(0, this, &GlobalSettingPage::slotGoBack);
            return;
        }
        if (auto* widget = static_cast<ConnectionItemWidget*>(m_xr_list_widget->itemWidget(previous)))
            widget->setSelected(false);
    }
    if (current) {
        if (auto* widget = static_cast<ConnectionItemWidget*>(m_xr_list_widget->itemWidget(current))) {
            widget->setSelected(true);
            m_connection_setting_widget->setConnectionInfo(widget->getConnectionInfo());
        }
        m_last_select_item = current;
    }
}

void GlobalSettingPage::slotGoBack()
{
    // Only a row still in the list can be returned to.
    if (!m_last_select_item || m_xr_list_widget->row(m_last_select_item) < 0)
        return;
    const bool blocked = m_xr_list_widget->blockSignals(true);
    m_xr_list_widget->setCurrentItem(m_last_select_item);
    m_xr_list_widget->blockSignals(blocked);
}

void GlobalSettingPage::slotAddClicked()
{
    if (m_connection_setting_widget->getConnectionId() == 0)
        return;
    if (!checkLeave())
        return;
    m_connection_setting_widget->resetInfo();
    addEmptyConnection();
}

void GlobalSettingPage::slotDeleteClicked()
{
    if (!checkLeave())
        return;
    const uint64_t id = m_connection_setting_widget->getConnectionId();
    if (id != 0) {
        // A refused delete keeps the row; sites on a deleted row lose its
        // id, so that a later row taking the id is not pushed into them.
        if (SystemDB::deleteConnection(id) != 0)
            return;
        QVector<SiteInfo> sites;
        SiteInfoManager::getInstance()->getSiteInfosByConnectionId(id, sites);
        for (SiteInfo& site : sites) {
            site.connection_id = 0;
            SiteInfoManager::getInstance()->setSiteInfo(site);
        }
    }
    m_connection_setting_widget->resetInfo();
    QListWidgetItem* item = m_xr_list_widget->takeItem(m_xr_list_widget->currentRow());
    if (item == m_last_select_item)
        m_last_select_item = m_xr_list_widget->currentItem();
    delete item;
    if (m_xr_list_widget->count() == 0) {
        m_last_select_item = nullptr;
        addEmptyConnection();
    }
}

void GlobalSettingPage::slotSettingClicked()
{
    delete m_language_page;
    m_language_page = new LanguageSettingPage(nullptr);
    m_language_page->show();
}

void GlobalSettingPage::slotUpdateCurrentConnectionItem(ConnectionInfo info)
{
    reloadConnections();
    // The saved row by its id: the database matched the address without
    // regard to letter case, so the text may differ from the row's.
    for (int row = 0; row < m_xr_list_widget->count(); ++row) {
        ConnectionItemWidget* widget = rowWidget(row);
        if (widget && widget->getConnectionInfo().id == info.id)
            m_xr_list_widget->setCurrentRow(row);
    }
}

void GlobalSettingPage::sendRequest(const SiteInfo& request, bool wait)
{
    if (!m_connecting_msgbox) {
        m_connecting_msgbox =
            new VexoMessageSheet(VexoMessageSheet::Processing, StrTable::LoadStr(StrTable::wizard_connecting), this);
        VexoMask::createMask(m_connecting_msgbox, window(), QColor(0, 0, 0, 20));
    }
    m_pending = true;
    m_pending_request = request;
    emit sigConnectSite(request);
    if (wait)
        m_connecting_msgbox->exec();
    else
        m_connecting_msgbox->showSheet();
}

void GlobalSettingPage::slotConnectNewConnection(ConnectionInfo info, bool)
{
    if (m_pending)
        return;
    sendRequest(siteInfoFromConnection(info), true);
}

void GlobalSettingPage::slotAddSiteDone(uint64_t id)
{
    // Only the end of this window's own login concerns it.
    if (isHidden() || !m_pending)
        return;
    SiteInfo site;
    if (!SiteInfoManager::getInstance()->getSiteInfoByPeerId(id, site))
        return;
    if (site.domain_name != m_pending_request.domain_name || site.user_name != m_pending_request.user_name ||
        site.control_port != m_pending_request.control_port)
        return;
    m_pending = false;
    if (m_connecting_msgbox)
        m_connecting_msgbox->quit();
    if (site.site_error != SITE_ERROR_OK) {
        m_error_mask->handleLoginError(site);
        return;
    }
    window()->close();
}

void GlobalSettingPage::slotMaskDone(bool should_reconnect)
{
    if (!should_reconnect)
        return;
    sendRequest(m_error_mask->getNewInfo(), false);
}

void GlobalSettingPage::slotCloseSettingWindow()
{
    close();
}

void GlobalSettingPage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    QWidget::keyPressEvent(event);
}

void GlobalSettingPage::closeEvent(QCloseEvent* event)
{
    if (checkLeave())
        QWidget::closeEvent(event);
    else
        event->ignore();
}
