#pragma once

#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdint>

#include "event.h"
#include "site-file-info.h"
#include "site-info.h"
#include "site-item-info.h"
#include "user-action-cache.h"

class LoginErrorMask;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class SiteButtonPathWidget;
class SiteConnecter;
class SiteContextMenu;
class SiteDetailWidget;
class SiteFilterMenu;
class SiteSortMenu;
class SiteStackPathWidget;
class SiteTreeWidget;
class VexoFilterBar;
class VexoIconButton;
class VexoMessageSheet;
struct SiteData;

// The pane of one site (a server, or the computer as peer 0): path bars,
// filter and sort, folder tree and detail view over one folder cache. It
// turns listings and file actions into events, brings its views up to date
// when they finish and shows the site's connection state. GUI thread only.
class SiteWidget : public QWidget {
    Q_OBJECT
public:
    enum MaskState {
        MASK_NONE = 0,
        MASK_DISCONNECTED = 1,
        MASK_CONNECTING = 2,
    };
    enum ReconnectingState {
        RS_NONE = 0,
        RS_AUTO_RETRY = 1,       // counting down to an automatic login
        RS_WAIT_USER_ACTION = 2  // the login error handler owns the screen
    };

    SiteWidget(uint64_t peer_id, uint64_t connection_id, const QString& site_name, QWidget* parent = nullptr);
    ~SiteWidget() override;

    void updateSiteName(const QString& name);
    // The centre of the detail view in the pane's coordinates.
    QPoint getCentralPoint() const;
    // The pane answers to this peer's events and listings from now on.
    void setNewPeerId(uint64_t peer_id);

    // The site was reported lost; `reconnect` allows the automatic retry.
    void handleDisconnected(bool reconnect);
    // A login of this peer ended; true when the site is connected again.
    bool handleReconnectDone(SiteInfo info);
    void handleResumeDisconnectedJobsDone();
    // Logs in again with the stored site record and the saved connection.
    void reconnectSite();

    uint64_t peerId() const;
    SiteData* data() const { return m_data; }
    SiteConnecter* connecter() const { return m_connecter; }
    SiteTreeWidget* tree() const { return m_tree; }
    SiteDetailWidget* detail() const { return m_detail; }
    SiteContextMenu* contextMenu() const { return m_context_menu; }
    VexoFilterBar* filterBar() const { return m_filter_bar; }
    SiteFilterMenu* filterMenu() const { return m_filter_menu; }
    SiteSortMenu* sortMenu() const { return m_sort_menu; }
    VexoIconButton* viewButton() const { return m_view_button; }
    VexoIconButton* sortButton() const { return m_sort_button; }
    bool isIconView() const { return m_is_table_view; }
    ReconnectingState reconnectingState() const { return m_reconnecting_state; }
    int reconnectCountdown() const { return m_reconnect_countdown; }
    VexoMessageSheet* disconnectedSheet() const { return m_error_msgbox; }
    VexoMessageSheet* connectingSheet() const { return m_connecting_msgbox; }
    LoginErrorMask* loginErrorMask() const { return m_error_mask; }

    // Tests shorten the countdown's second; 0 or less restores 1000 ms.
    static void setReconnectTickForTest(int ms);

signals:
    void sigEventAdded(uint id);
    void sigTransferTaskAdded(QString name, bool is_dir, bool multi);
    void sigConnectSite(SiteInfo info);
    void sigResumeDisconnectedJobs(uint64_t peer_id);
    void sigCloseSite(uint64_t peer_id);
    void sigUpdateCutStatus();
    void sigQueryPath(QString path, bool use_cache);
    void sigQueryPathDone(QString path);
    void sigUpdateCurrentPath(QString path);
    void sigAssignEventId(uint id);
    void sigClearItemEventId(uint id);
    void sigRemoveItemWithEventId(uint id);
    void sigStartMkdir();
    void sigStartRename();
    void sigUpdateSubTreePaths(QString old_path, QString new_name, QString new_path);
    void sigFocusTableItem(QString name);
    void sigFocusListItem(QString name);
    void sigUpdateItem(QString parent, QString old_name, QString new_name);
    void sigChangeSiteName();
    void sigChangeView();

private slots:
    void slotUpdatePath(uint64_t peer_id, QString path, SiteFileList file_infos);
    void slotActionClicked(int action);
    void slotHandleEventDoneUpdateUI(uint id);
    void slotAutoRetry();
    void slotQueryPath(QString path);
    void slotCurrentPathChanged(QString path);
    void slotSelectionChanged(SiteSelectedInfo info);
    void slotMkdirDone(QString new_name);
    void slotRenameDone(QString new_name);
    void slotViewButtonClicked();
    void slotKeywordChanged(QString keyword);
    void slotFileFilterChanged();
    void slotSortInfoChanged();
    void slotRefreshPeerPage(uint64_t peer_id);
    void slotDoRefresh();
    void slotConnectClicked();
    void slotCloseClicked();
    void slotMaskDone(bool should_reconnect);

private:
    void initialize();
    void listNode(const QString& path);
    void handleListEventDone(const Event& event);
    void handleMkdirEventDone(const Event& event);
    void handleRenameEventDone(const Event& event);
    void handleRemoveEventDone(const Event& event);
    void handleCopyEventDone(const Event& event);
    void showMask(MaskState state);
    void updateDisconnectedMessage();
    void startCountdown();

    // File actions, one per kind.
    void removeSelection(const SiteSelectedInfo& info);
    void downloadSelection(const SiteSelectedInfo& info, bool choose_folder);
    void pasteKept();
    // The last selection, when it belongs to this pane's site; false otherwise.
    bool ownSelection(SiteSelectedInfo& info) const;
    uint pushEvent(const Event& event);

    QVBoxLayout* m_main_v_layout = nullptr;
    QHBoxLayout* m_path_h_layout = nullptr;
    QHBoxLayout* m_file_h_layout = nullptr;
    SiteStackPathWidget* m_stack_path = nullptr;
    SiteButtonPathWidget* m_button_path = nullptr;
    VexoFilterBar* m_filter_bar = nullptr;
    SiteFilterMenu* m_filter_menu = nullptr;  // deleted by the filter bar, which takes it
    VexoIconButton* m_view_button = nullptr;
    VexoIconButton* m_sort_button = nullptr;
    SiteSortMenu* m_sort_menu = nullptr;  // owned
    SiteTreeWidget* m_tree = nullptr;
    SiteDetailWidget* m_detail = nullptr;
    SiteContextMenu* m_context_menu = nullptr;  // owned; the views borrow it
    QLabel* m_shadow = nullptr;
    SiteConnecter* m_connecter = nullptr;  // owned
    SiteData* m_data = nullptr;            // owned
    bool m_is_table_view = false;          // true while the icon list is shown
    bool m_waiting_refresh = false;
    ReconnectingState m_reconnecting_state = RS_NONE;
    QTimer m_reconnect_timer;
    int m_reconnect_countdown = 10;
    VexoMessageSheet* m_error_msgbox = nullptr;
    VexoMessageSheet* m_connecting_msgbox = nullptr;
    LoginErrorMask* m_error_mask = nullptr;
};
