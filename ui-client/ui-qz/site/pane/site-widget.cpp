#include "site-widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include "dpi_info.h"
#include "event-generator.h"
#include "event-manager.h"
#include "global-connecter.h"
#include "login-error-mask.h"
#include "image_manager.h"
#include "protocol/proto-ui.h"
#include "site-button-path-widget.h"
#include "site-connecter.h"
#include "site-context-menu.h"
#include "site-data.h"
#include "site-detail-widget.h"
#include "site-filter-menu.h"
#include "site-pane-entries.h"
#include "site-sort-menu.h"
#include "site-stack-path-widget.h"
#include "site-tree-widget.h"
#include "str_table.h"
#include "style_manager.h"
#include "vexo_filter_bar.h"
#include "vexo_icon_button.h"
#include "vexo_mask.h"
#include "vexo_message_sheet.h"

namespace {
int scaled(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}
}  // namespace

SiteWidget::SiteWidget(uint64_t peer_id, uint64_t connection_id, const QString& site_name, QWidget* parent)
    : QWidget(parent), m_reconnect_timer(nullptr)
{
    registerHubMetaTypes();
    qRegisterMetaType<SiteSelectedInfo>("SiteSelectedInfo");
    qRegisterMetaType<SiteItemInfo>("SiteItemInfo");

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(hub, &GlobalConnecter::sigUpdatePath, this, &SiteWidget::slotUpdatePath);
    connect(hub, &GlobalConnecter::sigHandleEventDoneUpdateUI, this, &SiteWidget::slotHandleEventDoneUpdateUI);
    connect(hub, &GlobalConnecter::sigRefreshPeerPage, this, &SiteWidget::slotRefreshPeerPage);
    connect(hub, &GlobalConnecter::sigActionClicked, this, &SiteWidget::slotActionClicked);
    connect(this, &SiteWidget::sigConnectSite, hub, &GlobalConnecter::sigConnectSite);
    connect(this, &SiteWidget::sigEventAdded, hub, &GlobalConnecter::sigEventAdded);
    connect(this, &SiteWidget::sigTransferTaskAdded, hub, &GlobalConnecter::sigTransferTaskAdded);

    m_data = new SiteData;
    m_data->m_peer_id = peer_id;
    m_data->m_connection_id = connection_id;
    m_data->m_site_name = site_name;

    m_connecter = new SiteConnecter;
    SiteConnecter* own = m_connecter;
    connect(this, &SiteWidget::sigUpdateCutStatus, own, &SiteConnecter::sigUpdateCutStatus);
    connect(this, &SiteWidget::sigQueryPathDone, own, &SiteConnecter::sigQueryPathDone);
    connect(this, &SiteWidget::sigUpdateCurrentPath, own, &SiteConnecter::sigUpdateCurrentPath);
    connect(this, &SiteWidget::sigAssignEventId, own, &SiteConnecter::sigAssignEventId);
    connect(this, &SiteWidget::sigClearItemEventId, own, &SiteConnecter::sigClearItemEventId);
    connect(this, &SiteWidget::sigRemoveItemWithEventId, own, &SiteConnecter::sigRemoveItemWithEventId);
    connect(this, &SiteWidget::sigStartMkdir, own, &SiteConnecter::sigStartMkdir);
    connect(this, &SiteWidget::sigStartRename, own, &SiteConnecter::sigStartRename);
    connect(this, &SiteWidget::sigUpdateSubTreePaths, own, &SiteConnecter::sigUpdateSubTreePaths);
    connect(this, &SiteWidget::sigFocusTableItem, own, &SiteConnecter::sigFocusTableItem);
    connect(this, &SiteWidget::sigFocusListItem, own, &SiteConnecter::sigFocusListItem);
    connect(this, &SiteWidget::sigUpdateItem, own, &SiteConnecter::sigUpdateItem);
    connect(this, &SiteWidget::sigChangeSiteName, own, &SiteConnecter::sigChangeSiteName);
    connect(this, &SiteWidget::sigCloseSite, hub, &GlobalConnecter::sigCloseSite);
    connect(this, &SiteWidget::sigResumeDisconnectedJobs, hub, &GlobalConnecter::sigResumeDisconnectedJobs);
    connect(this, &SiteWidget::sigQueryPath, own, &SiteConnecter::sigQueryPath);

    connect(own, &SiteConnecter::sigQueryPath, this, [this](QString path, bool) { slotQueryPath(path); });
    connect(own, &SiteConnecter::sigCurrentPathChanged, this, &SiteWidget::slotCurrentPathChanged);
    connect(own, &SiteConnecter::sigSelectionChanged, this, &SiteWidget::slotSelectionChanged);
    connect(own, &SiteConnecter::sigMkdirDone, this, &SiteWidget::slotMkdirDone);
    connect(own, &SiteConnecter::sigRenameDone, this, &SiteWidget::slotRenameDone);
    connect(own, &SiteConnecter::sigSortInfoChanged, this, &SiteWidget::slotSortInfoChanged);

    connect(&m_reconnect_timer, &QTimer::timeout, this, &SiteWidget::slotAutoRetry);

    initialize();

    m_waiting_refresh = false;
    m_reconnecting_state = RS_NONE;
    m_reconnect_countdown = 10;
    m_error_msgbox = nullptr;
    m_connecting_msgbox = nullptr;

    m_error_mask = new LoginErrorMask(this);
    connect(m_error_mask, &LoginErrorMask::sigMaskDone, this, &SiteWidget::slotMaskDone);
}

SiteWidget::~SiteWidget()
{
    m_reconnect_timer.stop();
    // The views hold the hub, the state and the menus: they go first, while
    // everything they point at still stands (an open editor or a selection
    // may still report to the hub as it closes).
    delete m_tree;
    m_tree = nullptr;
    delete m_detail;
    m_detail = nullptr;
    delete m_stack_path;
    m_stack_path = nullptr;
    delete m_button_path;
    m_button_path = nullptr;
    delete m_filter_bar;  // and with it the filter menu it took
    m_filter_bar = nullptr;
    m_filter_menu = nullptr;
    delete m_sort_button;
    m_sort_button = nullptr;
    delete m_sort_menu;
    m_sort_menu = nullptr;
    delete m_error_mask;
    m_error_mask = nullptr;
    delete m_context_menu;
    m_context_menu = nullptr;
    delete m_connecter;
    m_connecter = nullptr;
    delete m_data;
    m_data = nullptr;
}

void SiteWidget::initialize()
{
    m_stack_path = new SiteStackPathWidget(m_connecter, m_data, nullptr);
    m_button_path = new SiteButtonPathWidget(m_connecter, m_data, nullptr);

    m_filter_bar = new VexoFilterBar(nullptr);
    m_filter_bar->setFixedWidth(scaled(212));
    m_filter_menu = new SiteFilterMenu(&m_data->m_filter, nullptr);
    m_filter_bar->setMenu(m_filter_menu);
    connect(m_filter_bar, &VexoFilterBar::sigKeywordChanged, this, &SiteWidget::slotKeywordChanged);
    connect(m_filter_menu, &SiteFilterMenu::sigFileFilterChanged, this, &SiteWidget::slotFileFilterChanged);

    m_is_table_view = false;
    m_view_button = new VexoIconButton(QStringLiteral("bt_listview"));
    m_view_button->setStyleSheet(getStyleSheet("border_icon_button", false));
    m_view_button->setToolTip(StrTable::LoadStr(StrTable::tooltip_display) + QChar(0x00A0));
    m_view_button->setFixedSize(scaled(32), scaled(28));
    connect(m_view_button, &VexoIconButton::clicked, this, &SiteWidget::slotViewButtonClicked);
    connect(this, &SiteWidget::sigChangeView, m_connecter, &SiteConnecter::sigChangeView);

    m_sort_button = new VexoIconButton(QStringLiteral("bt_sort"));
    m_sort_button->setStyleSheet(getStyleSheet("border_icon_button", false));
    m_sort_button->setToolTip(StrTable::LoadStr(StrTable::tooltip_sort) + QChar(0x00A0));
    m_sort_button->setFixedSize(scaled(32), scaled(28));
    m_sort_menu = new SiteSortMenu(&m_data->m_filter, nullptr);
    connect(m_sort_menu, &SiteSortMenu::sigSortInfoChanged, this, &SiteWidget::slotSortInfoChanged);
    m_sort_button->setMenu(m_sort_menu);

    m_context_menu = new SiteContextMenu();
    m_tree = new SiteTreeWidget(m_connecter, m_data, m_context_menu, nullptr);
    m_detail = new SiteDetailWidget(m_connecter, m_data, m_context_menu, nullptr);

    m_path_h_layout = new QHBoxLayout;
    m_path_h_layout->setSpacing(scaled(8));
    m_path_h_layout->setContentsMargins(0, 0, 0, 0);
    m_path_h_layout->addWidget(m_stack_path);
    m_path_h_layout->addWidget(m_button_path);
    m_path_h_layout->addWidget(m_filter_bar);
    m_path_h_layout->addWidget(m_view_button);
    m_path_h_layout->addWidget(m_sort_button);

    m_shadow = new QLabel;
    m_shadow->setStyleSheet(getStyleSheet("side_shadow", false));
    m_shadow->setFixedWidth(scaled(4));

    m_file_h_layout = new QHBoxLayout;
    m_file_h_layout->setSpacing(0);
    m_file_h_layout->setContentsMargins(0, 0, 0, 0);
    m_tree->setFixedWidth(scaled(236));
    m_file_h_layout->addWidget(m_tree);
    m_file_h_layout->addWidget(m_shadow);
    m_file_h_layout->addWidget(m_detail);

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setSpacing(scaled(8));
    m_main_v_layout->setContentsMargins(scaled(12), 0, scaled(12), 0);
    m_main_v_layout->addLayout(m_path_h_layout);
    m_main_v_layout->addLayout(m_file_h_layout);

    listNode(QString());
}

uint64_t SiteWidget::peerId() const
{
    return m_data->m_peer_id;
}

void SiteWidget::updateSiteName(const QString& name)
{
    m_data->m_site_name = name;
    emit sigChangeSiteName();
}

QPoint SiteWidget::getCentralPoint() const
{
    return m_detail->mapTo(this, m_detail->rect().center());
}

void SiteWidget::setNewPeerId(uint64_t peer_id)
{
    m_data->m_peer_id = peer_id;
}

uint SiteWidget::pushEvent(const Event& event)
{
    return EventManager::getInstance()->pushEvent(event);
}

void SiteWidget::listNode(const QString& path)
{
    Event event;
    EventGenerator().createEventFromList(event, m_data->m_peer_id, path);
    emit sigEventAdded(pushEvent(event));
}

void SiteWidget::slotQueryPath(QString path)
{
    listNode(path);
}

void SiteWidget::slotUpdatePath(uint64_t peer_id, QString path, SiteFileList file_infos)
{
    if (peer_id != m_data->m_peer_id)
        return;
    // The server is not trusted: its names become paths here and on the computer.
    dropUnusableEntries(file_infos, path);
    m_data->m_file_cache[path] = std::move(file_infos);
    emit sigQueryPathDone(path);
}

void SiteWidget::slotCurrentPathChanged(QString path)
{
    if (path == m_data->m_current_path)
        return;
    m_data->m_current_path = path;
    m_data->m_filter.resetFilter();
    m_filter_bar->setText(QString());
    m_filter_bar->setMenuActive(false);
    emit sigUpdateCurrentPath(path);
}

void SiteWidget::slotSelectionChanged(SiteSelectedInfo info)
{
    UserActionCache::getInstance()->updateSelectedInfo(m_data->m_peer_id, info);
}

void SiteWidget::slotKeywordChanged(QString keyword)
{
    m_data->m_filter.keyword = keyword;
    m_detail->resetPage();
}

void SiteWidget::slotFileFilterChanged()
{
    m_filter_bar->setText(m_data->m_filter.keyword);
    m_filter_bar->setMenuActive(m_data->m_filter.hasConditions());
    m_detail->resetPage();
}

void SiteWidget::slotSortInfoChanged()
{
    m_detail->resetPage();
}

void SiteWidget::slotRefreshPeerPage(uint64_t peer_id)
{
    if (!isVisible() || peer_id != m_data->m_peer_id || m_waiting_refresh)
        return;
    m_waiting_refresh = true;
    QTimer::singleShot(1000, this, &SiteWidget::slotDoRefresh);
}

void SiteWidget::slotDoRefresh()
{
    m_waiting_refresh = false;
    listNode(m_data->m_current_path);
}

void SiteWidget::slotHandleEventDoneUpdateUI(uint id)
{
    Event event;
    if (EventManager::getInstance()->getEvent(id, event) < 0 || event.trigger_peer != m_data->m_peer_id)
        return;
    switch (event.type) {
    case EV_LIST:
        handleListEventDone(event);
        break;
    case EV_MKDIR:
        handleMkdirEventDone(event);
        break;
    case EV_RENAME:
        handleRenameEventDone(event);
        break;
    case EV_REMOVE:
        handleRemoveEventDone(event);
        break;
    case EV_COPY:
        handleCopyEventDone(event);
        break;
    default:
        break;
    }
    EventManager::getInstance()->removeEvent(id);
}

void SiteWidget::handleListEventDone(const Event& event)
{
    if (QString::fromUtf8(event.parent.c_str()) != m_data->m_current_path)
        return;
    const int error = EventManager::getInstance()->getStatus(event.id).error;
    if (error == 0)
        return;
    const QString text = StrTable::LoadStr(error == ProtoUI::ERROR_LIST_NODE_NO_PERM
                                               ? StrTable::error_list_node_permission
                                               : StrTable::error_list_node_general);
    // The warning waits in a loop of its own: shown after the dispatcher has
    // removed the event, so nothing of this call runs on while it is open.
    QTimer::singleShot(0, this, [this, text] {
        // Held by a guard: closing the tab deletes the sheet with the pane.
        QPointer<VexoMessageSheet> sheet = new VexoMessageSheet(VexoMessageSheet::Warning, text, this);
        VexoMask::createMask(sheet, window(), QColor(0, 0, 0, 20));
        sheet->exec();
        delete sheet.data();
    });
}

void SiteWidget::slotViewButtonClicked()
{
    m_is_table_view = !m_is_table_view;
    m_view_button->setDefaultIcon(
        getGlobalImage(m_is_table_view ? "bt_gridview" : "bt_listview", ImageManager::IT_NORMAL));
    emit sigChangeView();
}

void SiteWidget::slotCloseClicked()
{
    m_reconnecting_state = RS_NONE;
    emit sigCloseSite(m_data->m_peer_id);
}
