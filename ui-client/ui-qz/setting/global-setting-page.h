#pragma once
// The settings window: the saved connections on the left, the connection
// settings form on the right, add, remove and language buttons under the
// list. A row is left only when the form holds no unsaved changes or the
// user drops them; a login from the form closes the window on success.
#include <QWidget>

#include <cstdint>

#include "connection-info.h"
#include "site-info.h"
#include "windows-top-frame.h"

class ConnectionItemWidget;
class ConnectionListWidget;
class ConnectionSettingWidget;
class LanguageSettingPage;
class LoginErrorMask;
class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QListWidgetItem;
class QVBoxLayout;
class VexoIconButton;
class VexoMessageSheet;

class GlobalSettingPage : public QWidget {
    Q_OBJECT
public:
    explicit GlobalSettingPage(QWidget* parent = nullptr);
    ~GlobalSettingPage() override;

    void reloadConnections();
    void setCurrentConnection(int row);
    QListWidgetItem* addConnectionItem(const ConnectionInfo& info);
    void addEmptyConnection();
    bool checkLeave();
    void setXRButtonStyle(VexoIconButton* button);

    ConnectionListWidget* list() const { return m_xr_list_widget; }
    ConnectionItemWidget* rowWidget(int row) const;
    ConnectionSettingWidget* form() const { return m_connection_setting_widget; }
    VexoIconButton* addButton() const { return m_add_btn; }
    VexoIconButton* removeButton() const { return m_del_btn; }
    VexoIconButton* settingButton() const { return m_setting_btn; }
    LanguageSettingPage* languagePage() const { return m_language_page; }
    LoginErrorMask* errorMask() const { return m_error_mask; }
    bool isRequestPending() const { return m_pending; }

signals:
    void sigConnectSite(SiteInfo info);

public slots:
    void slotSelectionChanged(QListWidgetItem* current, QListWidgetItem* previous);
    void slotAddClicked();
    void slotDeleteClicked();
    void slotSettingClicked();
    void slotUpdateCurrentConnectionItem(ConnectionInfo info);
    void slotConnectNewConnection(ConnectionInfo info, bool pop_password);
    void slotAddSiteDone(uint64_t id);
    void slotCloseSettingWindow();
    void slotGoBack();
    void slotMaskDone(bool should_reconnect);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void initialize();
    void sendRequest(const SiteInfo& request, bool wait);

    ConnectionListWidget* m_xr_list_widget = nullptr;
    QListWidgetItem* m_last_select_item = nullptr;
    QLabel* m_shadow = nullptr;
    VexoIconButton* m_add_btn = nullptr;
    VexoIconButton* m_del_btn = nullptr;
    VexoIconButton* m_setting_btn = nullptr;
    QHBoxLayout* m_list_h_layout = nullptr;
    QVBoxLayout* m_top_border_v_layout = nullptr;
    QHBoxLayout* m_main_h_layout = nullptr;
    QVBoxLayout* m_xr_v_layout = nullptr;
    QHBoxLayout* m_btn_h_layout = nullptr;
    ConnectionSettingWidget* m_connection_setting_widget = nullptr;
    LanguageSettingPage* m_language_page = nullptr;
    VexoMessageSheet* m_connecting_msgbox = nullptr;
    LoginErrorMask* m_error_mask = nullptr;
    // The login this window asked for, until its end arrives.
    bool m_pending = false;
    SiteInfo m_pending_request;
};
