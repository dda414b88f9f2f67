// The tab row's fixed items and the tool buttons at its right end: the
// Task Manager, Log, settings and help buttons and the windows they open.
#include "central-widget.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>

#include <list>

#include "connection-info.h"
#include "dpi_info.h"
#include "global-connecter.h"
#include "global-setting-page.h"
#include "image_manager.h"
#include "log-page.h"
#include "queue-page.h"
#include "scaled-size.h"
#include "site-info-manager.h"
#include "site-widget.h"
#include "str_table.h"
#include "style_manager.h"
#include "system-db.h"
#include "tab-button.h"
#include "transfer-button.h"
#include "ui_path_manager.h"
#include "vexo_icon_button.h"

namespace {

// The row's background; the left edge also draws the line that closes it.
QString getTabStyleSheet(bool right_border)
{
    return getStyleSheet("other_tab", false)
        .arg(right_border ? QStringLiteral("\tborder-right: 1px solid #D7E1EB;\t\n") : QString());
}

}  // namespace

void CentralWidget::initializeDefaultTabs()
{
    auto* left_edge = new QFrame;
    left_edge->setFixedSize(scaledSize(12), scaledSize(40));
    left_edge->setStyleSheet(getTabStyleSheet(true));

    m_add_button = new QPushButton;
    m_add_button->setFixedSize(scaledSize(36), scaledSize(40));
    m_add_button->setIcon(QIcon(getGlobalImage("tab_add", ImageManager::IT_NORMAL)));
    m_add_button->setIconSize(QSize(scaledSize(24), scaledSize(24)));
    m_add_button->setFlat(true);
    m_add_button->setFocusPolicy(Qt::NoFocus);
    m_add_button->setStyleSheet(getStyleSheet("add_tab", false));
    m_add_button->setToolTip(StrTable::LoadStr(StrTable::tooltip_newtab));

    auto* tools = new QWidget;
    tools->setFixedHeight(scaledSize(40));
    tools->setStyleSheet(getTabStyleSheet(false));
    auto* tools_layout = new QHBoxLayout(tools);
    tools_layout->setContentsMargins(0, 0, 0, 0);
    tools_layout->setSpacing(0);
    tools_layout->addStretch(1);

    // The animation first: the button sizes only an animation it has.
    m_transfer_button = new TransferButton(nullptr);
    m_transfer_button->setAllIcon(QStringLiteral("bt_queue"));
    m_transfer_button->setGif(UIPathManager::getInstance()->getPath(QStringLiteral("resource_path")) +
                              QStringLiteral("/images/bt_queue_ani.gif"));
    m_transfer_button->setIconSize(QSize(34, 28));
    m_transfer_button->setToolTip(StrTable::LoadStr(StrTable::tooltip_taskmanager));
    tools_layout->addWidget(m_transfer_button);
    tools_layout->addSpacing(scaledSize(11));

    auto* separator = new QFrame;
    separator->setFixedSize(scaledSize(1), scaledSize(26));
    separator->setStyleSheet(DPIinfo::getScaledStyleSheet(QStringLiteral("border: 1px solid #C8D2DC;")));
    tools_layout->addWidget(separator);
    tools_layout->addSpacing(scaledSize(16));

    m_log_button = new VexoIconButton("bt_log");
    m_log_button->setFixedHeight(scaledSize(28));
    m_log_button->setToolTip(StrTable::LoadStr(StrTable::tooltip_logs));
    tools_layout->addWidget(m_log_button);
    tools_layout->addSpacing(scaledSize(16));

    m_setting_button = new VexoIconButton("bt_settings");
    m_setting_button->setFixedHeight(scaledSize(28));
    m_setting_button->setToolTip(StrTable::LoadStr(StrTable::tooltip_settings));
    tools_layout->addWidget(m_setting_button);
    tools_layout->addSpacing(scaledSize(16));

    m_help_button = new VexoIconButton("bt_help");
    m_help_button->setFixedHeight(scaledSize(28));
    m_help_button->setToolTip(StrTable::LoadStr(StrTable::tooltip_helpabout));
    m_help_menu = new QMenu;
    m_help_menu->setStyleSheet(getStyleSheet("component.menu", false));
    m_help_menu->setMinimumWidth(scaledSize(100));
    QAction* help = m_help_menu->addAction(StrTable::LoadStr(StrTable::action_help));
    QAction* about = m_help_menu->addAction(StrTable::LoadStr(StrTable::action_about));
    connect(help, &QAction::triggered, this, &CentralWidget::sigShowHelpWindow);
    connect(about, &QAction::triggered, this, &CentralWidget::sigShowAboutWindow);
    m_help_button->setMenu(m_help_menu);
    tools_layout->addWidget(m_help_button);
    tools_layout->addSpacing(scaledSize(16));

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(m_add_button, &QPushButton::clicked, hub, &GlobalConnecter::sigShowLoginWindow);
    connect(m_transfer_button, &TransferButton::clicked, this, &CentralWidget::slotTransferButtonClicked);
    connect(m_log_button, &VexoIconButton::clicked, this, &CentralWidget::slotLogButtonClicked);
    connect(m_setting_button, &VexoIconButton::clicked, this, &CentralWidget::slotSettingButtonClicked);
    connect(hub, &GlobalConnecter::sigQueuePageHidden, this, &CentralWidget::slotQueuePageHidden);
    connect(hub, &GlobalConnecter::sigTaskCountChanged, this, &CentralWidget::slotTaskCountChanged);
    connect(hub, &GlobalConnecter::sigTransferTaskAdded, this, &CentralWidget::slotTransferTaskAdded);
    connect(hub, &GlobalConnecter::sigCloseSite, this, &CentralWidget::slotCloseSite);
    connect(hub, &GlobalConnecter::sigSiteDisconnected, this, &CentralWidget::slotSiteDisconnected);

    m_tab_h_layout->addWidget(left_edge, 0);
    m_tab_h_layout->addWidget(m_add_button, 0);
    m_tab_h_layout->addWidget(tools, 1);
}

void CentralWidget::slotTransferButtonClicked()
{
    if (m_queue_page) {
        delete m_queue_page;
        m_queue_page = nullptr;
    }
    if (m_transfer_button->isToggled()) {
        m_transfer_button->setToggled(false);
        return;
    }
    m_transfer_button->setToggled(true);
    m_queue_page = new QueuePage(nullptr);
    m_queue_page->show();
}

void CentralWidget::slotQueuePageHidden()
{
    m_transfer_button->setToggled(false);
}

void CentralWidget::slotTaskCountChanged(int count)
{
    if (count != 0)
        m_transfer_button->startGif();
    else
        m_transfer_button->stopGif();
}

void CentralWidget::slotLogButtonClicked()
{
    if (!m_log_page)
        m_log_page = new LogPage(nullptr);
    m_log_page->show();
    m_log_page->raise();
}

void CentralWidget::slotSettingButtonClicked()
{
    delete m_setting_page;
    m_setting_page = new GlobalSettingPage(nullptr);
    m_setting_page->show();

    std::list<ConnectionInfo> connections;
    if (SystemDB::listConnection(connections) < 0)
        return;
    const QWidget* current = m_pages_container->currentWidget();
    uint64_t peer_id = 0;
    for (const TabPage& tp : m_tab_pages)
        if (tp.page == current)
            peer_id = tp.peer_id;
    if (peer_id == 0)
        return;
    SiteInfo site;
    SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer_id, site);
    int row = 0;
    for (const ConnectionInfo& connection : connections) {
        if (connection.id == site.connection_id) {
            m_setting_page->setCurrentConnection(row);
            return;
        }
        ++row;
    }
}
